// Chapter three, the flower bed. The cricket finds a sleeping bumblebee that
// has lost two legs and an antenna: one leg lies on a seesaw leaf that three
// pebbles tip over, two are in seed pods that burst when the cricket chirps
// near them, and the antenna turns up once the leaf pairs are matched (then
// petals fall). Nectar sends the dragonfly off and opens the way over a crack;
// rose petals make the woken bee glow, and the cricket climbs the sunflower.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "chapters/game_puzzle_c3_p2.h"
#include "chapters/state_game_chapter.h"

namespace tw {

constexpr const char* k_c3_scene_file = "c3.xml";
constexpr const char* k_c3_character_file = "anims/cricket.xml";
constexpr const char* k_c3_character_level = "character_level";
constexpr const char* k_c3_start_node = "start";
constexpr uint16_t k_c3_pod_countdown = 90;         // ticks from a poke to the pods' check
constexpr float k_c3_pod_reach = 100;               // along the cricket's own y axis
constexpr float k_c3_pod_distance_sq = 4000000.0f;  // 2000 units
constexpr uint16_t k_c3_dragonfly_end = 60000;
constexpr uint16_t k_c3_dragonfly_step = 48;
constexpr float k_c3_petal_floor = -5000;

class c_state_game_3 : public c_state_game_chapter {
public:
    struct c_pod {
        c_scene_anim* anim = nullptr;
        bool opened = false;
        std::vector<c_scene_collectible*> items;
    };
    struct c_petal {
        c_scene_graphic* graphic = nullptr;  // owned by the scene
        bool falling = false;
        vec3 velocity{};
    };

    c_state_game_3();

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_character_click(c_platform& platform, c_application_data& data) override;
    void on_puzzle_complete(c_platform& platform, c_application_data& data,
                            uint16_t puzzle_id) override;
    bool on_use_puzzle_item(c_platform& platform, c_application_data& data, uint16_t item,
                            float x, float y, float z) override;

    c_game_puzzle_c3_p2 leaves;
    c_scene_anim* dragonfly = nullptr;  // "anims/3dragonfly.xml"
    c_scene_anim* balance = nullptr;    // "anims/3balance.xml"
    c_scene_anim* bee = nullptr;        // "anims/3bee.xml", asleep
    c_scene_anim* bee_awake = nullptr;  // "anims/3beea.xml"
    c_scene_graphic* bee_glow = nullptr;
    std::vector<c_pod> pods;
    std::vector<c_petal> petals;
    uint16_t pod_countdown = 0;
    uint16_t petal_pause = 0;
    bool item_1_used = false;
    bool item_4_used = false;
    bool leaves_solved = false;

private:
    void find_pods();
    void tick_pods();
    void tick_petals();
};

}  // namespace tw
