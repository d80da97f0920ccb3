// The per-frame input record: backspace keys, mouse press/drag/release,
// positions outside the window, and the screen-to-view conversion.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

using namespace tw;

namespace {

class input : public ::testing::Test {
protected:
    void SetUp() override { platform.update_screen_size(1920, 1080); }

    bool mouse(c_mouse_event& e) { return platform.take_mouse_event(e); }

    c_window_headless window;
    c_render_device_recording device;
    c_platform platform{window, device};
};

}  // namespace

TEST_F(input, backspace_and_del_presses_type_character_8_and_releases_nothing) {
    platform.on_key(k_key_backspace, k_action_press);
    platform.on_key(k_key_backspace, k_action_release);
    platform.on_key(k_key_del, k_action_press);
    platform.on_key(k_key_f10, k_action_press);
    platform.on_character('q', k_action_release);  // only presses type
    uint16_t c = 0;
    ASSERT_TRUE(platform.take_character(c));
    EXPECT_EQ(c, 8);
    ASSERT_TRUE(platform.take_character(c));
    EXPECT_EQ(c, 8);
    EXPECT_FALSE(platform.take_character(c));
}

TEST_F(input, characters_come_one_per_call_in_order_truncated_to_16_bits) {
    platform.on_character('a', k_action_press);
    platform.on_character(0x1F600, k_action_press);
    uint16_t c = 0;
    ASSERT_TRUE(platform.take_character(c));
    EXPECT_EQ(c, 'a');
    ASSERT_TRUE(platform.take_character(c));
    EXPECT_EQ(c, 0xF600);
}

TEST_F(input, holding_still_gives_one_press_then_nothing_until_moved) {
    c_mouse_event e;
    platform.on_mouse_position(500, 400);
    EXPECT_FALSE(mouse(e));  // moving without the button is tracked silently
    platform.on_mouse_button(0, k_action_press);
    ASSERT_TRUE(mouse(e));
    EXPECT_EQ(e.kind, k_mouse_press);
    EXPECT_EQ(platform.mouse_x, 500);
    EXPECT_FALSE(mouse(e));
    EXPECT_FALSE(mouse(e));
    platform.on_mouse_position(497, 410);
    ASSERT_TRUE(mouse(e));
    EXPECT_EQ(e.kind, k_mouse_drag);
    EXPECT_EQ(e.dx, 65533);  // read by states as -3
    EXPECT_EQ(int16_t(e.dx), -3);
    EXPECT_EQ(e.dy, 10);
    platform.on_mouse_position(490, 410);
    platform.on_mouse_button(0, k_action_release);
    ASSERT_TRUE(mouse(e));
    EXPECT_EQ(e.kind, k_mouse_release);
    EXPECT_EQ(int16_t(e.dx), -7);
    EXPECT_FALSE(mouse(e));
}

TEST_F(input, only_the_left_button_counts_and_a_click_inside_one_frame_spans_two) {
    c_mouse_event e;
    platform.on_mouse_button(1, k_action_press);
    EXPECT_FALSE(mouse(e));
    // A tap: press and release before the frame looks. The press comes now,
    // the release in the next frame, then nothing.
    platform.on_mouse_position(300, 200);
    platform.on_mouse_button(0, k_action_press);
    platform.on_mouse_button(0, k_action_release);
    ASSERT_TRUE(mouse(e));
    EXPECT_EQ(e.kind, k_mouse_press);
    EXPECT_EQ(platform.mouse_x, 300);
    ASSERT_TRUE(mouse(e));
    EXPECT_EQ(e.kind, k_mouse_release);
    EXPECT_FALSE(mouse(e));
    // Repeated reports of one state add no change.
    platform.on_mouse_button(0, k_action_press);
    platform.on_mouse_button(0, k_action_press);
    ASSERT_TRUE(mouse(e));
    EXPECT_EQ(e.kind, k_mouse_press);
    EXPECT_FALSE(mouse(e));
}

TEST_F(input, positions_outside_the_window_are_dropped) {
    platform.on_mouse_position(100, 100);
    platform.on_mouse_position(-1, 50);
    platform.on_mouse_position(1920, 50);
    platform.on_mouse_position(50, 1080);
    platform.on_mouse_button(0, k_action_press);
    c_mouse_event e;
    mouse(e);
    EXPECT_EQ(platform.mouse_x, 100);
    EXPECT_EQ(platform.mouse_y, 100);
}

TEST_F(input, screen_size_is_clamped_and_keeps_short_and_long_sides) {
    EXPECT_FALSE(platform.update_screen_size(1920, 1080));
    EXPECT_TRUE(platform.update_screen_size(0, 1024));
    EXPECT_EQ(platform.width, 1);
    EXPECT_EQ(platform.short_side, 1);
    EXPECT_EQ(platform.long_side, 1024);
}

TEST(screen_to_view, maps_window_pixels_to_the_ui_square) {
    struct case_t {
        int w, h, mx, my;
        float x, y;
    } cases[] = {
        {1920, 1080, 960, 540, 0.0f, 0.0f},
        {1920, 1080, 0, 540, -1820.4445f, 0.0f},
        {1920, 1080, 960, 0, 0.0f, 1024.0f},
        {1280, 1024, 0, 1024, -1280.0f, -1024.0f},
        {1024, 1280, 1024, 0, 1024.0f, 1280.0f},
    };
    for (const case_t& c : cases) {
        c_window_headless window;
        c_render_device_recording device;
        c_platform platform(window, device);
        platform.update_screen_size(c.w, c.h);
        platform.mouse_x = static_cast<uint16_t>(c.mx);
        platform.mouse_y = static_cast<uint16_t>(c.my);
        vec2 v = platform.screen_to_view();
        EXPECT_NEAR(v.x, c.x, 0.01f) << c.w << "x" << c.h << " at " << c.mx << "," << c.my;
        EXPECT_NEAR(v.y, c.y, 0.01f) << c.w << "x" << c.h << " at " << c.mx << "," << c.my;
    }
}
