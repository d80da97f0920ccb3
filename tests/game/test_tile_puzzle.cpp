// The tile turning puzzle: over a small scene file, the start table, quarter
// turns that ease round one way (also across the wrap), tiles that accept any
// turn, and completion recomputed every tick; then the shipped puzzle solved
// through the real input path by pressing each tile until it is accepted.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "app/application_data.h"
#include "chapters/game_puzzle_c2_p3.h"
#include "scene/test_scene_fixture.h"
#include "support/puzzle_run.h"
#include "support/sample_walk.h"

namespace {

using c_puzzle = tw::c_game_puzzle_c2_p3;
constexpr float k_quarter = 1.5707964f;

// The start table as the player meets it: starting turn and the turns that are right.
struct c_tile_case {
    int start;
    std::vector<int> right;
};
const c_tile_case k_tiles[20] = {
    {2, {0}}, {2, {0}}, {2, {0}}, {0, {2}}, {0, {2}}, {1, {3}}, {0, {1}},
    {2, {1, 3}}, {0, {1, 3}}, {0, {1, 3}},
    {0, {0, 1, 2, 3}}, {0, {0, 1, 2, 3}}, {0, {0, 1, 2, 3}}, {0, {0, 1, 2, 3}},
    {1, {3}}, {0, {1}}, {0, {0, 2}}, {1, {0, 2}}, {1, {0, 2}}, {1, {0, 2}},
};

// Twenty tiles on a 5 x 4 grid, 900 units apart.
std::string tile_scene() {
    std::string graphics;
    for (int n = 0; n < 20; ++n) {
        graphics += "<graphic level_name=\"l\" name=\"t" + std::to_string(n) +
                    "\" file_name=\"t.bmp\" half_width=\"400\" half_height=\"400\">" +
                    tw_test::transform_xml("transform", float((n % 5 - 2) * 900), float((n / 5) * 900 - 1350), 0) +
                    "</graphic>";
    }
    return "<levels><level name=\"l\"/></levels><graphics>" + graphics +
           "</graphics><cameras><camera scene_width=\"4096\" name=\"camera1\"><position x=\"0\" y=\"0\" "
           "z=\"0\"/></camera></cameras>";
}

class tile_puzzle : public tw_test::c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        write("c2p3.xml", tile_scene());
        puzzle.setup(platform_);
    }
    void mouse_on(int n, uint16_t kind = tw::k_mouse_press) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform_, puzzle.scene.view, puzzle.nodes[size_t(n)]->x + 120,
                                 puzzle.nodes[size_t(n)]->y - 90, px, py);
        platform_.mouse_x = uint16_t(px);
        platform_.mouse_y = uint16_t(py);
        puzzle.on_mouse(platform_, kind, 0, 0, data);
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) puzzle.on_tick(platform_, data);
    }
    float angle(int n) const { return puzzle.nodes[size_t(n)]->graphic->transform.angle; }
    static bool right(int n, int turn) {
        for (int t : k_tiles[n].right)
            if (t == turn) return true;
        return false;
    }

    tw::c_application_data data;
    c_puzzle puzzle;
};

TEST_F(tile_puzzle, four_presses_turn_a_tile_round_one_way_back_to_its_start) {
    ASSERT_EQ(puzzle.nodes.size(), 20u);
    for (int n = 0; n < 20; ++n) {
        EXPECT_EQ(puzzle.nodes[size_t(n)]->turn, k_tiles[n].start) << n;
        EXPECT_EQ(c_puzzle::is_right(*puzzle.nodes[size_t(n)]), right(n, k_tiles[n].start)) << n;
        EXPECT_FLOAT_EQ(angle(n), float(k_tiles[n].start) * k_quarter) << n;  // opened turned, still
        EXPECT_NEAR(puzzle.nodes[size_t(n)]->graphic->transform.m[1], std::sin(angle(n)), 1e-6f);
    }
    // Tile 5 starts a quarter turned; every press turns it on counter-clockwise, the
    // third through the wrap to turn 0 without spinning back.
    const int n = 5;
    const float start = angle(n);
    float shown = start;  // the orientation seen, unwrapped
    for (int press = 1; press <= 4; ++press) {
        mouse_on(n);
        EXPECT_EQ(puzzle.nodes[n]->turn, (k_tiles[n].start + press) % 4);
        if (puzzle.nodes[n]->turn == 0) shown -= 6.2831855f;  // the same look, a full turn less
        EXPECT_NEAR(angle(n), shown, 1e-5f);
        for (int t = 0; t < 60; ++t) {
            tick();
            EXPECT_GE(angle(n), shown) << "press " << press << " tick " << t;
            shown = angle(n);
        }
        EXPECT_NEAR(angle(n), puzzle.nodes[n]->goal, 0.01f);
    }
    EXPECT_NEAR(angle(n), start, 0.01f);
    // Drags and releases never turn a tile.
    mouse_on(n, tw::k_mouse_drag);
    mouse_on(n, tw::k_mouse_release);
    EXPECT_EQ(puzzle.nodes[n]->turn, k_tiles[n].start);
}

TEST_F(tile_puzzle, whole_once_every_tile_is_accepted_whatever_the_free_tiles_show_and_rechecked_each_tick) {
    tick();
    EXPECT_EQ(puzzle.complete, 0);
    // Turn every tile but the last to its first accepted turn, and tiles 10 to 13
    // by 0 to 3 presses: they never hold the puzzle back.
    for (int n = 0; n < 19; ++n) {
        int presses = (k_tiles[n].right[0] - k_tiles[n].start + 4) % 4;
        if (n >= 10 && n <= 13) presses = n - 10;
        for (int p = 0; p < presses; ++p) mouse_on(n);
        tick();
        EXPECT_EQ(puzzle.complete, 0) << n;
    }
    // The last tile: right at its second accepted turn (0 or 2, from 1 three presses on).
    for (int p = 0; p < 3; ++p) mouse_on(19);
    EXPECT_EQ(puzzle.nodes[19]->turn, 0);
    tick();
    EXPECT_EQ(puzzle.complete, 1);  // while the last tile is still turning
    EXPECT_GT(std::fabs(angle(19) - puzzle.nodes[19]->goal), 0.1f);
    // Not latched: one more press undoes it on the next tick, another restores it.
    mouse_on(16);
    tick();
    EXPECT_EQ(puzzle.complete, 0);
    mouse_on(16);
    tick();
    EXPECT_EQ(puzzle.complete, 1);
}

// The shipped puzzle: each tile pressed until it is accepted, through the window.
TEST(tile_puzzle_solver, solves_the_shipped_puzzle_by_pressing_each_tile_until_accepted) {
    c_puzzle puzzle;
    tw_test::c_puzzle_run run(TW_CONTENT_DIR, puzzle, [&](tw::c_platform& p) { puzzle.setup(p); });
    ASSERT_EQ(puzzle.nodes.size(), 20u);
    while (!run.host->shown()) run.frame();
    for (auto& node : puzzle.nodes) {
        for (int p = 0; p < 4 && !c_puzzle::is_right(*node); ++p) run.click_scene(puzzle.scene, node->x, node->y);
        EXPECT_TRUE(c_puzzle::is_right(*node));
    }
    for (int frame = 0; frame < 600 && run.host->completed < 0; ++frame) run.frame();
    EXPECT_EQ(run.host->completed, 3);
    EXPECT_EQ(run.presses, 22);  // the least: each tile's way round to its nearest accepted turn
    std::printf("tiles solved: %ld ticks, %d presses\n", run.host->completed_at, run.presses);
}

}  // namespace
