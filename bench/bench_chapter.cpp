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
#include "render_device_null.h"
#include "scene/scene.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;

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
constexpr size_t k_min_tiles = 400;
constexpr size_t k_min_anims = 30;
constexpr float k_copy_spacing = 16384.0f;  // scene units between copies of the sample
constexpr float k_item_x = 200.0f, k_item_y = -300.0f;  // UI units; where each item starts
constexpr float k_item_half = 90.0f;
constexpr uint16_t k_long_peek = 60000;  // ticks; outlasts the timing
constexpr int k_frame_runs = 5;
constexpr int k_frames_per_run = 600;  // ten seconds of ticks
constexpr int k_window_w = 1920;
constexpr int k_window_h = 1080;

size_t tile_count(const tw::c_scene& scene) {
    size_t n = 0;
    for (const auto& layer : scene.layers) n += layer->tiles.size();
    return n;
}

tw::c_transform shifted(tw::c_transform t, float dx) {
    t.tx += dx;
    return t;
}

// Appends `copies` copies of the loaded sample's levels, layers, anims and
// graphics, each shifted right; the reload of the saved file does the rest.
void add_copies(tw::c_scene& scene, int copies) {
    const size_t levels = scene.levels.size(), layers = scene.layers.size(),
                 anims = scene.anims.size(), graphics = scene.graphics.size();
    for (int k = 1; k <= copies; ++k) {
        const std::string suffix = "_" + std::to_string(k);
        const float dx = k * k_copy_spacing;
        for (size_t i = 0; i < levels; ++i) {
            auto level = std::make_unique<tw::c_scene_level>();
            level->name = scene.levels[i]->name + suffix;
            scene.add_level(std::move(level));
        }
        for (size_t i = 0; i < layers; ++i) {
            const tw::c_scene_layer& from = *scene.layers[i];
            auto layer = std::make_unique<tw::c_scene_layer>();
            layer->level_name = from.level_name + suffix;
            layer->transform = shifted(from.transform, dx);
            layer->file_name = from.file_name;
            layer->perspective_factor = from.perspective_factor;
            layer->tile_scale = from.tile_scale;
            scene.add_layer(std::move(layer));
        }
        for (size_t i = 0; i < anims; ++i) {
            const tw::c_scene_anim& from = *scene.anims[i];
            auto anim = std::make_unique<tw::c_scene_anim>();
            anim->level_name = from.level_name + suffix;
            anim->anim.base = shifted(from.anim.base, dx);
            anim->anim_file_name = from.anim_file_name;
            anim->anim_position = from.anim_position;
            anim->anim_speed = from.anim_speed;
            scene.add_anim(std::move(anim));
        }
        for (size_t i = 0; i < graphics; ++i) {
            const tw::c_scene_graphic& from = *scene.graphics[i];
            auto graphic = std::make_unique<tw::c_scene_graphic>();
            graphic->level_name = from.level_name + suffix;
            graphic->name = from.name + suffix;
            graphic->file_name = from.file_name;
            graphic->transform = shifted(from.transform, dx);
            graphic->half_width = from.half_width;
            graphic->half_height = from.half_height;
            scene.add_graphic(std::move(graphic));
        }
    }
}

// Writes the chapter-sized file made from the sample; false if it cannot.
bool make_chapter_file(tw::c_platform& platform) {
    tw::c_scene sample;
    if (!sample.load(platform, k_sample_file)) {
        std::fprintf(stderr, "bench_chapter: cannot load %s\n", k_sample_file);
        return false;
    }
    const size_t tiles = std::max<size_t>(tile_count(sample), 1);
    const size_t anims = std::max<size_t>(sample.anims.size(), 1);
    const int copies = static_cast<int>(std::max((k_min_tiles + tiles - 1) / tiles,
                                                 (k_min_anims + anims - 1) / anims)) - 1;
    add_copies(sample, copies);
    if (!sample.save(k_chapter_file)) {
        std::fprintf(stderr, "bench_chapter: cannot write %s\n", k_chapter_file);
        return false;
    }
    platform.release_all();
    return true;
}

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

struct c_headless {
    explicit c_headless(tw::i_render_device& device) : platform(window, device) {
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(k_window_w, k_window_h);
        platform.update_screen_size(k_window_w, k_window_h);
    }
    tw::c_window_headless window;
    tw::c_platform platform;
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
        if (!make_chapter_file(maker.platform)) return 1;
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
                k_window_w, k_window_h);
    return 0;
}
