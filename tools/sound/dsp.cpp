// Filters, reverb, fades and level control for the effects tool.
#include "sound/dsp.h"

#include <algorithm>
#include <cmath>

#include "sound/synth.h"

namespace tw::sfx {

namespace {

// Delay lengths in samples of the combs and allpasses at size 1, mutually prime
// so their echoes do not line up into a metallic ring.
constexpr size_t k_comb_delays[] = {1116, 1188, 1277, 1356};
constexpr size_t k_allpass_delays[] = {556, 441};
constexpr double k_comb_feedback = 0.78;
constexpr double k_allpass_feedback = 0.5;
// Lowest and highest filter corners, away from 0 Hz and from Nyquist.
constexpr double k_lowest_corner_hz = 5.0;
constexpr double k_highest_corner = 0.45;  // of the sample rate

double clamp_corner(double hz) { return std::clamp(hz, k_lowest_corner_hz, k_rate * k_highest_corner); }

}  // namespace

void c_one_pole::set_cutoff(double hz) { coefficient_ = 1.0 - std::exp(-k_two_pi * clamp_corner(hz) / k_rate); }

double c_one_pole::lowpass(double x) {
    state_ += coefficient_ * (x - state_);
    return state_;
}

double c_one_pole::highpass(double x) { return x - lowpass(x); }

void c_biquad::set(double b0, double b1, double b2, double a0, double a1, double a2) {
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = a1 / a0;
    a2_ = a2 / a0;
}

void c_biquad::set_lowpass(double hz, double q) {
    const double w = k_two_pi * clamp_corner(hz) / k_rate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    set((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void c_biquad::set_highpass(double hz, double q) {
    const double w = k_two_pi * clamp_corner(hz) / k_rate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    set((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

void c_biquad::set_bandpass(double hz, double q) {
    const double w = k_two_pi * clamp_corner(hz) / k_rate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double c = std::cos(w);
    set(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * c, 1.0 - alpha);
}

double c_biquad::process(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

c_reverb::c_reverb(double size, double damping)
    : feedback_(k_comb_feedback), damping_(std::clamp(damping, 0.0, 1.0)) {
    const double scale = std::max(size, 0.1);
    for (size_t delay : k_comb_delays) {
        c_delay_line line;
        line.buffer.assign(std::max<size_t>(1, size_t(double(delay) * scale)), 0.0);
        combs_.push_back(line);
    }
    for (size_t delay : k_allpass_delays) {
        c_delay_line line;
        line.buffer.assign(std::max<size_t>(1, size_t(double(delay) * scale)), 0.0);
        allpasses_.push_back(line);
    }
}

double c_reverb::process(double x) {
    double sum = 0.0;
    for (c_delay_line& comb : combs_) {
        const double delayed = comb.buffer[comb.position];
        comb.damped = delayed * (1.0 - damping_) + comb.damped * damping_;
        comb.buffer[comb.position] = x + comb.damped * feedback_;
        comb.position = (comb.position + 1) % comb.buffer.size();
        sum += delayed;
    }
    double out = sum / double(combs_.size());
    for (c_delay_line& allpass : allpasses_) {
        const double delayed = allpass.buffer[allpass.position];
        allpass.buffer[allpass.position] = out + delayed * k_allpass_feedback;
        allpass.position = (allpass.position + 1) % allpass.buffer.size();
        out = delayed - out;
    }
    return out;
}

void add_reverb(std::vector<float>& samples, double mix, double size, double damping) {
    if (mix <= 0.0) return;
    c_reverb reverb(size, damping);
    for (float& s : samples) s = float(s * (1.0 - mix) + reverb.process(s) * mix);
}

void apply_fades(std::vector<float>& samples, double fade_in, double fade_out) {
    const size_t count = samples.size();
    const size_t in = std::min(count, size_t(std::max(0.0, fade_in) * k_rate));
    const size_t out = std::min(count, size_t(std::max(0.0, fade_out) * k_rate));
    // The first and last samples land exactly on zero.
    for (size_t i = 0; i < in; ++i) samples[i] *= float(smooth_step(double(i) / double(in)));
    for (size_t i = 0; i < out; ++i) samples[count - 1 - i] *= float(smooth_step(double(i) / double(out)));
}

double peak_level(const std::vector<float>& samples) {
    double peak = 0.0;
    for (float s : samples) peak = std::max(peak, double(std::fabs(s)));
    return peak;
}

double loudest_rms(const std::vector<float>& samples, double window) {
    if (samples.empty()) return 0.0;
    const size_t length = std::clamp<size_t>(size_t(window * k_rate), 1, samples.size());
    double sum = 0.0;
    for (size_t i = 0; i < length; ++i) sum += double(samples[i]) * samples[i];
    double loudest = sum;
    for (size_t i = length; i < samples.size(); ++i) {
        sum += double(samples[i]) * samples[i] - double(samples[i - length]) * samples[i - length];
        loudest = std::max(loudest, sum);
    }
    return std::sqrt(std::max(0.0, loudest) / double(length));
}

double db_to_gain(double db) { return std::pow(10.0, db / 20.0); }

void normalise(std::vector<float>& samples, double peak_db, bool use_rms, double rms_db, double window) {
    const double peak = peak_level(samples);
    if (peak <= 0.0) return;
    double gain = db_to_gain(peak_db) / peak;
    if (use_rms) {
        const double rms = loudest_rms(samples, window);
        if (rms > 0.0) gain = std::min(gain, db_to_gain(rms_db) / rms);
    }
    for (float& s : samples) s = float(s * gain);
}

}  // namespace tw::sfx
