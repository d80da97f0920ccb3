// Loading screen drawing.
#include "app/loading_screen.h"

namespace tw {

namespace {

// Logo quad in window pixels around the centre, y upwards.
constexpr float k_logo_half_width = 32.0f;
constexpr float k_logo_top = 34.0f;
constexpr float k_logo_bottom = 2.0f;

void set_full_uvs(c_vertex_buffer_quad& quad) {
    quad.uvs[0] = {0, 0};
    quad.uvs[1] = {1, 0};
    quad.uvs[2] = {1, 1};
    quad.uvs[3] = {0, 1};
}

}  // namespace

c_loading_screen::c_loading_screen() {
    logo_texture_.file_name = "zelt_small.bmp";
    bar_texture_.file_name = "blank.bmp";
    logo_material_.texture = &logo_texture_;
    bar_material_.texture = &bar_texture_;
    set_full_uvs(logo_);
    set_full_uvs(bar_);
    logo_.positions[0] = {-k_logo_half_width, k_logo_top, 0};
    logo_.positions[1] = {k_logo_half_width, k_logo_top, 0};
    logo_.positions[2] = {k_logo_half_width, k_logo_bottom, 0};
    logo_.positions[3] = {-k_logo_half_width, k_logo_bottom, 0};
}

void c_loading_screen::prepare(c_platform& platform) {
    platform.load(logo_texture_);
    platform.load(bar_texture_);
}

void c_loading_screen::release(c_platform& platform) {
    for (c_texture* t : {&logo_texture_, &bar_texture_}) {
        if (t->name) platform.device().delete_texture(t->name);
        t->name = 0;
        t->format = 0;
    }
}

void c_loading_screen::draw(c_platform& platform, float progress) {
    const int w = platform.width;
    const int h = platform.height;
    const int w2 = w / 2;
    const int h2 = h / 2;
    platform.set_view(0, static_cast<int16_t>(w), 0, static_cast<int16_t>(-h),
                      static_cast<float>(-w2), static_cast<float>(h2));
    const float x = w * progress - w2;
    bar_.set_quad_rect(static_cast<float>(-w2), 0.0f, x, 1.0f);

    c_transform identity;
    platform.bind_material(&bar_material_);
    platform.set_vertex_buffer(&bar_);
    platform.draw_quads(identity, bar_.count);
    platform.bind_material(&logo_material_);
    platform.set_vertex_buffer(&logo_);
    platform.draw_quads(identity, logo_.count);
}

}  // namespace tw
