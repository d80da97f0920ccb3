// The seed sorting puzzle: the cell layout and links, the seeded scramble, the
// press-and-release exchange and the seeds' glide.
#include "chapters/game_puzzle_c1_p2.h"

#include <cmath>
#include <string>

#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {

constexpr float k_two_pi = 6.2831855f;
constexpr float k_pi = 3.1415927f;
constexpr float k_half_step = 0.3926991f;  // pi / 8: odd places sit between the spokes
constexpr float k_first_radius = 740.0f;
constexpr float k_place_step = 200.0f;
constexpr float k_centre_offset = -30.0f;  // the head's centre in the scene, x and y

void glide(float& shown, float goal) { shown += k_seed_glide * (goal - shown); }

}  // namespace

void c_game_puzzle_c1_p2::setup(c_platform& platform) {
    scene.load(platform, "c1p2.xml");
    swappers.clear();
    seeds.clear();
    selected = nullptr;
    complete = 0;

    // Odd places are turned half a spoke, so neighbouring spokes interlock;
    // each cell is turned so that a seed's local +y points at the centre.
    for (int s = 0; s < k_seed_spokes; ++s) {
        for (int k = 0; k < k_seed_places; ++k) {
            float theta = float(s) * k_two_pi / float(k_seed_spokes);
            if (k % 2 == 1) theta += k_half_step;
            const float distance = k_first_radius + k_place_step * float(k);
            c_transform& t = cell(s, k).transform;
            transform_identity(t);
            t.tx = distance * std::sin(theta) + k_centre_offset;
            t.ty = distance * std::cos(theta) + k_centre_offset;
            t.tz = 0;
            transform_set_angle(t, k_pi - theta);
            cell(s, k).occupant = nullptr;
        }
    }

    // The scramble draws swappers by index, so this order is part of the layout.
    auto link = [this](c_cell& a, c_cell& b) {
        auto created = std::make_unique<swapper>();
        created->a = &a;
        created->b = &b;
        swappers.push_back(std::move(created));
    };
    for (int s = 0; s < k_seed_spokes; ++s) {
        const int p = s == 0 ? k_seed_spokes - 1 : s - 1;
        for (int k = 0; k < k_seed_places; ++k) {
            if (k < k_seed_places - 1) {
                link(cell(s, k), cell(s, k + 1));
                // Across to the previous spoke, whose odd places lean towards this one.
                if (k % 2 == 1) {
                    link(cell(p, k), cell(s, k + 1));
                } else {
                    link(cell(s, k), cell(p, k + 1));
                }
            }
            if (k < k_seed_places - 2) link(cell(s, k), cell(s, k + 2));
        }
    }

    for (int s = 0; s < k_seed_spokes; ++s) {
        for (int k = 0; k < k_seed_places; ++k) {
            auto seed = std::make_unique<c_seed>();
            seed->kind = k;
            const std::string file = "c1/p2/1aseed" + std::to_string(k + 1) + ".bmp";
            platform.set_rect(seed->quad, platform.get_material(file, false), k_seed_half_size,
                              k_seed_half_size, 0, 1, 0, 1);
            cell(s, k).occupant = seed.get();
            seeds.push_back(std::move(seed));
        }
    }

    tw::srand(k_seed_scramble_seed);
    for (int i = 0; i < k_seed_scramble_moves; ++i) {
        exchange(*swappers[size_t(tw::rand()) % swappers.size()]);
    }
    // The head opens already scrambled, with nothing moving.
    for (c_cell& c : cells) {
        c.occupant->shown = c.transform;
        c.occupant->goal = c.transform;
    }
}

void c_game_puzzle_c1_p2::exchange(const swapper& link) {
    std::swap(link.a->occupant, link.b->occupant);
    link.a->occupant->goal = link.a->transform;
    link.b->occupant->goal = link.b->transform;
}

void c_game_puzzle_c1_p2::on_tick(c_platform&, c_application_data&) {
    for (auto& seed : seeds) {
        c_transform& shown = seed->shown;
        const c_transform& goal = seed->goal;
        glide(shown.tx, goal.tx);
        glide(shown.ty, goal.ty);
        glide(shown.tz, goal.tz);
        // The angle glides as a plain number: a seed moving between the last
        // spoke and the first turns the long way round instead of wrapping.
        glide(shown.angle, goal.angle);
        transform_set_angle(shown, shown.angle);
    }
    if (complete) return;
    for (int s = 0; s < k_seed_spokes; ++s) {
        for (int k = 0; k < k_seed_places; ++k) {
            if (cell(s, k).occupant->kind != k) return;
        }
    }
    complete = 1;
}

void c_game_puzzle_c1_p2::on_draw(c_platform& platform, c_application_data&) {
    scene.draw(platform);
    for (const auto& seed : seeds) platform.draw_quad(seed->quad, seed->shown);
}

bool c_game_puzzle_c1_p2::on_ui_event(c_platform&, c_application_data&, uint16_t) {
    return true;
}

void c_game_puzzle_c1_p2::on_mouse(c_platform& platform, uint16_t kind, uint16_t, uint16_t,
                                   c_application_data&) {
    const vec2 pointer = puzzle_pointer(platform, scene);
    if (kind == k_mouse_press) {
        std::vector<vec2> places;
        places.reserve(cells.size());
        for (const c_cell& c : cells) places.push_back({c.transform.tx, c.transform.ty});
        const int index = nearest_index(places, pointer, k_seed_pick_limit);
        selected = index >= 0 ? &cells[size_t(index)] : nullptr;
    } else if (kind == k_mouse_release && selected) {
        // The release picks the direction: the linked neighbour nearest to it,
        // however far away; the selection stays for the next release.
        const swapper* best = nullptr;
        float best_distance = 0;
        for (const auto& link : swappers) {
            const c_cell* other = nullptr;
            if (link->a == selected) {
                other = link->b;
            } else if (link->b == selected) {
                other = link->a;
            } else {
                continue;
            }
            const float d = vec2_distance_sq({other->transform.tx, other->transform.ty}, pointer);
            if (!best || d < best_distance) {
                best = link.get();
                best_distance = d;
            }
        }
        if (best) exchange(*best);
    }
}

}  // namespace tw
