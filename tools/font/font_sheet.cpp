// Glyph rendering with FreeType, shelf packing on a power-of-two sheet and the
// kerning pairs of the font's kern table.
#include "font/font_sheet.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace tw_tools {

namespace {

// Transparent pixels kept around every glyph rectangle so neighbours never
// bleed into each other under bilinear filtering and the first mipmap levels.
constexpr int k_glyph_padding = 2;
// A transparent border inside each rectangle: the quad's edge then falls on
// empty texels and the glyph's outline fades out completely when magnified.
constexpr int k_glyph_margin = 1;
constexpr int k_min_sheet_side = 64;
constexpr int k_max_sheet_side = 2048;
// Light hinting snaps only vertical metrics: stems keep their designed
// weight and spacing stays even, while baselines and x-heights stay crisp.
constexpr FT_Int32 k_load_flags = FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT;

constexpr int k_fixed_one = 64;  // 26.6 fixed point

int round_fixed(FT_Pos value) { return static_cast<int>(std::lround(value / double(k_fixed_one))); }

struct c_freetype {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~c_freetype() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

struct c_coverage {
    int width = 0, height = 0;
    std::vector<uint8_t> alpha;  // top row first
};

// Shelf packing in a sheet of the given size: tallest rectangles first, left
// to right, a new shelf when a row is full.
bool pack_into(std::vector<c_sheet_glyph>& glyphs, int padding, int sheet_width,
               int sheet_height) {
    std::vector<size_t> order(glyphs.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return glyphs[a].height > glyphs[b].height;
    });
    int x = padding, y = padding, shelf = 0;
    for (size_t i : order) {
        c_sheet_glyph& g = glyphs[i];
        if (g.width == 0 || g.height == 0) {
            g.x = g.y = 0;
            continue;
        }
        if (x + g.width + padding > sheet_width) {
            x = padding;
            y += shelf + padding;
            shelf = 0;
        }
        if (x + g.width + padding > sheet_width || y + g.height + padding > sheet_height)
            return false;
        g.x = x;
        g.y = y;
        x += g.width + padding;
        shelf = std::max(shelf, g.height);
    }
    return true;
}

void read_kerning(FT_Face face, c_font_sheet& out) {
    for (int first = k_first_font_code; first <= k_last_font_code; ++first) {
        const FT_UInt left = FT_Get_Char_Index(face, first);
        if (left == 0) continue;
        for (int second = k_first_font_code; second <= k_last_font_code; ++second) {
            const FT_UInt right = FT_Get_Char_Index(face, second);
            FT_Vector delta{0, 0};
            if (right == 0 || FT_Get_Kerning(face, left, right, FT_KERNING_UNFITTED, &delta))
                continue;
            const int amount = round_fixed(delta.x);
            if (amount != 0) out.kernings.push_back({first, second, amount});
        }
    }
}

}  // namespace

bool pack_glyphs(std::vector<c_sheet_glyph>& glyphs, int padding, int max_side, int& sheet_width,
                 int& sheet_height) {
    // Candidate sizes by growing area, the wider side first: w x w/2, then w x w.
    for (int w = k_min_sheet_side; w <= max_side; w *= 2) {
        for (int h : {w / 2, w}) {
            if (pack_into(glyphs, padding, w, h)) {
                sheet_width = w;
                sheet_height = h;
                return true;
            }
        }
    }
    return false;
}

bool render_font_sheet(const std::string& path, int pixel_size, c_font_sheet& out,
                       std::string& error) {
    c_freetype ft;
    if (FT_Init_FreeType(&ft.library)) {
        error = "FreeType could not start";
        return false;
    }
    if (FT_New_Face(ft.library, path.c_str(), 0, &ft.face)) {
        error = "cannot read the font " + path;
        return false;
    }
    if (FT_Set_Pixel_Sizes(ft.face, 0, pixel_size)) {
        error = "the font has no size " + std::to_string(pixel_size);
        return false;
    }
    FT_Face face = ft.face;
    out = c_font_sheet{};
    out.face_name = std::string(face->family_name ? face->family_name : "") +
                    (face->style_name ? std::string(" ") + face->style_name : "");
    out.pixel_size = pixel_size;
    out.line_height = round_fixed(face->size->metrics.height);
    out.base = round_fixed(face->size->metrics.ascender);

    std::vector<c_coverage> coverage;
    for (int code = k_first_font_code; code <= k_last_font_code; ++code) {
        if (FT_Load_Char(face, code, k_load_flags)) {
            error = "cannot render character " + std::to_string(code);
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        c_sheet_glyph glyph;
        glyph.id = code;
        glyph.x_advance = round_fixed(slot->advance.x);
        c_coverage cells;
        if (bitmap.width > 0 && bitmap.rows > 0) {
            cells.width = int(bitmap.width);
            cells.height = int(bitmap.rows);
            for (int row = 0; row < cells.height; ++row) {
                const unsigned char* line = bitmap.buffer + ptrdiff_t(row) * bitmap.pitch;
                cells.alpha.insert(cells.alpha.end(), line, line + cells.width);
            }
            glyph.width = cells.width + 2 * k_glyph_margin;
            glyph.height = cells.height + 2 * k_glyph_margin;
            glyph.x_offset = slot->bitmap_left - k_glyph_margin;
            glyph.y_offset = out.base - slot->bitmap_top - k_glyph_margin;
        }
        out.glyphs.push_back(glyph);
        coverage.push_back(std::move(cells));
    }

    int width = 0, height = 0;
    if (!pack_glyphs(out.glyphs, k_glyph_padding, k_max_sheet_side, width, height)) {
        error = "the glyphs do not fit on a " + std::to_string(k_max_sheet_side) + " pixel sheet";
        return false;
    }
    // White everywhere, so filtering at glyph edges never pulls in a dark colour.
    out.image = c_image_rgba(width, height);
    for (size_t i = 0; i < out.image.pixels.size(); i += 4)
        out.image.pixels[i] = out.image.pixels[i + 1] = out.image.pixels[i + 2] = 255;
    for (size_t i = 0; i < out.glyphs.size(); ++i) {
        const c_sheet_glyph& g = out.glyphs[i];
        const c_coverage& cells = coverage[i];
        for (int row = 0; row < cells.height; ++row)
            for (int col = 0; col < cells.width; ++col)
                out.image.at(g.x + k_glyph_margin + col, g.y + k_glyph_margin + row)[3] =
                    cells.alpha[size_t(row) * cells.width + col];
    }

    if (FT_HAS_KERNING(face)) read_kerning(face, out);
    return true;
}

}  // namespace tw_tools
