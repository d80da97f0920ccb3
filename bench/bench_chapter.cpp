// Cost of a chapter state in play: a chapter-sized scene (the sample scene
// copied side by side, as bench_scene makes it) with the larva and a pollen
// field, three icons in the bar (one peeking, one glowing and selected, one
// with a badge), three tutorial hands and an item always in flight (a new one
// is launched whenever one arrives). Times one tick plus one draw per frame at
// 1920x1080 into the recording device and into a device that keeps nothing.
// Usage: bench_chapter [content folder]   (default: the build's content folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/application_data.h"
#include "game/state_game.h"
#include "game/ui_collectable.h"
#include "game/ui_puzzle_bar.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "bench_timing.h"
#include "chapter_sized_scene.h"
#include "render_device_null.h"
#include "scene/scene.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;
using tw_bench::c_headless;
using tw_bench::tile_count;

constexpr const char* k_sample_file = "sample.xml";
constexpr const char* k_chapter_file = "bench_chapter_state.xml";  // written next to the sample
constexpr const char* k_pollen_file = "c1/pollen.bmp";
constexpr const char* k_larva_file = "anims/larva.xml";
constexpr const char* k_item_picture = "sample/dewdrop_picked.bmp";
constexpr const char* k_icon_pictures[] = {"sample/petal_picked.bmp", "sample/mushroom.bmp",
                                           "sample/dewdrop_picked.bmp"};
constexpr uint16_t k_icon_remaining[] = {1, 0, 2};  // peeking, glowing and selected, badge
constexpr uint16_t k_peeking = 0;
constexpr uint16_t k_selected = 1;
constexpr uint16_t k_target = 2;  // the flying items go to the icon with the badge
constexpr float k_larva_speed = 12.0f;
constexpr uint16_t k_larva_anim_rate = 1200;
constexpr float k_item_x = 200.0f, k_item_y = -300.0f;  // UI units; where each item starts
constexpr float k_item_half = 90.0f;
constexpr uint16_t k_long_peek = 60000;  // ticks; outlasts the timing
constexpr int k_frame_runs = 5;
constexpr int k_frames_per_run = 600;  // ten seconds of ticks

// A chapter over the chapter-sized scene, entered as its opening leaves it
// (faded in), with the bar, hands and flying item of a busy moment.
class c_bench_chapter : public tw::c_state_game {
public:
    c_bench_chapter() : c_state_game(1) {}

    void on_enter(tw::c_platform& platform, tw::c_application_data& data) override {
        c_state_game::on_enter(platform, data);
        scene.load(platform, k_chapter_file);
        scene.set_camera("camera1");
        if (!scene.levels.empty())
            scene.add_particle_system(std::make_unique<tw::c_scene_particle_ambient>(
                platform, k_pollen_file, scene.levels.back()->name));
        if (!scene.path_nodes.empty() && !scene.path_nodes.front()->paths.empty()) {
            tw::c_scene_path_node& start = *scene.path_nodes.front();
            scene.set_character(std::make_unique<tw::c_scene_character>(
                platform, scene.levels.back()->name, k_larva_file, start, *start.paths.front(),
                0, k_larva_speed, k_larva_anim_rate));
        }
        set_fade_alpha(0);
        for (uint16_t id = 0; id < 3; ++id) {
            tw::c_material* picture = platform.get_material(k_icon_pictures[id], false);
            puzzle_icons[id] = bar->add_icon(platform, picture, picture, glow_material,
                                             circle_material, font, k_icon_remaining[id],
                                             uint16_t(tw::k_game_code_first_icon + id));
        }
        puzzle_icons[k_peeking]->peek_timer = k_long_peek;
        puzzle_icons[k_selected]->selected = 1;
        puzzle_icons[k_selected]->ring.buffer.set_colour(255, 255, 255, 255);
        const tw::vec2 eye = scene.view.eye();
        tutorial_click_scene(platform, {eye.x, eye.y, 0});
        tutorial_click_puzzle_ui(platform, k_selected, {eye.x + 1000, eye.y, 0});
        if (scene.character)
            add_tutorial(platform, std::make_unique<tw::c_game_tutorial_drag_character>(scene));
        item_material = platform.get_material(k_item_picture, false);
    }

