// Screens of elements and a state's set of them: the owning lists of screens
// and fonts, the one screen shown, and the layout, drawing and input passes.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/ui_element.h"
#include "ui/ui_font.h"

namespace tw {

// One page of UI: elements drawn and hit-tested in insertion order; owns them.
class c_ui_screen {
public:
    std::vector<std::unique_ptr<i_ui_element>> elements;
};

class c_ui_screen_set {
public:
    // A new empty screen, owned by the set.
    c_ui_screen* create_screen();
    // A font read from the description at path, drawn with material (not
    // owned); owned by the set. A missing or malformed description gives a
    // font without glyphs, whose texts draw nothing.
    c_ui_font* create_font(const std::string& path, c_material* material);
    // Appends element to screen's list and returns it; with a null screen the
    // element is destroyed and null returned.
    template <class T>
    T* add_element(c_ui_screen* screen, std::unique_ptr<T> element) {
        T* raw = element.get();
        if (!screen || !raw) return nullptr;
        screen->elements.push_back(std::move(element));
        return raw;
    }
    // Destroys element and unlinks it from screen; false if it is not in the list.
    bool remove_element(c_ui_screen* screen, const i_ui_element* element);

    // Lays out every element of every screen, visible or not.
    void layout(const c_ui_context& context);
    // Updates the visible elements of the current screen.
    void update(const c_ui_context& context, c_ui_callback& callback);
    // Sets the UI view (half extent 1024 on the shorter side, centred) and draws
    // the visible elements of the current screen in order.
    void render(c_platform& platform);
    // Offers the mouse event, with the context's pointer in UI space, to the
    // visible elements of the current screen in order; true at the first that takes it.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         c_ui_callback& callback);
    // Offers the character the same way.
    bool on_char(c_platform& platform, uint16_t code, c_ui_callback& callback);

    std::vector<std::unique_ptr<c_ui_screen>> screens;
    std::vector<std::unique_ptr<c_ui_font>> fonts;
    c_ui_screen* current = nullptr;  // the shown screen; null shows nothing and takes no input
};

}  // namespace tw
