// Frame pacing without vsync, and the shared random generator's sequence.
#include <gtest/gtest.h>

#include "platform/frame_pacer.h"
#include "platform/random.h"

using namespace tw;

TEST(frame_pacer, early_swaps_sleep_out_the_rest_of_the_frame) {
    c_frame_pacer pacer(0.016);
    EXPECT_DOUBLE_EQ(pacer.sleep_after_swap(1.000), 0.0);      // first frame sets the schedule
    EXPECT_NEAR(pacer.sleep_after_swap(1.002), 0.014, 1e-9);   // swap returned at once
    EXPECT_NEAR(pacer.sleep_after_swap(1.0205), 0.0115, 1e-9); // next slot is 1.032
}

TEST(frame_pacer, waiting_swaps_and_late_frames_need_no_sleep) {
    c_frame_pacer pacer(0.016);
    pacer.sleep_after_swap(1.0);
    EXPECT_DOUBLE_EQ(pacer.sleep_after_swap(1.0161), 0.0);  // vsync already waited
    EXPECT_DOUBLE_EQ(pacer.sleep_after_swap(1.1), 0.0);     // a slow frame
    EXPECT_NEAR(pacer.sleep_after_swap(1.101), 0.015, 1e-9);  // schedule restarts from it
    EXPECT_DOUBLE_EQ(pacer.sleep_after_swap(0.5), 0.0);     // the clock went back
}

TEST(shared_random, follows_the_linear_congruential_sequence) {
    tw::srand(1);
    EXPECT_EQ(tw::rand(), 41);
    EXPECT_EQ(tw::rand(), 18467);
    EXPECT_EQ(tw::rand(), 6334);
    tw::srand(1337);
    const int expected[] = {4404, 25954, 17763, 29679, 4113};
    for (int value : expected) EXPECT_EQ(tw::rand(), value);
    tw::srand(0xffffffffu);
    for (int i = 0; i < 1000; ++i) {
        int r = tw::rand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, k_rand_max);
    }
}
