// A glow: a big soft bitmap stretched over much of the screen (the light pools
// of the title screen and the chapters), drawn as a grid of untextured quads
// whose vertex colours follow the bitmap. A software renderer fills untextured
// quads several times faster than sampled ones; with 32 cells a side the
// picture stays within a level of 255 of the stretched bitmap, and cells with
// nothing visible are left out.
#pragma once
#include <string>
#include <vector>

#include "platform/math.h"
#include "platform/vertex_buffer.h"

namespace tw {

class c_platform;
struct c_scene_graphic;

constexpr int k_glow_cells = 32;

class c_scene_glow {
public:
    // Samples the graphic's bitmap at every grid vertex over its quad; false
    // (and nothing to draw) when the bitmap cannot be read.
    bool build(c_platform& platform, const c_scene_graphic& graphic, int cells = k_glow_cells);
    // Draws the grid under the graphic's transform, tinted by the colour of the
    // graphic's quad as the bitmap would be.
    void draw(c_platform& platform, const c_scene_graphic& graphic);

    size_t quad_count() const { return positions.size() / 4; }

private:
    std::vector<c_rgba> samples;  // the bitmap at each quad vertex, in drawing order
    std::vector<vec3> positions;
    std::vector<vec2> uvs;
    std::vector<c_rgba> colours;
    c_rgba tint{0, 0, 0, 0};
    bool tinted = false;
};

}  // namespace tw
