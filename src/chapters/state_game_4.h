// Chapter four, the poppy field. A young bee walks past a twig that ants carry
// off for honey, a stag beetle that makes it leap back until it wears a
// fearsome mask (freed by the poppy puzzle), a maggot that curls up to sleep
// once fed leaves, and a big beetle missing an antenna (freed by the
// silhouette puzzle) whose glow, once it has rose petals, lights the poppy stem
// up to the flower. Poked near a poppy, the bee shakes its petals down and
// frees its seed capsule.
#pragma once
#include <cstdint>
#include <vector>

#include "chapters/game_puzzle_c4_p3.h"
#include "chapters/game_puzzle_silhouettes.h"
#include "chapters/state_game_chapter.h"

namespace tw {

constexpr const char* k_c4_scene_file = "c4.xml";
constexpr const char* k_c4_character_file = "anims/4bee.xml";
constexpr const char* k_c4_character_level = "character_level";
constexpr const char* k_c4_start_node = "start";
constexpr uint16_t k_c4_jump_speed = 700;          // graph time per tick: the leap takes 94 ticks
constexpr float k_c4_catch_distance_sq = 10;
constexpr uint16_t k_c4_stick_end = 32000;
constexpr uint16_t k_c4_stick_step = 180;
constexpr float k_c4_poppy_reach_sq = 800000.0f;   // about 894 units from the bee
constexpr float k_c4_petal_floor = -10000;

class c_state_game_4 : public c_state_game_chapter {
public:
    struct c_petal {
        c_scene_graphic* graphic = nullptr;  // owned by the scene
        float spin = 0;
        vec3 velocity{};
    };
    struct c_poppy {
        c_scene_collectible* capsule = nullptr;
        bool falling = false;
        std::vector<c_petal> petals;
    };

    c_state_game_4();

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_character_click(c_platform& platform, c_application_data& data) override;
    void on_puzzle_complete(c_platform& platform, c_application_data& data,
                            uint16_t puzzle_id) override;
    bool on_use_puzzle_item(c_platform& platform, c_application_data& data, uint16_t item,
                            float x, float y, float z) override;

    c_game_puzzle_c4_p3 poppies;
    c_game_puzzle_c4_p5 silhouettes;
    c_scene_anim* stag = nullptr;     // "anims/4stag.xml"
    c_scene_anim* stick = nullptr;    // "anims/4stick.xml"
    c_scene_anim* maggot = nullptr;   // "anims/4maggotb.xml"
    c_scene_anim* big_bug = nullptr;  // "anims/4bigbug.xml"
    c_scene_graphic* beetle_glow = nullptr;
    c_scene_graphic* front = nullptr;
    c_scene_path_node* guard_node = nullptr;  // "26"
    c_scene_path_node::path* jump = nullptr;  // from "26" back to "10", made at entry
    std::vector<c_poppy> poppy_groups;
    bool item_1_used = false;
    bool item_2_used = false;
    bool stag_retreated = false;

private:
    void find_poppies();
    void tick_guard(c_platform& platform, c_application_data& data);
    void tick_petals();
};

}  // namespace tw
