// The whole program's state machine (title screen, a later chapter, back)
// driven by the scripted chapter player through the platform's own input
// callbacks, one pointer step a frame. It notices the moments worth a picture
// and can hold the game still at each (no ticks, no input) while it draws.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "support/chapter_player.h"
#include "support/scripted_app.h"

namespace tw_test {

// A moment of a chapter, true once it has come.
struct c_chapter_moment {
    const char* name;
    std::function<bool(tw::c_state_game_chapter&)> reached;
    bool seen = false;
};

class c_chapter_run : public c_scripted_app {
public:
    c_chapter_run(c_chapter_plan plan, std::vector<c_chapter_moment> chapter_moments)
        : player(std::move(plan)), moments(std::move(chapter_moments)) {}

    bool done() const { return player.phase == c_chapter_player::e_phase::done; }

    c_chapter_player player;
    std::vector<c_chapter_moment> moments;
    // Called when a moment first comes; the caller may set held.
    std::function<void(const char* name)> on_moment;

protected:
    c_pointer_step next_step(const tw::c_platform& platform) override { return player.step(platform, app); }
    void after_step() override {
        auto* chapter = dynamic_cast<tw::c_state_game_chapter*>(app.state());
        if (!chapter) return;
        for (c_chapter_moment& moment : moments) {
            if (moment.seen || !moment.reached(*chapter)) continue;
            moment.seen = true;
            if (on_moment) on_moment(moment.name);
        }
    }
};

}  // namespace tw_test
