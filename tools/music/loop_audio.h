// Turning a rendered three-pass performance into one seamless, level-matched loop.
#pragma once
#include <cstdint>

#include "common/wav.h"
#include "music/score.h"

namespace tw {

// Loudness and ceiling every music loop is brought to.
constexpr double k_music_rms_dbfs = -20.0;
constexpr double k_music_peak_dbfs = -1.0;
// Length of the blend at the loop's start that makes the wrap sample-exact.
constexpr double k_seam_blend_seconds = 0.05;

// Frames in one pass of the score at the sample rate: the exact pass length
// from the MIDI tempo and the loop's ticks, rounded once to whole frames.
int64_t pass_frames(const c_score& score, int sample_rate);

// Keeps frames [pass, 2 * pass) of a render that holds at least 2 * pass +
// blend frames; the first blend frames fade from what follows the kept audio
// (the start of the third pass) into the second pass, so the frame after the
// loop's last one is exactly its first. False if the render is too short.
bool cut_middle_pass(const tw_tools::c_sound_buffer& render, int64_t pass, int64_t blend,
                     tw_tools::c_sound_buffer& loop);

struct c_level {
    double rms = 0;   // over all samples of all channels
    double peak = 0;  // largest magnitude
};

// Root mean square and peak of the buffer's samples.
c_level measure_level(const tw_tools::c_sound_buffer& sound);

// Scales the buffer to rms_dbfs, or less if that would put the peak above
// peak_dbfs: one gain for the whole buffer, so nothing clips and the loop
// stays seamless. Returns the gain; 0 (buffer untouched) for silence.
double normalise_level(tw_tools::c_sound_buffer& sound, double rms_dbfs, double peak_dbfs);

}  // namespace tw
