// The leaf pairs puzzle over a small scene file: the shuffle drawn from the
// shared generator, choosing by press, drag and release, judging after the
// wait and the leaves' turn; then every catalogued puzzle solved headless by
// its scripted player through the real input path over the shipped content.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_loop.h"
#include "chapters/game_puzzle_c3_p2.h"
#include "platform/random.h"
#include "platform/render_device_recording.h"
#include "platform/texture.h"
#include "platform/window_headless.h"
#include "scene/test_scene_fixture.h"
#include "support/puzzle_catalogue.h"
#include "support/temp_folder.h"

namespace {

using c_puzzle = tw::c_game_puzzle_c3_p2;

constexpr int k_turn_frames = 34;  // a whole turn at 0.03 a frame, the last step short

// Placeholder n of the small scene: six columns of two rows.
float column_x(int n) { return float(n % 6) * 1600.0f - 4000.0f; }
float row_y(int n) { return n < 6 ? 1200.0f : -1200.0f; }

std::string board_xml() {
    std::string graphics;
    for (int n = 0; n < 12; ++n) {
        graphics += "<graphic level_name=\"board\" name=\"leaf" + std::to_string(n) +
                    "\" file_name=\"c3/p2/pair/leaf_front.bmp\" half_width=\"512\" half_height=\"1024\">" +
                    tw_test::transform_xml("transform", column_x(n), row_y(n), 0, 0.01f * float(n)) +
                    "</graphic>";
    }
    return "<levels><level name=\"board\"/></levels><graphics>" + graphics +
           "</graphics><cameras><camera scene_width=\"5120\" name=\"camera1\">"
           "<position x=\"0\" y=\"0\" z=\"0\"/></camera></cameras>";
}

class leaf_puzzle : public tw_test::c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        write("c3p2.xml", board_xml());
    }
    // Aims the pointer at a scene point (through window pixels) and delivers one event.
    void mouse(uint16_t kind, float x, float y) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform_, puzzle.scene.view, x, y, px, py);
        platform_.mouse_x = uint16_t(px);
        platform_.mouse_y = uint16_t(py);
        puzzle.on_mouse(platform_, kind, 0, 0, data);
    }
    void mouse_on(uint16_t kind, const c_puzzle::leaf* leaf) {
        mouse(kind, leaf->transform.tx, leaf->transform.ty);
    }
    void click(const c_puzzle::leaf* leaf) {
        mouse_on(tw::k_mouse_press, leaf);
        mouse_on(tw::k_mouse_release, leaf);
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) puzzle.on_tick(platform_, data);
    }
    void draw(int n = 1) {
        for (int i = 0; i < n; ++i) {
            device_.calls.clear();
            puzzle.on_draw(platform_, data);
        }
    }
    // The first two leaves on the board whose beetles differ, and the partner of the first.
    void pick(c_puzzle::leaf*& a, c_puzzle::leaf*& other, c_puzzle::leaf*& partner) {
        a = puzzle.leaves[0].get();
        other = partner = nullptr;
        for (const auto& leaf : puzzle.leaves) {
            if (leaf.get() == a) continue;
            if (leaf->pair == a->pair) partner = leaf.get();
            if (leaf->pair != a->pair && !other) other = leaf.get();
        }
    }
    std::string texture_of(const tw::c_quad& quad) const { return quad.material->texture->file_name; }

    tw::c_application_data data;
    c_puzzle puzzle;
};

