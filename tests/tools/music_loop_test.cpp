// The music tool's loop making: pass length in frames, the middle-pass cut with
// its seam blend, and levelling that reaches the target without clipping.
#include <gtest/gtest.h>

#include <cmath>

#include "music/loop_audio.h"

namespace tw {
namespace {

c_score score_with(double bpm, int beats, int value, int bars) {
    c_score score;
    score.tempo_bpm = bpm;
    score.meter_beats = beats;
    score.meter_value = value;
    score.bars = bars;
    return score;
}

TEST(music_loop, pass_length_comes_from_the_midi_tempo_and_bars) {
    const struct {
        double bpm;
        int beats, value, bars;
        int64_t frames;
    } cases[] = {
        {120, 4, 4, 1, 88200},       // 2 s
        {90, 3, 4, 32, 2822401},     // 96 x 666667 us = 64.000032 s
        {96, 6, 8, 32, 2646000},     // 96 quarters at 625000 us = 60 s
        {97, 4, 4, 1, 109113},       // 4 x 618557 us = 2.474228 s = 109113.45 frames, rounded
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pass_frames(score_with(c.bpm, c.beats, c.value, c.bars), tw_tools::k_sample_rate), c.frames) << c.bpm;
    }
}

// A stereo render whose frame i holds i on the left and -i on the right, scaled small.
tw_tools::c_sound_buffer ramp_render(int64_t frames) {
    tw_tools::c_sound_buffer render;
    render.channels = 2;
    for (int64_t i = 0; i < frames; ++i) {
        render.samples.push_back(float(i) * 1e-6f);
        render.samples.push_back(-float(i) * 1e-6f);
    }
    return render;
}

TEST(music_loop, the_middle_pass_is_kept_and_its_wrap_continues_the_render) {
    const int64_t pass = 1000, blend = 100;
    const tw_tools::c_sound_buffer render = ramp_render(3 * pass + 50);
    tw_tools::c_sound_buffer loop;
    ASSERT_TRUE(cut_middle_pass(render, pass, blend, loop));
    ASSERT_EQ(loop.frames(), size_t(pass));
    EXPECT_EQ(loop.channels, 2);
    // The loop's first frame is what followed its last frame in the render.
    EXPECT_FLOAT_EQ(loop.samples[0], render.samples[size_t(2 * pass) * 2]);
    EXPECT_FLOAT_EQ(loop.samples[1], render.samples[size_t(2 * pass) * 2 + 1]);
    // Halfway through the blend it is half each; after it, the second pass as rendered.
    EXPECT_NEAR(loop.samples[50 * 2], 0.5f * (render.samples[(1050) * 2] + render.samples[(2050) * 2]), 1e-6);
    for (int64_t frame = blend; frame < pass; ++frame) {
        ASSERT_EQ(loop.samples[size_t(frame) * 2], render.samples[size_t(pass + frame) * 2]) << frame;
    }
    EXPECT_EQ(loop.samples.back(), render.samples[size_t(2 * pass) * 2 - 1]);
}

TEST(music_loop, a_render_too_short_for_two_passes_and_the_blend_is_refused) {
    tw_tools::c_sound_buffer loop;
    EXPECT_FALSE(cut_middle_pass(ramp_render(2099), 1000, 100, loop));
    EXPECT_TRUE(cut_middle_pass(ramp_render(2100), 1000, 100, loop));
    EXPECT_FALSE(cut_middle_pass(ramp_render(5000), 0, 0, loop));
}

tw_tools::c_sound_buffer sine(double amplitude, int frames, double spike = 0) {
    tw_tools::c_sound_buffer sound;
    sound.channels = 1;
    for (int i = 0; i < frames; ++i) sound.samples.push_back(float(amplitude * std::sin(i * 0.05)));
    if (spike != 0) sound.samples[size_t(frames / 2)] = float(spike);
    return sound;
}

TEST(music_loop, levelling_reaches_the_target_rms_when_the_peak_allows) {
    for (double amplitude : {0.01, 0.3, 1.0}) {
        tw_tools::c_sound_buffer sound = sine(amplitude, 44100);
        EXPECT_GT(normalise_level(sound, -20.0, -1.0), 0.0);
        const c_level level = measure_level(sound);
        EXPECT_NEAR(20 * std::log10(level.rms), -20.0, 0.01) << amplitude;
        EXPECT_LT(level.peak, std::pow(10.0, -1.0 / 20));
    }
}

TEST(music_loop, levelling_holds_a_spiky_buffer_under_the_ceiling_without_clipping) {
    // A quiet tone with one full-scale spike: the target RMS would push the spike past full scale.
    tw_tools::c_sound_buffer sound = sine(0.05, 44100, 1.5);
    const float before_ratio = sound.samples[100] / sound.samples[size_t(44100 / 2)];
    normalise_level(sound, -20.0, -1.0);
    const c_level level = measure_level(sound);
    EXPECT_NEAR(20 * std::log10(level.peak), -1.0, 0.01);
    EXPECT_LT(20 * std::log10(level.rms), -20.0);
    // One gain for everything: the shape is untouched.
    EXPECT_FLOAT_EQ(sound.samples[100] / sound.samples[size_t(44100 / 2)], before_ratio);
}

TEST(music_loop, silence_is_left_alone_and_reported) {
    tw_tools::c_sound_buffer sound;
    sound.samples.assign(1000, 0.0f);
    EXPECT_EQ(normalise_level(sound, -20.0, -1.0), 0.0);
    EXPECT_EQ(measure_level(sound).peak, 0.0);
}

}  // namespace
}  // namespace tw
