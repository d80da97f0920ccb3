// A render device that draws nothing and records every call made to it, so
// tests can check matrices, bindings, blend modes, draws and texture names.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "platform/render_device.h"

namespace tw {

enum class e_render_call {
    init_extensions,
    set_fixed_state,
    viewport,
    clear,
    load_projection,
    load_modelview,
    push_modelview,
    translate,
    multiply_modelview,
    pop_modelview,
    bind_texture,
    blend_function,
    draw_quads,
    create_texture,
    delete_texture,
    read_pixels,
};

// One call made to the device with its arguments; fields a call has no use for keep defaults.
struct c_render_call {
    e_render_call kind = e_render_call::init_extensions;
    std::array<float, 16> matrix{};  // load_projection, load_modelview, multiply_modelview
    float values[4] = {0, 0, 0, 0};  // translate x y z; clear r g b a
    int ints[4] = {0, 0, 0, 0};      // viewport x y w h; create_texture w h
    uint32_t texture = 0;            // bind, delete, or the name create_texture returned
    uint32_t format = 0;             // create_texture
    bool additive = false;           // blend_function
    std::vector<vec3> positions;     // draw_quads, as received
    std::vector<vec2> uvs;
    std::vector<c_rgba> colours;
    std::vector<uint8_t> pixels;     // create_texture: the bytes of all rows, stride-padded
};

// A draw with the texture and blend mode in effect when it was made.
struct c_recorded_draw {
    uint32_t texture = 0;
    bool additive = false;
    std::vector<vec3> positions;
    std::vector<vec2> uvs;
    std::vector<c_rgba> colours;
};

class c_render_device_recording : public i_render_device {
public:
    // Records the call; returns init_result.
    bool init_extensions() override;
    // Records the call.
    void set_fixed_state() override;
    // Records the rectangle.
    void viewport(int x, int y, int width, int height) override;
    // Records the colour.
    void clear(float r, float g, float b, float a) override;
    // Records a copy of the matrix.
    void load_projection(const float m[16]) override;
    // Records a copy of the matrix.
    void load_modelview(const float m[16]) override;
    // Records the call.
    void push_modelview() override;
    // Records the offset.
    void translate(float x, float y, float z) override;
    // Records a copy of the matrix.
    void multiply_modelview(const float m[16]) override;
    // Records the call.
    void pop_modelview() override;
    // Records the name and makes it the bound texture.
    void bind_texture(uint32_t name) override;
    // Records the mode and makes it the current blend mode.
    void blend_function(bool additive) override;
    // Records copies of the first count vertices.
    void draw_quads(const vec3* positions, const vec2* uvs, const c_rgba* colours,
                    int count) override;
    // Records the upload; returns 1, 2, 3, ... (0 for null pixels or a zero size).
    uint32_t create_texture(uint32_t format, int width, int height,
                            const uint8_t* pixels) override;
    // Records the name among the deleted ones.
    void delete_texture(uint32_t name) override;
    // Records the size; the picture is the last clear colour everywhere.
    bool read_pixels(int width, int height, std::vector<uint8_t>& rgba) override;

    // Number of recorded calls of the given kind.
    int count(e_render_call kind) const;
    // The recorded calls of the given kind, in order.
    std::vector<c_render_call> calls_of(e_render_call kind) const;
    // The draws in order with the texture and blend mode each was made with.
    std::vector<c_recorded_draw> draws() const;
    // The kinds of all recorded calls, in order.
    std::vector<e_render_call> kinds() const;
    // Names created and not yet deleted.
    std::vector<uint32_t> live_textures() const;

    std::vector<c_render_call> calls;
    std::vector<uint32_t> created_textures;
    std::vector<uint32_t> deleted_textures;
    uint32_t bound_texture = 0;
    bool additive = false;
    bool init_result = true;

private:
    void record_matrix(e_render_call kind, const float m[16]);

    uint32_t next_name_ = 1;
};

}  // namespace tw
