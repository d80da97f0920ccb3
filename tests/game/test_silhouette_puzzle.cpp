// The silhouette puzzles over their shipped scenes: the graphics paired into
// pieces by bitmap, presses near and far, the drag scale of the camera, the
// snap at 127 units and the jump home at 129, placed pieces kept, completion;
// and a bitmap that occurs once hidden for good.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/application_data.h"
#include "chapters/game_puzzle_silhouettes.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/sample_walk.h"
#include "support/temp_folder.h"

namespace {

using c_piece = tw::c_game_puzzle_silhouettes::piece;

class silhouette_puzzle : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(TW_CONTENT_DIR);
        platform.update_screen_size(1920, 1080);
    }
    void TearDown() override { std::filesystem::current_path(old_dir_); }

    // The pointer to a scene point with a button change (1 press, 0 release, -1 none),
    // handed to the puzzle as the frame loop would.
    void pointer(float x, float y, int button = -1) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform, puzzle->scene.view, x, y, px, py);
        pointer_pixels(px, py, button);
    }
    void pointer_pixels(int px, int py, int button = -1) {
        platform.on_mouse_position(px, py);
        if (button >= 0) platform.on_mouse_button(0, button ? tw::k_action_press : tw::k_action_release);
        tw::c_mouse_event e;
        if (platform.take_mouse_event(e)) puzzle->on_mouse(platform, e.kind, e.dx, e.dy, data);
    }
    static tw::vec2 at(const tw::c_scene_graphic* g) { return {g->transform.tx, g->transform.ty}; }
    static uint8_t alpha(const tw::c_scene_graphic* g) { return g->quad.buffer.colours[0].a; }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_application_data data;
    std::unique_ptr<tw::c_game_puzzle_silhouettes> puzzle;

private:
    std::filesystem::path old_dir_;
};

TEST_F(silhouette_puzzle, both_scenes_pair_every_graphic_into_pieces_of_one_bitmap) {
    for (int chapter : {4, 5}) {
        puzzle = chapter == 4 ? std::unique_ptr<tw::c_game_puzzle_silhouettes>(new tw::c_game_puzzle_c4_p5)
                              : std::unique_ptr<tw::c_game_puzzle_silhouettes>(new tw::c_game_puzzle_c5_p1);
        puzzle->setup(platform);
        SCOPED_TRACE(chapter);
        EXPECT_EQ(puzzle->number(), chapter == 4 ? 5 : 1);
        ASSERT_GE(puzzle->pieces.size(), 6u);
        EXPECT_EQ(puzzle->scene.graphics.size(), 2 * puzzle->pieces.size());  // nothing hidden for good
        for (const c_piece& p : puzzle->pieces) {
            EXPECT_EQ(p.picture->file_name, p.silhouette->file_name);
            const tw::c_rgba c = p.silhouette->quad.buffer.colours[0];
            EXPECT_EQ(c.r + c.g + c.b, 0);
            EXPECT_EQ(c.a, 255);
            EXPECT_EQ(alpha(p.picture), 0);
            EXPECT_FLOAT_EQ(at(p.picture).x, p.start_x);
            EXPECT_GT(std::hypot(p.solved_x - p.start_x, p.solved_y - p.start_y), 512);
        }
    }
}

