// Dragging the visible tab's current item (move, rotate, depth, route keys)
// and connecting path nodes with a press.
#include <algorithm>
#include <cstdlib>

#include "editor/state_editor.h"
#include "platform/platform.h"

namespace tw {

namespace {

// One scene unit per pixel; window y runs downwards.
void move_by(float& x, float& y, int16_t dx, int16_t dy) {
    x += dx;
    y -= dy;
}

void apply(editor_mode mode, c_transform& transform, int16_t dx, int16_t dy) {
    if (mode == editor_mode::move) move_by(transform.tx, transform.ty, dx, dy);
    if (mode == editor_mode::rotate) {
        transform_set_angle(transform, transform.angle + dx * k_editor_rotate_per_pixel);
    }
}

}  // namespace

void c_state_editor::drag_current(int16_t dx, int16_t dy) {
    const editor_mode mode = active_mode();
    switch (tab) {
        case editor_tab::layers:
            if (!layer) break;
            if (mode == editor_mode::depth) {
                layer->perspective_factor += dx * k_editor_depth_per_pixel;
            } else {
                apply(mode, layer->transform, dx, dy);
            }
            break;
        case editor_tab::cameras:
            if (!camera || mode != editor_mode::move) break;
            move_by(camera->position.x, camera->position.y, dx, dy);
            scene.relink_paths();
            break;
        case editor_tab::puzzles:
            if (puzzle) apply(mode, puzzle->anim.base, dx, dy);
            break;
        case editor_tab::collect:
            if (collectible) apply(mode, collectible->transform, dx, dy);
            break;
        case editor_tab::anims:
            if (!anim) break;
            apply(mode, anim->anim.base, dx, dy);
            if (widgets.route_mode->toggled) {
                anim->set_transform_key(widgets.timelines[0]->value, anim->anim.base);
                refresh_key_marks();
            }
            break;
        case editor_tab::paths:
            if (!path_node) break;
            apply(mode, path_node->transform, dx, dy);
            scene.relink_paths();
            break;
        case editor_tab::graphics:
            if (graphic) apply(mode, graphic->transform, dx, dy);
            break;
        default: break;
    }
}

void c_state_editor::connect_nearest(const vec2& pointer) {
    if (!path_node) return;
    c_scene_path_node* nearest = nullptr;
    float nearest_distance = k_editor_connect_reach_squared;
    for (auto& node : scene.path_nodes) {
        const float d = vec2_distance_sq(pointer, {node->transform.tx, node->transform.ty});
        if (d < nearest_distance) {
            nearest = node.get();
            nearest_distance = d;
        }
    }
    // The current node itself is no neighbour; a press on it connects nothing.
    if (!nearest || nearest == path_node) return;
    const std::string animation = widgets.path_anim->text.text;
    const uint16_t speed = uint16_t(editbox_number(*widgets.path_speed, 0, 65535, 0));
    auto connect = [&](c_scene_path_node& from, c_scene_path_node& to) {
        for (const auto& existing : from.paths) {
            if (existing->target == &to) return;  // already connected that way
        }
        auto made = std::make_unique<c_scene_path_node::path>();
        made->animation_name = animation;
        made->animtion_speed = speed;
        link_path(from, *made, to, scene.cameras);
        from.paths.push_back(std::move(made));
    };
    connect(*path_node, *nearest);
    connect(*nearest, *path_node);
    for (auto& [toggle, mode] : widgets.modes[size_t(editor_tab::paths)]) {
        if (mode == editor_mode::connect) toggle->set_toggled(false);
    }
}

}  // namespace tw
