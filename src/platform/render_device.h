// The render seam: the few drawing operations the game needs. Real: OpenGL 1.x
// with GLU (platform/backend); for tests: c_render_device_recording.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/math.h"

namespace tw {

struct c_rgba {
    uint8_t r = 255, g = 255, b = 255, a = 255;
};

// Pixel formats of uploaded textures, with the OpenGL enumeration values so the
// texture record can keep the format without including GL headers.
constexpr uint32_t k_format_alpha = 0x1906;
constexpr uint32_t k_format_rgb = 0x1907;
constexpr uint32_t k_format_rgba = 0x1908;
constexpr uint32_t k_format_luminance = 0x1909;

// Bytes per pixel of an upload format; unknown formats count as one byte.
constexpr int format_bytes_per_pixel(uint32_t format) {
    return format == k_format_rgb ? 3 : format == k_format_rgba ? 4 : 1;
}

class i_render_device {
public:
    virtual ~i_render_device() = default;
    // Loads the extension entry points once a context exists; false on failure.
    virtual bool init_extensions() = 0;
    // The fixed state: colour material, back-face cull mode (culling off),
    // smooth shading, line width 1.3, alpha blending, texture unit 0, 2D texturing.
    virtual void set_fixed_state() = 0;
    virtual void viewport(int x, int y, int width, int height) = 0;
    // Clears the colour buffer to (r, g, b, a), then the depth buffer.
    virtual void clear(float r, float g, float b, float a) = 0;
    // Whole column-major 4x4 matrices.
    virtual void load_projection(const float m[16]) = 0;
    virtual void load_modelview(const float m[16]) = 0;
    virtual void push_modelview() = 0;
    virtual void translate(float x, float y, float z) = 0;
    virtual void multiply_modelview(const float m[16]) = 0;
    virtual void pop_modelview() = 0;
    // 0 unbinds.
    virtual void bind_texture(uint32_t name) = 0;
    // Source alpha, destination one (additive) or one minus source alpha.
    virtual void blend_function(bool additive) = 0;
    // Immediate-mode quads: per vertex, colour i, texture coordinate
    // (u, 1 - v) of uv i, then position i.
    virtual void draw_quads(const vec3* positions, const vec2* uvs, const c_rgba* colours,
                            int count) = 0;
    // Uploads level 0 and the full mipmap chain (linear / linear-mipmap-linear,
    // clamp to edge, unpack alignment 4); returns the texture name.
    virtual uint32_t create_texture(uint32_t format, int width, int height,
                                    const uint8_t* pixels) = 0;
    virtual void delete_texture(uint32_t name) = 0;
    // The drawn frame (the buffer not yet presented) from (0, 0) to (width,
    // height) as RGBA bytes, top row first; false if it cannot be read.
    virtual bool read_pixels(int width, int height, std::vector<uint8_t>& rgba) = 0;
};

}  // namespace tw
