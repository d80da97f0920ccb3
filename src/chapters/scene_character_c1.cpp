// Chapter one's larva: walking, spinning, turning onto its thread, hanging.
#include "chapters/scene_character_c1.h"

#include "platform/platform.h"
#include "scene/scene_graphic.h"

namespace tw {

namespace {

constexpr const char* k_knot_texture = "c1/thread_head.bmp";
constexpr float k_knot_half = 8;                 // scene units
constexpr vec2 k_silk_offset{16, 36};           // from the larva's feet to where its silk starts
constexpr uint16_t k_spin_idle_step = 256;      // graph time per tick of "idle" while spinning
constexpr const char* k_asleep_graph = "chrysalis";

}  // namespace

c_scene_character_c1::c_scene_character_c1(c_platform& platform, const std::string& level,
                                           const std::string& anim_file,
                                           c_scene_path_node& start_node,
                                           c_scene_path_node::path& start_path,
                                           uint8_t art_facing, float speed,
                                           uint16_t animation_rate, const vec2& point,
                                           float radius)
    : c_scene_character(platform, level, anim_file, start_node, start_path, art_facing, speed,
                        animation_rate),
      spin_point(point),
      spin_radius(radius) {
    graph_thread = anim.find_graph("thread");
    graph_hang = anim.find_graph("hang");
    graph_asleep = anim.find_graph(k_asleep_graph);
    platform.set_rect(knot, platform.get_material(k_knot_texture, false), k_knot_half,
                      k_knot_half, 0, 1, 0, 1);
}

void c_scene_character_c1::update(c_platform& platform, const c_scene_camera_list& cameras,
                                  c_scene_view& view) {
    if (mode != k_larva_walking) {
        update_spun();
        return;
    }
    c_scene_character::update(platform, cameras, view);
    const float dx = anim.base.tx - spin_point.x, dy = anim.base.ty - spin_point.y;
    if (dx * dx + dy * dy >= spin_radius * spin_radius) return;
    // Arrived: whatever the pointer does now, the larva stays to spin.
    mode = k_larva_spinning;
    mode_ticks = 0;
    pressed = 0;
    dragging = 0;
    state = k_character_idle;
    graph = graph_idle;
    time = 0;
}

void c_scene_character_c1::update_spun() {
    switch (mode) {
        case k_larva_spinning:
            time = uint16_t(time + k_spin_idle_step);
            if (thread_head) {
                c_transform& silk = thread_head->transform;
                silk.tx += (anim.base.tx + k_silk_offset.x - silk.tx) * k_larva_spin_ease;
                silk.ty += (anim.base.ty + k_silk_offset.y - silk.ty) * k_larva_spin_ease;
            }
            if (++mode_ticks >= k_larva_spin_ticks) {
                mode = k_larva_starting_to_hang;
                graph = graph_thread;
                hang_time = 0;
            }
            break;
        case k_larva_starting_to_hang:
            if (int(hang_time) + k_larva_hang_time_step >= k_larva_hang_start) {
                mode = k_larva_hanging;
                graph = graph_hang;
                hang_time = 0;
            } else {
                hang_time = uint16_t(hang_time + k_larva_hang_time_step);
            }
            break;
        case k_larva_hanging:
            hang_time = uint16_t(hang_time + k_larva_hang_time_step);  // wraps: the loop
            break;
        case k_larva_asleep:
            hang_time = uint16_t(std::min(0xffff, int(hang_time) + k_larva_hang_time_step));
            break;
        default:
            break;
    }
}

void c_scene_character_c1::draw(c_platform& platform) {
    if (mode == k_larva_walking) {
        c_scene_character::draw(platform);
        return;
    }
    if (mode == k_larva_spinning) {
        if (graph) anim.apply_graph(*graph, time);
    } else if (graph) {
        anim.apply_graph(*graph, hang_time);
    }
    // Spinning and turning happen where it walked; hanging, the chapter places it.
    if (mode < k_larva_hanging) place();
    if (!released && knot.material) platform.draw_quad(knot, anim.base);
    anim.draw(platform);
}

bool c_scene_character_c1::mouse(c_platform& platform, uint8_t kind, const vec3& point,
                                 uint8_t& result) {
    if (mode == k_larva_walking) return c_scene_character::mouse(platform, kind, point, result);
    result = k_character_result_none;
    if (kind == k_character_press) {
        if (!hit(point)) return false;
        pressed = 1;
        if (mode == k_larva_hanging) released = true;
        return true;
    }
    if (!pressed) return false;
    if (kind == k_character_release) {
        // A poke; dragging does nothing any more.
        pressed = 0;
        result = k_character_result_action;
    }
    return true;
}

void c_scene_character_c1::fall_asleep() {
    mode = k_larva_asleep;
    hang_time = 0;
    if (graph_asleep) graph = graph_asleep;
}

}  // namespace tw
