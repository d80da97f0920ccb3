// Text layout in two passes (lines, then glyph quads) and drawing of the batch.
#include "ui/ui_component_text.h"

#include "platform/platform.h"
#include "ui/ui_font.h"

namespace tw {

namespace {

constexpr uint8_t k_line_feed = 10;
constexpr uint8_t k_carriage_return = 13;
constexpr uint8_t k_space = 32;
constexpr uint8_t k_last_drawn_code = 127;  // higher bytes are never drawn
constexpr int k_vertices_per_glyph = 4;

}  // namespace

c_glyph_batch::c_glyph_batch(uint16_t vertices)
    : vertex_count(vertices),
      positions(new vec3[vertices]),
      uvs(new vec2[vertices]),
      colours(new c_rgba[vertices]) {}

void c_ui_component_text::set_text(const std::string& new_text, const c_rgba& new_colour) {
    text = new_text;
    colour = new_colour;
    lines.clear();
    glyph_count = 0;
    if (text.empty()) {
        batch.reset();
        return;
    }
    break_lines();
    build_batch();
}

// First pass: splits the text into lines, keeping only characters with a glyph.
void c_ui_component_text::break_lines() {
    lines.emplace_back();
    uint8_t previous = 0;
    for (size_t i = 0; i < text.size() && glyph_count <= k_text_glyph_limit; ++i) {
        const uint8_t c = static_cast<uint8_t>(text[i]);
        const c_ui_glyph* glyph = font && c <= k_last_drawn_code ? font->glyph(c) : nullptr;
        if (c == k_line_feed || c == k_carriage_return) {
            lines.emplace_back();
        } else if (glyph) {
            const float advance =
                font->kerning(previous, c) * scale + glyph->x_advance * scale;
            // Only a space ends a line early; a word that overflows stays whole.
            if (max_line_width < lines.back().width + advance && previous == k_space)
                lines.emplace_back();
            lines.back().text.push_back(static_cast<char>(c));
            lines.back().width += advance;
            ++glyph_count;
        }
        previous = c;
    }
}

// The top of the first line for the anchor's row. The line-count product is
// kept in 16 bits and the half base gap truncates, as the layout always has.
float c_ui_component_text::first_line_top() const {
    const int16_t line_height = font ? font->line_height : 0;
    const int16_t base = font ? font->base : 0;
    const int16_t block = static_cast<int16_t>(static_cast<int>(lines.size()) * line_height);
    const int half_gap = (base - line_height) / 2;
    switch (anchor / 3) {
        case 0:
            return (line_height - base) * 0.5f;
        case 1:
            return -0.5f * scale * (half_gap - block);
        default:
            return scale * (block - half_gap);
    }
}

// Second pass: one quad per glyph, each line starting at its column's pen position.
void c_ui_component_text::build_batch() {
    batch = std::make_unique<c_glyph_batch>(
        static_cast<uint16_t>(glyph_count * k_vertices_per_glyph));
    if (!font) return;
    const int column = anchor % 3;
    float y = first_line_top();
    int v = 0;
    for (const c_text_line& line : lines) {
        float pen = column == 0 ? 0.0f : column == 1 ? -line.width / 2 : -line.width;
        uint8_t previous = 0;
        for (const char ch : line.text) {
            const uint8_t c = static_cast<uint8_t>(ch);
            const c_ui_glyph* glyph = font->glyph(c);
            if (!glyph) continue;
            pen += font->kerning(previous, c) * scale;
            const float left = pen + glyph->x_offset * scale;
            const float right = left + glyph->width * scale;
            const float top = y - glyph->y_offset * scale;
            const float bottom = top - glyph->height * scale;
            batch->positions[v] = {left, top, 0};
            batch->positions[v + 1] = {right, top, 0};
            batch->positions[v + 2] = {right, bottom, 0};
            batch->positions[v + 3] = {left, bottom, 0};
            batch->uvs[v] = {glyph->u_left, glyph->v_top};
            batch->uvs[v + 1] = {glyph->u_right, glyph->v_top};
            batch->uvs[v + 2] = {glyph->u_right, glyph->v_bottom};
            batch->uvs[v + 3] = {glyph->u_left, glyph->v_bottom};
            for (int k = 0; k < k_vertices_per_glyph; ++k) batch->colours[v + k] = colour;
            v += k_vertices_per_glyph;
            pen += glyph->x_advance * scale;
            previous = c;
        }
        y -= font->line_height * scale;
    }
}

void c_ui_component_text::draw(c_platform& platform, const c_transform& transform) const {
    if (!batch || batch->vertex_count == 0 || !font) return;
    platform.bind_material(font->material);
    platform.draw_arrays(transform, batch->positions.get(), batch->uvs.get(),
                         batch->colours.get(), batch->vertex_count);
}

}  // namespace tw
