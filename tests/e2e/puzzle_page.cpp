// One puzzle of the catalogue full screen in a real window, played to its end
// by its scripted player through the real frame loop. It holds three moments
// for screenshots: just set up, mid-way and solved. At each it stops the
// puzzle's ticks and the player (drawing goes on), prints "ready N <moment>"
// and waits for <folder>/shotN.done. Nothing moves before the first picture.
// It ends with 0 once the third is taken.
// Usage: puzzle_page <handshake folder> <puzzle name> [frame limit]
//        puzzle_page --list   (the catalogue's names, one a line)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "support/puzzle_catalogue.h"
#include "support/real_window.h"

namespace {

constexpr const char* k_window_title = "Puzzle page";
constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)
constexpr long k_default_frame_limit = 60 * 180;
constexpr int k_setup_settle_frames = 30;   // drawn frames after loading before the first picture
constexpr int k_solved_settle_ticks = 90;   // pieces glide into place after the last move
constexpr const char* k_moment_names[] = {"", "setup", "midway", "solved"};

class c_puzzle_page : public tw_test::c_puzzle_host {
public:
    c_puzzle_page(std::filesystem::path folder, const tw_test::c_puzzle_entry& entry)
        : c_puzzle_host(entry), folder_(std::move(folder)) {
        paused = true;  // nothing moves before the picture of the set-up puzzle
    }

    // The handshake runs after drawing, so a held picture is on screen before it is announced.
    void draw(tw::c_platform& platform) override {
        c_puzzle_host::draw(platform);
        if (!puzzle) return;
        ++drawn_;
        if (waiting_) {
            const std::string done = "shot" + std::to_string(shot_) + ".done";
            if (std::filesystem::exists(folder_ / done)) {
                waiting_ = false;
                paused = false;
                finished_ = shot_ == 3;
            }
            return;
        }
        if (!player->stuck.empty()) {
            std::fprintf(stderr, "puzzle_page: %s\n", player->stuck.c_str());
            failed = true;
            return;
        }
        if (shot_ == 0 && loaded(platform) && drawn_ >= k_setup_settle_frames) {
            hold();
        } else if (shot_ == 1 && player->midway(*puzzle)) {
            hold();
        } else if (shot_ == 2 && puzzle->complete) {
            if (solved_at_ < 0) solved_at_ = ticks;
            if (ticks - solved_at_ >= k_solved_settle_ticks) hold();
        }
    }

    bool finished() const { return finished_ || failed; }
    int shots() const { return shot_; }
    bool failed = false;

private:
    void hold() {
        paused = true;
        waiting_ = true;
        ++shot_;
        std::printf("ready %d %s after %d ticks and %d presses\n", shot_, k_moment_names[shot_],
                    ticks, player->presses);
        std::fflush(stdout);
    }

    std::filesystem::path folder_;
    int drawn_ = 0;
    int shot_ = 0;
    int solved_at_ = -1;  // ticks when complete was first seen
    bool waiting_ = false;  // for the screenshot of the held moment
    bool finished_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const tw_test::c_puzzle_entry& entry : tw_test::puzzle_catalogue())
            std::printf("%s\n", entry.name);
        return 0;
    }
    if (argc < 3) {
        std::fputs("usage: puzzle_page <handshake folder> <puzzle name> [frame limit]\n", stderr);
        return 2;
    }
    const tw_test::c_puzzle_entry* entry = tw_test::find_puzzle(argv[2]);
    if (!entry) {
        std::fprintf(stderr, "puzzle_page: no puzzle named %s (see --list)\n", argv[2]);
        return 2;
    }
    const long frame_limit = argc > 3 ? std::strtol(argv[3], nullptr, 10) : k_default_frame_limit;
    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, k_window_title)) {
        std::fputs("puzzle_page: cannot open the window\n", stderr);
        return 1;
    }
    c_puzzle_page page(argv[1], *entry);
    tw::run_frame(platform, page);  // sets the viewport and screen size before setup
    page.start(platform);
    platform.last_ticks = platform.now_ticks();
    long frame = 0;
    for (; frame < frame_limit && !page.finished(); ++frame) {
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) ||
            window.key_pressed(k_key_escape))
            break;
        tw::run_frame(platform, page);
    }
    const bool completed = page.finished() && !page.failed;
    std::printf("%s: %ld frames, %d ticks, %d presses\n", entry->name, frame, page.ticks,
                page.player->presses);
    page.stop(platform);
    platform.release_all();
    window.terminate();
    if (!completed && !page.failed)
        std::fprintf(stderr, "puzzle_page: %s reached only moment %d in %ld frames\n", entry->name,
                     page.shots(), frame);
    return completed ? 0 : 3;
}
