// The leaf pairs puzzle: the shuffle onto the scene's placeholders, choosing
// two leaves with the pointer, judging them after a wait, and the turning leaf.
#include "chapters/game_puzzle_c3_p2.h"

#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {

constexpr const char* k_leaf_front_file = "c3/p2/pair/leaf_front.bmp";
constexpr const char* k_leaf_back_file = "c3/p2/pair/leaf_back.bmp";
constexpr const char* k_camera = "camera1";
// The quads' shapes at creation; draw gives them their true corners.
constexpr float k_leaf_made_half_width = 128.0f;
constexpr float k_leaf_made_half_height = 256.0f;
constexpr float k_picture_made_half_size = 128.0f;

std::string beetle_file(uint16_t pair, char picture) {
    return "c3/p2/pair/beetle" + std::to_string(pair + 1) + picture + ".bmp";
}

}  // namespace

c_game_puzzle_c3_p2::leaf::leaf(c_platform& platform, uint16_t pair_number, char picture_name)
    : pair(pair_number) {
    platform.set_rect(face_down, platform.get_material(k_leaf_front_file, false),
                      k_leaf_made_half_width, k_leaf_made_half_height, 0, 1, 0, 1);
    platform.set_rect(face_up, platform.get_material(k_leaf_back_file, false),
                      k_leaf_made_half_width, k_leaf_made_half_height, 0, 1, 0, 1);
    platform.set_rect(picture, platform.get_material(beetle_file(pair, picture_name), false),
                      k_picture_made_half_size, k_picture_made_half_size, 0, 1, 0, 1);
}

void c_game_puzzle_c3_p2::leaf::draw(c_platform& platform) {
    if (down) {
        turn = turn > k_leaf_turn_step ? turn - k_leaf_turn_step : 0;
    } else {
        turn = turn < 1 - k_leaf_turn_step ? turn + k_leaf_turn_step : 1;
    }
    // The leaf is seen edge-on at half a turn: each face narrows towards it.
    if (turn < 0.5f) {
        const float s = 1 - 2 * turn;
        face_down.buffer.set_quad_rect(-k_leaf_half_width * s, k_leaf_half_height,
                                       k_leaf_half_width * s, -k_leaf_half_height);
        platform.draw_quad(face_down, transform);
    } else {
        const float s = 2 * turn - 1;
        face_up.buffer.set_quad_rect(-k_leaf_half_width * s, k_leaf_half_height,
                                     k_leaf_half_width * s, -k_leaf_half_height);
        picture.buffer.set_quad_rect(-k_leaf_picture_half_size * s, k_leaf_picture_half_size,
                                     k_leaf_picture_half_size * s, -k_leaf_picture_half_size);
        platform.draw_quad(face_up, transform);
        platform.draw_quad(picture, transform);
    }
}

void c_game_puzzle_c3_p2::setup(c_platform& platform) {
    first = nullptr;
    second = nullptr;
    wait = 0;
    complete = 0;
    leaves.clear();
    scene.load(platform, k_leaf_scene_file);
    scene.set_camera(k_camera);

    std::vector<std::unique_ptr<leaf>> made;
    for (uint16_t pair = 0; pair < k_leaf_pairs; ++pair) {
        made.push_back(std::make_unique<leaf>(platform, pair, 'a'));
        made.push_back(std::make_unique<leaf>(platform, pair, 'b'));
    }
    // Both indices are drawn every time, so a swap of a leaf with itself still
    // uses up two numbers of the shared sequence.
    for (int n = 0; n < k_leaf_shuffle_swaps; ++n) {
        const int i = tw::rand() % k_leaf_count;
        const int j = tw::rand() % k_leaf_count;
        if (i != j) std::swap(made[size_t(i)], made[size_t(j)]);
    }
    leaves = std::move(made);

    // The scene's graphics only mark where the leaves lie.
    for (auto& placed : leaves) {
        if (scene.graphics.empty()) break;
        const c_scene_graphic* mark = scene.graphics.front().get();
        placed->transform = mark->transform;
        scene.remove_graphic(mark);
    }
}

void c_game_puzzle_c3_p2::on_tick(c_platform&, c_application_data&) {
    if (!complete && leaves.empty()) complete = 1;
    if (wait <= 0) return;
    if (--wait > 0) return;
    if (first->pair == second->pair) {
        // A found pair leaves the board at once, still face up.
        for (leaf* gone : {first, second}) {
            for (auto it = leaves.begin(); it != leaves.end(); ++it) {
                if (it->get() == gone) {
                    leaves.erase(it);
                    break;
                }
            }
        }
    } else {
        first->down = 1;
        second->down = 1;
    }
    first = nullptr;
    second = nullptr;
}

void c_game_puzzle_c3_p2::on_draw(c_platform& platform, c_application_data&) {
    scene.draw(platform);
    for (auto& each : leaves) each->draw(platform);
}

bool c_game_puzzle_c3_p2::on_ui_event(c_platform&, c_application_data&, uint16_t) {
    return true;
}

void c_game_puzzle_c3_p2::on_mouse(c_platform& platform, uint16_t, uint16_t, uint16_t,
                                   c_application_data&) {
    if (leaves.empty()) return;
    const vec2 pointer = puzzle_pointer(platform, scene);
    std::vector<vec2> places;
    places.reserve(leaves.size());
    for (const auto& each : leaves) places.push_back({each->transform.tx, each->transform.ty});
    leaf* nearest = leaves[size_t(nearest_index(places, pointer))].get();
    // Every event chooses, so the release of the click that chose a leaf finds
    // it already first, and a drag chooses the next leaf it comes nearest to.
    if (!first) {
        first = nearest;
        first->down = 0;
    } else if (nearest != first && !second) {
        second = nearest;
        second->down = 0;
        wait = k_leaf_wait_ticks;
    }
}

}  // namespace tw
