// Chapter two's script over the shipped scene: what entering closes and
// hides, each item accepted at its spot and refused elsewhere, the weevil's
// catch until the seeds open the gate, the sundew's two one-time reactions,
// the legs the puzzles give back and the ending queued once.
#include <gtest/gtest.h>

#include "chapters/state_game_2.h"
#include "scene/scene_character.h"
#include "support/chapter_fixture.h"

namespace {

using chapter_two = tw_test::c_chapter_fixture<tw::c_state_game_2>;

const tw::c_scene_collectible* collectible(const tw::c_state_game_2& chapter, const std::string& texture) {
    return chapter.scene.find_collectible(texture);
}

TEST_F(chapter_two, entering_closes_the_way_and_items_open_it_only_at_their_spots) {
    EXPECT_FALSE(chapter->path_open("k", "meta1"));
    EXPECT_FALSE(chapter->path_open("weavel_gate", "g"));
    EXPECT_TRUE(chapter->path_open("start", "a"));
    for (uint16_t item : {0, 1, 2, 3}) EXPECT_TRUE(chapter->spot(item)->trigger) << item;
    EXPECT_FALSE(chapter->spot(5)->trigger);
    for (const char* leg : {"c2/p0/leg2abc.bmp", "c2/p0/leg1ab.bmp"}) {
        ASSERT_NE(collectible(*chapter, leg), nullptr);
        EXPECT_FALSE(collectible(*chapter, leg)->collectable);
        EXPECT_EQ(collectible(*chapter, leg)->quad.buffer.colours[0].a, 0);
    }
    ASSERT_NE(chapter->cricket, nullptr);
    EXPECT_FALSE(chapter->cricket->visible);

    // Refused a little outside each spot's radius, accepted inside.
    for (uint16_t item : {0, 1, 2, 3, 5})
        EXPECT_FALSE(use(item, chapter->spot(item)->click_radius + 1)) << item;
    EXPECT_TRUE(use(2));
    EXPECT_TRUE(chapter->path_open("weavel_gate", "g"));
    EXPECT_TRUE(use(0));
    EXPECT_TRUE(chapter->spot(5)->trigger);
    EXPECT_TRUE(chapter->cricket->visible);
    EXPECT_FALSE(chapter->cricket_asleep->visible);
    EXPECT_TRUE(use(1));
    EXPECT_EQ(chapter->puzzle, &chapter->chimes);
    chapter->on_puzzle_complete(platform, app.data, 1);
    EXPECT_TRUE(collectible(*chapter, "c2/p0/leg2abc.bmp")->collectable);
    EXPECT_EQ(collectible(*chapter, "c2/p0/leg2abc.bmp")->quad.buffer.colours[0].a, 255);
    EXPECT_TRUE(use(3));
    EXPECT_EQ(chapter->puzzle, &chapter->tiles);
    chapter->on_puzzle_complete(platform, app.data, 3);
    EXPECT_TRUE(collectible(*chapter, "c2/p0/leg1ab.bmp")->collectable);
    EXPECT_TRUE(use(5));
    EXPECT_TRUE(chapter->path_open("k", "meta1"));
    ticks(3);  // the cricket now glows with the flicker
    EXPECT_GE(chapter->cricket_glow->quad.buffer.colours[0].a, 96);
}

TEST_F(chapter_two, the_weevil_throws_back_until_the_gate_opens_and_the_sundew_reacts_once) {
    stand("e", "weavel_gate", 0.999f);
    ticks(1);
    tw::c_scene_character& c = *chapter->character;
    EXPECT_EQ(c.path, chapter->drop);
    EXPECT_EQ(c.state, tw::k_character_automatic);
    EXPECT_EQ(c.node, chapter->scene.find_path_node("weavel_gate"));
    ticks(200);  // carried back to "e" by the drop
    EXPECT_EQ(c.node, chapter->scene.find_path_node("e"));

    use(2);
    stand("e", "weavel_gate", 0.999f);
    ticks(1);
    EXPECT_NE(c.path, chapter->drop);

    stand("a", "as", 0.999f);
    ticks(1);
    EXPECT_TRUE(chapter->catcher_woken);
    EXPECT_FALSE(chapter->catcher_fed);
    stand("b", "ax", 0.999f);
    ticks(1);
    EXPECT_TRUE(chapter->catcher_fed);
}

TEST_F(chapter_two, the_ending_is_queued_once_on_the_way_up_the_reed) {
    use(5);
    stand("meta1", "meta2", 0.1f);
    const size_t before = chapter->events.size();
    ticks(1);
    EXPECT_TRUE(chapter->ended);
    EXPECT_EQ(chapter->events.size(), before + 3);
    ticks(1);
    EXPECT_LE(chapter->events.size(), before + 3);
}

}  // namespace
