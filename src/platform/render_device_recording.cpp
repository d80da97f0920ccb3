// The recording render device: every call is appended to a public list; texture
// names are handed out from 1 upwards and bindings and blend mode are tracked.
#include "platform/render_device_recording.h"

#include <algorithm>

namespace tw {

namespace {

c_render_call make_call(e_render_call kind) {
    c_render_call call;
    call.kind = kind;
    return call;
}

}  // namespace

bool c_render_device_recording::init_extensions() {
    calls.push_back(make_call(e_render_call::init_extensions));
    return init_result;
}

void c_render_device_recording::set_fixed_state() {
    calls.push_back(make_call(e_render_call::set_fixed_state));
}

void c_render_device_recording::viewport(int x, int y, int width, int height) {
    c_render_call call = make_call(e_render_call::viewport);
    call.ints[0] = x;
    call.ints[1] = y;
    call.ints[2] = width;
    call.ints[3] = height;
    calls.push_back(call);
}

void c_render_device_recording::clear(float r, float g, float b, float a) {
    c_render_call call = make_call(e_render_call::clear);
    call.values[0] = r;
    call.values[1] = g;
    call.values[2] = b;
    call.values[3] = a;
    calls.push_back(call);
}

void c_render_device_recording::record_matrix(e_render_call kind, const float m[16]) {
    c_render_call call = make_call(kind);
    std::copy(m, m + 16, call.matrix.begin());
    calls.push_back(call);
}

void c_render_device_recording::load_projection(const float m[16]) {
    record_matrix(e_render_call::load_projection, m);
}

void c_render_device_recording::load_modelview(const float m[16]) {
    record_matrix(e_render_call::load_modelview, m);
}

void c_render_device_recording::push_modelview() {
    calls.push_back(make_call(e_render_call::push_modelview));
}

void c_render_device_recording::translate(float x, float y, float z) {
    c_render_call call = make_call(e_render_call::translate);
    call.values[0] = x;
    call.values[1] = y;
    call.values[2] = z;
    calls.push_back(call);
}

void c_render_device_recording::multiply_modelview(const float m[16]) {
    record_matrix(e_render_call::multiply_modelview, m);
}

void c_render_device_recording::pop_modelview() {
    calls.push_back(make_call(e_render_call::pop_modelview));
}

void c_render_device_recording::bind_texture(uint32_t name) {
    c_render_call call = make_call(e_render_call::bind_texture);
    call.texture = name;
    calls.push_back(call);
    bound_texture = name;
}

void c_render_device_recording::blend_function(bool is_additive) {
    c_render_call call = make_call(e_render_call::blend_function);
    call.additive = is_additive;
    calls.push_back(call);
    additive = is_additive;
}

void c_render_device_recording::draw_quads(const vec3* positions, const vec2* uvs,
                                           const c_rgba* colours, int count) {
    c_render_call call = make_call(e_render_call::draw_quads);
    if (count > 0) {
        call.positions.assign(positions, positions + count);
        call.uvs.assign(uvs, uvs + count);
        call.colours.assign(colours, colours + count);
    }
    calls.push_back(call);
}

uint32_t c_render_device_recording::create_texture(uint32_t format, int width, int height,
                                                   const uint8_t* pixels) {
    c_render_call call = make_call(e_render_call::create_texture);
    call.format = format;
    call.ints[0] = width;
    call.ints[1] = height;
    if (pixels && width > 0 && height > 0) {
        const size_t stride = (size_t(width) * format_bytes_per_pixel(format) + 3) & ~size_t(3);
        call.pixels.assign(pixels, pixels + stride * size_t(height));
        call.texture = next_name_++;
        created_textures.push_back(call.texture);
    }
    calls.push_back(call);
    return call.texture;
}

void c_render_device_recording::delete_texture(uint32_t name) {
    c_render_call call = make_call(e_render_call::delete_texture);
    call.texture = name;
    calls.push_back(call);
    deleted_textures.push_back(name);
}

bool c_render_device_recording::read_pixels(int width, int height, std::vector<uint8_t>& rgba) {
    c_render_call call = make_call(e_render_call::read_pixels);
    call.ints[0] = width;
    call.ints[1] = height;
    calls.push_back(call);
    if (width <= 0 || height <= 0) return false;
    c_rgba colour{0, 0, 0, 0};
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->kind != e_render_call::clear) continue;
        colour = {uint8_t(it->values[0] * 255), uint8_t(it->values[1] * 255),
                  uint8_t(it->values[2] * 255), uint8_t(it->values[3] * 255)};
        break;
    }
    rgba.resize(size_t(width) * size_t(height) * 4);
    for (size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = colour.r;
        rgba[i + 1] = colour.g;
        rgba[i + 2] = colour.b;
        rgba[i + 3] = colour.a;
    }
    return true;
}

int c_render_device_recording::count(e_render_call kind) const {
    return int(std::count_if(calls.begin(), calls.end(),
                             [kind](const c_render_call& c) { return c.kind == kind; }));
}

std::vector<c_render_call> c_render_device_recording::calls_of(e_render_call kind) const {
    std::vector<c_render_call> out;
    for (const c_render_call& call : calls) {
        if (call.kind == kind) out.push_back(call);
    }
    return out;
}

std::vector<c_recorded_draw> c_render_device_recording::draws() const {
    std::vector<c_recorded_draw> out;
    uint32_t texture = 0;
    bool is_additive = false;
    for (const c_render_call& call : calls) {
        if (call.kind == e_render_call::bind_texture) texture = call.texture;
        if (call.kind == e_render_call::blend_function) is_additive = call.additive;
        if (call.kind == e_render_call::draw_quads) {
            out.push_back(
                c_recorded_draw{texture, is_additive, call.positions, call.uvs, call.colours});
        }
    }
    return out;
}

std::vector<e_render_call> c_render_device_recording::kinds() const {
    std::vector<e_render_call> out;
    for (const c_render_call& call : calls) out.push_back(call.kind);
    return out;
}

std::vector<uint32_t> c_render_device_recording::live_textures() const {
    std::vector<uint32_t> out;
    for (uint32_t name : created_textures) {
        if (std::find(deleted_textures.begin(), deleted_textures.end(), name) ==
            deleted_textures.end()) {
            out.push_back(name);
        }
    }
    return out;
}

}  // namespace tw
