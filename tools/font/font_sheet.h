// Renders the printable ASCII glyphs of a TrueType font with FreeType and packs
// them into one white, alpha-coverage glyph sheet, with the font's kerning pairs.
#pragma once
#include <string>
#include <vector>

#include "common/bmp_writer.h"

namespace tw_tools {

constexpr int k_first_font_code = 32;
constexpr int k_last_font_code = 126;

// One glyph's rectangle on the sheet and its metrics, in sheet pixels.
struct c_sheet_glyph {
    int id = 0;
    int x = 0, y = 0;           // top-left of the rectangle on the sheet
    int width = 0, height = 0;  // rectangle size (zero for blank glyphs)
    int x_offset = 0;           // pen position to the rectangle's left edge
    int y_offset = 0;           // top of the line down to the rectangle's top edge
    int x_advance = 0;
};

struct c_kerning_pair {
    int first = 0;
    int second = 0;
    int amount = 0;  // pixels, non-zero
};

struct c_font_sheet {
    std::string face_name;
    int pixel_size = 0;
    int line_height = 0;
    int base = 0;  // top of the line down to the baseline
    c_image_rgba image;
    std::vector<c_sheet_glyph> glyphs;  // codes 32..126 in order
    std::vector<c_kerning_pair> kernings;
};

// Renders codes 32..126 of the font at path at the given pixel size. False
// with a reason in error when the font cannot be read or the glyphs do not fit.
bool render_font_sheet(const std::string& path, int pixel_size, c_font_sheet& out,
                       std::string& error);

// Places the rectangles (sizes in width/height, positions written to x/y) on the
// smallest power-of-two sheet, at most max_side on a side, with padding pixels
// around every rectangle. Returns false when they do not fit.
bool pack_glyphs(std::vector<c_sheet_glyph>& glyphs, int padding, int max_side, int& sheet_width,
                 int& sheet_height);

}  // namespace tw_tools
