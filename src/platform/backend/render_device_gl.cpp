// The OpenGL 1.x render device: fixed state, matrices, immediate-mode quads and
// texture upload with GLU-built mipmaps.
#include <GL/glew.h>
// GLU must follow GLEW, which replaces gl.h.
#include <GL/glu.h>

#include "platform/backend/render_device_gl.h"

#include <algorithm>
#include <vector>

namespace tw {

namespace {

constexpr GLfloat k_line_width = 1.3f;
constexpr GLint k_unpack_alignment = 4;
constexpr size_t k_glu_spare_rows = 2;

// The internal format of an upload: 3 for RGB, 4 for RGBA, 1 for luminance (the
// component counts), but GL_ALPHA for alpha images, because a one-component
// internal format is luminance and would throw their alpha values away.
GLint internal_format_for(uint32_t format) {
    switch (format) {
        case k_format_rgb:
            return 3;
        case k_format_rgba:
            return 4;
        case k_format_alpha:
            return GL_ALPHA;
        default:
            return 1;
    }
}

bool is_power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

// GLU rescales an image whose sides are not powers of two before building the
// chain, and that rescaling reads a little past the last row it is given (a
// crash when the image ends at the end of mapped memory). It gets a copy with
// spare zero rows after the image, so the read stays in memory the game owns.
std::vector<uint8_t> padded_copy(uint32_t format, int width, int height, const uint8_t* pixels) {
    const size_t row = (size_t(width) * size_t(format_bytes_per_pixel(format)) + k_unpack_alignment - 1) /
                       k_unpack_alignment * k_unpack_alignment;
    const size_t size = row * size_t(height);
    std::vector<uint8_t> copy(size + k_glu_spare_rows * row, 0);
    std::copy(pixels, pixels + size, copy.begin());
    return copy;
}

}  // namespace

bool c_render_device_gl::init_extensions() {
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

void c_render_device_gl::set_fixed_state() {
    glEnable(GL_COLOR_MATERIAL);
    glCullFace(GL_BACK);
    glShadeModel(GL_SMOOTH);
    glLineWidth(k_line_width);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (glActiveTexture) {
        glActiveTexture(GL_TEXTURE0);
    } else if (glActiveTextureARB) {
        glActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glEnable(GL_TEXTURE_2D);
    texturing_off_ = false;
}

void c_render_device_gl::viewport(int x, int y, int width, int height) {
    glViewport(x, y, width, height);
}

void c_render_device_gl::clear(float r, float g, float b, float a) {
    glClearColor(r, g, b, a);
    // Only colour: nothing is depth tested (animations sort their parts
    // themselves), so clearing the depth buffer would only cost a pass over it.
    glClear(GL_COLOR_BUFFER_BIT);
}

void c_render_device_gl::load_projection(const float m[16]) {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(m);
    glMatrixMode(GL_MODELVIEW);
}

void c_render_device_gl::load_modelview(const float m[16]) {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(m);
}

void c_render_device_gl::push_modelview() { glPushMatrix(); }

void c_render_device_gl::translate(float x, float y, float z) { glTranslatef(x, y, z); }

void c_render_device_gl::multiply_modelview(const float m[16]) { glMultMatrixf(m); }

void c_render_device_gl::pop_modelview() { glPopMatrix(); }

void c_render_device_gl::bind_texture(uint32_t name) {
    // No texture: the vertex colours alone, which a software renderer fills fastest.
    if ((name == 0) != texturing_off_) {
        texturing_off_ = name == 0;
        if (texturing_off_) {
            glDisable(GL_TEXTURE_2D);
        } else {
            glEnable(GL_TEXTURE_2D);
        }
    }
    glBindTexture(GL_TEXTURE_2D, name);
}

void c_render_device_gl::blend_function(bool additive) {
    glBlendFunc(GL_SRC_ALPHA, additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
}

void c_render_device_gl::draw_quads(const vec3* positions, const vec2* uvs,
                                    const c_rgba* colours, int count) {
    if (count <= 0) return;
    glBegin(GL_QUADS);
    for (int i = 0; i < count; ++i) {
        glColor4ub(colours[i].r, colours[i].g, colours[i].b, colours[i].a);
        glTexCoord2f(uvs[i].x, 1.0f - uvs[i].y);
        glVertex3f(positions[i].x, positions[i].y, positions[i].z);
    }
    glEnd();
}

uint32_t c_render_device_gl::create_texture(uint32_t format, int width, int height,
                                            const uint8_t* pixels) {
    if (!pixels || width <= 0 || height <= 0) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, k_unpack_alignment);
    const GLint internal_format = internal_format_for(format);
    glTexImage2D(GL_TEXTURE_2D, 0, internal_format, width, height, 0, GLenum(format),
                 GL_UNSIGNED_BYTE, pixels);
    // GLU rescales images whose sides are not powers of two before building the chain.
    if (is_power_of_two(width) && is_power_of_two(height)) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, internal_format, width, height, GLenum(format),
                          GL_UNSIGNED_BYTE, pixels);
    } else {
        const std::vector<uint8_t> padded = padded_copy(format, width, height, pixels);
        gluBuild2DMipmaps(GL_TEXTURE_2D, internal_format, width, height, GLenum(format),
                          GL_UNSIGNED_BYTE, padded.data());
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_TEXTURE_2D);
    texturing_off_ = false;
    return name;
}

void c_render_device_gl::delete_texture(uint32_t name) {
    const GLuint n = name;
    glDeleteTextures(1, &n);
}

bool c_render_device_gl::read_pixels(int width, int height, std::vector<uint8_t>& rgba) {
    if (width <= 0 || height <= 0) return false;
    const size_t row = size_t(width) * 4;
    std::vector<uint8_t> bottom_up(row * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    if (glGetError() != GL_NO_ERROR) return false;
    // GL's rows start at the bottom; pictures start at the top.
    rgba.resize(bottom_up.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(bottom_up.data() + row * size_t(height - 1 - y), row, rgba.data() + row * size_t(y));
    return true;
}

}  // namespace tw
