// A later chapter entered over its shipped scene for scenario tests: a
// headless window, the recording sound device, the chapter state entered as
// the application would, and helpers to use an item, stand the character on
// a path and find a collectible.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/application.h"
#include "chapters/state_game_chapter.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "scene/scene_character.h"
#include "sound/sound_device_recording.h"

namespace tw_test {

template <class t_chapter>
class c_chapter_fixture : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(TW_CONTENT_DIR);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(1920, 1080);
        auto sounds = std::make_unique<tw::c_sound_device_recording>();
        sound = sounds.get();
        platform.sound_engine = std::move(sounds);
        platform.update_screen_size(1920, 1080);
        app.make_state = [](uint16_t) { return std::unique_ptr<tw::c_state>(); };
        app.send_message = {};
        auto state = std::make_unique<t_chapter>();
        chapter = state.get();
        app.change_state(platform, std::move(state));
        ASSERT_NE(chapter->character, nullptr);
    }
    void TearDown() override {
        app.change_state(platform, nullptr);
        std::filesystem::current_path(old_dir_);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) chapter->on_tick(platform, app.data);
    }
    // Uses an item at its spot, moved by dx.
    bool use(uint16_t item, float dx = 0) {
        const tw::c_scene_puzzle* spot = chapter->spot(item);
        return spot && chapter->on_use_puzzle_item(platform, app.data, item, spot->anim.base.tx + dx,
                                                   spot->anim.base.ty, 0);
    }
    // Puts the character on the path from one node to another, at a share of it.
    void stand(const char* from, const char* to, float progress) {
        tw::c_scene_character& c = *chapter->character;
        c.node = chapter->scene.find_path_node(from);
        c.path = chapter->scene.find_path(from, to);
        ASSERT_NE(c.path, nullptr) << from << " -> " << to;
        c.progress = progress;
        c.state = tw::k_character_idle;
        const tw::c_transform& a = c.node->transform;
        const tw::c_transform& b = c.path->target->transform;
        c.anim.base.tx = a.tx + (b.tx - a.tx) * progress;
        c.anim.base.ty = a.ty + (b.ty - a.ty) * progress;
    }
    int plays_of(const std::string& file) const {
        int n = 0;
        for (const auto& call : sound->calls) n += call.kind == tw::e_sound_call::play && call.file == file;
        return n;
    }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_sound_device_recording* sound = nullptr;
    tw::c_application app;
    t_chapter* chapter = nullptr;

private:
    std::filesystem::path old_dir_;
};

}  // namespace tw_test
