// The game's bitmap font: glyph metrics and kerning pairs read from a font
// description in the BMFont XML vocabulary, drawn from one glyph sheet material.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace tw {

struct c_material;
class c_xml_document;

// One glyph of the sheet; sizes in sheet pixels, texture coordinates with the
// sheet's top row at v = 0.
struct c_ui_glyph {
    int16_t width = 0;
    int16_t height = 0;
    int16_t x_offset = 0;   // from the pen position to the glyph's left edge
    int16_t y_offset = 0;   // from the top of the line down to the glyph's top edge
    int16_t x_advance = 0;  // pen movement after the glyph
    float u_left = 0;
    float u_right = 0;
    float v_bottom = 0;
    float v_top = 0;
};

constexpr int k_glyph_slots = 256;

class c_ui_font {
public:
    // Reads the description at path and keeps material (not owned) for drawing.
    // Earlier glyphs and pairs are dropped first. A missing or malformed file
    // leaves a font with no glyphs and returns false.
    bool load(const std::string& path, c_material* material);
    // The same from a parsed description document; false when it has no "font".
    bool read(const c_xml_document& doc, c_material* material);
    // The kerning amount for the pair (previous, current) in sheet pixels; 0 when absent.
    int8_t kerning(uint8_t previous, uint8_t current) const;
    // The glyph for a character code, or null.
    const c_ui_glyph* glyph(uint8_t code) const { return glyphs[code].get(); }

    int16_t line_height = 0;
    int16_t base = 0;  // from the top of a line down to its baseline
    int16_t sheet_width = 0;
    int16_t sheet_height = 0;
    c_material* material = nullptr;  // not owned
    std::array<std::unique_ptr<c_ui_glyph>, k_glyph_slots> glyphs;
    std::map<uint16_t, int8_t> kernings;  // key first * 256 + second
};

// The kerning map key of a pair.
inline uint16_t kerning_key(uint8_t first, uint8_t second) {
    return static_cast<uint16_t>(first * 256 + second);
}

}  // namespace tw
