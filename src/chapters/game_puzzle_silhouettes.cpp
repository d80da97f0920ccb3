// The silhouette puzzles: pairing the scene's graphics into pieces, dragging a
// silhouette with the pointer and judging where it is dropped.
#include "chapters/game_puzzle_silhouettes.h"

#include <algorithm>

#include "platform/platform.h"

namespace tw {

namespace {

void move_to(c_scene_graphic& graphic, float x, float y, float z) {
    graphic.transform.tx = x;
    graphic.transform.ty = y;
    graphic.transform.tz = z;
}

}  // namespace

void c_game_puzzle_silhouettes::setup(c_platform& platform) {
    screen = open_puzzle_scene(platform, scene, ui, scene_file_);
    complete = 0;
    held = nullptr;
    pair_graphics();
}

void c_game_puzzle_silhouettes::pair_graphics() {
    pieces.clear();
    for (const auto& owned : scene.graphics) {
        c_scene_graphic& g = *owned;
        piece* found = nullptr;
        for (piece& p : pieces)
            if (p.picture->file_name == g.file_name) {
                found = &p;
                break;
            }
        if (found) {
            found->silhouette = &g;
            g.quad.buffer.set_colour(0, 0, 0, 255);
            found->start_x = g.transform.tx;
            found->start_y = g.transform.ty;
            found->start_z = g.transform.tz;
            move_to(*found->picture, found->start_x, found->start_y, found->start_z);
            continue;
        }
        piece made;
        made.picture = &g;
        made.solved_x = g.transform.tx;
        made.solved_y = g.transform.ty;
        made.solved_z = g.transform.tz;
        g.quad.buffer.set_alpha(0);
        pieces.push_back(made);
    }
    // A bitmap that occurs once makes no piece; its graphic stays hidden.
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [](const piece& p) { return p.silhouette == nullptr; }),
                 pieces.end());
}

void c_game_puzzle_silhouettes::on_tick(c_platform& platform, c_application_data& data) {
    update_puzzle_ui(platform, data, ui, *this);
    bool all_placed = true;
    for (const piece& p : pieces) all_placed &= p.placed != 0;
    if (all_placed) complete = 1;
    scene.update(platform);
}

void c_game_puzzle_silhouettes::on_draw(c_platform& platform, c_application_data&) {
    draw_puzzle_scene(platform, scene, ui);
}

bool c_game_puzzle_silhouettes::on_ui_event(c_platform&, c_application_data&, uint16_t) { return true; }

float c_game_puzzle_silhouettes::drag_scale(const c_platform& platform) const {
    return platform.long_side > 0 ? scene.view.zoom * 2 / float(platform.long_side) : 0;
}

void c_game_puzzle_silhouettes::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                                         c_application_data&) {
    if (offer_puzzle_mouse(platform, kind, dx, dy, ui, *this)) return;
    if (kind == k_mouse_press) {
        held = nullptr;
        const vec2 pointer = puzzle_pointer(platform, scene);
        std::vector<vec2> places;
        std::vector<piece*> candidates;
        for (piece& p : pieces) {
            if (p.placed) continue;
            places.push_back({p.silhouette->transform.tx, p.silhouette->transform.ty});
            candidates.push_back(&p);
        }
        const int index = nearest_index(places, pointer, k_silhouette_pick_limit);
        if (index >= 0) held = candidates[size_t(index)];
        return;
    }
    if (!held || (kind != k_mouse_drag && kind != k_mouse_release)) return;
    // The release carries the pointer's last movement too: the piece is judged
    // where the pointer let go of it, not one frame behind.
    const float s = drag_scale(platform);
    const float mx = s * float(int16_t(dx)), my = -s * float(int16_t(dy));
    for (c_scene_graphic* g : {held->silhouette, held->picture}) {
        g->transform.tx += mx;
        g->transform.ty += my;
    }
    if (kind == k_mouse_release) release_held();
}

void c_game_puzzle_silhouettes::release_held() {
    piece& p = *held;
    held = nullptr;
    const vec2 at{p.silhouette->transform.tx, p.silhouette->transform.ty};
    if (vec2_distance_sq(at, {p.solved_x, p.solved_y}) < k_silhouette_snap_limit) {
        move_to(*p.picture, p.solved_x, p.solved_y, p.solved_z);
        p.placed = 1;
        p.picture->quad.buffer.set_alpha(255);
        p.silhouette->quad.buffer.set_alpha(0);
        return;
    }
    move_to(*p.silhouette, p.start_x, p.start_y, p.start_z);
    move_to(*p.picture, p.start_x, p.start_y, p.start_z);
    p.picture->quad.buffer.set_alpha(0);
    p.silhouette->quad.buffer.set_alpha(255);
}

}  // namespace tw
