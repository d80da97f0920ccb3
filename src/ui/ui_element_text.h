// A text in the UI: one laid-out text centred on the element's anchored position.
#pragma once
#include <string>

#include "ui/ui_component_text.h"
#include "ui/ui_element.h"

namespace tw {

class c_ui_font;

// Labels and texts of elements: centred, scale 2, lines up to 1024 units, opaque white.
constexpr uint8_t k_ui_text_anchor = 4;
constexpr float k_ui_text_scale = 2.0f;
constexpr uint16_t k_ui_text_max_width = 1024;
constexpr c_rgba k_ui_text_colour{255, 255, 255, 255};

// Sets up a text component as every element's label: font, centred anchor,
// scale, line width and colour, and lays out words.
void init_ui_text(c_ui_component_text& text, c_ui_font* font, const std::string& words);

class c_ui_element_text : public i_ui_element {
public:
    // font is not owned; a font without glyphs draws nothing.
    c_ui_element_text(float offset_x, float offset_y, uint8_t anchor, c_ui_font* font,
                      const std::string& words);

    // Anchored layout; the text follows the computed position.
    void layout(const c_ui_context& context) override;
    // Draws the text's glyphs with the font's material.
    void render(c_platform& platform) override;
    // Replaces the words and lays them out again in the text's colour.
    void set_text(const std::string& words);

    c_ui_component_text text;
    c_transform transform;
};

}  // namespace tw
