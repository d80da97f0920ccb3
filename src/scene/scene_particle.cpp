// Particle systems: the ambient field of 256 motes that wraps around the camera,
// and burst systems whose emitted particles slow down, fade and remove themselves.
#include "scene/scene_particle.h"

#include <utility>

#include "platform/platform.h"
#include "platform/random.h"
#include "scene/scene_view.h"

namespace tw {

namespace {

constexpr float k_new_half_size = 64;    // corners of a fresh particle
constexpr float k_burst_half_size = 12;  // corners of an emitted burst particle
constexpr float k_burst_velocity_keep = 0.98f;

constexpr int k_ambient_count = 256;
constexpr float k_ambient_half_width = 4196;  // the field's box around the camera
constexpr float k_ambient_half_height = 2148;
constexpr float k_ambient_wrap_x = 8392;  // distance a mote jumps when it leaves the box
constexpr float k_ambient_wrap_y = 4296;
constexpr int k_ambient_kinds = 16;  // cells of the 4 x 4 atlas
constexpr int k_atlas_columns = 4;
constexpr float k_atlas_cell = 0.25f;
constexpr float k_ambient_min_half_size = 16;
constexpr float k_ambient_size_step = 4;  // half size grows with the atlas cell

// A fresh draw of the project's generator scaled to [-half, half].
float random_symmetric(float half) {
    return float(rand()) * half * 2 / float(k_rand_max) - half;
}

// Corners (-s, -s), (s, -s), (s, s), (-s, s) at depth 0.
void set_square(c_vertex_buffer_quad& buffer, float s) {
    buffer.positions[0] = vec3{-s, -s, 0};
    buffer.positions[1] = vec3{s, -s, 0};
    buffer.positions[2] = vec3{s, s, 0};
    buffer.positions[3] = vec3{-s, s, 0};
}

// Moves v by span when it has left [centre - half, centre + half].
void wrap(float& v, float centre, float half, float span) {
    if (v > centre + half) {
        v -= span;
    } else if (v < centre - half) {
        v += span;
    }
}

}  // namespace

c_scene_particle::particle::particle() {
    buffer.set_centred_rect(k_new_half_size, k_new_half_size);
}

c_scene_particle::c_scene_particle(c_material* system_material, std::string level)
    : level_name(std::move(level)), material(system_material) {}

void c_scene_particle::draw(c_platform& platform) const {
    platform.bind_material(material);
    for (const auto& p : particles) {
        platform.set_vertex_buffer(&p->buffer);
        platform.draw_quads(p->transform, 4);
    }
}

c_scene_particle_ambient::c_scene_particle_ambient(c_platform& platform,
                                                   const std::string& texture_file_name,
                                                   const std::string& level)
    : c_scene_particle(platform.get_material(texture_file_name, false), level) {
    particles.reserve(k_ambient_count);
    for (int i = 0; i < k_ambient_count; ++i) {
        auto p = std::make_unique<particle>();
        // One draw per value, in this order: x, y, velocity x, velocity y, kind.
        p->transform.tx = random_symmetric(k_ambient_half_width);
        p->transform.ty = random_symmetric(k_ambient_half_height);
        p->velocity.x = random_symmetric(1);
        p->velocity.y = random_symmetric(1);
        const int kind = rand() % k_ambient_kinds;
        const float column = float(kind % k_atlas_columns);
        const float row = float(kind / k_atlas_columns);
        set_square(p->buffer, k_ambient_min_half_size + k_ambient_size_step * float(kind));
        p->buffer.uvs[0] = vec2{column * k_atlas_cell, row * k_atlas_cell};
        p->buffer.uvs[1] = vec2{(column + 1) * k_atlas_cell, row * k_atlas_cell};
        p->buffer.uvs[2] = vec2{(column + 1) * k_atlas_cell, (row + 1) * k_atlas_cell};
        p->buffer.uvs[3] = vec2{column * k_atlas_cell, (row + 1) * k_atlas_cell};
        particles.push_back(std::move(p));
    }
}

void c_scene_particle_ambient::update(c_platform&, const c_scene_view& view) {
    for (auto& p : particles) {
        p->transform.tx += p->velocity.x;
        p->transform.ty += p->velocity.y;
        p->transform.tz += p->velocity.z;
        wrap(p->transform.tx, view.position.x, k_ambient_half_width, k_ambient_wrap_x);
        wrap(p->transform.ty, view.position.y, k_ambient_half_height, k_ambient_wrap_y);
    }
}

c_scene_particle_dampen_and_fade::c_scene_particle_dampen_and_fade(c_material* system_material,
                                                                   const std::string& level,
                                                                   const c_rgba& particle_colour)
    : c_scene_particle(system_material, level), colour(particle_colour) {}

void c_scene_particle_dampen_and_fade::emit(const vec3& position, const vec3& velocity) {
    auto p = std::make_unique<particle>();
    p->transform.tx = position.x;
    p->transform.ty = position.y;
    p->transform.tz = position.z;
    p->velocity = velocity;
    set_square(p->buffer, k_burst_half_size);
    p->buffer.set_colour(colour);
    particles.push_back(std::move(p));
}

void c_scene_particle_dampen_and_fade::update(c_platform&, const c_scene_view&) {
    size_t kept = 0;
    for (size_t i = 0; i < particles.size(); ++i) {
        particle& p = *particles[i];
        if (p.life == 0) continue;  // left behind and deleted below
        p.transform.tx += p.velocity.x;
        p.transform.ty += p.velocity.y;
        p.transform.tz += p.velocity.z;
        --p.life;
        p.buffer.set_alpha(p.life);
        p.velocity.x *= k_burst_velocity_keep;
        p.velocity.y *= k_burst_velocity_keep;
        p.velocity.z *= k_burst_velocity_keep;
        if (kept != i) particles[kept] = std::move(particles[i]);
        ++kept;
    }
    particles.resize(kept);
}

}  // namespace tw
