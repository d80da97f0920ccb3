// Chapter one's larva: walks like any character until it reaches its spinning
// point under the rose cane, then spins a silk pad, turns on it to dangle
// head-down and hangs there, lowered on its thread by the chapter, until it
// wraps itself up for the chapter's ending.
#pragma once
#include <cstdint>
#include <string>

#include "scene/scene_character.h"

namespace tw {

struct c_scene_graphic;

// Modes of the larva.
constexpr uint8_t k_larva_walking = 0;
constexpr uint8_t k_larva_spinning = 1;
constexpr uint8_t k_larva_starting_to_hang = 2;
constexpr uint8_t k_larva_hanging = 3;
constexpr uint8_t k_larva_asleep = 4;  // the final pose, played once and held

constexpr uint16_t k_larva_spin_ticks = 50;
constexpr float k_larva_spin_ease = 0.06f;       // share of the gap the silk closes per tick
constexpr uint16_t k_larva_hang_time_step = 140;  // graph time per tick of "thread" and "hang"
constexpr uint16_t k_larva_hang_start = 65395;    // "thread" time at which the larva hangs
constexpr float k_larva_thread_half_width = 8;    // scene units
constexpr float k_larva_spin_radius = 96;         // scene units around the spinning point

class c_scene_character_c1 : public c_scene_character {
public:
    c_scene_character_c1(c_platform& platform, const std::string& level,
                         const std::string& anim_file, c_scene_path_node& start_node,
                         c_scene_path_node::path& start_path, uint8_t art_facing, float speed,
                         uint16_t animation_rate, const vec2& spin_point, float spin_radius);

    // Walking: the base character, until it comes within the spinning radius.
    // Afterwards the modes run their own clocks and the larva stays where the
    // chapter puts it.
    void update(c_platform& platform, const c_scene_camera_list& cameras,
                c_scene_view& view) override;
    // The larva's animation, with the silk knot at its tail once it has spun.
    void draw(c_platform& platform) override;
    // Walking: the base character's press, drag and poke. Once it has spun it
    // can only be poked; a press while hanging releases the knot at its tail.
    bool mouse(c_platform& platform, uint8_t kind, const vec3& point, uint8_t& result) override;

    // Plays the final graph once and holds its last frame.
    void fall_asleep();

    uint8_t mode = k_larva_walking;
    uint16_t mode_ticks = 0;   // ticks spent spinning
    uint16_t hang_time = 0;    // graph time of "thread", "hang" and the final graph
    bool released = false;     // poked while hanging: the knot at the tail is gone
    vec2 spin_point;
    float spin_radius;
    // The chapter's silk knot on the cane, eased towards the larva while it spins; not owned.
    c_scene_graphic* thread_head = nullptr;
    c_anim_graph* graph_thread = nullptr;
    c_anim_graph* graph_hang = nullptr;
    c_anim_graph* graph_asleep = nullptr;
    c_quad knot;  // the silk at the larva's tail, drawn under it while it hangs

private:
    void update_spun();
};

}  // namespace tw
