// The tile turning puzzle: the start table, quarter turns that ease round the
// same way every time, and completion recomputed every tick.
#include "chapters/game_puzzle_c2_p3.h"

#include <algorithm>

#include "platform/platform.h"

namespace tw {

const std::array<c_tile_start, k_tile_count> k_tile_starts = {{
    {2, {0, 0, 0, 0}}, {2, {0, 0, 0, 0}}, {2, {0, 0, 0, 0}},  // 0..2
    {0, {2, 2, 2, 2}}, {0, {2, 2, 2, 2}},                     // 3, 4
    {1, {3, 3, 3, 3}},                                        // 5
    {0, {1, 1, 1, 1}},                                        // 6
    {2, {1, 3, 3, 3}}, {0, {1, 3, 3, 3}}, {0, {1, 3, 3, 3}},  // 7..9: look alike half turned
    {0, {0, 1, 2, 3}}, {0, {0, 1, 2, 3}}, {0, {0, 1, 2, 3}},  // 10..13: any turn
    {0, {0, 1, 2, 3}},
    {1, {3, 3, 3, 3}},                                        // 14
    {0, {1, 1, 1, 1}},                                        // 15
    {0, {0, 2, 2, 2}}, {1, {0, 2, 2, 2}}, {1, {0, 2, 2, 2}},  // 16..19: look alike half turned
    {1, {0, 2, 2, 2}},
}};

void c_game_puzzle_c2_p3::setup(c_platform& platform) {
    screen = open_puzzle_scene(platform, scene, ui, k_tile_scene_file);
    complete = 0;

    nodes.clear();
    for (const auto& graphic : scene.graphics) {
        auto made = std::make_unique<node>();
        made->graphic = graphic.get();
        made->x = graphic->transform.tx;
        made->y = graphic->transform.ty;
        made->z = graphic->transform.tz;
        // A scene with more graphics than the table leaves the extra ones
        // upright and always right, instead of reading past the table.
        if (nodes.size() < k_tile_starts.size()) {
            made->turn = k_tile_starts[nodes.size()].turn;
            made->accepted = k_tile_starts[nodes.size()].accepted;
        } else {
            made->accepted = {0, 1, 2, 3};
        }
        made->goal = float(made->turn) * k_tile_quarter_turn;
        transform_set_angle(graphic->transform, made->goal);  // opens turned, without movement
        nodes.push_back(std::move(made));
    }
}

bool c_game_puzzle_c2_p3::is_right(const node& n) {
    return std::find(n.accepted.begin(), n.accepted.end(), n.turn) != n.accepted.end();
}

void c_game_puzzle_c2_p3::turn_node(node& n) {
    ++n.turn;
    if (n.turn == 4) {
        n.turn = 0;
        // Three quarters would ease back the other way; a full turn less keeps
        // the tile turning on in the direction it was going.
        transform_set_angle(n.graphic->transform, n.graphic->transform.angle - k_tile_full_turn);
    }
    n.goal = float(n.turn) * k_tile_quarter_turn;
}

void c_game_puzzle_c2_p3::on_tick(c_platform& platform, c_application_data& data) {
    update_puzzle_ui(platform, data, ui, *this);
    complete = std::all_of(nodes.begin(), nodes.end(), [](const auto& n) { return is_right(*n); });
    for (auto& n : nodes) {
        c_transform& t = n->graphic->transform;
        transform_set_angle(t, t.angle + (n->goal - t.angle) * k_tile_ease);
    }
}

void c_game_puzzle_c2_p3::on_draw(c_platform& platform, c_application_data&) {
    draw_puzzle_scene(platform, scene, ui);
}

bool c_game_puzzle_c2_p3::on_ui_event(c_platform&, c_application_data&, uint16_t) {
    return true;
}

void c_game_puzzle_c2_p3::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                                   c_application_data&) {
    if (offer_puzzle_mouse(platform, kind, dx, dy, ui, *this)) return;
    if ((kind & 0xff) != k_mouse_press) return;
    std::vector<vec2> places;
    places.reserve(nodes.size());
    for (const auto& n : nodes) places.push_back({n->x, n->y});
    const int index = nearest_index(places, puzzle_pointer(platform, scene), k_tile_pick_limit);
    if (index >= 0) turn_node(*nodes[size_t(index)]);
}

}  // namespace tw
