// Text layout with a small hand-made font: line ends, breaking after spaces,
// the glyph cap, bytes above 127, kerning, anchors, and the drawn batch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "ui/ui_component_text.h"
#include "ui_test_font.h"

namespace {

using tw::c_ui_component_text;

constexpr tw::c_rgba k_white{};

std::vector<std::string> line_texts(const c_ui_component_text& text) {
    std::vector<std::string> out;
    for (const auto& line : text.lines) out.push_back(line.text);
    return out;
}

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

class text_layout : public testing::Test {
protected:
    c_ui_component_text laid_out(const std::string& s, uint8_t anchor = 0) {
        c_ui_component_text text(&test_.font);
        text.anchor = anchor;
        text.set_text(s, k_white);
        return text;
    }
    tw_test::c_test_font test_;
};

struct c_lines_case {
    const char* name;
    const char* text;
    std::vector<std::string> lines;
};

class text_line_ends : public text_layout, public testing::WithParamInterface<c_lines_case> {};

TEST_P(text_line_ends, each_line_end_starts_its_own_line) {
    const c_ui_component_text text = laid_out(GetParam().text);
    EXPECT_EQ(line_texts(text), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    cases, text_line_ends,
    testing::Values(c_lines_case{"line_feed", "A\nV", {"A", "V"}},
                    c_lines_case{"carriage_return_line_feed", "A\r\nV", {"A", "", "V"}},
                    c_lines_case{"carriage_return", "A\rV", {"A", "V"}},
                    c_lines_case{"only_a_line_feed", "\n", {"", ""}},
                    c_lines_case{"trailing_line_feeds", "A\n\n", {"A", "", ""}},
                    c_lines_case{"no_glyph_is_left_out", "A zV", {"A V"}}),
    [](const testing::TestParamInfo<c_lines_case>& info) { return info.param.name; });

TEST_F(text_layout, single_letter_words_fill_each_line_and_break_after_the_space) {
    // "A " is 30 units at scale 2; 34 of them reach 1020 and one more 'A' would pass 1024.
    const c_ui_component_text text = laid_out(repeat("A ", 80));
    const std::vector<std::string> expected = {repeat("A ", 34), repeat("A ", 34),
                                               repeat("A ", 12)};
    EXPECT_EQ(line_texts(text), expected);
    EXPECT_FLOAT_EQ(text.lines[0].width, 1020);
    EXPECT_FLOAT_EQ(text.lines[2].width, 360);
}

TEST_F(text_layout, a_word_wider_than_the_limit_stays_on_one_line) {
    const c_ui_component_text alone = laid_out(repeat("A", 60));
    ASSERT_EQ(alone.lines.size(), 1u);
    EXPECT_FLOAT_EQ(alone.lines[0].width, 1200);

    // A word that starts within the limit and overflows part-way stays too.
    const c_ui_component_text straddling = laid_out(repeat("A", 40) + " " + repeat("A", 60));
    ASSERT_EQ(straddling.lines.size(), 1u);
    EXPECT_FLOAT_EQ(straddling.lines[0].width, 800 + 10 + 1200);

    const c_ui_component_text after_full_line = laid_out(repeat("A ", 34) + repeat("A", 60));
    EXPECT_EQ(line_texts(after_full_line),
              (std::vector<std::string>{repeat("A ", 34), repeat("A", 60)}));
}

TEST_F(text_layout, keeps_at_most_257_glyphs) {
    const c_ui_component_text text = laid_out(repeat("A", 300));
    EXPECT_EQ(text.glyph_count, 257);
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0].text.size(), 257u);
    ASSERT_NE(text.batch, nullptr);
    EXPECT_EQ(text.batch->vertex_count, 257 * 4);

    // Line ends are not glyphs, and reading stops right after the 257th glyph.
    const c_ui_component_text lines = laid_out(repeat("A\n", 300));
    EXPECT_EQ(lines.glyph_count, 257);
    EXPECT_EQ(lines.lines.size(), 257u);
}

