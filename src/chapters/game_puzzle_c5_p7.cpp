// The scarab rings: the pieces and where they stand, ring turns, the spare
// exchange, the shuffle, the gliding and turning of pieces and the press.
#include "chapters/game_puzzle_c5_p7.h"

#include <cmath>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {

constexpr float k_pi = 3.14159265f;
constexpr float k_quarter_angles[4] = {0.0f, 1.5707964f, 3.1415927f, 4.712389f};
constexpr char k_ring_letters[k_scarab_rings] = {'a', 'b', 'c'};

// Each ring's quad in the piece's own frame, outwards along local y; the
// bitmap's top row is the edge farthest from the centre.
struct c_ring_quad {
    float bottom, top, half_width;
};
constexpr c_ring_quad k_ring_quads[k_scarab_rings] = {
    {744, 1256, 512},  // outer: 512 high, 1000 out
    {464, 976, 512},   // middle: 512 high, 720 out
    {-32, 992, 512},   // inner: 1024 high, 480 out
};

// Creation order: ring a by number, then b1..b3, b5, b4, then ring c by number.
struct c_piece_order {
    int ring, number;
};
constexpr c_piece_order k_creation_order[k_scarab_slots] = {
    {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 1}, {1, 2}, {1, 3},
    {1, 5}, {1, 4}, {2, 1}, {2, 2}, {2, 3}, {2, 4}, {2, 5},
};

}  // namespace

void c_game_puzzle_c5_p7::setup(c_platform& platform) {
    screen = open_puzzle_scene(platform, scene, ui, k_scarab_scene_file);
    complete = 0;
    vec3 eye{};
    for (const auto& camera : scene.cameras)
        if (camera->name == "camera1") {
            eye = camera->position;
            break;
        }
    centre = {eye.x, eye.y - k_scarab_centre_drop, eye.z};
    spare = {centre.x, centre.y + k_scarab_spare_rise, centre.z};
    button = {centre.x, centre.y + k_scarab_button_rise};
    create_pieces(platform);
    for (int i = 0; i < k_scarab_slots; ++i) arrangement[size_t(i)] = &slots[size_t(i)];
    for (int move = 0; move < k_scarab_shuffle_moves; ++move) {
        if (tw::rand() % 3 != 0) {
            turn(tw::rand() % k_scarab_rings);
        } else {
            exchange();
        }
    }
    for (int k = 0; k < k_scarab_positions; ++k)
        for (int r = 0; r < k_scarab_rings; ++r) {
            c_transform& t = at(k, r)->graphic->transform;
            const vec3 p = target_position(k);
            t.tx = p.x, t.ty = p.y, t.tz = p.z;
            transform_set_angle(t, target_angle(k));
        }
}

void c_game_puzzle_c5_p7::create_pieces(c_platform& platform) {
    for (const c_piece_order& order : k_creation_order) {
        const int k = order.number - 1;
        slot& s = slots[size_t(k * k_scarab_rings + order.ring)];
        s.number = uint16_t(order.number);
        auto graphic = std::make_unique<c_scene_graphic>();
        graphic->level_name = k_scarab_level;
        graphic->name = "scarab" + std::to_string(order.number) + k_ring_letters[order.ring];
        graphic->file_name = "c5/p7/" + graphic->name + ".bmp";
        const c_ring_quad& q = k_ring_quads[order.ring];
        graphic->half_width = q.half_width;
        graphic->half_height = (q.top - q.bottom) / 2;
        build_graphic_quad(platform, *graphic);
        graphic->quad.buffer.set_quad_rect(-q.half_width, q.top, q.half_width, q.bottom);
        // Without the level the pieces still exist and play, but nothing draws them.
        s.graphic = scene.add_graphic(std::move(graphic));
    }
}

void c_game_puzzle_c5_p7::turn(int ring) {
    slot* first = at(0, ring);
    for (int k = 0; k < 3; ++k) at(k, ring) = at(k + 1, ring);
    at(3, ring) = first;
}

void c_game_puzzle_c5_p7::exchange() {
    for (int r = 0; r < k_scarab_rings; ++r) std::swap(at(0, r), at(k_scarab_spare, r));
}

bool c_game_puzzle_c5_p7::whole() const {
    for (int k = 0; k < k_scarab_positions; ++k) {
        const uint16_t n = at(k, 0)->number;
        if (at(k, 1)->number != n || at(k, 2)->number != n) return false;
    }
    return true;
}

vec3 c_game_puzzle_c5_p7::target_position(int k) const { return k == k_scarab_spare ? spare : centre; }

float c_game_puzzle_c5_p7::target_angle(int k) { return k == k_scarab_spare ? 0.0f : k_quarter_angles[k]; }

void c_game_puzzle_c5_p7::ease_pieces() {
    for (int k = 0; k < k_scarab_positions; ++k) {
        const vec3 target = target_position(k);
        const float target_turn = target_angle(k);
        for (int r = 0; r < k_scarab_rings; ++r) {
            c_transform& t = at(k, r)->graphic->transform;
            vec2 way{target.x - t.tx, target.y - t.ty};
            if (way.x * way.x + way.y * way.y > k_scarab_settled_sq) {
                vec2_normalize(way);
                t.tx += way.x * k_scarab_glide_step;
                t.ty += way.y * k_scarab_glide_step;
            }
            float e = target_turn - t.angle;
            while (e > k_pi) e -= 2 * k_pi;
            while (e < -k_pi) e += 2 * k_pi;
            if (std::fabs(e) > k_scarab_turn_step)
                transform_set_angle(t, t.angle + (e > 0 ? k_scarab_turn_step : -k_scarab_turn_step));
        }
    }
}

void c_game_puzzle_c5_p7::on_tick(c_platform& platform, c_application_data& data) {
    update_puzzle_ui(platform, data, ui, *this);
    ease_pieces();
    if (whole()) complete = 1;
    scene.update(platform);
}

void c_game_puzzle_c5_p7::on_draw(c_platform& platform, c_application_data&) {
    draw_puzzle_scene(platform, scene, ui);
}

bool c_game_puzzle_c5_p7::on_ui_event(c_platform&, c_application_data&, uint16_t) { return true; }

void c_game_puzzle_c5_p7::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                                   c_application_data&) {
    if (offer_puzzle_mouse(platform, kind, dx, dy, ui, *this)) return;
    if (kind != k_mouse_press) return;
    const vec2 pointer = puzzle_pointer(platform, scene);
    const float d = vec2_distance(pointer, {centre.x, centre.y});
    if (d < k_scarab_inner_radius) {
        turn(2);
    } else if (d < k_scarab_middle_radius) {
        turn(1);
    } else if (d < k_scarab_outer_radius) {
        turn(0);
    } else if (vec2_distance(pointer, button) < k_scarab_button_radius) {
        exchange();
    }
}

}  // namespace tw
