// Reading font descriptions: metrics, texture windows, kerning pairs, the
// glyph table's limits, and descriptions that are missing or broken.
#include <gtest/gtest.h>

#include "platform/texture.h"
#include "ui/ui_font.h"
#include "ui_test_font.h"

namespace {

using tw_test::c_temp_folder;
using tw_test::test_font_xml;
using tw_test::write_file;

TEST(ui_font, reads_line_metrics_and_glyph_records_with_their_texture_window) {
    tw::c_material material;
    tw_test::c_test_font test(&material);
    const tw::c_ui_font& font = test.font;
    EXPECT_EQ(font.line_height, 21);
    EXPECT_EQ(font.base, 16);
    EXPECT_EQ(font.sheet_width, 256);
    EXPECT_EQ(font.sheet_height, 128);
    EXPECT_EQ(font.material, &material);

    const tw::c_ui_glyph* o = font.glyph('o');
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->width, 7);
    EXPECT_EQ(o->height, 7);
    EXPECT_EQ(o->x_offset, 0);
    EXPECT_EQ(o->y_offset, 5);
    EXPECT_EQ(o->x_advance, 8);
    EXPECT_FLOAT_EQ(o->u_left, 48.0f / 256);
    EXPECT_FLOAT_EQ(o->u_right, 55.0f / 256);
    EXPECT_FLOAT_EQ(o->v_top, 16.0f / 128);
    EXPECT_FLOAT_EQ(o->v_bottom, 23.0f / 128);

    int present = 0;
    for (const auto& glyph : font.glyphs) present += glyph != nullptr;
    EXPECT_EQ(present, 6);
}

TEST(ui_font, kerning_returns_the_pair_amount_or_zero) {
    tw_test::c_test_font test;
    EXPECT_EQ(test.font.kerning('A', 'V'), -2);
    EXPECT_EQ(test.font.kerning('T', 'o'), -1);
    EXPECT_EQ(test.font.kerning('V', 'A'), 0);
    EXPECT_EQ(test.font.kerning(0, 'A'), 0);

    tw_test::c_test_font plain(nullptr, false);
    EXPECT_EQ(plain.font.kerning('A', 'V'), 0);
    EXPECT_TRUE(plain.font.kernings.empty());
}

TEST(ui_font, repeated_id_replaces_and_ids_outside_the_table_are_skipped) {
    c_temp_folder folder;
    const std::string chars =
        "<char id=\"66\" width=\"4\" xadvance=\"6\"/>"
        "<char id=\"66\" width=\"5\" xadvance=\"7\"/>"
        "<char id=\"256\" width=\"9\" xadvance=\"9\"/>"
        "<char id=\"320\" width=\"9\" xadvance=\"9\"/>"
        "<char id=\"-1\" width=\"9\" xadvance=\"9\"/>"
        "<glyph id=\"67\" x=\"bad\"/>";
    tw::c_ui_font font;
    ASSERT_TRUE(font.load(write_file(folder, "f.xml", test_font_xml(chars, nullptr)), nullptr));

    ASSERT_NE(font.glyph('B'), nullptr);
    EXPECT_EQ(font.glyph('B')->width, 5);
    EXPECT_EQ(font.glyph('B')->x_advance, 7);
    // 320 must not wrap onto 64, nor -1 onto 255.
    EXPECT_EQ(font.glyph('@'), nullptr);
    EXPECT_EQ(font.glyph(255), nullptr);
    // Element names inside "chars" are not checked; missing or unreadable values are 0.
    ASSERT_NE(font.glyph('C'), nullptr);
    EXPECT_EQ(font.glyph('C')->width, 0);
    EXPECT_EQ(font.glyph('C')->x_advance, 0);
    EXPECT_FLOAT_EQ(font.glyph('C')->u_left, 0);
}

TEST(ui_font, kerning_amounts_are_signed_bytes_and_the_last_repeat_wins) {
    c_temp_folder folder;
    const char* kernings =
        "<kerning first=\"65\" second=\"86\" amount=\"-3\"/>"
        "<kerning first=\"65\" second=\"86\" amount=\"-4\"/>"
        "<kerning first=\"86\" second=\"65\" amount=\"200\"/>"
        "<kerning first=\"321\" second=\"65\" amount=\"-5\"/>";
    tw::c_ui_font font;
    ASSERT_TRUE(font.load(write_file(folder, "f.xml", test_font_xml("", kernings)), nullptr));
    EXPECT_EQ(font.kerning('A', 'V'), -4);
    EXPECT_EQ(font.kerning('V', 'A'), int8_t(200));
    // A first code of 321 would alias 'A' (65) if it were narrowed.
    EXPECT_EQ(font.kerning('A', 'A'), 0);
    EXPECT_EQ(font.kernings.size(), 2u);
}

TEST(ui_font, a_sheet_without_size_gives_zero_texture_coordinates) {
    c_temp_folder folder;
    const std::string xml =
        "<font><chars><char id=\"65\" x=\"4\" y=\"4\" width=\"8\" height=\"8\"/></chars></font>";
    tw::c_ui_font font;
    ASSERT_TRUE(font.load(write_file(folder, "f.xml", xml), nullptr));
    ASSERT_NE(font.glyph('A'), nullptr);
    EXPECT_EQ(font.line_height, 0);
    EXPECT_FLOAT_EQ(font.glyph('A')->u_right, 0);
    EXPECT_FLOAT_EQ(font.glyph('A')->v_bottom, 0);
}

struct c_broken_case {
    const char* name;
    const char* text;  // null: no file at all
};

class ui_font_broken : public testing::TestWithParam<c_broken_case> {};

TEST_P(ui_font_broken, leaves_a_font_without_glyphs) {
    c_temp_folder folder;
    const std::string path = GetParam().text ? write_file(folder, "f.xml", GetParam().text)
                                             : folder.path + "/absent.xml";
    tw::c_material material;
    tw_test::c_test_font test(&material);
    ASSERT_NE(test.font.glyph('A'), nullptr);
    // Loading again drops what the earlier description gave.
    EXPECT_FALSE(test.font.load(path, &material));
    for (const auto& glyph : test.font.glyphs) EXPECT_EQ(glyph, nullptr);
    EXPECT_TRUE(test.font.kernings.empty());
    EXPECT_EQ(test.font.line_height, 0);
}

INSTANTIATE_TEST_SUITE_P(
    cases, ui_font_broken,
    testing::Values(c_broken_case{"missing", nullptr},
                    c_broken_case{"truncated", "<font><common lineHeight=\"20\"/><chars><char id="},
                    c_broken_case{"not_xml", "lineHeight=20 base=16"},
                    c_broken_case{"other_root", "<sheet><chars><char id=\"65\"/></chars></sheet>"},
                    c_broken_case{"empty", ""}),
    [](const testing::TestParamInfo<c_broken_case>& info) { return info.param.name; });

}  // namespace
