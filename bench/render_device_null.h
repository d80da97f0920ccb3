// A render device that draws nothing and keeps nothing, for timing the engine's
// own cost per frame without a GPU or the recording device's vertex copies.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/render_device.h"

namespace tw_bench {

class c_render_device_null : public tw::i_render_device {
public:
    bool init_extensions() override { return true; }
    void set_fixed_state() override {}
    void viewport(int, int, int, int) override {}
    void clear(float, float, float, float) override {}
    void load_projection(const float*) override {}
    void load_modelview(const float*) override {}
    void push_modelview() override {}
    void translate(float, float, float) override {}
    void multiply_modelview(const float*) override {}
    void pop_modelview() override {}
    void bind_texture(uint32_t) override {}
    void blend_function(bool) override {}
    void draw_quads(const tw::vec3*, const tw::vec2*, const tw::c_rgba*, int) override { ++quads; }
    uint32_t create_texture(uint32_t, int, int, const uint8_t*) override { return ++textures; }
    void delete_texture(uint32_t) override {}
    bool read_pixels(int, int, std::vector<uint8_t>&) override { return false; }

    size_t quads = 0;
    uint32_t textures = 0;
};

}  // namespace tw_bench
