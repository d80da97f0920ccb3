// The whole game from a fresh save: the program's state machine driven by the
// chapter-one player, then by the later chapters' players in turn, each taking
// over on the title screen once the one before has finished its chapter.
#pragma once
#include <string>
#include <vector>

#include "support/chapter_one_player.h"
#include "support/chapter_plans.h"
#include "support/scripted_app.h"

namespace tw_test {

class c_game_run : public c_scripted_app {
public:
    c_game_run() {
        later.emplace_back(chapter_two_plan());
        later.emplace_back(chapter_three_plan());
        later.emplace_back(chapter_four_plan());
        later.emplace_back(chapter_five_plan());
    }

    bool done() const { return chapter_index > 4; }
    // What the current player could not do, if anything.
    std::string stuck() const {
        if (done()) return "";
        return chapter_index == 0 ? first.stuck : later[size_t(chapter_index - 1)].stuck;
    }

    c_chapter_one_player first;
    std::vector<c_chapter_player> later;
    int chapter_index = 0;  // 0 for chapter one
    std::vector<long> ticks_per_chapter;

protected:
    c_pointer_step next_step(const tw::c_platform& platform) override {
        if (done()) return {};
        return chapter_index == 0 ? first.step(platform, app) : later[size_t(chapter_index - 1)].step(platform, app);
    }
    // The next player takes over once the current one is back on the title screen.
    void after_step() override {
        if (done() || !finished_current()) return;
        ticks_per_chapter.push_back(ticks - ticks_at_start);
        ticks_at_start = ticks;
        ++chapter_index;
    }

private:
    bool finished_current() const {
        if (chapter_index == 0) return first.phase == c_chapter_one_player::e_phase::done;
        return later[size_t(chapter_index - 1)].phase == c_chapter_player::e_phase::done;
    }
    long ticks_at_start = 0;
};

}  // namespace tw_test