TEST_F(leaf_puzzle, setup_shuffles_from_the_running_generator_onto_the_placeholders) {
    // The expected order, drawn as the puzzle draws it: i then j, 128 times.
    tw::srand(4242);
    std::vector<std::string> order;
    for (int p = 1; p <= 6; ++p)
        for (const char* picture : {"a", "b"})
            order.push_back("c3/p2/pair/beetle" + std::to_string(p) + picture + ".bmp");
    for (int n = 0; n < 128; ++n) {
        const int i = tw::rand() % 12;
        const int j = tw::rand() % 12;
        if (i != j) std::swap(order[size_t(i)], order[size_t(j)]);
    }
    const int next_value = tw::rand();

    tw::srand(4242);
    puzzle.setup(platform_);
    // The shuffle leaves the sequence running on: it does not reseed.
    EXPECT_EQ(tw::rand(), next_value);
    ASSERT_EQ(puzzle.leaves.size(), 12u);
    EXPECT_TRUE(puzzle.scene.graphics.empty());
    EXPECT_EQ(puzzle.scene.view.zoom, 5120.0f);
    for (size_t n = 0; n < 12; ++n) {
        const c_puzzle::leaf& leaf = *puzzle.leaves[n];
        EXPECT_EQ(texture_of(leaf.picture), order[n]) << n;
        EXPECT_EQ(order[n][17] - '1', leaf.pair) << n;  // the digit of "beetleNx"
        EXPECT_EQ(texture_of(leaf.face_down), "c3/p2/pair/leaf_front.bmp");
        EXPECT_EQ(texture_of(leaf.face_up), "c3/p2/pair/leaf_back.bmp");
        EXPECT_EQ(leaf.transform.tx, column_x(int(n))) << n;
        EXPECT_EQ(leaf.transform.ty, row_y(int(n))) << n;
        EXPECT_NEAR(leaf.transform.angle, 0.01f * float(n), 1e-6f);
        EXPECT_TRUE(leaf.down);
        EXPECT_EQ(leaf.turn, 0.0f);
    }

    // Face down every leaf draws its upper side, full width, after the scene
    // (here only the letterbox's two bands).
    draw();
    const std::vector<tw::c_recorded_draw> draws = device_.draws();
    ASSERT_EQ(draws.size(), 2u + 12u);
    EXPECT_FLOAT_EQ(draws[2].positions[0].x, -512.0f);
    EXPECT_FLOAT_EQ(draws[2].positions[2].y, -1024.0f);
}

TEST_F(leaf_puzzle, a_click_chooses_once_a_drag_chooses_the_second_and_the_wait_holds_both) {
    puzzle.setup(platform_);
    c_puzzle::leaf* a = puzzle.leaves[0].get();
    c_puzzle::leaf* b = puzzle.leaves[1].get();
    c_puzzle::leaf* c = puzzle.leaves[2].get();

    // Press and release on one leaf: it is first, and the release does not choose it again.
    click(a);
    EXPECT_EQ(puzzle.first, a);
    EXPECT_EQ(puzzle.second, nullptr);
    EXPECT_FALSE(a->down);
    EXPECT_EQ(puzzle.wait, 0);
    // However long nothing else is chosen, it stays up.
    tick(500);
    draw(60);
    EXPECT_EQ(a->turn, 1.0f);

    // Pressed again on it and dragged: nearer to it nothing happens, the first
    // leaf the pointer comes nearest to is the second, later ones are passed over.
    mouse_on(tw::k_mouse_press, a);
    mouse(tw::k_mouse_drag, a->transform.tx + 300, a->transform.ty);
    EXPECT_EQ(puzzle.second, nullptr);
    mouse_on(tw::k_mouse_drag, b);
    EXPECT_EQ(puzzle.second, b);
    EXPECT_FALSE(b->down);
    EXPECT_EQ(puzzle.wait, 160);
    mouse_on(tw::k_mouse_drag, c);
    mouse_on(tw::k_mouse_release, c);
    // Clicks while the pair waits change nothing.
    tick(100);
    click(c);
    click(puzzle.leaves[5].get());
    EXPECT_EQ(puzzle.first, a);
    EXPECT_EQ(puzzle.second, b);
    EXPECT_TRUE(c->down);
    EXPECT_EQ(puzzle.wait, 60);

    // A press far off the board still takes the nearest leaf: there is no limit.
    tick(60);
    mouse(tw::k_mouse_press, 100000, 100000);
    EXPECT_NE(puzzle.first, nullptr);
}

