// Tests of the vector helpers, transform arithmetic and camera matrices.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/math.h"

namespace tw {
namespace {

constexpr float k_pi = 3.14159265358979f;
constexpr float k_tolerance = 1e-5f;

void expect_rotation(const c_transform& t, float angle) {
    const float expected[9] = {std::cos(angle), std::sin(angle), 0, -std::sin(angle),
                               std::cos(angle), 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(t.m[i], expected[i], k_tolerance) << "m" << i;
}

// Column-major 4x4 times (x, y, z, 1).
void apply_4x4(const float m[16], const float in[3], float out[4]) {
    for (int row = 0; row < 4; ++row) {
        out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row];
    }
}

struct normalize_case {
    vec2 in;
    vec2 expected;
};

TEST(math_vectors, vec2_normalize_gives_unit_length_and_zero_becomes_x_axis) {
    const normalize_case cases[] = {
        {{0, 0}, {1, 0}},
        {{0, -3}, {0, -1}},
        {{3, 4}, {0.6f, 0.8f}},
        {{-2, 0}, {-1, 0}},
    };
    for (const normalize_case& c : cases) {
        vec2 v = c.in;
        vec2_normalize(v);
        EXPECT_NEAR(v.x, c.expected.x, k_tolerance);
        EXPECT_NEAR(v.y, c.expected.y, k_tolerance);
    }
}

TEST(math_vectors, vec3_normalize_gives_unit_length_and_zero_becomes_x_axis) {
    vec3 zero{0, 0, 0};
    vec3_normalize(zero);
    EXPECT_EQ(zero.x, 1);
    EXPECT_EQ(zero.y, 0);
    EXPECT_EQ(zero.z, 0);

    vec3 v{0, 3, -4};
    vec3_normalize(v);
    EXPECT_NEAR(v.y, 0.6f, k_tolerance);
    EXPECT_NEAR(v.z, -0.8f, k_tolerance);
}

struct signed_angle_case {
    vec2 a, b;
    float expected;
};

TEST(math_vectors, signed_angle_is_counter_clockwise_positive_and_ties_give_negative) {
    const float diagonal = std::sqrt(0.5f);
    const signed_angle_case cases[] = {
        {{1, 0}, {0, 1}, k_pi / 2},
        {{1, 0}, {0, -1}, -k_pi / 2},
        {{1, 0}, {-1, 0}, -k_pi},
        {{0, 1}, {-1, 0}, k_pi / 2},
        {{-1, 0}, {0, 1}, -k_pi / 2},
        {{1, 0}, {diagonal, -diagonal}, -k_pi / 4},
        {{0, -1}, {diagonal, -diagonal}, k_pi / 4},
    };
    for (const signed_angle_case& c : cases) {
        EXPECT_NEAR(vec2_signed_angle(c.a, c.b), c.expected, 1e-4f)
            << "(" << c.a.x << "," << c.a.y << ") to (" << c.b.x << "," << c.b.y << ")";
    }
}

TEST(math_vectors, signed_angle_of_parallel_vectors_is_zero_even_past_rounding) {
    EXPECT_EQ(vec2_signed_angle({1, 0}, {1, 0}), 0.0f);
    // A normalised vector whose float dot product with itself rounds above one.
    vec2 a{11 * 0.37f, 1};
    vec2_normalize(a);
    ASSERT_GT(a.x * a.x + a.y * a.y, 1.0f);
    const float angle = vec2_signed_angle(a, a);
    EXPECT_FALSE(std::isnan(angle));
    EXPECT_NEAR(angle, 0, 1e-3f);
}

TEST(math_transform, set_angle_and_rotate_keep_translation) {
    c_transform t;
    t.tx = 3;
    t.ty = 4;
    transform_set_angle(t, k_pi / 2);
    EXPECT_EQ(t.tx, 3);
    EXPECT_EQ(t.ty, 4);
    EXPECT_FLOAT_EQ(t.angle, k_pi / 2);
    expect_rotation(t, k_pi / 2);

    transform_rotate(t, 0.25f);
    EXPECT_FLOAT_EQ(t.angle, k_pi / 2 + 0.25f);
    expect_rotation(t, k_pi / 2 + 0.25f);
    EXPECT_EQ(t.tx, 3);
}

TEST(math_transform, compose_places_child_in_rotated_parent_space) {
    c_transform parent;
    transform_set_angle(parent, k_pi / 2);
    parent.tx = 5;
    parent.ty = 5;
    parent.tz = 2;
    c_transform child;
    child.tx = 10;
    child.tz = 3;

    const c_transform r = transform_compose(child, parent);
    EXPECT_NEAR(r.tx, 5, 1e-4f);
    EXPECT_NEAR(r.ty, 15, 1e-4f);
    EXPECT_NEAR(r.tz, 5, 1e-4f);
    EXPECT_FLOAT_EQ(r.angle, k_pi / 2);
    expect_rotation(r, k_pi / 2);

    c_transform in_place = parent;
    transform_apply_parent(child, in_place);
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(in_place.m[i], r.m[i]);
    EXPECT_FLOAT_EQ(in_place.tx, r.tx);
    EXPECT_FLOAT_EQ(in_place.ty, r.ty);
    EXPECT_FLOAT_EQ(in_place.angle, r.angle);
}

TEST(math_transform, matrix_multiply_uses_triple_layout) {
    // a scales x by 2; b maps axis 0 to axis 1 (a quarter turn).
    const float a[9] = {2, 0, 0, 0, 1, 0, 0, 0, 1};
    const float b[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
    float ab[9];
    matrix_multiply(a, b, ab);
    // A*B sends axis 0 to A*(0,1,0) = (0,1,0), axis 1 to A*(-1,0,0) = (-2,0,0).
    const float expected[9] = {0, 1, 0, -2, 0, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) EXPECT_FLOAT_EQ(ab[i], expected[i]) << "m" << i;
}

TEST(math_transform, lerp_interpolates_translation_and_angle_without_wrapping) {
    c_transform a;
    a.tx = 2;
    a.ty = -4;
    a.tz = 1;
    c_transform b;
    transform_set_angle(b, 3);
    b.tx = 4;
    b.ty = 4;
    b.tz = 3;
    const c_transform half = transform_lerp(a, b, 0.5f);
    EXPECT_FLOAT_EQ(half.angle, 1.5f);
    expect_rotation(half, 1.5f);
    EXPECT_FLOAT_EQ(half.tx, 3);
    EXPECT_FLOAT_EQ(half.ty, 0);
    EXPECT_FLOAT_EQ(half.tz, 2);

    c_transform from;
    transform_set_angle(from, 3);
    c_transform to;
    transform_set_angle(to, -3);
    const c_transform middle = transform_lerp(from, to, 0.5f);
    EXPECT_NEAR(middle.angle, 0, k_tolerance);
    expect_rotation(middle, 0);
    EXPECT_FLOAT_EQ(transform_lerp(from, to, 0.25f).angle, 1.5f);
}

struct hit_case {
    vec2 p;
    bool expected;
};

TEST(math_transform, hit_test_uses_rotated_rectangle_and_radius_strictly) {
    c_transform t;
    t.tx = 10;
    t.ty = 20;
    t.tz = 99;  // depth plays no part
    transform_set_angle(t, k_pi / 2);
    // Half sizes 4 along the local x axis (world y) and 1 along local y (world x).
    const hit_case cases[] = {
        {{10, 23}, true},
        {{10, 17}, true},
        {{12, 20}, false},  // beyond the half height 1 across
        {{10, 24}, false},  // on the edge along the width
        {{10.5f, 20}, true},
        {{10, 20}, true},
    };
    for (const hit_case& c : cases) {
        EXPECT_EQ(transform_hit_test(c.p, t, 4, 1, 100), c.expected) << c.p.x << "," << c.p.y;
    }
    // The radius test is strict too: distance 3 against c = 9 misses.
    EXPECT_FALSE(transform_hit_test({10, 23}, t, 4, 1, 9));
    EXPECT_TRUE(transform_hit_test({10, 23}, t, 4, 1, 9.01f));

    c_transform unrotated;
    EXPECT_FALSE(transform_hit_test({2, 0}, unrotated, 2, 2, 100));
    EXPECT_FALSE(transform_hit_test({0, -2}, unrotated, 2, 2, 100));
    EXPECT_TRUE(transform_hit_test({1.99f, -1.99f}, unrotated, 2, 2, 100));
}

TEST(math_camera, ortho_matches_hand_computed_matrix) {
    float m[16];
    ortho(0, 800, 0, 600, -10, 10, m);
    const float expected[16] = {2.0f / 800, 0, 0, 0, 0, 2.0f / 600, 0, 0,
                                0,          0, -0.1f, 0, -1, -1, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-6f) << i;
}

TEST(math_camera, point_through_look_at_from_behind_then_ortho) {
    // The camera looks down +z from z = -128, so world x appears mirrored.
    const float cx = 400, cy = 300;
    float view[16];
    look_at({cx, cy, -128}, {cx, cy, 0}, {0, 1, 0}, view);
    float projection[16];
    ortho(-400, 400, -300, 300, 1, 1000, projection);

    const float world[3] = {cx + 100, cy + 150, 0};
    float eye_space[4];
    apply_4x4(view, world, eye_space);
    EXPECT_NEAR(eye_space[0], -100, 1e-3f);
    EXPECT_NEAR(eye_space[1], 150, 1e-3f);
    EXPECT_NEAR(eye_space[2], -128, 1e-3f);
    EXPECT_NEAR(eye_space[3], 1, k_tolerance);

    float clip[4];
    apply_4x4(projection, eye_space, clip);
    EXPECT_NEAR(clip[0], -0.25f, k_tolerance);
    EXPECT_NEAR(clip[1], 0.5f, k_tolerance);
    // -2/999 * -128 - 1001/999
    EXPECT_NEAR(clip[2], (256.0f - 1001.0f) / 999.0f, k_tolerance);
}

}  // namespace
}  // namespace tw
