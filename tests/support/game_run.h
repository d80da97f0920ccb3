// The whole game from a fresh save: the program's state machine driven by the
// chapter-one player, then by the later chapters' players in turn, each taking
// over on the title screen once the one before has finished its chapter.
#pragma once
#include <cstdint>
#include <vector>

#include "app/application.h"
#include "chapters/game_states.h"
#include "support/chapter_one_player.h"
#include "support/chapter_plans.h"

namespace tw_test {

class c_game_run : public tw::i_platform_state_machine {
public:
    c_game_run() {
        app.make_state = tw::make_game_state;
        app.send_message = {};
        later.emplace_back(chapter_two_plan());
        later.emplace_back(chapter_three_plan());
        later.emplace_back(chapter_four_plan());
        later.emplace_back(chapter_five_plan());
    }

    void start(tw::c_platform& platform) override { app.start(platform); }
    void stop(tw::c_platform& platform) override { app.stop(platform); }
    void frame(tw::c_platform& platform) override {
        app.frame(platform);
        if (done()) return;
        ++frames;
        const c_pointer_step step = chapter_index == 0 ? first.step(platform, app)
                                                       : later[size_t(chapter_index - 1)].step(platform, app);
        if (step.move) platform.on_mouse_position(step.x, step.y);
        if (step.button >= 0)
            platform.on_mouse_button(0, step.button ? tw::k_action_press : tw::k_action_release);
        if (finished_current()) {
            ticks_per_chapter.push_back(ticks - ticks_at_start);
            ticks_at_start = ticks;
            ++chapter_index;
        }
    }
    void tick(tw::c_platform& platform) override {
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

    bool done() const { return chapter_index > 4; }
    // What the current player could not do, if anything.
    std::string stuck() const {
        if (done()) return "";
        return chapter_index == 0 ? first.stuck : later[size_t(chapter_index - 1)].stuck;
    }

    tw::c_application app;
    c_chapter_one_player first;
    std::vector<c_chapter_player> later;
    int chapter_index = 0;  // 0 for chapter one
    std::vector<long> ticks_per_chapter;
    long frames = 0;
    long ticks = 0;

private:
    bool finished_current() const {
        if (chapter_index == 0) return first.phase == c_chapter_one_player::e_phase::done;
        return later[size_t(chapter_index - 1)].phase == c_chapter_player::e_phase::done;
    }
    long ticks_at_start = 0;
};

}  // namespace tw_test
