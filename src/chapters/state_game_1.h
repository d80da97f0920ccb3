// Chapter one, the rose thicket at dawn. The larva is dragged to the
// underside of a rose cane, where it spins and hangs. Finding the silk beside
// it starts the hang and sends a fly along its track; the fly opens pollen buds
// on its way (each bud brought to the larva lowers it a little), stops at a
// seed head whose seeds must be gathered and sorted (the seed puzzle), and
// after that flies on past the last buds. With every bud given, the larva is
// lowered to a wild rose, whose petal, given last, wraps it up for its sleep.
#pragma once
#include <array>
#include <cstdint>

#include "chapters/game_puzzle_c1_p2.h"
#include "game/state_game.h"
#include "menu/flicker.h"

namespace tw {

class c_scene_character_c1;
struct c_scene_graphic;

constexpr const char* k_c1_scene_file = "c1.xml";
constexpr const char* k_c1_camera = "default";
constexpr const char* k_c1_larva_file = "anims/larva.xml";
constexpr const char* k_c1_hover_file = "anims/1hover.xml";
constexpr uint16_t k_c1_item_count = 3;
constexpr int k_c1_growth_count = 6;
constexpr uint16_t k_c1_growth_triggers[k_c1_growth_count] = {49500, 38300, 42600,
                                                              8000,  34300, 11600};
constexpr uint16_t k_c1_hover_first_goal = 23000;
constexpr uint16_t k_c1_hover_last_goal = 65000;
constexpr uint16_t k_c1_hover_step = 20;            // track position per tick
constexpr uint16_t k_c1_hover_stop_limit = 60000;   // goals below it bring the seed head
constexpr float k_c1_growth_start_half = 50;
constexpr float k_c1_growth_open_half = 128;
constexpr float k_c1_thread_full = 1700;            // the length giving the larva to the rose
constexpr float k_c1_thread_per_bud = 96;
constexpr float k_c1_thread_asleep = 1650;          // shorter than this, the petal cannot reach
constexpr float k_c1_thread_ease = 0.015f;
constexpr uint16_t k_c1_pulse_ticks = 64;
constexpr uint16_t k_c1_auto_hint_tick = 600;

class c_state_game_1 : public c_state_game {
public:
    // One of the six pollen buds, opened by the passing fly.
    struct c_growth {
        c_scene_collectible* collectible = nullptr;  // in the scene until picked up
        float current = k_c1_growth_start_half;
        float target = k_c1_growth_start_half;
        bool triggered = false;
        bool grown = false;  // collectable; no longer updated
        uint16_t trigger_position = 0;
    };
    // A big soft light over a level whose alpha flickers.
    struct c_light {
        c_scene_graphic* graphic = nullptr;
        c_flicker_generator flicker;
        c_rgba colour;
    };

    c_state_game_1();

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;

    void on_scene_click(c_platform& platform, c_application_data& data) override;
    void on_character_click(c_platform& platform, c_application_data& data) override;
    void on_character_drag(c_platform& platform, c_application_data& data) override;
    void on_collectable_found(c_platform& platform, c_application_data& data,
                              c_scene_collectible& collectable) override;
    void on_puzzle_found(uint16_t puzzle_id) override;
    void on_puzzle_complete(c_platform& platform, c_application_data& data,
                            uint16_t puzzle_id) override;
    void on_collectable_arrived(c_platform& platform, uint16_t puzzle_id) override;
    bool on_use_puzzle_item(c_platform& platform, c_application_data& data, uint16_t puzzle_id,
                            float x, float y, float z) override;

    c_game_puzzle_c1_p2 seeds;
    std::array<c_material*, k_c1_item_count> icons{};
    std::array<c_material*, k_c1_item_count> hints{};
    std::array<c_light, 2> lights;
    c_scene_graphic* thread = nullptr;       // in focus_1; the silk strip
    c_scene_graphic* thread_head = nullptr;  // in focus_1; the knot on the cane
    c_transform thread_origin;
    float thread_length = 0;
    float thread_target = 0;
    bool hanging = false;                    // the silk was found: the thread pays out
    c_scene_anim* hover = nullptr;
    uint16_t hover_goal = 0;
    bool hover_moving = false;
    std::array<c_growth, k_c1_growth_count> growths;
    std::array<c_scene_puzzle*, k_c1_item_count> spots{};
    c_scene_character_c1* larva = nullptr;   // owned by the scene
    c_scene_particle_dampen_and_fade* pollen = nullptr;  // owned by the scene
    uint16_t pulse = 0;
    uint8_t dragged_once = 0;
    uint8_t item_1_found = 0;
    bool larva_stopped = false;   // the first tick it stopped walking has passed
    bool larva_hung = false;      // the first tick it hung has passed
    uint16_t spot_2_ticks = 0;    // ticks since the seed head was found (saturating)
    bool item_2_arrived = false;
    // Tutorials the chapter ends itself; each is only touched while still in the map.
    c_game_tutorial* pending_tutorial = nullptr;  // the drag hand
    c_game_tutorial* spot_2_tutorial = nullptr;   // the hand over the seed head
    c_game_tutorial* seed_use_tutorial = nullptr; // the seeds' icon, then the seed head
    struct c_item_tutorial {
        c_game_tutorial* tutorial = nullptr;
        const c_scene_collectible* collectible = nullptr;
    };
    std::vector<c_item_tutorial> item_tutorials;  // hands over buds and seeds

private:
    void create_graphics(c_platform& platform);
    void create_larva(c_platform& platform);
    void find_scene_objects();
    void tick_pulse();
    void tick_growths();
    void tick_larva(c_platform& platform);
    void tick_hover(c_platform& platform, c_application_data& data);
    void tick_thread();
    void tick_lights();
    void tick_auto_hint(c_platform& platform, c_application_data& data);
    void start_hang();
    void update_thread_geometry();
    // Sets the finish request of a tutorial that is still running and forgets it.
    void end_tutorial(c_game_tutorial*& tutorial);
    bool running(const c_game_tutorial* tutorial) const;
    void add_puzzle_icon(uint16_t puzzle_id);
};

}  // namespace tw
