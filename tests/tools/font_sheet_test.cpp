// The font tool on the real DejaVu Sans Bold: what it writes loads with the
// game's font reader, the sheet is white with coverage in alpha, glyphs keep
// apart, and the kerning pairs reach the game as signed bytes.
#include <gtest/gtest.h>

#include <fstream>

#include "font/font_description.h"
#include "font/font_sheet.h"
#include "platform/bitmap.h"
#include "support/temp_folder.h"
#include "ui/ui_font.h"

namespace tw_tools {
namespace {

constexpr const char* k_dejavu_bold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr int k_pixel_size = 38;

bool is_power_of_two(int v) { return v > 0 && (v & (v - 1)) == 0; }

// Renders and writes the font once for the whole suite.
class font_tool : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new tw_test::c_temp_folder;
        sheet_ = new c_font_sheet;
        std::string error;
        rendered_ = render_font_sheet(k_dejavu_bold, k_pixel_size, *sheet_, error) &&
                    write_font_files(*sheet_, folder_->path, error);
        error_ = error;
    }
    static void TearDownTestSuite() {
        delete sheet_;
        delete folder_;
    }
    void SetUp() override {
        ASSERT_TRUE(rendered_) << error_;
        ASSERT_TRUE(font_.load(folder_->path + "/" + k_font_description_file, nullptr));
        ASSERT_TRUE(tw::read_bitmap(folder_->path + "/" + k_font_sheet_file, image_));
    }
    // The RGBA bytes of a sheet pixel, (0, 0) at the top left.
    const uint8_t* pixel(int x, int y) const {
        return &image_.pixels[size_t(image_.height - 1 - y) * image_.stride + size_t(x) * 4];
    }
    // The glyph's rectangle in sheet pixels, from its texture window.
    void rect_of(const tw::c_ui_glyph& g, int& x0, int& y0, int& x1, int& y1) const {
        x0 = int(g.u_left * font_.sheet_width + 0.5f);
        x1 = int(g.u_right * font_.sheet_width + 0.5f);
        y0 = int(g.v_top * font_.sheet_height + 0.5f);
        y1 = int(g.v_bottom * font_.sheet_height + 0.5f);
    }

    static tw_test::c_temp_folder* folder_;
    static c_font_sheet* sheet_;
    static bool rendered_;
    static std::string error_;
    tw::c_ui_font font_;
    tw::c_image image_;
};

tw_test::c_temp_folder* font_tool::folder_ = nullptr;
c_font_sheet* font_tool::sheet_ = nullptr;
bool font_tool::rendered_ = false;
std::string font_tool::error_;

TEST_F(font_tool, every_printable_code_has_a_glyph_inside_a_power_of_two_sheet) {
    std::string error;
    EXPECT_TRUE(check_font_files(folder_->path, error)) << error;
    EXPECT_TRUE(is_power_of_two(font_.sheet_width));
    EXPECT_TRUE(is_power_of_two(font_.sheet_height));
    EXPECT_EQ(image_.width, font_.sheet_width);
    EXPECT_EQ(image_.height, font_.sheet_height);
    EXPECT_GE(font_.line_height, 40);
    EXPECT_LE(font_.line_height, 48);
    EXPECT_GT(font_.base, font_.line_height / 2);
    EXPECT_LT(font_.base, font_.line_height);
    for (int code = k_first_font_code; code <= k_last_font_code; ++code) {
        const tw::c_ui_glyph* g = font_.glyph(uint8_t(code));
        ASSERT_NE(g, nullptr) << code;
        EXPECT_GT(g->x_advance, 0) << code;
        if (code == ' ') continue;
        EXPECT_GT(g->width, 0) << code;
        EXPECT_GT(g->height, 0) << code;
        int x0, y0, x1, y1;
        rect_of(*g, x0, y0, x1, y1);
        EXPECT_GE(x0, 0) << code;
        EXPECT_GE(y0, 0) << code;
        EXPECT_LE(x1, font_.sheet_width) << code;
        EXPECT_LE(y1, font_.sheet_height) << code;
    }
}

