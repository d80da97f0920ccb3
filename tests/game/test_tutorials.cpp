// The tutorial hands: fade timing and finishing, what ends each kind (without
// reading deleted items or icons), and the drag hand's walk, wait and restart.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "game/game_tutorial.h"
#include "game/ui_puzzle.h"
#include "scene/scene.h"
#include "scene/test_character_world.h"
#include "ui/ui_element_graphic.h"

namespace {

using namespace tw;

class tutorials : public tw_test::character_world {
protected:
    c_platform& platform() { return screen_.platform; }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) map_.update(platform(), icons_);
    }
    // Draws the map; the translation and alpha of its last draw.
    std::pair<vec3, uint8_t> drawn() {
        screen_.device.calls.clear();
        map_.draw(platform());
        vec3 at;
        for (const c_render_call& c : screen_.device.calls) {
            if (c.kind == e_render_call::translate) at = {c.values[0], c.values[1], c.values[2]};
        }
        const auto draws = screen_.device.draws();
        return {at, draws.empty() ? uint8_t(0) : draws.back().colours[0].a};
    }
    static void expect_at(const vec3& p, float x, float y) {
        EXPECT_NEAR(p.x, x, 0.01f);
        EXPECT_NEAR(p.y, y, 0.01f);
    }
    // The narrow bob after n updates.
    static vec2 bob(int n) {
        const float y = 24 * std::cos(0.1f * float(n)) - 60;
        return vec2{-0.7f * y + 36, y};
    }

    c_scene scene_;
    puzzle_icon_map icons_;
    c_tutorial_map map_;
};

// Every pointing kind, finished at some point of its fade in, fades out from
// where it was and disappears on the tick after reaching 0.
TEST_F(tutorials, every_kind_fades_out_before_it_disappears) {
    c_ui_puzzle icon(nullptr, nullptr, nullptr, nullptr, nullptr, 1, 4, 0);
    c_ui_element_graphic bar_hand(0, 0, 0, nullptr, 256, 256);
    icons_[1] = &icon;
    c_scene_puzzle spot;
    c_scene_collectible* item = scene_.add_collectible(std::make_unique<c_scene_collectible>());
    using made = std::unique_ptr<c_game_tutorial>;
    const std::function<made()> kinds[] = {
        []() -> made { return std::make_unique<c_game_tutorial_click_scene>(vec3{}); },
        [&]() -> made { return std::make_unique<c_game_tutorial_click_puzzle_scene>(spot); },
        [&]() -> made {
            return std::make_unique<c_game_tutorial_click_collectible_scene>(*item, scene_);
        },
        [&]() -> made {
            return std::make_unique<c_game_tutorial_click_puzzle_ui>(&icon, 1, &bar_hand, vec3{});
        },
    };
    for (const auto& make : kinds) {
        for (const int fade_in_ticks : {10, 64, 200}) {
            map_.tutorials.clear();
            c_game_tutorial* t = map_.add(platform(), make());
            tick(fade_in_ticks);
            auto* ui = dynamic_cast<c_game_tutorial_click_puzzle_ui*>(t);
            const uint8_t shown = ui ? ui->bar_alpha : t->alpha;
            EXPECT_EQ(shown, std::min(255, 4 * fade_in_ticks));
            if (ui) {
                EXPECT_EQ(bar_hand.quad.buffer.colours[3].a, shown);
            }
            t->finish_request = 1;
            const int fade_out_ticks = std::min(64, fade_in_ticks);
            tick(fade_out_ticks);
            ASSERT_EQ(map_.tutorials.size(), 1u) << "deleted before its fade ended";
            EXPECT_EQ(ui ? ui->bar_alpha : t->alpha, 0);
            tick();
            EXPECT_TRUE(map_.tutorials.empty());
        }
    }
}

TEST_F(tutorials, a_replaced_hint_fades_out_while_the_new_one_fades_in) {
    c_game_tutorial* old_hint =
        map_.add(platform(), std::make_unique<c_game_tutorial_click_scene>(vec3{100, 50, 0}));
    tick(10);
    old_hint->finish_request = 1;
    c_game_tutorial* new_hint =
        map_.add(platform(), std::make_unique<c_game_tutorial_click_scene>(vec3{}));
    tick(9);
    EXPECT_EQ(old_hint->alpha, 4);
    EXPECT_EQ(new_hint->alpha, 36);
    EXPECT_EQ(map_.tutorials.size(), 2u);
    // Drawn in key order: the new hand last, bobbing over its point.
    auto [at, alpha] = drawn();
    const float y = 40 * std::cos(0.9f);
    expect_at(at, 280 - 0.7f * y, -320 + y);
    EXPECT_EQ(alpha, 36);
    tick(2);
    ASSERT_EQ(map_.tutorials.size(), 1u);
    EXPECT_EQ(map_.tutorials.begin()->second.get(), new_hint);
    EXPECT_EQ(map_.tutorials.begin()->first, 2);
}