TEST_F(text_layout, bytes_above_127_are_never_drawn_even_with_a_glyph) {
    ASSERT_NE(test_.font.glyph(200), nullptr);
    const c_ui_component_text text = laid_out("A\xC8V\xC8");
    EXPECT_EQ(line_texts(text), (std::vector<std::string>{"AV"}));
    EXPECT_EQ(text.glyph_count, 2);
    ASSERT_EQ(text.batch->vertex_count, 8);
    for (int v = 0; v < 8; ++v) EXPECT_NE(text.batch->uvs[v].x, 64.0f / 256) << v;
}

struct c_kerning_case {
    const char* name;
    bool with_kernings;
    float v_left;      // left edge of 'V' in "AV" at scale 2
    float line_width;
};

class text_kerning : public testing::TestWithParam<c_kerning_case> {};

TEST_P(text_kerning, moves_the_pen_and_the_line_width) {
    tw_test::c_test_font test(nullptr, GetParam().with_kernings);
    c_ui_component_text text(&test.font);
    text.anchor = 0;
    text.set_text("AV", k_white);
    ASSERT_EQ(text.batch->vertex_count, 8);
    EXPECT_FLOAT_EQ(text.batch->positions[0].x, 2);  // 'A' x offset 1, scaled
    EXPECT_FLOAT_EQ(text.batch->positions[4].x, GetParam().v_left);
    EXPECT_FLOAT_EQ(text.lines[0].width, GetParam().line_width);
}

INSTANTIATE_TEST_SUITE_P(
    cases, text_kerning,
    testing::Values(c_kerning_case{"pair_tightens", true, 16, 34},
                    c_kerning_case{"font_without_kernings", false, 20, 38}),
    [](const testing::TestParamInfo<c_kerning_case>& info) { return info.param.name; });

struct c_anchor_case {
    uint8_t anchor;
    float top;          // y of the first line's top
    float first_left;   // left edge of the first 'A' on line one ("AV", 34 wide)
    float second_left;  // left edge of the 'A' on line two ("A", 20 wide)
};

class text_anchor : public text_layout, public testing::WithParamInterface<c_anchor_case> {};

TEST_P(text_anchor, sets_the_vertical_start_and_each_lines_pen_start) {
    const c_ui_component_text text = laid_out("AV\nA", GetParam().anchor);
    ASSERT_EQ(text.batch->vertex_count, 12);
    const float a_y_offset = 2 * 2;
    const float line_step = 21 * 2;
    EXPECT_FLOAT_EQ(text.batch->positions[0].y, GetParam().top - a_y_offset);
    EXPECT_FLOAT_EQ(text.batch->positions[8].y, GetParam().top - line_step - a_y_offset);
    EXPECT_FLOAT_EQ(text.batch->positions[0].x, GetParam().first_left);
    EXPECT_FLOAT_EQ(text.batch->positions[8].x, GetParam().second_left);
}

// Two lines, line height 21, base 16, scale 2: row 0 starts at (21 - 16) / 2 = 2.5,
// row 1 at -0.5 * 2 * (-2 - 42) = 44, row 2 at 2 * (42 + 2) = 88 (the half gap -2.5
// truncates to -2). Columns start the pen at 0, -width / 2 and -width.
INSTANTIATE_TEST_SUITE_P(cases, text_anchor,
                         testing::Values(c_anchor_case{0, 2.5f, 2, 2},
                                         c_anchor_case{1, 2.5f, -15, -8},
                                         c_anchor_case{2, 2.5f, -32, -18},
                                         c_anchor_case{3, 44, 2, 2},
                                         c_anchor_case{4, 44, -15, -8},
                                         c_anchor_case{5, 44, -32, -18},
                                         c_anchor_case{6, 88, 2, 2},
                                         c_anchor_case{7, 88, -15, -8},
                                         c_anchor_case{8, 88, -32, -18}));

