// The effects tool's building blocks: band-limited oscillators, filters, the
// noise source, fades and level normalisation.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "sound/dsp.h"
#include "sound/synth.h"

namespace tw::sfx {
namespace {

// Magnitude of one frequency in a Hann-windowed stretch of samples, scaled so a
// full-scale sine reads about 1.
double magnitude_at(const std::vector<double>& samples, double hz) {
    double re = 0.0, im = 0.0, weight = 0.0;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double w = 0.5 - 0.5 * std::cos(k_two_pi * double(i) / double(samples.size()));
        re += w * samples[i] * std::cos(k_two_pi * hz * double(i) / k_rate);
        im += w * samples[i] * std::sin(k_two_pi * hz * double(i) / k_rate);
        weight += w;
    }
    return 2.0 * std::hypot(re, im) / weight;
}

std::vector<double> render(e_wave wave, double hz, size_t count) {
    c_oscillator oscillator(wave);
    std::vector<double> samples(count);
    for (double& s : samples) s = oscillator.next(hz);
    return samples;
}

double to_db(double ratio) { return 20.0 * std::log10(ratio); }

struct c_alias_case {
    e_wave wave;
    const char* name;
    double partial_hz;  // a true partial below Nyquist, to show the measurement sees partials
    double partial_ratio;  // its ideal level relative to the fundamental
    std::vector<double> alias_hz;  // where partials above Nyquist fold back to
};

TEST(sound_oscillator, a_5_khz_saw_and_square_fold_little_energy_back_below_nyquist) {
    // Partial k of 5 kHz folds to |k * 5000 - 44100 * round(k * 5000 / 44100)|: the
    // 8th to 4100 Hz and the 9th to 900 Hz, where a naive waveform has 1/k of the
    // fundamental (about -19 dB) and nothing masks it.
    const c_alias_case cases[] = {
        {e_wave::saw, "saw", 10000.0, 1.0 / 2.0, {900.0, 4100.0, 5900.0, 9100.0, 10900.0}},
        {e_wave::square, "square", 15000.0, 1.0 / 3.0, {900.0, 9100.0, 10900.0}},
    };
    for (const c_alias_case& test : cases) {
        SCOPED_TRACE(test.name);
        const std::vector<double> samples = render(test.wave, 5000.0, 8192);
        const double fundamental = magnitude_at(samples, 5000.0);
        // The smoothing dulls partials near Nyquist a little, but they are there.
        EXPECT_NEAR(to_db(magnitude_at(samples, test.partial_hz) / fundamental), to_db(test.partial_ratio), 4.0);
        for (double alias : test.alias_hz) {
            EXPECT_LT(to_db(magnitude_at(samples, alias) / fundamental), -30.0) << alias << " Hz";
        }
    }
}

TEST(sound_oscillator, every_wave_stays_within_full_scale_and_has_its_pitch) {
    for (e_wave wave : {e_wave::sine, e_wave::saw, e_wave::square, e_wave::triangle}) {
        const std::vector<double> samples = render(wave, 440.0, 16384);
        double peak = 0.0, sum = 0.0;
        for (double s : samples) {
            peak = std::max(peak, std::fabs(s));
            sum += s;
        }
        EXPECT_LT(peak, 1.2) << int(wave);
        EXPECT_GT(peak, 0.9) << int(wave);
        EXPECT_NEAR(sum / double(samples.size()), 0.0, 0.01) << int(wave) << " is off centre";
        EXPECT_GT(magnitude_at(samples, 440.0), 10.0 * magnitude_at(samples, 330.0)) << int(wave);
    }
}

struct c_filter_case {
    const char* name;
    double hz;
    double low_gain;  // expected steady gain at 100 Hz
    double high_gain;  // at 10 kHz
};

TEST(sound_filters, pass_and_stop_the_bands_they_are_set_to) {
    auto gain = [](const char* name, double tone_hz) {
        c_biquad filter;
        if (std::string(name) == "lowpass") filter.set_lowpass(1000.0, 0.707);
        if (std::string(name) == "highpass") filter.set_highpass(1000.0, 0.707);
        if (std::string(name) == "bandpass") filter.set_bandpass(tone_hz, 4.0);
        std::vector<double> out(8192);
        for (size_t i = 0; i < 4096 + out.size(); ++i) {
            const double y = filter.process(std::sin(k_two_pi * tone_hz * double(i) / k_rate));
            if (i >= 4096) out[i - 4096] = y;
        }
        return magnitude_at(out, tone_hz);
    };
    const c_filter_case cases[] = {
        {"lowpass", 1000.0, 1.0, 0.01},
        {"highpass", 1000.0, 0.01, 1.0},
        {"bandpass", 0.0, 1.0, 1.0},  // centred on the tone itself: unity at its peak
    };
    for (const c_filter_case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_NEAR(gain(test.name, 100.0), test.low_gain, 0.02 + test.low_gain * 0.03);
        EXPECT_NEAR(gain(test.name, 10000.0), test.high_gain, 0.02 + test.high_gain * 0.03);
    }
    c_one_pole smooth;
    smooth.set_cutoff(1000.0);
    double settled = 0.0;
    for (int i = 0; i < 2000; ++i) settled = smooth.lowpass(1.0);
    EXPECT_NEAR(settled, 1.0, 1e-6);
}

TEST(sound_noise, a_seed_gives_one_sequence_and_values_stay_in_range) {
    c_noise a(1234), b(1234), other(1235), zero(0);
    bool differs = false;
    double lowest = 1.0, highest = -1.0, sum = 0.0;
    for (int i = 0; i < 10000; ++i) {
        const double x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        differs = differs || x != other.uniform();
        lowest = std::min(lowest, x);
        highest = std::max(highest, x);
        sum += x;
        EXPECT_NE(zero.next(), 0u);
    }
    EXPECT_TRUE(differs);
    EXPECT_GE(lowest, -1.0);
    EXPECT_LT(highest, 1.0);
    EXPECT_LT(lowest, -0.99);
    EXPECT_GT(highest, 0.99);
    EXPECT_NEAR(sum / 10000.0, 0.0, 0.03);
}

TEST(sound_level, normalising_reaches_the_loudness_without_passing_the_ceiling) {
    // A quiet steady tone reaches the RMS target; a spiky one stops at the ceiling.
    std::vector<float> steady(44100), spiky(44100, 0.0f);
    for (size_t i = 0; i < steady.size(); ++i) steady[i] = float(0.01 * std::sin(k_two_pi * 440.0 * double(i) / k_rate));
    spiky[1000] = 0.2f;
    spiky[20000] = -0.1f;
    normalise(steady, -3.0, true, -18.0, 0.3);
    normalise(spiky, -3.0, true, -18.0, 0.3);
    EXPECT_NEAR(20.0 * std::log10(loudest_rms(steady, 0.3)), -18.0, 0.05);
    EXPECT_NEAR(20.0 * std::log10(peak_level(spiky)), -3.0, 0.01);
    EXPECT_LT(20.0 * std::log10(loudest_rms(spiky, 0.3)), -18.0);

    std::vector<float> silent(100, 0.0f);
    normalise(silent, -3.0, true, -18.0, 0.3);
    EXPECT_EQ(peak_level(silent), 0.0);
}

TEST(sound_level, fades_bring_both_ends_to_zero_and_leave_the_middle) {
    std::vector<float> samples(1000, 0.5f);
    apply_fades(samples, 0.002, 0.005);
    EXPECT_EQ(samples.front(), 0.0f);
    EXPECT_NEAR(samples.back(), 0.0f, 1e-3);
    EXPECT_EQ(samples[500], 0.5f);
    for (size_t i = 1; i < 88; ++i) EXPECT_GE(samples[i], samples[i - 1]);

    std::vector<float> tiny(3, 1.0f);
    apply_fades(tiny, 1.0, 1.0);  // fades longer than the sound must not read outside it
    EXPECT_EQ(tiny.front(), 0.0f);
}

}  // namespace
}  // namespace tw::sfx
