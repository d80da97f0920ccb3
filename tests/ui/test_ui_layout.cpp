// Anchored layout on wide and tall windows, the pointer in UI space, and the
// graphic and text elements following their computed position when drawn.
#include <gtest/gtest.h>

#include <memory>

#include "ui/ui_element_graphic.h"
#include "ui/ui_element_text.h"
#include "ui_test_platform.h"

namespace {

using tw_test::window_context;

// 700 window pixels beyond the 900-pixel square, in UI units: 700 * 1024 / 900.
constexpr float k_extra_700 = 796.4444f;
constexpr float k_tolerance = 0.01f;

struct c_anchor_case {
    const char* name;
    uint16_t width, height;
    uint8_t anchor;
    float offset_x, offset_y;
    float x, y;
};

class anchored_layout_cases : public testing::TestWithParam<c_anchor_case> {};

TEST_P(anchored_layout_cases, keeps_the_distance_to_the_anchored_edge) {
    const c_anchor_case& c = GetParam();
    tw::c_ui_position position;
    position.offset_x = c.offset_x;
    position.offset_y = c.offset_y;
    position.anchor = c.anchor;
    tw::anchored_layout(position, window_context(c.width, c.height));
    EXPECT_NEAR(position.x, c.x, k_tolerance);
    EXPECT_NEAR(position.y, c.y, k_tolerance);
    EXPECT_FLOAT_EQ(position.offset_x, c.offset_x);
}

INSTANTIATE_TEST_SUITE_P(
    cases, anchored_layout_cases,
    testing::Values(
        c_anchor_case{"wide_top_right", 1600, 900, 2, -100, 0, -100 + k_extra_700, 0},
        c_anchor_case{"wide_top_left", 1600, 900, 0, 10, 20, 10 - k_extra_700, 20},
        c_anchor_case{"wide_centre", 1600, 900, 4, 10, 20, 10, 20},
        c_anchor_case{"wide_bottom_right", 1600, 900, 8, 10, 20, 10 + k_extra_700, 20},
        c_anchor_case{"tall_top_right", 900, 1600, 2, -100, -30, -100, -30 + k_extra_700},
        c_anchor_case{"tall_middle_left", 900, 1600, 3, 10, 20, 10, 20},
        c_anchor_case{"tall_bottom_centre", 900, 1600, 7, 10, 20, 10, 20 - k_extra_700},
        c_anchor_case{"square_any_anchor", 800, 800, 6, 10, 20, 10, 20},
        c_anchor_case{"window_size_unknown", 0, 0, 0, 10, 20, 10, 20}),
    [](const testing::TestParamInfo<c_anchor_case>& info) { return info.param.name; });

struct c_pointer_case {
    const char* name;
    uint16_t width, height, px, py;
    float x, y;
};

class pointer_cases : public testing::TestWithParam<c_pointer_case> {};

TEST_P(pointer_cases, maps_window_pixels_to_ui_space) {
    const c_pointer_case& c = GetParam();
    const tw::vec2 p = tw::pointer_to_ui(window_context(c.width, c.height, c.px, c.py));
    EXPECT_NEAR(p.x, c.x, k_tolerance);
    EXPECT_NEAR(p.y, c.y, k_tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    cases, pointer_cases,
    testing::Values(c_pointer_case{"wide_centre", 1600, 900, 800, 450, 0, 0},
                    c_pointer_case{"wide_square_top_left", 1600, 900, 350, 0, -1024, 1024},
                    c_pointer_case{"wide_window_bottom_left", 1600, 900, 0, 900, -1820.4444f,
                                   -1024},
                    c_pointer_case{"wide_one_pixel_in", 1600, 900, 1, 0, -1818.1689f, 1024},
                    c_pointer_case{"tall_square_top_left", 900, 1600, 0, 350, -1024, 1024},
                    c_pointer_case{"tall_window_bottom_centre", 900, 1600, 450, 1600, 0,
                                   -1820.4444f},
                    c_pointer_case{"window_size_unknown", 0, 0, 5, 5, 0, 0}),
    [](const testing::TestParamInfo<c_pointer_case>& info) { return info.param.name; });

struct c_hit_case {
    const char* name;
    float x, y;
    bool inside;
};

class hit_cases : public testing::TestWithParam<c_hit_case> {};

TEST_P(hit_cases, counts_the_border_as_inside) {
    tw::c_ui_position position;
    position.x = 300;
    position.y = -200;
    EXPECT_EQ(tw::is_inside(position, 100, 50, GetParam().x, GetParam().y), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(
    cases, hit_cases,
    testing::Values(c_hit_case{"centre", 300, -200, true},
                    c_hit_case{"top_right_corner", 400, -150, true},
                    c_hit_case{"bottom_left_corner", 200, -250, true},
                    c_hit_case{"just_right", 400.01f, -200, false},
                    c_hit_case{"just_below", 300, -250.01f, false},
                    c_hit_case{"at_the_origin", 0, 0, false}),
    [](const testing::TestParamInfo<c_hit_case>& info) { return info.param.name; });

class element_drawing : public tw_test::c_ui_test {};

TEST_F(element_drawing, a_graphic_draws_its_whole_texture_at_the_laid_out_position) {
    tw::c_ui_element_graphic graphic(-100, 0, 2, &box_, 64, 32);
    graphic.layout(window_context(1600, 900));
    graphic.render(platform_);

    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].texture, tw_test::k_box_texture);
    ASSERT_EQ(draws[0].positions.size(), 4u);
    const float corners[4][4] = {
        {-64, 32, 0, 0}, {64, 32, 1, 0}, {64, -32, 1, 1}, {-64, -32, 0, 1}};
    for (int v = 0; v < 4; ++v) {
        EXPECT_FLOAT_EQ(draws[0].positions[v].x, corners[v][0]) << v;
        EXPECT_FLOAT_EQ(draws[0].positions[v].y, corners[v][1]) << v;
        EXPECT_FLOAT_EQ(draws[0].uvs[v].x, corners[v][2]) << v;
        EXPECT_FLOAT_EQ(draws[0].uvs[v].y, corners[v][3]) << v;
        EXPECT_EQ(draws[0].colours[v].a, 255) << v;
    }
    const auto moves = device_.calls_of(tw::e_render_call::translate);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_NEAR(moves[0].values[0], -100 + k_extra_700, k_tolerance);
    EXPECT_FLOAT_EQ(moves[0].values[1], 0);
}

TEST_F(element_drawing, a_text_is_centred_white_and_follows_a_new_layout) {
    tw::c_ui_element_text text(0, 100, 0, &test_font_.font, "AV");
    EXPECT_EQ(text.text.anchor, 4);
    EXPECT_FLOAT_EQ(text.text.scale, 2.0f);
    EXPECT_EQ(text.text.max_line_width, 1024);
    EXPECT_EQ(text.text.colour.b, 255);
    EXPECT_EQ(text.text.glyph_count, 2);

    text.layout(window_context(900, 1600));
    text.render(platform_);
    text.layout(window_context(900, 900));
    text.render(platform_);
    const auto moves = device_.calls_of(tw::e_render_call::translate);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_NEAR(moves[0].values[1], 100 + k_extra_700, k_tolerance);
    EXPECT_FLOAT_EQ(moves[1].values[1], 100);
    EXPECT_EQ(device_.draws().size(), 2u);
}

TEST_F(element_drawing, a_text_with_a_missing_or_malformed_font_draws_nothing) {
    const std::string broken =
        tw_test::write_file(test_font_.folder, "broken.xml", "<font><common lineHeight=");
    for (const std::string& path : {test_font_.folder.path + "/missing.xml", broken}) {
        tw::c_ui_font font;
        EXPECT_FALSE(font.load(path, &font_material_)) << path;
        tw::c_ui_element_text text(0, 0, 4, &font, "Hello AV\nthere");
        text.layout(context_);
        text.render(platform_);
        EXPECT_EQ(text.text.glyph_count, 0) << path;
    }
    EXPECT_TRUE(device_.draws().empty());
}

}  // namespace
