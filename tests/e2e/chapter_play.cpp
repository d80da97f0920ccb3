// A later chapter played from its card on the title screen to its end in a
// real window, by the scripted player of the headless playthroughs, through
// the real frame loop, with a save that has unlocked it. At each moment worth
// a picture it holds the game still, prints "ready <n> <moment>" and waits for
// <folder>/shot<n>.done before playing on.
// Usage: chapter_play <chapter> <handshake folder> [frame limit]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "net/persistent_data.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "support/chapter_plans.h"
#include "support/real_window.h"

namespace {

constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)
constexpr long k_default_frame_limit = 60L * 60 * 20;

bool plan_for(int chapter, tw_test::c_chapter_plan& plan, std::vector<tw_test::c_chapter_moment>& moments) {
    switch (chapter) {
        case 2:
            plan = tw_test::chapter_two_plan();
            moments = tw_test::chapter_two_moments();
            return true;
        case 3:
            plan = tw_test::chapter_three_plan();
            moments = tw_test::chapter_three_moments();
            return true;
        case 4:
            plan = tw_test::chapter_four_plan();
            moments = tw_test::chapter_four_moments();
            return true;
        case 5:
            plan = tw_test::chapter_five_plan();
            moments = tw_test::chapter_five_moments();
            return true;
        default:
            return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    tw_test::c_chapter_plan plan;
    std::vector<tw_test::c_chapter_moment> moments;
    const int chapter = argc > 1 ? std::atoi(argv[1]) : 0;
    if (argc < 3 || !plan_for(chapter, plan, moments)) {
        std::fputs("usage: chapter_play <chapter 2..5> <handshake folder> [frame limit]\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[2];
    const long frame_limit = argc > 3 ? std::strtol(argv[3], nullptr, 10) : k_default_frame_limit;
    {
        tw::c_persistent_data unlocked;
        unlocked.chapters_complete = uint8_t(chapter - 1);
        if (!unlocked.save()) {
            std::fputs("chapter_play: cannot write the save\n", stderr);
            return 1;
        }
    }
    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    const std::string title = "Chapter " + std::to_string(chapter);
    if (!tw_test::open_test_window(platform, title.c_str())) {
        std::fputs("chapter_play: cannot open the window\n", stderr);
        return 1;
    }
    tw_test::c_chapter_run run(plan, moments);
    std::printf("moments %zu\n", run.moments.size());
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
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) || window.key_pressed(k_key_escape)) break;
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
    std::printf("chapter %d: %ld frames, %ld ticks, %d clicks, %d puzzles\n", chapter, frame, run.ticks,
                run.player.clicks, run.player.puzzles_solved);
    if (!completed) {
        std::fprintf(stderr, "chapter_play: not finished after %ld frames, doing \"%s\"%s%s\n", frame,
                     run.player.doing.c_str(), run.player.stuck.empty() ? "" : ": ", run.player.stuck.c_str());
    }
    return completed ? 0 : 3;
}
