// The visible regions of decoded images: opaque pictures and nearly full ones
// stay whole, empty ones vanish, and a mostly empty one keeps the blocks round
// its visible texels, with the margin, and nothing else.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/texture_regions.h"

namespace {

// A 32-bit image of w x h texels, all transparent; rows are stored bottom first.
tw::c_image rgba(int w, int h) {
    tw::c_image image;
    image.format = tw::k_image_32bit;
    image.width = uint16_t(w);
    image.height = uint16_t(h);
    image.stride = uint16_t(w * 4);
    image.pixels.assign(size_t(w) * h * 4, 0);
    return image;
}

// Gives the texel at column x, row y counted from the top an alpha of 255.
void show(tw::c_image& image, int x, int y) {
    image.pixels[size_t(image.height - 1 - y) * image.stride + size_t(x) * 4 + 3] = 255;
}

float area(const std::vector<tw::c_texture_region>& regions) {
    float sum = 0;
    for (const auto& r : regions) sum += (r.u1 - r.u0) * (r.v1 - r.v0);
    return sum;
}

TEST(texture_regions, keep_the_visible_blocks_with_their_margin) {
    tw::c_image opaque;
    opaque.format = tw::k_image_24bit;
    opaque.width = opaque.height = 64;
    EXPECT_FLOAT_EQ(area(tw::visible_regions(opaque)), 1.0f);

    tw::c_image image = rgba(256, 256);
    EXPECT_TRUE(tw::visible_regions(image).empty());

    // One texel in block (4, 10): blocks 3..5 across and 9..11 down remain, one rectangle.
    show(image, 4 * 16 + 7, 10 * 16 + 2);
    auto regions = tw::visible_regions(image);
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_FLOAT_EQ(regions[0].u0, 3 * 16 / 256.0f);
    EXPECT_FLOAT_EQ(regions[0].u1, 6 * 16 / 256.0f);
    EXPECT_FLOAT_EQ(regions[0].v0, 9 * 16 / 256.0f);
    EXPECT_FLOAT_EQ(regions[0].v1, 12 * 16 / 256.0f);

    // Two texels far apart: two rectangles; every visible texel lies inside one.
    show(image, 250, 3);
    regions = tw::visible_regions(image);
    EXPECT_EQ(regions.size(), 2u);
    EXPECT_NEAR(area(regions), 2 * 9 * 256 / 65536.0f - 5 * 256 / 65536.0f, 1e-6f);  // the corner block's margin is cut by the edge

    // A picture visible almost everywhere is not worth cutting up.
    for (int y = 0; y < 256; y += 16)
        for (int x = 0; x < 240; x += 16) show(image, x, y);
    EXPECT_FLOAT_EQ(area(tw::visible_regions(image)), 1.0f);
}

}  // namespace
