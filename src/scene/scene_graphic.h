// A static textured quad placed in a scene, found by name by chapter code.
#pragma once
#include <memory>
#include <string>

#include "platform/math.h"
#include "platform/vertex_buffer.h"
#include "scene/scene_glow.h"

namespace tw {

class c_platform;

struct c_scene_graphic {
    std::string level_name;
    std::string name;
    std::string file_name;  // texture
    c_quad quad;            // whole texture, white, with the material of file_name
    c_transform transform;
    float half_width = 0;  // scene units
    float half_height = 0;
    // Set for the big soft light pools: drawn as a vertex-coloured grid instead of the quad.
    std::unique_ptr<c_scene_glow> glow;
};

// Makes the graphic a glow (see c_scene_glow); without its bitmap it stays a plain quad.
void make_graphic_glow(c_platform& platform, c_scene_graphic& graphic);

// Builds the graphic's quad from its half sizes with the material of file_name;
// used when a graphic is loaded and when code creates one.
void build_graphic_quad(c_platform& platform, c_scene_graphic& graphic);

}  // namespace tw
