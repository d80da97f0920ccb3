// The art tool's pixel treatment: cairo's premultiplied pixels come back with their
// true colour, and transparent pixels take the colour of the nearest visible ones.
#include <cairo.h>
#include <gtest/gtest.h>

#include "art/pixels.h"

namespace tw_tools {
namespace {

struct c_unpremultiply_case {
    uint8_t value;
    uint8_t alpha;
    uint8_t straight;
};

TEST(art_pixels, unpremultiply_rounds_to_nearest_and_clamps) {
    const c_unpremultiply_case cases[] = {
        {128, 128, 255},  // opaque-in-its-alpha full channel
        {64, 128, 128},   // 127.5 rounds up
        {1, 3, 85},
        {2, 3, 170},
        {200, 255, 200},  // opaque pixels are unchanged
        {0, 0, 0},        // no alpha, no colour
        {90, 60, 255},    // broken input above alpha stays in range
    };
    for (const c_unpremultiply_case& c : cases) {
        EXPECT_EQ(unpremultiply(c.value, c.alpha), c.straight) << int(c.value) << "/" << int(c.alpha);
    }
}

TEST(art_pixels, half_transparent_red_from_cairo_comes_back_red_not_dark) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 2, 1);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgba(cr, 1, 0, 0, 0.5);
    cairo_rectangle(cr, 0, 0, 1, 1);
    cairo_fill(cr);
    cairo_surface_flush(surface);
    const c_image_rgba image =
        image_from_premultiplied(cairo_image_surface_get_data(surface), 2, 1, cairo_image_surface_get_stride(surface));
    cairo_destroy(cr);
    cairo_surface_destroy(surface);

    const uint8_t* red = image.at(0, 0);
    EXPECT_EQ(red[0], 255);
    EXPECT_EQ(red[1], 0);
    EXPECT_EQ(red[2], 0);
    EXPECT_NEAR(red[3], 128, 1);
    EXPECT_EQ(image.at(1, 0)[3], 0);
}

void set_pixel(c_image_rgba& image, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    uint8_t* p = image.at(x, y);
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
}

void expect_colour(const c_image_rgba& image, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    const uint8_t* p = image.at(x, y);
    EXPECT_EQ(p[0], r) << x << "," << y;
    EXPECT_EQ(p[1], g) << x << "," << y;
    EXPECT_EQ(p[2], b) << x << "," << y;
    EXPECT_EQ(p[3], a) << x << "," << y;
}

TEST(art_pixels, transparent_neighbours_of_green_turn_green_and_stay_transparent) {
    c_image_rgba image(3, 3);
    set_pixel(image, 1, 1, 0, 200, 0, 255);
    bleed_transparent_colour(image);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            expect_colour(image, x, y, 0, 200, 0, x == 1 && y == 1 ? 255 : 0);
        }
    }
}

TEST(art_pixels, bleeding_prefers_the_nearer_edge_neighbour_over_a_corner) {
    c_image_rgba image(2, 2);
    set_pixel(image, 0, 0, 255, 0, 0, 255);  // corner of (1, 1)
    set_pixel(image, 0, 1, 0, 0, 255, 40);   // edge neighbour of (1, 1), faint but visible
    bleed_transparent_colour(image);
    expect_colour(image, 1, 1, 0, 0, 255, 0);
    expect_colour(image, 0, 1, 0, 0, 255, 40);  // visible pixels keep their colour
}

TEST(art_pixels, pixels_beyond_the_bleed_reach_take_the_average_visible_colour) {
    c_image_rgba image(5, 1);
    set_pixel(image, 0, 0, 255, 0, 0, 255);
    set_pixel(image, 1, 0, 0, 0, 255, 255);
    bleed_transparent_colour(image, 1);
    expect_colour(image, 2, 0, 0, 0, 255, 0);   // reached by the one pass
    expect_colour(image, 3, 0, 128, 0, 128, 0);  // beyond it: average of red and blue
    expect_colour(image, 4, 0, 128, 0, 128, 0);
}

TEST(art_pixels, an_image_with_nothing_visible_is_left_transparent_black) {
    c_image_rgba image(2, 2);
    bleed_transparent_colour(image);
    for (uint8_t byte : image.pixels) EXPECT_EQ(byte, 0);
    EXPECT_TRUE(is_fully_transparent(image));
    EXPECT_TRUE(has_transparency(image));
}

TEST(art_pixels, crop_pads_outside_parts_with_transparency) {
    c_image_rgba image(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) set_pixel(image, x, y, uint8_t(10 * x), uint8_t(10 * y), 1, 255);
    const c_image_rgba piece = crop_image(image, 2, 1, 2, 2);
    expect_colour(piece, 0, 0, 20, 10, 1, 255);
    expect_colour(piece, 1, 0, 0, 0, 0, 0);
    expect_colour(piece, 0, 1, 0, 0, 0, 0);
    EXPECT_FALSE(is_fully_transparent(piece));
    EXPECT_TRUE(is_fully_transparent(crop_image(image, 3, 0, 2, 2)));
    EXPECT_FALSE(has_transparency(crop_image(image, 0, 0, 3, 2)));
}

}  // namespace
}  // namespace tw_tools
