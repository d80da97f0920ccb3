// A puzzle that only counts what reaches it (ticks, draws, mouse events), for
// tests of what a chapter hands its shown puzzle.
#pragma once
#include <cstdint>

#include "chapters/game_puzzle.h"

namespace tw_test {

class c_counting_puzzle : public tw::i_game_puzzle {
public:
    explicit c_counting_puzzle(uint16_t puzzle_number = 3) : number_(puzzle_number) {}
    void on_tick(tw::c_platform&, tw::c_application_data&) override { ++ticks; }
    void on_draw(tw::c_platform&, tw::c_application_data&) override { ++draws; }
    bool on_ui_event(tw::c_platform&, tw::c_application_data&, uint16_t) override { return true; }
    void on_mouse(tw::c_platform&, uint16_t, uint16_t, uint16_t, tw::c_application_data&) override {
        ++mice;
    }
    uint16_t number() const override { return number_; }
    int ticks = 0, draws = 0, mice = 0;

private:
    uint16_t number_;
};

}  // namespace tw_test
