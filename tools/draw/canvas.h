// A floating-point RGBA canvas for the content tools, painted with signed-distance
// shapes so every edge is anti-aliased, and the distance functions themselves.
#pragma once
#include <functional>
#include <vector>

#include "common/bmp_writer.h"

namespace tw {

// A point or direction in canvas pixels, y downwards.
struct c_point {
    float x = 0;
    float y = 0;
};

// A straight-alpha colour, each channel 0..1.
struct c_colour {
    float r = 0;
    float g = 0;
    float b = 0;
    float a = 1;
};

// Linear blend: t = 0 gives from, t = 1 gives to (t is clamped).
c_colour mix(const c_colour& from, const c_colour& to, float t);
// Hermite step from 0 at edge0 to 1 at edge1; 0 or 1 outside.
float smooth_step(float edge0, float edge1, float x);

// Signed distances in pixels: negative inside, positive outside.
float distance_to_circle(c_point p, c_point centre, float radius);
// Distance to a segment thickened to the given half width (a capsule).
float distance_to_segment(c_point p, c_point a, c_point b, float half_width);
// Distance to the triangle a, b, c (either winding).
float distance_to_triangle(c_point p, c_point a, c_point b, c_point c);
// Shape a with shape b cut away.
float cut_away(float distance_a, float distance_b);

// A signed distance field and the colour of the shape at each point.
using t_distance_field = std::function<float(c_point)>;
using t_paint = std::function<c_colour(c_point)>;

// Premultiplied RGBA pixels, top row first; starts fully transparent.
class c_canvas {
public:
    c_canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    // Covers the whole canvas with one colour (replacing what was there).
    void clear(const c_colour& colour);
    // Paints the shape over the canvas; an edge pixel is covered by the share of
    // the pixel inside the shape, so edges blend smoothly into what lies below.
    void fill(const t_distance_field& shape, const t_paint& paint);
    // Paints the colour over every pixel with its alpha scaled by glow(pixel centre),
    // for halos and light that have no hard edge; glow is clamped to 0..1.
    void wash(const std::function<float(c_point)>& glow, const c_colour& colour);

    // Straight-alpha colour of a pixel (colour is 0 where alpha is 0).
    c_colour pixel(int x, int y) const;
    // Converts to 8-bit straight alpha; fully transparent pixels take matte's colour
    // so texture filtering at the edges bleeds that colour rather than black.
    tw_tools::c_image_rgba to_image(const c_colour& matte) const;

private:
    void blend(int x, int y, const c_colour& colour, float coverage);

    int width_;
    int height_;
    std::vector<c_colour> pixels_;  // premultiplied
};

}  // namespace tw
