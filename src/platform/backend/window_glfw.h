// The real window: GLFW 3 behind the window seam, plus the one-time freeglut
// initialisation. The only file that calls GLFW.
#pragma once
#include "platform/frame_pacer.h"
#include "platform/window.h"

struct GLFWwindow;

namespace tw {

class c_window_glfw : public i_window {
public:
    c_window_glfw() = default;
    ~c_window_glfw() override;
    c_window_glfw(const c_window_glfw&) = delete;
    c_window_glfw& operator=(const c_window_glfw&) = delete;

    bool init() override;
    bool is_initialised() const override { return initialised_; }
    void desktop_size(int& width, int& height) override;
    bool open_fullscreen(int width, int height) override;
    bool open_windowed(int width, int height) override;
    void set_fullscreen(bool fullscreen, int width, int height) override;
    void set_icon(int width, int height, const uint8_t* rgba) override;
    void set_title(const char* title) override;
    void set_swap_interval(int interval) override;
    void set_receiver(i_glfw_callback* receiver) override;
    void register_callbacks() override;
    void window_size(int& width, int& height) override;
    void window_points(int& width, int& height) override;
    bool key_pressed(int key) override;
    bool is_open() override;
    void request_close() override;
    double time() override;
    // Swaps, polls events, then sleeps out the rest of a 60 Hz frame if the
    // swap did not wait for the retrace.
    void swap_buffers() override;
    void terminate() override;
    // Off: swaps never sleep, so a benchmark sees what a frame costs.
    void set_pacing(bool on) { pacing_ = on; }

private:
    // Context, cursor and sticky keys of a window just created.
    bool after_open();

    GLFWwindow* window_ = nullptr;
    c_frame_pacer pacer_;
    bool pacing_ = true;
    bool initialised_ = false;
};

// Maps a GLFW 3 key code to the game's key code (printable keys unchanged,
// special keys to the game's numbering); -1 for keys the game has no code for.
int map_glfw_key(int glfw_key);

}  // namespace tw
