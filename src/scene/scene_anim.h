// An animation placed in a scene: free-running, play-once-then-loop, and two
// keyed tracks on its own position axis (placement and animation changes).
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "anim/anim.h"
#include "platform/math.h"

namespace tw {

// Play states.
constexpr uint8_t k_scene_anim_free = 0;
constexpr uint8_t k_scene_anim_play_once = 1;
constexpr uint8_t k_scene_anim_loop = 2;

constexpr uint16_t k_scene_anim_change_speed = 1024;  // graph time per frame, changes made in code

class c_scene_anim {
public:
    // What to play when the position passes a key.
    struct change_anims_node {
        std::string anim_name_play_once;
        uint16_t anim_speed_play_once = k_scene_anim_change_speed;
        std::string anim_name_loop;
        uint16_t anim_speed_loop = k_scene_anim_change_speed;
    };

    // One frame of graph time; called by the scene update for every anim.
    void advance();
    // Plays the named graph once (from time 0) and then loops the other; an
    // empty or unknown play-once name keeps the current graph and state, and the
    // new loop graph takes over at the end of a running play-once.
    void change_animation(const std::string& play_once, uint16_t play_once_speed,
                          const std::string& loop, uint16_t loop_speed);
    // Fires the changes keyed from the last position up to b (in key order) and
    // moves the anim along its transform track to b; called by chapter code.
    void set_position(uint16_t b);
    // Inserts the key or replaces the transform of an existing one.
    void set_transform_key(uint16_t key, const c_transform& transform);
    // Inserts the change under the key or overwrites all four fields of an existing one.
    void set_animation_change(uint16_t key, const std::string& play_once,
                              uint16_t play_once_speed, const std::string& loop,
                              uint16_t loop_speed);
    // The transform track's value at position b, clamped to its first and last
    // keys; the anim's current placement when the track is empty.
    c_transform transform_at(uint16_t b) const;

    std::string level_name;
    c_anim anim;  // its base transform is the anim's "transform"
    std::string anim_file_name;
    c_anim_graph* graph = nullptr;            // current; not owned
    c_anim_graph* graph_play_once = nullptr;  // not owned
    c_anim_graph* graph_loop = nullptr;       // not owned
    uint16_t anim_position = 0;    // graph time of the current graph
    uint16_t anim_speed = 0;       // graph time per frame while free-running
    uint16_t play_once_speed = 0;  // graph time per frame
    uint16_t loop_speed = 0;       // graph time per frame
    uint16_t transform_graph_position = 0;  // last position set by set_position
    std::map<uint16_t, c_transform> transform_graph;
    std::map<uint16_t, std::unique_ptr<change_anims_node>> anim_change_graph;
    uint8_t play_state = k_scene_anim_free;
    bool visible = true;  // set and cleared by chapter code
};

}  // namespace tw
