// A picture in the UI: one textured quad placed at the element's anchored position.
#pragma once
#include "ui/ui_element.h"

namespace tw {

class c_ui_element_graphic : public i_ui_element {
public:
    // The quad spans (2 half_w) x (2 half_h) UI units of the whole texture of material.
    c_ui_element_graphic(float offset_x, float offset_y, uint8_t anchor, c_material* material,
                         float half_w, float half_h);

    // Anchored layout; the quad follows the computed position.
    void layout(const c_ui_context& context) override;
    // Draws the quad with its material.
    void render(c_platform& platform) override;

    c_quad quad;
    float half_width = 0;
    float half_height = 0;
    c_transform transform;
};

}  // namespace tw