TEST_F(leaf_puzzle, found_pairs_leave_face_up_others_turn_back_and_the_last_pair_completes) {
    puzzle.setup(platform_);
    c_puzzle::leaf *a = nullptr, *other = nullptr, *partner = nullptr;
    pick(a, other, partner);

    // Two different beetles: face up through the wait, then both turn back.
    click(a);
    click(other);
    draw(k_turn_frames);
    EXPECT_EQ(a->turn, 1.0f);
    EXPECT_EQ(other->turn, 1.0f);
    tick(159);
    EXPECT_EQ(puzzle.second, other);
    tick();
    EXPECT_EQ(puzzle.first, nullptr);
    EXPECT_EQ(puzzle.second, nullptr);
    EXPECT_TRUE(a->down && other->down);
    EXPECT_EQ(puzzle.leaves.size(), 12u);
    // Turning back narrows the face-up side, then widens the upper side again.
    draw(5);
    EXPECT_NEAR(a->turn, 0.85f, 1e-5f);
    std::vector<tw::c_recorded_draw> draws = device_.draws();
    // The letterbox, ten leaves face down, two face up with their beetles.
    ASSERT_EQ(draws.size(), 2u + 10u + 2u * 2u);
    draw(k_turn_frames - 6);
    EXPECT_GT(a->turn, 0.0f);
    draw();
    EXPECT_EQ(a->turn, 0.0f);
    EXPECT_EQ(other->turn, 0.0f);

    // Every pair in turn: each leaves the board still face up the moment its wait ends.
    while (!puzzle.leaves.empty()) {
        pick(a, other, partner);
        click(a);
        click(partner);
        draw(10);
        tick(159);
        EXPECT_EQ(puzzle.leaves.size() % 2, 0u);
        const size_t before = puzzle.leaves.size();
        EXPECT_GT(a->turn, 0.0f);
        tick();
        EXPECT_EQ(puzzle.leaves.size(), before - 2);
        if (!puzzle.leaves.empty()) {
            tick();
            EXPECT_FALSE(puzzle.complete);
        }
    }
    EXPECT_FALSE(puzzle.complete);
    tick();
    EXPECT_TRUE(puzzle.complete);
    // An empty board draws only the scene and ignores the pointer.
    mouse(tw::k_mouse_press, 0, 0);
    EXPECT_EQ(puzzle.first, nullptr);
}

// Every puzzle of the catalogue, from setup to complete through window pixels,
// one mouse event per frame and one tick per frame, over the shipped content.
TEST(puzzle_catalogue, every_puzzle_is_solved_by_its_player_through_the_real_input_path) {
    namespace fs = std::filesystem;
    constexpr int k_frame_limit = 60 * 60 * 5;
    const fs::path old_dir = fs::current_path();
    fs::current_path(TW_CONTENT_DIR);
    for (const tw_test::c_puzzle_entry& entry : tw_test::puzzle_catalogue()) {
        SCOPED_TRACE(entry.name);
        tw::c_window_headless window;
        tw::c_render_device_recording device;
        tw::c_platform platform{window, device};
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(1920, 1080);
        window.seconds_per_swap = 1.0 / 60;
        tw_test::c_puzzle_host host(entry);
        tw::run_frame(platform, host);
        host.start(platform);
        int frame = 0;
        for (; frame < k_frame_limit && !host.puzzle->complete && host.player->stuck.empty(); ++frame) {
            device.calls.clear();
            tw::run_frame(platform, host);
        }
        EXPECT_EQ(host.player->stuck, "");
        EXPECT_TRUE(host.puzzle->complete);
        EXPECT_TRUE(host.loaded(platform));
        EXPECT_GT(platform.loaded_texture_count(), 0u);
        std::printf("%s: solved in %d ticks with %d presses\n", entry.name, host.ticks,
                    host.player->presses);
        host.stop(platform);
        platform.release_all();
    }
    fs::current_path(old_dir);
}

}  // namespace
