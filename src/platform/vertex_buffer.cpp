// Quad vertex arrays (positions, texture coordinates, colours) and the
// three-quad thick line laid along a segment.
#include "platform/vertex_buffer.h"

#include <algorithm>

namespace tw {

namespace {

constexpr uint8_t k_line_vertex_count = 12;
constexpr int k_vertices_per_quad = 4;

// Texture coordinates of the line: start cap from the left half, the body
// stretched from the middle column, end cap from the right half.
constexpr vec2 k_line_uvs[k_line_vertex_count] = {
    {0.0f, 0.0f}, {0.5f, 0.0f}, {0.5f, 1.0f}, {0.0f, 1.0f},
    {0.5f, 0.0f}, {0.5f, 0.0f}, {0.5f, 1.0f}, {0.5f, 1.0f},
    {0.5f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.5f, 1.0f},
};

}  // namespace

c_vertex_buffer_quad::c_vertex_buffer_quad(uint8_t vertex_count)
    : positions(new vec3[vertex_count]),
      uvs(new vec2[vertex_count]),
      colours(new c_rgba[vertex_count]),
      count(vertex_count) {}

c_vertex_buffer_quad::c_vertex_buffer_quad(const c_vertex_buffer_quad& other)
    : c_vertex_buffer_quad(other.count) {
    copy_from(other);
}

c_vertex_buffer_quad& c_vertex_buffer_quad::operator=(const c_vertex_buffer_quad& other) {
    if (this == &other) return *this;
    if (count != other.count) {
        positions.reset(new vec3[other.count]);
        uvs.reset(new vec2[other.count]);
        colours.reset(new c_rgba[other.count]);
        count = other.count;
    }
    copy_from(other);
    return *this;
}

void c_vertex_buffer_quad::copy_from(const c_vertex_buffer_quad& other) {
    // A buffer of another size copies only the vertices both have, never past either end.
    const int n = std::min(count, other.count);
    std::copy(other.positions.get(), other.positions.get() + n, positions.get());
    std::copy(other.uvs.get(), other.uvs.get() + n, uvs.get());
    std::copy(other.colours.get(), other.colours.get() + n, colours.get());
}

void c_vertex_buffer_quad::set_colour(const c_rgba& colour) {
    std::fill(colours.get(), colours.get() + count, colour);
}

void c_vertex_buffer_quad::set_colour(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    set_colour(c_rgba{r, g, b, a});
}

void c_vertex_buffer_quad::set_alpha(uint8_t a) {
    for (int i = 0; i < count; ++i) colours[i].a = a;
}

void c_vertex_buffer_quad::set_centred_rect(float a, float b, float left_u, float right_u,
                                            float top_v, float bottom_v) {
    positions[0] = vec3{-a, b, 0};
    positions[1] = vec3{a, b, 0};
    positions[2] = vec3{a, -b, 0};
    positions[3] = vec3{-a, -b, 0};
    uvs[0] = vec2{left_u, top_v};
    uvs[1] = vec2{right_u, top_v};
    uvs[2] = vec2{right_u, bottom_v};
    uvs[3] = vec2{left_u, bottom_v};
    set_colour(c_rgba{});
}

void c_vertex_buffer_quad::set_quad_rect(float x0, float y0, float x1, float y1, int quad) {
    const int first = quad * k_vertices_per_quad;
    if (quad < 0 || first + k_vertices_per_quad > count) return;
    positions[first + 0] = vec3{x0, y0, 0};
    positions[first + 1] = vec3{x1, y0, 0};
    positions[first + 2] = vec3{x1, y1, 0};
    positions[first + 3] = vec3{x0, y1, 0};
}

c_vertex_buffer_line::c_vertex_buffer_line() : c_vertex_buffer_quad(k_line_vertex_count) {
    std::copy(k_line_uvs, k_line_uvs + k_line_vertex_count, uvs.get());
}

void c_vertex_buffer_line::set_line(float x0, float y0, float x1, float y1, float w) {
    vec2 d{x1 - x0, y1 - y0};
    vec2_normalize(d);  // coinciding points give (1, 0)
    const vec2 n{d.y * w, -d.x * w};
    const vec2 f{d.x * w, d.y * w};
    auto at = [](float x, float y) { return vec3{x, y, 0}; };

    // Start cap.
    positions[0] = at(x0 - f.x + n.x, y0 - f.y + n.y);
    positions[1] = at(x0 + n.x, y0 + n.y);
    positions[2] = at(x0 - n.x, y0 - n.y);
    positions[3] = at(x0 - f.x - n.x, y0 - f.y - n.y);
    // Body.
    positions[4] = at(x0 + n.x, y0 + n.y);
    positions[5] = at(x1 + n.x, y1 + n.y);
    positions[6] = at(x1 - n.x, y1 - n.y);
    positions[7] = at(x0 - n.x, y0 - n.y);
    // End cap.
    positions[8] = at(x1 + n.x, y1 + n.y);
    positions[9] = at(x1 + f.x + n.x, y1 + f.y + n.y);
    positions[10] = at(x1 + f.x - n.x, y1 + f.y - n.y);
    positions[11] = at(x1 - n.x, y1 - n.y);
}

}  // namespace tw
