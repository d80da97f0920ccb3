// The group: forwards layout, update, drawing and input to its children.
#include "ui/ui_element_group.h"

namespace tw {

void c_ui_element_group::layout(const c_ui_context& context) {
    for (auto& child : children) child->layout(context);
}

void c_ui_element_group::update(const c_ui_context& context, c_ui_callback& callback) {
    if (!visible) return;
    for (auto& child : children) child->update(context, callback);
}

void c_ui_element_group::render(c_platform& platform) {
    if (!visible) return;
    for (auto& child : children) {
        if (child->visible) child->render(platform);
    }
}

bool c_ui_element_group::on_mouse_button(const c_ui_context& context, uint16_t kind,
                                         uint16_t dx, uint16_t dy, float x, float y,
                                         c_ui_callback& callback) {
    for (auto& child : children) {
        if (child->visible && child->on_mouse_button(context, kind, dx, dy, x, y, callback))
            return true;
    }
    return false;
}

bool c_ui_element_group::on_char(c_platform& platform, uint16_t code, c_ui_callback& callback) {
    if (!visible) return false;
    for (auto& child : children) {
        if (child->visible && child->on_char(platform, code, callback)) return true;
    }
    return false;
}

void c_ui_element_group::drop_focus() {
    for (auto& child : children) child->drop_focus();
}

}  // namespace tw
