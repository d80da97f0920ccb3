// Push and toggle buttons: presses inside and on the border, the codes they
// append, radio groups, their colours, and the drawing order of box and label.
#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "ui/ui_element_button_push.h"
#include "ui/ui_element_button_toggle.h"
#include "ui_test_platform.h"

namespace {

using tw::k_mouse_drag;
using tw::k_mouse_press;
using tw::k_mouse_release;

constexpr uint16_t k_code = 11;
constexpr uint16_t k_off_code = 12;

bool same_colour(const tw::c_vertex_buffer_quad& quad, const tw::c_rgba& colour) {
    for (int v = 0; v < quad.count; ++v) {
        const tw::c_rgba& c = quad.colours[v];
        if (c.r != colour.r || c.g != colour.g || c.b != colour.b || c.a != colour.a) return false;
    }
    return true;
}

class buttons : public tw_test::c_ui_test {
protected:
    tw::c_ui_element_button_push push(float x, float y, uint16_t code = k_code) {
        return tw::c_ui_element_button_push(x, y, 4, &box_, 100, 50, &test_font_.font, "AV", code);
    }
    std::unique_ptr<tw::c_ui_element_button_toggle> toggle(float y, tw::c_ui_radio_group* group,
                                                           uint16_t code = k_code) {
        auto t = std::make_unique<tw::c_ui_element_button_toggle>(
            0, y, &box_, 100, 50, &test_font_.font, "To", code, k_off_code, group);
        t->layout(tw_test::window_context(1080, 1080));
        return t;
    }
    bool click(tw::i_ui_element& element, float x, float y, uint16_t kind = k_mouse_press) {
        return element.on_mouse_button(context_, kind, 0, 0, x, y, events_);
    }
    std::deque<uint16_t> codes() const { return events_.ui_events; }
};

TEST_F(buttons, a_push_button_takes_only_presses_inside_or_on_its_border) {
    auto button = push(300, -200);
    button.layout(context_);
    EXPECT_FALSE(click(button, 300, -200, k_mouse_drag));
    EXPECT_FALSE(click(button, 300, -200, k_mouse_release));
    EXPECT_FALSE(click(button, 400.5f, -200));
    EXPECT_TRUE(events_.ui_events.empty());
    EXPECT_TRUE(click(button, 400, -150));
    EXPECT_TRUE(click(button, 200, -250));
    EXPECT_EQ(codes(), (std::deque<uint16_t>{k_code, k_code}));
}

TEST_F(buttons, a_push_button_draws_its_box_then_its_label_at_its_position) {
    auto button = push(300, -200);
    button.layout(context_);
    button.render(platform_);
    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].texture, tw_test::k_box_texture);
    EXPECT_EQ(draws[0].positions.size(), 4u);
    EXPECT_EQ(draws[1].texture, tw_test::k_font_texture);
    EXPECT_EQ(draws[1].positions.size(), 8u);
    for (const auto& move : device_.calls_of(tw::e_render_call::translate)) {
        EXPECT_FLOAT_EQ(move.values[0], 300);
        EXPECT_FLOAT_EQ(move.values[1], -200);
    }
}

TEST_F(buttons, a_toggle_is_always_anchored_middle_left_and_starts_off) {
    auto t = toggle(0, nullptr);
    EXPECT_EQ(t->position.anchor, 3);
    EXPECT_FALSE(t->toggled);
    EXPECT_TRUE(same_colour(t->background.buffer, tw::k_toggle_off_colour));
    t->layout(tw_test::window_context(1600, 900));
    EXPECT_NEAR(t->position.x, -796.44f, 0.01f);
}

TEST_F(buttons, a_lone_toggle_alternates_its_two_codes_and_colours) {
    auto t = toggle(0, nullptr);
    EXPECT_FALSE(click(*t, 0, 80));
    EXPECT_FALSE(click(*t, 0, 0, k_mouse_drag));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(click(*t, 0, 50));
        EXPECT_EQ(t->toggled, i % 2 == 0);
        EXPECT_TRUE(same_colour(t->background.buffer, t->toggled ? tw::k_toggle_on_colour
                                                                 : tw::k_toggle_off_colour));
    }
    EXPECT_EQ(codes(), (std::deque<uint16_t>{k_code, k_off_code, k_code, k_off_code}));
}

TEST_F(buttons, a_radio_group_keeps_one_member_on) {
    tw::c_ui_radio_group group;
    auto first = toggle(0, &group, 1);
    auto second = toggle(200, &group, 2);
    auto third = toggle(400, &group, 3);
    ASSERT_EQ(group.size(), 3u);
    EXPECT_EQ(group[1], second.get());

    EXPECT_TRUE(click(*first, 0, 0));
    EXPECT_TRUE(click(*third, 0, 400));
    EXPECT_FALSE(first->toggled);
    EXPECT_FALSE(second->toggled);
    EXPECT_TRUE(third->toggled);
    EXPECT_TRUE(same_colour(first->background.buffer, tw::k_toggle_off_colour));
    EXPECT_TRUE(same_colour(third->background.buffer, tw::k_toggle_on_colour));
    EXPECT_EQ(codes(), (std::deque<uint16_t>{1, 3}));

    // A click on the member that is on is taken, keeps it on and reports nothing.
    EXPECT_TRUE(click(*third, 0, 400));
    EXPECT_TRUE(third->toggled);
    EXPECT_EQ(codes().size(), 2u);
}

TEST_F(buttons, a_destroyed_toggle_leaves_its_radio_group) {
    tw::c_ui_radio_group group;
    auto first = toggle(0, &group, 1);
    auto second = toggle(200, &group, 2);
    second.reset();
    ASSERT_EQ(group.size(), 1u);
    EXPECT_EQ(group[0], first.get());
    EXPECT_TRUE(click(*first, 0, 0));
    EXPECT_TRUE(first->toggled);
}

}  // namespace