TEST_F(text_layout, a_glyph_quad_has_its_corners_texture_window_and_the_colour) {
    c_ui_component_text text(&test_.font);
    text.anchor = 0;
    const tw::c_rgba colour{10, 20, 30, 40};
    text.set_text("o", colour);
    ASSERT_EQ(text.batch->vertex_count, 4);
    // Top 2.5 - 5 * 2, 7 x 7 pixels at scale 2.
    const float xs[4] = {0, 14, 14, 0};
    const float ys[4] = {-7.5f, -7.5f, -21.5f, -21.5f};
    const float us[4] = {48.0f / 256, 55.0f / 256, 55.0f / 256, 48.0f / 256};
    const float vs[4] = {16.0f / 128, 16.0f / 128, 23.0f / 128, 23.0f / 128};
    for (int v = 0; v < 4; ++v) {
        EXPECT_FLOAT_EQ(text.batch->positions[v].x, xs[v]) << v;
        EXPECT_FLOAT_EQ(text.batch->positions[v].y, ys[v]) << v;
        EXPECT_FLOAT_EQ(text.batch->positions[v].z, 0) << v;
        EXPECT_FLOAT_EQ(text.batch->uvs[v].x, us[v]) << v;
        EXPECT_FLOAT_EQ(text.batch->uvs[v].y, vs[v]) << v;
        EXPECT_EQ(text.batch->colours[v].g, 20) << v;
        EXPECT_EQ(text.batch->colours[v].a, 40) << v;
    }
}

TEST_F(text_layout, setting_empty_text_frees_the_batch_and_the_lines) {
    c_ui_component_text text = laid_out("AV\nA");
    ASSERT_NE(text.batch, nullptr);
    text.set_text("", k_white);
    EXPECT_EQ(text.batch, nullptr);
    EXPECT_TRUE(text.lines.empty());
    EXPECT_EQ(text.glyph_count, 0);
    EXPECT_EQ(text.text, "");
}

class text_drawing : public testing::Test {
protected:
    text_drawing() { texture_.name = 9; }
    tw::c_window_headless window_;
    tw::c_render_device_recording device_;
    tw::c_platform platform_{window_, device_};
    tw::c_texture texture_{"font.bmp"};
    tw::c_material material_{&texture_, 0};
};

TEST_F(text_drawing, draws_the_whole_batch_once_with_the_font_texture_and_transform) {
    tw_test::c_test_font test(&material_);
    c_ui_component_text text(&test.font);
    text.set_text(repeat("AV To ", 20), k_white);  // 120 glyphs (spaces too): more than a quad buffer holds
    tw::c_transform place;
    place.tx = 30;
    place.ty = -40;
    text.draw(platform_, place);

    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].texture, 9u);
    EXPECT_FALSE(draws[0].additive);
    ASSERT_EQ(draws[0].positions.size(), 480u);
    for (int v = 0; v < 480; v += 37) {
        EXPECT_FLOAT_EQ(draws[0].positions[v].x, text.batch->positions[v].x) << v;
        EXPECT_FLOAT_EQ(draws[0].uvs[v].y, text.batch->uvs[v].y) << v;
    }
    const auto moves = device_.calls_of(tw::e_render_call::translate);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_FLOAT_EQ(moves[0].values[0], 30);
    EXPECT_FLOAT_EQ(moves[0].values[1], -40);
}

TEST_F(text_drawing, a_font_without_description_lays_out_to_nothing_and_draws_nothing) {
    tw_test::c_temp_folder folder;
    tw::c_ui_font font;
    EXPECT_FALSE(font.load(folder.path + "/font_desc.xml", &material_));
    c_ui_component_text text(&font);
    text.set_text("AV To\nA", k_white);
    EXPECT_EQ(text.glyph_count, 0);
    text.draw(platform_, tw::c_transform{});
    EXPECT_TRUE(device_.draws().empty());
    EXPECT_EQ(device_.count(tw::e_render_call::bind_texture), 0);
}

TEST_F(text_drawing, texts_without_glyphs_draw_nothing) {
    tw_test::c_test_font test(&material_);
    c_ui_component_text empty(&test.font);
    empty.set_text("", k_white);
    c_ui_component_text unknown(&test.font);
    unknown.set_text("zz\xC8\n", k_white);
    c_ui_component_text fontless;
    fontless.set_text("AV", k_white);
    for (const c_ui_component_text* text : {&empty, &unknown, &fontless})
        text->draw(platform_, tw::c_transform{});
    EXPECT_TRUE(device_.draws().empty());
}

}  // namespace
