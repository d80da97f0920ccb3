// Chapter five, the mossy ruin at dusk. A glowing bug climbs mushrooms grown
// from spores onto a broken step, passes under an arch once the moths resting
// on it fly off (after the moth silhouettes are laid), crosses a gap on a fern
// that dew makes unroll, and opens the ruin's door with the scarab rings. The
// timed view is set up on every entry but nothing here opens it.
#pragma once
#include <cstdint>
#include <vector>

#include "chapters/game_puzzle_c5_p4.h"
#include "chapters/game_puzzle_c5_p7.h"
#include "chapters/game_puzzle_silhouettes.h"
#include "chapters/state_game_chapter.h"

namespace tw {

constexpr const char* k_c5_scene_file = "c5.xml";
constexpr const char* k_c5_character_file = "anims/5bug.xml";
constexpr const char* k_c5_character_level = "character_level";
constexpr const char* k_c5_start_node = "start";
constexpr const char* k_c5_timed_view_file = "c5p4.xml";
constexpr uint16_t k_c5_door_countdown = 1200;
constexpr float k_c5_door_rise_per_count = 0.5f;
constexpr float k_c5_mushroom_growth = 0.005f;  // of full size per tick: 200 ticks

class c_state_game_5 : public c_state_game_chapter {
public:
    struct c_moth {
        c_scene_anim* anim = nullptr;
        uint16_t countdown = 0;
        bool flying = false;
        vec2 velocity{};
    };
    struct c_mushroom {
        c_scene_graphic* graphic = nullptr;
        float half_width = 0, half_height = 0;
        bool active = false;
        float scale = 0;
    };

    c_state_game_5();

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_character_click(c_platform& platform, c_application_data& data) override;
    void on_puzzle_complete(c_platform& platform, c_application_data& data,
                            uint16_t puzzle_id) override;
    bool on_use_puzzle_item(c_platform& platform, c_application_data& data, uint16_t item,
                            float x, float y, float z) override;

    c_game_puzzle_c5_p1 silhouettes;
    c_game_puzzle_c5_p4 timed_view;
    c_game_puzzle_c5_p7 scarab;
    c_scene_anim* fern = nullptr;       // "anims/fern.xml"
    c_scene_graphic* door = nullptr;
    std::vector<c_moth> moths;
    std::vector<c_mushroom> mushrooms;
    uint16_t door_countdown = 0;

private:
    void tick_moths(c_platform& platform, c_application_data& data);
    void tick_mushrooms();
};

}  // namespace tw
