// A toggle button: on or off, shown by the box colour; alone it alternates
// between two codes, in a radio group exactly one member stays on.
#pragma once
#include <vector>

#include "ui/ui_element_button_push.h"

namespace tw {

class c_ui_element_button_toggle;

// The members of one radio group, in the order they joined. Owned by the
// creator and must outlive its members.
using c_ui_radio_group = std::vector<c_ui_element_button_toggle*>;

constexpr c_rgba k_toggle_on_colour{255, 255, 127, 255};
constexpr c_rgba k_toggle_off_colour{127, 127, 127, 255};

class c_ui_element_button_toggle : public c_ui_element_button_push {
public:
    // Always anchored middle-left (3); starts off. A non-null group gets the
    // toggle appended; the toggle does not own it.
    c_ui_element_button_toggle(float offset_x, float offset_y, c_material* background,
                               float half_w, float half_h, c_ui_font* font,
                               const std::string& label, uint16_t event_code,
                               uint16_t off_event_code, c_ui_radio_group* group = nullptr);
    // Leaves its radio group, so the group never holds a destroyed member.
    ~c_ui_element_button_toggle() override;

    // A press inside is always taken. Off: appends the event code, turns the
    // rest of its group off and itself on. On and alone: appends the off code
    // and turns off. On in a group: stays on, appends nothing.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         float x, float y, c_ui_callback& callback) override;
    // Sets the flag and the box colour without appending any code.
    void set_toggled(bool on);

    uint16_t off_event_code = 0;
    bool toggled = false;
    c_ui_radio_group* radio_group = nullptr;  // not owned
};

}  // namespace tw
