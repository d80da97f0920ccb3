// A render device that draws nothing but adds up the screen area each quad
// covers after projection and clipping to the viewport: the pixels a frame
// asks the rasteriser to fill, transparent ones included. Overdraw is that
// sum over the viewport's pixels.
#pragma once
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/render_device.h"

namespace tw_bench {

class c_render_device_overdraw : public tw::i_render_device {
public:
    using matrix = std::array<float, 16>;  // column-major, as the device receives them

    bool init_extensions() override { return true; }
    void set_fixed_state() override {}
    void viewport(int x, int y, int width, int height) override {
        view_x = float(x), view_y = float(y), view_w = float(width), view_h = float(height);
    }
    void clear(float, float, float, float) override {}
    void load_projection(const float* m) override { std::copy(m, m + 16, projection.begin()); }
    void load_modelview(const float* m) override { std::copy(m, m + 16, stack.back().begin()); }
    void push_modelview() override { stack.push_back(stack.back()); }
    void translate(float x, float y, float z) override {
        const matrix t{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1};
        stack.back() = multiply(stack.back(), t);
    }
    void multiply_modelview(const float* m) override {
        matrix b;
        std::copy(m, m + 16, b.begin());
        stack.back() = multiply(stack.back(), b);
    }
    void pop_modelview() override {
        if (stack.size() > 1) stack.pop_back();
    }
    void bind_texture(uint32_t) override {}
    void blend_function(bool) override {}
    void draw_quads(const tw::vec3* positions, const tw::vec2*, const tw::c_rgba*,
                    int count) override {
        const matrix full = multiply(projection, stack.back());
        for (int q = 0; q + 3 < count; q += 4) {
            std::vector<std::array<float, 2>> polygon;
            for (int i = 0; i < 4; ++i) {
                const tw::vec3& p = positions[q + i];
                const float x = full[0] * p.x + full[4] * p.y + full[8] * p.z + full[12];
                const float y = full[1] * p.x + full[5] * p.y + full[9] * p.z + full[13];
                const float w = full[3] * p.x + full[7] * p.y + full[11] * p.z + full[15];
                polygon.push_back({view_x + (x / w + 1) * 0.5f * view_w,
                                   view_y + (y / w + 1) * 0.5f * view_h});
            }
            pixels += clipped_area(polygon);
            ++quads;
        }
    }
    uint32_t create_texture(uint32_t, int, int, const uint8_t*) override { return ++textures; }
    void delete_texture(uint32_t) override {}

    // Pixels filled since the last reset over the viewport's pixels.
    double overdraw() const { return view_w * view_h > 0 ? pixels / double(view_w * view_h) : 0; }
    void reset() {
        pixels = 0;
        quads = 0;
    }

    double pixels = 0;
    size_t quads = 0;
    uint32_t textures = 0;

private:
    static matrix multiply(const matrix& a, const matrix& b) {
        matrix r{};
        for (int c = 0; c < 4; ++c)
            for (int row = 0; row < 4; ++row)
                for (int k = 0; k < 4; ++k) r[c * 4 + row] += a[k * 4 + row] * b[c * 4 + k];
        return r;
    }
    // Area of the polygon clipped to the viewport (one half-plane at a time).
    double clipped_area(std::vector<std::array<float, 2>> poly) const {
        const float edges[4][3] = {{1, 0, -view_x},
                                   {-1, 0, view_x + view_w},
                                   {0, 1, -view_y},
                                   {0, -1, view_y + view_h}};
        for (const auto& e : edges) {
            std::vector<std::array<float, 2>> out;
            for (size_t i = 0; i < poly.size(); ++i) {
                const auto& a = poly[i];
                const auto& b = poly[(i + 1) % poly.size()];
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
            const auto& a = poly[i];
            const auto& b = poly[(i + 1) % poly.size()];
            twice += double(a[0]) * b[1] - double(b[0]) * a[1];
        }
        return std::fabs(twice) * 0.5;
    }

    matrix projection{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::vector<matrix> stack{matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    float view_x = 0, view_y = 0, view_w = 0, view_h = 0;
};

}  // namespace tw_bench
