// Cost of chapter one: entering it (scene, buds, larva, seed puzzle, then
// every texture read, decoded and handed to the device) against a plain read
// plus decode of the same bitmaps; then the whole chapter played from the
// title screen by the scripted player, headless, timing every frame (ticks,
// draw and the player) into a device that keeps nothing, and again into the
// recording device to add up the pixels each frame fills, at 16:9 and at 21:9.
// With "gl" the entering is timed through the OpenGL device in a real window
// (uploads and mipmaps included; run it under xvfb-run without a display).
// Usage: bench_chapter_one [content folder] [gl]   (default: the build's content folder)
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "bench_timing.h"
#include "chapters/state_game_1.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "platform/bitmap.h"
#include "platform/window_headless.h"
#include "render_device_null.h"
#include "overdraw.h"
#include "platform/render_device_recording.h"
#include "support/chapter_one_run.h"
#include "support/real_window.h"
#include "support/temp_folder.h"

namespace {

using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;

constexpr int k_enter_runs = 3;
constexpr long k_frame_limit = 60L * 60 * 6;

struct c_play_figures {
    std::vector<double> frame_us;
    std::vector<double> overdraw;
    long ticks = 0;
    bool done = false;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

// The whole chapter from the title screen; a frame is timed from one swap to the next.
template <class D>
c_play_figures play(D& device, int width, int height, bool count_pixels) {
    tw_test::c_temp_save_folder save;
    tw::c_window_headless window;
    tw::c_platform platform(window, device);
    window.desktop_width = width;
    window.desktop_height = height;
    window.seconds_per_swap = 1.0 / 60.0;
    tw_test::c_chapter_one_run run;
    c_play_figures figures;
    auto last = bench_clock::now();
    window.on_swap = [&](tw::c_window_headless& w) {
        const bool in_chapter = dynamic_cast<tw::c_state_game_1*>(run.app.state()) != nullptr;
        if (in_chapter) {
            figures.frame_us.push_back(ms_since(last) * 1000.0);
            if constexpr (std::is_same_v<D, tw::c_render_device_recording>) {
                if (count_pixels) figures.overdraw.push_back(tw_bench::overdraw_of(device.calls));
            }
        }
        if constexpr (std::is_same_v<D, tw::c_render_device_recording>) device.calls.clear();
        last = bench_clock::now();
        if (run.done() || w.swap_count > k_frame_limit || !run.player.stuck.empty())
            w.request_close();
    };
    tw::run(platform, run);
    figures.ticks = run.ticks;

    figures.done = run.done();
    return figures;
}


// Enters chapter one k_enter_runs times on the platform's device, each time
// from an empty texture cache, and loads every queued texture as the loading
// frames do. Fills the medians and the names of the loaded textures.
void time_entering(tw::c_platform& platform, double& enter, double& load,
                   std::vector<std::string>& files) {
    std::vector<double> enter_ms, load_ms;
    for (int run = 0; run < k_enter_runs; ++run) {
        platform.release_all();
        tw::c_application_data data;
        auto chapter = std::make_unique<tw::c_state_game_1>();
        const auto t0 = bench_clock::now();
        chapter->on_enter(platform, data);
        chapter->on_resize(platform, data);
        enter_ms.push_back(ms_since(t0));
        const auto t1 = bench_clock::now();
        while (platform.load_next_queued()) {
        }
        load_ms.push_back(ms_since(t1));
        files.clear();
        for (const auto& texture : platform.loaded_textures) files.push_back(texture->file_name);
        chapter.reset();
    }
    platform.release_all();
    enter = median(enter_ms);
    load = median(load_ms);
}

}  // namespace

int main(int argc, char** argv) {
    const bool gl = argc > 2 && std::string(argv[2]) == "gl";
    std::filesystem::current_path(argc > 1 ? argv[1] : TW_CONTENT_DIR);
    tw_test::c_temp_save_folder save;

    double enter = 0, load = 0;
    std::vector<std::string> files;
    if (gl) {
        tw::c_window_glfw window;
        tw::c_render_device_gl device;
        tw::c_platform platform(window, device);
        if (!tw_test::open_test_window(platform, "Chapter one benchmark")) {
            std::fputs("bench_chapter_one: cannot open a window for the GL device\n", stderr);
            return 2;
        }
        tw::i_platform_state_machine nothing;  // one frame sets the screen size
        tw::run_frame(platform, nothing);
        time_entering(platform, enter, load, files);
        window.terminate();
    } else {
        tw_bench::c_render_device_null device;
        tw::c_window_headless window;
        tw::c_platform platform(window, device);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(1920, 1080);
        platform.update_screen_size(1920, 1080);
        time_entering(platform, enter, load, files);
    }
    std::vector<double> plain_ms;
    size_t bytes = 0;
    for (int run = 0; run < k_enter_runs; ++run) {
        bytes = 0;
        const auto t0 = bench_clock::now();
        for (const std::string& file : files) {
            tw::c_image image;
            tw::read_bitmap("textures/" + file, image);
            bytes += image.pixels.size();
        }
        plain_ms.push_back(ms_since(t0));
    }
    std::printf("entering chapter one: %.1f ms of state work, then %zu textures (%.1f MB decoded) "
                "read, decoded and %s in %.0f ms (medians of %d)\n",
                enter, files.size(), double(bytes) / 1e6,
                gl ? "uploaded with mipmaps through OpenGL" : "handed to a device that keeps nothing",
                load, k_enter_runs);
    std::printf("plain read + decode of the same bitmaps: %.0f ms\n", median(plain_ms));

    tw_bench::c_render_device_null null_device;
    const c_play_figures timed = play(null_device, 1920, 1080, false);
    std::printf("whole chapter at 1920x1080 (%s, %ld ticks): frame (ticks + draw + player) "
                "median %.0f us, 99th percentile %.0f us, worst %.0f us\n",
                timed.done ? "played to its end" : "NOT FINISHED", timed.ticks,
                median(timed.frame_us), percentile(timed.frame_us, 0.99),
                percentile(timed.frame_us, 1.0));

    for (const auto& [w, h, name] : {std::tuple{1920, 1080, "16:9"}, std::tuple{2520, 1080, "21:9"}}) {
        tw::c_render_device_recording counting;
        const c_play_figures drawn = play(counting, w, h, true);
        std::printf("overdraw at %s (%dx%d, %s): mean %.2f, 99th percentile %.2f, worst %.2f "
                    "screens of pixels per frame\n",
                    name, w, h, drawn.done ? "whole chapter" : "NOT FINISHED", mean(drawn.overdraw),
                    percentile(drawn.overdraw, 0.99), percentile(drawn.overdraw, 1.0));
    }
    return timed.done ? 0 : 1;
}
