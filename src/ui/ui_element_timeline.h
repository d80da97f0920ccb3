// The editor's timeline: a track 1920 units long with a red cursor for a
// 16-bit value, orange key marks the cursor snaps to, and the value above it.
#pragma once
#include <cstdint>
#include <vector>

#include "ui/ui_component_text.h"
#include "ui/ui_element.h"

namespace tw {

class c_ui_font;

constexpr float k_timeline_length = 1920.0f;
constexpr float k_timeline_half_length = k_timeline_length / 2;
constexpr float k_timeline_line_width = 8.0f;
constexpr float k_timeline_cursor_half = 32.0f;
constexpr float k_timeline_key_half = 24.0f;
constexpr float k_timeline_label_rise = 48.0f;
constexpr float k_timeline_value_span = 65535.0f;
// How far (in value units) a press may be from a key mark and still snap to it.
constexpr int k_timeline_snap_reach = 256;
constexpr c_rgba k_timeline_cursor_colour{255, 0, 0, 255};
constexpr c_rgba k_timeline_key_colour{255, 128, 0, 255};

class c_ui_element_timeline : public i_ui_element {
public:
    // Anchored middle-left (3); value 0. material draws track, cursor and key
    // marks; font (not owned) the value label.
    c_ui_element_timeline(float offset_x, float offset_y, c_material* material, c_ui_font* font,
                          uint16_t event_code);

    // Anchored layout; the track follows the computed position.
    void layout(const c_ui_context& context) override;
    // Draws the cursor, the key marks in order, the track, then the value label.
    void render(c_platform& platform) override;
    // A press on the cursor starts a drag (taken); a press elsewhere on the
    // track snaps to a key mark within reach, reporting the code but leaving
    // the press to others. While dragging a release ends the drag and every
    // other event moves the value and reports the code; both are taken. A press
    // while dragging ends the drag that never got its release and counts as a press.
    bool on_mouse_button(const c_ui_context& context, uint16_t kind, uint16_t dx, uint16_t dy,
                         float x, float y, c_ui_callback& callback) override;

    // The UI x of a value on the laid-out track.
    float value_to_x(uint16_t v) const;
    // The value under a UI x, truncated and clamped to 0..65535.
    uint16_t x_to_value(float x) const;
    // Sets the value and its label without reporting anything.
    void set_value(uint16_t v);

    c_transform line_transform;
    c_vertex_buffer_line track;
    c_quad cursor;
    c_quad key;
    c_ui_component_text label;
    uint16_t value = 0;
    bool dragging = false;
    float drag_reference_x = 0;
    uint16_t event_code = 0;
    c_material* material = nullptr;  // not owned
    std::vector<uint16_t> key_marks;  // filled by the owner

private:
    bool press(float x, float y, c_ui_callback& callback);
    void drag(float x, c_ui_callback& callback);
};

}  // namespace tw
