// Drawing and views against the recording device: material binding, the
// draw_quads call sequence, rectangles, thick lines, vertex buffers and the
// orthographic views checked by projecting world points to the screen.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace {

using tw::e_render_call;

class c_draw_test : public testing::Test {
protected:
    tw::c_window_headless window_;
    tw::c_render_device_recording device_;
    tw::c_platform platform_{window_, device_};
};

void expect_vec3(const tw::vec3& got, float x, float y, float z, const char* what) {
    EXPECT_FLOAT_EQ(got.x, x) << what;
    EXPECT_FLOAT_EQ(got.y, y) << what;
    EXPECT_FLOAT_EQ(got.z, z) << what;
}

TEST_F(c_draw_test, bind_material_binds_texture_name_and_blend_mode) {
    tw::c_texture texture;
    texture.name = 7;
    tw::c_material glow{&texture, 1};
    tw::c_material plain{&texture, 0};
    tw::c_material bare{nullptr, 1};

    platform_.bind_material(&glow);
    platform_.bind_material(&plain);
    platform_.bind_material(&bare);
    platform_.bind_material(nullptr);

    const auto binds = device_.calls_of(e_render_call::bind_texture);
    const auto blends = device_.calls_of(e_render_call::blend_function);
    ASSERT_EQ(binds.size(), 4u);
    ASSERT_EQ(blends.size(), 4u);
    const uint32_t names[] = {7, 7, 0, 0};
    const bool additive[] = {true, false, true, false};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(binds[i].texture, names[i]) << i;
        EXPECT_EQ(blends[i].additive, additive[i]) << i;
    }
}

TEST_F(c_draw_test, draw_quads_wraps_the_draw_in_transform_calls) {
    tw::c_vertex_buffer_quad buffer(8);
    buffer.set_quad_rect(-1, -2, 3, 4, 0);
    buffer.set_quad_rect(5, 6, 7, 8, 1);
    buffer.uvs[0] = tw::vec2{0.25f, 0.75f};
    buffer.colours[1] = tw::c_rgba{1, 2, 3, 4};
    platform_.set_vertex_buffer(&buffer);

    tw::c_transform t;
    tw::transform_set_angle(t, 0.5f);
    t.m[8] = 2.0f;  // a non-trivial third triple shows in the matrix
    t.tx = 10;
    t.ty = -20;
    t.tz = 30;
    tw::c_texture texture;
    texture.name = 3;
    tw::c_material material{&texture, 1};
    platform_.bind_material(&material);
    device_.calls.clear();
    platform_.draw_quads(t, 8);

    EXPECT_EQ(device_.kinds(),
              (std::vector<e_render_call>{e_render_call::push_modelview, e_render_call::translate,
                                          e_render_call::multiply_modelview,
                                          e_render_call::draw_quads,
                                          e_render_call::pop_modelview}));
    const auto& translate = device_.calls[1];
    EXPECT_FLOAT_EQ(translate.values[0], 10);
    EXPECT_FLOAT_EQ(translate.values[1], -20);
    EXPECT_FLOAT_EQ(translate.values[2], 30);
    const std::array<float, 16> expected = {t.m[0], t.m[1], t.m[2], 0, t.m[3], t.m[4],
                                            t.m[5], 0,      t.m[6], t.m[7], t.m[8], 0,
                                            0,      0,      0,      1};
    EXPECT_EQ(device_.calls[2].matrix, expected);

    // The device receives v as stored; flipping it is the device's job.
    const auto& draw = device_.calls[3];
    ASSERT_EQ(draw.positions.size(), 8u);
    EXPECT_FLOAT_EQ(draw.uvs[0].x, 0.25f);
    EXPECT_FLOAT_EQ(draw.uvs[0].y, 0.75f);
    EXPECT_EQ(draw.colours[1].r, 1);
    EXPECT_EQ(draw.colours[1].a, 4);
    expect_vec3(draw.positions[2], 3, 4, 0, "first quad corner");
    expect_vec3(draw.positions[6], 7, 8, 0, "second quad corner");
}

TEST_F(c_draw_test, draw_quads_clamps_count_and_skips_missing_buffer) {
    tw::c_transform t;
    platform_.draw_quads(t, 4);
    EXPECT_EQ(device_.count(e_render_call::draw_quads), 0);
    EXPECT_EQ(device_.count(e_render_call::push_modelview),
              device_.count(e_render_call::pop_modelview));

    tw::c_vertex_buffer_quad buffer(4);
    platform_.set_vertex_buffer(&buffer);
    platform_.draw_quads(t, 12);
    platform_.draw_quads(t, -4);
    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].positions.size(), 4u);
    EXPECT_EQ(device_.count(e_render_call::push_modelview), 3);
    EXPECT_EQ(device_.count(e_render_call::pop_modelview), 3);
}

