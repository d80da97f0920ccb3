// The title screen as a state: entry, chapter locks, the quit button, the
// lights, the creatures, the fade, the drawing order and its usage events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "menu/menu_scene.h"
#include "menu_fixture.h"
#include "platform/random.h"

namespace {

using tw_test::c_menu_test;

constexpr float k_card_x[] = {-600, -300, 0, 300, 600};
constexpr float k_card_y = -100;

// The fade quad covers the whole UI view; the letterbox bars are half as high.
bool is_fade(const tw::c_recorded_draw& draw) {
    return draw.positions[0].y == 4096.0f && draw.positions[2].y == -4096.0f;
}
bool is_letterbox_bar(const tw::c_recorded_draw& draw) {
    return draw.positions[0].y - draw.positions[2].y == 4096.0f && draw.colours[0].r == 0 &&
           draw.colours[0].a == 255;
}

class menu_locks : public c_menu_test, public testing::WithParamInterface<int> {};

TEST_P(menu_locks, only_unlocked_cards_request_their_chapter_and_dimmed_cards_swallow_the_click) {
    const int complete = GetParam();
    enter(uint8_t(complete));
    for (int card = 0; card < 5; ++card) {
        SCOPED_TRACE("card " + std::to_string(card + 1));
        const bool open = card <= complete;
        const tw::c_ui_element_button_push* button = menu->chapter_buttons[card];
        EXPECT_EQ(button->event_code, open ? 2 + card : 0);
        EXPECT_EQ(button->background.buffer.colours[0].a, open ? 255 : 64);
        EXPECT_EQ(button->background.buffer.colours[3].a, open ? 255 : 64);

        data.switch_requested = 0;
        data.next_state = tw::k_state_none;
        click_ui(k_card_x[card], k_card_y);
        // The card takes the press either way (a dimmed one raises code 0); the
        // code stays queued until the tick drains it.
        ASSERT_EQ(menu->ui_events.size(), 1u);
        EXPECT_EQ(menu->ui_events.front(), open ? 2 + card : 0);
        ticks(1);
        EXPECT_EQ(data.switch_requested, open ? 1 : 0);
        EXPECT_EQ(data.next_state, open ? 3 + card : 0);
        EXPECT_TRUE(window_.is_open());
    }
}

INSTANTIATE_TEST_SUITE_P(chapters_complete, menu_locks, testing::Values(0, 2, 4));

TEST_F(c_menu_test, a_click_beside_the_cards_typing_and_esc_do_nothing) {
    enter(4);
    click_ui(-450, k_card_y);  // between the first two cards
    menu->on_char(platform_, 'a', data);
    const tw::c_ui_screen* shown = menu->ui.current;
    menu->on_key(platform_, tw::k_key_esc, data);
    ticks(1);
    EXPECT_EQ(menu->ui.current, shown);
    EXPECT_EQ(data.switch_requested, 0);
    EXPECT_TRUE(window_.is_open());
}

TEST_F(c_menu_test, codes_from_the_editor_shortcut_and_unknown_codes) {
    enter();
    EXPECT_FALSE(menu->on_ui_event(platform_, 1, data));
    EXPECT_EQ(data.next_state, tw::k_state_editor);
    data.switch_requested = 0;
    data.next_state = 0;
    EXPECT_FALSE(menu->on_ui_event(platform_, 0, data));
    EXPECT_FALSE(menu->on_ui_event(platform_, 8, data));
    EXPECT_EQ(data.switch_requested, 0);
}

TEST_F(c_menu_test, the_quit_button_closes_the_window_without_requesting_a_state) {
    enter();
    // Anchor 2: the button keeps its offset from the top-right corner; on a
    // 16:9 window the right edge lies (1280 - 720) * 1024 / 720 units further out.
    const float extra_x = (1280.0f - 720.0f) * 1024.0f / 720.0f;
    click_ui(896 + extra_x, 440);
    ticks(1);
    EXPECT_FALSE(window_.is_open());
    EXPECT_EQ(data.switch_requested, 0);
}

TEST_F(c_menu_test, entry_queues_the_menu_view_and_start_event_and_leaving_the_leave_event) {
    enter();
    ASSERT_EQ(data.persistent.analytics_queue.size(), 1u);
    bool view_named = false;
    for (const auto& param : data.persistent.analytics_queue.front()->params) {
        view_named |= param.first == "cd" && param.second == "main_menu";
    }
    EXPECT_TRUE(view_named);
    EXPECT_EQ(queued_events(), std::vector<std::string>{"start_menu"});
    for (const auto& param : data.persistent.event_queue.front()->params) {
        if (param.first == "current_chapter") {
            EXPECT_EQ(param.second, "0");
        }
        if (param.first == "current_puzzles") {
            EXPECT_EQ(param.second, "");
        }
    }
    menu->on_leave(platform_, data);
    EXPECT_EQ(queued_events(), (std::vector<std::string>{"start_menu", "leave_menu"}));
}

TEST_F(c_menu_test, the_fade_clears_over_one_hundred_ticks_and_is_then_not_drawn) {
    enter();
    EXPECT_EQ(menu->fade_quad.buffer.colours[0].a, 255);
    ticks(1);
    EXPECT_EQ(menu->fade_quad.buffer.colours[0].a, uint8_t(0.99f * 255.0f));
    ticks(98);
    EXPECT_GT(menu->fade_quad.buffer.colours[0].a, 0);
    ticks(2);
    EXPECT_EQ(menu->fade_level, 0.0f);
    EXPECT_EQ(menu->fade_quad.buffer.colours[0].a, 0);

    name_textures();
    device_.calls.clear();
    menu->on_draw(platform_, data);
    const auto draws = device_.draws();
    ASSERT_FALSE(draws.empty());
    for (const tw::c_recorded_draw& draw : draws) EXPECT_FALSE(is_fade(draw));
}

TEST_F(c_menu_test, lights_flicker_on_the_camera_in_their_levels_with_their_colours) {
    enter();
    ASSERT_NE(menu->light1, nullptr);
    ASSERT_NE(menu->light2, nullptr);
    ASSERT_NE(menu->pollen, nullptr);
    EXPECT_EQ(menu->light1->level_name, "focus_1");
    EXPECT_EQ(menu->light2->level_name, "focus_3");
    EXPECT_EQ(menu->scene.find_level("focus_1")->graphics.back(), menu->light1);
    EXPECT_EQ(menu->scene.find_level("focus_3")->particle_systems.back(), menu->pollen);
    // Half-extents of 5000: each light is a 10000-unit square round the view.
    for (const tw::c_scene_graphic* light : {menu->light1, menu->light2}) {
        EXPECT_EQ(light->half_width, 5000.0f);
        EXPECT_EQ(light->half_height, 5000.0f);
        EXPECT_EQ(std::fabs(light->quad.buffer.positions[0].x), 5000.0f);
        EXPECT_EQ(std::fabs(light->quad.buffer.positions[0].y), 5000.0f);
    }
    EXPECT_EQ(menu->light1->quad.buffer.colours[2].a, 32);

    // Move the camera; each tick places the lights where the view is before
    // the scene moves it.
    menu->scene.view.target_position.x = 1000;
    for (int i = 0; i < 60; ++i) {
        const tw::vec3 view = menu->scene.view.position;
        ticks(1);
        for (const tw::c_scene_graphic* light : {menu->light1, menu->light2}) {
            EXPECT_EQ(light->transform.tx, view.x);
            EXPECT_EQ(light->transform.ty, view.y);
            EXPECT_EQ(light->transform.tz, view.z);
        }
        const tw::c_rgba one = menu->light1->quad.buffer.colours[1];
        const tw::c_rgba two = menu->light2->quad.buffer.colours[3];
        const float share = tw::k_menu_light_alpha_share;
        EXPECT_EQ(one.a, uint8_t(menu->flicker1.alpha() * share));
        EXPECT_EQ(two.a, uint8_t(menu->flicker2.alpha() * share));
        EXPECT_EQ(one.r, 255);
        EXPECT_EQ(two.r, 160);
        EXPECT_EQ(two.g, 180);
        EXPECT_EQ(two.b, 255);
        EXPECT_GE(one.a, uint8_t(16 * share));
        EXPECT_LE(one.a, uint8_t(64 * share));
        EXPECT_GE(two.a, uint8_t(38 * share));
        EXPECT_LE(two.a, uint8_t(70 * share));
    }
    EXPECT_GT(menu->scene.view.position.x, 0.0f);
}

TEST_F(c_menu_test, without_light_levels_no_lights_and_without_focus_0_or_scene_the_ui_comes_last) {
    write("c0.xml", tw_test::menu_scene_xml("<level name=\"focus_0\"/>"));
    enter();
    EXPECT_EQ(menu->light1, nullptr);
    EXPECT_EQ(menu->light2, nullptr);
    EXPECT_EQ(menu->pollen, nullptr);
    ticks(3);

    // A scene without "focus_0", and a truncated scene file: the buttons are
    // drawn over whatever the scene drew, and the quit button still works.
    const std::string truncated = tw_test::menu_scene_xml().substr(0, 300);
    for (const std::string& scene : {tw_test::menu_scene_xml("<level name=\"back\"/><level name=\"focus_1\"/>"),
                                     truncated}) {
        write("c0.xml", scene);
        window_.open_fullscreen(1280, 720);
        enter();
        name_textures();
        device_.calls.clear();
        menu->on_draw(platform_, data);
        const std::vector<uint32_t> order = drawn_textures();
        const auto title = std::find(order.begin(), order.end(), texture_name("title_big.bmp"));
        ASSERT_NE(title, order.end());
        for (const char* scenery : {"dressing.bmp", "world.bmp", "c1/light0.bmp"}) {
            const auto drawn = std::find(order.begin(), order.end(), texture_name(scenery));
            EXPECT_TRUE(drawn == order.end() || drawn < title) << scenery;
        }
        const float extra_x = (1280.0f - 720.0f) * 1024.0f / 720.0f;
        click_ui(896 + extra_x, 440);
        ticks(1);
        EXPECT_FALSE(window_.is_open());
    }
}

TEST_F(c_menu_test, creatures_fly_their_graph_and_cross_from_right_to_left_on_countdowns) {
    enter();
    ASSERT_NE(menu->creature1, nullptr);
    ASSERT_NE(menu->creature2, nullptr);
    for (tw::c_scene_anim* creature : {menu->creature1, menu->creature2}) {
        ASSERT_NE(creature->graph, nullptr);
        EXPECT_EQ(creature->graph->name, "fly");
        EXPECT_EQ(creature->play_once_speed, 2048);
        EXPECT_EQ(creature->loop_speed, 2048);
    }

    // The countdowns start at 0, so the first tick draws each a new length.
    tw::srand(7);
    const uint16_t first = uint16_t(300 + tw::rand() % 1000);
    const uint16_t second = uint16_t(300 + tw::rand() % 1000);
    tw::srand(7);
    menu->countdown1 = 0;
    menu->countdown2 = 0;
    menu->light1 = nullptr;  // keep the generator's draws to the countdowns
    menu->light2 = nullptr;
    menu->scene.particle_systems.clear();
    menu->scene.find_level("focus_3")->particle_systems.clear();
    ticks(1);
    EXPECT_EQ(menu->countdown1, first);
    EXPECT_EQ(menu->countdown2, second);
    EXPECT_EQ(menu->creature1->anim.base.tx, first * 70.0f - 4000.0f);
    EXPECT_EQ(menu->creature2->anim.base.tx, second * 50.0f - 4000.0f);
    EXPECT_EQ(menu->creature1->anim.base.ty, 150.0f);  // the scene's height stays

    ticks(1);
    EXPECT_EQ(menu->countdown1, first - 1);
    EXPECT_EQ(menu->creature1->anim.base.tx, (first - 1) * 70.0f - 4000.0f);
    ticks(first - 1);
    EXPECT_EQ(menu->countdown1, 0);
    EXPECT_EQ(menu->creature1->anim.base.tx, -4000.0f);
    ticks(1);
    EXPECT_GE(menu->countdown1, 300);
    EXPECT_GT(menu->creature1->anim.base.tx, 300 * 70.0f - 4000.0f - 1);
}

class menu_draw : public c_menu_test, public testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(menu_draw, the_ui_draws_right_after_focus_0_and_the_credits_and_fade_come_last) {
    platform_.update_screen_size(GetParam().first, GetParam().second);
    enter();
    ticks(tw_test::k_first_credit_tick);  // the first credit block is in the scene now
    ASSERT_EQ(menu->credits.active.size(), 1u);
    menu->fade_level = 0.5f;
    menu->fade_quad.buffer.set_alpha(127);
    name_textures();
    device_.calls.clear();
    menu->on_draw(platform_, data);