    // A new item on its way to the badge icon whenever none is flying; the
    // badge is set back to 2 once the arrivals have used it up.
    void keep_one_flying() {
        if (!collectables.empty()) return;
        tw::c_ui_puzzle* target = puzzle_icons[k_target];
        if (target->remaining == 0) {
            target->remaining = k_icon_remaining[k_target];
            target->count_text.set_text(std::to_string(target->remaining), {255, 255, 255, 255});
        }
        auto item = std::make_unique<tw::c_ui_collectable>(item_material, k_item_x, k_item_y, 0,
                                                           k_item_half, k_item_half, target,
                                                           k_target);
        collectables.push_back(ui.add_element(main_screen, std::move(item)));
        ++launched;
    }

    tw::c_material* item_material = nullptr;
    int launched = 0;
};


struct c_result {
    double frame_us = 0;
    size_t draws = 0;  // in the last frame
    int launched = 0;
    size_t tutorials = 0;
    size_t icons = 0;
    size_t tiles = 0;
    size_t anims = 0;
};

// Enters the chapter, loads its textures, then times one tick plus one draw
// per frame; draws are counted by the recording device or by the null device.
c_result run(tw::i_render_device& device, tw::c_render_device_recording* recording,
             tw_bench::c_render_device_null* null_device) {
    c_headless headless(device);
    tw::c_platform& platform = headless.platform;
    tw::c_application_data data;
    c_bench_chapter chapter;
    chapter.on_enter(platform, data);
    chapter.on_resize(platform, data);
    while (platform.load_next_queued()) {
    }
    c_result result;
    std::vector<double> frame_us;
    for (int run = 0; run < k_frame_runs; ++run) {
        const auto t0 = bench_clock::now();
        for (int frame = 0; frame < k_frames_per_run; ++frame) {
            if (recording) recording->calls.clear();
            if (null_device) null_device->quads = 0;
            chapter.on_tick(platform, data);
            chapter.keep_one_flying();
            chapter.on_draw(platform, data);
        }
        frame_us.push_back(ms_since(t0) * 1000.0 / k_frames_per_run);
    }
    result.frame_us = median(frame_us);
    if (recording)
        for (const auto& call : recording->calls)
            result.draws += call.kind == tw::e_render_call::draw_quads;
    if (null_device) result.draws = null_device->quads;
    result.launched = chapter.launched;
    result.tutorials = chapter.tutorials.tutorials.size();
    result.icons = chapter.bar->order.size();
    result.tiles = tile_count(chapter.scene);
    result.anims = chapter.scene.anims.size();
    chapter.on_leave(platform, data);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    fs::current_path(argc > 1 ? fs::path(argv[1]) : fs::path(TW_CONTENT_DIR));
    tw_test::c_temp_save_folder save;  // the chapter's usage messages stay in memory

    {
        tw::c_render_device_recording recording;
        c_headless maker(recording);
        if (!tw_bench::make_chapter_file(maker.platform, k_sample_file, k_chapter_file)) return 1;
    }
    tw::c_render_device_recording recording;
    const c_result recorded = run(recording, &recording, nullptr);
    tw_bench::c_render_device_null null_device;
    const c_result bare = run(null_device, nullptr, &null_device);
    fs::remove(k_chapter_file);

    std::printf("chapter in play: %zu tiles, %zu anims, %zu icons in the bar, %zu tutorials, "
                "%d items launched over %d frames\n",
                recorded.tiles, recorded.anims, recorded.icons, recorded.tutorials,
                recorded.launched, k_frame_runs * k_frames_per_run);
    std::printf("tick + draw into the recording device: %.0f us per frame, %zu draw calls in "
                "the last frame\n",
                recorded.frame_us, recorded.draws);
    std::printf("tick + draw into a device that keeps nothing: %.0f us per frame, %zu draw "
                "calls in the last frame\n",
                bare.frame_us, bare.draws);
    std::printf("(medians of %d runs of %d frames at %dx%d)\n", k_frame_runs, k_frames_per_run,
                tw_bench::k_window_w, tw_bench::k_window_h);
    return 0;
}
