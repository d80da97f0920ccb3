// Processing for the effects tool: one-pole and biquad filters, a small
// Schroeder reverb, fades, and level measurement and normalisation.
#pragma once
#include <cstddef>
#include <vector>

namespace tw::sfx {

// First-order smoothing filter; the highpass is the input minus the lowpass.
class c_one_pole {
public:
    // Sets the -3 dB corner in Hz.
    void set_cutoff(double hz);
    // Lowpassed next sample.
    double lowpass(double x);
    // Highpassed next sample.
    double highpass(double x);

private:
    double coefficient_ = 1.0;
    double state_ = 0.0;
};

// Second-order filter in the common cookbook forms; the coefficients may be
// changed every sample for sweeps.
class c_biquad {
public:
    // Lowpass with corner hz and resonance q (0.707 is flat).
    void set_lowpass(double hz, double q);
    // Highpass with corner hz and resonance q.
    void set_highpass(double hz, double q);
    // Bandpass around hz whose peak gain is 1; higher q is narrower.
    void set_bandpass(double hz, double q);
    // Filters the next sample.
    double process(double x);

private:
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1.0, b1_ = 0.0, b2_ = 0.0, a1_ = 0.0, a2_ = 0.0;
    double x1_ = 0.0, x2_ = 0.0, y1_ = 0.0, y2_ = 0.0;
};

// Mono room: four damped feedback combs in parallel, then two allpasses.
class c_reverb {
public:
    // size scales the delay lengths (1 is a small room), damping 0..1 darkens the tail.
    c_reverb(double size, double damping);
    // The reverberated (wet only) next sample.
    double process(double x);

private:
    struct c_delay_line {
        std::vector<double> buffer;
        size_t position = 0;
        double damped = 0.0;
    };
    std::vector<c_delay_line> combs_;
    std::vector<c_delay_line> allpasses_;
    double feedback_;
    double damping_;
};

// Mixes reverb into samples: dry * (1 - mix) + wet * mix.
void add_reverb(std::vector<float>& samples, double mix, double size, double damping);

// Raised-cosine fade in over the first and out over the last given seconds.
void apply_fades(std::vector<float>& samples, double fade_in, double fade_out);

// Largest absolute sample.
double peak_level(const std::vector<float>& samples);

// RMS of the loudest window of the given seconds (the whole sound if shorter).
double loudest_rms(const std::vector<float>& samples, double window);

// Scales samples so the loudest window reaches rms_db dBFS, but never lets the
// peak exceed peak_db dBFS; without an RMS target the peak is set to peak_db.
// A silent sound is left silent.
void normalise(std::vector<float>& samples, double peak_db, bool use_rms, double rms_db, double window);

// Linear gain of a level in decibels.
double db_to_gain(double db);

}  // namespace tw::sfx
