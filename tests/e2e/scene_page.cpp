// The sample scene in a real window, played by the scripted player of the
// headless scenario through the real frame loop. At three moments (walking in
// the first level, after the camera change, in the middle of the hop) it holds
// the picture, prints "shot N" and waits for the file <folder>/shot<N>.done.
// Usage: scene_page <handshake folder> [frame limit]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/frame_loop.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "support/real_window.h"
#include "support/sample_walk.h"

namespace {

constexpr const char* k_window_title = "Scene page";
constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)
constexpr long k_default_frame_limit = 60 * 240;
constexpr int k_shot_walking_tick = 150;       // well into the first level
constexpr int k_shot_after_change_ticks = 200;  // the view has mostly glided over
constexpr uint16_t k_shot_hop_time = 30000;    // the larva in the air

class c_scene_page : public tw::i_platform_state_machine {
public:
    explicit c_scene_page(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void start(tw::c_platform& platform) override {
        ok = walk_.enter(platform);
        if (!ok) return;
        const tw::c_scene& scene = walk_.scene;
        const tw::c_scene_path_node* start = scene.path_nodes.front().get();
        std::vector<const tw::c_scene_path_node*> route{start};
        // Walk to the first animated path and over it.
        for (const auto& node : scene.path_nodes)
            for (const auto& path : node->paths)
                if (!hop_ && path->target && path->has_animation) {
                    hop_ = path.get();
                    route = tw_test::find_route(start, node.get());
                    route.push_back(path->target);
                }
        ok = hop_ != nullptr && route.size() > 1;
        player_ = std::make_unique<tw_test::c_route_player>(route);
    }

    // Scripted input goes in through the platform's own callbacks and reaches the
    // state in the next frame's input delivery, as real input would.
    void frame(tw::c_platform& platform) override {
        if (!ok || held_ || player_->done) return;
        int px = 0, py = 0;
        bool button = false;
        player_->step(platform, walk_.scene, px, py, button);
        platform.on_mouse_position(px, py);
        platform.on_mouse_button(0, button ? tw::k_action_press : tw::k_action_release);
    }

    void tick(tw::c_platform& platform) override {
        if (!ok || held_) return;
        walk_.tick(platform);
        ++ticks_;
        const tw::c_scene_character& larva = *walk_.scene.character;
        if (larva.path && larva.path->target_camera && change_tick_ < 0) change_tick_ = ticks_;
        if ((shot_ == 0 && ticks_ >= k_shot_walking_tick) ||
            (shot_ == 1 && change_tick_ >= 0 && ticks_ >= change_tick_ + k_shot_after_change_ticks) ||
            (shot_ == 2 && larva.path == hop_ && larva.time >= k_shot_hop_time))
            hold();
    }

    void draw(tw::c_platform& platform) override {
        if (!ok) return;
        walk_.draw(platform);
        if (held_ && std::filesystem::exists(folder_ / ("shot" + std::to_string(shot_) + ".done")))
            held_ = false;
    }

    void mouse(tw::c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy) override {
        if (ok) walk_.mouse(platform, kind, dx, dy);
    }

    int ticks() const { return ticks_; }
    bool finished() const { return !ok || (player_->done && shot_ == 3 && !held_); }
    bool ok = false;

private:
    void hold() {
        ++shot_;
        held_ = true;
        std::printf("shot %d\n", shot_);
        std::fflush(stdout);
    }

    std::filesystem::path folder_;
    tw_test::c_sample_walk walk_;
    std::unique_ptr<tw_test::c_route_player> player_;
    const tw::c_scene_path_node::path* hop_ = nullptr;
    int ticks_ = 0;
    int change_tick_ = -1;
    int shot_ = 0;
    bool held_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: scene_page <handshake folder> [frame limit]\n", stderr);
        return 2;
    }
    const long frame_limit = argc > 2 ? std::strtol(argv[2], nullptr, 10) : k_default_frame_limit;
    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, k_window_title)) {
        std::fputs("scene_page: cannot open the window\n", stderr);
        return 1;
    }
    c_scene_page page(argv[1]);
    tw::run_frame(platform, page);  // sets the viewport and screen size before loading
    page.start(platform);
    if (!page.ok) std::fputs("scene_page: the sample scene or its path network is missing\n", stderr);
    platform.last_ticks = platform.now_ticks();
    long frame = 0;
    for (; frame < frame_limit && !page.finished(); ++frame) {
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) ||
            window.key_pressed(k_key_escape))
            break;
        tw::run_frame(platform, page);
    }
    const bool completed = page.finished() && page.ok;
    page.stop(platform);
    platform.release_all();
    window.terminate();
    std::printf("%ld frames, %d ticks\n", frame, page.ticks());
    if (!completed) std::fprintf(stderr, "scene_page: the walk did not finish in %ld frames\n", frame);
    return completed ? 0 : 3;
}