TEST_F(c_draw_test, set_rect_lays_a_centred_white_rectangle) {
    tw::c_quad quad;
    quad.buffer.set_colour(10, 20, 30, 40);
    tw::c_material material;
    platform_.set_rect(quad, &material, 3, 2, 0.1f, 0.9f, 0.2f, 0.8f);

    EXPECT_EQ(quad.material, &material);
    const float positions[4][2] = {{-3, 2}, {3, 2}, {3, -2}, {-3, -2}};
    const float uvs[4][2] = {{0.1f, 0.2f}, {0.9f, 0.2f}, {0.9f, 0.8f}, {0.1f, 0.8f}};
    for (int i = 0; i < 4; ++i) {
        expect_vec3(quad.buffer.positions[i], positions[i][0], positions[i][1], 0, "corner");
        EXPECT_FLOAT_EQ(quad.buffer.uvs[i].x, uvs[i][0]) << i;
        EXPECT_FLOAT_EQ(quad.buffer.uvs[i].y, uvs[i][1]) << i;
        const tw::c_rgba& c = quad.buffer.colours[i];
        EXPECT_EQ(c.r + c.g + c.b + c.a, 4 * 255) << i;
    }
}

struct c_line_case {
    const char* name;
    float x0, y0, x1, y1, w;
    float expected[12][2];
};

void PrintTo(const c_line_case& c, std::ostream* os) { *os << c.name; }

class c_line_test : public testing::TestWithParam<c_line_case> {};

