// The column of puzzle icons at the left edge of a chapter's screen: adding,
// removing and deselecting icons, and placing them each tick.
#pragma once
#include <cstdint>
#include <vector>

#include "game/ui_puzzle.h"
#include "ui/ui_element_group.h"

namespace tw {

class c_platform;

constexpr float k_puzzle_bar_slot = 252.0f;       // UI units per resting icon
constexpr float k_puzzle_bar_peek_slot = 340.0f;  // UI units per peeking icon

class c_ui_puzzle_bar : public c_ui_element_group {
public:
    // A new icon at the bottom of the column, laid out at once; owned by the bar.
    c_ui_puzzle* add_icon(c_platform& platform, c_material* icon, c_material* hint,
                          c_material* glow, c_material* circle, c_ui_font* font,
                          uint16_t remaining, uint16_t event_code);
    // Starts the icon's leaving slide; the bar deletes it once it is gone and
    // no collectable still flies to it.
    void remove_icon(c_ui_puzzle* icon);
    // Every icon back to not selected.
    void deselect_all();
    // Updates the icons, deletes the gone ones, and places the column.
    void update(const c_ui_context& context, c_ui_callback& callback) override;

    std::vector<c_ui_puzzle*> order;  // top to bottom; the group's children own them
};

}  // namespace tw
