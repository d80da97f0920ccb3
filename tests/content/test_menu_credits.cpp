// The credits laid out with the game's own font at their size: every block
// fits the lower band of the title screen (four lines), and every name is
// narrow enough to be out of view when its block leaves, left of the camera
// (the headings are fixed words; a long one may show its last letters then).
#include <gtest/gtest.h>

#include <filesystem>

#include "menu/credits.h"
#include "ui/ui_font.h"

namespace {

const std::filesystem::path k_content_dir = TW_CONTENT_DIR;
constexpr size_t k_max_credit_lines = 4;

// Width of a laid-out line without the space that ends it.
float ink_width(const tw::c_text_line& line, const tw::c_ui_font& font) {
    const tw::c_ui_glyph* space = font.glyph(' ');
    if (line.text.empty() || line.text.back() != ' ' || !space) return line.width;
    return line.width - space->x_advance * tw::k_credit_text_scale;
}

TEST(menu_credits, every_block_fits_four_lines_and_names_fit_the_line_limit) {
    tw::c_ui_font font;
    ASSERT_TRUE(font.load((k_content_dir / "font" / "font_desc.xml").string(), nullptr));
    for (uint32_t seed : {0u, 1u}) {
        tw::c_credits_manager credits;
        credits.create(&font, seed);
        for (const auto& node : credits.waiting) {
            const auto& block = static_cast<const tw::credit_text&>(*node).text;
            SCOPED_TRACE(block.text);
            EXPECT_LE(block.lines.size(), k_max_credit_lines);
            bool names = false;  // the lines after the empty one
            for (const tw::c_text_line& line : block.lines) {
                if (names) {
                    EXPECT_LE(ink_width(line, font), float(tw::k_credit_max_line_width))
                        << line.text;
                }
                names |= line.text.empty();
            }
        }
    }
}

}  // namespace
