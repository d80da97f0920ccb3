// Drawing and motion of the placeholder scene.
#include "app/state_placeholder.h"

#include <cmath>

#include "platform/random.h"

namespace tw {

namespace {

constexpr int k_mote_count = 28;
constexpr float k_view_half = 1024.0f;
constexpr float k_horizon_y = -380.0f;
constexpr float k_logo_scale = 6.0f;  // the logo is 64 x 32 units at scale 1

constexpr c_rgba k_sky_top{255, 196, 132, 255};
constexpr c_rgba k_sky_horizon{255, 232, 178, 255};
constexpr c_rgba k_grass_top{112, 128, 52, 255};
constexpr c_rgba k_grass_bottom{46, 58, 26, 255};
constexpr c_rgba k_sun{255, 236, 170, 170};
constexpr c_rgba k_mote{255, 220, 120, 230};
constexpr c_rgba k_blade{70, 92, 34, 255};

float random_between(float low, float high) {
    return low + (high - low) * static_cast<float>(tw::rand()) / k_rand_max;
}

}  // namespace

void c_state_placeholder::on_enter(c_platform& platform, c_application_data&) {
    plain_ = platform.get_material("blank.bmp", false);
    glow_ = platform.get_material("blank.bmp", true);
    logo_ = platform.get_material("zelt_small.bmp", false);
    motes_.clear();
    for (int i = 0; i < k_mote_count; ++i)
        motes_.push_back({random_between(-2000, 2000), random_between(-1100, 1100),
                          random_between(0.6f, 2.2f), random_between(0, 6.28f),
                          random_between(14, 34)});
}

void c_state_placeholder::on_tick(c_platform& platform, c_application_data& data) {
    ++ticks;
    data.persistent.accumulate_time(platform);
    for (mote& m : motes_) {
        m.y += m.speed;
        m.x += std::sin(m.phase + ticks * 0.02f) * 0.8f;
        if (m.y > 1150) m.y = -1150;
    }
    process_ui_events(platform, data);
}

void c_state_placeholder::draw_rect(c_platform& platform, c_material* material, float x0,
                                    float y0, float x1, float y1, const c_rgba& top,
                                    const c_rgba& bottom) {
    quad_.set_quad_rect(x0, y0, x1, y1);
    quad_.colours[0] = quad_.colours[1] = bottom;
    quad_.colours[2] = quad_.colours[3] = top;
    for (int i = 0; i < 4; ++i) quad_.uvs[i] = {0.5f, 0.5f};
    platform.bind_material(material);
    platform.set_vertex_buffer(&quad_);
    platform.draw_quads(c_transform{}, 4);
}

void c_state_placeholder::draw_glow(c_platform& platform, float x, float y, float size,
                                    const c_rgba& colour) {
    // A disc of wedges, bright at the centre and clear at the rim: the colour
    // interpolation across each wedge gives a soft round glow.
    c_rgba rim = colour;
    rim.a = 0;
    for (int i = 0; i < k_disc_wedges; ++i) {
        const float a0 = 6.2831853f * i / k_disc_wedges;
        const float a1 = 6.2831853f * (i + 1) / k_disc_wedges;
        const int v = i * 4;
        disc_.positions[v] = {0, 0, 0};
        disc_.positions[v + 1] = {size * std::cos(a0), size * std::sin(a0), 0};
        disc_.positions[v + 2] = {size * std::cos(a1), size * std::sin(a1), 0};
        disc_.positions[v + 3] = {0, 0, 0};
        disc_.colours[v] = disc_.colours[v + 3] = colour;
        disc_.colours[v + 1] = disc_.colours[v + 2] = rim;
        for (int k = 0; k < 4; ++k) disc_.uvs[v + k] = {0.5f, 0.5f};
    }
    c_transform place;
    place.tx = x;
    place.ty = y;
    platform.bind_material(glow_);
    platform.set_vertex_buffer(&disc_);
    platform.draw_quads(place, disc_.count);
}

void c_state_placeholder::on_draw(c_platform& platform, c_application_data&) {
    platform.set_view_short(k_view_half, 0, 0);
    const float half_w = k_view_half * platform.long_side / platform.short_side + 8;
    const float half_h = half_w;

    draw_rect(platform, plain_, -half_w, k_horizon_y, half_w, half_h, k_sky_top, k_sky_horizon);
    draw_glow(platform, half_w * 0.45f, 480, 700, k_sun);
    draw_rect(platform, plain_, -half_w, -half_h, half_w, k_horizon_y, k_grass_top,
              k_grass_bottom);

    // Grass blades sway with a slow wave travelling across the meadow.
    quad_.set_colour(k_blade);
    platform.bind_material(plain_);
    platform.set_vertex_buffer(&quad_);
    for (float x = -half_w; x < half_w; x += 37) {
        const float height = 90 + 60 * std::sin(x * 0.013f);
        quad_.set_quad_rect(-5, 0, 5, height);
        quad_.positions[2].x += 10 * std::sin(ticks * 0.03f + x * 0.004f);
        quad_.positions[3].x = quad_.positions[2].x - 2;
        quad_.positions[2].x += 2;
        c_transform t;
        t.tx = x;
        t.ty = k_horizon_y - 40 - 30 * std::cos(x * 0.021f);
        platform.draw_quads(t, 4);
    }

    // The logo, gently breathing.
    c_transform logo_place;
    const float scale = k_logo_scale * (1.0f + 0.015f * std::sin(ticks * 0.05f));
    quad_.set_colour(255, 255, 255, 255);
    quad_.set_quad_rect(-32 * scale, -16 * scale, 32 * scale, 16 * scale);
    quad_.uvs[0] = {0, 1};
    quad_.uvs[1] = {1, 1};
    quad_.uvs[2] = {1, 0};
    quad_.uvs[3] = {0, 0};
    logo_place.ty = 120;
    platform.bind_material(logo_);
    platform.set_vertex_buffer(&quad_);
    platform.draw_quads(logo_place, 4);

    for (const mote& m : motes_) draw_glow(platform, m.x, m.y, m.size, k_mote);
}

}  // namespace tw
