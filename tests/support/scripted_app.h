// The whole program's state machine driven by a scripted player: every call
// goes to the application; after each frame the player's pointer step goes in
// through the platform's own input callbacks, as a person's would. While held,
// the game draws but neither ticks nor takes input (for screenshots).
#pragma once
#include <cstdint>

#include "app/application.h"
#include "chapters/game_states.h"
#include "support/seed_solver.h"

namespace tw_test {

class c_scripted_app : public tw::i_platform_state_machine {
public:
    c_scripted_app() {
        app.make_state = tw::make_game_state;
        app.send_message = {};  // usage messages stay in the player's file
    }

    void start(tw::c_platform& platform) override { app.start(platform); }
    void stop(tw::c_platform& platform) override { app.stop(platform); }
    void frame(tw::c_platform& platform) override {
        app.frame(platform);
        if (held) return;
        ++frames;
        const c_pointer_step step = next_step(platform);
        if (step.move) platform.on_mouse_position(step.x, step.y);
        if (step.button >= 0)
            platform.on_mouse_button(0, step.button ? tw::k_action_press : tw::k_action_release);
        after_step();
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

    tw::c_application app;
    bool held = false;
    long frames = 0;
    long ticks = 0;

protected:
    // This frame's pointer, from the player.
    virtual c_pointer_step next_step(const tw::c_platform& platform) = 0;
    // After the step went in: moments, hand-overs.
    virtual void after_step() {}
};

}  // namespace tw_test
