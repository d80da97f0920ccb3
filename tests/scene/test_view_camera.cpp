// The live camera: glide and zoom easing, pan clamping, zoom limits, camera
// presets and regions, and the window-to-scene and scene-to-UI mappings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
    view.update();
    EXPECT_NEAR(view.position.x, 0.1f + 0.1f * 0.985f + 999.9f * 0.0001f, 1e-5);

    float furthest = 0;
    for (int frame = 0; frame < 3000; ++frame) {
        view.update();
        furthest = std::max(furthest, view.position.x);
    }
    EXPECT_GT(furthest, 1005.0f);
    EXPECT_LT(furthest, 1060.0f);
    EXPECT_NEAR(view.position.x, 1000.0f, 0.5f);
    EXPECT_FLOAT_EQ(view.position.y, 0.0f);
}

TEST(view_update, eases_the_zoom_by_a_hundredth_of_the_gap) {
    c_scene_view view;
    view.target_zoom = 2048;
    view.update();
    EXPECT_FLOAT_EQ(view.zoom, 4096 - 20.48f);
    for (int frame = 0; frame < 1000; ++frame) view.update();
    EXPECT_NEAR(view.zoom, 2048.0f, 1.0f);
}

TEST(view_pan, has_no_room_when_the_zoom_equals_the_limit) {
    tw_test::c_scene_test_platform screen;
    c_scene_view view;
    view.pan_by_pixels(screen.platform, 300, -200);
    EXPECT_FLOAT_EQ(view.pan.x, 0);
    EXPECT_FLOAT_EQ(view.pan.y, 0);
}

TEST(view_pan, moves_the_picture_with_the_pointer_inside_the_room_the_zoom_leaves) {
    tw_test::c_scene_test_platform screen(2048, 1024);
    c_scene_view view;
    view.zoom = 2048;  // one pixel is two scene units; room 2048 across, 1024 up and down
    view.pan_by_pixels(screen.platform, 100, 100);
    EXPECT_FLOAT_EQ(view.pan.x, -200);
    EXPECT_FLOAT_EQ(view.pan.y, 200);
    view.pan_by_pixels(screen.platform, -5000, 5000);
    EXPECT_FLOAT_EQ(view.pan.x, 2048);
    EXPECT_FLOAT_EQ(view.pan.y, 1024);
}

TEST(view_pan, stays_centred_while_the_zoom_is_wider_than_the_limit) {
    // A path into a wider camera raises the target zoom but not the limit.
    c_scene_view view;
    view.pan = vec3{50, 50, 0};
    view.target_zoom = 6000;
    for (int frame = 0; frame < 10; ++frame) view.update();
    EXPECT_GT(view.zoom, view.limit);
    EXPECT_FLOAT_EQ(view.pan.x, 0);
    EXPECT_FLOAT_EQ(view.pan.y, 0);
}

struct c_zoom_case {
    float request;
    float target;
};

class view_zoom_target : public testing::TestWithParam<c_zoom_case> {};

