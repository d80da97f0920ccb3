// Cost of a chapter-sized scene: the sample scene copied side by side until it
// holds hundreds of tiles and tens of anims, saved, then timed while loading and
// for one update plus one draw per frame (recording device, and one that keeps nothing).
// Usage: bench_scene [content folder]   (default: the build's content folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "bench_timing.h"
#include "render_device_null.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;

constexpr const char* k_sample_file = "sample.xml";
constexpr const char* k_chapter_file = "bench_chapter.xml";  // written next to the sample
constexpr const char* k_pollen_file = "c1/pollen.bmp";
constexpr const char* k_larva_file = "anims/larva.xml";
constexpr float k_larva_speed = 12.0f;
constexpr uint16_t k_larva_anim_rate = 1200;
constexpr size_t k_min_tiles = 400;
constexpr size_t k_min_anims = 30;
constexpr float k_copy_spacing = 16384.0f;  // scene units between copies of the sample
constexpr int k_load_runs = 5;
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

// Appends `copies` copies of the loaded sample, each shifted right and in levels
// of its own; only the fields the file keeps are copied, the reload does the rest.
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

// Writes the chapter-sized file made from the sample; false if it cannot.
bool make_chapter_file(tw::c_platform& platform) {
    tw::c_scene sample;
    if (!sample.load(platform, k_sample_file)) {
        std::fprintf(stderr, "bench_scene: cannot load %s\n", k_sample_file);
        return false;
    }
    const size_t tiles = std::max<size_t>(tile_count(sample), 1);
    const size_t anims = std::max<size_t>(sample.anims.size(), 1);
    const int copies = static_cast<int>(std::max((k_min_tiles + tiles - 1) / tiles,
                                                 (k_min_anims + anims - 1) / anims)) - 1;
    add_copies(sample, copies);
    if (!sample.save(k_chapter_file)) {
        std::fprintf(stderr, "bench_scene: cannot write %s\n", k_chapter_file);
        return false;
    }
    return true;
}

// Loads the chapter file (timed), adds what a chapter state adds (one pollen
// field, the larva on the first node) and returns the scene ready to run.
std::unique_ptr<tw::c_scene> load_chapter(tw::c_platform& platform, std::vector<double>& load_ms) {
    auto scene = std::make_unique<tw::c_scene>();
    for (int run = 0; run < k_load_runs; ++run) {
        scene = std::make_unique<tw::c_scene>();
        const auto t0 = bench_clock::now();
        scene->load(platform, k_chapter_file);
        load_ms.push_back(ms_since(t0));
    }
    while (platform.load_next_queued()) {
    }
    scene->set_camera("camera1");
    if (!scene->levels.empty())
        scene->add_particle_system(std::make_unique<tw::c_scene_particle_ambient>(
            platform, k_pollen_file, scene->levels.back()->name));
    if (!scene->path_nodes.empty() && !scene->path_nodes.front()->paths.empty()) {
        tw::c_scene_path_node& start = *scene->path_nodes.front();
        scene->set_character(std::make_unique<tw::c_scene_character>(
            platform, scene->levels.back()->name, k_larva_file, start, *start.paths.front(), 0,
            k_larva_speed, k_larva_anim_rate));
    }
    return scene;
}

// Median microseconds of one update plus one draw.
double time_frames(tw::c_platform& platform, tw::c_scene& scene,
                   tw::c_render_device_recording* recording) {
    std::vector<double> frame_us;
    for (int run = 0; run < k_frame_runs; ++run) {
        const auto t0 = bench_clock::now();
        for (int frame = 0; frame < k_frames_per_run; ++frame) {
            if (recording) recording->calls.clear();
            scene.update(platform);
            scene.draw(platform);
        }
        frame_us.push_back(ms_since(t0) * 1000.0 / k_frames_per_run);
    }
    return median(frame_us);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path content = argc > 1 ? fs::path(argv[1]) : fs::path(TW_CONTENT_DIR);
    fs::current_path(content);

    tw::c_render_device_recording recording;
    c_headless recorded(recording);
    if (!make_chapter_file(recorded.platform)) return 1;
    std::vector<double> load_ms;
    auto scene = load_chapter(recorded.platform, load_ms);
    const double recorded_us = time_frames(recorded.platform, *scene, &recording);
    size_t draws = 0;
    for (const auto& call : recording.calls) draws += call.kind == tw::e_render_call::draw_quads;

    tw_bench::c_render_device_null null_device;
    c_headless bare(null_device);
    std::vector<double> unused_ms;
    auto bare_scene = load_chapter(bare.platform, unused_ms);
    const double bare_us = time_frames(bare.platform, *bare_scene, nullptr);
    fs::remove(k_chapter_file);

    std::printf("chapter-sized scene: %zu levels, %zu layers, %zu tiles, %zu anims, %zu particle "
                "systems, a character; %zu quads drawn per frame\n",
                scene->levels.size(), scene->layers.size(), tile_count(*scene),
                scene->anims.size(), scene->particle_systems.size(), draws);
    std::printf("scene file load: %.1f ms (median of %d; textures are loaded afterwards)\n",
                median(load_ms), k_load_runs);
    std::printf("update + draw into the recording device: %.0f us per frame\n", recorded_us);
    std::printf("update + draw into a device that keeps nothing: %.0f us per frame\n", bare_us);
    std::printf("(medians of %d runs of %d frames)\n", k_frame_runs, k_frames_per_run);
    return 0;
}
