// The walking character: its mouse handling, its per-frame states (idle, walking,
// automatic traversal, turning, settling, action), walking across path nodes and drawing.
#include "scene/scene_character.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/platform.h"
#include "scene/scene_view.h"

namespace tw {

namespace {

constexpr float k_steer_angle = 1.4f;        // radians; wider drags neither walk nor turn
constexpr uint16_t k_settle_frames = 32;
constexpr float k_settle_weight = 0.09f;     // pose blend per settling frame
constexpr uint16_t k_action_frames = 200;
constexpr uint16_t k_action_time_step = 327; // graph time per action frame
constexpr uint16_t k_idle_time_step = 256;
constexpr uint16_t k_drag_threshold = 15;    // pixels the pointer must travel to drag
constexpr float k_full_time = 65535;         // graph time across a whole animated path
constexpr float k_steer_dead_zone = 1.0f / 8;  // share of the zoom around the character
// Node crossings allowed in one frame of walking: zero-length paths cost no
// distance, so a loop of them would otherwise never end.
constexpr int k_max_crossings_per_walk = 64;

constexpr float k_highlight_half_size = 480;
constexpr c_rgba k_highlight_colour{0, 255, 96, 96};
constexpr float k_mirror_x[9] = {-1, 0, 0, 0, 1, 0, 0, 0, 1};

// Unsigned angle between two unit vectors; the clamp keeps rounding from giving NaN.
float unsigned_angle(const vec2& a, const vec2& b) {
    return std::acos(std::min(1.0f, std::max(-1.0f, a.x * b.x + a.y * b.y)));
}

}  // namespace

c_scene_character::c_scene_character(c_platform& platform, const std::string& level,
                                     const std::string& anim_file,
                                     c_scene_path_node& start_node,
                                     c_scene_path_node::path& start_path, uint8_t art,
                                     float speed, uint16_t animation_rate)
    : level_name(level),
      anim_file_name(anim_file),
      walk_anim_rate(animation_rate),
      node(&start_node),
      path(&start_path),
      walk_speed(speed),
      art_facing(art),
      facing(start_path.facing ? 0 : 1) {
    anim.load(platform, anim_file);
    graph_walk = anim.find_graph("walk");
    graph_turn = anim.find_graph("turn");
    graph_idle = anim.find_graph("idle");
    graph_action = anim.find_graph("action");
    pose_default = anim.find_pose("default");
    if (pose_default) anim.apply_pose(*pose_default);
    platform.set_rect(highlight, platform.get_material("glow.bmp", false), k_highlight_half_size,
                      k_highlight_half_size, 0, 1, 0, 1);
    highlight.buffer.set_colour(k_highlight_colour);
    place();
}

bool c_scene_character::hit(const vec3& point) const {
    const float dx = point.x - anim.base.tx;
    const float dy = point.y - anim.base.ty;
    const float dz = point.z - anim.base.tz;
    return dx * dx + dy * dy + dz * dz < click_radius * click_radius;
}

bool c_scene_character::mouse(c_platform& platform, uint8_t kind, const vec3& point,
                              uint8_t& result) {
    result = k_character_result_none;
    if (kind == k_character_press) {
        if (!hit(point)) return false;
        pressed = 1;
        dragging = 0;
        press_x = platform.mouse_x;
        press_y = platform.mouse_y;
        drag_accumulator = 0;
        return true;
    }
    if (!pressed) return false;
    if (kind == k_character_move) {
        // The distance from the press point is added at every move, so a few
        // small moves start a drag as surely as one long one.
        const int moved = std::abs(int(platform.mouse_y) - int(press_y)) +
                          std::abs(int(platform.mouse_x) - int(press_x));
        drag_accumulator = uint16_t(std::min(int(drag_accumulator) + moved, 0xffff));
        if (drag_accumulator > k_drag_threshold) {
            dragging = 1;
            result = k_character_result_drag;
        }
        return true;
    }
    if (kind == k_character_release) {
        if (!dragging && state == k_character_idle) {
            state = k_character_action;
            graph = graph_action;
            time = 0;
            countdown = k_action_frames;
            result = k_character_result_action;
        }
        pressed = 0;
        dragging = 0;
        return true;
    }
    return false;
}

void c_scene_character::update(c_platform& platform, const c_scene_camera_list& cameras,
                               c_scene_view& view) {
    if (dragging && state == k_character_idle) {
        state = k_character_walking;
        graph = graph_walk;
        time = 0;
    }
    if (!dragging && state == k_character_walking) {
        state = k_character_settling;
        countdown = k_settle_frames;
        time = 0;
        graph = nullptr;
    }
    switch (state) {
        case k_character_walking: {
            const vec2 pointer = view.screen_to_scene(platform);
            vec2 d{pointer.x - anim.base.tx, pointer.y - anim.base.ty};
            const float dead_zone = view.zoom * k_steer_dead_zone;
            if (d.x * d.x + d.y * d.y > dead_zone * dead_zone) {
                vec2_normalize(d);
                steer(d, cameras, view);
            }
            break;
        }
        case k_character_automatic:
            if (path && path->has_animation) {
                run_path_animation(view);
            } else if (path) {
                walk(path->direction, true, view);
            }
            break;
        case k_character_turning:
            update_turn();
            break;
        case k_character_settling:
            update_settle();
            break;
        case k_character_action:
            update_action();
            break;
        case k_character_idle:
            time = uint16_t(time + k_idle_time_step);
            break;
        default:
            break;
    }
    place();
}

void c_scene_character::update_turn() {
    if (countdown == 0) {
        state = k_character_walking;
        graph = graph_walk;
        return;
    }
    --countdown;
    const int half = turn_length / 2;
    if (countdown == half) {
        facing = facing ? 0 : 1;
    } else if (half > 0) {
        // The turn graph plays to its middle and back while the facing flips there.
        time = uint16_t((half - std::abs(int(countdown) - half)) * (0xffff / half));
    }
}

void c_scene_character::update_settle() {
    if (countdown == 0) {
        state = k_character_idle;
        graph = graph_idle;
        return;
    }
    --countdown;
    if (pose_default) anim.blend_pose(*pose_default, k_settle_weight);
}

void c_scene_character::update_action() {
    if (countdown == 0) {
        state = k_character_idle;
        graph = graph_idle;
        return;
    }
    --countdown;
    time = uint16_t((k_action_frames - countdown) * k_action_time_step);
}

void c_scene_character::steer(const vec2& direction, const c_scene_camera_list&,
                              c_scene_view& view) {
    if (!path) return;
    const bool path_facing = path->facing;
    if (unsigned_angle(direction, path->direction) < k_steer_angle) {
        if (bool(facing) != path_facing) {
            walk(direction, true, view);
        } else {
            turn();
        }
        return;
    }
    const vec2 reverse{-path->direction.x, -path->direction.y};
    if (unsigned_angle(direction, reverse) < k_steer_angle) {
        if (bool(facing) == path_facing) {
            walk(direction, false, view);
        } else {
            turn();
        }
    }
}

void c_scene_character::turn() {
    graph = graph_turn;
    countdown = turn_length;
    state = k_character_turning;
}

void c_scene_character::walk(const vec2& d, bool forward, c_scene_view& view) {
    float r = walk_speed;
    for (int crossings = 0; r > 0 && path && crossings < k_max_crossings_per_walk; ++crossings) {
        // An unlinked path leads nowhere: the character stays where it is.
        if (!path->target) return;
        const float length = path->length;
        // A zero-length path is crossed at once without using any distance.
        const float room = forward ? 1 - progress : progress;
        if (length > 0 && r / length <= room) {
            progress += forward ? r / length : -(r / length);
            time = uint16_t(time + walk_anim_rate);
            return;
        }
        r -= room * length;
        state = k_character_walking;
        c_scene_path_node& reached = forward ? *path->target : *node;
        c_scene_path_node::path* next = choose_path(reached, d);
        if (!next) {
            progress = forward ? 1.0f : 0.0f;
            return;
        }
        node = &reached;
        path = next;
        progress = 0;
        forward = true;
        enter_path(*next, view);
        // An animated path is driven by its own animation from its start, in step
        // with the graph time that has just restarted.
        if (next->has_animation) return;
    }
}

void c_scene_character::enter_path(c_scene_path_node::path& p, c_scene_view& view) {
    if (p.target_camera) {
        view.target_position = p.target_camera->position;
        view.target_zoom = p.target_camera->scene_width;
        // The player must grab the character again: with the press kept, the
        // next move would restart the drag at once.
        dragging = 0;
        pressed = 0;
    }
    if (p.automatic) {
        state = k_character_automatic;
        if (p.has_animation) {
            graph = anim.find_graph(p.animation_name);
            time = 0;
        }
    } else {
        state = k_character_walking;
    }
}

void c_scene_character::run_path_animation(c_scene_view& view) {
    const uint16_t speed = path->animtion_speed;
    const float step = float(speed) / k_full_time;
    // A path without speed would never end and hold the character for good;
    // it is crossed in one frame instead.
    if (speed > 0 && path->target && 1 - progress >= step) {
        progress += step;
        time = uint16_t(time + speed);
        return;
    }
    graph = graph_walk;
    progress = 1;
    time = 0;
    state = k_character_walking;
    if (!path->target) return;
    c_scene_path_node::path* next = choose_path(*path->target, path->direction);
    if (!next) return;
    progress = 0;
    node = path->target;
    path = next;
    enter_path(*next, view);
}

void c_scene_character::place() {
    if (path && path->target) {
        anim.base = transform_lerp(node->transform, path->target->transform, progress);
    } else {
        anim.base = node->transform;
    }
    if (facing != art_facing) {
        // Flipping the art's own x axis keeps it standing on a sloped path.
        float mirrored[9];
        matrix_multiply(anim.base.m, k_mirror_x, mirrored);
        std::copy(mirrored, mirrored + 9, anim.base.m);
    }
}

void c_scene_character::draw_highlight(c_platform& platform) const {
    const c_transform at = transform_compose(anim.node_world_transform(*anim.root), anim.base);
    platform.draw_quad(highlight, at);
}

void c_scene_character::draw(c_platform& platform) {
    if (graph) anim.apply_graph(*graph, time);
    place();
    if (anim.root) draw_highlight(platform);
    anim.draw(platform);
}

}  // namespace tw
