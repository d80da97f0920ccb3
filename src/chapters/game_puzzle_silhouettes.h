// The silhouette puzzles of chapters four and five share one body: pieces of a
// picture lie scattered as black silhouettes, and the player drags each to the
// place where its picture belongs. Dropped close enough it snaps in and shows in
// colour; dropped elsewhere it jumps back to where it lay. The scene file says
// everything: two graphics with the same bitmap make a piece, the first at its
// solved place and the second at its starting place.
#pragma once
#include <cstdint>
#include <vector>

#include "chapters/game_puzzle.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

constexpr float k_silhouette_pick_limit = 262144.0f;  // squared press distance, 512 units
constexpr float k_silhouette_snap_limit = 16384.0f;   // squared release distance, 128 units

class c_game_puzzle_silhouettes : public i_game_puzzle {
public:
    struct piece {
        c_scene_graphic* silhouette = nullptr;  // owned by the scene; dragged
        c_scene_graphic* picture = nullptr;     // owned by the scene; shown once placed
        float solved_x = 0, solved_y = 0, solved_z = 0;
        float start_x = 0, start_y = 0, start_z = 0;
        uint8_t placed = 0;
    };

    c_game_puzzle_silhouettes(uint16_t number, const char* scene_file)
        : number_(number), scene_file_(scene_file) {}

    // Loads the scene file, snaps to "camera1", creates the UI screen and pairs
    // the graphics into pieces; called from the chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return number_; }

    // Scene units per window pixel while dragging: the view's width over the window's long side.
    float drag_scale(const c_platform& platform) const;

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_screen* screen = nullptr;
    std::vector<piece> pieces;  // in scene order
    piece* held = nullptr;

private:
    void pair_graphics();
    void release_held();

    uint16_t number_;
    const char* scene_file_;
};

// Chapter four's silhouettes, "c4p5.xml".
class c_game_puzzle_c4_p5 : public c_game_puzzle_silhouettes {
public:
    c_game_puzzle_c4_p5() : c_game_puzzle_silhouettes(5, "c4p5.xml") {}
};

// Chapter five's silhouettes, "c5p1.xml".
class c_game_puzzle_c5_p1 : public c_game_puzzle_silhouettes {
public:
    c_game_puzzle_c5_p1() : c_game_puzzle_silhouettes(1, "c5p1.xml") {}
};

}  // namespace tw
