// The endless cloud layers and the lights' flicker generator.
#include <gtest/gtest.h>

#include "menu/flicker.h"
#include "menu/menu_scene.h"
#include "menu_fixture.h"
#include "platform/random.h"

namespace {

using tw_test::c_menu_test;

TEST(endless_layer, entry_shifts_half_a_period_and_copies_each_tile_one_period_right) {
    for (float scale : {1.0f, 2.0f}) {
        tw::c_scene_layer layer;
        layer.tile_scale = scale;
        layer.transform.tx = 300;
        for (int x : {-479, 479}) {
            auto tile = std::make_unique<tw::c_scene_layer::c_tile>();
            tile->x = x;
            tile->filename = "t" + std::to_string(x);
            layer.tiles.push_back(std::move(tile));
        }
        tw::make_layer_endless(layer);
        EXPECT_EQ(layer.transform.tx, 300 - 4790.0f);
        ASSERT_EQ(layer.tiles.size(), 4u);
        for (int i = 0; i < 2; ++i) {
            // The copy lands 9580 scene units further right: tile x * scale.
            EXPECT_FLOAT_EQ((layer.tiles[i + 2]->x - layer.tiles[i]->x) * scale, 9580.0f);
            EXPECT_EQ(layer.tiles[i + 2]->filename, layer.tiles[i]->filename);
        }
    }
}

TEST(endless_layer, scrolling_wraps_by_one_period_once_below_the_limit) {
    tw::c_scene_layer layer;
    layer.transform.tx = -9870;
    tw::scroll_endless_layer(layer, 8);
    EXPECT_EQ(layer.transform.tx, -9878.0f);  // not yet below -9880
    tw::scroll_endless_layer(layer, 2);
    EXPECT_EQ(layer.transform.tx, -9880.0f);  // at the limit: stays
    tw::scroll_endless_layer(layer, 4);
    EXPECT_EQ(layer.transform.tx, -9884.0f + 9580.0f);
}

TEST_F(c_menu_test, the_first_three_layers_scroll_at_two_four_and_eight_and_the_rest_stay) {
    enter();
    ASSERT_EQ(menu->scene.layers.size(), 5u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(menu->endless_layers[i], menu->scene.layers[i].get());
    EXPECT_EQ(menu->scene.layers[0]->tiles.size(), 4u);  // two tiles and their copies
    EXPECT_EQ(menu->scene.layers[1]->tiles[1]->x, 479 + 4790);  // tile scale 2
    EXPECT_EQ(menu->scene.layers[3]->tiles.size(), 1u);

    ticks(10);
    const float start = 300 - 4790;
    EXPECT_EQ(menu->scene.layers[0]->transform.tx, start - 20);
    EXPECT_EQ(menu->scene.layers[1]->transform.tx, start - 40);
    EXPECT_EQ(menu->scene.layers[2]->transform.tx, start - 80);
    EXPECT_EQ(menu->scene.layers[3]->transform.tx, 0.0f);
    EXPECT_EQ(menu->scene.layers[4]->transform.tx, 0.0f);

    // The fastest layer wraps after (9880 - 4490) / 8 = 673.75 ticks in all.
    ticks(663);
    EXPECT_EQ(menu->scene.layers[2]->transform.tx, start - 8 * 673);
    ticks(1);
    EXPECT_EQ(menu->scene.layers[2]->transform.tx, start - 8 * 674 + 9580);
}

TEST_F(c_menu_test, a_scene_with_fewer_than_three_layers_makes_those_endless) {
    write("c0.xml", "<levels><level name=\"focus_0\"/></levels><layers>" +
                        tw_test::layer_xml("focus_0", "sky.xml", 300) + "</layers>");
    enter();
    EXPECT_EQ(menu->endless_layers[0], menu->scene.layers[0].get());
    EXPECT_EQ(menu->endless_layers[1], nullptr);
    ticks(2);
    EXPECT_EQ(menu->scene.layers[0]->transform.tx, 300 - 4790 - 4.0f);
    EXPECT_EQ(menu->creature1, nullptr);
}

TEST(flicker, glides_to_each_target_in_its_steps_then_draws_the_next) {
    tw::srand(99);
    tw::c_flicker_generator flicker(16, 20, 16, 48);
    EXPECT_EQ(flicker.alpha(), 16);
    // No steps left: the value jumps to the old target (0) and a new one is drawn.
    tw::srand(99);
    const float target = float(tw::rand()) / 32767.0f;
    const int steps = 16 + tw::rand() % 20;
    tw::srand(99);
    flicker.step();
    EXPECT_EQ(flicker.value, 0.0f);
    EXPECT_FLOAT_EQ(flicker.target, target);
    EXPECT_EQ(flicker.steps_left, steps);
    for (int i = 0; i < steps; ++i) {
        flicker.step();
        EXPECT_LE(flicker.value, target + 1e-6f);
    }
    EXPECT_EQ(flicker.steps_left, 0);
    EXPECT_NEAR(flicker.value, target, 1e-5f);
    EXPECT_EQ(flicker.alpha(), uint8_t(48 * flicker.value + 16));
}

TEST(flicker, alpha_stays_in_range_and_a_zero_step_range_does_not_divide_by_zero) {
    tw::c_flicker_generator flicker(3, 0, 200, 255);
    flicker.value = 1;
    EXPECT_EQ(flicker.alpha(), 255);  // 455 would wrap around
    flicker.step();
    EXPECT_EQ(flicker.steps_left, 3);
}

}  // namespace
