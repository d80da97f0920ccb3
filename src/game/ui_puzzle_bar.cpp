// The puzzle bar: owns its icons through the group's children, keeps them in
// column order, deletes the gone ones once nothing flies to them, and eases
// every remaining icon towards its slot in a column centred on the anchor.
#include "game/ui_puzzle_bar.h"

#include <algorithm>

#include "platform/platform.h"

namespace tw {

namespace {

// Half of the slot an icon takes: peeking icons need room for the hint.
float half_slot(const c_ui_puzzle& icon) {
    return (icon.peek_timer != 0 ? k_puzzle_bar_peek_slot : k_puzzle_bar_slot) * 0.5f;
}

}  // namespace

c_ui_puzzle* c_ui_puzzle_bar::add_icon(c_platform& platform, c_material* icon, c_material* hint,
                                       c_material* glow, c_material* circle, c_ui_font* font,
                                       uint16_t remaining, uint16_t event_code) {
    const float slide_y = float(order.size()) * k_puzzle_bar_slot * -0.5f;
    c_ui_puzzle* added = add(std::make_unique<c_ui_puzzle>(icon, hint, glow, circle, font,
                                                           remaining, event_code, slide_y));
    order.push_back(added);
    added->layout(ui_context(platform));
    return added;
}

void c_ui_puzzle_bar::remove_icon(c_ui_puzzle* icon) {
    if (icon) icon->start_leaving();
}

void c_ui_puzzle_bar::deselect_all() {
    for (c_ui_puzzle* icon : order) icon->deselect();
}

void c_ui_puzzle_bar::update(const c_ui_context& context, c_ui_callback& callback) {
    c_ui_element_group::update(context, callback);

    float total = 0;
    for (auto it = order.begin(); it != order.end();) {
        c_ui_puzzle* icon = *it;
        if (!icon->gone) {
            total += half_slot(*icon) * 2;
            ++it;
        } else if (icon->incoming == 0) {
            it = order.erase(it);
            children.erase(std::find_if(children.begin(), children.end(),
                                        [icon](const auto& child) { return child.get() == icon; }));
        } else {
            // Collectables still point at it: kept, but it takes no place in the column.
            ++it;
        }
    }

    float d = total * 0.5f;
    for (c_ui_puzzle* icon : order) {
        if (icon->gone) continue;
        const float e = d - half_slot(*icon);
        icon->slide_y_target = e;
        d = e - half_slot(*icon);
    }
}

}  // namespace tw
