// Chapter three's script over the shipped scene: what entering closes and
// holds back, each item accepted at its spot and refused elsewhere, the pods'
// countdown and reach, the dragonfly's flight, the petals' fall and removal
// and the ending queued once.
#include <gtest/gtest.h>

#include "chapters/state_game_3.h"
#include "scene/scene_character.h"
#include "support/chapter_fixture.h"

namespace {

using chapter_three = tw_test::c_chapter_fixture<tw::c_state_game_3>;

TEST_F(chapter_three, entering_holds_things_back_and_items_free_them_only_at_their_spots) {
    EXPECT_FALSE(chapter->path_open("ak", "al"));
    EXPECT_FALSE(chapter->path_open("az", "ba"));
    EXPECT_FALSE(chapter->spot(4)->trigger);
    EXPECT_FALSE(chapter->bee_awake->visible);
    ASSERT_EQ(chapter->pods.size(), 2u);
    for (const auto& pod : chapter->pods) EXPECT_EQ(pod.items.size(), 1u);  // each its nearest leg
    for (const char* part : {"c3/p3/leg3b.bmp", "c3/p3/antennaa.bmp", "c3/p3/leg2a.bmp", "c3/p3/leg3a.bmp"})
        EXPECT_FALSE(chapter->scene.find_collectible(part)->collectable) << part;

    for (uint16_t item : {0, 1, 2, 3, 4}) EXPECT_FALSE(use(item, chapter->spot(item)->click_radius + 1)) << item;
    EXPECT_TRUE(use(0));
    EXPECT_TRUE(chapter->scene.find_collectible("c3/p3/leg3b.bmp")->collectable);
    EXPECT_TRUE(use(1));
    EXPECT_TRUE(chapter->path_open("ak", "al"));
    const uint16_t before = chapter->dragonfly->transform_graph_position;
    ticks(10);
    EXPECT_EQ(chapter->dragonfly->transform_graph_position, before + 480);  // flying off its track
    EXPECT_TRUE(use(2));
    EXPECT_EQ(chapter->puzzle, &chapter->leaves);
    EXPECT_TRUE(use(3));
    EXPECT_TRUE(chapter->bee_awake->visible);
    EXPECT_TRUE(chapter->spot(4)->trigger);
    EXPECT_TRUE(use(4));
    EXPECT_TRUE(chapter->path_open("az", "ba"));
}

TEST_F(chapter_three, a_poke_opens_the_nearest_pod_within_reach_after_90_ticks) {
    // The cricket stands on node "aa"; the pod is moved just beyond, then just within,
    // 2000 units of the point 100 above it.
    tw::c_scene_character& c = *chapter->character;
    c.node = chapter->scene.find_path_node("aa");
    c.path = chapter->scene.find_path("aa", "ak");
    c.progress = 0;
    ticks(1);
    const tw::c_transform& at = c.anim.base;
    const tw::vec2 point{at.tx + at.m[3] * 100, at.ty + at.m[4] * 100};
    tw::c_state_game_3::c_pod& pod = chapter->pods[0];
    pod.anim->anim.base.tx = point.x - 2010;
    pod.anim->anim.base.ty = point.y;
    chapter->on_character_click(platform, app.data);
    ticks(90);
    EXPECT_FALSE(pod.opened);
    EXPECT_FALSE(chapter->pods[1].opened);

    pod.anim->anim.base.tx = point.x - 1990;
    chapter->on_character_click(platform, app.data);
    ticks(89);
    EXPECT_FALSE(pod.opened);
    ticks(1);
    EXPECT_TRUE(pod.opened);
    EXPECT_TRUE(pod.items[0]->collectable);
    EXPECT_EQ(pod.items[0]->quad.buffer.colours[0].a, 255);
}

TEST_F(chapter_three, petals_fall_after_the_leaf_puzzle_and_leave_below_the_floor) {
    const size_t petals = chapter->petals.size();
    ASSERT_GE(petals, 2u);
    const size_t graphics = chapter->scene.graphics.size();
    ticks(50);
    for (const auto& petal : chapter->petals) EXPECT_FALSE(petal.falling);
    chapter->on_puzzle_complete(platform, app.data, 2);
    EXPECT_TRUE(chapter->scene.find_collectible("c3/p3/antennaa.bmp")->collectable);
    ticks(1500);  // falling at about 10 units a tick at most, from high above
    EXPECT_LT(chapter->petals.size(), petals);
    EXPECT_EQ(chapter->scene.graphics.size(), graphics - (petals - chapter->petals.size()));
}

TEST_F(chapter_three, the_ending_is_queued_once_on_the_sunflower) {
    tw::c_scene_character& c = *chapter->character;
    c.node = chapter->scene.find_path_node("bb");
    c.path = chapter->scene.find_path("bb", "bc");
    c.progress = 0.1f;
    const size_t before = chapter->events.size();
    ticks(1);
    EXPECT_TRUE(chapter->ended);
    EXPECT_EQ(chapter->events.size(), before + 3);
}

}  // namespace
