// Particle systems: burst particles that slow, fade and go, the ambient field's
// layout and its wrapping around the camera, and drawing in list order.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/random.h"
#include "scene/scene_particle.h"
#include "scene/scene_view.h"
#include "test_view_headless.h"

namespace {

using tw::c_scene_particle_dampen_and_fade;
using tw::vec3;

class burst : public testing::Test {
protected:
    void run(c_scene_particle_dampen_and_fade& system, int frames) {
        for (int i = 0; i < frames; ++i) system.update(screen_.platform, view_);
    }
    tw_test::c_scene_test_platform screen_;
    tw::c_scene_view view_;
};

TEST_F(burst, alpha_is_254_after_the_first_update_whatever_the_colours_alpha) {
    for (uint8_t alpha : {uint8_t(0), uint8_t(40), uint8_t(255)}) {
        c_scene_particle_dampen_and_fade system(nullptr, "level1", tw::c_rgba{200, 100, 50, alpha});
        system.emit(vec3{}, vec3{});
        EXPECT_EQ(system.particles[0]->buffer.colours[3].a, alpha);
        run(system, 1);
        for (int v = 0; v < 4; ++v) EXPECT_EQ(system.particles[0]->buffer.colours[v].a, 254);
        EXPECT_EQ(system.particles[0]->buffer.colours[0].r, 200);
    }
}

TEST_F(burst, a_particle_is_removed_on_its_256th_update_and_the_younger_stay_in_order) {
    c_scene_particle_dampen_and_fade system(nullptr, "level1", tw::c_rgba{});
    system.emit(vec3{1, 0, 0}, vec3{});
    run(system, 100);
    system.emit(vec3{2, 0, 0}, vec3{});
    system.emit(vec3{3, 0, 0}, vec3{});
    run(system, 155);
    ASSERT_EQ(system.particles.size(), 3u);
    EXPECT_EQ(system.particles[0]->buffer.colours[0].a, 0);
    run(system, 1);
    ASSERT_EQ(system.particles.size(), 2u);
    EXPECT_FLOAT_EQ(system.particles[0]->transform.tx, 2);
    EXPECT_FLOAT_EQ(system.particles[1]->transform.tx, 3);
    EXPECT_EQ(system.particles[0]->life, 99);
}

TEST_F(burst, travels_a_decelerating_line_of_at_most_500_units) {
    c_scene_particle_dampen_and_fade system(nullptr, "level1", tw::c_rgba{});
    system.emit(vec3{}, vec3{10, 0, 0});
    int done = 0;
    for (int n : {1, 10, 100, 255}) {
        run(system, n - done);
        done = n;
        const float expected = 10 * (1 - std::pow(0.98f, float(n))) / 0.02f;
        EXPECT_NEAR(system.particles[0]->transform.tx, expected, 1e-3f * expected) << n;
    }
    EXPECT_LT(system.particles[0]->transform.tx, 500);
}

TEST_F(burst, draws_each_particle_at_its_position_and_nothing_when_empty) {
    c_scene_particle_dampen_and_fade system(nullptr, "level1", tw::c_rgba{});
    run(system, 2);
    system.draw(screen_.platform);
    EXPECT_EQ(screen_.device.count(tw::e_render_call::draw_quads), 0);
    system.emit(vec3{10, 20, 0}, vec3{});
    system.emit(vec3{-30, 40, 0}, vec3{});
    system.draw(screen_.platform);
    const auto moves = screen_.device.calls_of(tw::e_render_call::translate);
    ASSERT_EQ(screen_.device.draws().size(), 2u);
    EXPECT_FLOAT_EQ(moves[0].values[0], 10);
    EXPECT_FLOAT_EQ(moves[1].values[0], -30);
    EXPECT_FLOAT_EQ(screen_.device.draws()[1].positions[1].x, 12);
}

TEST(ambient, lays_out_256_motes_in_the_box_sized_by_their_atlas_cell) {
    tw_test::c_scene_test_platform screen;
    tw::srand(1234);
    const float first_x = float(tw::rand()) * 8392 / 32767 - 4196;
    tw::srand(1234);
    tw::c_scene_particle_ambient field(screen.platform, "mote.bmp", "level1");
    ASSERT_EQ(field.particles.size(), 256u);
    EXPECT_NEAR(field.particles[0]->transform.tx, first_x, 1e-2);
    for (const auto& p : field.particles) {
        EXPECT_LE(std::fabs(p->transform.tx), 4196.0f);
        EXPECT_LE(std::fabs(p->transform.ty), 2148.0f);
        EXPECT_LE(std::fabs(p->velocity.y), 1.0f);
        const int cell = int(std::lround(p->buffer.uvs[0].x * 4 + p->buffer.uvs[0].y * 16));
        EXPECT_FLOAT_EQ(p->buffer.positions[1].x, 16 + 4 * float(cell));
        EXPECT_FLOAT_EQ(p->buffer.uvs[2].y - p->buffer.uvs[0].y, 0.25f);
    }
}

struct c_wrap_case {
    const char* name;
    float x, y;    // before the update; velocity is (0.5, 0.5)
    float wx, wy;  // after it
};

class ambient_wrap : public testing::TestWithParam<c_wrap_case> {};

TEST_P(ambient_wrap, keeps_motes_in_the_box_around_the_view_position) {
    tw_test::c_scene_test_platform screen;
    tw::c_scene_particle_ambient field(screen.platform, "mote.bmp", "level1");
    field.particles.resize(1);
    auto& p = *field.particles[0];
    p.transform.tx = GetParam().x;
    p.transform.ty = GetParam().y;
    p.velocity = vec3{0.5f, 0.5f, 0};
    tw::c_scene_view view;
    view.position = vec3{1000, -500, 0};
    view.pan = vec3{300, 300, 0};  // the pan does not move the box
    field.update(screen.platform, view);
    EXPECT_FLOAT_EQ(p.transform.tx, GetParam().wx);
    EXPECT_FLOAT_EQ(p.transform.ty, GetParam().wy);
}

INSTANTIATE_TEST_SUITE_P(
    cases, ambient_wrap,
    testing::Values(c_wrap_case{"on_the_right_edge", 5195.5f, 0, 5196, 0.5f},
                    c_wrap_case{"past_the_right_edge", 5196, 0, 5196.5f - 8392, 0.5f},
                    c_wrap_case{"past_the_left_edge", -3197, 0, -3196.5f + 8392, 0.5f},
                    c_wrap_case{"past_the_top", 0, 1648, 0.5f, 1648.5f - 4296},
                    c_wrap_case{"past_the_bottom", 0, -2649, 0.5f, -2648.5f + 4296}),
    [](const testing::TestParamInfo<c_wrap_case>& info) { return info.param.name; });

}  // namespace
