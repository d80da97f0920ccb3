// Scene anim behaviour: the per-frame advance in its three play states, the
// play-once-then-loop change, and the position axis with its two keyed tracks.
#include "scene/scene_anim.h"

#include <cstdint>
#include <iterator>

namespace tw {

namespace {

constexpr uint32_t k_last_time = 65535;

}  // namespace

void c_scene_anim::advance() {
    switch (play_state) {
        case k_scene_anim_play_once:
            // A play-once graph never wraps: past its last time the loop takes over.
            if (uint32_t(anim_position) + play_once_speed <= k_last_time) {
                anim_position = uint16_t(anim_position + play_once_speed);
            } else {
                graph = graph_loop;
                play_state = k_scene_anim_loop;
                anim_position = 0;
            }
            break;
        case k_scene_anim_loop:
            anim_position = uint16_t(anim_position + loop_speed);
            break;
        default:
            anim_position = uint16_t(anim_position + anim_speed);
            break;
    }
}

void c_scene_anim::change_animation(const std::string& play_once, uint16_t new_play_once_speed,
                                    const std::string& loop, uint16_t new_loop_speed) {
    // An empty name means "none", even if the file has a graph without a name.
    graph_play_once = play_once.empty() ? nullptr : anim.find_graph(play_once);
    graph_loop = loop.empty() ? nullptr : anim.find_graph(loop);
    play_once_speed = new_play_once_speed;
    loop_speed = new_loop_speed;
    if (graph_play_once) {
        graph = graph_play_once;
        anim_position = 0;
        play_state = k_scene_anim_play_once;
    }
}

void c_scene_anim::set_position(uint16_t b) {
    // From the first key at or after the last position: a change exactly at
    // the last position fires again when the position is set again.
    for (auto it = anim_change_graph.lower_bound(transform_graph_position);
         it != anim_change_graph.end() && it->first <= b; ++it) {
        const change_anims_node& change = *it->second;
        change_animation(change.anim_name_play_once, change.anim_speed_play_once,
                         change.anim_name_loop, change.anim_speed_loop);
    }
    transform_graph_position = b;
    if (!transform_graph.empty()) anim.base = transform_at(b);
}

c_transform c_scene_anim::transform_at(uint16_t b) const {
    if (transform_graph.empty()) return anim.base;
    return transform_track_at(transform_graph, b);
}

void c_scene_anim::set_transform_key(uint16_t key, const c_transform& transform) {
    transform_graph[key] = transform;
}

void c_scene_anim::set_animation_change(uint16_t key, const std::string& play_once,
                                        uint16_t new_play_once_speed, const std::string& loop,
                                        uint16_t new_loop_speed) {
    std::unique_ptr<change_anims_node>& change = anim_change_graph[key];
    if (!change) change = std::make_unique<change_anims_node>();
    change->anim_name_play_once = play_once;
    change->anim_speed_play_once = new_play_once_speed;
    change->anim_name_loop = loop;
    change->anim_speed_loop = new_loop_speed;
}

}  // namespace tw
