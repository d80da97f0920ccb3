// The level editor entered over a working folder of its own (every entry of
// the content folder linked in, so scenes, tiles, anims and bitmaps are there
// and whatever the editor saves lands in the test's folder), on a headless
// 1920 x 1080 window. A designer's hand: clicks on widgets, typing into edit
// boxes and drags in the scene, all through the frame loop's input path.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "app/frame_loop.h"
#include "chapters/game_states.h"
#include "editor/editor_codes.h"
#include "editor/state_editor.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/temp_folder.h"

namespace tw_test {

class c_editor_fixture : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        for (const auto& entry : std::filesystem::directory_iterator(TW_CONTENT_DIR)) {
            if (entry.path().filename() == tw::k_editor_autosave_file) continue;
            std::filesystem::create_symlink(
                entry.path(), std::filesystem::path(work.path) / entry.path().filename());
        }
        std::filesystem::current_path(work.path);
        window.seconds_per_swap = 1.0 / 60;
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(k_width, k_height);
        window.register_callbacks();
        platform.update_screen_size(k_width, k_height);
        app.make_state = tw::make_game_state;
        app.send_message = {};
        auto state = std::make_unique<tw::c_state_editor>();
        editor = state.get();
        app.change_state(platform, std::move(state));
        frames(2);
    }
    void TearDown() override {
        app.change_state(platform, nullptr);
        std::filesystem::current_path(old_dir_);
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) tw::run_frame(platform, app);
    }
    // The window pixel of a UI point.
    static int pixel_x(float x) { return int(x * k_height / 2048.0f + k_width / 2.0f); }
    static int pixel_y(float y) { return int(k_height / 2.0f - y * k_height / 2048.0f); }

    void press_at(int x, int y) {
        window.queue_mouse_position(x, y);
        window.queue_mouse_button(0, tw::k_action_press);
        frames(1);
        window.queue_mouse_button(0, tw::k_action_release);
        frames(2);
        settle();
    }
    // Runs frames until queued textures are loaded and the state's UI codes
    // handled (loading frames deliver input but run no ticks).
    void settle() {
        for (int i = 0; i < 5000; ++i) {
            if (platform.queued_texture_count() == 0 && platform.queued_material_count() == 0 &&
                app.state() && app.state()->ui_events.empty())
                return;
            frames(1);
        }
    }
    void click(const tw::i_ui_element& element) {
        press_at(pixel_x(element.position.x), pixel_y(element.position.y));
    }
    // Clicks the visible push button or toggle with this code.
    void button(uint16_t code) {
        const tw::i_ui_element* found = find_button(code);
        ASSERT_NE(found, nullptr) << "no visible button with code " << code;
        click(*found);
    }
    void tab(tw::editor_tab which) { button(uint16_t(tw::k_ed_tab_first + int(which))); }
    // Clicks the box, clears it and types the text, a character a frame.
    void type(tw::c_ui_element_editbox* box, const std::string& text) {
        click(*box);
        for (size_t i = box->text.text.size(); i > 0; --i) {
            window.queue_key(tw::k_key_backspace, tw::k_action_press);
            window.queue_key(tw::k_key_backspace, tw::k_action_release);
            frames(1);
        }
        for (char c : text) {
            window.queue_character(c);
            frames(1);
        }
    }
    // Presses at window pixel (x, y), drags by (dx, dy) in steps, releases.
    void drag(int x, int y, int dx, int dy, int steps = 4) {
        window.queue_mouse_position(x, y);
        window.queue_mouse_button(0, tw::k_action_press);
        frames(1);
        for (int i = 1; i <= steps; ++i) {
            window.queue_mouse_position(x + dx * i / steps, y + dy * i / steps);
            frames(1);
        }
        window.queue_mouse_button(0, tw::k_action_release);
        frames(2);
    }
    // A drag over the scene, right of the widget column.
    void drag_scene(int dx, int dy) { drag(1300, 500, dx, dy); }
    // The window pixel of a scene point under the editor's view.
    void scene_pixel(float sx, float sy, int& x, int& y) const {
        const tw::c_scene_view& view = editor->scene.view;
        const float units_per_pixel = 2 * view.zoom / k_width;  // fit width (16:9 < 2:1)
        x = int(k_width / 2.0f + (sx - view.eye().x) / units_per_pixel);
        y = int(k_height / 2.0f - (sy - view.eye().y) / units_per_pixel);
    }

    static constexpr int k_width = 1920;
    static constexpr int k_height = 1080;
    c_temp_save_folder save_folder;  // the sound keys write settings there
    c_temp_folder work;
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_application app;
    tw::c_state_editor* editor = nullptr;

private:
    const tw::i_ui_element* find_button(uint16_t code) const {
        auto match = [code](const tw::i_ui_element& e) {
            auto* b = dynamic_cast<const tw::c_ui_element_button_push*>(&e);
            return e.visible && b && b->event_code == code;
        };
        for (const auto& element : editor->ui.current->elements) {
            if (match(*element)) return element.get();
            auto* group = dynamic_cast<const tw::c_ui_element_group*>(element.get());
            if (!group || !group->visible) continue;
            for (const auto& child : group->children) {
                if (match(*child)) return child.get();
            }
        }
        return nullptr;
    }

    std::filesystem::path old_dir_;
};

}  // namespace tw_test
