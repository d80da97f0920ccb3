// The live camera: glide, pan clamping, zoom limits, camera regions, and the
// window-to-scene and scene-to-UI mappings.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "scene/scene_camera.h"
#include "scene/scene_view.h"
#include "test_view_headless.h"

namespace {

using tw::c_scene_camera;
using tw::c_scene_view;
using tw::vec3;

TEST(view_update, glides_to_a_distant_target_overshooting_slightly_then_settles) {
    c_scene_view view;
    view.target_position = vec3{1000, 0, 0};
    view.update();
    EXPECT_FLOAT_EQ(view.position.x, 0.1f);  // damped velocity first, then the pull
    float furthest = 0;
    for (int frame = 0; frame < 3000; ++frame) {
        view.update();
        furthest = std::max(furthest, view.position.x);
    }
    EXPECT_GT(furthest, 1005.0f);
    EXPECT_LT(furthest, 1060.0f);
    EXPECT_NEAR(view.position.x, 1000.0f, 0.5f);
}

TEST(view_pan, moves_with_the_pointer_only_within_the_room_the_zoom_leaves) {
    tw_test::c_scene_test_platform screen(2048, 1024);
    c_scene_view view;
    view.pan_by_pixels(screen.platform, 300, -200);  // zoom = limit: no room
    EXPECT_FLOAT_EQ(view.pan.x, 0);
    EXPECT_FLOAT_EQ(view.pan.y, 0);
    view.zoom = 2048;  // two scene units a pixel; room 2048 across, 1024 up and down
    view.pan_by_pixels(screen.platform, 100, 100);
    EXPECT_FLOAT_EQ(view.pan.x, -200);
    EXPECT_FLOAT_EQ(view.pan.y, 200);
    view.pan_by_pixels(screen.platform, -5000, 5000);
    EXPECT_FLOAT_EQ(view.pan.x, 2048);
    EXPECT_FLOAT_EQ(view.pan.y, 1024);
    // A path into a wider camera raises the zoom past the limit: still no room.
    view.target_zoom = 6000;
    for (int frame = 0; frame < 200; ++frame) view.update();
    EXPECT_FLOAT_EQ(view.pan.x, 0);
    EXPECT_FLOAT_EQ(view.pan.y, 0);
}

TEST(view_zoom_target, is_clamped_between_long_side_times_limit_over_2048_and_the_limit) {
    tw_test::c_scene_test_platform screen(1024, 768);
    c_scene_view view;
    for (const auto& [request, target] : {std::pair{100.f, 2048.f}, std::pair{2047.f, 2048.f},
                                          std::pair{3000.f, 3000.f}, std::pair{9000.f, 4096.f}}) {
        view.set_zoom_target(screen.platform, request);
        EXPECT_FLOAT_EQ(view.target_zoom, target) << request;
    }
}

struct c_pointer_case {
    const char* name;
    int width, height, mouse_x, mouse_y;
    float x, y;  // expected offset from the eye, in units of the zoom
};

class view_screen_to_scene : public testing::TestWithParam<c_pointer_case> {};

TEST_P(view_screen_to_scene, follows_the_scene_projection) {
    const c_pointer_case& c = GetParam();
    tw_test::c_scene_test_platform screen(c.width, c.height);
    screen.point_at(c.mouse_x, c.mouse_y);
    c_scene_view view;
    view.position = vec3{100, 200, 0};
    view.pan = vec3{30, -10, 0};
    view.zoom = 1000;
    const tw::vec2 p = view.screen_to_scene(screen.platform);
    EXPECT_NEAR(p.x, 130 + c.x * 1000, 1e-3);
    EXPECT_NEAR(p.y, 190 + c.y * 1000, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    windows, view_screen_to_scene,
    testing::Values(c_pointer_case{"centre_is_the_eye", 1280, 720, 640, 360, 0, 0},
                    c_pointer_case{"top_of_a_narrow_window", 1280, 720, 640, 0, 0, 0.5625f},
                    c_pointer_case{"right_of_a_2_to_1_window", 1600, 800, 1600, 400, 1, 0},
                    // Past 2:1 the height spans the zoom, so the band runs on past the sides.
                    c_pointer_case{"right_of_a_wider_window", 2000, 800, 2000, 400, 1.25f, 0},
                    c_pointer_case{"no_size_yet_gives_the_eye", 0, 0, 0, 0, 0, 0}),
    [](const testing::TestParamInfo<c_pointer_case>& info) { return info.param.name; });

TEST(view_scene_to_ui, agrees_with_the_platforms_ui_mapping_of_the_pointer) {
    for (const auto& [w, h] : {std::pair{1920, 1080}, std::pair{2560, 1080}, std::pair{800, 1200}}) {
        tw_test::c_scene_test_platform screen(w, h);
        c_scene_view view;
        view.position = vec3{-700, 300, 0};
        view.pan = vec3{40, 20, 0};
        view.zoom = 3000;
        for (const auto& [x, y] : {std::pair{w * 3 / 4, h / 4}, std::pair{0, h}}) {
            screen.point_at(x, y);
            const tw::vec2 scene = view.screen_to_scene(screen.platform);
            const tw::vec2 ui = view.scene_to_ui(screen.platform, scene.x, scene.y);
            EXPECT_NEAR(ui.x, screen.platform.screen_to_view().x, 0.05f) << w << "x" << h;
            EXPECT_NEAR(ui.y, screen.platform.screen_to_view().y, 0.05f) << w << "x" << h;
        }
    }
}

TEST(camera_containing, takes_the_first_camera_whose_region_holds_the_point_strictly) {
    tw::c_scene_camera_list cameras;
    cameras.push_back(std::make_unique<c_scene_camera>(c_scene_camera{{0, 0, 0}, 1000, "a"}));
    cameras.push_back(std::make_unique<c_scene_camera>(c_scene_camera{{1500, 0, 0}, 1000, "b"}));
    EXPECT_EQ(camera_containing(cameras, 800, 0), cameras[0].get());  // both hold it
    EXPECT_EQ(camera_containing(cameras, 1000, 0), cameras[1].get());  // edge of a
    EXPECT_EQ(camera_containing(cameras, 0, 500), nullptr);
}

}  // namespace
