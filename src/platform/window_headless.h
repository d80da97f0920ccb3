// A window without a screen: a settable clock and scripted input, delivered
// inside swap_buffers as the real library does. Used by tests, playthroughs
// and benchmarks to run the frame loop tick by tick.
#pragma once
#include <functional>
#include <cstdint>
#include <set>
#include <vector>

#include "platform/window.h"

namespace tw {

class c_window_headless : public i_window {
public:
    // --- Configuration and script (set by the test) ---
    int desktop_width = 1920;
    int desktop_height = 1080;
    bool fail_init = false;
    bool fail_open = false;
    double seconds_per_swap = 0.0;  // the clock advances by this much at every swap
    // Framebuffer pixels per screen coordinate, as on a scaled display: the
    // size and resizes are given in screen coordinates, as are queued pointer
    // positions; window_size reports pixels.
    int pixel_ratio = 1;
    // Called at the start of every swap, before queued events are delivered.
    std::function<void(c_window_headless&)> on_swap;

    void set_time(double seconds) { time_ = seconds; }
    void advance(double seconds) { time_ += seconds; }
    void queue_key(int key, int action);
    void queue_character(int code);
    void queue_mouse_button(int button, int action);
    void queue_mouse_position(int x, int y);
    void queue_resize(int width, int height);
    void queue_focus(bool focused);

    // --- What happened (read by the test) ---
    int swap_count = 0;
    int swap_interval = -1;
    const char* title = nullptr;
    bool terminated = false;
    bool fullscreen = false;
    int mode_switches = 0;            // set_fullscreen calls
    std::vector<uint8_t> icon;        // the last icon's RGBA pixels
    int icon_width = 0, icon_height = 0;

    // --- i_window ---
    bool init() override;
    bool is_initialised() const override { return initialised_; }
    void desktop_size(int& width, int& height) override;
    bool open_fullscreen(int width, int height) override;
    bool open_windowed(int width, int height) override;
    void set_fullscreen(bool on, int width, int height) override;
    void set_icon(int width, int height, const uint8_t* rgba) override;
    void set_title(const char* t) override { title = t; }
    void set_swap_interval(int interval) override { swap_interval = interval; }
    void set_receiver(i_glfw_callback* receiver) override { receiver_ = receiver; }
    void register_callbacks() override;
    void window_size(int& width, int& height) override;
    void window_points(int& width, int& height) override;
    bool key_pressed(int key) override;
    bool is_open() override { return open_; }
    void request_close() override { open_ = false; }
    double time() override { return time_; }
    void swap_buffers() override;
    void terminate() override;

private:
    struct event {
        enum kind_t { key, character, button, position, resize, focus } kind;
        int a, b;
    };
    std::vector<event> pending_;
    std::set<int> keys_down_;
    std::set<int> keys_sticky_;  // pressed since the last query
    i_glfw_callback* receiver_ = nullptr;
    double time_ = 0.0;
    int width_ = 0;
    int height_ = 0;
    int mouse_x_ = 0;
    int mouse_y_ = 0;
    bool initialised_ = false;
    bool open_ = false;
};

}  // namespace tw
