// The text element and the common set-up of element labels.
#include "ui/ui_element_text.h"

namespace tw {

void init_ui_text(c_ui_component_text& text, c_ui_font* font, const std::string& words) {
    text.font = font;
    text.anchor = k_ui_text_anchor;
    text.scale = k_ui_text_scale;
    text.max_line_width = k_ui_text_max_width;
    text.set_text(words, k_ui_text_colour);
}

c_ui_element_text::c_ui_element_text(float offset_x, float offset_y, uint8_t anchor,
                                     c_ui_font* font, const std::string& words)
    : i_ui_element(offset_x, offset_y, anchor) {
    init_ui_text(text, font, words);
}

void c_ui_element_text::layout(const c_ui_context& context) {
    anchored_layout(position, context);
    transform.tx = position.x;
    transform.ty = position.y;
}

void c_ui_element_text::render(c_platform& platform) { text.draw(platform, transform); }

void c_ui_element_text::set_text(const std::string& words) { text.set_text(words, text.colour); }

}  // namespace tw
