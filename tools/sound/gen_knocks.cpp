// Knocking generators: a pebble rolling (low rumble with clicks as it turns) and
// a stag beetle's woody mandible clack (struck wooden modes).
#include <algorithm>
#include <cmath>
#include <vector>

#include "sound/dsp.h"
#include "sound/generators.h"

namespace tw::sfx {

namespace {

// Below this the rumble is only felt, not heard, so it is filtered away.
constexpr double k_rumble_floor_hz = 40.0;
// Length of the noise tick that starts every click and clack.
constexpr double k_tick_seconds = 0.0015;
// Second resonance of a pebble click, as a ratio of the first.
constexpr double k_click_overtone = 1.63;
// How long a struck mode takes to reach full level: a hard but not clicking strike.
constexpr double k_strike_attack = 0.0006;

// Adds a decaying sine starting at onset seconds.
void add_ring(std::vector<float>& samples, double onset, double hz, double level, double decay, double attack) {
    const size_t end = std::min(samples.size(), frames_for(onset + attack + decay * 8.0));
    for (size_t i = frames_for(onset); i < end; ++i) {
        const double t = double(i) / k_rate - onset;
        samples[i] += float(level * attack_decay(t, attack, decay) * std::sin(k_two_pi * hz * t));
    }
}

// Adds a short burst of highpassed noise starting at onset seconds.
void add_tick(std::vector<float>& samples, c_noise& noise, double onset, double level) {
    c_one_pole brighten;
    brighten.set_cutoff(2000.0);
    const size_t end = std::min(samples.size(), frames_for(onset + k_tick_seconds));
    for (size_t i = frames_for(onset); i < end; ++i) {
        const double x = (double(i) / k_rate - onset) / k_tick_seconds;
        samples[i] += float(level * (1.0 - x) * brighten.highpass(noise.uniform()));
    }
}

}  // namespace

c_rendered generate_roll(c_params& params, c_noise& noise) {
    const double seconds = params.number("seconds", 1.6);
    const double rumble_hz = params.number("rumble_hz", 140.0);
    const double rumble = params.number("rumble", 1.0);
    std::vector<double> turn_hz = params.numbers("turn_hz");
    const double clicks_per_turn = params.number("clicks_per_turn", 1.5);
    std::vector<double> click_hz = params.numbers("click_hz");
    const double click_decay = params.number("click_decay", 0.006);
    const double click_level = params.number("click_level", 0.5);
    const double attack = params.number("attack", 0.08);
    const double release = params.number("release", 0.5);
    if (turn_hz.empty() || click_hz.size() != 2) {
        params.fail("'turn_hz' (start [end]) and 'click_hz' (low high) are needed");
        return c_rendered{};
    }
    if (turn_hz.size() == 1) turn_hz.push_back(turn_hz[0]);
    if (std::min(turn_hz[0], turn_hz[1]) <= 0.0 || clicks_per_turn <= 0.0 || std::min(click_hz[0], click_hz[1]) <= 0.0) {
        params.fail("turning, click rates and click pitches must be above zero");
        return c_rendered{};
    }

    c_rendered out;
    out.samples.resize(frames_for(seconds));
    auto envelope = [&](double t) { return smooth_step(t / attack) * smooth_step((seconds - t) / release); };
    c_one_pole low_a, low_b, floor;
    low_a.set_cutoff(rumble_hz);
    low_b.set_cutoff(rumble_hz);
    floor.set_cutoff(k_rumble_floor_hz);
    double turn_phase = 0.0;
    for (size_t i = 0; i < out.samples.size(); ++i) {
        const double t = double(i) / k_rate;
        turn_phase += glide(turn_hz[0], turn_hz[1], t / seconds) / k_rate;
        // The stone is not round: its rumble swells once a turn.
        const double lumpy = 0.65 + 0.35 * std::sin(k_two_pi * turn_phase);
        const double s = floor.highpass(low_b.lowpass(low_a.lowpass(noise.uniform())));
        out.samples[i] = float(rumble * envelope(t) * lumpy * s * 6.0);
    }
    // Clicks as facets of the pebble meet grit, spaced unevenly, slowing with the roll.
    double t = attack * 0.5;
    while (t < seconds - release * 0.3) {
        const double rate = glide(turn_hz[0], turn_hz[1], t / seconds) * clicks_per_turn;
        const double hz = glide(click_hz[0], click_hz[1], noise.unit());
        const double level = click_level * envelope(t) * noise.between(0.4, 1.0);
        add_ring(out.samples, t, hz, level, click_decay, k_strike_attack);
        add_ring(out.samples, t, hz * k_click_overtone, level * 0.4, click_decay * 0.6, k_strike_attack);
        add_tick(out.samples, noise, t, level * 0.3);
        t += noise.between(0.5, 1.5) / rate;
    }
    return out;
}

c_rendered generate_clack(c_params& params, c_noise& noise) {
    const std::vector<double> modes = params.numbers("modes");
    const std::vector<double> decays = params.numbers("decays");
    const std::vector<double> levels = params.numbers("levels");
    const int count = int(params.number("count", 2.0));
    const double gap = params.number("gap", 0.09);
    const double step = cents_ratio(params.number("step_cents", -150.0));
    const double knock_hz = params.number("knock_hz", 160.0);
    const double knock = params.number("knock", 0.5);
    const double tick = params.number("tick", 0.3);
    const double seconds = params.number("seconds", 0.4);
    if (modes.empty() || decays.size() != modes.size() || levels.size() != modes.size()) {
        params.fail("'modes', 'decays' and 'levels' need one value per mode");
        return c_rendered{};
    }

    c_rendered out;
    out.samples.assign(frames_for(seconds), 0.0f);
    double shift = 1.0;
    for (int c = 0; c < count; ++c) {
        const double onset = double(c) * gap;
        // Each strike is a little softer than the last.
        const double loudness = std::pow(0.75, c) * noise.between(0.9, 1.0);
        for (size_t m = 0; m < modes.size(); ++m) {
            add_ring(out.samples, onset, modes[m] * shift * noise.between(0.98, 1.02), loudness * levels[m], decays[m],
                     k_strike_attack);
        }
        add_ring(out.samples, onset, knock_hz * shift, loudness * knock, 0.025, 0.002);
        add_tick(out.samples, noise, onset, loudness * tick);
        shift *= step;
    }
    return out;
}

}  // namespace tw::sfx
