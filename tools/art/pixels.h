// Pixel treatment of rendered art: cairo's premultiplied pixels to straight RGBA,
// colour bleeding under transparent pixels, and cutting images into pieces.
#pragma once
#include <cstdint>

#include "common/bmp_writer.h"

namespace tw_tools {

// How far (in pixels) the colour of visible pixels spreads into transparent ones;
// pixels further away take the image's average colour.
constexpr int k_bleed_passes = 16;

// The straight colour value of a premultiplied channel, rounded to nearest; 0 when alpha is 0.
uint8_t unpremultiply(uint8_t value, uint8_t alpha);

// Converts cairo ARGB32 rows (native-endian 0xAARRGGBB words, stride bytes apart)
// into a straight-alpha RGBA image; fully transparent pixels come out black.
c_image_rgba image_from_premultiplied(const uint8_t* data, int width, int height, int stride);

// Gives every pixel of alpha 0 the colour of its nearest visible pixel, up to
// passes pixels away, and the average visible colour beyond that; alpha stays 0.
void bleed_transparent_colour(c_image_rgba& image, int passes = k_bleed_passes);

// True when some pixel has alpha below 255.
bool has_transparency(const c_image_rgba& image);

// True when every pixel has alpha 0 (also for an empty image).
bool is_fully_transparent(const c_image_rgba& image);

// The width x height piece of image whose top-left corner is (x, y); parts
// outside the image are transparent black.
c_image_rgba crop_image(const c_image_rgba& image, int x, int y, int width, int height);

// The image turned clockwise (as seen, rows running down) by quarter_turns quarter turns.
c_image_rgba turn_image(const c_image_rgba& image, int quarter_turns);

}  // namespace tw_tools
