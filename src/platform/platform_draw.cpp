// The platform's drawing and camera part: material binding, drawing the current
// vertex buffer under a transform, rectangles, and the orthographic views.
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/platform.h"

namespace tw {

namespace {

constexpr int k_quad_vertex_count = 4;
constexpr float k_near_plane = 32.0f;
constexpr float k_far_plane = 256.0f;
constexpr float k_eye_z = -128.0f;  // the camera looks along +z from here

// Truncates toward zero, saturating at the int16 range instead of overflowing.
int16_t to_int16(float v) {
    if (std::isnan(v)) return 0;
    const float lo = std::numeric_limits<int16_t>::min();
    const float hi = std::numeric_limits<int16_t>::max();
    return int16_t(std::clamp(std::trunc(v), lo, hi));
}

// Width over height of the screen; 1 while the size is still unknown (0).
float aspect_ratio(uint16_t width, uint16_t height) {
    if (width == 0 || height == 0) return 1.0f;
    return float(width) / float(height);
}

}  // namespace

void c_platform::bind_material(const c_material* material) {
    device().bind_texture(material && material->texture ? material->texture->name : 0);
    device().blend_function(material && material->additive);
}

void c_platform::draw_quads(const c_transform& transform, int count) {
    if (!vertex_buffer_) {
        draw_arrays(transform, nullptr, nullptr, nullptr, 0);
        return;
    }
    draw_arrays(transform, vertex_buffer_->positions.get(), vertex_buffer_->uvs.get(),
                vertex_buffer_->colours.get(), std::min(count, int(vertex_buffer_->count)));
}

void c_platform::draw_arrays(const c_transform& transform, const vec3* positions, const vec2* uvs,
                             const c_rgba* colours, int count) {
    const float m[16] = {
        transform.m[0], transform.m[1], transform.m[2], 0,
        transform.m[3], transform.m[4], transform.m[5], 0,
        transform.m[6], transform.m[7], transform.m[8], 0,
        0,              0,              0,              1,
    };
    device().push_modelview();
    device().translate(transform.tx, transform.ty, transform.tz);
    device().multiply_modelview(m);
    // Whole quads only: a partial quad would read past what the caller filled.
    const int n = count - count % 4;
    if (n > 0 && positions && uvs && colours) device().draw_quads(positions, uvs, colours, n);
    device().pop_modelview();
}

void c_platform::draw_quad(const c_quad& quad, const c_transform& transform) {
    bind_material(quad.material);
    set_vertex_buffer(&quad.buffer);
    draw_quads(transform, k_quad_vertex_count);
    // The quad's owner may be destroyed before the next draw sets a buffer.
    set_vertex_buffer(nullptr);
}

void c_platform::set_rect(c_quad& quad, c_material* material, float a, float b, float left_u,
                          float right_u, float top_v, float bottom_v) {
    quad.buffer.set_centred_rect(a, b, left_u, right_u, top_v, bottom_v);
    quad.material = material;
}

void c_platform::set_view(int16_t left, int16_t right, int16_t top, int16_t bottom,
                          float camera_x, float camera_y) {
    // The camera looks along +z, so eye-space x runs against world x; negating
    // left and right keeps the picture unmirrored.
    float projection[16];
    ortho(-float(left), -float(right), float(bottom), float(top), k_near_plane, k_far_plane,
          projection);
    device().load_projection(projection);

    float modelview[16];
    look_at(vec3{camera_x, camera_y, k_eye_z}, vec3{camera_x, camera_y, 0}, vec3{0, 1, 0},
            modelview);
    device().load_modelview(modelview);
}

void c_platform::set_view_short(float a, float camera_x, float camera_y) {
    const float r = aspect_ratio(width, height);
    if (r > 1) {
        set_view(to_int16(-a * r), to_int16(a * r), to_int16(a), to_int16(-a), camera_x,
                 camera_y);
    } else {
        set_view(to_int16(-a), to_int16(a), to_int16(a / r), to_int16(-a / r), camera_x,
                 camera_y);
    }
}

void c_platform::set_view_long(float a, float camera_x, float camera_y) {
    const float r = aspect_ratio(width, height);
    if (r > 1) {
        set_view(to_int16(-a), to_int16(a), to_int16(a / r), to_int16(-a / r), camera_x,
                 camera_y);
    } else {
        set_view(to_int16(-a * r), to_int16(a * r), to_int16(a), to_int16(-a), camera_x,
                 camera_y);
    }
}

}  // namespace tw
