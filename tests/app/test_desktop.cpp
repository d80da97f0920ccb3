// The game as a desktop program, played through the real frame loop with a
// headless window, the recording devices and a temporary save folder: the
// settings file, the window mode switch, volume and mute, screenshots, focus
// and a scaled display's pointer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/harness.h"
#include "app/settings.h"
#include "sound/sound_device_recording.h"
#include "support/temp_folder.h"

using namespace tw;
using tw_test::read_text;

namespace {

void write_text(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

// A state that counts its ticks and notes its sizes and keys.
class c_counting_state : public c_state {
public:
    void on_resize(c_platform& p, c_application_data&) override {
        sizes.push_back(std::to_string(p.width) + "x" + std::to_string(p.height));
    }
    void on_tick(c_platform&, c_application_data&) override { ++ticks; }
    void on_key(c_platform&, int key, c_application_data&) override { keys.push_back(key); }
    void on_focus(c_platform&, bool focused, c_application_data&) override {
        focus_changes.push_back(focused);
    }
    bool takes_text() const override { return typing; }
    bool typing = false;
    std::vector<std::string> sizes;
    std::vector<int> keys;
    std::vector<bool> focus_changes;
    int ticks = 0;
};

class desktop : public ::testing::Test {
protected:
    void SetUp() override {
        app.make_state = [](uint16_t) { return std::make_unique<c_counting_state>(); };
        app.send_message = {};
        h.platform.sound_engine = sound;
        h.window.set_time(1.0);
    }
    c_counting_state& state() { return static_cast<c_counting_state&>(*app.state()); }
    void frames(int n) {
        for (int i = 0; i < n; ++i) {
            h.window.advance(1.0 / 60.0);
            run_frame(h.platform, app);
        }
    }
    void press(int key, bool alt = false) {
        if (alt) h.window.queue_key(k_key_left_alt, k_action_press);
        h.window.queue_key(key, k_action_press);
        h.window.queue_key(key, k_action_release);
        if (alt) h.window.queue_key(k_key_left_alt, k_action_release);
        frames(2);  // events arrive in the first frame's swap, the keys in the second
    }
    float master() const { return sound->master_volume; }

    tw_test::c_temp_save_folder save;
    tw_test::c_headless_platform h;
    std::shared_ptr<c_sound_device_recording> sound = std::make_shared<c_sound_device_recording>();
    c_application app;
};

TEST(settings_file, round_trips_and_falls_back_to_defaults_per_field) {
    tw_test::c_temp_save_folder save;
    // Missing: full screen, full volume, not muted.
    c_settings missing = load_settings();
    EXPECT_TRUE(missing.fullscreen);
    EXPECT_EQ(missing.sound.level, 10);
    EXPECT_FALSE(missing.sound.muted);

    c_settings chosen;
    chosen.fullscreen = false;
    chosen.sound.level = 3;
    chosen.sound.muted = true;
    ASSERT_TRUE(save_settings(chosen));
    c_settings back = load_settings();
    EXPECT_FALSE(back.fullscreen);
    EXPECT_EQ(back.sound.level, 3);
    EXPECT_TRUE(back.sound.muted);

    for (const char* text : {"<settings fullscreen=\"0\" volume=\"3", "not xml at all <<<",
                             "<other fullscreen=\"0\"/>", ""}) {
        write_text(save.file(k_settings_file), text);
        c_settings broken = load_settings();
        EXPECT_TRUE(broken.fullscreen) << text;
        EXPECT_EQ(broken.sound.level, 10) << text;
    }
    // A field out of range or not a number falls back alone; the others stand.
    write_text(save.file(k_settings_file), "<settings fullscreen=\"0\" volume=\"11\" muted=\"yes\"/>");
    c_settings partial = load_settings();
    EXPECT_FALSE(partial.fullscreen);
    EXPECT_EQ(partial.sound.level, 10);
    EXPECT_FALSE(partial.sound.muted);
}

TEST_F(desktop, f11_and_alt_enter_switch_the_window_and_the_layout_follows) {
    int w = 0, h_ = 0;
    EXPECT_TRUE(app.window_for_desktop(1920, 1080, w, h_));  // no file: full screen
    app.start(h.platform);
    frames(3);
    state().sizes.clear();
    press(k_key_f11);
    EXPECT_FALSE(h.window.fullscreen);
    frames(1);
    // Two thirds of the desktop, and the state is laid out for it.
    EXPECT_EQ(h.platform.width, 1280);
    EXPECT_EQ(h.platform.height, 720);
    ASSERT_FALSE(state().sizes.empty());
    EXPECT_EQ(state().sizes.back(), "1280x720");
    EXPECT_NE(read_text(save.file(k_settings_file)).find("fullscreen=\"0\""), std::string::npos);
    // The next start opens a window of that size at once.
    c_application next;
    EXPECT_FALSE(next.window_for_desktop(1920, 1080, w, h_));
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h_, 720);

    press(k_key_enter, true);
    frames(1);
    EXPECT_TRUE(h.window.fullscreen);
    EXPECT_EQ(state().sizes.back(), "1920x1080");
    // Neither F11 nor Alt+Enter reached the state (Alt alone does); a plain Enter does.
    EXPECT_EQ(state().keys, std::vector<int>{k_key_left_alt});
    press(k_key_enter);
    EXPECT_EQ(state().keys, (std::vector<int>{k_key_left_alt, k_key_enter}));
    EXPECT_EQ(h.window.mode_switches, 2);
    app.stop(h.platform);
}

TEST_F(desktop, volume_steps_and_mute_scale_every_sound_and_are_remembered) {
    app.start(h.platform);
    frames(3);
    EXPECT_FLOAT_EQ(master(), 1.0f);
    for (int i = 0; i < 3; ++i) press('-');
    EXPECT_FLOAT_EQ(master(), 0.7f);
    EXPECT_EQ(app.desktop.notice.text(), "volume 70%");
    EXPECT_TRUE(app.desktop.notice.visible(h.platform));
    press('M');
    EXPECT_FLOAT_EQ(master(), 0.0f);
    EXPECT_EQ(app.desktop.notice.text(), "sound off");
    press('M');
    EXPECT_FLOAT_EQ(master(), 0.7f);
    press('=');
    press(k_key_kp_add);
    press(k_key_kp_subtract);
    EXPECT_FLOAT_EQ(master(), 0.8f);
    for (int i = 0; i < 12; ++i) press(k_key_kp_add);
    EXPECT_FLOAT_EQ(master(), 1.0f);  // never past full
    press('M');
    EXPECT_TRUE(state().keys.empty());
    // The level is the device's master; no sound's own volume was touched.
    EXPECT_EQ(sound->count(e_sound_call::set_volume), 0);
    // While the state takes typed text, M and minus are letters for it.
    state().typing = true;
    press('M');
    press('-');
    EXPECT_FLOAT_EQ(master(), 0.0f);
    EXPECT_EQ(state().keys, (std::vector<int>{'M', '-'}));
    state().typing = false;
    // Two seconds later the notice is gone.
    h.window.advance(2.1);
    EXPECT_FALSE(app.desktop.notice.visible(h.platform));

    // Remembered: the next start applies muted, level 10 to the new engine.
    app.stop(h.platform);
    c_application next;
    int w = 0, h_ = 0;
    next.window_for_desktop(1920, 1080, w, h_);
    auto fresh = std::make_shared<c_sound_device_recording>();
    h.platform.sound_engine = fresh;
    next.send_message = {};
    next.start(h.platform);
    EXPECT_FLOAT_EQ(fresh->master_volume, 0.0f);
    EXPECT_TRUE(next.desktop.settings.sound.muted);
    EXPECT_EQ(next.desktop.settings.sound.level, 10);
    next.stop(h.platform);
}

TEST_F(desktop, losing_focus_stops_ticks_and_sound_without_a_burst_on_return) {
    app.start(h.platform);
    frames(5);
    h.window.queue_focus(false);
    frames(2);  // arrives in the first frame's swap, acted on in the second
    EXPECT_TRUE(sound->paused);
    const int at_loss = state().ticks;
    h.window.advance(10.0);  // ten seconds in the background
    frames(30);
    EXPECT_EQ(state().ticks, at_loss);
    h.window.queue_focus(true);
    frames(2);
    EXPECT_FALSE(sound->paused);
    // One frame's worth of ticks after the return, not five of catching up.
    EXPECT_LE(state().ticks - at_loss, 2);
    EXPECT_EQ(state().focus_changes, (std::vector<bool>{false, true}));
    app.stop(h.platform);
}

TEST_F(desktop, f12_writes_a_png_of_the_frame_into_the_pictures_folder) {
    tw_test::c_temp_folder pictures;
    setenv("XDG_PICTURES_DIR", pictures.path.c_str(), 1);
    app.start(h.platform);
    frames(3);
    press(k_key_f12);
    unsetenv("XDG_PICTURES_DIR");
    const std::string path = app.desktop.last_screenshot;
    ASSERT_EQ(path.rfind(pictures.path + "/Thistlewarp/thistlewarp-", 0), 0u) << path;
    std::ifstream png(path, std::ios::binary);
    char magic[8] = {};
    png.read(magic, 8);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    EXPECT_NE(app.desktop.notice.text().find(path), std::string::npos);
    EXPECT_EQ(h.device.calls_of(e_render_call::read_pixels).back().ints[0], 1920);
    app.stop(h.platform);
}

TEST_F(desktop, a_scaled_display_puts_the_pointer_in_framebuffer_pixels) {
    // A display at twice the density: a window of 960 x 540 screen
    // coordinates has a 1920 x 1080 framebuffer.
    h.window.pixel_ratio = 2;
    h.window.queue_resize(960, 540);
    frames(2);
    EXPECT_EQ(h.platform.width, 1920);
    h.window.queue_mouse_position(480, 270);
    h.window.queue_mouse_button(0, k_action_press);
    frames(2);
    EXPECT_EQ(h.platform.mouse_x, 960);
    EXPECT_EQ(h.platform.mouse_y, 540);
    // The centre of the window is the centre of the UI view.
    EXPECT_NEAR(h.platform.screen_to_view().x, 0.0f, 1e-3);
    EXPECT_NEAR(h.platform.screen_to_view().y, 0.0f, 1e-3);
}

}  // namespace