TEST_F(font_tool, sheet_is_white_with_coverage_in_alpha) {
    ASSERT_EQ(image_.format, tw::k_image_32bit);
    int opaque = 0, partial = 0;
    for (int y = 0; y < image_.height; ++y) {
        for (int x = 0; x < image_.width; ++x) {
            const uint8_t* p = pixel(x, y);
            ASSERT_EQ(p[0] & p[1] & p[2], 255) << x << "," << y;
            opaque += p[3] == 255;
            partial += p[3] > 0 && p[3] < 255;
        }
    }
    EXPECT_GT(opaque, 1000);
    EXPECT_GT(partial, 1000);  // anti-aliased edges
}

TEST_F(font_tool, glyph_rectangles_have_clear_borders_and_keep_apart) {
    struct rect {
        int x0, y0, x1, y1;
    };
    std::vector<rect> rects;
    for (int code = k_first_font_code + 1; code <= k_last_font_code; ++code) {
        rect r{};
        rect_of(*font_.glyph(uint8_t(code)), r.x0, r.y0, r.x1, r.y1);
        // The outermost ring is transparent: edges fade out when magnified, nothing is cut.
        for (int x = r.x0; x < r.x1; ++x) {
            EXPECT_EQ(pixel(x, r.y0)[3], 0) << code;
            EXPECT_EQ(pixel(x, r.y1 - 1)[3], 0) << code;
        }
        for (int y = r.y0; y < r.y1; ++y) {
            EXPECT_EQ(pixel(r.x0, y)[3], 0) << code;
            EXPECT_EQ(pixel(r.x1 - 1, y)[3], 0) << code;
        }
        rects.push_back(r);
    }
    // At least two clear pixels between any two rectangles.
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size(); ++j) {
            const rect& a = rects[i];
            const rect& b = rects[j];
            const bool apart = a.x1 + 2 <= b.x0 || b.x1 + 2 <= a.x0 || a.y1 + 2 <= b.y0 ||
                               b.y1 + 2 <= a.y0;
            EXPECT_TRUE(apart) << char(k_first_font_code + 1 + i) << " and "
                               << char(k_first_font_code + 1 + j);
        }
    }
}

TEST_F(font_tool, known_pairs_kern_tighter) {
    EXPECT_LT(font_.kerning('A', 'V'), 0);
    EXPECT_LT(font_.kerning('T', 'o'), 0);
    EXPECT_LT(font_.kerning('V', 'A'), 0);
    EXPECT_EQ(font_.kerning('o', 'o'), 0);
    EXPECT_EQ(font_.kernings.size(), sheet_->kernings.size());
}

TEST(font_description, kerning_amounts_are_clamped_to_a_signed_byte) {
    c_font_sheet sheet;
    sheet.image = c_image_rgba(64, 64);
    sheet.line_height = 20;
    sheet.glyphs.push_back({65, 2, 2, 10, 10, 0, 0, 12});
    sheet.kernings = {{65, 86, -200}, {86, 65, 300}, {84, 111, -5}};
    tw_test::c_temp_folder folder;
    std::string error;
    ASSERT_TRUE(write_font_files(sheet, folder.path, error)) << error;
    tw::c_ui_font font;
    ASSERT_TRUE(font.load(folder.path + "/" + k_font_description_file, nullptr));
    EXPECT_EQ(font.kerning('A', 'V'), -128);
    EXPECT_EQ(font.kerning('V', 'A'), 127);
    EXPECT_EQ(font.kerning('T', 'o'), -5);
    ASSERT_NE(font.glyph('A'), nullptr);
    EXPECT_FLOAT_EQ(font.glyph('A')->u_right, 12.0f / 64);
    // The check refuses a description that lacks most printable glyphs.
    EXPECT_FALSE(check_font_files(folder.path, error));
    EXPECT_NE(error.find("32"), std::string::npos);
}

TEST(font_tool_input, an_unreadable_font_or_an_oversized_glyph_is_reported) {
    tw_test::c_temp_folder folder;
    const std::string path = folder.path + "/not_a_font.ttf";
    std::ofstream(path) << "plain text";
    c_font_sheet sheet;
    std::string error;
    EXPECT_FALSE(render_font_sheet(path, k_pixel_size, sheet, error));
    EXPECT_FALSE(error.empty());

    std::vector<c_sheet_glyph> too_wide = {{65, 0, 0, 300, 10, 0, 0, 0}};
    int w = 0, h = 0;
    EXPECT_FALSE(pack_glyphs(too_wide, 2, 256, w, h));
}

}  // namespace
}  // namespace tw_tools
