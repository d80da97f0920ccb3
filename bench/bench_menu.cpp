// Cost of the title screen: entering it (scene, lights, endless layers, UI and
// credits; textures loaded afterwards, as the loading frames do), and one tick
// plus one draw per frame at 1920x1080 into a device that keeps nothing.
// Usage: bench_menu [content folder]   (default: the build's content folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/application_data.h"
#include "menu/state_menu.h"
#include "platform/platform.h"
#include "platform/window_headless.h"
#include "bench_timing.h"
#include "render_device_null.h"
#include "support/temp_folder.h"

namespace {

using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;

constexpr int k_enter_runs = 5;
constexpr int k_frame_runs = 5;
constexpr int k_frames_per_run = 600;  // ten seconds of ticks
constexpr int k_window_w = 1920;
constexpr int k_window_h = 1080;

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::current_path(argc > 1 ? argv[1] : TW_CONTENT_DIR);
    tw_test::c_temp_save_folder save;  // the menu's usage messages stay in memory

    tw_bench::c_render_device_null device;
    tw::c_window_headless window;
    tw::c_platform platform(window, device);
    window.set_receiver(&platform);
    window.init();
    window.open_fullscreen(k_window_w, k_window_h);
    platform.update_screen_size(k_window_w, k_window_h);

    std::vector<double> enter_ms;
    std::unique_ptr<tw::c_state_menu> menu;
    tw::c_application_data data;
    for (int run = 0; run < k_enter_runs; ++run) {
        platform.release_all();
        menu = std::make_unique<tw::c_state_menu>(1);
        const auto t0 = bench_clock::now();
        menu->on_enter(platform, data);
        menu->on_resize(platform, data);
        enter_ms.push_back(ms_since(t0));
    }
    const auto load_t0 = bench_clock::now();
    while (platform.load_next_queued()) {
    }
    const double load_ms = ms_since(load_t0);

    std::vector<double> frame_us;
    size_t quads = 0;
    for (int run = 0; run < k_frame_runs; ++run) {
        const auto t0 = bench_clock::now();
        for (int frame = 0; frame < k_frames_per_run; ++frame) {
            device.quads = 0;
            menu->on_tick(platform, data);
            menu->on_draw(platform, data);
            quads = device.quads;
        }
        frame_us.push_back(ms_since(t0) * 1000.0 / k_frames_per_run);
    }

    size_t tiles = 0;
    for (const auto& layer : menu->scene.layers) tiles += layer->tiles.size();
    std::printf("title screen: %zu levels, %zu layers, %zu tiles, %zu anims; %zu draws in the "
                "last frame\n",
                menu->scene.levels.size(), menu->scene.layers.size(), tiles,
                menu->scene.anims.size(), quads);
    std::printf("entering (scene file, lights, layers, UI, credits): %.1f ms (median of %d)\n",
                median(enter_ms), k_enter_runs);
    std::printf("loading its textures from disk: %.0f ms\n", load_ms);
    std::printf("tick + draw into a device that keeps nothing: %.0f us per frame "
                "(median of %d runs of %d frames)\n",
                median(frame_us), k_frame_runs, k_frames_per_run);
    return 0;
}
