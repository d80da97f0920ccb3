// Vertex arrays of textured, vertex-coloured quads, and the three-quad thick line.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/math.h"
#include "platform/render_device.h"

namespace tw {

struct c_material;

// One or more quads of four vertices. The three arrays are separate heap blocks
// owned by the buffer. Texture v runs downwards from the image's top row.
class c_vertex_buffer_quad {
public:
    explicit c_vertex_buffer_quad(uint8_t vertex_count = 4);
    c_vertex_buffer_quad(const c_vertex_buffer_quad& other);
    c_vertex_buffer_quad& operator=(const c_vertex_buffer_quad& other);
    virtual ~c_vertex_buffer_quad() = default;

    // Copies all vertex data from a buffer with the same vertex count.
    void copy_from(const c_vertex_buffer_quad& other);
    void set_colour(const c_rgba& colour);
    void set_colour(uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    // Sets only the alpha byte of every vertex.
    void set_alpha(uint8_t a);
    // The first quad as a rectangle centred on the origin with half sizes (a, b):
    // corners (-a, b), (a, b), (a, -b), (-a, -b) at z = 0, the texture window
    // (left_u, top_v)..(right_u, bottom_v) in the same order, opaque white.
    void set_centred_rect(float a, float b, float left_u = 0, float right_u = 1, float top_v = 0,
                          float bottom_v = 1);
    // Positions of quad `quad` to (x0,y0),(x1,y0),(x1,y1),(x0,y1) at z = 0.
    void set_quad_rect(float x0, float y0, float x1, float y1, int quad = 0);

    std::unique_ptr<vec3[]> positions;
    std::unique_ptr<vec2[]> uvs;
    std::unique_ptr<c_rgba[]> colours;
    uint8_t count = 0;
};

// A thick line with end caps from one line texture: start cap (left half of the
// texture), stretched body (middle column), end cap (right half). 12 vertices.
class c_vertex_buffer_line : public c_vertex_buffer_quad {
public:
    c_vertex_buffer_line();
    // Lays the three quads along (x0,y0)-(x1,y1) with half width w.
    void set_line(float x0, float y0, float x1, float y1, float w);
};

// A four-vertex quad with the material it is drawn with (see c_platform::set_rect).
struct c_quad {
    c_vertex_buffer_quad buffer{4};
    c_material* material = nullptr;  // not owned
};

}  // namespace tw
