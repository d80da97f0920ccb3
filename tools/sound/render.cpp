// Renders recipes: runs the named generator, adds reverb and fades, sets the
// level, and writes the WAV files into the content folder.
#include "sound/render.h"

#include <cmath>
#include <filesystem>

#include "sound/dsp.h"
#include "sound/generators.h"

namespace tw::sfx {

namespace {

constexpr double k_default_peak_db = -3.0;
constexpr double k_default_fade_in = 0.002;
constexpr double k_default_fade_out = 0.03;
constexpr double k_default_reverb_size = 1.0;
constexpr double k_default_reverb_damping = 0.4;
// The loudness window: about how long the ear takes to judge how loud a sound is.
constexpr double k_default_loudness_window = 0.3;
constexpr uint32_t k_fnv_offset = 2166136261u;
constexpr uint32_t k_fnv_prime = 16777619u;

}  // namespace

uint32_t seed_for(const std::string& name) {
    uint32_t hash = k_fnv_offset;
    for (char c : name) {
        hash ^= uint8_t(c);
        hash *= k_fnv_prime;
    }
    return hash;
}

bool render_recipe(const c_recipe& recipe, tw_tools::c_sound_buffer& sound, std::string& error) {
    const auto generator_name = recipe.values.find("generator");
    if (generator_name == recipe.values.end() || generator_name->second.size() != 1) {
        error = "[" + recipe.name + "] needs one generator";
        return false;
    }
    const std::string name = generator_name->second.front();
    const t_generator generate = find_generator(name);
    if (generate == nullptr) {
        error = "[" + recipe.name + "] has no generator called '" + name + "'";
        return false;
    }
    c_params params(recipe);
    const double seconds = params.number("seconds", 1.0);
    if (!(seconds > 0.0 && seconds <= k_longest_sound_seconds)) {
        error = "[" + recipe.name + "] seconds must be above 0 and at most " +
                std::to_string(int(k_longest_sound_seconds));
        return false;
    }
    const double seed_value = params.number("seed", -1.0);
    c_noise noise(seed_value >= 0.0 ? uint32_t(seed_value) : seed_for(recipe.name));
    const double reverb = params.number("reverb", 0.0);
    const double reverb_size = params.number("reverb_size", k_default_reverb_size);
    const double reverb_damping = params.number("reverb_damping", k_default_reverb_damping);
    const double fade_in = params.number("fade_in", k_default_fade_in);
    const double fade_out = params.number("fade_out", k_default_fade_out);
    const double peak_db = params.number("peak_db", k_default_peak_db);
    const std::vector<double> rms_db = params.numbers("rms_db");
    const double window = params.number("loudness_window", k_default_loudness_window);

    c_rendered rendered = generate(params, noise);
    if (!params.error().empty()) {
        error = params.error();
        return false;
    }
    const std::vector<std::string> unused = params.unused();
    if (!unused.empty()) {
        error = "[" + recipe.name + "] generator '" + name + "' has no parameter '" + unused.front() + "'";
        return false;
    }
    if (rendered.samples.empty() || peak_db > 0.0 || rms_db.size() > 1) {
        error = "[" + recipe.name + "] made no sound, or asks for a level above 0 dBFS";
        return false;
    }
    for (float s : rendered.samples) {
        if (!std::isfinite(s)) {
            error = "[" + recipe.name + "] made a sample that is not a number";
            return false;
        }
    }
    if (!rendered.seamless_loop) {
        add_reverb(rendered.samples, reverb, reverb_size, reverb_damping);
        apply_fades(rendered.samples, fade_in, fade_out);
    }
    normalise(rendered.samples, peak_db, !rms_db.empty(), rms_db.empty() ? 0.0 : rms_db[0], window);
    sound.channels = 1;
    sound.sample_rate = tw_tools::k_sample_rate;
    sound.samples = std::move(rendered.samples);
    return true;
}

bool make_sounds(const std::vector<c_recipe>& recipes, const std::string& content_dir, size_t& count,
                 std::string& error) {
    namespace fs = std::filesystem;
    count = 0;
    for (const c_recipe& recipe : recipes) {
        tw_tools::c_sound_buffer sound;
        if (!render_recipe(recipe, sound, error)) return false;
        const fs::path path = fs::path(content_dir) / recipe.file;
        std::error_code made;
        fs::create_directories(path.parent_path(), made);
        if (made || !tw_tools::write_wav(path.string(), sound)) {
            error = "cannot write " + path.string();
            return false;
        }
        ++count;
    }
    return true;
}

}  // namespace tw::sfx
