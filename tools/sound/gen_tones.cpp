// Musical generators: silence, the glass bell of the chimes, arpeggios (sparkle,
// triumphant chord, magical shimmer) and the soft 'nope' buzz; and the generator table.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "sound/dsp.h"
#include "sound/generators.h"

namespace tw::sfx {

namespace {

struct c_partial {
    double ratio;
    double level;
    double decay_scale;  // of the bell's decay time
};

// Ratios of a free bar, plus a quiet octave that makes the bell sing in tune.
constexpr c_partial k_bell_partials[] = {
    {1.0, 1.0, 1.0}, {2.0, 0.16, 0.7}, {2.756, 0.30, 0.5}, {5.404, 0.12, 0.28}, {8.933, 0.05, 0.16},
};

struct c_named_generator {
    const char* name;
    t_generator generate;
};

constexpr c_named_generator k_generators[] = {
    {"silence", generate_silence},   {"bell", generate_bell},       {"arpeggio", generate_arpeggio},
    {"nope", generate_nope},         {"chirp", generate_chirp},     {"cricket", generate_cricket},
    {"buzz", generate_buzz},         {"buzz_loop", generate_buzz_loop}, {"flutter", generate_flutter},
    {"squish", generate_squish},     {"roll", generate_roll},       {"clack", generate_clack},
};

// Level of the sine an octave under each pad note, for warmth.
constexpr double k_pad_sub_level = 0.35;
constexpr c_adsr k_pad_shape{0.025, 0.35, 0.7, 0.0};
// Decay of a glitter ping.
constexpr double k_glitter_decay = 0.07;
// Resonance of the noise swell's band.
constexpr double k_swell_q = 4.0;

}  // namespace

t_generator find_generator(const std::string& name) {
    for (const c_named_generator& entry : k_generators) {
        if (name == entry.name) return entry.generate;
    }
    return nullptr;
}

size_t frames_for(double seconds) { return size_t(std::max(0.0, seconds) * k_rate + 0.5); }

double bell_sample(double hz, double t, double attack, double decay) {
    if (t < 0.0) return 0.0;
    double sum = 0.0;
    for (const c_partial& partial : k_bell_partials) {
        const double f = hz * partial.ratio;
        if (f >= k_nyquist * 0.9) continue;
        sum += partial.level * attack_decay(t, attack, decay * partial.decay_scale) * std::sin(k_two_pi * f * t);
    }
    return sum;
}

c_rendered generate_silence(c_params& params, c_noise&) {
    c_rendered out;
    out.samples.assign(std::max<size_t>(1, frames_for(params.number("seconds", 1.0))), 0.0f);
    return out;
}

c_rendered generate_bell(c_params& params, c_noise&) {
    const double hz = params.pitch("note", 880.0);
    const double attack = params.number("attack", 0.006);
    const double decay = params.number("decay", 0.5);
    c_rendered out;
    out.samples.resize(frames_for(params.number("seconds", 1.8)));
    for (size_t i = 0; i < out.samples.size(); ++i) out.samples[i] = float(bell_sample(hz, double(i) / k_rate, attack, decay));
    return out;
}

c_rendered generate_arpeggio(c_params& params, c_noise& noise) {
    const std::vector<double> notes = params.pitches("notes");
    const double step = params.number("step", 0.08);
    const double seconds = params.number("seconds", 1.0);
    const std::string voice = params.word("voice", "bell");
    const double attack = params.number("attack", 0.004);
    const double note_decay = params.number("note_decay", 0.4);
    const double hold = params.number("hold", seconds * 0.6);
    const double release = params.number("release", 0.5);
    const double detune = cents_ratio(params.number("detune_cents", 7.0));
    std::vector<double> cutoff = params.numbers("cutoff");
    const double tremolo_hz = params.number("tremolo_hz", 0.0);
    const double tremolo_depth = params.number("tremolo_depth", 0.0);
    const int glitter = int(params.number("glitter", 0.0));
    const double glitter_low = params.number("glitter_low", 3000.0);
    const double glitter_high = params.number("glitter_high", 7000.0);
    const double glitter_level = params.number("glitter_level", 0.15);
    const double swell = params.number("swell", 0.0);
    const double swell_from = params.number("swell_from", 800.0);
    const double swell_to = params.number("swell_to", 5000.0);
    if (notes.empty()) params.fail("'notes' is needed");
    if (voice != "bell" && voice != "pad") params.fail("voice is bell or pad, not " + voice);
    if (cutoff.empty()) cutoff = {k_nyquist, k_nyquist};
    if (cutoff.size() == 1) cutoff.push_back(cutoff[0]);

    c_rendered out;
    out.samples.assign(frames_for(seconds), 0.0f);
    const size_t count = out.samples.size();
    c_adsr shape = k_pad_shape;
    shape.release = release;
    for (size_t n = 0; n < notes.size(); ++n) {
        const double onset = double(n) * step;
        c_oscillator low(e_wave::saw, noise.unit());
        c_oscillator high(e_wave::saw, noise.unit());
        for (size_t i = frames_for(onset); i < count; ++i) {
            const double t = double(i) / k_rate - onset;
            double s = 0.0;
            if (voice == "bell") {
                s = bell_sample(notes[n], t, attack, note_decay);
            } else {
                const double level = adsr(shape, t, hold - onset);
                const double saws = 0.5 * (low.next(notes[n] / detune) + high.next(notes[n] * detune));
                s = level * (saws + k_pad_sub_level * std::sin(k_pi * notes[n] * t));
            }
            out.samples[i] += float(s);
        }
    }
    for (int g = 0; g < glitter; ++g) {
        const double onset = noise.between(0.0, seconds * 0.6);
        const double hz = glide(glitter_low, glitter_high, noise.unit());
        for (size_t i = frames_for(onset); i < count; ++i) {
            const double t = double(i) / k_rate - onset;
            if (t > k_glitter_decay * 8.0) break;
            out.samples[i] += float(glitter_level * attack_decay(t, 0.002, k_glitter_decay) * std::sin(k_two_pi * hz * t));
        }
    }
    c_biquad tone;
    c_biquad band;
    for (size_t i = 0; i < count; ++i) {
        const double x = double(i) / double(count);
        double s = out.samples[i];
        if (swell > 0.0) {
            band.set_bandpass(glide(swell_from, swell_to, x), k_swell_q);
            s += swell * std::sin(k_pi * x) * band.process(noise.uniform());
        }
        tone.set_lowpass(glide(cutoff[0], cutoff[1], x), 0.707);
        s = tone.process(s);
        if (tremolo_hz > 0.0) s *= 1.0 - tremolo_depth * (0.5 - 0.5 * std::cos(k_two_pi * tremolo_hz * x * seconds));
        out.samples[i] = float(s);
    }
    return out;
}

c_rendered generate_nope(c_params& params, c_noise&) {
    const std::vector<double> notes = params.pitches("notes");
    const double blip = params.number("blip_seconds", 0.14);
    const double gap = params.number("gap", 0.05);
    const double cutoff = params.number("cutoff", 900.0);
    const double droop = params.number("droop_cents", -60.0);
    const double thud = params.number("thud", 0.5);
    const double seconds = params.number("seconds", 0.6);
    if (notes.empty()) params.fail("'notes' is needed");
    const c_adsr shape{0.012, 0.06, 0.75, 0.07};

    c_rendered out;
    out.samples.assign(frames_for(seconds), 0.0f);
    for (size_t n = 0; n < notes.size(); ++n) {
        const double onset = double(n) * (blip + gap);
        c_oscillator buzz(e_wave::square);
        c_oscillator body(e_wave::triangle);
        for (size_t i = frames_for(onset); i < out.samples.size(); ++i) {
            const double t = double(i) / k_rate - onset;
            if (t > blip + shape.release) break;
            const double hz = notes[n] * cents_ratio(droop * std::min(1.0, t / blip));
            const double level = adsr(shape, t, blip);
            const double sub = thud * attack_decay(t, 0.004, 0.05) * std::sin(k_two_pi * hz * 0.5 * t);
            out.samples[i] += float(level * (0.45 * buzz.next(hz) + 0.55 * body.next(hz)) + sub);
        }
    }
    c_biquad soften;
    soften.set_lowpass(cutoff, 0.8);
    for (float& s : out.samples) s = float(soften.process(s));
    return out;
}

}  // namespace tw::sfx
