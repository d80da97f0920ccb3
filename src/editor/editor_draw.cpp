// The editor's picture: the scene level by level, markers on the visible
// tab's current item, every camera, the path network on the paths tab, then
// the widgets.
#include "editor/state_editor.h"

#include "platform/platform.h"

namespace tw {

namespace {

// Marker sizes at the scene's initial zoom; they grow and shrink with the zoom
// so they keep their size on screen.
constexpr float k_dot_half = 64.0f;    // marker on anims, collectibles, graphics, layers
constexpr float k_node_half = 120.0f;  // a path node
constexpr float k_current_node_half = 180.0f;
constexpr float k_camera_arm = 256.0f;  // the camera cross, each arm
constexpr float k_camera_bar = 12.0f;
constexpr float k_path_half_width = 8.0f;
constexpr c_rgba k_marker_colour{255, 220, 80, 255};
constexpr c_rgba k_camera_colour{120, 200, 255, 255};
constexpr c_rgba k_current_camera_colour{255, 220, 80, 255};
constexpr c_rgba k_node_colour{150, 255, 150, 255};
constexpr c_rgba k_current_node_colour{255, 220, 80, 255};
constexpr c_rgba k_path_colour{255, 255, 255, 255};

float marker_scale(const c_scene_view& view) {
    return view.zoom / k_view_initial_extent;
}

void draw_rect(c_platform& platform, c_material* material, float half_w, float half_h,
               const c_rgba& colour, const c_transform& where) {
    c_quad quad;
    platform.set_rect(quad, material, half_w, half_h, 0, 1, 0, 1);
    quad.buffer.set_colour(colour);
    platform.draw_quad(quad, where);
}

}  // namespace

void c_state_editor::on_draw(c_platform& platform, c_application_data&) {
    scene.set_projection(platform);
    for (const auto& each : scene.levels) scene.draw_level(platform, *each);
    draw_markers(platform);
    if (tab == editor_tab::paths) draw_paths(platform);
    ui.render(platform);
}

void c_state_editor::draw_markers(c_platform& platform) {
    const float s = marker_scale(scene.view);
    // Markers go over the whole scene so a current item behind a later level stays visible.
    switch (tab) {
        case editor_tab::layers:
            if (layer) {
                draw_rect(platform, dot, s * k_dot_half, s * k_dot_half, k_marker_colour,
                          layer->transform);
            }
            break;
        case editor_tab::puzzles:
            if (puzzle) {
                draw_rect(platform, circle, puzzle->click_radius, puzzle->click_radius,
                          k_marker_colour, translation(puzzle->anim.base.tx, puzzle->anim.base.ty));
            }
            break;
        case editor_tab::collect:
            if (collectible) {
                draw_rect(platform, dot, s * k_dot_half, s * k_dot_half, k_marker_colour,
                          translation(collectible->transform.tx, collectible->transform.ty));
            }
            break;
        case editor_tab::anims:
            if (anim) {
                draw_rect(platform, dot, s * k_dot_half, s * k_dot_half, k_marker_colour,
                          translation(anim->anim.base.tx, anim->anim.base.ty));
            }
            break;
        case editor_tab::graphics:
            if (graphic) {
                draw_rect(platform, dot, s * k_dot_half, s * k_dot_half, k_marker_colour,
                          translation(graphic->transform.tx, graphic->transform.ty));
            }
            break;
        default: break;
    }
    // Every camera as a cross of two bars; the current one in the marker colour.
    for (const auto& each : scene.cameras) {
        const c_rgba& colour = each.get() == camera ? k_current_camera_colour : k_camera_colour;
        const c_transform where = translation(each->position.x, each->position.y);
        draw_rect(platform, blank, s * k_camera_arm, s * k_camera_bar, colour, where);
        draw_rect(platform, blank, s * k_camera_bar, s * k_camera_arm, colour, where);
    }
}

void c_state_editor::draw_paths(c_platform& platform) {
    const float s = marker_scale(scene.view);
    c_vertex_buffer_line line;
    line.set_colour(k_path_colour);
    for (const auto& node : scene.path_nodes) {
        for (const auto& path : node->paths) {
            if (!path->target) continue;
            line.set_line(node->transform.tx, node->transform.ty, path->target->transform.tx,
                          path->target->transform.ty, k_path_half_width);
            platform.bind_material(dot);
            platform.set_vertex_buffer(&line);
            platform.draw_quads(c_transform(), line.count);
        }
    }
    platform.set_vertex_buffer(nullptr);
    for (const auto& node : scene.path_nodes) {
        const bool current = node.get() == path_node;
        const float half = s * (current ? k_current_node_half : k_node_half);
        draw_rect(platform, transform_material, half, half,
                  current ? k_current_node_colour : k_node_colour, node->transform);
    }
}

}  // namespace tw
