// The committed sound recipes rendered in memory: the files the game plays are
// all made, none clips or clicks, the fly's loop is seamless and the glow-worm
// chimes are nine distinct rising notes of C major pentatonic.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sound/dsp.h"
#include "sound/recipe.h"
#include "sound/render.h"
#include "sound/synth.h"

namespace tw::sfx {
namespace {

using t_sounds = std::map<std::string, std::vector<float>>;

// Every committed recipe, rendered once for all the tests here.
const t_sounds& rendered_sounds() {
    static const t_sounds sounds = [] {
        t_sounds made;
        std::vector<c_recipe> recipes;
        std::string error;
        EXPECT_TRUE(load_recipes(TW_SOUND_RECIPES, recipes, error)) << error;
        for (const c_recipe& recipe : recipes) {
            tw_tools::c_sound_buffer sound;
            EXPECT_TRUE(render_recipe(recipe, sound, error)) << error;
            EXPECT_EQ(sound.channels, 1);
            EXPECT_EQ(sound.sample_rate, tw_tools::k_sample_rate);
            made[recipe.file] = sound.samples;
        }
        return made;
    }();
    return sounds;
}

double to_db(double level) { return 20.0 * std::log10(std::max(level, 1e-12)); }

std::string chime_file(int number) { return "sounds/glowworms/" + std::to_string(number) + ".wav"; }

TEST(sound_content, the_recipes_make_exactly_the_files_the_game_plays) {
    std::set<std::string> expected = {"sounds/sfx_music_none.wav", "sounds/item_found.wav", "sounds/error.wav",
                                      "sounds/puzzle_complete.wav", "sounds/puzzle_discovery.wav"};
    for (const char* effect : {"aphid", "bee", "cricket", "dragonfly", "fly_loop", "grub", "maggot", "moth",
                               "roll_stone", "stag"}) {
        expected.insert(std::string("sounds/effects/") + effect + ".wav");
    }
    for (int n = 1; n <= 9; ++n) expected.insert(chime_file(n));
    std::set<std::string> made;
    for (const auto& entry : rendered_sounds()) made.insert(entry.first);
    EXPECT_EQ(made, expected);
}

TEST(sound_content, every_sound_stays_under_full_scale_and_starts_and_ends_quietly) {
    constexpr float k_near_zero = 0.01f;
    for (const auto& [file, samples] : rendered_sounds()) {
        SCOPED_TRACE(file);
        ASSERT_FALSE(samples.empty());
        EXPECT_LT(to_db(peak_level(samples)), -1.0);
        EXPECT_LE(std::fabs(samples.front()), k_near_zero);
        EXPECT_LE(std::fabs(samples.back()), k_near_zero);
        if (file == "sounds/sfx_music_none.wav") {
            EXPECT_EQ(peak_level(samples), 0.0);
            EXPECT_NEAR(double(samples.size()) / k_rate, 1.0, 0.1);
        } else {
            // Audible, and effects within a few decibels of one another.
            EXPECT_GT(to_db(loudest_rms(samples, 0.3)), -24.0);
            EXPECT_LT(to_db(loudest_rms(samples, 0.3)), -12.0);
        }
    }
}

struct c_length_case {
    const char* file;
    double shortest;
    double longest;
};

TEST(sound_content, sounds_have_the_lengths_they_are_played_for) {
    const c_length_case cases[] = {
        {"sounds/puzzle_complete.wav", 1.8, 2.4}, {"sounds/effects/bee.wav", 1.3, 1.7},
        {"sounds/effects/fly_loop.wav", 0.5, 2.0}, {"sounds/item_found.wav", 0.3, 1.5},
        {"sounds/error.wav", 0.2, 1.0},
    };
    for (const c_length_case& test : cases) {
        const double seconds = double(rendered_sounds().at(test.file).size()) / k_rate;
        EXPECT_GE(seconds, test.shortest) << test.file;
        EXPECT_LE(seconds, test.longest) << test.file;
    }
    for (int n = 1; n <= 9; ++n) {
        const double seconds = double(rendered_sounds().at(chime_file(n)).size()) / k_rate;
        EXPECT_GE(seconds, 1.5) << n;
        EXPECT_LE(seconds, 2.0) << n;
    }
}

// Magnitude of DFT bin k of the whole sound (k whole cycles over its length), by Goertzel.
double bin_magnitude(const std::vector<float>& samples, size_t k) {
    const double w = k_two_pi * double(k) / double(samples.size());
    const double coefficient = 2.0 * std::cos(w);
    double previous = 0.0, before = 0.0;
    for (float x : samples) {
        const double current = x + coefficient * previous - before;
        before = previous;
        previous = current;
    }
    return std::sqrt(std::max(0.0, previous * previous + before * before - coefficient * previous * before));
}

TEST(sound_content, the_fly_loop_holds_whole_cycles_of_its_buzz) {
    // A sound that repeats exactly every loop has partials only at whole numbers
    // of cycles per loop; a buzz with a fractional cycle left over smears into the
    // neighbouring bins (and clicks at the seam however the loop is turned).
    const std::vector<float>& loop = rendered_sounds().at("sounds/effects/fly_loop.wav");
    const size_t lowest = size_t(double(loop.size()) * 80.0 / k_rate);
    const size_t highest = size_t(double(loop.size()) * 600.0 / k_rate);
    size_t strongest = lowest;
    double strongest_size = 0.0;
    for (size_t k = lowest; k <= highest; ++k) {
        const double size = bin_magnitude(loop, k);
        if (size > strongest_size) {
            strongest = k;
            strongest_size = size;
        }
    }
    EXPECT_LT(to_db(bin_magnitude(loop, strongest - 1) / strongest_size), -20.0) << "bin " << strongest;
    EXPECT_LT(to_db(bin_magnitude(loop, strongest + 1) / strongest_size), -20.0) << "bin " << strongest;
}

TEST(sound_content, the_fly_loop_wraps_around_without_a_jump_or_a_dip) {
    const std::vector<float>& loop = rendered_sounds().at("sounds/effects/fly_loop.wav");
    ASSERT_GT(loop.size(), 4410u);
    double steps = 0.0;
    for (size_t i = 1; i < loop.size(); ++i) steps += std::fabs(loop[i] - loop[i - 1]);
    const double typical_step = steps / double(loop.size() - 1);
    EXPECT_LE(std::fabs(loop.back() - loop.front()), 2.0 * typical_step);

    // A loop faded at its ends would pass the jump check but pulse at every repeat.
    auto rms = [&](size_t from, size_t count) {
        double sum = 0.0;
        for (size_t i = from; i < from + count; ++i) sum += double(loop[i]) * loop[i];
        return std::sqrt(sum / double(count));
    };
    const size_t edge = size_t(0.02 * k_rate);
    const double whole = rms(0, loop.size());
    EXPECT_GT(rms(0, edge), 0.5 * whole);
    EXPECT_GT(rms(loop.size() - edge, edge), 0.5 * whole);
}

void fft(std::vector<std::complex<double>>& data) {
    const size_t n = data.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -k_two_pi / double(length));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w = 1.0;
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> a = data[start + k];
                const std::complex<double> b = data[start + k + length / 2] * w;
                data[start + k] = a + b;
                data[start + k + length / 2] = a - b;
                w *= turn;
            }
        }
    }
}

