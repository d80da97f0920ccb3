// The edit box: focus from presses and moves, editing by typed characters,
// the translucent box and the drawing order.
#include <gtest/gtest.h>

#include <string>

#include "ui/ui_element_editbox.h"
#include "ui_test_platform.h"

namespace {

using tw::k_mouse_drag;
using tw::k_mouse_press;
using tw::k_mouse_release;

class editbox : public tw_test::c_ui_test {
protected:
    editbox() { box_under_test_.layout(context_); }
    bool pointer(uint16_t kind, float x, float y) {
        return box_under_test_.on_mouse_button(context_, kind, 0, 0, x, y, events_);
    }
    bool type(uint16_t code) { return box_under_test_.on_char(platform_, code, events_); }
    const std::string& text() const { return box_under_test_.text.text; }

    // Centred at (200, 100) with half sizes 300 x 40.
    tw::c_ui_element_editbox box_under_test_{200, 100, 4, &test_font_.font, "AV", &box_, 300, 40};
};

TEST_F(editbox, press_or_move_inside_focuses_and_outside_unfocuses) {
    EXPECT_FALSE(box_under_test_.focused);
    EXPECT_TRUE(pointer(k_mouse_press, 500, 140));  // the corner counts
    EXPECT_TRUE(box_under_test_.focused);
    EXPECT_FALSE(pointer(k_mouse_release, 900, 900));
    EXPECT_TRUE(box_under_test_.focused);
    EXPECT_FALSE(pointer(k_mouse_drag, 501, 100));
    EXPECT_FALSE(box_under_test_.focused);
    EXPECT_TRUE(pointer(k_mouse_drag, -100, 60));
    EXPECT_TRUE(box_under_test_.focused);
    EXPECT_TRUE(events_.ui_events.empty());
}

TEST_F(editbox, an_unfocused_box_takes_no_characters) {
    EXPECT_FALSE(type('A'));
    EXPECT_EQ(text(), "AV");
}

TEST_F(editbox, typed_characters_edit_the_text_and_lay_it_out_again) {
    pointer(k_mouse_press, 200, 100);
    EXPECT_TRUE(type('T'));
    EXPECT_TRUE(type(0x416F));  // only the low byte 'o' is kept
    EXPECT_EQ(text(), "AVTo");
    EXPECT_EQ(box_under_test_.text.glyph_count, 4);
    EXPECT_EQ(box_under_test_.text.batch->vertex_count, 16);
    EXPECT_TRUE(type(tw::k_char_backspace));
    EXPECT_TRUE(type(tw::k_char_delete));
    EXPECT_EQ(text(), "AV");
    EXPECT_EQ(box_under_test_.text.glyph_count, 2);
    EXPECT_TRUE(events_.ui_events.empty());
}

TEST_F(editbox, backspace_on_empty_text_is_taken_and_changes_nothing) {
    pointer(k_mouse_press, 200, 100);
    type(tw::k_char_backspace);
    type(tw::k_char_backspace);
    ASSERT_EQ(text(), "");
    EXPECT_TRUE(type(tw::k_char_backspace));
    EXPECT_TRUE(type(tw::k_char_delete));
    EXPECT_EQ(text(), "");
    EXPECT_EQ(box_under_test_.text.glyph_count, 0);
}

TEST_F(editbox, draws_a_translucent_box_then_the_text) {
    box_under_test_.render(platform_);
    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].texture, tw_test::k_box_texture);
    ASSERT_EQ(draws[0].colours.size(), 4u);
    for (const tw::c_rgba& c : draws[0].colours) {
        EXPECT_EQ(c.a, tw::k_editbox_background_alpha);
        EXPECT_EQ(c.r, 255);
    }
    EXPECT_FLOAT_EQ(draws[0].positions[1].x, 300);
    EXPECT_EQ(draws[1].texture, tw_test::k_font_texture);
}

}  // namespace
