// A headless platform and a machine that logs what the frame loop calls, for
// driving the loop frame by frame in tests.
#pragma once
#include <string>
#include <vector>

#include "app/application.h"
#include "app/frame_loop.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace tw_test {

// Window, device and platform wired together with an open 1920 x 1080 window.
struct c_headless_platform {
    c_headless_platform() : platform(window, device) {
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(1920, 1080);
    }
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform;
};

// Records every call the loop makes, as short words.
class c_logging_machine : public tw::i_platform_state_machine {
public:
    void start(tw::c_platform&) override { log.push_back("start"); }
    void stop(tw::c_platform&) override { log.push_back("stop"); }
    void frame(tw::c_platform&) override { log.push_back("frame"); }
    void tick(tw::c_platform&) override {
        log.push_back("tick");
        if (--ticks_until_switch == 0) switch_pending = true;
    }
    bool is_switch_pending() override { return switch_pending; }
    void perform_switch(tw::c_platform&) override {
        log.push_back("switch");
        switch_pending = false;
    }
    void draw(tw::c_platform&) override { log.push_back("draw"); }
    void resize(tw::c_platform& p) override {
        log.push_back("resize " + std::to_string(p.width) + "x" + std::to_string(p.height));
    }
    void mouse(tw::c_platform&, uint16_t kind, uint16_t dx, uint16_t dy) override {
        log.push_back("mouse " + std::to_string(kind) + " " + std::to_string(int16_t(dx)) + " " +
                      std::to_string(int16_t(dy)));
    }
    void character(tw::c_platform&, uint16_t code) override {
        log.push_back("char " + std::to_string(code));
    }
    void key(tw::c_platform&, int key) override { log.push_back("key " + std::to_string(key)); }
    void draw_loading(tw::c_platform&, float progress) override {
        log.push_back("loading " + std::to_string(progress).substr(0, 4));
    }

    int count(const std::string& word) const {
        int n = 0;
        for (const auto& entry : log) n += entry == word;
        return n;
    }

    std::vector<std::string> log;
    bool switch_pending = false;
    int ticks_until_switch = -1;  // the tick on which a switch is requested; -1 never
};

}  // namespace tw_test
