// The glow grid: bilinear samples of the bitmap where the rasteriser would
// have read it, multiplied by the tint as texture modulation does.
#include "scene/scene_glow.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/platform.h"
#include "scene/scene_graphic.h"

namespace tw {

namespace {

// Drawn without a texture, with normal alpha blending.
const c_material k_untextured{nullptr, 0};

// The image at texture coordinates (u right, v down from the top), filtered
// bilinearly with clamped edges as the device samples a magnified texture.
c_rgba sample(const c_image& image, float u, float v) {
    const int channels = image.format == k_image_32bit ? 4 : 3;
    const float x = u * image.width - 0.5f, y = v * image.height - 0.5f;
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const float fx = x - float(x0), fy = y - float(y0);
    float out[4] = {0, 0, 0, 0};
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            const int tx = std::clamp(x0 + dx, 0, image.width - 1);
            const int ty = std::clamp(y0 + dy, 0, image.height - 1);
            // Rows are stored bottom first.
            const uint8_t* texel = image.pixels.data() + size_t(image.height - 1 - ty) * image.stride +
                                   size_t(tx) * channels;
            const float w = (dx ? fx : 1 - fx) * (dy ? fy : 1 - fy);
            for (int c = 0; c < 4; ++c) out[c] += w * (c < channels ? texel[c] : 255);
        }
    }
    return {uint8_t(std::lround(out[0])), uint8_t(std::lround(out[1])), uint8_t(std::lround(out[2])),
            uint8_t(std::lround(out[3]))};
}

uint8_t modulate(uint8_t a, uint8_t b) { return uint8_t((int(a) * int(b) + 127) / 255); }

}  // namespace

bool c_scene_glow::build(c_platform& platform, const c_scene_graphic& graphic, int cells) {
    samples.clear();
    positions.clear();
    uvs.clear();
    colours.clear();
    tinted = false;
    c_image image;
    if (cells <= 0 || !platform.read_texture_image(graphic.file_name, image) ||
        (image.format != k_image_32bit && image.format != k_image_24bit)) {
        return false;
    }
    const vec3* corner = graphic.quad.buffer.positions.get();  // top left, top right, bottom right, bottom left
    const vec2* uv = graphic.quad.buffer.uvs.get();
    auto vertex = [&](int i, int j) {
        const float s = float(i) / float(cells), t = float(j) / float(cells);
        positions.push_back({corner[0].x + (corner[1].x - corner[0].x) * s,
                             corner[0].y + (corner[3].y - corner[0].y) * t, 0});
        uvs.push_back({0, 0});
        samples.push_back(sample(image, uv[0].x + (uv[1].x - uv[0].x) * s,
                                 uv[0].y + (uv[3].y - uv[0].y) * t));
    };
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            const size_t first = samples.size();
            vertex(i, j);
            vertex(i + 1, j);
            vertex(i + 1, j + 1);
            vertex(i, j + 1);
            // A cell whose corners are all clear draws nothing: leave it out.
            if (std::all_of(samples.begin() + long(first), samples.end(),
                            [](const c_rgba& c) { return c.a == 0; })) {
                samples.resize(first);
                positions.resize(first);
                uvs.resize(first);
            }
        }
    }
    colours.resize(samples.size());
    return true;
}

void c_scene_glow::draw(c_platform& platform, const c_scene_graphic& graphic) {
    if (positions.empty()) return;
    const c_rgba& now = graphic.quad.buffer.colours[0];
    if (!tinted || now.r != tint.r || now.g != tint.g || now.b != tint.b || now.a != tint.a) {
        for (size_t i = 0; i < samples.size(); ++i) {
            colours[i] = {modulate(samples[i].r, now.r), modulate(samples[i].g, now.g),
                          modulate(samples[i].b, now.b), modulate(samples[i].a, now.a)};
        }
        tint = now;
        tinted = true;
    }
    platform.bind_material(&k_untextured);
    platform.draw_arrays(graphic.transform, positions.data(), uvs.data(), colours.data(),
                         int(positions.size()));
}

void make_graphic_glow(c_platform& platform, c_scene_graphic& graphic) {
    auto glow = std::make_unique<c_scene_glow>();
    graphic.glow = glow->build(platform, graphic) ? std::move(glow) : nullptr;
}

}  // namespace tw
