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
#include "chapter_sized_scene.h"
#include "render_device_null.h"
#include "scene/scene.h"

namespace {

namespace fs = std::filesystem;
using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;
using tw_bench::c_headless;
using tw_bench::tile_count;

constexpr const char* k_sample_file = "sample.xml";
constexpr const char* k_chapter_file = "bench_chapter.xml";  // written next to the sample
constexpr const char* k_pollen_file = "c1/pollen.bmp";
constexpr const char* k_larva_file = "anims/larva.xml";
constexpr float k_larva_speed = 12.0f;
constexpr uint16_t k_larva_anim_rate = 1200;
constexpr int k_load_runs = 5;
constexpr int k_frame_runs = 5;
constexpr int k_frames_per_run = 600;  // ten seconds of ticks

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
    if (!tw_bench::make_chapter_file(recorded.platform, k_sample_file, k_chapter_file)) return 1;
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
