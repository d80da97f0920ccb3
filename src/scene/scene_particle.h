// Particle systems of a scene: the ambient field of motes around the camera and
// burst systems whose particles slow down and fade out.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"
#include "platform/render_device.h"
#include "platform/vertex_buffer.h"

namespace tw {

class c_platform;
struct c_material;
struct c_scene_view;

class c_scene_particle {
public:
    // One quad with its own position and velocity.
    struct particle {
        particle();
        c_vertex_buffer_quad buffer{4};
        c_transform transform;  // identity except the translation
        vec3 velocity;          // scene units per frame
        uint8_t life = 255;
    };

    c_scene_particle(c_material* system_material, std::string level);
    virtual ~c_scene_particle() = default;
    // One frame; called by the scene update for every system in list order.
    virtual void update(c_platform& platform, const c_scene_view& view) = 0;
    // Binds the material and draws every particle in list order; called by the level draw.
    void draw(c_platform& platform) const;

    std::string level_name;
    c_material* material = nullptr;  // not owned
    std::vector<std::unique_ptr<particle>> particles;
};

// 256 drifting motes from a 4 x 4 atlas, wrapping around a box centred on the camera.
class c_scene_particle_ambient : public c_scene_particle {
public:
    c_scene_particle_ambient(c_platform& platform, const std::string& texture_file_name,
                             const std::string& level);
    void update(c_platform& platform, const c_scene_view& view) override;
};

// Particles emitted one by one that slow down, fade and remove themselves.
class c_scene_particle_dampen_and_fade : public c_scene_particle {
public:
    c_scene_particle_dampen_and_fade(c_material* system_material, const std::string& level,
                                     const c_rgba& particle_colour);
    // Appends one particle at the position moving with the velocity.
    void emit(const vec3& position, const vec3& velocity);
    void update(c_platform& platform, const c_scene_view& view) override;

    c_rgba colour;
};

}  // namespace tw
