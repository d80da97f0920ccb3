// Cuts the middle pass out of a rendered performance and levels it.
#include "music/loop_audio.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

double db_to_gain(double db) { return std::pow(10.0, db / 20.0); }

}  // namespace

int64_t pass_frames(const c_score& score, int sample_rate) {
    // Whole numbers until the last step, so every boundary rounds the same way.
    const long double quarters = (long double)score.loop_ticks() / k_ticks_per_quarter;
    const long double seconds = quarters * score.tempo_microseconds() / 1e6L;
    return int64_t(std::llround(seconds * sample_rate));
}

bool cut_middle_pass(const tw_tools::c_sound_buffer& render, int64_t pass, int64_t blend,
                     tw_tools::c_sound_buffer& loop) {
    if (pass <= 0 || blend < 0 || blend > pass || int64_t(render.frames()) < 2 * pass + blend) return false;
    const size_t channels = size_t(render.channels);
    loop.channels = render.channels;
    loop.sample_rate = render.sample_rate;
    loop.samples.assign(render.samples.begin() + pass * int64_t(channels),
                        render.samples.begin() + 2 * pass * int64_t(channels));
    for (int64_t frame = 0; frame < blend; ++frame) {
        const float weight = float(frame) / float(blend);  // 0: all third pass, towards 1: all second
        for (size_t c = 0; c < channels; ++c) {
            const float second = loop.samples[size_t(frame) * channels + c];
            const float third = render.samples[size_t(2 * pass + frame) * channels + c];
            loop.samples[size_t(frame) * channels + c] = third + (second - third) * weight;
        }
    }
    return true;
}

c_level measure_level(const tw_tools::c_sound_buffer& sound) {
    c_level level;
    double sum = 0;
    for (float s : sound.samples) {
        sum += double(s) * s;
        level.peak = std::max(level.peak, double(std::fabs(s)));
    }
    if (!sound.samples.empty()) level.rms = std::sqrt(sum / double(sound.samples.size()));
    return level;
}

double normalise_level(tw_tools::c_sound_buffer& sound, double rms_dbfs, double peak_dbfs) {
    const c_level level = measure_level(sound);
    if (level.rms <= 0 || level.peak <= 0) return 0;
    const double gain = std::min(db_to_gain(rms_dbfs) / level.rms, db_to_gain(peak_dbfs) / level.peak);
    for (float& s : sound.samples) s = float(s * gain);
    return gain;
}

}  // namespace tw
