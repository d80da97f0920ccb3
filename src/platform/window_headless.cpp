// Scripted input and clock of the headless window.
#include "platform/window_headless.h"

namespace tw {

void c_window_headless::queue_key(int key, int action) {
    pending_.push_back({event::key, key, action});
}

void c_window_headless::queue_character(int code) {
    pending_.push_back({event::character, code, k_action_press});
}

void c_window_headless::queue_mouse_button(int button, int action) {
    pending_.push_back({event::button, button, action});
}

void c_window_headless::queue_mouse_position(int x, int y) {
    pending_.push_back({event::position, x, y});
}

void c_window_headless::queue_resize(int width, int height) {
    pending_.push_back({event::resize, width, height});
}

void c_window_headless::queue_focus(bool focused) {
    pending_.push_back({event::focus, focused ? 1 : 0, 0});
}

bool c_window_headless::init() {
    initialised_ = !fail_init;
    return initialised_;
}

void c_window_headless::desktop_size(int& width, int& height) {
    width = desktop_width;
    height = desktop_height;
}

bool c_window_headless::open_fullscreen(int width, int height) {
    if (fail_open) return false;
    width_ = width;
    height_ = height;
    open_ = true;
    fullscreen = true;
    return true;
}

bool c_window_headless::open_windowed(int width, int height) {
    if (!open_fullscreen(width, height)) return false;
    fullscreen = false;
    return true;
}

void c_window_headless::set_fullscreen(bool on, int width, int height) {
    ++mode_switches;
    fullscreen = on;
    width_ = width;
    height_ = height;
}

void c_window_headless::set_icon(int width, int height, const uint8_t* rgba) {
    icon_width = width;
    icon_height = height;
    icon.assign(rgba, rgba + size_t(width) * size_t(height) * 4);
}

void c_window_headless::register_callbacks() {
    if (!receiver_) return;
    receiver_->on_window_size(width_, height_);
    receiver_->on_mouse_position(mouse_x_, mouse_y_);
    receiver_->on_mouse_wheel(0);
}

void c_window_headless::window_size(int& width, int& height) {
    width = width_ * pixel_ratio;
    height = height_ * pixel_ratio;
}

void c_window_headless::window_points(int& width, int& height) {
    width = width_;
    height = height_;
}

bool c_window_headless::key_pressed(int key) {
    bool pressed = keys_down_.count(key) > 0 || keys_sticky_.count(key) > 0;
    keys_sticky_.erase(key);
    return pressed;
}

void c_window_headless::swap_buffers() {
    ++swap_count;
    if (on_swap) on_swap(*this);
    time_ += seconds_per_swap;
    std::vector<event> events;
    events.swap(pending_);
    for (const event& e : events) {
        switch (e.kind) {
            case event::key:
                if (e.b == k_action_press) {
                    keys_down_.insert(e.a);
                    keys_sticky_.insert(e.a);
                } else {
                    keys_down_.erase(e.a);
                }
                if (receiver_) receiver_->on_key(e.a, e.b);
                break;
            case event::character:
                if (receiver_) receiver_->on_character(e.a, e.b);
                break;
            case event::button:
                if (receiver_) receiver_->on_mouse_button(e.a, e.b);
                break;
            case event::position:
                mouse_x_ = e.a;
                mouse_y_ = e.b;
                if (receiver_) receiver_->on_mouse_position(e.a, e.b);
                break;
            case event::resize:
                width_ = e.a;
                height_ = e.b;
                if (receiver_) receiver_->on_window_size(e.a, e.b);
                break;
            case event::focus:
                if (receiver_) receiver_->on_focus(e.a != 0);
                break;
        }
    }
}

void c_window_headless::terminate() {
    terminated = true;
    initialised_ = false;
    open_ = false;
}

}  // namespace tw
