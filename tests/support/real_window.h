// Opening the real window for the test pages: full screen on the desktop, the
// extensions and fixed drawing state set, callbacks registered, as the game does.
#pragma once
#include "platform/platform.h"

namespace tw_test {

// False (and nothing left open) when the window or its context cannot be made.
inline bool open_test_window(tw::c_platform& platform, const char* title) {
    tw::i_window& window = platform.window();
    window.set_receiver(&platform);
    if (!window.init()) return false;
    int width = 0, height = 0;
    window.desktop_size(width, height);
    if (!window.open_fullscreen(width, height) || !platform.device().init_extensions()) {
        window.terminate();
        return false;
    }
    window.set_title(title);
    window.set_swap_interval(1);
    window.register_callbacks();
    platform.device().set_fixed_state();
    return true;
}

}  // namespace tw_test
