// The timeline: value and track positions, dragging with clamping, snapping
// to key marks without taking the press, and the drawing order.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include "ui/ui_element_button_push.h"
#include "ui/ui_element_timeline.h"
#include "ui/ui_screen.h"
#include "ui_test_platform.h"

namespace {

using tw::k_mouse_drag;
using tw::k_mouse_press;
using tw::k_mouse_release;
using tw_test::window_context;

constexpr uint16_t k_code = 40;
// On a square window the track runs from x = -960 (value 0) to 960 (65535);
// x = -832 is exactly value 4369 (128 units of 1920).
constexpr float k_x_of_4369 = -832;

class timeline : public tw_test::c_ui_test {
protected:
    timeline() { line_.layout(window_context(1080, 1080)); }
    bool pointer(uint16_t kind, float x, float y = 0) {
        return line_.on_mouse_button(context_, kind, 0, 0, x, y, events_);
    }
    size_t codes() const { return events_.ui_events.size(); }

    tw::c_ui_element_timeline line_{0, 0, &box_, &test_font_.font, k_code};
};

TEST_F(timeline, maps_values_to_track_positions_and_back) {
    EXPECT_EQ(line_.position.anchor, 3);
    EXPECT_FLOAT_EQ(line_.value_to_x(0), -960);
    EXPECT_FLOAT_EQ(line_.value_to_x(65535), 960);
    EXPECT_EQ(line_.x_to_value(k_x_of_4369), 4369);
    EXPECT_EQ(line_.x_to_value(0), 32767);  // 32767.5 truncates
    EXPECT_EQ(line_.x_to_value(-2000), 0);
    EXPECT_EQ(line_.x_to_value(2000), 65535);

    line_.layout(window_context(1600, 900));  // the left edge moves 796.44 units out
    EXPECT_NEAR(line_.value_to_x(0), -1756.44f, 0.01f);
    EXPECT_EQ(line_.x_to_value(line_.position.x + 128 - 960), 4369);
}

TEST_F(timeline, ignores_what_is_not_a_press_on_the_track) {
    EXPECT_FALSE(pointer(k_mouse_drag, -960));
    EXPECT_FALSE(pointer(k_mouse_release, -960));
    EXPECT_FALSE(pointer(k_mouse_press, -960, 32.5f));
    EXPECT_FALSE(pointer(k_mouse_press, 992.5f));
    EXPECT_FALSE(line_.dragging);
    EXPECT_EQ(codes(), 0u);
}

TEST_F(timeline, dragging_moves_the_value_clamps_it_and_reports_every_event) {
    ASSERT_TRUE(pointer(k_mouse_press, -928, -32));  // the cursor's corner
    EXPECT_TRUE(line_.dragging);
    EXPECT_EQ(codes(), 0u);

    EXPECT_TRUE(pointer(k_mouse_drag, -928 + 192));  // 192 units: 6553.5 values, truncated
    EXPECT_EQ(line_.value, 6553);
    EXPECT_EQ(line_.label.text, "6553");
    EXPECT_TRUE(pointer(k_mouse_drag, -5000, 400));  // far past the start, off the track
    EXPECT_EQ(line_.value, 0);
    EXPECT_TRUE(pointer(k_mouse_drag, 5000));
    EXPECT_EQ(line_.value, 65535);
    EXPECT_TRUE(pointer(k_mouse_drag, 5000));  // no movement is still reported
    EXPECT_EQ(line_.value, 65535);
    EXPECT_EQ(line_.label.text, "65535");
    EXPECT_EQ(codes(), 4u);
    EXPECT_EQ(events_.ui_events.front(), k_code);

    EXPECT_TRUE(pointer(k_mouse_release, 5000));
    EXPECT_FALSE(line_.dragging);
    EXPECT_FALSE(pointer(k_mouse_drag, 0));
    EXPECT_EQ(codes(), 4u);
    EXPECT_EQ(line_.value, 65535);

    // A drag whose release went elsewhere: the next press is a press, not a step.
    ASSERT_TRUE(pointer(k_mouse_press, line_.value_to_x(65535)));
    EXPECT_FALSE(pointer(k_mouse_press, 5000));
    EXPECT_FALSE(line_.dragging);
    EXPECT_EQ(line_.value, 65535);
    EXPECT_EQ(codes(), 4u);
}

struct c_snap_case {
    const char* name;
    std::vector<uint16_t> key_marks;
    uint16_t value;  // after a press at value 4369, off the cursor
    const char* label;
};

class timeline_snap : public timeline, public testing::WithParamInterface<c_snap_case> {};

TEST_P(timeline_snap, a_press_snaps_to_the_nearest_mark_in_reach_without_taking_it) {
    line_.key_marks = GetParam().key_marks;
    EXPECT_FALSE(pointer(k_mouse_press, k_x_of_4369));
    EXPECT_FALSE(line_.dragging);
    EXPECT_EQ(line_.value, GetParam().value);
    EXPECT_EQ(line_.label.text, GetParam().label);
    EXPECT_EQ(codes(), GetParam().value == 0 ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    cases, timeline_snap,
    testing::Values(c_snap_case{"nearest_in_reach", {20000, 4369 + 255, 4369 - 200}, 4169, "4169"},
                    c_snap_case{"first_wins_a_tie", {4369 + 200, 4369 - 200}, 4569, "4569"},
                    c_snap_case{"all_out_of_reach", {4369 + 300, 4369 - 256}, 0, "0"},
                    c_snap_case{"no_marks", {}, 0, "0"}),
    [](const testing::TestParamInfo<c_snap_case>& info) { return info.param.name; });

TEST_F(timeline, a_snapping_press_still_reaches_the_element_behind) {
    tw::c_ui_screen_set set;
    tw::c_ui_screen* screen = set.current = set.create_screen();
    auto* line = set.add_element(screen, std::make_unique<tw::c_ui_element_timeline>(
                                             0, 0, &box_, &test_font_.font, k_code));
    line->key_marks = {32767};
    set.add_element(screen, std::make_unique<tw::c_ui_element_button_push>(
                                0, 0, 4, &box_, 100, 100, &test_font_.font, "A", 7));
    set.layout(window_context(1000, 1000));
    EXPECT_TRUE(set.on_mouse_button(window_context(1000, 1000, 500, 500), k_mouse_press, 0, 0,
                                    events_));
    EXPECT_EQ(line->value, 32767);
    EXPECT_EQ(events_.ui_events, (std::deque<uint16_t>{k_code, 7}));
}

TEST_F(timeline, draws_cursor_key_marks_track_then_the_value_above_the_cursor) {
    line_.position.offset_y = -300;
    line_.layout(window_context(1080, 1080));
    line_.key_marks = {0, 65535};
    tw::c_ui_font digits;
    digits.glyphs['4'] = std::make_unique<tw::c_ui_glyph>(*test_font_.font.glyph('A'));
    digits.line_height = 20;
    line_.label.font = &digits;
    line_.set_value(4369);
    line_.render(platform_);

    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 5u);
    EXPECT_EQ(draws[0].colours[0].g, 0);    // the red cursor
    EXPECT_EQ(draws[1].colours[0].g, 128);  // orange key marks
    EXPECT_EQ(draws[2].colours[3].g, 128);
    EXPECT_EQ(draws[3].positions.size(), 12u);  // the track
    EXPECT_FLOAT_EQ(draws[3].positions[5].x, 960);
    EXPECT_EQ(draws[4].positions.size(), 4u);  // the label's '4', the only digit with a glyph
    const float half_sizes[] = {32, 24, 24};
    for (int d = 0; d < 3; ++d) {
        EXPECT_EQ(draws[d].texture, tw_test::k_box_texture);
        EXPECT_FLOAT_EQ(draws[d].positions[1].x, half_sizes[d]) << d;
    }
    const auto moves = device_.calls_of(tw::e_render_call::translate);
    ASSERT_EQ(moves.size(), 5u);
    const float at[5][2] = {{-832, -300}, {-960, -300}, {960, -300}, {0, -300}, {-832, -252}};
    for (int d = 0; d < 5; ++d) {
        EXPECT_FLOAT_EQ(moves[d].values[0], at[d][0]) << d;
        EXPECT_FLOAT_EQ(moves[d].values[1], at[d][1]) << d;
    }
}

}  // namespace
