// A puzzle spot placed in a scene: the animation that marks it and which of the
// chapter's puzzles it opens.
#pragma once
#include <cstdint>
#include <string>

#include "anim/anim.h"

namespace tw {

constexpr float k_puzzle_click_radius = 512.0f;  // scene units, for puzzles made in code

struct c_scene_puzzle {
    std::string level_name;
    c_anim anim;  // its base transform is the puzzle's "transform"
    std::string anim_file_name;
    int16_t puzzle_index = 0;  // which puzzle of the chapter it opens
    bool discovered = false;   // set by the game state when the player finds it
    bool trigger = false;      // set by chapter code to open the puzzle
    float click_radius = k_puzzle_click_radius;  // scene units
};

}  // namespace tw
