// A laid-out text: lines broken at line ends and after spaces, and the batch
// of glyph quads that draws it with the font's material.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"
#include "platform/render_device.h"

namespace tw {

class c_platform;
class c_ui_font;

// One laid-out line: its characters (those with a glyph) and its width in scaled units.
struct c_text_line {
    std::string text;
    float width = 0;
};

// The prepared quads of a text, four vertices per glyph; owns its arrays.
struct c_glyph_batch {
    explicit c_glyph_batch(uint16_t vertices);

    uint16_t vertex_count = 0;
    std::unique_ptr<vec3[]> positions;
    std::unique_ptr<vec2[]> uvs;
    std::unique_ptr<c_rgba[]> colours;
};

// Glyphs kept by one layout: the count may exceed this bound by one before the pass stops.
constexpr uint16_t k_text_glyph_limit = 256;
constexpr float k_text_default_scale = 2.0f;
constexpr uint16_t k_text_default_max_width = 1024;
constexpr uint8_t k_text_default_anchor = 4;  // centred on the owner's position

class c_ui_component_text {
public:
    c_ui_component_text() = default;
    explicit c_ui_component_text(c_ui_font* text_font) : font(text_font) {}

    // Stores text and colour, lays the text out with the current font, anchor,
    // scale and maximum width, and rebuilds the batch. Called by the owner whenever the text changes.
    void set_text(const std::string& new_text, const c_rgba& new_colour);
    // Binds the font's material and draws the batch under transform; draws
    // nothing when the text laid out to no glyphs.
    void draw(c_platform& platform, const c_transform& transform) const;

    c_ui_font* font = nullptr;              // not owned
    std::unique_ptr<c_glyph_batch> batch;   // null for empty text
    uint8_t anchor = k_text_default_anchor;  // row = anchor / 3, column = anchor % 3
    float scale = k_text_default_scale;
    std::string text;
    std::vector<c_text_line> lines;
    uint16_t glyph_count = 0;
    uint16_t max_line_width = k_text_default_max_width;  // scaled units
    c_rgba colour;

private:
    void break_lines();
    float first_line_top() const;
    void build_batch();
};

}  // namespace tw
