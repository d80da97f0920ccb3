// What the title screen does to its painted scene: glow lights laid over it,
// cloud layers that scroll without end, and creatures that cross the view.
#pragma once
#include <cstdint>
#include <string>

#include "platform/render_device.h"

namespace tw {

class c_platform;
class c_scene;
class c_scene_layer;
struct c_scene_graphic;
struct c_scene_level;

// An endless layer's art repeats every this many scene units.
constexpr float k_endless_period = 9580.0f;
// At entry a layer moves left by half a period, so its copy fills the right.
constexpr float k_endless_entry_shift = 4790.0f;
// A layer whose x falls below this moves one period to the right.
constexpr float k_endless_wrap_x = -9880.0f;

constexpr float k_menu_light_half_size = 5000.0f;  // half-extents: the lights are 10000 x 10000
// Share of the flicker's alpha the lights are drawn with: at their full size
// the warm pool reaches the corners, and at full alpha it flattened the
// meadow's shading into haze.
constexpr float k_menu_light_alpha_share = 0.45f;

// Creates a glow graphic showing file over the whole view in level, adds it to
// the scene and the level, and tints it with colour. Returns it.
c_scene_graphic* add_menu_light(c_platform& platform, c_scene& scene, c_scene_level& level,
                                const std::string& name, const std::string& file,
                                const c_rgba& colour);
// Moves the layer half a period left and appends a copy of each of its tiles
// one period further right, so that scrolling it can wrap without a gap.
void make_layer_endless(c_scene_layer& layer);
// Scrolls the layer left by speed and wraps it by one period past the limit.
void scroll_endless_layer(c_scene_layer& layer, float speed);
// Sets all four vertex colours of the graphic's quad.
void set_graphic_colour(c_scene_graphic& graphic, const c_rgba& colour);

}  // namespace tw
