// A one-field text input: the text element over a translucent box; takes the
// keyboard focus when pressed and edits its text with typed characters.
#pragma once
#include "ui/ui_element_text.h"

namespace tw {

constexpr uint8_t k_editbox_background_alpha = 63;
constexpr uint16_t k_char_backspace = 8;
constexpr uint16_t k_char_delete = 127;

class c_ui_element_editbox : public c_ui_element_text {
public:
    // The box spans (2 half_w) x (2 half_h) UI units of background, drawn at alpha 63.
    c_ui_element_editbox(float offset_x, float offset_y, uint8_t anchor, c_ui_font* font,
                         const std::string& initial_text, c_material* background,
                         float half_w, float half_h);

    // Draws the box, then the text.
    void render(c_platform& platform) override;
    // Press or move: the box is focused exactly when the point is inside, and
    // then takes the event. Releases are not taken.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         float x, float y, c_ui_callback& callback) override;
    // When focused: backspace (8) or delete (127) removes the last character,
    // any other code appends its low byte; the text is laid out again and the
    // character taken. Unfocused boxes take nothing.
    bool on_char(c_platform& platform, uint16_t code, c_ui_callback& callback) override;
    void drop_focus() override { focused = false; }

    c_quad background;
    float half_width = 0;
    float half_height = 0;
    bool focused = false;
};

}  // namespace tw
