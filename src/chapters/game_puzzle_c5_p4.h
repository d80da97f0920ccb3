// The timed view: a puzzle scene shown for a fixed time with nothing to play;
// it completes by itself.
#pragma once
#include <cstdint>

#include "chapters/game_puzzle.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

constexpr uint16_t k_timed_view_ticks = 500;

class c_game_puzzle_c5_p4 : public i_game_puzzle {
public:
    // Loads the view's scene file (chapter five's own view scene), takes camera
    // "camera1" and creates the empty screen; called from the chapter's on_enter.
    void setup(c_platform& platform, const char* scene_file);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 4; }

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_screen* screen = nullptr;
    uint16_t countdown = k_timed_view_ticks;
};

}  // namespace tw
