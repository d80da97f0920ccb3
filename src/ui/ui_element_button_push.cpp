// The push button: box and label placed together, one code per press.
#include "ui/ui_element_button_push.h"

#include "platform/platform.h"
#include "ui/ui_element_text.h"

namespace tw {

c_ui_element_button_push::c_ui_element_button_push(float offset_x, float offset_y,
                                                   uint8_t anchor, c_material* background_material,
                                                   float half_w, float half_h, c_ui_font* font,
                                                   const std::string& label_text,
                                                   uint16_t code)
    : i_ui_element(offset_x, offset_y, anchor),
      half_width(half_w),
      half_height(half_h),
      event_code(code) {
    make_textured_quad(background, background_material, half_w, half_h);
    init_ui_text(label, font, label_text);
}

void c_ui_element_button_push::layout(const c_ui_context& context) {
    anchored_layout(position, context);
    transform.tx = position.x;
    transform.ty = position.y;
}

void c_ui_element_button_push::render(c_platform& platform) {
    platform.draw_quad(background, transform);
    label.draw(platform, transform);
}

bool c_ui_element_button_push::on_mouse_button(const c_ui_context&, uint16_t kind, uint16_t,
                                               uint16_t, float x, float y,
                                               c_ui_callback& callback) {
    if (kind != k_mouse_press || !hit(x, y)) return false;
    callback.push_ui_event(event_code);
    return true;
}

bool c_ui_element_button_push::hit(float x, float y) const {
    return is_inside(position, half_width, half_height, x, y);
}

}  // namespace tw
