// Chapter one played from the title screen to its end in a real window, by
// the scripted player of the headless playthrough, through the real frame
// loop. At each moment worth a picture it holds the game still, prints
// "ready <n> <moment>" and waits for <folder>/shot<n>.done before playing on.
// Usage: chapter_one_play <handshake folder> [frame limit]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "app/frame_loop.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "support/chapter_one_run.h"
#include "support/real_window.h"

namespace {

constexpr const char* k_window_title = "Chapter one";
constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)
constexpr long k_default_frame_limit = 60L * 60 * 15;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: chapter_one_play <handshake folder> [frame limit]\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const long frame_limit = argc > 2 ? std::strtol(argv[2], nullptr, 10) : k_default_frame_limit;
    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, k_window_title)) {
        std::fputs("chapter_one_play: cannot open the window\n", stderr);
        return 1;
    }
    tw_test::c_chapter_one_run run;
    int shot = 0;
    run.on_moment = [&](const char* name) {
        run.held = true;
        ++shot;
        std::printf("ready %d %s\n", shot, name);
        std::fflush(stdout);
    };
    tw::run_frame(platform, run);  // sets the viewport and screen size before loading
    run.start(platform);
    platform.last_ticks = platform.now_ticks();
    long frame = 0;
    for (; frame < frame_limit && !run.done() && run.player.stuck.empty(); ++frame) {
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) ||
            window.key_pressed(k_key_escape))
            break;
        if (run.held && std::filesystem::exists(folder / ("shot" + std::to_string(shot) + ".done"))) {
            run.held = false;
            platform.last_ticks = platform.now_ticks();  // no catching up on the held time
        }
        tw::run_frame(platform, run);
    }
    const bool completed = run.done();
    run.stop(platform);
    platform.release_all();
    window.terminate();
    std::printf("chapter one: %ld frames, %ld ticks, %d clicks, %d seed exchanges\n", frame,
                run.ticks, run.player.clicks, run.player.exchanges);
    if (!completed) {
        std::fprintf(stderr, "chapter_one_play: not finished after %ld frames%s%s\n", frame,
                     run.player.stuck.empty() ? "" : ": ", run.player.stuck.c_str());
    }
    return completed ? 0 : 3;
}
