// Window callbacks and the per-frame input record: at most one mouse event and
// one character reach the state each frame.
#include "platform/platform.h"

#include <algorithm>

namespace tw {

namespace {
constexpr uint16_t k_backspace_char = 8;
constexpr float k_view_extent = 2048.0f;  // the UI view spans -1024..1024 on the shorter side
}  // namespace

void c_platform::on_key(int key, int action) {
    // BACKSPACE and DEL produce no character event of their own; both act as backspace.
    if (action == k_action_press && (key == k_key_backspace || key == k_key_del))
        characters_.push_back(k_backspace_char);
    if (key == k_key_left_alt) left_alt_ = action == k_action_press;
    if (key == k_key_right_alt) right_alt_ = action == k_action_press;
    key_events_.push_back({key, action, left_alt_ || right_alt_});
}

void c_platform::on_focus(bool focused) {
    // A key held while the focus leaves (Alt of Alt+Tab) sends its release elsewhere.
    if (!focused) left_alt_ = right_alt_ = false;
    if (focused != focused_) focus_changed_ = true;
    focused_ = focused;
}

bool c_platform::take_focus_change() {
    const bool changed = focus_changed_;
    focus_changed_ = false;
    return changed;
}

void c_platform::set_pointer_scale(float x, float y) {
    pointer_scale_x_ = x > 0 ? x : 1.0f;
    pointer_scale_y_ = y > 0 ? y : 1.0f;
}

void c_platform::on_character(int code, int action) {
    if (action == k_action_press) characters_.push_back(static_cast<uint16_t>(code));
}

void c_platform::on_mouse_button(int button, int action) {
    if (button != 0) return;
    const uint8_t down = action == k_action_press ? 1 : 0;
    const uint8_t last = pending_buttons_.empty() ? mouse_button : pending_buttons_.back();
    if (down != last) pending_buttons_.push_back(down);
}

void c_platform::on_mouse_position(int x_points, int y_points) {
    const int x = static_cast<int>(x_points * pointer_scale_x_);
    const int y = static_cast<int>(y_points * pointer_scale_y_);
    // The reported position may lie outside the window; keep the last one inside.
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    current_x_ = static_cast<uint16_t>(x);
    current_y_ = static_cast<uint16_t>(y);
}

bool c_platform::update_screen_size(int w, int h) {
    uint16_t new_width = static_cast<uint16_t>(std::clamp(w, 1, 65535));
    uint16_t new_height = static_cast<uint16_t>(std::clamp(h, 1, 65535));
    bool changed = new_width != width || new_height != height;
    width = new_width;
    height = new_height;
    short_side = std::min(width, height);
    long_side = std::max(width, height);
    return changed;
}

bool c_platform::take_mouse_event(c_mouse_event& out) {
    // One button change per frame, in the order they happened.
    uint8_t button = mouse_button;
    if (!pending_buttons_.empty()) {
        button = pending_buttons_.front();
        pending_buttons_.pop_front();
    }
    if (mouse_button == 0) {
        mouse_x = current_x_;
        mouse_y = current_y_;
        mouse_button = button;
        if (button == 0) return false;
        out = {k_mouse_press, 0, 0};
        return true;
    }
    uint16_t dx = static_cast<uint16_t>(current_x_ - mouse_x);
    uint16_t dy = static_cast<uint16_t>(current_y_ - mouse_y);
    mouse_x = current_x_;
    mouse_y = current_y_;
    mouse_button = button;
    if (button == 0) {
        out = {k_mouse_release, dx, dy};
        return true;
    }
    if (dx == 0 && dy == 0) return false;
    out = {k_mouse_drag, dx, dy};
    return true;
}

std::vector<int> c_platform::take_key_presses() {
    std::vector<int> presses;
    for (const c_key_press& p : take_key_chords()) presses.push_back(p.key);
    return presses;
}

std::vector<c_key_press> c_platform::take_key_chords() {
    std::vector<c_key_press> presses;
    for (const key_event& e : key_events_)
        if (e.action == k_action_press) presses.push_back({e.key, e.alt});
    return presses;
}

bool c_platform::take_character(uint16_t& out) {
    if (characters_.empty()) return false;
    out = characters_.front();
    characters_.pop_front();
    return true;
}

vec2 c_platform::screen_to_view() const {
    const float w = width, h = height, m = short_side;
    if (m <= 0) return {0, 0};
    // Single precision after each division, as the UI placement expects.
    float x = ((mouse_x - (w - m) * 0.5f) / m - 0.5f) * k_view_extent;
    float y = (((h - mouse_y) - (h - m) * 0.5f) / m - 0.5f) * k_view_extent;
    return {x, y};
}

}  // namespace tw
