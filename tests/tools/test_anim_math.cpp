// The generator's motion maths: key times span the whole graph, waves with whole
// cycles repeat exactly over a loop, windows and easing start and end at rest.
#include <gtest/gtest.h>

#include <cmath>

#include "anim/anim_math.h"

namespace tw_tools {
namespace {

TEST(anim_key_times, span_zero_to_the_last_time_in_rising_order) {
    for (int intervals : {1, 3, 32, 97}) {
        SCOPED_TRACE(intervals);
        const std::vector<uint16_t> times = even_key_times(intervals);
        ASSERT_EQ(times.size(), size_t(intervals) + 1);
        EXPECT_EQ(times.front(), k_first_key);
        EXPECT_EQ(times.back(), k_last_key);
        for (size_t i = 1; i < times.size(); ++i) EXPECT_LT(times[i - 1], times[i]);
    }
}

TEST(anim_key_times, no_interval_still_gives_both_ends) {
    const std::vector<uint16_t> times = even_key_times(0);
    ASSERT_EQ(times.size(), 2u);
    EXPECT_EQ(times[0], 0);
    EXPECT_EQ(times[1], 65535);
    EXPECT_FLOAT_EQ(key_fraction(65535), 1.0f);
}

struct c_wave_case {
    int cycles;
    float offset;
};

TEST(anim_waves, whole_cycles_end_where_they_start) {
    const c_wave_case cases[] = {{1, 0}, {1, 0.14f}, {2, 0.05f}, {6, 0.7f}, {8, -0.25f}, {1, 0.84f}};
    for (const c_wave_case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cycles << " cycles, offset " << c.offset);
        EXPECT_NEAR(wave(0, c.cycles, c.offset), wave(1, c.cycles, c.offset), 1e-6f);
        EXPECT_NEAR(hump(0, c.cycles, c.offset), hump(1, c.cycles, c.offset), 1e-6f);
    }
}

TEST(anim_waves, hump_rests_for_half_a_cycle_and_peaks_at_one) {
    EXPECT_FLOAT_EQ(hump(0.25f, 1, 0), 1.0f);
    EXPECT_FLOAT_EQ(hump(0.75f, 1, 0), 0.0f);
    EXPECT_NEAR(wave(0.25f, 1, 0.25f), 0.0f, 1e-6f);
}

TEST(anim_easing, windows_and_curves_start_and_end_at_rest) {
    EXPECT_FLOAT_EQ(ease_in_out(0), 0);
    EXPECT_FLOAT_EQ(ease_in_out(0.5f), 0.5f);
    EXPECT_FLOAT_EQ(ease_in_out(1), 1);
    EXPECT_FLOAT_EQ(ease_in_out(2), 1);
    EXPECT_FLOAT_EQ(smoothstep(0.2f, 0.6f, 0.1f), 0);
    EXPECT_FLOAT_EQ(smoothstep(0.2f, 0.6f, 0.4f), 0.5f);
    EXPECT_FLOAT_EQ(envelope(0.0f, 0.1f, 0.3f, 0.6f, 0.9f), 0);
    EXPECT_FLOAT_EQ(envelope(0.45f, 0.1f, 0.3f, 0.6f, 0.9f), 1);
    EXPECT_FLOAT_EQ(envelope(1.0f, 0.1f, 0.3f, 0.6f, 0.9f), 0);
    // No jump at the window's corners.
    for (float corner : {0.1f, 0.3f, 0.6f, 0.9f}) {
        EXPECT_NEAR(envelope(corner - 1e-4f, 0.1f, 0.3f, 0.6f, 0.9f), envelope(corner + 1e-4f, 0.1f, 0.3f, 0.6f, 0.9f),
                    1e-3f);
    }
    EXPECT_FLOAT_EQ(arc_height(0, 150), 0);
    EXPECT_FLOAT_EQ(arc_height(0.5f, 150), 150);
    EXPECT_FLOAT_EQ(arc_height(1, 150), 0);
}

TEST(anim_geometry, rotation_about_a_hinge_turns_counter_clockwise) {
    const c_point p = rotate_about({3, 1}, {1, 1}, 3.14159265f / 2);
    EXPECT_NEAR(p.x, 1, 1e-5f);
    EXPECT_NEAR(p.y, 3, 1e-5f);
}

}  // namespace
}  // namespace tw_tools
