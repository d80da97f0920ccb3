// A group of elements shown, hidden and offered input together.
#pragma once
#include <memory>
#include <vector>

#include "ui/ui_element.h"

namespace tw {

class c_ui_element_group : public i_ui_element {
public:
    c_ui_element_group() = default;

    // Appends a child and returns it; the group owns it from then on.
    template <class T>
    T* add(std::unique_ptr<T> child) {
        T* raw = child.get();
        if (raw) children.push_back(std::move(child));
        return raw;
    }

    // Lays out every child, visible or not.
    void layout(const c_ui_context& context) override;
    // When the group is visible: updates every child.
    void update(const c_ui_context& context, c_ui_callback& callback) override;
    // When the group is visible: draws the visible children in order.
    void render(c_platform& platform) override;
    // Offers the event to the visible children in order; true at the first that takes it.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         float x, float y, c_ui_callback& callback) override;
    // When the group is visible: offers the character to the visible children
    // in order; true at the first that takes it.
    bool on_char(c_platform& platform, uint16_t code, c_ui_callback& callback) override;
    // Every child drops its focus.
    void drop_focus() override;

    std::vector<std::unique_ptr<i_ui_element>> children;
};

}  // namespace tw
