// The parts of a texture worth drawing: rectangles that together hold every
// texel with alpha above 0, grown by a margin so that filtering and the
// smaller mipmap levels read nothing but transparent texels outside them.
// Drawing only these parts of a mostly transparent texture leaves the
// picture as it was and saves the rasteriser the empty area.
#pragma once
#include <vector>

namespace tw {

struct c_image;

// A rectangle in texture fractions: u to the right, v down from the top row.
struct c_texture_region {
    float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

constexpr int k_region_block = 16;  // texels; the grid the regions are made of
constexpr int k_region_margin = 1;  // blocks added round every block with content

// Regions of a decoded image. An image without alpha, or one whose regions
// would leave out less than a sixth of it, gives one region covering it all;
// an image with no visible texel gives none.
std::vector<c_texture_region> visible_regions(const c_image& image);

}  // namespace tw
