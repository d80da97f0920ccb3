// What the game does as a desktop program, whatever state it is in: the window
// mode (F11, Alt+Enter), master volume and mute (minus, plus, M), screenshots
// (F12), pausing the sound while the window is in the background, the corner
// notice that answers each key, and the settings file that remembers them.
#pragma once
#include <string>

#include "app/corner_notice.h"
#include "app/settings.h"

namespace tw {

// Keys the desktop takes before any state sees them.
constexpr int k_key_mute = 'M';
constexpr int k_key_minus = '-';
constexpr int k_key_equal = '=';  // the key that carries '+'
// A window, rather than full screen, is this share of the desktop on each side.
constexpr int k_window_share_num = 2;
constexpr int k_window_share_den = 3;

class c_desktop {
public:
    // Reads the settings file; called before the window opens.
    void load_settings();
    // Once the window is open: the notice's font and the saved master volume.
    void prepare(c_platform& platform);
    // Deletes the notice's texture.
    void release(c_platform& platform);
    // Handles a desktop key and returns true, or returns false for the state's keys.
    bool on_key(c_platform& platform, int key);
    // Holds every sound while the window is in the background.
    void on_focus(c_platform& platform, bool focused);
    // After the state has drawn: a requested screenshot of that picture, then the notice.
    void draw(c_platform& platform);
    // The window size for the current mode on a desktop of that size.
    void window_size_for_mode(int desktop_w, int desktop_h, int& w, int& h) const;

    c_settings settings;
    c_corner_notice notice;
    std::string last_screenshot;  // path of the last screenshot written

private:
    void toggle_window_mode(c_platform& platform);
    void change_sound(c_platform& platform, int steps, bool toggle_mute);
    void take_screenshot(c_platform& platform);

    bool screenshot_requested_ = false;
};

}  // namespace tw
