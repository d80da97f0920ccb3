// The poppy jumping puzzle of chapter four: a solitaire of jumps on a diamond
// of thirteen holes. Every hole but the centre holds an open poppy; dragging a
// poppy over an open neighbour (straight or diagonal) into an empty hole two
// steps away closes the one jumped over. Solved when at most one poppy is
// open. A release near the reset spot sets the board up again.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chapters/game_puzzle.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

constexpr int k_poppy_grid = 5;
constexpr float k_poppy_open_size = 128;     // half-size of an open poppy's quad
constexpr float k_poppy_reset_size = 64;     // half-size right after a reset
constexpr float k_poppy_size_step = 2;       // per tick, growing or shrinking
constexpr float k_poppy_glide = 1.0f / 30;   // share of the way home per tick
constexpr float k_poppy_pick_limit = 100000.0f;   // squared press and release distance
constexpr float k_poppy_reset_limit = 200000.0f;  // squared distance to the reset spot
constexpr vec2 k_poppy_reset_spot{2000, 100};
constexpr const char* k_poppy_scene_file = "c4p3.xml";

class c_game_puzzle_c4_p3 : public i_game_puzzle {
public:
    struct hole {
        float home_x = 0, home_y = 0, home_z = 0;
        uint8_t open = 1;
        c_scene_graphic* graphic = nullptr;  // owned by the scene; exchanged by jumps
        float size = k_poppy_open_size;
        uint8_t i = 0, j = 0;
    };

    // Loads "c4p3.xml", snaps to "camera1", creates the UI screen and one hole
    // per named poppy of the diamond, then resets the board; called from the
    // chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 3; }

    // Every poppy open at half size and home again, the centre closed.
    void reset();
    // The hole between two holes two steps apart in a line or a diagonal, or null.
    hole* middle(const hole& a, const hole& b) const;
    // Makes the jump from one hole to another if the rules allow; true if made.
    bool jump(hole& from, hole& to);

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_screen* screen = nullptr;
    std::vector<std::unique_ptr<hole>> holes;  // in creation order
    std::array<std::array<hole*, k_poppy_grid>, k_poppy_grid> grid{};  // [i][j]; null: no hole
    hole* selected = nullptr;
};

}  // namespace tw
