// The frame benchmark: opens one state or puzzle of the game (the title screen,
// a chapter at its opening camera once its fade is over, a puzzle) in a real
// window through the OpenGL device and the real frame loop, and prints what a
// frame costs: milliseconds per frame with the pacing off (median and 95th
// percentile), the game's CPU share with the 60 Hz pacing on (all threads, so
// a software renderer's threads count too), and the overdraw of one frame of
// the same moment recorded headless. Run it under Xvfb for the software path;
// bench/frames.sh runs every scene at 1280x720 and 1920x1080.
// Usage: bench_frames <scene> [seconds] [content folder]
//        bench_frames <scene> --shot <file.ppm> <ticks> [content folder]
//   The second form draws one frame after exactly that many ticks (no real
//   time involved, so the picture is the same on every run of the same code)
//   and writes it as a binary PPM, for before-and-after comparisons.
//   TW_OVERDRAW_BREAKDOWN=1 also lists the textures that fill the most screen.
//   scenes: menu, chapter1 .. chapter5 and every puzzle of the test catalogue (c1p2, c2p1, ...)
#include <GL/gl.h>
#include <sys/resource.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/frame_loop.h"
#include "bench_timing.h"
#include "chapters/game_states.h"
#include "menu/state_menu.h"
#include "overdraw.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "platform/random.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "sound/sound_table.h"
#include "support/puzzle_catalogue.h"
#include "support/real_window.h"
#include "support/temp_folder.h"

