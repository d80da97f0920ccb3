// The tile turning puzzle of chapter two: twenty tiles of a picture, each a
// graphic of the puzzle scene, stand turned by quarter turns. A press turns a
// tile a further quarter turn (counter-clockwise), easing round; the picture is
// whole when every tile shows one of its accepted turns.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chapters/game_puzzle.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

constexpr int k_tile_count = 20;                 // the scene holds exactly these graphics
constexpr float k_tile_quarter_turn = 1.5707964f;  // radians
constexpr float k_tile_full_turn = 6.2831855f;
constexpr float k_tile_ease = 0.1f;              // share of the remaining turn per tick
constexpr float k_tile_pick_limit = 300000.0f;   // squared press distance, about 548 units
constexpr const char* k_tile_scene_file = "c2p3.xml";

// Where each tile starts and which turns make it right, by node index. Four
// values each, as the tile test compares them: one turn repeated, a pair, or all.
struct c_tile_start {
    uint8_t turn;
    std::array<uint8_t, 4> accepted;
};
extern const std::array<c_tile_start, k_tile_count> k_tile_starts;

class c_game_puzzle_c2_p3 : public i_game_puzzle {
public:
    struct node {
        c_scene_graphic* graphic = nullptr;  // owned by the scene; its angle eases to goal
        float x = 0, y = 0, z = 0;           // the graphic's position at setup
        uint8_t turn = 0;                    // quarter turns from the picture's orientation
        std::array<uint8_t, 4> accepted{};   // right when turn equals any of these
        float goal = 0;                      // radians, turn * pi / 2
    };

    // Loads "c2p3.xml", takes camera "camera1", creates the empty screen, makes
    // one node per scene graphic and turns each to its start at once; called
    // from the chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 3; }

    // Turns a node one quarter further and sets its goal.
    void turn_node(node& n);
    // True when the node shows one of its accepted turns.
    static bool is_right(const node& n);

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_screen* screen = nullptr;
    std::vector<std::unique_ptr<node>> nodes;  // in scene graphic order
};

}  // namespace tw
