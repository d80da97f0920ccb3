// An item lying in a scene that the player picks up: its quad, the material
// shown once collected, and the puzzle it belongs to.
#pragma once
#include <cstdint>
#include <string>

#include "platform/math.h"
#include "platform/vertex_buffer.h"

namespace tw {

struct c_material;

struct c_scene_collectible {
    std::string level_name;
    c_quad quad;  // drawn with quad.material, which the game may swap for the picked one
    c_material* picked_material = nullptr;  // not owned
    std::string texture_file_name;
    std::string picked_file_name;
    c_transform transform;
    int16_t puzzle_index = 0;
    float half_width = 0;   // scene units: twice the texture's width in pixels
    float half_height = 0;  // scene units: twice the texture's height in pixels
    bool collectable = true;  // cleared by chapter code for items not yet to be taken
};

}  // namespace tw
