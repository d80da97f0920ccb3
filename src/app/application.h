// The game's state machine: start-up and shutdown, the music fade, the table of
// states that can be requested, and the loading screen between them.
#pragma once
#include <functional>
#include <memory>

#include "app/application_data.h"
#include "app/desktop.h"
#include "app/loading_screen.h"
#include "app/state_machine.h"

namespace tw {

using c_state = i_platform_state<c_application_data>;

// Time limits of the queue flushes at start, switch and stop.
constexpr uint16_t k_event_flush_ms = 1000;
constexpr uint16_t k_analytics_flush_ms = 2000;

class c_application : public c_platform_state_machine<c_application_data> {
public:
    // Makes the state for an identifier; null for identifiers without a state.
    using state_factory = std::function<std::unique_ptr<c_state>(uint16_t id)>;

    c_application();
    ~c_application() override;

    void start(c_platform& platform) override;
    void stop(c_platform& platform) override;
    void tick(c_platform& platform) override;
    bool is_switch_pending() override { return data.switch_requested != 0; }
    void perform_switch(c_platform& platform) override;
    void draw_loading(c_platform& platform, float progress) override;
    // The state's picture, then the desktop's screenshot and corner notice.
    void draw(c_platform& platform) override;
    // Desktop keys (window mode, volume, screenshot) first; the rest go to the state.
    void key(c_platform& platform, int key) override;
    // Sound held while away, and the state told.
    void focus(c_platform& platform, bool focused) override;
    // The remembered window mode: full screen at the desktop size or a window
    // of two thirds of it.
    bool window_for_desktop(int desktop_w, int desktop_h, int& w, int& h) override;

    c_desktop desktop;

    // The table of states; the program sets the game's own, tests their own.
    // Empty makes no state.
    state_factory make_state;
    // Sends one queued message; the message's own send() unless a test puts
    // another in its place. Empty means flushes keep every message.
    message_sender send_message;

private:
    void flush_queues(c_platform& platform);

    c_loading_screen loading_screen_;
    c_platform* platform_ = nullptr;  // for the loading screen's release at destruction
};

}  // namespace tw
