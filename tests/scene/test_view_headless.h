// A platform without a screen for the scene tests: a settable window size and
// mouse position, and a render device that records every draw.
#pragma once
#include <cstdint>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace tw_test {

struct c_scene_test_platform {
    // A width of 0 leaves the platform as before its first frame, without a size.
    explicit c_scene_test_platform(int width = 2048, int height = 1024)
        : platform(window, device) {
        window.set_receiver(&platform);
        if (width > 0) platform.update_screen_size(width, height);
    }
    void point_at(int x, int y) {
        platform.mouse_x = uint16_t(x);
        platform.mouse_y = uint16_t(y);
    }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform;
};

}  // namespace tw_test
