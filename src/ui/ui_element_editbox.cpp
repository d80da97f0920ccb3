// The edit box: focus from the pointer, editing from typed characters.
#include "ui/ui_element_editbox.h"

#include "platform/platform.h"

namespace tw {

c_ui_element_editbox::c_ui_element_editbox(float offset_x, float offset_y, uint8_t anchor,
                                           c_ui_font* font, const std::string& initial_text,
                                           c_material* background_material, float half_w,
                                           float half_h)
    : c_ui_element_text(offset_x, offset_y, anchor, font, initial_text),
      half_width(half_w),
      half_height(half_h) {
    make_textured_quad(background, background_material, half_w, half_h);
    background.buffer.set_alpha(k_editbox_background_alpha);
}

void c_ui_element_editbox::render(c_platform& platform) {
    platform.draw_quad(background, transform);
    c_ui_element_text::render(platform);
}

bool c_ui_element_editbox::on_mouse_button(const c_ui_context&, uint16_t kind, uint16_t,
                                           uint16_t, float x, float y, c_ui_callback&) {
    if (kind != k_mouse_press && kind != k_mouse_drag) return false;
    focused = is_inside(position, half_width, half_height, x, y);
    return focused;
}

bool c_ui_element_editbox::on_char(c_platform&, uint16_t code, c_ui_callback&) {
    if (!focused) return false;
    std::string words = text.text;
    if (code == k_char_backspace || code == k_char_delete) {
        if (!words.empty()) words.pop_back();
    } else {
        words.push_back(static_cast<char>(code & 0xff));
    }
    set_text(words);
    return true;
}

}  // namespace tw
