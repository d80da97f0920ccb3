// One icon of the puzzle bar: the puzzle's picture in a ring, a badge counting
// the items still missing, a hint picture it slides out to show, a glow when
// nothing is missing, and the sparks an arriving item throws off.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/vertex_buffer.h"
#include "ui/ui_component_text.h"
#include "ui/ui_element.h"

namespace tw {

class c_ui_font;

// Tuning of the icon, in UI units and ticks.
constexpr float k_puzzle_icon_offset_x = -886.0f;
constexpr float k_puzzle_icon_picture_half = 96.0f;
constexpr float k_puzzle_icon_hint_half = 140.0f;
constexpr float k_puzzle_icon_glow_half = 211.2f;
constexpr float k_puzzle_icon_ring_half = 116.0f;
constexpr float k_puzzle_icon_backing_half = 160.0f;
constexpr float k_puzzle_icon_badge_half = 38.4f;
constexpr float k_puzzle_icon_start_slide_x = -200.0f;
constexpr uint16_t k_puzzle_icon_pulse_ticks = 120;
constexpr uint16_t k_puzzle_icon_peek_ticks = 180;
constexpr uint16_t k_puzzle_icon_selected_peek_ticks = 10;
constexpr int k_puzzle_icon_sparks_per_item = 16;

// A short-lived dot thrown off the badge when an item arrives.
struct c_puzzle_spark {
    c_quad quad;  // circle material, the icon colour
    c_transform transform;
    vec3 velocity;
    float decay = 1.0f;  // life factor per tick, 0.96 to 0.99
    float life = 1.0f;   // dead below 0.1
    float base_size = 38.0f;

    // One tick; true when the spark is dead.
    bool advance();
};

class c_ui_puzzle : public i_ui_element {
public:
    // Materials and font are not owned; remaining is the number of items still
    // missing; event_code is raised when the icon is selected. slide_y places it
    // in the column until the bar's first update.
    c_ui_puzzle(c_material* icon, c_material* hint, c_material* glow, c_material* circle,
                c_ui_font* font, uint16_t remaining, uint16_t event_code, float slide_y);

    // Anchored layout, then the slide offsets and the three transforms.
    void layout(const c_ui_context& context) override;
    // Sliding, peeking, the pulse and the sparks; one tick.
    void update(const c_ui_context& context, c_ui_callback& callback) override;
    // Sparks, ring, backing, badge or glow, picture, hint picture, count.
    void render(c_platform& platform) override;
    // A press within the picture: peeks while items are missing, else selects
    // and raises the event code. Always taken when it hits.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         float x, float y, c_ui_callback& callback) override;

    // Called by a collectable reaching the icon: one item fewer, sparks.
    void item_arrived();
    // The bar's "remove": slide away; the glow goes out.
    void start_leaving();
    // Back to the icon colour, not selected.
    void deselect();

    std::vector<std::unique_ptr<c_puzzle_spark>> sparks;
    c_quad picture;
    c_quad hint_picture;
    c_quad glow;
    c_quad ring;
    c_quad backing;
    c_quad badge;
    c_ui_component_text count_text;
    vec2 icon_position;  // UI units; z stays 0
    c_transform main_transform;
    c_transform hint_transform;   // x - 300
    c_transform badge_transform;  // x + 180
    uint16_t pulse = k_puzzle_icon_pulse_ticks;
    float slide_x = k_puzzle_icon_start_slide_x;
    float slide_y = 0;
    float slide_x_target = 0;
    float slide_y_target = 0;
    uint16_t remaining = 0;
    uint16_t event_code = 0;
    c_rgba colour{0, 0, 0, 255};
    uint16_t peek_timer = 0;
    uint8_t selected = 0;
    uint8_t leaving = 0;
    uint8_t gone = 0;
    // Collectables still flying to this icon; the bar keeps a gone icon until
    // this is 0, so no collectable ever holds a deleted target.
    uint16_t incoming = 0;

private:
    void place_transforms();
};

}  // namespace tw
