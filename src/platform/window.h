// The window, input and clock seam. Real: GLFW (platform/backend); headless:
// c_window_headless. Nothing above this seam talks to the windowing library.
#pragma once
#include <cstdint>

namespace tw {

// Key codes and actions as the game sees them; adapters map their library's codes.
constexpr int k_key_esc = 257;
constexpr int k_key_f1 = 258;  // F1..F25 are 258..282
constexpr int k_key_f2 = 259;
constexpr int k_key_f10 = 267;
constexpr int k_key_f11 = 268;
constexpr int k_key_f12 = 269;
constexpr int k_key_left_alt = 291;
constexpr int k_key_right_alt = 292;
constexpr int k_key_enter = 294;
constexpr int k_key_backspace = 295;
constexpr int k_key_del = 297;
constexpr int k_key_kp_subtract = 302;
constexpr int k_key_kp_add = 303;
constexpr int k_action_release = 0;
constexpr int k_action_press = 1;

// Receiver of the window callbacks. Exactly one object receives them.
class i_glfw_callback {
public:
    virtual ~i_glfw_callback() = default;
    virtual void on_window_size(int /*width*/, int /*height*/) {}
    virtual void on_key(int /*key*/, int /*action*/) {}
    virtual void on_character(int /*code*/, int /*action*/) {}
    virtual void on_mouse_button(int /*button*/, int /*action*/) {}
    virtual void on_mouse_position(int /*x*/, int /*y*/) {}
    virtual void on_mouse_wheel(int /*position*/) {}
    // The window gained (true) or lost (false) the keyboard focus.
    virtual void on_focus(bool /*focused*/) {}
};

// Exactly the windowing operations the frame loop and the platform use.
class i_window {
public:
    virtual ~i_window() = default;
    // Initialises the library (the real one also initialises freeglut once).
    virtual bool init() = 0;
    virtual bool is_initialised() const = 0;
    virtual void desktop_size(int& width, int& height) = 0;
    // Full-screen window with 8-bit RGBA, 24-bit depth, no stencil.
    virtual bool open_fullscreen(int width, int height) = 0;
    // The same window, but a resizable one of width x height centred on the desktop.
    virtual bool open_windowed(int width, int height) = 0;
    // Switches the open window between full screen at width x height and a
    // resizable window of that size; the new size reaches window_size at once
    // or with the next events.
    virtual void set_fullscreen(bool fullscreen, int width, int height) = 0;
    // The window's icon: RGBA pixels, top row first. A window manager may ignore it.
    virtual void set_icon(int width, int height, const uint8_t* rgba) = 0;
    virtual void set_title(const char* title) = 0;
    virtual void set_swap_interval(int interval) = 0;
    // The object all callbacks go to; set before the window opens.
    virtual void set_receiver(i_glfw_callback* receiver) = 0;
    // Registers the six callbacks; size, mouse position and wheel are delivered once now.
    virtual void register_callbacks() = 0;
    // The drawable size in pixels (the framebuffer).
    virtual void window_size(int& width, int& height) = 0;
    // The window's size in the units the cursor positions come in (screen
    // coordinates); larger than window_size never, smaller on a scaled display.
    virtual void window_points(int& width, int& height) = 0;
    // Sticky: a press released again before the query still counts once.
    virtual bool key_pressed(int key) = 0;
    virtual bool is_open() = 0;
    // Asks for the window to close, as the user closing it does: the loop ends
    // after the current frame and the game shuts down in order.
    virtual void request_close() = 0;
    // Seconds since init.
    virtual double time() = 0;
    // Presents the frame and polls events: callbacks arrive inside this call.
    virtual void swap_buffers() = 0;
    virtual void terminate() = 0;
};

}  // namespace tw
