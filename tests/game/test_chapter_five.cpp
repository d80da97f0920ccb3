// Chapter five's script over the shipped scene: what entering closes, each
// item at its spot (the lantern oil only welcome), the moths' rests and their
// sound only in view, the mushrooms' 200 ticks, the door's 600 units in one
// tick, the timed view set up but never opened, and the ending queued once.
#include <gtest/gtest.h>

#include "chapters/state_game_5.h"
#include "scene/scene_graphic.h"
#include "support/chapter_fixture.h"

namespace {

using chapter_five = tw_test::c_chapter_fixture<tw::c_state_game_5>;

TEST_F(chapter_five, items_open_the_way_and_the_door_rises_at_once) {
    for (const auto& [a, b] : {std::pair{"1g", "1h"}, {"1n", "1o"}, {"2b", "2n"}, {"4d", "4e"}})
        EXPECT_FALSE(chapter->path_open(a, b)) << a;
    EXPECT_EQ(chapter->puzzle, &chapter->scarab);  // waiting, not shown
    EXPECT_EQ(chapter->mode, tw::k_game_mode_scene);
    for (uint16_t item : {0, 1, 2, 4, 7}) EXPECT_FALSE(use(item, chapter->spot(item)->click_radius + 1)) << item;

    EXPECT_TRUE(use(4));  // welcome, and nothing more
    EXPECT_TRUE(use(0));
    EXPECT_TRUE(chapter->path_open("1g", "1h"));
    ASSERT_FALSE(chapter->mushrooms.empty());
    ticks(199);
    EXPECT_LT(chapter->mushrooms[0].scale, 1.0f);
    ticks(1);
    EXPECT_NEAR(chapter->mushrooms[0].scale, 1.0f, 1e-3);
    EXPECT_TRUE(use(2));
    EXPECT_TRUE(chapter->path_open("2b", "2n"));

    EXPECT_TRUE(use(7));
    EXPECT_EQ(chapter->puzzle, &chapter->scarab);
    const float door_y = chapter->door->transform.ty;
    chapter->on_puzzle_complete(platform, app.data, 7);
    EXPECT_TRUE(chapter->path_open("4d", "4e"));
    ticks(1);
    EXPECT_FLOAT_EQ(chapter->door->transform.ty, door_y + 600);
    ticks(1);
    EXPECT_FLOAT_EQ(chapter->door->transform.ty, door_y + 600);
    // No item opens the timed view, though it is set up.
    EXPECT_GT(chapter->timed_view.countdown, 0);
}

TEST_F(chapter_five, moths_rest_flutter_in_view_and_fly_off_after_the_silhouettes) {
    ASSERT_FALSE(chapter->moths.empty());
    tw::c_state_game_5::c_moth& moth = chapter->moths[0];
    moth.countdown = 2;
    ticks(2);
    EXPECT_GE(moth.countdown, 400);
    EXPECT_EQ(plays_of("sounds/effects/moth.wav"), 1);  // the arch is in view
    moth.anim->anim.base.tx = 20000;                       // far out of view
    moth.countdown = 1;
    ticks(1);
    EXPECT_EQ(plays_of("sounds/effects/moth.wav"), 1);

    chapter->on_puzzle_complete(platform, app.data, 1);
    EXPECT_TRUE(chapter->path_open("1n", "1o"));
    const float x = moth.anim->anim.base.tx, y = moth.anim->anim.base.ty;
    ticks(10);
    EXPECT_TRUE(moth.flying);
    EXPECT_NEAR(moth.anim->anim.base.tx - x, 10 * moth.velocity.x, 1e-2);
    EXPECT_GT(moth.anim->anim.base.ty, y);
}

TEST_F(chapter_five, the_ending_is_queued_once_out_of_the_ruin) {
    stand("4g", "end", 0.1f);
    const size_t before = chapter->events.size();
    ticks(2);
    EXPECT_TRUE(chapter->ended);
    EXPECT_EQ(chapter->events.size(), before + 3);
}

}  // namespace
