// A glow drawn as a vertex-coloured grid: untextured, its colours the bitmap
// under the grid tinted as texture modulation does, cells with nothing to show
// left out, and a graphic without its bitmap staying a plain quad.
#include <gtest/gtest.h>

#include "common/bmp_writer.h"
#include "scene/scene_graphic.h"
#include "test_scene_fixture.h"

namespace {

using glow_test = tw_test::c_scene_file_test;

TEST_F(glow_test, draws_the_tinted_bitmap_as_untextured_cells_with_the_empty_ones_left_out) {
    // 8 x 8 texels: the left half white and opaque, the right half clear.
    tw_tools::c_image_rgba image(8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 4; ++x) {
            uint8_t* p = image.at(x, y);
            p[0] = p[1] = p[2] = p[3] = 255;
        }
    ASSERT_TRUE(tw_tools::write_bmp("textures/pool.bmp", image, 32));
    tw::c_scene_graphic graphic;
    graphic.file_name = "pool.bmp";
    graphic.half_width = graphic.half_height = 400;
    tw::build_graphic_quad(platform_, graphic);
    graphic.quad.buffer.set_colour(255, 128, 64, 100);
    tw::make_graphic_glow(platform_, graphic);
    ASSERT_NE(graphic.glow, nullptr);
    // 32 x 32 cells; the columns past the bitmap's clear half (less a filtered border) are gone.
    EXPECT_LT(graphic.glow->quad_count(), 32u * 20);
    EXPECT_GT(graphic.glow->quad_count(), 32u * 16);

    graphic.glow->draw(platform_, graphic);
    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].texture, 0u);
    EXPECT_FALSE(draws[0].additive);
    // The top left corner: white texel tinted (255, 128, 64) at alpha 100.
    EXPECT_EQ(draws[0].colours[0].r, 255);
    EXPECT_EQ(draws[0].colours[0].g, 128);
    EXPECT_EQ(draws[0].colours[0].b, 64);
    EXPECT_EQ(draws[0].colours[0].a, 100);

    tw::c_scene_graphic missing;
    missing.file_name = "none.bmp";
    tw::build_graphic_quad(platform_, missing);
    tw::make_graphic_glow(platform_, missing);
    EXPECT_EQ(missing.glow, nullptr);
}

}  // namespace