TEST_P(c_line_test, lays_caps_and_body_along_the_segment) {
    const c_line_case& c = GetParam();
    tw::c_vertex_buffer_line line;
    line.set_line(c.x0, c.y0, c.x1, c.y1, c.w);
    ASSERT_EQ(line.count, 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_NEAR(line.positions[i].x, c.expected[i][0], 1e-5f) << "vertex " << i;
        EXPECT_NEAR(line.positions[i].y, c.expected[i][1], 1e-5f) << "vertex " << i;
        EXPECT_FLOAT_EQ(line.positions[i].z, 0) << "vertex " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    draw, c_line_test,
    testing::Values(
        // d = (1, 0), n = (0, -2), f = (2, 0).
        c_line_case{"horizontal", 0, 0, 10, 0, 2,
                    {{-2, -2}, {0, -2}, {0, 2}, {-2, 2},
                     {0, -2}, {10, -2}, {10, 2}, {0, 2},
                     {10, -2}, {12, -2}, {12, 2}, {10, 2}}},
        // Coinciding points fall back to d = (1, 0): n = (0, -1), f = (1, 0).
        c_line_case{"degenerate", 5, 5, 5, 5, 1,
                    {{4, 4}, {5, 4}, {5, 6}, {4, 6},
                     {5, 4}, {5, 4}, {5, 6}, {5, 6},
                     {5, 4}, {6, 4}, {6, 6}, {5, 6}}},
        // d = (0, 1), n = (0.5, 0), f = (0, 0.5).
        c_line_case{"vertical", 1, 0, 1, 4, 0.5f,
                    {{1.5f, -0.5f}, {1.5f, 0}, {0.5f, 0}, {0.5f, -0.5f},
                     {1.5f, 0}, {1.5f, 4}, {0.5f, 4}, {0.5f, 0},
                     {1.5f, 4}, {1.5f, 4.5f}, {0.5f, 4.5f}, {0.5f, 4}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(c_vertex_buffer_line, has_fixed_cap_and_body_texture_coordinates) {
    tw::c_vertex_buffer_line line;
    line.set_line(0, 0, 3, 4, 1);
    const float uvs[12][2] = {{0, 0},     {0.5f, 0}, {0.5f, 1}, {0, 1},
                              {0.5f, 0}, {0.5f, 0}, {0.5f, 1}, {0.5f, 1},
                              {0.5f, 0}, {1, 0},    {1, 1},    {0.5f, 1}};
    for (int i = 0; i < 12; ++i) {
        EXPECT_FLOAT_EQ(line.uvs[i].x, uvs[i][0]) << i;
        EXPECT_FLOAT_EQ(line.uvs[i].y, uvs[i][1]) << i;
        EXPECT_EQ(line.colours[i].a, 255) << i;
    }
}

TEST(c_vertex_buffer_quad, copies_are_deep_and_never_overrun) {
    tw::c_vertex_buffer_quad a(8);
    a.set_quad_rect(1, 2, 3, 4, 1);
    a.set_colour(9, 8, 7, 6);
    a.set_alpha(100);
    tw::c_vertex_buffer_quad b(a);
    a.positions[4].x = 50;
    EXPECT_FLOAT_EQ(b.positions[4].x, 1);
    EXPECT_EQ(b.colours[7].r, 9);
    EXPECT_EQ(b.colours[7].a, 100);

    tw::c_vertex_buffer_quad small(4);
    small = a;
    EXPECT_EQ(small.count, 8);
    EXPECT_FLOAT_EQ(small.positions[4].x, 50);

    // Mismatched sizes copy only the shared vertices.
    tw::c_vertex_buffer_quad four(4);
    four.copy_from(a);
    EXPECT_EQ(four.count, 4);
    EXPECT_EQ(four.colours[3].g, 8);

    // A quad index past the end changes nothing.
    four.set_quad_rect(9, 9, 9, 9, 1);
    four.set_quad_rect(9, 9, 9, 9, -1);
    EXPECT_FLOAT_EQ(four.positions[0].x, 0);
}

// Column-major 4x4 times (x, y, z, 1).
std::array<float, 4> mat_times(const std::array<float, 16>& m, const std::array<float, 4>& p) {
    std::array<float, 4> out{};
    for (int row = 0; row < 4; ++row) {
        for (int k = 0; k < 4; ++k) out[row] += m[4 * k + row] * p[k];
    }
    return out;
}

struct c_view_case {
    const char* name;
    uint16_t width, height;
    bool long_side;
    float a;
    float left, right, top, bottom;  // expected world extent around the camera
};

void PrintTo(const c_view_case& c, std::ostream* os) { *os << c.name; }

class c_view_test : public c_draw_test, public testing::WithParamInterface<c_view_case> {};

// World corners of the expected extent land on the NDC corners, unmirrored,
// and the depth range -96..128 maps onto -1..1.
TEST_P(c_view_test, shows_the_expected_world_rectangle) {
    const c_view_case& c = GetParam();
    platform_.width = c.width;
    platform_.height = c.height;
    const float cx = 100, cy = -50;
    if (c.long_side) {
        platform_.set_view_long(c.a, cx, cy);
    } else {
        platform_.set_view_short(c.a, cx, cy);
    }
    const auto projection = device_.calls_of(e_render_call::load_projection);
    const auto modelview = device_.calls_of(e_render_call::load_modelview);
    ASSERT_EQ(projection.size(), 1u);
    ASSERT_EQ(modelview.size(), 1u);

    struct corner {
        float x, y, z, ndc_x, ndc_y;
    };
    const corner corners[] = {
        {cx + c.left, cy + c.bottom, 0, -1, -1},
        {cx + c.right, cy + c.top, 0, 1, 1},
        {cx + c.left, cy + c.top, 0, -1, 1},
        {cx, cy, 0, 0, 0},
    };
    for (const corner& p : corners) {
        const auto eye = mat_times(modelview[0].matrix, {p.x, p.y, p.z, 1});
        const auto clip = mat_times(projection[0].matrix, eye);
        EXPECT_NEAR(clip[0] / clip[3], p.ndc_x, 1e-4f) << p.x << "," << p.y;
        EXPECT_NEAR(clip[1] / clip[3], p.ndc_y, 1e-4f) << p.x << "," << p.y;
    }
    auto ndc_z = [&](float z) {
        return mat_times(projection[0].matrix, mat_times(modelview[0].matrix, {cx, cy, z, 1}))[2];
    };
    const float near_z = ndc_z(-96);
    const float far_z = ndc_z(128);
    EXPECT_NEAR(std::fabs(near_z), 1, 1e-4f);
    EXPECT_NEAR(std::fabs(far_z), 1, 1e-4f);
    EXPECT_NEAR(near_z, -far_z, 1e-4f);
}

INSTANTIATE_TEST_SUITE_P(
    draw, c_view_test,
    testing::Values(
        c_view_case{"short_1280x1024", 1280, 1024, false, 1024, -1280, 1280, 1024, -1024},
        // 1024 * 16/9 = 1820.44, truncated toward zero.
        c_view_case{"short_1920x1080", 1920, 1080, false, 1024, -1820, 1820, 1024, -1024},
        c_view_case{"long_1920x1080", 1920, 1080, true, 1024, -1024, 1024, 576, -576},
        c_view_case{"short_portrait", 1024, 1280, false, 1024, -1024, 1024, 1280, -1280},
        c_view_case{"long_portrait", 1024, 1280, true, 1024, -819, 819, 1024, -1024},
        // Before the first frame the size is 0: treated as square, not divided by zero.
        c_view_case{"short_unknown_size", 0, 0, false, 500, -500, 500, 500, -500},
        // Extents beyond 16 bits saturate instead of wrapping.
        c_view_case{"short_saturating", 1920, 1080, false, 30000, -32768, 32767, 30000,
                    -30000}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
