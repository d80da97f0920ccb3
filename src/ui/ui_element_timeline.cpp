// The timeline: the value-to-track mapping, drawing, and the press, snap and
// drag handling of the cursor.
#include "ui/ui_element_timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "ui/ui_element_text.h"

namespace tw {

namespace {

constexpr int k_value_max = 65535;
// The track takes presses a cursor's half-size past either end.
constexpr float k_track_reach = k_timeline_half_length + k_timeline_cursor_half;

// Truncates toward zero after clamping to the value range, so huge pointer
// movements cannot overflow the conversion.
int truncate_in_range(float v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::trunc(std::clamp(v, -float(k_value_max), float(k_value_max))));
}

}  // namespace

c_ui_element_timeline::c_ui_element_timeline(float offset_x, float offset_y,
                                             c_material* track_material, c_ui_font* font,
                                             uint16_t code)
    : i_ui_element(offset_x, offset_y, k_anchor_middle_left),
      event_code(code),
      material(track_material) {
    track.set_line(-k_timeline_half_length, 0, k_timeline_half_length, 0,
                   k_timeline_line_width);
    track.set_colour(c_rgba{});
    make_textured_quad(cursor, material, k_timeline_cursor_half, k_timeline_cursor_half);
    cursor.buffer.set_colour(k_timeline_cursor_colour);
    make_textured_quad(key, material, k_timeline_key_half, k_timeline_key_half);
    key.buffer.set_colour(k_timeline_key_colour);
    init_ui_text(label, font, "0");
}

void c_ui_element_timeline::layout(const c_ui_context& context) {
    anchored_layout(position, context);
    line_transform.tx = position.x;
    line_transform.ty = position.y;
}

void c_ui_element_timeline::render(c_platform& platform) {
    const float cursor_x = value_to_x(value);
    platform.draw_quad(cursor, translation(cursor_x, position.y));
    for (const uint16_t k : key_marks)
        platform.draw_quad(key, translation(value_to_x(k), position.y));
    platform.bind_material(material);
    platform.set_vertex_buffer(&track);
    platform.draw_quads(line_transform, track.count);
    platform.set_vertex_buffer(nullptr);
    label.draw(platform, translation(cursor_x, position.y + k_timeline_label_rise));
}

bool c_ui_element_timeline::on_mouse_button(const c_ui_context&, uint16_t kind, uint16_t,
                                            uint16_t, float x, float y,
                                            c_ui_callback& callback) {
    // A press while dragging means the drag's release went elsewhere (the
    // timeline was hidden mid-drag): the old drag is over and this is a new press.
    if (dragging && kind == k_mouse_press) dragging = false;
    if (!dragging) return kind == k_mouse_press && press(x, y, callback);
    if (kind == k_mouse_release) {
        dragging = false;
        return true;
    }
    drag(x, callback);
    return true;
}

bool c_ui_element_timeline::press(float x, float y, c_ui_callback& callback) {
    if (x < position.x - k_track_reach || x > position.x + k_track_reach ||
        y < position.y - k_timeline_cursor_half || y > position.y + k_timeline_cursor_half)
        return false;
    const float cursor_x = value_to_x(value);
    if (cursor_x - k_timeline_cursor_half <= x && x <= cursor_x + k_timeline_cursor_half) {
        dragging = true;
        drag_reference_x = x;
        return true;
    }
    // Snap to the nearest key mark in reach; the first one wins a tie.
    const int pressed = x_to_value(x);
    const uint16_t* nearest = nullptr;
    int nearest_distance = k_timeline_snap_reach;
    for (const uint16_t& k : key_marks) {
        const int distance = std::abs(pressed - int(k));
        if (distance < nearest_distance) {
            nearest = &k;
            nearest_distance = distance;
        }
    }
    if (nearest) {
        set_value(*nearest);
        callback.push_ui_event(event_code);
    }
    return false;
}

void c_ui_element_timeline::drag(float x, c_ui_callback& callback) {
    const int d = truncate_in_range((x - drag_reference_x) * -k_timeline_value_span /
                                    k_timeline_length);
    set_value(static_cast<uint16_t>(std::clamp(int(value) - d, 0, k_value_max)));
    callback.push_ui_event(event_code);
    drag_reference_x = x;
}

float c_ui_element_timeline::value_to_x(uint16_t v) const {
    return v * k_timeline_length / k_timeline_value_span + (position.x - k_timeline_half_length);
}

uint16_t c_ui_element_timeline::x_to_value(float x) const {
    const float v = (x - position.x + k_timeline_half_length) * k_timeline_value_span /
                    k_timeline_length;
    return static_cast<uint16_t>(std::clamp(truncate_in_range(v), 0, k_value_max));
}

void c_ui_element_timeline::set_value(uint16_t v) {
    value = v;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%d", int(value));
    label.set_text(digits, label.colour);
}

}  // namespace tw
