// The real render device: OpenGL 1.x fixed function with GLU mipmaps, entry
// points loaded through GLEW. Needs a current context.
#pragma once
#include "platform/render_device.h"

namespace tw {

class c_render_device_gl : public i_render_device {
public:
    // Runs glewInit (experimental entry points on); true if it succeeded.
    bool init_extensions() override;
    // Colour material, back-face cull mode (culling off), smooth shading, line
    // width 1.3, alpha blending, texture unit 0, 2D texturing; no depth test.
    void set_fixed_state() override;
    // glViewport.
    void viewport(int x, int y, int width, int height) override;
    // Clears colour to (r, g, b, a), then depth.
    void clear(float r, float g, float b, float a) override;
    // Loads the projection matrix and leaves the model-view matrix current.
    void load_projection(const float m[16]) override;
    // Loads the model-view matrix.
    void load_modelview(const float m[16]) override;
    // Pushes the model-view matrix.
    void push_modelview() override;
    // Translates the model-view matrix.
    void translate(float x, float y, float z) override;
    // Multiplies the model-view matrix by m.
    void multiply_modelview(const float m[16]) override;
    // Pops the model-view matrix.
    void pop_modelview() override;
    // Binds a 2D texture on unit 0; 0 unbinds and turns texturing off until the next one.
    void bind_texture(uint32_t name) override;
    // Source alpha with destination one (additive) or one minus source alpha.
    void blend_function(bool additive) override;
    // Immediate-mode quads with v flipped to 1 - v.
    void draw_quads(const vec3* positions, const vec2* uvs, const c_rgba* colours,
                    int count) override;
    // Uploads level 0 and GLU's mipmap chain; 0 without uploading for null pixels or no size.
    uint32_t create_texture(uint32_t format, int width, int height,
                            const uint8_t* pixels) override;
    // glDeleteTextures.
    void delete_texture(uint32_t name) override;
    // glReadPixels of the back buffer, rows turned to top first.
    bool read_pixels(int width, int height, std::vector<uint8_t>& rgba) override;

private:
    bool texturing_off_ = false;
};

}  // namespace tw
