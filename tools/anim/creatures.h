// The creatures the generator makes: each builds its whole animation (parts, nodes,
// pose "default" and its graphs) from the art tool's geometry of its parts.
#pragma once
#include <string>

#include "anim/anim.h"
#include "anim/rig.h"

namespace tw_tools {

// The player's larva: pose "default"; graphs "walk", "turn", "idle", "action", "hop", and
// chapter one's "thread", "hang", "chrysalis" (hanging from the origin along +y).
bool build_larva(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// The scene firefly: pose "default"; graphs "sleep", "wake", "fly".
bool build_firefly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// The title screen's hovering fly, facing left: pose "default"; graph "fly".
bool build_fly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// The title screen's dragonfly, facing left: pose "default"; graph "fly".
bool build_dragonfly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

// Glow and shadow strengths are graphics of one texture at a few alphas and sizes;
// the name of the one nearest to level (0..1) among count of them: "<base>_<i>".
std::string level_graphic(const std::string& base, float level, int count);

}  // namespace tw_tools