    const std::vector<uint32_t> order = drawn_textures();
    auto first_of = [&](const std::string& file) {
        const uint32_t name = texture_name(file);
        for (size_t i = 0; i < order.size(); ++i) {
            if (order[i] == name) return int(i);
        }
        return -1;
    };
    const int world = first_of("world.bmp");
    const int title = first_of("title_big.bmp");
    const int card = first_of("chapter01.bmp");
    const int logo = first_of("zelt.bmp");
    const int dressing = first_of("dressing.bmp");
    const int light = first_of("c1/light0.bmp");
    ASSERT_GE(world, 0);
    EXPECT_EQ(first_of("dragonfly.bmp"), title - 1);  // the last object of focus_0
    EXPECT_LT(world, title);
    EXPECT_LT(title, card);
    EXPECT_LT(card, logo);
    EXPECT_LT(logo, dressing);
    EXPECT_LT(dressing, light);
    // After the UI the scene's projection is set again for the later levels.
    const auto projections = device_.calls_of(tw::e_render_call::load_projection);
    ASSERT_GE(projections.size(), 4u);
    EXPECT_EQ(projections[0].matrix, projections[2].matrix);
    EXPECT_NE(projections[0].matrix, projections[1].matrix);

    // The fade quad is the last draw, in the UI view.
    const auto draws = device_.draws();
    EXPECT_EQ(draws.back().texture, texture_name("blank.bmp"));
    EXPECT_TRUE(is_fade(draws.back()));
    EXPECT_EQ(draws.back().colours[0].a, 127);

    // Letterbox bars only on windows narrower than 2:1.
    const bool narrow = GetParam().first < 2 * GetParam().second;
    int blacks = 0;
    for (const auto& draw : draws) {
        blacks += draw.texture == texture_name("blank.bmp") && is_letterbox_bar(draw);
    }
    EXPECT_EQ(blacks, narrow ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(windows, menu_draw,
                         testing::Values(std::make_pair(1280, 720), std::make_pair(2560, 1080)));

}  // namespace
