// Turning recipes into finished sounds: the generator's dry sound, then reverb,
// fades and level, the same way for every sound; and writing them all out.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/wav.h"
#include "sound/recipe.h"

namespace tw::sfx {

// Longest sound a recipe may ask for, so a typo cannot fill the disk.
constexpr double k_longest_sound_seconds = 30.0;

// Renders one recipe as mono 44.1 kHz; false with a message for an unknown
// generator, a key nothing reads, a malformed value or an empty result.
bool render_recipe(const c_recipe& recipe, tw_tools::c_sound_buffer& sound, std::string& error);

// Renders every recipe and writes it under content_dir, making the folders it
// needs; false with a message at the first failure. count is how many were written.
bool make_sounds(const std::vector<c_recipe>& recipes, const std::string& content_dir, size_t& count,
                 std::string& error);

// The seed a recipe's noise starts from when it names none: a hash of its name.
uint32_t seed_for(const std::string& name);

}  // namespace tw::sfx
