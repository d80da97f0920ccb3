// The screen set: ownership of screens and fonts, and the per-frame passes
// over the shown screen.
#include "ui/ui_screen.h"

#include <algorithm>

#include "platform/platform.h"

namespace tw {

c_ui_screen* c_ui_screen_set::create_screen() {
    screens.push_back(std::make_unique<c_ui_screen>());
    return screens.back().get();
}

c_ui_font* c_ui_screen_set::create_font(const std::string& path, c_material* material) {
    auto font = std::make_unique<c_ui_font>();
    font->load(path, material);
    fonts.push_back(std::move(font));
    return fonts.back().get();
}

bool c_ui_screen_set::remove_element(c_ui_screen* screen, const i_ui_element* element) {
    if (!screen) return false;
    auto& list = screen->elements;
    const auto found = std::find_if(list.begin(), list.end(),
                                    [element](const auto& e) { return e.get() == element; });
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

void c_ui_screen_set::layout(const c_ui_context& context) {
    for (auto& screen : screens) {
        for (auto& element : screen->elements) element->layout(context);
    }
}

void c_ui_screen_set::update(const c_ui_context& context, c_ui_callback& callback) {
    if (!current) return;
    for (auto& element : current->elements) {
        if (element->visible) element->update(context, callback);
    }
}

void c_ui_screen_set::render(c_platform& platform) {
    if (!current) return;
    platform.set_view_short(k_ui_half_extent, 0, 0);
    for (auto& element : current->elements) {
        if (element->visible) element->render(platform);
    }
}

bool c_ui_screen_set::on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx,
                                      uint16_t dy, c_ui_callback& callback) {
    // Before the window size is known there is no UI space to place the pointer in.
    if (!current || context.short_side == 0) return false;
    const vec2 pointer = pointer_to_ui(context);
    // A press anywhere takes the focus from every element; the one pressed
    // (an edit box) takes it back, so typing never lands in a box clicked away from.
    if (kind == k_mouse_press) {
        for (auto& element : current->elements) element->drop_focus();
    }
    for (auto& element : current->elements) {
        if (element->visible &&
            element->on_mouse_button(context, kind, dx, dy, pointer.x, pointer.y, callback))
            return true;
    }
    return false;
}

bool c_ui_screen_set::on_char(c_platform& platform, uint16_t code, c_ui_callback& callback) {
    if (!current) return false;
    for (auto& element : current->elements) {
        if (element->visible && element->on_char(platform, code, callback)) return true;
    }
    return false;
}

}  // namespace tw
