// A chapter state that exists only to show one puzzle: it sets the puzzle up on
// entry and opens it at once, so the chapter core fades to it, hands it ticks,
// draws and mouse events and reads its complete flag as a real chapter does.
// Shared by headless solvers and real-window puzzle pages.
#pragma once
#include <cstdint>
#include <functional>

#include "chapters/game_puzzle.h"
#include "game/state_game.h"

namespace tw_test {

constexpr uint16_t k_puzzle_host_chapter = 2;

class c_puzzle_chapter : public tw::c_state_game {
public:
    // setup is called from on_enter with the platform, before the puzzle opens.
    c_puzzle_chapter(tw::i_game_puzzle& shown, std::function<void(tw::c_platform&)> setup)
        : c_state_game(k_puzzle_host_chapter), hosted(shown), setup_puzzle(std::move(setup)) {}

    void on_enter(tw::c_platform& platform, tw::c_application_data& data) override {
        c_state_game::on_enter(platform, data);
        setup_puzzle(platform);
        start_puzzle(&hosted);
    }
    void on_tick(tw::c_platform& platform, tw::c_application_data& data) override {
        c_state_game::on_tick(platform, data);
        ++ticks;
    }
    void on_puzzle_complete(tw::c_platform&, tw::c_application_data&, uint16_t id) override {
        completed = id;
        completed_at = ticks;
    }
    // True once the puzzle is on screen with the fade gone.
    bool shown() const { return mode == tw::k_game_mode_puzzle && fade_alpha() == 0; }

    tw::i_game_puzzle& hosted;
    std::function<void(tw::c_platform&)> setup_puzzle;
    long ticks = 0;
    int completed = -1;  // the number the chapter saw complete, -1 until then
    long completed_at = -1;
};

}  // namespace tw_test
