// The poppy jumping puzzle over the shipped board: the diamond after setup,
// the grow and shrink steps, jumps allowed and refused, completion on the tick
// after the last jump and a reset that keeps it.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/application_data.h"
#include "chapters/game_puzzle_c4_p3.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace {

using c_puzzle = tw::c_game_puzzle_c4_p3;

class poppy_puzzle : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(TW_CONTENT_DIR);
        platform.update_screen_size(1920, 1080);
        puzzle.setup(platform);
    }
    void TearDown() override { std::filesystem::current_path(old_dir_); }
    c_puzzle::hole& at(int i, int j) { return *puzzle.grid[size_t(i)][size_t(j)]; }
    void ticks(int n) {
        for (int k = 0; k < n; ++k) puzzle.on_tick(platform, data);
    }
    int open_count() const {
        int open = 0;
        for (const auto& h : puzzle.holes) open += h->open;
        return open;
    }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_application_data data;
    c_puzzle puzzle;

private:
    std::filesystem::path old_dir_;
};

TEST_F(poppy_puzzle, grows_jumps_completes_and_resets) {
    ASSERT_EQ(puzzle.holes.size(), 13u);
    EXPECT_EQ(open_count(), 12);
    EXPECT_FALSE(at(2, 2).open);
    ticks(1);  // the open ones grow from 64, the centre shrinks from 64
    EXPECT_FLOAT_EQ(at(2, 0).size, 66);
    EXPECT_FLOAT_EQ(at(2, 2).size, 62);

    // Refused: over a closed middle, onto an open hole, not two steps apart.
    EXPECT_FALSE(puzzle.jump(at(1, 1), at(3, 3)));
    EXPECT_FALSE(puzzle.jump(at(2, 0), at(2, 1)));
    EXPECT_FALSE(puzzle.jump(at(1, 2), at(2, 2)));
    // Allowed: (2, 0) over (2, 1) into the centre; the jumped poppy closes.
    tw::c_scene_graphic* jumper = at(2, 0).graphic;
    EXPECT_TRUE(puzzle.jump(at(2, 0), at(2, 2)));
    EXPECT_EQ(at(2, 2).graphic, jumper);
    EXPECT_TRUE(at(2, 2).open);
    EXPECT_FALSE(at(2, 0).open);
    EXPECT_FALSE(at(2, 1).open);
    EXPECT_EQ(open_count(), 11);

    // One poppy left: complete on the next tick, wherever it stands; a reset keeps it.
    for (auto& h : puzzle.holes) h->open = h.get() == &at(4, 2);
    EXPECT_FALSE(puzzle.complete);
    ticks(1);
    EXPECT_TRUE(puzzle.complete);
    puzzle.reset();
    EXPECT_EQ(open_count(), 12);
    EXPECT_TRUE(puzzle.complete);
}

}  // namespace