TEST_P(view_zoom_target, is_clamped_between_half_the_limit_and_the_limit_on_a_1024_window) {
    tw_test::c_scene_test_platform screen(1024, 768);
    c_scene_view view;
    view.set_zoom_target(screen.platform, GetParam().request);
    EXPECT_FLOAT_EQ(view.target_zoom, GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(requests, view_zoom_target,
                         testing::Values(c_zoom_case{100, 2048}, c_zoom_case{2047, 2048},
                                         c_zoom_case{2048, 2048}, c_zoom_case{3000, 3000},
                                         c_zoom_case{4096, 4096}, c_zoom_case{9000, 4096}));

TEST(view_zoom_target, gives_the_limit_when_the_window_is_too_large_to_zoom_in) {
    tw_test::c_scene_test_platform screen(2560, 1440);
    c_scene_view view;
    view.set_zoom_target(screen.platform, 1000);
    EXPECT_FLOAT_EQ(view.target_zoom, 4096);
}

struct c_pointer_case {
    const char* name;
    int width, height;
    int mouse_x, mouse_y;
    float x, y;  // expected offset from the eye, in units of the zoom
};

class view_screen_to_scene : public testing::TestWithParam<c_pointer_case> {};

TEST_P(view_screen_to_scene, divides_pixel_offsets_by_the_long_side) {
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
                    c_pointer_case{"right_edge_of_a_narrow_window", 1280, 720, 1280, 360, 1, 0},
                    c_pointer_case{"top_edge_of_a_narrow_window", 1280, 720, 640, 0, 0, 0.5625f},
                    c_pointer_case{"right_edge_of_a_wide_window", 2000, 800, 2000, 400, 1, 0},
                    c_pointer_case{"bottom_edge_of_a_wide_window", 2000, 800, 1000, 800, 0, -0.4f}),
    [](const testing::TestParamInfo<c_pointer_case>& info) { return info.param.name; });

TEST(view_screen_to_scene, gives_the_eye_before_the_window_has_a_size) {
    tw_test::c_scene_test_platform screen;
    screen.platform.width = screen.platform.height = 0;
    screen.platform.short_side = screen.platform.long_side = 0;
    screen.point_at(0, 0);
    c_scene_view view;
    view.position = vec3{5, 6, 0};
    const tw::vec2 p = view.screen_to_scene(screen.platform);
    EXPECT_FLOAT_EQ(p.x, 5);
    EXPECT_FLOAT_EQ(p.y, 6);
}

TEST(view_scene_to_ui, agrees_with_the_platforms_ui_mapping_of_the_pointer) {
    tw_test::c_scene_test_platform screen(1920, 1080);
    c_scene_view view;
    view.position = vec3{-700, 300, 0};
    view.pan = vec3{40, 20, 0};
    view.zoom = 3000;
    for (const auto& [x, y] : {std::pair{1500, 300}, std::pair{0, 1080}, std::pair{960, 540}}) {
        screen.point_at(x, y);
        const tw::vec2 scene = view.screen_to_scene(screen.platform);
        const tw::vec2 ui = view.scene_to_ui(screen.platform, scene.x, scene.y);
        const tw::vec2 expected = screen.platform.screen_to_view();
        EXPECT_NEAR(ui.x, expected.x, 0.05f) << x << "," << y;
        EXPECT_NEAR(ui.y, expected.y, 0.05f) << x << "," << y;
    }
}

TEST(view_point_in_view, is_strict_and_ignores_the_pan) {
    c_scene_view view;
    view.position = vec3{1000, 0, 0};
    view.zoom = 2000;
    view.pan = vec3{1500, 0, 0};
    EXPECT_TRUE(view.point_in_view(2999, 999));
    EXPECT_FALSE(view.point_in_view(3000, 0));
    EXPECT_FALSE(view.point_in_view(1000, -1000));
    EXPECT_FALSE(view.point_in_view(4000, 0));  // only visible through the pan
}

TEST(view_set_camera, jumps_to_the_camera_and_keeps_the_velocity) {
    c_scene_camera camera{vec3{500, -200, 0}, 3000, "camera2"};
    c_scene_view view;
    view.pan = vec3{10, 20, 0};
    view.velocity = vec3{1, 2, 0};
    view.set_camera(camera);
    EXPECT_FLOAT_EQ(view.position.x, 500);
    EXPECT_FLOAT_EQ(view.target_position.y, -200);
    EXPECT_FLOAT_EQ(view.limit, 3000);
    EXPECT_FLOAT_EQ(view.zoom, 3000);
    EXPECT_FLOAT_EQ(view.target_zoom, 3000);
    EXPECT_FLOAT_EQ(view.pan.x, 0);
    EXPECT_FLOAT_EQ(view.pan.y, 0);
    EXPECT_FLOAT_EQ(view.velocity.y, 2);
}

TEST(camera_containing, takes_the_first_camera_whose_region_holds_the_point_strictly) {
    tw::c_scene_camera_list cameras;
    cameras.push_back(std::make_unique<c_scene_camera>(c_scene_camera{vec3{0, 0, 0}, 1000, "a"}));
    cameras.push_back(
        std::make_unique<c_scene_camera>(c_scene_camera{vec3{1500, 0, 0}, 1000, "b"}));
    EXPECT_EQ(camera_containing(cameras, 0, 0), cameras[0].get());
    EXPECT_EQ(camera_containing(cameras, 800, 0), cameras[0].get());  // both hold it
    EXPECT_EQ(camera_containing(cameras, 1000, 0), cameras[1].get());  // edge of a
    EXPECT_EQ(camera_containing(cameras, 0, 499), cameras[0].get());
    EXPECT_EQ(camera_containing(cameras, 0, 500), nullptr);
    EXPECT_EQ(camera_containing(cameras, -1000, 0), nullptr);
    EXPECT_EQ(camera_containing(tw::c_scene_camera_list{}, 0, 0), nullptr);
}

}  // namespace
