// Content tool: paints the loading screen's two bitmaps, the Zelt studio logo
// (a glowing tent under a crescent, with a thistle) and a plain white texture.
#include <cmath>
#include <cstdio>
#include <string>

#include "common/bmp_writer.h"
#include "draw/canvas.h"

namespace tw {

namespace {

// The logo is placed at 64x32 screen units; two pixels per unit keeps it sharp.
constexpr int k_logo_width = 128;
constexpr int k_logo_height = 64;
constexpr int k_blank_size = 16;
constexpr int k_bits_with_alpha = 32;

// Where the tent stands, in logo pixels.
constexpr c_point k_tent_left{40, 55};
constexpr c_point k_tent_right{88, 55};
constexpr c_point k_tent_apex{64, 16};
constexpr c_point k_door_top{64, 33};
constexpr float k_ground_y = 55.5f;

// Warm palette: lantern light inside the tent, canvas, shade, night-sky gold.
constexpr c_colour k_lantern{1.00f, 0.72f, 0.30f, 1};
constexpr c_colour k_door_deep{1.00f, 0.80f, 0.38f, 1};
constexpr c_colour k_door_bright{1.00f, 0.96f, 0.72f, 1};
constexpr c_colour k_canvas_top{0.76f, 0.30f, 0.14f, 1};
constexpr c_colour k_canvas_bottom{0.95f, 0.55f, 0.22f, 1};
constexpr c_colour k_shade{0.30f, 0.10f, 0.06f, 0.30f};
constexpr c_colour k_wood{0.36f, 0.20f, 0.10f, 1};
constexpr c_colour k_rope{0.55f, 0.36f, 0.20f, 0.85f};
constexpr c_colour k_moon{1.00f, 0.90f, 0.60f, 1};
constexpr c_colour k_star{1.00f, 0.95f, 0.82f, 0.85f};
constexpr c_colour k_stem{0.33f, 0.50f, 0.24f, 1};
constexpr c_colour k_bloom{0.68f, 0.36f, 0.72f, 1};

t_paint solid(const c_colour& colour) {
    return [colour](c_point) { return colour; };
}

constexpr c_point k_moon_centre{90, 15};
constexpr float k_moon_radius = 8.0f;

float distance_to_moon(c_point p) {
    return cut_away(distance_to_circle(p, k_moon_centre, k_moon_radius),
                    distance_to_circle(p, {93.5f, 12.0f}, 7.0f));
}

void paint_sky(c_canvas& canvas) {
    // The halo surrounds the whole disc, so the dark part of the moon shows faintly.
    canvas.wash(
        [](c_point p) {
            return 0.35f * (1.0f - smooth_step(0.0f, 9.0f, distance_to_circle(p, k_moon_centre, k_moon_radius)));
        },
        k_moon);
    canvas.fill(distance_to_moon, solid(k_moon));
    const c_point stars[] = {{30, 14}, {43, 7}, {104, 31}, {18, 27}, {113, 9}, {76, 6}};
    for (c_point star : stars) {
        canvas.fill([star](c_point p) { return distance_to_circle(p, star, 0.9f); }, solid(k_star));
    }
}

void paint_tent(c_canvas& canvas) {
    // Light spilling from the open door onto the ground and the night around it.
    canvas.wash(
        [](c_point p) {
            const float dx = (p.x - 64.0f) * 0.7f;
            const float dy = p.y - 47.0f;
            return 0.6f * (1.0f - smooth_step(0.0f, 30.0f, std::sqrt(dx * dx + dy * dy)));
        },
        k_lantern);
    canvas.fill([](c_point p) { return distance_to_segment(p, {20, k_ground_y}, {108, k_ground_y}, 1.3f); },
                [](c_point p) {
                    c_colour c = k_wood;
                    c.a = 1.0f - smooth_step(20.0f, 44.0f, std::fabs(p.x - 64.0f));
                    return c;
                });
    const c_point rope_ends[][2] = {{{47, 43}, {33, 55}}, {{81, 43}, {95, 55}}};
    for (const auto& rope : rope_ends) {
        canvas.fill([rope](c_point p) { return distance_to_segment(p, rope[0], rope[1], 0.45f); },
                    solid(k_rope));
        canvas.fill([rope](c_point p) { return distance_to_segment(p, rope[1], {rope[1].x, rope[1].y - 3}, 0.8f); },
                    solid(k_wood));
    }
    canvas.fill([](c_point p) { return distance_to_segment(p, k_tent_apex, {59, 10}, 0.9f); }, solid(k_wood));
    canvas.fill([](c_point p) { return distance_to_segment(p, k_tent_apex, {69, 10}, 0.9f); }, solid(k_wood));
    canvas.fill([](c_point p) { return distance_to_triangle(p, k_tent_left, k_tent_right, k_tent_apex); },
                [](c_point p) {
                    const float height = (p.y - k_tent_apex.y) / (k_tent_left.y - k_tent_apex.y);
                    return mix(k_canvas_top, k_canvas_bottom, height);
                });
    // The right-hand slope is turned away from the lantern.
    canvas.fill([](c_point p) {
        return distance_to_triangle(p, k_tent_apex, k_tent_right, {k_tent_apex.x, k_tent_right.y});
    }, solid(k_shade));
    canvas.fill([](c_point p) { return distance_to_triangle(p, {55, 55}, {73, 55}, k_door_top); },
                [](c_point p) {
                    const float depth = (p.y - k_door_top.y) / (k_tent_left.y - k_door_top.y);
                    return mix(k_door_deep, k_door_bright, depth);
                });
}

void paint_thistle(c_canvas& canvas) {
    canvas.fill([](c_point p) { return distance_to_segment(p, {26, 55}, {27, 41}, 0.7f); }, solid(k_stem));
    canvas.fill([](c_point p) { return distance_to_triangle(p, {26.5f, 50}, {21, 45}, {26.5f, 47}); },
                solid(k_stem));
    canvas.fill([](c_point p) { return distance_to_triangle(p, {26.8f, 47}, {32, 43}, {26.8f, 45}); },
                solid(k_stem));
    const c_point tuft[] = {{24, 32.5f}, {27, 31.5f}, {30, 32.5f}};
    for (c_point tip : tuft) {
        canvas.fill([tip](c_point p) { return distance_to_segment(p, {27, 37.5f}, tip, 0.75f); },
                    solid(k_bloom));
    }
    canvas.fill([](c_point p) { return distance_to_circle(p, {27, 37.5f}, 3.0f); }, solid(k_bloom));
    canvas.fill([](c_point p) { return distance_to_circle(p, {27, 41.0f}, 2.6f); }, solid(k_stem));
}

bool write_logo(const std::string& path) {
    c_canvas canvas(k_logo_width, k_logo_height);
    paint_sky(canvas);
    paint_tent(canvas);
    paint_thistle(canvas);
    return tw_tools::write_bmp(path, canvas.to_image(k_lantern), k_bits_with_alpha);
}

bool write_blank(const std::string& path) {
    c_canvas canvas(k_blank_size, k_blank_size);
    canvas.clear({1, 1, 1, 1});
    return tw_tools::write_bmp(path, canvas.to_image({1, 1, 1, 1}), k_bits_with_alpha);
}

}  // namespace

}  // namespace tw

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <texture folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string files[] = {folder + "/zelt_small.bmp", folder + "/blank.bmp"};
    const bool written[] = {tw::write_logo(files[0]), tw::write_blank(files[1])};
    for (int i = 0; i < 2; ++i) {
        if (!written[i]) {
            std::fprintf(stderr, "make_loading_art: cannot write %s\n", files[i].c_str());
            return 1;
        }
    }
    return 0;
}
