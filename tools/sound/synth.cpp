// Noise, band-limited oscillators and envelope shapes for the effects tool.
#include "sound/synth.h"

#include <algorithm>
#include <cmath>

namespace tw::sfx {

namespace {

constexpr uint32_t k_fallback_seed = 0x9e3779b9u;
constexpr double k_two_to_32 = 4294967296.0;
// Highest frequency an oscillator is driven at, just under Nyquist.
constexpr double k_highest_hz = k_nyquist * 0.98;
// How fast the triangle's integrator forgets its offset (per sample).
constexpr double k_integrator_leak = 0.9995;

}  // namespace

c_noise::c_noise(uint32_t seed) : state_(seed != 0 ? seed : k_fallback_seed) {}

uint32_t c_noise::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double c_noise::unit() { return double(next()) / k_two_to_32; }

double c_noise::uniform() { return unit() * 2.0 - 1.0; }

double c_noise::between(double low, double high) { return low + (high - low) * unit(); }

double poly_blep(double t, double dt) {
    if (t < dt) {
        const double x = t / dt;
        return x + x - x * x - 1.0;
    }
    if (t > 1.0 - dt) {
        const double x = (t - 1.0) / dt;
        return x * x + x + x + 1.0;
    }
    return 0.0;
}

c_oscillator::c_oscillator(e_wave wave, double phase) : wave_(wave), phase_(phase - std::floor(phase)) {
    // Start the triangle's integrator where a centred triangle is at this phase,
    // so it does not begin with an offset that would thump as it leaks away.
    integrated_ = phase_ < 0.5 ? -1.0 + 4.0 * phase_ : 3.0 - 4.0 * phase_;
}

double c_oscillator::next(double hz) {
    const double dt = std::clamp(hz, 0.0, k_highest_hz) / k_rate;
    double out = 0.0;
    switch (wave_) {
        case e_wave::sine:
            out = std::sin(k_two_pi * phase_);
            break;
        case e_wave::saw:
            out = 2.0 * phase_ - 1.0 - poly_blep(phase_, dt);
            break;
        case e_wave::square:
        case e_wave::triangle: {
            double half = phase_ + 0.5;
            if (half >= 1.0) half -= 1.0;
            out = (phase_ < 0.5 ? 1.0 : -1.0) + poly_blep(phase_, dt) - poly_blep(half, dt);
            if (wave_ == e_wave::triangle) {
                // A square of amplitude 1 integrates to a triangle of amplitude dt;
                // 4 * dt scales it back to -1..1.
                integrated_ = integrated_ * k_integrator_leak + 4.0 * dt * out;
                out = integrated_;
            }
            break;
        }
    }
    phase_ += dt;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return out;
}

double smooth_step(double x) {
    if (x <= 0.0) return 0.0;
    if (x >= 1.0) return 1.0;
    return 0.5 - 0.5 * std::cos(k_pi * x);
}

double attack_decay(double t, double attack, double decay) {
    if (t < 0.0) return 0.0;
    const double rise = attack > 0.0 ? smooth_step(t / attack) : 1.0;
    const double fall = t > attack ? std::exp(-(t - attack) / decay) : 1.0;
    return rise * fall;
}

double adsr(const c_adsr& shape, double t, double held) {
    if (t < 0.0) return 0.0;
    auto level_at = [&](double time) {
        if (time < shape.attack) return smooth_step(time / shape.attack);
        const double into_decay = time - shape.attack;
        if (into_decay < shape.decay) return 1.0 + (shape.sustain - 1.0) * smooth_step(into_decay / shape.decay);
        return shape.sustain;
    };
    if (t < held) return level_at(t);
    if (shape.release <= 0.0) return 0.0;
    return level_at(held) * (1.0 - smooth_step((t - held) / shape.release));
}

double cents_ratio(double cents) { return std::pow(2.0, cents / 1200.0); }

double glide(double a, double b, double x) {
    x = std::clamp(x, 0.0, 1.0);
    return a * std::pow(b / a, x);
}

}  // namespace tw::sfx
