// A push button: a textured box with a centred label that appends its event
// code when pressed. It has no hover or pressed look.
#pragma once
#include <string>

#include "ui/ui_component_text.h"
#include "ui/ui_element.h"

namespace tw {

class c_ui_font;

class c_ui_element_button_push : public i_ui_element {
public:
    // The box spans (2 half_w) x (2 half_h) UI units of background; font is not owned.
    c_ui_element_button_push(float offset_x, float offset_y, uint8_t anchor,
                             c_material* background, float half_w, float half_h, c_ui_font* font,
                             const std::string& label, uint16_t event_code);

    // Anchored layout; box and label follow the computed position.
    void layout(const c_ui_context& context) override;
    // Draws the box, then the label.
    void render(c_platform& platform) override;
    // A press inside the box (borders included) appends the event code and is taken.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         float x, float y, c_ui_callback& callback) override;
    // True when (x, y) lies on the box, borders included.
    bool hit(float x, float y) const;

    c_quad background;
    c_ui_component_text label;
    float half_width = 0;
    float half_height = 0;
    c_transform transform;
    uint16_t event_code = 0;
};

}  // namespace tw