// The frequency of the strongest partial, from a windowed FFT with the peak
// placed between bins by a parabola through the log magnitudes.
double strongest_frequency(const std::vector<float>& samples) {
    constexpr size_t k_size = 32768;
    std::vector<std::complex<double>> data(k_size);
    for (size_t i = 0; i < k_size && i < samples.size(); ++i) {
        data[i] = samples[i] * (0.5 - 0.5 * std::cos(k_two_pi * double(i) / double(k_size)));
    }
    fft(data);
    size_t best = 1;
    for (size_t i = 1; i < k_size / 2 - 1; ++i) {
        if (std::abs(data[i]) > std::abs(data[best])) best = i;
    }
    const double left = std::log(std::abs(data[best - 1]));
    const double middle = std::log(std::abs(data[best]));
    const double right = std::log(std::abs(data[best + 1]));
    const double offset = 0.5 * (left - right) / (left - 2.0 * middle + right);
    return (double(best) + offset) * k_rate / double(k_size);
}

TEST(sound_content, chimes_are_nine_rising_notes_of_c_major_pentatonic) {
    const std::set<int> pentatonic = {0, 2, 4, 7, 9};  // C D E G A, in semitones above C
    int previous_note = -1;
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        const double hz = strongest_frequency(rendered_sounds().at(chime_file(n)));
        const double midi = 69.0 + 12.0 * std::log2(hz / 440.0);
        const int note = int(std::lround(midi));
        EXPECT_LT(std::fabs(midi - note) * 100.0, 5.0) << hz << " Hz is out of tune";
        EXPECT_EQ(pentatonic.count(((note % 12) + 12) % 12), 1u) << hz << " Hz is off the scale";
        EXPECT_GT(note, previous_note);
        previous_note = note;
    }
    EXPECT_EQ(previous_note - 72, 19) << "the ninth chime should be G6, a twelfth above C5";
}

TEST(sound_content, chimes_share_one_loudness) {
    std::vector<double> levels;
    for (int n = 1; n <= 9; ++n) levels.push_back(to_db(loudest_rms(rendered_sounds().at(chime_file(n)), 0.3)));
    const auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
    EXPECT_LT(*loudest - *quietest, 0.5);
}

}  // namespace
}  // namespace tw::sfx