namespace {

using tw_bench::bench_clock;
using tw_bench::median;
using tw_bench::ms_since;

constexpr double k_default_seconds = 4;
constexpr int k_warm_up_frames = 30;
constexpr uint32_t k_fixed_seed = 20261208;

// A puzzle of the test programs' catalogue shown on its own, as the chapter
// shows it once the fade is over.
class c_puzzle_state : public tw::c_state {
public:
    explicit c_puzzle_state(const tw_test::c_puzzle_entry& entry) : entry_(entry) {}
    void on_enter(tw::c_platform& platform, tw::c_application_data&) override {
        puzzle = entry_.make(platform);
    }
    void on_tick(tw::c_platform& platform, tw::c_application_data& data) override {
        puzzle->on_tick(platform, data);
    }
    void on_draw(tw::c_platform& platform, tw::c_application_data& data) override {
        puzzle->on_draw(platform, data);
    }
    void on_mouse(tw::c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  tw::c_application_data& data) override {
        puzzle->on_mouse(platform, kind, dx, dy, data);
    }
    std::unique_ptr<tw::i_game_puzzle> puzzle;

private:
    const tw_test::c_puzzle_entry& entry_;
};

struct c_scene_entry {
    std::function<std::unique_ptr<tw::c_state>()> make;
    int settle_ticks;  // ticks run before measuring: fades over, the opening camera reached
};

constexpr int k_puzzle_settle_ticks = 60;

// The states by name, and every puzzle of the catalogue by its scene's name.
const std::map<std::string, c_scene_entry>& scenes() {
    static const std::map<std::string, c_scene_entry> table = [] {
      std::map<std::string, c_scene_entry> named = {
        // The menu's credits are seeded from the clock in the game; here from a fixed seed.
        {"menu", {[] { return std::make_unique<tw::c_state_menu>(k_fixed_seed); }, 240}},
        {"chapter1", {[] { return tw::make_game_state(tw::k_state_chapter_1); }, 560}},
      };
      for (uint16_t chapter = 2; chapter <= 5; ++chapter) {
          const uint16_t id = uint16_t(tw::k_state_chapter_1 + chapter - 1);
          named["chapter" + std::to_string(chapter)] = {[id] { return tw::make_game_state(id); }, 560};
      }
      for (const tw_test::c_puzzle_entry& entry : tw_test::puzzle_catalogue()) {
          named[entry.name] = {[&entry] { return std::make_unique<c_puzzle_state>(entry); },
                               k_puzzle_settle_ticks};
      }
      return named;
    }();
    return table;
}

double cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The application showing the scene, loaded and settled.
void install(tw::c_platform& platform, tw::c_application& app, const c_scene_entry& entry) {
    app.send_message = {};
    // Installed directly, without the start-up that seeds the generator from the
    // clock: with a fixed seed every run draws the same motes, lights and credits.
    tw::fill_sound_table(app.data.sounds);
    tw::srand(k_fixed_seed);
    app.change_state(platform, entry.make());
    while (platform.queued_texture_count() > 0 || platform.queued_material_count() > 0)
        platform.load_next_queued();
    for (int i = 0; i < entry.settle_ticks; ++i) app.tick(platform);
}

// Draws the application's state once and writes the window's pixels, top row first.
bool write_shot(tw::c_platform& platform, tw::c_application& app, const std::string& file) {
    platform.device().clear(0, 0, 0, 0);
    app.draw(platform);
    glFinish();
    const int w = platform.width, h = platform.height;
    std::vector<unsigned char> pixels(size_t(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return false;
    std::fprintf(out, "P6\n%d %d\n255\n", w, h);
    for (int y = h - 1; y >= 0; --y) std::fwrite(&pixels[size_t(y) * w * 3], 1, size_t(w) * 3, out);
    return std::fclose(out) == 0;
}

// One frame of the settled moment, recorded headless at the same size.
// With breakdown set, also prints every texture that fills more than 2 % of the screen.
double recorded_overdraw(const c_scene_entry& entry, int width, int height, size_t& quads,
                         bool breakdown) {
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    window.desktop_width = width;
    window.desktop_height = height;
    window.set_receiver(&platform);
    window.init();
    window.open_fullscreen(width, height);
    platform.update_screen_size(width, height);
    tw::c_application app;
    install(platform, app, entry);
    tw::run_frame(platform, app);
    device.calls.clear();
    tw::run_frame(platform, app);
    quads = size_t(device.count(tw::e_render_call::draw_quads));
    std::map<uint32_t, double> by_texture;
    const double overdraw = tw_bench::overdraw_of(device.calls, &by_texture);
    if (breakdown) {
        std::map<std::string, double> by_file;
        for (const auto& [name, share] : by_texture) {
            std::string file = name == 0 ? "(no texture)" : "?";
            for (const auto& texture : platform.loaded_textures)
                if (texture->name == name) file = texture->file_name;
            // Layer tiles are summed per layer.
            const size_t tile = file.find_last_of('_', file.find_last_of('_') - 1);
            if (file.find("/") != std::string::npos && tile != std::string::npos &&
                file.size() > 4 && file.compare(file.size() - 4, 4, ".bmp") == 0 &&
                std::isdigit(static_cast<unsigned char>(file[tile + 1])))
                file = file.substr(0, tile) + "_*";
            by_file[file] += share;
        }
        for (const auto& [file, share] : by_file)
            if (share > 0.02) std::printf("  %-34s %.2f\n", file.c_str(), share);
    }
    app.stop(platform);
    return overdraw;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const auto& [name, entry] : scenes()) std::printf("%s\n", name.c_str());
        return 0;
    }
    if (argc < 2 || !scenes().count(argv[1])) {
        std::fputs("usage: bench_frames <scene> [seconds] [content folder] | --list\n  scenes:", stderr);
        for (const auto& [name, entry] : scenes()) std::fprintf(stderr, " %s", name.c_str());
        std::fputs("\n", stderr);
        return 2;
    }
    const std::string name = argv[1];
    const bool shot = argc > 2 && std::string(argv[2]) == "--shot";
    if (shot && argc < 5) {
        std::fputs("usage: bench_frames <scene> --shot <file.ppm> <ticks> [content folder]\n", stderr);
        return 2;
    }
    const bool breakdown = std::getenv("TW_OVERDRAW_BREAKDOWN") != nullptr;
    const double seconds = argc > 2 && !shot ? std::atof(argv[2]) : k_default_seconds;
    const int content_arg = shot ? 5 : 3;
    const std::string shot_file = shot ? std::filesystem::absolute(argv[3]).string() : "";
    std::filesystem::current_path(argc > content_arg ? argv[content_arg] : TW_CONTENT_DIR);
    tw_test::c_temp_save_folder save;
    c_scene_entry entry = scenes().at(name);
    if (shot) entry.settle_ticks = std::atoi(argv[4]);

    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, "Frame benchmark")) {
        std::fputs("bench_frames: cannot open the window\n", stderr);
        return 1;
    }
    tw::i_platform_state_machine nothing;
    tw::run_frame(platform, nothing);  // sets the viewport and the screen size
    const int width = platform.width, height = platform.height;
    tw::c_application app;
    install(platform, app, entry);
    if (shot) {
        const bool written = write_shot(platform, app, shot_file);
        app.stop(platform);
        platform.release_all();
        window.terminate();
        return written ? 0 : 1;
    }

    // Unpaced: what a frame costs.
    window.set_pacing(false);
    for (int i = 0; i < k_warm_up_frames; ++i) tw::run_frame(platform, app);
    std::vector<double> frame_ms;
    const double unpaced_cpu0 = cpu_seconds();
    const auto start = bench_clock::now();
    while (ms_since(start) < seconds * 1000) {
        const auto t0 = bench_clock::now();
        tw::run_frame(platform, app);
        frame_ms.push_back(ms_since(t0));
    }
    const double cpu_ms_per_frame = (cpu_seconds() - unpaced_cpu0) * 1000 / double(frame_ms.size());
    std::sort(frame_ms.begin(), frame_ms.end());
    const double p95 = frame_ms[std::min(frame_ms.size() - 1, frame_ms.size() * 95 / 100)];

    // Paced at 60 Hz, as the game runs: its share of the CPU.
    window.set_pacing(true);
    const double cpu0 = cpu_seconds();
    const auto paced_start = bench_clock::now();
    long paced_frames = 0;
    while (ms_since(paced_start) < seconds * 1000) {
        tw::run_frame(platform, app);
        ++paced_frames;
    }
    const double paced_s = ms_since(paced_start) / 1000;
    const double cpu_share = (cpu_seconds() - cpu0) / paced_s;
    app.stop(platform);
    platform.release_all();
    window.terminate();

    size_t quads = 0;
    const double overdraw = recorded_overdraw(entry, width, height, quads, breakdown);
    std::printf("%-9s %4dx%-4d  frame %6.2f ms median, %6.2f ms p95 (%5.1f fps), %6.2f ms of CPU  "
                "overdraw %.2f  %4zu quads  paced: %5.1f fps, CPU %3.0f%% of a core\n",
                name.c_str(), width, height, median(frame_ms), p95, 1000.0 / median(frame_ms),
                cpu_ms_per_frame, overdraw, quads, double(paced_frames) / paced_s, cpu_share * 100);
    return 0;
}
