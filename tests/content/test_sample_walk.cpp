// The sample scene played headless tick by tick: a scripted player drags the
// larva from the first node across the camera change and over the hop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/sample_walk.h"

namespace {

namespace fs = std::filesystem;

constexpr int k_window_w = 1920;
constexpr int k_window_h = 1080;
constexpr int k_tick_limit = 60 * 180;  // three minutes of play at most
constexpr int k_hop_frames = 100;       // animtion_speed 655 covers 0..65535 in 100 frames
constexpr int k_settle_ticks = 60 * 15;  // the camera spring settles well within this
constexpr float k_camera_settle_distance = 4.0f;

const tw::c_scene_path_node::path* find_path(const tw::c_scene& scene, bool camera_change,
                                             const tw::c_scene_path_node** source) {
    for (const auto& node : scene.path_nodes)
        for (const auto& path : node->paths)
            if (path->target && (camera_change ? path->target_camera != nullptr
                                               : path->has_animation && !path->target_camera)) {
                *source = node.get();
                return path.get();
            }
    return nullptr;
}

// Appends the route from the last node of `route` to `to`, without repeating the joint.
void extend_route(std::vector<const tw::c_scene_path_node*>& route,
                  const tw::c_scene_path_node* to) {
    auto leg = tw_test::find_route(route.back(), to);
    ASSERT_FALSE(leg.empty()) << "no route to " << to->name;
    route.insert(route.end(), leg.begin() + 1, leg.end());
}

class sample_walk : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = fs::current_path();
        fs::current_path(TW_CONTENT_DIR);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(k_window_w, k_window_h);
        platform.update_screen_size(k_window_w, k_window_h);
    }
    void TearDown() override { fs::current_path(old_dir_); }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};

private:
    fs::path old_dir_;
};

TEST_F(sample_walk, larva_is_dragged_across_the_camera_change_and_over_the_hop) {
    tw_test::c_sample_walk walk;
    ASSERT_TRUE(walk.enter(platform));
    while (platform.load_next_queued()) {
    }
    tw::c_scene& scene = walk.scene;
    ASSERT_TRUE(scene.character);
    ASSERT_TRUE(scene.character->anim.root) << "the larva's animation did not load";

    const tw::c_scene_path_node* cross_from = nullptr;
    const tw::c_scene_path_node* hop_from = nullptr;
    const auto* cross = find_path(scene, true, &cross_from);
    const auto* hop = find_path(scene, false, &hop_from);
    ASSERT_TRUE(cross && hop) << "the sample scene needs a camera change and an animated path";

    // Start, across the camera change, to the hop, over it and one node beyond when there is one.
    std::vector<const tw::c_scene_path_node*> route{scene.path_nodes.front().get()};
    extend_route(route, cross_from);
    if (route.back() != cross->target) route.push_back(cross->target);
    extend_route(route, hop_from);
    route.push_back(hop->target);
    for (const auto& path : hop->target->paths)
        if (path->target && path->target != hop_from && !path->has_animation) {
            route.push_back(path->target);
            break;
        }
    tw_test::c_route_player player(route);

    const tw::c_anim_graph* hop_graph = scene.character->anim.find_graph(hop->animation_name);
    ASSERT_TRUE(hop_graph) << "the larva has no graph " << hop->animation_name;
    int hop_frames = 0;
    bool hop_time_steady = true;
    uint16_t last_hop_time = 0;
    bool camera_changed = false;
    int tick = 0;
    for (; tick < k_tick_limit && !player.done; ++tick) {
        int px = 0, py = 0;
        bool button = false;
        player.step(platform, scene, px, py, button);
        window.queue_mouse_position(px, py);
        window.queue_mouse_button(0, button ? tw::k_action_press : tw::k_action_release);
        window.swap_buffers();
        tw::c_mouse_event event;
        if (platform.take_mouse_event(event)) walk.mouse(platform, event.kind, event.dx, event.dy);
        walk.tick(platform);
        device.calls.clear();
        walk.draw(platform);
        ASSERT_FALSE(device.calls.empty()) << "tick " << tick << " drew nothing";

        const tw::c_scene_character& larva = *scene.character;
        // Entering the hop starts its graph at time 0; each following frame advances it.
        if (larva.path == hop && larva.state == tw::k_character_automatic) {
            ASSERT_EQ(larva.graph, hop_graph);
            if (larva.time != 0) {
                if (larva.time != uint16_t(last_hop_time + hop->animtion_speed))
                    hop_time_steady = false;
                ++hop_frames;
            }
            last_hop_time = larva.time;
        }
        if (larva.path == cross && !camera_changed) {
            camera_changed = true;
            EXPECT_FALSE(larva.dragging) << "the camera change must drop the drag";
            EXPECT_EQ(scene.view.target_position.x, cross->target_camera->position.x);
            EXPECT_EQ(scene.view.target_zoom, cross->target_camera->scene_width);
        }
    }
    ASSERT_TRUE(player.done) << "the larva did not reach " << route.back()->name << " in "
                             << k_tick_limit << " ticks";
    EXPECT_TRUE(camera_changed);
    EXPECT_GE(player.grabs, 2) << "the larva must be grabbed again after the camera change";
    EXPECT_EQ(hop_frames, k_hop_frames);
    EXPECT_TRUE(hop_time_steady) << "the hop graph must advance by the path's speed every frame";
    // The view glides to the second camera and settles there.
    for (int settle = 0; settle < k_settle_ticks; ++settle) walk.tick(platform);
    const tw::c_scene_camera& second = *cross->target_camera;
    EXPECT_NEAR(scene.view.position.x, second.position.x, k_camera_settle_distance);
    EXPECT_NEAR(scene.view.position.y, second.position.y, k_camera_settle_distance);
    std::printf("walked %zu nodes in %d ticks with %d grabs\n", route.size(), tick, player.grabs);
}

}  // namespace
