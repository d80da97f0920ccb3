// Creature generators: the aphid's squeaky chirp, the cricket's pulsed song, the
// bee's passing buzz, wing flutters (dragonfly, moth) and wet squishes (grub, maggot).
#include <algorithm>
#include <cmath>

#include "sound/dsp.h"
#include "sound/generators.h"

namespace tw::sfx {

namespace {

// Fraction of each cricket pulse period that sounds.
constexpr double k_cricket_duty = 0.6;
// How sharply the bee's pitch turns as it passes (larger is a quicker pass).
constexpr double k_pass_sharpness = 6.0;
// The closest the bee comes, relative to where it starts, for the loudness swell.
constexpr double k_pass_distance = 0.25;
// A wing beat's noise burst: how peaked the beat's loudness is.
constexpr double k_beat_sharpness_default = 3.0;

// 0 outside 0..1, a smooth hump inside.
double hump(double x) {
    if (x <= 0.0 || x >= 1.0) return 0.0;
    const double s = std::sin(k_pi * x);
    return s * s;
}

}  // namespace

c_rendered generate_chirp(c_params& params, c_noise& noise) {
    const int count = int(params.number("count", 2.0));
    const double length = params.number("chirp_seconds", 0.05);
    const double gap = params.number("gap", 0.06);
    const double low = params.pitch("low", 2800.0);
    const double high = params.pitch("high", 4200.0);
    const double overtone = params.number("overtone", 0.15);
    const double seconds = params.number("seconds", 0.4);

    c_rendered out;
    out.samples.assign(frames_for(seconds), 0.0f);
    for (int c = 0; c < count; ++c) {
        const double onset = double(c) * (length + gap);
        const double bend = cents_ratio(noise.between(-40.0, 40.0) + 60.0 * c);
        double phase = 0.0;
        for (size_t i = frames_for(onset); i < out.samples.size(); ++i) {
            const double x = (double(i) / k_rate - onset) / length;
            if (x >= 1.0) break;
            // Up quickly, then falling back a little: a squeak rather than a whistle.
            const double rise = x < 0.35 ? smooth_step(x / 0.35) : 1.0 - 0.45 * smooth_step((x - 0.35) / 0.65);
            phase += glide(low, high, rise) * bend / k_rate;
            const double level = std::pow(hump(x), 0.6);
            out.samples[i] += float(level * (std::sin(k_two_pi * phase) + overtone * std::sin(2.0 * k_two_pi * phase)));
        }
    }
    return out;
}

c_rendered generate_cricket(c_params& params, c_noise& noise) {
    const double carrier = params.pitch("carrier", 4500.0);
    const double pulse_hz = params.number("pulse_hz", 30.0);
    const int pulses = int(params.number("pulses", 4.0));
    const int chirps = int(params.number("chirps", 3.0));
    const double chirp_gap = params.number("chirp_gap", 0.25);
    const double seconds = params.number("seconds", 1.2);

    c_rendered out;
    if (pulse_hz <= 0.0) {
        params.fail("'pulse_hz' must be above zero");
        return out;
    }
    out.samples.assign(frames_for(seconds), 0.0f);
    const double pulse_period = 1.0 / pulse_hz;
    const double chirp_period = double(pulses) * pulse_period + chirp_gap;
    for (int c = 0; c < chirps; ++c) {
        for (int p = 0; p < pulses; ++p) {
            const double onset = double(c) * chirp_period + double(p) * pulse_period;
            const double length = pulse_period * k_cricket_duty;
            // The middle pulses of a chirp are the loudest; each is a touch uneven.
            const double level = (0.7 + 0.3 * hump((p + 0.5) / pulses)) * noise.between(0.85, 1.0);
            double phase = 0.0;
            for (size_t i = frames_for(onset); i < out.samples.size(); ++i) {
                const double x = (double(i) / k_rate - onset) / length;
                if (x >= 1.0) break;
                // The file-and-scraper stroke drops slightly in pitch through the pulse.
                phase += carrier * (1.0 - 0.02 * x) / k_rate;
                out.samples[i] += float(level * hump(x) * (std::sin(k_two_pi * phase) + 0.08 * std::sin(2.0 * k_two_pi * phase)));
            }
        }
    }
    return out;
}

c_rendered generate_buzz(c_params& params, c_noise& noise) {
    const double pitch = params.pitch("pitch", 220.0);
    const double seconds = params.number("seconds", 1.5);
    const double doppler = params.number("doppler", 0.06);
    const double pass_at = params.number("pass_at", 0.5);
    const double vibrato_hz = params.number("vibrato_hz", 7.0);
    const double vibrato_cents = params.number("vibrato_cents", 15.0);
    const std::vector<double> formants = params.numbers("formants");
    const double q = params.number("q", 3.0);
    const double air = params.number("air", 0.05);
    if (formants.empty()) params.fail("'formants' is needed");

    c_rendered out;
    out.samples.resize(frames_for(seconds));
    c_oscillator saw(e_wave::saw);
    std::vector<c_biquad> bands(formants.size());
    for (size_t f = 0; f < formants.size(); ++f) bands[f].set_bandpass(formants[f], q);
    c_biquad body;
    body.set_lowpass(formants.empty() ? 2000.0 : formants.back() * 1.5, 0.707);
    for (size_t i = 0; i < out.samples.size(); ++i) {
        const double t = double(i) / k_rate;
        const double x = t / seconds - pass_at;
        // Approaching it sounds higher, leaving lower; louder as it comes close.
        const double shift = 1.0 + doppler * -std::tanh(k_pass_sharpness * x);
        const double closeness = 1.0 / std::sqrt(k_pass_distance * k_pass_distance + x * x);
        const double hz = pitch * shift * cents_ratio(vibrato_cents * std::sin(k_two_pi * vibrato_hz * t));
        const double source = saw.next(hz) + air * noise.uniform();
        double s = 0.0;
        for (c_biquad& band : bands) s += band.process(source);
        out.samples[i] = float(body.process(s + 0.3 * source) * closeness * k_pass_distance);
    }
    return out;
}

c_rendered generate_flutter(c_params& params, c_noise& noise) {
    const double seconds = params.number("seconds", 1.2);
    std::vector<double> rate = params.numbers("rate");
    std::vector<double> centre = params.numbers("centre");
    const double q = params.number("q", 1.5);
    const double sharpness = params.number("sharpness", k_beat_sharpness_default);
    const double tone_hz = params.number("tone_hz", 0.0);
    const double tone_level = params.number("tone_level", 0.0);
    const double jitter = params.number("jitter", 0.0);
    const double attack = params.number("attack", 0.2);
    const double release = params.number("release", 0.3);
    const double cutoff = params.number("cutoff", 5000.0);
    if (rate.empty() || centre.empty()) {
        params.fail("'rate' and 'centre' are needed");
        return c_rendered{};
    }
    if (rate.size() == 1) rate.push_back(rate[0]);
    if (centre.size() == 1) centre.push_back(centre[0]);

    c_rendered out;
    out.samples.resize(frames_for(seconds));
    c_biquad band;
    c_biquad soften;
    soften.set_lowpass(cutoff, 0.707);
    c_oscillator whirr(e_wave::triangle);
    c_one_pole wander;
    wander.set_cutoff(3.0);
    double beat_phase = 0.0;
    for (size_t i = 0; i < out.samples.size(); ++i) {
        const double t = double(i) / k_rate;
        const double x = t / seconds;
        // Beats speed up and slow down a little at random, as real wings do.
        const double beat_hz = glide(rate[0], rate[1], x) * (1.0 + jitter * 4.0 * wander.lowpass(noise.uniform()));
        beat_phase += beat_hz / k_rate;
        const double beat = std::pow(0.5 - 0.5 * std::cos(k_two_pi * beat_phase), sharpness);
        band.set_bandpass(glide(centre[0], centre[1], hump(x)), q);
        const double envelope = smooth_step(t / attack) * smooth_step((seconds - t) / release);
        const double whirring = tone_level * whirr.next(tone_hz > 0.0 ? tone_hz * beat_hz / rate[0] : 0.0);
        out.samples[i] = float(envelope * beat * (soften.process(band.process(noise.uniform())) + whirring));
    }
    return out;
}

c_rendered generate_squish(c_params& params, c_noise& noise) {
    const double seconds = params.number("seconds", 0.8);
    const int blobs = int(params.number("blobs", 3.0));
    const double blob_seconds = params.number("blob_seconds", 0.15);
    const double spacing = params.number("spacing", 0.15);
    const double from = params.pitch("from", 900.0);
    const double to = params.pitch("to", 300.0);
    const double q = params.number("q", 5.0);
    const double bloop = params.number("bloop", 0.4);
    const bool alternate = params.number("alternate", 0.0) != 0.0;
    const int pops = int(params.number("pops", 0.0));
    const double cutoff = params.number("cutoff", 3000.0);

    c_rendered out;
    out.samples.assign(frames_for(seconds), 0.0f);
    for (int b = 0; b < blobs; ++b) {
        const double onset = double(b) * spacing + noise.between(0.0, spacing * 0.25);
        const double length = blob_seconds * noise.between(0.8, 1.2);
        const bool reversed = alternate && b % 2 == 1;
        const double start = (reversed ? to : from) * noise.between(0.9, 1.1);
        const double end = (reversed ? from : to) * noise.between(0.9, 1.1);
        c_biquad band;
        double phase = 0.0;
        for (size_t i = frames_for(onset); i < out.samples.size(); ++i) {
            const double x = (double(i) / k_rate - onset) / length;
            if (x >= 1.0) break;
            const double hz = glide(start, end, x);
            band.set_bandpass(hz, q);
            phase += hz * 0.5 / k_rate;
            const double level = std::pow(hump(x), 0.7);
            out.samples[i] += float(level * (band.process(noise.uniform()) + bloop * std::sin(k_two_pi * phase)));
        }
    }
    // Small bubbles: quick rising sine pops scattered through the sound.
    for (int p = 0; p < pops; ++p) {
        const double onset = noise.between(0.0, std::max(0.0, seconds - 0.1));
        const double base = noise.between(500.0, 1100.0);
        const double length = noise.between(0.015, 0.03);
        double phase = 0.0;
        for (size_t i = frames_for(onset); i < out.samples.size(); ++i) {
            const double x = (double(i) / k_rate - onset) / length;
            if (x >= 1.0) break;
            phase += base * (1.0 + 1.5 * x) / k_rate;
            out.samples[i] += float(0.35 * hump(x) * std::sin(k_two_pi * phase));
        }
    }
    // Wet sounds are soft: the noise's hiss above the squelch is taken away.
    c_biquad soften;
    soften.set_lowpass(cutoff, 0.707);
    for (float& s : out.samples) s = float(soften.process(s));
    return out;
}

}  // namespace tw::sfx
