// The whole program's state machine (title screen, a later chapter, back)
// driven by the scripted chapter player through the platform's own input
// callbacks, one pointer step a frame. It notices the moments worth a picture
// and can hold the game still at each (no ticks, no input) while it draws.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "chapters/game_states.h"
#include "support/chapter_player.h"

namespace tw_test {

// A moment of a chapter, true once it has come.
struct c_chapter_moment {
    const char* name;
    std::function<bool(tw::c_state_game_chapter&)> reached;
    bool seen = false;
};

class c_chapter_run : public tw::i_platform_state_machine {
public:
    c_chapter_run(c_chapter_plan plan, std::vector<c_chapter_moment> chapter_moments)
        : player(std::move(plan)), moments(std::move(chapter_moments)) {
        app.make_state = tw::make_game_state;
        app.send_message = {};  // usage messages stay in the player's file
    }

    void start(tw::c_platform& platform) override { app.start(platform); }
    void stop(tw::c_platform& platform) override { app.stop(platform); }
    void frame(tw::c_platform& platform) override {
        app.frame(platform);
        if (held) return;
        ++frames;
        const c_pointer_step step = player.step(platform, app);
        if (step.move) platform.on_mouse_position(step.x, step.y);
        if (step.button >= 0)
            platform.on_mouse_button(0, step.button ? tw::k_action_press : tw::k_action_release);
        if (auto* chapter = dynamic_cast<tw::c_state_game_chapter*>(app.state())) {
            for (c_chapter_moment& moment : moments) {
                if (moment.seen || !moment.reached(*chapter)) continue;
                moment.seen = true;
                if (on_moment) on_moment(moment.name);
            }
        }
    }
    void tick(tw::c_platform& platform) override {
        if (held) return;
        app.tick(platform);
        ++ticks;
    }
    bool is_switch_pending() override { return app.is_switch_pending(); }
    void perform_switch(tw::c_platform& platform) override { app.perform_switch(platform); }
    void draw(tw::c_platform& platform) override { app.draw(platform); }
    void resize(tw::c_platform& platform) override { app.resize(platform); }
    void mouse(tw::c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy) override {
        app.mouse(platform, kind, dx, dy);
    }
    void draw_loading(tw::c_platform& platform, float progress) override {
        app.draw_loading(platform, progress);
    }

    bool done() const { return player.phase == c_chapter_player::e_phase::done; }

    tw::c_application app;
    c_chapter_player player;
    std::vector<c_chapter_moment> moments;
    // Called when a moment first comes; the caller may set held.
    std::function<void(const char* name)> on_moment;
    bool held = false;
    long frames = 0;
    long ticks = 0;
};

}  // namespace tw_test
