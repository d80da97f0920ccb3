// Overdraw of a recorded frame: the screen area every drawn quad covers after
// projection and clipping to the viewport (transparent pixels included, as a
// rasteriser fills them), summed and divided by the viewport's pixels.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/render_device_recording.h"

namespace tw_bench {

namespace overdraw_detail {

using matrix = std::array<float, 16>;  // column-major, as the device receives them
using point = std::array<float, 2>;

inline matrix identity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

inline matrix multiply(const matrix& a, const matrix& b) {
    matrix r{};
    for (int c = 0; c < 4; ++c)
        for (int row = 0; row < 4; ++row)
            for (int k = 0; k < 4; ++k) r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
    return r;
}

// Area of a convex polygon clipped to the rectangle, one half-plane at a time.
inline double clipped_area(std::vector<point> poly, float x, float y, float w, float h) {
    const float edges[4][3] = {{1, 0, -x}, {-1, 0, x + w}, {0, 1, -y}, {0, -1, y + h}};
    for (const auto& e : edges) {
        std::vector<point> out;
        for (size_t i = 0; i < poly.size(); ++i) {
            const point& a = poly[i];
            const point& b = poly[(i + 1) % poly.size()];
            const float da = e[0] * a[0] + e[1] * a[1] + e[2];
            const float db = e[0] * b[0] + e[1] * b[1] + e[2];
            if (da >= 0) out.push_back(a);
            if ((da >= 0) != (db >= 0)) {
                const float t = da / (da - db);
                out.push_back({a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t});
            }
        }
        poly = std::move(out);
        if (poly.empty()) return 0;
    }
    double twice = 0;
    for (size_t i = 0; i < poly.size(); ++i) {
        const point& a = poly[i];
        const point& b = poly[(i + 1) % poly.size()];
        twice += double(a[0]) * b[1] - double(b[0]) * a[1];
    }
    return std::fabs(twice) * 0.5;
}

}  // namespace overdraw_detail

// Replays the matrix calls of a recording and adds up each quad's clipped screen
// area; by_texture, if given, gets each bound texture's share.
inline double overdraw_of(const std::vector<tw::c_render_call>& calls,
                          std::map<uint32_t, double>* by_texture = nullptr) {
    using namespace overdraw_detail;
    using tw::e_render_call;
    matrix projection = identity();
    std::vector<matrix> stack{identity()};
    float vx = 0, vy = 0, vw = 0, vh = 0;
    double pixels = 0;
    uint32_t texture = 0;
    std::map<uint32_t, double> areas;
    for (const tw::c_render_call& call : calls) {
        switch (call.kind) {
            case e_render_call::viewport:
                vx = float(call.ints[0]), vy = float(call.ints[1]);
                vw = float(call.ints[2]), vh = float(call.ints[3]);
                break;
            case e_render_call::bind_texture:
                texture = call.texture;
                break;
            case e_render_call::load_projection:
                projection = call.matrix;
                break;
            case e_render_call::load_modelview:
                stack.back() = call.matrix;
                break;
            case e_render_call::push_modelview:
                stack.push_back(stack.back());
                break;
            case e_render_call::pop_modelview:
                if (stack.size() > 1) stack.pop_back();
                break;
            case e_render_call::translate: {
                matrix t = identity();
                t[12] = call.values[0], t[13] = call.values[1], t[14] = call.values[2];
                stack.back() = multiply(stack.back(), t);
                break;
            }
            case e_render_call::multiply_modelview:
                stack.back() = multiply(stack.back(), call.matrix);
                break;
            case e_render_call::draw_quads: {
                const matrix full = multiply(projection, stack.back());
                for (size_t q = 0; q + 3 < call.positions.size(); q += 4) {
                    std::vector<point> polygon;
                    for (size_t i = q; i < q + 4; ++i) {
                        const tw::vec3& p = call.positions[i];
                        const float x = full[0] * p.x + full[4] * p.y + full[8] * p.z + full[12];
                        const float y = full[1] * p.x + full[5] * p.y + full[9] * p.z + full[13];
                        const float w = full[3] * p.x + full[7] * p.y + full[11] * p.z + full[15];
                        polygon.push_back({vx + (x / w + 1) * 0.5f * vw, vy + (y / w + 1) * 0.5f * vh});
                    }
                    const double area = clipped_area(polygon, vx, vy, vw, vh);
                    pixels += area;
                    areas[texture] += area;
                }
                break;
            }
            default:
                break;
        }
    }
    const double screen = double(vw) * vh;
    if (by_texture && screen > 0)
        for (const auto& [name, area] : areas) (*by_texture)[name] = area / screen;
    return screen > 0 ? pixels / screen : 0;
}

}  // namespace tw_bench
