// Sound sources for the effects tool: a seeded xorshift noise source, band-limited
// oscillators (PolyBLEP saw and square, sine, triangle) and envelope shapes.
#pragma once
#include <cstdint>

#include "common/wav.h"

namespace tw::sfx {

constexpr double k_pi = 3.14159265358979323846;
constexpr double k_two_pi = 2.0 * k_pi;
constexpr double k_rate = tw_tools::k_sample_rate;
constexpr double k_nyquist = k_rate / 2.0;

// Marsaglia's xorshift32; each sound seeds its own so every build makes the same files.
class c_noise {
public:
    // A zero seed would stick at zero, so it is replaced by a fixed odd constant.
    explicit c_noise(uint32_t seed);
    // Next raw 32-bit value of the sequence.
    uint32_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [-1, 1).
    double uniform();
    // Uniform in [low, high).
    double between(double low, double high);

private:
    uint32_t state_;
};

enum class e_wave { sine, saw, square, triangle };

// Phase-accumulating oscillator whose frequency may change every sample. Saw and
// square have their steps smoothed with PolyBLEP so partials above Nyquist fold
// back only weakly; the triangle is the leaky integral of that square.
class c_oscillator {
public:
    // phase is where the cycle starts, 0..1.
    explicit c_oscillator(e_wave wave, double phase = 0.0);
    // The next sample, -1..1, at hz (clamped below Nyquist).
    double next(double hz);

private:
    e_wave wave_;
    double phase_;
    double integrated_ = 0.0;
};

// Correction added at a unit downward step of a phase-t waveform moving dt per sample.
double poly_blep(double t, double dt);

// 0 at x <= 0, 1 at x >= 1, raised-cosine in between (no corner at either end).
double smooth_step(double x);

// Soft attack over attack seconds, then exponential decay with time constant decay.
double attack_decay(double t, double attack, double decay);

// Attack, decay to sustain, hold until held seconds, then release seconds to zero.
struct c_adsr {
    double attack = 0.01;
    double decay = 0.1;
    double sustain = 0.7;
    double release = 0.2;
};
double adsr(const c_adsr& shape, double t, double held);

// Frequency ratio of a number of cents.
double cents_ratio(double cents);

// Exponential glide from a to b as x goes 0..1 (pitches and filter sweeps sound even).
double glide(double a, double b, double x);

}  // namespace tw::sfx
