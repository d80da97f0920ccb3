// The fly's buzz as a seamless loop: every periodic part (the buzz, its vibrato,
// its wobble, its noise) repeats a whole number of times in the loop, so the
// last sample flows into the first.
#include <cmath>
#include <vector>

#include "sound/dsp.h"
#include "sound/generators.h"

namespace tw::sfx {

namespace {

// Passes of the periodic signal through the filters before the one that is
// kept, so the filters have settled into their periodic steady state.
constexpr int k_settling_passes = 3;
// Partials stop below this fraction of the sample rate, so none can alias.
constexpr double k_highest_partial = 0.45;

// Reads a count that must be a positive whole number.
int whole_cycles(c_params& params, const std::string& key, double fallback) {
    const double value = params.number(key, fallback);
    if (value < 0.0 || value != std::floor(value)) {
        params.fail("'" + key + "' must be a whole number of cycles per loop");
        return 0;
    }
    return int(value);
}

// The index of the upward zero crossing closest to zero, so the loop starts quietly.
size_t quietest_upward_crossing(const std::vector<float>& loop) {
    size_t best = 0;
    double best_size = 1e9;
    for (size_t i = 0; i < loop.size(); ++i) {
        const float before = loop[(i + loop.size() - 1) % loop.size()];
        if (before < 0.0f && loop[i] >= 0.0f && std::fabs(loop[i]) < best_size) {
            best = i;
            best_size = std::fabs(loop[i]);
        }
    }
    return best;
}

}  // namespace

c_rendered generate_buzz_loop(c_params& params, c_noise& noise) {
    const size_t length = frames_for(params.number("seconds", 1.0));
    const int cycles = whole_cycles(params, "cycles", 200.0);
    const int vibrato_cycles = whole_cycles(params, "vibrato_cycles", 6.0);
    const int wobble_cycles = whole_cycles(params, "wobble_cycles", 3.0);
    const double vibrato = cents_ratio(params.number("vibrato_cents", 20.0)) - 1.0;
    const double wobble_depth = params.number("wobble_depth", 0.3);
    const std::vector<double> formants = params.numbers("formants");
    const double q = params.number("q", 3.0);
    const double air = params.number("air", 0.05);
    c_rendered out;
    out.seamless_loop = true;
    if (length == 0 || cycles == 0 || formants.empty()) {
        params.fail("a loop needs seconds, cycles and formants");
        return out;
    }

    // Phase of the fundamental in cycles: whole cycles over the loop plus a
    // frequency vibrato whose phase offset returns to zero at the loop's end.
    const double f0 = double(cycles) * k_rate / double(length);
    const double vibrato_swing =
        vibrato_cycles > 0 ? f0 * vibrato * double(length) / (k_rate * k_two_pi * vibrato_cycles) : 0.0;
    const int partials = int(k_highest_partial * k_rate / (f0 * (1.0 + vibrato)));
    std::vector<double> source(length);
    for (size_t i = 0; i < length; ++i) {
        const double x = double(i) / double(length);
        const double cycle = double(cycles) * x + vibrato_swing * (1.0 - std::cos(k_two_pi * vibrato_cycles * x));
        double s = 0.0;
        for (int k = 1; k <= partials; ++k) s += std::sin(k_two_pi * k * cycle) / k;
        source[i] = s + air * noise.uniform();
    }

    std::vector<c_biquad> bands(formants.size());
    for (size_t f = 0; f < formants.size(); ++f) bands[f].set_bandpass(formants[f], q);
    std::vector<float> loop(length);
    for (int pass = 0; pass <= k_settling_passes; ++pass) {
        for (size_t i = 0; i < length; ++i) {
            double s = 0.0;
            for (c_biquad& band : bands) s += band.process(source[i]);
            loop[i] = float(s);
        }
    }
    for (size_t i = 0; i < length; ++i) {
        const double x = double(i) / double(length);
        loop[i] *= float(1.0 - wobble_depth * (0.5 - 0.5 * std::cos(k_two_pi * wobble_cycles * x)));
    }

    const size_t start = quietest_upward_crossing(loop);
    out.samples.assign(loop.begin() + long(start), loop.end());
    out.samples.insert(out.samples.end(), loop.begin(), loop.begin() + long(start));
    return out;
}

}  // namespace tw::sfx