// The spot's hand goes once it is discovered; the item's hand once the item is
// picked up and deleted, fading out where the item last was.
TEST_F(tutorials, the_object_hands_end_with_their_object) {
    c_scene_puzzle spot;
    spot.anim.base.tx = 1000;
    spot.anim.base.ty = -500;
    map_.add(platform(), std::make_unique<c_game_tutorial_click_puzzle_scene>(spot));
    auto* item = scene_.add_collectible(std::make_unique<c_scene_collectible>());
    item->transform.tx = 300;
    auto* t = static_cast<c_game_tutorial_click_collectible_scene*>(map_.add(
        platform(), std::make_unique<c_game_tutorial_click_collectible_scene>(*item, scene_)));
    tick(5);
    item->transform.tx = 400;  // it moves before being picked up
    tick(5);
    spot.discovered = true;
    ASSERT_TRUE(scene_.remove_collectible(item));
    tick();
    EXPECT_EQ(t->collectible, nullptr);
    for (auto& entry : map_.tutorials) EXPECT_EQ(entry.second->finish_request, 1);
    expect_at(drawn().first, 600 + bob(11).x, -240 + bob(11).y);
    map_.tutorials.erase(2);
    expect_at(drawn().first, 1200 + bob(11).x, -740 + bob(11).y);
    EXPECT_EQ(drawn().second, 36);
    tick(9);
    EXPECT_EQ(map_.tutorials.size(), 1u);
    tick();
    EXPECT_TRUE(map_.tutorials.empty());
}

TEST_F(tutorials, the_bar_hand_moves_to_the_scene_on_selection_and_leaves_with_the_icon) {
    auto icon = std::make_unique<c_ui_puzzle>(nullptr, nullptr, nullptr, nullptr, nullptr, 0, 5, 0);
    icon->main_transform.tx = -886;
    icon->main_transform.ty = 300;
    icons_[2] = icon.get();
    c_ui_element_graphic bar_hand(0, 0, 0, nullptr, 256, 256);
    auto* t = static_cast<c_game_tutorial_click_puzzle_ui*>(
        map_.add(platform(), std::make_unique<c_game_tutorial_click_puzzle_ui>(
                                 icon.get(), 2, &bar_hand, vec3{50, 60, 0})));
    EXPECT_EQ(bar_hand.quad.buffer.colours[0].a, 0);
    tick(70);
    EXPECT_EQ(t->bar_alpha, 255);
    EXPECT_EQ(t->alpha, 0);
    expect_at(vec3{bar_hand.transform.tx, bar_hand.transform.ty, 0}, -886 + bob(70).x,
              300 + bob(70).y);
    icon->selected = 1;
    tick(20);
    EXPECT_EQ(t->bar_alpha, 255 - 80);
    EXPECT_EQ(t->alpha, 80);
    auto [at, alpha] = drawn();
    expect_at(at, 250 + bob(90).x, -180 + bob(90).y);
    EXPECT_EQ(alpha, 80);
    // Used: the icon leaves the map and is deleted; the hands fade where they were.
    icons_.erase(2);
    icon.reset();
    const c_transform last = bar_hand.transform;
    tick(44);
    EXPECT_EQ(t->icon, nullptr);
    EXPECT_EQ(t->bar_alpha, 0);
    EXPECT_EQ(t->alpha, 0);
    EXPECT_EQ(bar_hand.transform.tx, last.tx);
    EXPECT_EQ(bar_hand.transform.ty, last.ty);
    ASSERT_EQ(map_.tutorials.size(), 1u);
    tick();
    EXPECT_TRUE(map_.tutorials.empty());
}

// A -> B -> C bending gently, C a dead end; B -> A and C -> B lead back.
TEST_F(tutorials, the_drag_hand_walks_to_a_dead_end_waits_and_restarts_at_the_character) {
    node(0, 0);
    node(310, 0);
    node(610, 150);
    path(0, 1);
    path(1, 0);
    path(1, 2);
    path(2, 1);
    link();
    scene_.set_character(character(0));
    auto* t = static_cast<c_game_tutorial_drag_character*>(
        map_.add(platform(), std::make_unique<c_game_tutorial_drag_character>(scene_)));
    tick(63);  // fading in, not yet moving
    EXPECT_EQ(t->alpha, 252);
    expect_at(drawn().first, 0, 0);
    tick(20);  // 300 units along
    EXPECT_EQ(t->alpha, 255);
    expect_at(drawn().first, 300, 0);
    tick(2);  // past B onto the bend
    EXPECT_EQ(t->start, nodes_[1].get());
    expect_at(drawn().first, 310 + 20 * 300 / std::hypot(300.f, 150.f),
              20 * 150 / std::hypot(300.f, 150.f));
    const int to_dead_end = int((310 + std::hypot(300.f, 150.f)) / 15) + 1 - 22;
    tick(to_dead_end - 1);
    EXPECT_FALSE(t->stuck);
    tick();
    EXPECT_TRUE(t->stuck);
    expect_at(drawn().first, 610, 150);
    tick(100);
    EXPECT_EQ(t->alpha, 255);
    EXPECT_EQ(t->hold, 0);
    // Fades out in 64 ticks; a drag in progress at that moment delays the restart.
    scene_.character->progress = 0.5f;
    scene_.character->dragging = 1;
    tick(64);
    EXPECT_EQ(t->alpha, 0);
    EXPECT_TRUE(t->stuck);
    scene_.character->dragging = 0;
    tick();
    EXPECT_FALSE(t->stuck);
    EXPECT_EQ(t->hold, k_tutorial_drag_hold_ticks);
    auto [at, alpha] = drawn();
    expect_at(at, 155, 0);
    EXPECT_EQ(alpha, 0);
    tick();
    EXPECT_EQ(t->alpha, 4);
    // Without a character the hand fades out and goes.
    scene_.set_character(nullptr);
    tick();
    EXPECT_EQ(t->alpha, 0);
    EXPECT_EQ(map_.tutorials.size(), 1u);
    tick();
    EXPECT_TRUE(map_.tutorials.empty());
}

}  // namespace
