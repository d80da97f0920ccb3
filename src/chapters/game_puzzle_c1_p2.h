// The seed sorting puzzle of chapter one: a flower head seen from above with
// eight spokes of five seed places each. Every spoke holds one seed of each of
// the five kinds; the head is sorted when each spoke has its kinds in order
// from the centre outwards. The player exchanges two linked seeds by pressing
// on one and releasing towards a linked neighbour, and the seeds glide to
// their new places.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chapters/game_puzzle.h"
#include "platform/math.h"
#include "platform/vertex_buffer.h"
#include "scene/scene.h"

namespace tw {

constexpr int k_seed_spokes = 8;
constexpr int k_seed_places = 5;  // per spoke; also the number of kinds
constexpr int k_seed_cells = k_seed_spokes * k_seed_places;
constexpr int k_seed_scramble_seed = 1337;
constexpr int k_seed_scramble_moves = 12;
constexpr float k_seed_half_size = 172.0f;          // half the drawn seed quad, scene units
constexpr float k_seed_pick_limit = 40000.0f;       // squared press distance (200 units)
constexpr float k_seed_glide = 0.1f;                // share of the gap closed per tick

class c_game_puzzle_c1_p2 : public i_game_puzzle {
public:
    struct c_seed {
        c_quad quad;
        c_transform shown;  // where it is drawn
        c_transform goal;   // where it glides to
        int kind = 0;       // 0 belongs nearest the centre
    };
    struct c_cell {
        c_transform transform;
        c_seed* occupant = nullptr;
    };
    // Two cells whose seeds the player may exchange.
    struct swapper {
        c_cell* a = nullptr;
        c_cell* b = nullptr;
    };

    // Loads the scene "c1p2.xml" (its default view stays), lays out the cells,
    // links them, places the seeds sorted and scrambles them with the game's
    // generator; called from the chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 2; }

    // Cell (spoke, place), place 0 nearest the centre.
    c_cell& cell(int spoke, int place) { return cells[size_t(spoke * k_seed_places + place)]; }
    // Swaps the seeds of the swapper's cells; each seed heads for its new cell.
    void exchange(const swapper& link);

    c_scene scene;
    std::array<c_cell, k_seed_cells> cells;
    std::vector<std::unique_ptr<swapper>> swappers;  // in creation order
    std::vector<std::unique_ptr<c_seed>> seeds;      // in creation order
    c_cell* selected = nullptr;
};

}  // namespace tw
