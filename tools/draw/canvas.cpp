// Signed-distance shapes and the premultiplied canvas the content tools paint on.
#include "draw/canvas.h"

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

float dot(c_point a, c_point b) { return a.x * b.x + a.y * b.y; }

c_point minus(c_point a, c_point b) { return {a.x - b.x, a.y - b.y}; }

float cross(c_point a, c_point b) { return a.x * b.y - a.y * b.x; }

// Unsigned distance from p to the segment a-b.
float segment_distance(c_point p, c_point a, c_point b) {
    const c_point ab = minus(b, a);
    const c_point ap = minus(p, a);
    const float length_squared = dot(ab, ab);
    const float t = length_squared > 0 ? clamp01(dot(ap, ab) / length_squared) : 0.0f;
    const c_point nearest{a.x + ab.x * t, a.y + ab.y * t};
    const c_point d = minus(p, nearest);
    return std::sqrt(dot(d, d));
}

uint8_t to_byte(float v) { return uint8_t(std::lround(clamp01(v) * 255.0f)); }

}  // namespace

c_colour mix(const c_colour& from, const c_colour& to, float t) {
    t = clamp01(t);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

float smooth_step(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float distance_to_circle(c_point p, c_point centre, float radius) {
    const c_point d = minus(p, centre);
    return std::sqrt(dot(d, d)) - radius;
}

float distance_to_segment(c_point p, c_point a, c_point b, float half_width) {
    return segment_distance(p, a, b) - half_width;
}

float distance_to_triangle(c_point p, c_point a, c_point b, c_point c) {
    const float d = std::min({segment_distance(p, a, b), segment_distance(p, b, c),
                              segment_distance(p, c, a)});
    const float s0 = cross(minus(b, a), minus(p, a));
    const float s1 = cross(minus(c, b), minus(p, b));
    const float s2 = cross(minus(a, c), minus(p, c));
    const bool inside = (s0 >= 0 && s1 >= 0 && s2 >= 0) || (s0 <= 0 && s1 <= 0 && s2 <= 0);
    return inside ? -d : d;
}

float cut_away(float distance_a, float distance_b) { return std::max(distance_a, -distance_b); }

c_canvas::c_canvas(int width, int height)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(size_t(width_) * size_t(height_), c_colour{0, 0, 0, 0}) {}

void c_canvas::clear(const c_colour& colour) {
    const c_colour premultiplied{colour.r * colour.a, colour.g * colour.a, colour.b * colour.a,
                                 colour.a};
    std::fill(pixels_.begin(), pixels_.end(), premultiplied);
}

void c_canvas::blend(int x, int y, const c_colour& colour, float coverage) {
    const float alpha = clamp01(colour.a) * clamp01(coverage);
    if (alpha <= 0) return;
    c_colour& dst = pixels_[size_t(y) * size_t(width_) + size_t(x)];
    const float keep = 1.0f - alpha;
    dst.r = colour.r * alpha + dst.r * keep;
    dst.g = colour.g * alpha + dst.g * keep;
    dst.b = colour.b * alpha + dst.b * keep;
    dst.a = alpha + dst.a * keep;
}

void c_canvas::fill(const t_distance_field& shape, const t_paint& paint) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const c_point centre{x + 0.5f, y + 0.5f};
            // A distance of d pixels from the edge means about 0.5 - d of the
            // pixel lies inside: a one-pixel ramp centred on the edge.
            const float coverage = clamp01(0.5f - shape(centre));
            if (coverage > 0) blend(x, y, paint(centre), coverage);
        }
    }
}

void c_canvas::wash(const std::function<float(c_point)>& glow, const c_colour& colour) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            blend(x, y, colour, glow(c_point{x + 0.5f, y + 0.5f}));
        }
    }
}

c_colour c_canvas::pixel(int x, int y) const {
    const c_colour& p = pixels_[size_t(y) * size_t(width_) + size_t(x)];
    if (p.a <= 0) return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

tw_tools::c_image_rgba c_canvas::to_image(const c_colour& matte) const {
    tw_tools::c_image_rgba image(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            c_colour c = pixel(x, y);
            const uint8_t alpha = to_byte(c.a);
            if (alpha == 0) c = matte;
            uint8_t* out = image.at(x, y);
            out[0] = to_byte(c.r);
            out[1] = to_byte(c.g);
            out[2] = to_byte(c.b);
            out[3] = alpha;
        }
    }
    return image;
}

}  // namespace tw
