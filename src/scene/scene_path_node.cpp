// Linking the path network (direction, length, facing, camera crossing and
// automatic traversal of each path) and choosing the path that best follows a drag.
#include "scene/scene_path_node.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

constexpr float k_max_choice_angle = 1.4f;  // radians; wider drags take no path

// Unsigned angle between two unit vectors; the clamp keeps rounding from giving NaN.
float unsigned_angle(const vec2& a, const vec2& b) {
    const float dot = std::min(1.0f, std::max(-1.0f, a.x * b.x + a.y * b.y));
    return std::acos(dot);
}

}  // namespace

void link_path(c_scene_path_node& source, c_scene_path_node::path& path,
               c_scene_path_node& target, const c_scene_camera_list& cameras) {
    path.target = &target;
    const c_transform& s = source.transform;
    const c_transform& t = target.transform;
    vec2 d{t.tx - s.tx, t.ty - s.ty};
    path.length = std::sqrt(d.x * d.x + d.y * d.y);
    // Two nodes at one spot give the fixed direction (1, 0) and length 0.
    vec2_normalize(d);
    path.direction = d;

    const float mean_axis = (s.angle + t.angle) / 2;
    path.facing = std::cos(mean_axis) * d.x + std::sin(mean_axis) * d.y > 0;

    const c_scene_camera* source_camera = camera_containing(cameras, s.tx, s.ty);
    c_scene_camera* target_camera = camera_containing(cameras, t.tx, t.ty);
    path.camera_change = source_camera != target_camera;
    path.target_camera = path.camera_change ? target_camera : nullptr;
    path.has_animation = !path.animation_name.empty();
    path.automatic = path.camera_change || path.has_animation;
}

void link_paths(c_scene_path_node_list& nodes, const c_scene_camera_list& cameras) {
    for (auto& node : nodes) {
        for (auto& p : node->paths) {
            if (p->target_index >= 0 && size_t(p->target_index) < nodes.size()) {
                link_path(*node, *p, *nodes[size_t(p->target_index)], cameras);
            } else {
                p->target = nullptr;
            }
        }
    }
}

c_scene_path_node::path* choose_path(const c_scene_path_node& node, const vec2& d) {
    c_scene_path_node::path* best = nullptr;
    float best_angle = k_max_choice_angle;
    for (const auto& p : node.paths) {
        // An unlinked path leads nowhere, so it cannot be walked onto.
        if (!p->enabled || !p->target) continue;
        const float angle = unsigned_angle(d, p->direction);
        if (angle < best_angle) {
            best_angle = angle;
            best = p.get();
        }
    }
    return best;
}

}  // namespace tw
