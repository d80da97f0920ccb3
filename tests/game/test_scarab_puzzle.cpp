// The scarab rings over the shipped scene: the pieces made in their order and
// level, the shuffle drawn from the game's generator, turns and exchanges that
// undo themselves, the ring boundaries, the gliding pieces and completion while
// they still move.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/application_data.h"
#include "chapters/game_puzzle_c5_p7.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/sample_walk.h"

namespace {

using c_puzzle = tw::c_game_puzzle_c5_p7;
using c_arrangement = std::array<c_puzzle::slot*, tw::k_scarab_slots>;

class scarab_puzzle : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(TW_CONTENT_DIR);
        // Two scene units to the pixel, so the ring boundaries fall on whole pixels.
        platform.update_screen_size(3400, 1700);
        tw::srand(k_seed);
        puzzle.setup(platform);
    }
    void TearDown() override { std::filesystem::current_path(old_dir_); }

    // A press at a scene point, through the window's pixels.
    void press(float x, float y) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform, puzzle.scene.view, x, y, px, py);
        platform.on_mouse_position(px, py);
        platform.on_mouse_button(0, tw::k_action_press);
        tw::c_mouse_event e;
        ASSERT_TRUE(platform.take_mouse_event(e));
        puzzle.on_mouse(platform, e.kind, e.dx, e.dy, data);
        platform.on_mouse_button(0, tw::k_action_release);
        platform.take_mouse_event(e);
    }
    // A press at a distance left of the centre, away from the spare button.
    void press_at_distance(float d) { press(puzzle.centre.x - d, puzzle.centre.y); }

    static constexpr uint32_t k_seed = 1234;
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_application_data data;
    c_puzzle puzzle;

private:
    std::filesystem::path old_dir_;
};

TEST_F(scarab_puzzle, pieces_are_made_in_order_and_shuffled_by_the_games_generator) {
    ASSERT_NE(puzzle.scene.find_level(tw::k_scarab_level), nullptr);
    EXPECT_EQ(puzzle.scene.find_level(tw::k_scarab_level)->graphics.size(), 15u + 1u);  // and the button
    const char* const order[] = {"1a", "2a", "3a", "4a", "5a", "1b", "2b", "3b",
                                 "5b", "4b", "1c", "2c", "3c", "4c", "5c"};
    const size_t first = puzzle.scene.graphics.size() - 15;
    for (size_t i = 0; i < 15; ++i)
        EXPECT_EQ(puzzle.scene.graphics[first + i]->file_name, std::string("c5/p7/scarab") + order[i] + ".bmp");
    for (int k = 0; k < 5; ++k)
        for (int r = 0; r < 3; ++r) EXPECT_EQ(puzzle.slots[size_t(k * 3 + r)].number, k + 1);

    // The shuffle is 32 of the player's own moves drawn from the shared generator.
    c_puzzle replay;
    replay.slots = puzzle.slots;
    for (int i = 0; i < 15; ++i) replay.arrangement[size_t(i)] = &puzzle.slots[size_t(i)];
    tw::srand(k_seed);
    for (int move = 0; move < 32; ++move) {
        if (tw::rand() % 3 != 0) {
            replay.turn(tw::rand() % 3);
        } else {
            replay.exchange();
        }
    }
    EXPECT_EQ(replay.arrangement, puzzle.arrangement);
    EXPECT_FALSE(puzzle.whole());
    // Each piece stands where its position is, at once.
    const tw::c_transform& t = puzzle.at(1, 0)->graphic->transform;
    EXPECT_FLOAT_EQ(t.tx, puzzle.centre.x);
    EXPECT_FLOAT_EQ(t.angle, 1.5707964f);
    EXPECT_FLOAT_EQ(puzzle.at(4, 2)->graphic->transform.ty, puzzle.centre.y + 1100);
}

TEST_F(scarab_puzzle, presses_turn_rings_by_distance_and_moves_undo_themselves) {
    const c_arrangement before = puzzle.arrangement;
    c_arrangement middle_turned = before;
    for (int k = 0; k < 4; ++k) middle_turned[size_t(k * 3 + 1)] = before[size_t(((k + 1) % 4) * 3 + 1)];

    press_at_distance(700);  // exactly 700: the middle ring
    EXPECT_EQ(puzzle.arrangement, middle_turned);
    for (int i = 0; i < 3; ++i) press_at_distance(780);
    EXPECT_EQ(puzzle.arrangement, before);  // four quarter turns
    press_at_distance(1200);                // the rim: nothing turns
    EXPECT_EQ(puzzle.arrangement, before);
    press_at_distance(1100);  // outer ring
    EXPECT_EQ(puzzle.at(0, 0), before[3]);
    press_at_distance(300);  // inner ring
    EXPECT_EQ(puzzle.at(0, 2), before[5]);

    const c_arrangement turned = puzzle.arrangement;
    press(puzzle.button.x, puzzle.button.y);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(puzzle.at(4, r), turned[size_t(r)]);
    press(puzzle.button.x + 400, puzzle.button.y);
    EXPECT_EQ(puzzle.arrangement, turned);  // two exchanges
}

TEST_F(scarab_puzzle, pieces_glide_and_turn_the_short_way_and_completion_does_not_wait_for_them) {
    // One outer turn short of whole, every piece at rest where it stands.
    for (int i = 0; i < 15; ++i) puzzle.arrangement[size_t(i)] = &puzzle.slots[size_t(i)];
    for (int i = 0; i < 3; ++i) puzzle.turn(0);
    for (int k = 0; k < 5; ++k)
        for (int r = 0; r < 3; ++r) {
            tw::c_transform& t = puzzle.at(k, r)->graphic->transform;
            t.tx = puzzle.target_position(k).x;
            t.ty = puzzle.target_position(k).y;
            tw::transform_set_angle(t, c_puzzle::target_angle(k));
        }
    puzzle.on_tick(platform, data);
    EXPECT_FALSE(puzzle.complete);
    press_at_distance(1000);
    puzzle.on_tick(platform, data);
    EXPECT_TRUE(puzzle.complete);
    EXPECT_NEAR(puzzle.at(0, 0)->graphic->transform.angle, 1.5707964f - 0.04f, 1e-4);  // still turning

    // Whole by the rule with the spare set and the top quarters exchanged; 1a glides up 20 a tick.
    puzzle.exchange();
    tw::c_transform& rising = puzzle.at(4, 0)->graphic->transform;
    const float y0 = rising.ty;
    puzzle.on_tick(platform, data);
    EXPECT_TRUE(puzzle.whole());
    EXPECT_NEAR(rising.ty, y0 + 20, 0.01);

    // A quarter turn of 5a (from angle 0 to 3/2 pi, the short way) takes about 40 ticks.
    puzzle.turn(0);
    tw::c_transform& turning = puzzle.at(3, 0)->graphic->transform;
    ASSERT_EQ(puzzle.at(3, 0)->number, 5);
    int ticks = 0;
    while (std::fabs(std::remainder(turning.angle - 4.712389f, 6.2831853f)) > 0.04f && ticks < 200) {
        puzzle.on_tick(platform, data);
        ++ticks;
    }
    EXPECT_NEAR(ticks, 40, 1);
    EXPECT_LT(turning.angle, 0);  // went backwards, through fewer radians
}

}  // namespace
