// The graphic element: layout moves its transform, render draws its quad.
#include "ui/ui_element_graphic.h"

#include "platform/platform.h"

namespace tw {

c_ui_element_graphic::c_ui_element_graphic(float offset_x, float offset_y, uint8_t anchor,
                                           c_material* material, float half_w, float half_h)
    : i_ui_element(offset_x, offset_y, anchor), half_width(half_w), half_height(half_h) {
    make_textured_quad(quad, material, half_w, half_h);
}

void c_ui_element_graphic::layout(const c_ui_context& context) {
    anchored_layout(position, context);
    transform.tx = position.x;
    transform.ty = position.y;
}

void c_ui_element_graphic::render(c_platform& platform) { platform.draw_quad(quad, transform); }

}  // namespace tw
