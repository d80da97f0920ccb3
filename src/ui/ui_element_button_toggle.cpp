// The toggle button: the on and off switch, radio group membership and colours.
#include "ui/ui_element_button_toggle.h"

#include <algorithm>

#include "platform/platform.h"

namespace tw {

c_ui_element_button_toggle::c_ui_element_button_toggle(
    float offset_x, float offset_y, c_material* background_material, float half_w, float half_h,
    c_ui_font* font, const std::string& label_text, uint16_t code, uint16_t off_code,
    c_ui_radio_group* group)
    : c_ui_element_button_push(offset_x, offset_y, k_anchor_middle_left, background_material,
                               half_w, half_h, font, label_text, code),
      off_event_code(off_code),
      radio_group(group) {
    set_toggled(false);
    if (radio_group) radio_group->push_back(this);
}

c_ui_element_button_toggle::~c_ui_element_button_toggle() {
    if (!radio_group) return;
    radio_group->erase(std::remove(radio_group->begin(), radio_group->end(), this),
                       radio_group->end());
}

bool c_ui_element_button_toggle::on_mouse_button(const c_ui_context&, uint16_t kind, uint16_t,
                                                 uint16_t, float x, float y,
                                                 c_ui_callback& callback) {
    if (kind != k_mouse_press || !hit(x, y)) return false;
    if (!toggled) {
        callback.push_ui_event(event_code);
        if (radio_group) {
            for (c_ui_element_button_toggle* member : *radio_group) member->set_toggled(false);
        }
        set_toggled(true);
    } else if (!radio_group) {
        callback.push_ui_event(off_event_code);
        set_toggled(false);
    }
    return true;
}

void c_ui_element_button_toggle::set_toggled(bool on) {
    toggled = on;
    background.buffer.set_colour(on ? k_toggle_on_colour : k_toggle_off_colour);
}

}  // namespace tw
