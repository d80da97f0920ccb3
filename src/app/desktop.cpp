// Desktop keys, the window mode switch, volume, screenshots and focus.
#include "app/desktop.h"

#include <cstdio>
#include <vector>

#include "platform/png_file.h"
#include "platform/screenshot_folder.h"
#include "sound/sound_device.h"

namespace tw {

void c_desktop::load_settings() { settings = tw::load_settings(); }

void c_desktop::prepare(c_platform& platform) {
    notice.prepare(platform);
    settings.sound.apply(platform.sound_engine.get());
}

void c_desktop::release(c_platform& platform) { notice.release(platform); }

bool c_desktop::on_key(c_platform& platform, int key) {
    switch (key) {
        case k_key_f11:
            toggle_window_mode(platform);
            return true;
        case k_key_f12:
            // Taken after the state has drawn this frame's picture.
            screenshot_requested_ = true;
            return true;
        case k_key_mute:
            change_sound(platform, 0, true);
            return true;
        case k_key_minus:
        case k_key_kp_subtract:
            change_sound(platform, -1, false);
            return true;
        case k_key_equal:
        case k_key_kp_add:
            change_sound(platform, 1, false);
            return true;
        default:
            return false;
    }
}

void c_desktop::on_focus(c_platform& platform, bool focused) {
    if (platform.sound_engine) platform.sound_engine->pause_all(!focused);
}

void c_desktop::window_size_for_mode(int desktop_w, int desktop_h, int& w, int& h) const {
    w = desktop_w;
    h = desktop_h;
    if (settings.fullscreen) return;
    w = desktop_w * k_window_share_num / k_window_share_den;
    h = desktop_h * k_window_share_num / k_window_share_den;
}

void c_desktop::toggle_window_mode(c_platform& platform) {
    settings.fullscreen = !settings.fullscreen;
    int desktop_w = 0, desktop_h = 0, w = 0, h = 0;
    platform.window().desktop_size(desktop_w, desktop_h);
    window_size_for_mode(desktop_w, desktop_h, w, h);
    // The frame loop reads the new size next frame and lays the state out for it.
    platform.window().set_fullscreen(settings.fullscreen, w, h);
    save_settings(settings);
}

void c_desktop::change_sound(c_platform& platform, int steps, bool toggle_mute) {
    if (toggle_mute) {
        settings.sound.toggle_mute();
    } else {
        settings.sound.step(steps);
    }
    settings.sound.apply(platform.sound_engine.get());
    notice.show(platform, settings.sound.describe());
    save_settings(settings);
}

void c_desktop::take_screenshot(c_platform& platform) {
    std::vector<uint8_t> pixels;
    const int w = platform.width, h = platform.height;
    const std::string path = new_screenshot_path();
    if (path.empty() || !platform.device().read_pixels(w, h, pixels) ||
        !write_png(path, w, h, pixels.data(), true)) {
        notice.show(platform, "screenshot failed");
        return;
    }
    last_screenshot = path;
    std::printf("screenshot: %s\n", path.c_str());
    std::fflush(stdout);
    notice.show(platform, "screenshot saved\n" + path);
}

void c_desktop::draw(c_platform& platform) {
    if (screenshot_requested_) {
        screenshot_requested_ = false;
        take_screenshot(platform);
    }
    notice.draw(platform);
}

}  // namespace tw