TEST_F(silhouette_puzzle, drags_at_the_camera_scale_snaps_within_128_units_and_completes) {
    puzzle = std::make_unique<tw::c_game_puzzle_c4_p5>();
    puzzle->setup(platform);
    ASSERT_FALSE(puzzle->pieces.empty());
    c_piece& first = puzzle->pieces[0];
    const tw::vec2 start = at(first.silhouette);

    // Far from every silhouette: nothing held, the drag moves nothing.
    pointer(first.solved_x, first.solved_y, 1);
    pointer_pixels(960, 540);
    EXPECT_EQ(puzzle->held, nullptr);
    pointer_pixels(960, 540, 0);

    // A drag moves silhouette and picture by the camera's width per window pixel.
    const float scale = puzzle->scene.cameras[0]->scene_width * 2 / 1920;
    pointer(start.x, start.y, 1);
    ASSERT_EQ(puzzle->held, &first);
    int px = 0, py = 0;
    tw_test::scene_to_pixels(platform, puzzle->scene.view, start.x, start.y, px, py);
    pointer_pixels(px + 40, py - 20);
    EXPECT_NEAR(at(first.silhouette).x - start.x, 40 * scale, 0.01);
    EXPECT_NEAR(at(first.silhouette).y - start.y, 20 * scale, 0.01);
    EXPECT_FLOAT_EQ(at(first.picture).x, at(first.silhouette).x);
    pointer_pixels(px + 40, py - 20, 0);
    EXPECT_FLOAT_EQ(at(first.silhouette).x, start.x);  // dropped far away: home at once

    // 129 units off flies home; 127 units off snaps in and shows the picture.
    auto drop_off = [&](float off) {
        c_piece& p = first;
        p.silhouette->transform.tx = p.solved_x + off;
        p.silhouette->transform.ty = p.solved_y;
        puzzle->held = &p;
        puzzle->on_mouse(platform, tw::k_mouse_release, 0, 0, data);
    };
    drop_off(129);
    EXPECT_FALSE(first.placed);
    EXPECT_FLOAT_EQ(at(first.silhouette).x, start.x);
    EXPECT_EQ(alpha(first.silhouette), 255);
    drop_off(127);
    EXPECT_TRUE(first.placed);
    EXPECT_FLOAT_EQ(at(first.picture).x, first.solved_x);
    EXPECT_EQ(alpha(first.picture), 255);
    EXPECT_EQ(alpha(first.silhouette), 0);

    // A placed piece is not picked up again.
    pointer(at(first.silhouette).x, at(first.silhouette).y, 1);
    EXPECT_NE(puzzle->held, &first);
    pointer(at(first.silhouette).x, at(first.silhouette).y, 0);
    EXPECT_TRUE(first.placed);

    // The rest dragged home through the pointer; complete on the tick after the last.
    for (size_t i = 1; i < puzzle->pieces.size(); ++i) {
        puzzle->on_tick(platform, data);
        EXPECT_FALSE(puzzle->complete);
        c_piece& p = puzzle->pieces[i];
        pointer(p.silhouette->transform.tx, p.silhouette->transform.ty, 1);
        pointer(p.solved_x, p.solved_y);
        pointer(p.solved_x, p.solved_y, 0);
        EXPECT_TRUE(p.placed) << p.picture->file_name;
    }
    puzzle->on_tick(platform, data);
    EXPECT_TRUE(puzzle->complete);
}

TEST_F(silhouette_puzzle, a_bitmap_found_once_is_hidden_and_never_counted) {
    tw_test::c_temp_folder folder;
    std::filesystem::current_path(folder.path);
    std::ofstream("c5p1.xml") << R"(<levels><level name="board"/></levels><puzzles/><collectibles/>
<layers/><anims/><graphics>
<graphic level_name="board" name="lone" file_name="lone.bmp" half_width="50" half_height="50"><transform x="0" y="0" z="0" rotation="0"/></graphic>
<graphic level_name="board" name="wing" file_name="wing.bmp" half_width="50" half_height="50"><transform x="-500" y="0" z="0" rotation="0"/></graphic>
<graphic level_name="board" name="wing_start" file_name="wing.bmp" half_width="50" half_height="50"><transform x="900" y="300" z="0" rotation="0"/></graphic>
</graphics><path_nodes/><cameras><camera scene_width="2400" name="camera1"><position x="0" y="0" z="0"/></camera></cameras>)";
    puzzle = std::make_unique<tw::c_game_puzzle_c5_p1>();
    puzzle->setup(platform);
    ASSERT_EQ(puzzle->pieces.size(), 1u);
    EXPECT_EQ(alpha(puzzle->scene.find_graphic("lone")), 0);
    EXPECT_FLOAT_EQ(at(puzzle->pieces[0].picture).x, 900);
    pointer(900, 300, 1);
    pointer(-500, 0);
    pointer(-500, 0, 0);
    puzzle->on_tick(platform, data);
    EXPECT_TRUE(puzzle->complete);
}

}  // namespace
