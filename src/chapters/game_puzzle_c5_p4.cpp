// The timed view: shows its scene until the countdown runs out.
#include "chapters/game_puzzle_c5_p4.h"

namespace tw {

void c_game_puzzle_c5_p4::setup(c_platform& platform, const char* scene_file) {
    screen = open_puzzle_scene(platform, scene, ui, scene_file);
    countdown = k_timed_view_ticks;
}

void c_game_puzzle_c5_p4::on_tick(c_platform& platform, c_application_data& data) {
    update_puzzle_ui(platform, data, ui, *this);
    if (countdown > 0) {
        --countdown;
    } else {
        complete = 1;
    }
}

void c_game_puzzle_c5_p4::on_draw(c_platform& platform, c_application_data&) {
    draw_puzzle_scene(platform, scene, ui);
}

bool c_game_puzzle_c5_p4::on_ui_event(c_platform&, c_application_data&, uint16_t) {
    return true;
}

void c_game_puzzle_c5_p4::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx,
                                   uint16_t dy, c_application_data&) {
    // Nothing to play: the pointer can neither hurry nor stop the view.
    offer_puzzle_mouse(platform, kind, dx, dy, ui, *this);
}

}  // namespace tw
