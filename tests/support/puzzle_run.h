// One puzzle played headless with the shipped content: a 1920x1080 headless
// window, the application with a puzzle host as its state, frames through the
// real frame loop, and the pointer moved and pressed through the platform's
// input callbacks, one button change a frame.
#pragma once
#include <filesystem>
#include <memory>

#include "app/frame_loop.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "sound/sound_device_recording.h"
#include "support/puzzle_chapter.h"
#include "support/sample_walk.h"
#include "support/temp_folder.h"

namespace tw_test {

class c_puzzle_run {
public:
    static constexpr int k_width = 1920;
    static constexpr int k_height = 1080;

    // Works in content_dir (the game's working folder) until destroyed.
    c_puzzle_run(const char* content_dir, tw::i_game_puzzle& puzzle,
                 std::function<void(tw::c_platform&)> setup)
        : old_dir_(std::filesystem::current_path()) {
        std::filesystem::current_path(content_dir);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(k_width, k_height);
        window.seconds_per_swap = 1.0 / 60.0;
        auto recording = std::make_unique<tw::c_sound_device_recording>();
        sound = recording.get();
        platform.sound_engine = std::move(recording);
        tw::fill_sound_table(app.data.sounds);
        app.send_message = {};
        platform.update_screen_size(k_width, k_height);
        auto state = std::make_unique<c_puzzle_chapter>(puzzle, std::move(setup));
        host = state.get();
        app.change_state(platform, std::move(state));
        while (platform.queued_texture_count() > 0 || platform.queued_material_count() > 0) frame();
    }
    ~c_puzzle_run() {
        app.change_state(platform, nullptr);
        std::filesystem::current_path(old_dir_);
    }

    void frame() { tw::run_frame(platform, app); }
    // Moves the pointer over a point of the puzzle's scene, presses there in one
    // frame and lets go in the next.
    void click_scene(const tw::c_scene& scene, float x, float y) {
        int px = 0, py = 0;
        scene_to_pixels(platform, scene.view, x, y, px, py);
        window.queue_mouse_position(px, py);
        window.queue_mouse_button(0, tw::k_action_press);
        frame();
        window.queue_mouse_button(0, tw::k_action_release);
        frame();
        ++presses;
    }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_sound_device_recording* sound = nullptr;
    c_temp_save_folder save;
    tw::c_application app;
    c_puzzle_chapter* host = nullptr;
    int presses = 0;

private:
    std::filesystem::path old_dir_;
};

}  // namespace tw_test
