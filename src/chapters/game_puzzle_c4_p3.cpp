// The poppy jumping puzzle: the diamond, the jumps, the growing and shrinking
// poppies and the reset.
#include "chapters/game_puzzle_c4_p3.h"

#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace tw {

namespace {

// The diamond by creation order: the graphic's name and its grid cell (i across, j down).
struct c_hole_place {
    const char* name;
    uint8_t i, j;
};
constexpr c_hole_place k_diamond[] = {
    {"poppy12", 2, 0}, {"poppy11", 1, 1}, {"poppy9", 2, 1}, {"poppy7", 3, 1},
    {"poppy10", 0, 2}, {"poppy8", 1, 2},  {"poppy13", 2, 2}, {"poppy5", 3, 2},
    {"poppy3", 4, 2},  {"poppy6", 1, 3},  {"poppy4", 2, 3},  {"poppy2", 3, 3},
    {"poppy1", 2, 4},
};
constexpr int k_centre = 2;

void set_size(c_game_puzzle_c4_p3::hole& h, float s) {
    h.size = s;
    if (h.graphic) h.graphic->quad.buffer.set_quad_rect(-s, -s, s, s);
}

// The hole nearest the point within the pick limit, or null.
c_game_puzzle_c4_p3::hole* nearest_hole(const std::vector<std::unique_ptr<c_game_puzzle_c4_p3::hole>>& holes,
                                        const vec2& point) {
    std::vector<vec2> places;
    places.reserve(holes.size());
    for (const auto& h : holes) places.push_back({h->home_x, h->home_y});
    const int index = nearest_index(places, point, k_poppy_pick_limit);
    return index >= 0 ? holes[size_t(index)].get() : nullptr;
}

}  // namespace

void c_game_puzzle_c4_p3::setup(c_platform& platform) {
    screen = open_puzzle_scene(platform, scene, ui, k_poppy_scene_file);
    complete = 0;
    selected = nullptr;
    holes.clear();
    for (auto& column : grid) column.fill(nullptr);
    for (const c_hole_place& place : k_diamond) {
        c_scene_graphic* graphic = scene.find_graphic(place.name);
        if (!graphic) continue;
        auto made = std::make_unique<hole>();
        made->graphic = graphic;
        made->home_x = graphic->transform.tx;
        made->home_y = graphic->transform.ty;
        made->home_z = graphic->transform.tz;
        made->i = place.i;
        made->j = place.j;
        grid[place.i][place.j] = made.get();
        holes.push_back(std::move(made));
    }
    reset();
}

void c_game_puzzle_c4_p3::reset() {
    for (auto& h : holes) {
        h->open = 1;
        h->graphic->transform.tx = h->home_x;
        h->graphic->transform.ty = h->home_y;
        h->graphic->transform.tz = h->home_z;
        set_size(*h, k_poppy_reset_size);
    }
    if (hole* centre = grid[k_centre][k_centre]) centre->open = 0;
}

void c_game_puzzle_c4_p3::on_tick(c_platform& platform, c_application_data& data) {
    update_puzzle_ui(platform, data, ui, *this);
    int open = 0;
    for (auto& h : holes) {
        c_transform& at = h->graphic->transform;
        at.tx += (h->home_x - at.tx) * k_poppy_glide;
        at.ty += (h->home_y - at.ty) * k_poppy_glide;
        at.tz += (h->home_z - at.tz) * k_poppy_glide;
        if (h->open) {
            ++open;
            if (h->size < k_poppy_open_size) set_size(*h, h->size + k_poppy_size_step);
        } else if (h->size > 1) {
            set_size(*h, h->size - k_poppy_size_step);
        }
    }
    if (open <= 1) complete = 1;
    scene.update(platform);
}

void c_game_puzzle_c4_p3::on_draw(c_platform& platform, c_application_data&) {
    draw_puzzle_scene(platform, scene, ui);
}

bool c_game_puzzle_c4_p3::on_ui_event(c_platform&, c_application_data&, uint16_t) { return true; }

c_game_puzzle_c4_p3::hole* c_game_puzzle_c4_p3::middle(const hole& a, const hole& b) const {
    const int di = std::abs(int(a.i) - int(b.i)), dj = std::abs(int(a.j) - int(b.j));
    const bool line = (di == 0 && dj == 2) || (di == 2 && dj == 0) || (di == 2 && dj == 2);
    if (!line) return nullptr;
    return grid[(a.i + b.i) / 2][(a.j + b.j) / 2];
}

bool c_game_puzzle_c4_p3::jump(hole& from, hole& to) {
    hole* over = middle(from, to);
    if (!from.open || to.open || !over || !over->open) return false;
    // The jumping poppy's graphic moves to the target and glides to its home;
    // the empty graphic it takes in exchange stays collapsed.
    std::swap(from.graphic, to.graphic);
    to.open = 1;
    set_size(to, from.size);
    from.open = 0;
    set_size(from, 0);
    over->open = 0;
    return true;
}

void c_game_puzzle_c4_p3::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                                   c_application_data&) {
    if (offer_puzzle_mouse(platform, kind, dx, dy, ui, *this)) return;
    const vec2 pointer = puzzle_pointer(platform, scene);
    if ((kind & 0xff) == k_mouse_press) {
        selected = nearest_hole(holes, pointer);
        return;
    }
    if ((kind & 0xff) != k_mouse_release) return;
    hole* target = nearest_hole(holes, pointer);
    if (selected && target && jump(*selected, *target)) {
        selected = nullptr;
        return;
    }
    const float dx_reset = pointer.x - k_poppy_reset_spot.x, dy_reset = pointer.y - k_poppy_reset_spot.y;
    if (dx_reset * dx_reset + dy_reset * dy_reset < k_poppy_reset_limit) reset();
}

}  // namespace tw
