// Chapter four's script over the shipped scene: what entering closes, the
// mask accepted only near the bee, the stag's catch and release, the poppies'
// one-time fall within reach, the silhouettes numbered 5 opened by item 6, the
// ants' twig and the ending queued once.
#include <gtest/gtest.h>

#include "chapters/state_game_4.h"
#include "scene/scene_graphic.h"
#include "support/chapter_fixture.h"

namespace {

using chapter_four = tw_test::c_chapter_fixture<tw::c_state_game_4>;

TEST_F(chapter_four, items_open_the_way_only_where_they_belong) {
    for (const auto& [a, b] : {std::pair{"26", "27"}, {"15", "4"}, {"42", "43"}, {"32", "33"}})
        EXPECT_FALSE(chapter->path_open(a, b)) << a;
    EXPECT_FALSE(chapter->spot(5)->trigger);
    for (uint16_t item : {1, 3, 4, 5, 6, 7}) EXPECT_FALSE(use(item, chapter->spot(item)->click_radius + 1)) << item;
    EXPECT_TRUE(use(1));
    EXPECT_TRUE(chapter->path_open("15", "4"));
    const uint16_t before = chapter->stick->transform_graph_position;
    ticks(10);
    EXPECT_EQ(chapter->stick->transform_graph_position, before + 1800);  // carried off by the ants
    EXPECT_TRUE(use(4));
    EXPECT_TRUE(chapter->path_open("32", "33"));
    EXPECT_EQ(plays_of("sounds/effects/maggot.wav"), 1);
    EXPECT_TRUE(use(6));
    EXPECT_EQ(chapter->puzzle, &chapter->silhouettes);
    EXPECT_EQ(chapter->puzzle->number(), 5);
    chapter->on_puzzle_complete(platform, app.data, 5);
    EXPECT_EQ(chapter->front->quad.buffer.colours[0].a, 255);
    EXPECT_TRUE(chapter->scene.find_collectible("c4/p7/antenna.bmp")->collectable);
    EXPECT_TRUE(use(7));
    EXPECT_TRUE(chapter->spot(5)->trigger);
    EXPECT_TRUE(use(5));
    EXPECT_TRUE(chapter->path_open("42", "43"));

    // The mask is put on the bee: refused at its spot away from the bee, taken on it.
    const tw::c_transform& bee = chapter->character->anim.base;
    const float radius = chapter->spot(2)->click_radius;
    EXPECT_FALSE(chapter->on_use_puzzle_item(platform, app.data, 2, bee.tx + radius + 1, bee.ty, 0));
    EXPECT_TRUE(chapter->on_use_puzzle_item(platform, app.data, 2, bee.tx + radius - 1, bee.ty, 0));
    EXPECT_EQ(chapter->character->anim.find_graphic("mask")->buffer.colours[0].a, 255);
}

TEST_F(chapter_four, the_stag_throws_the_bee_back_until_it_wears_the_mask) {
    stand("10", "26", 0.999f);
    ticks(1);
    tw::c_scene_character& c = *chapter->character;
    EXPECT_EQ(c.path, chapter->jump);
    EXPECT_EQ(c.state, tw::k_character_automatic);
    EXPECT_EQ(plays_of("sounds/effects/stag.wav"), 1);
    ticks(200);
    EXPECT_EQ(c.node, chapter->scene.find_path_node("10"));

    const tw::c_transform& bee = c.anim.base;
    chapter->on_use_puzzle_item(platform, app.data, 2, bee.tx, bee.ty, 0);
    stand("10", "26", 0.999f);
    ticks(1);
    EXPECT_NE(c.path, chapter->jump);
    EXPECT_TRUE(chapter->path_open("26", "27"));
    EXPECT_TRUE(chapter->stag_retreated);
}

TEST_F(chapter_four, a_poke_shakes_down_only_the_poppies_within_reach_once) {
    ASSERT_EQ(chapter->poppy_groups.size(), 3u);
    for (const auto& poppy : chapter->poppy_groups) EXPECT_FALSE(poppy.petals.empty());
    stand("start", "15", 0);
    ticks(1);
    chapter->on_character_click(platform, app.data);
    EXPECT_TRUE(chapter->poppy_groups[0].falling);
    EXPECT_TRUE(chapter->poppy_groups[0].capsule->collectable);
    EXPECT_FALSE(chapter->poppy_groups[1].falling);
    EXPECT_FALSE(chapter->poppy_groups[2].falling);
    const size_t graphics = chapter->scene.graphics.size();
    ticks(600);  // the petals fall below the floor and are gone
    EXPECT_TRUE(chapter->poppy_groups[0].petals.empty());
    EXPECT_LT(chapter->scene.graphics.size(), graphics);
}

TEST_F(chapter_four, the_ending_is_queued_once_up_the_stem) {
    stand("90", "91", 0.1f);
    const size_t before = chapter->events.size();
    ticks(2);
    EXPECT_TRUE(chapter->ended);
    EXPECT_EQ(chapter->events.size(), before + 3);
}

}  // namespace
