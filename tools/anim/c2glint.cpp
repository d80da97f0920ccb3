// Chapter two's marker for a place that can be clicked: a soft star of green-gold light
// about its centre. A halo behind, a long cross of rays, short diagonal sparks and a
// bright core, each stepping through strengths. "idle" breathes the halo slowly while
// the rays and sparks twinkle out of step and turn a little either way. Sampled into
// anims/2glint.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_halo_levels = 8;
constexpr int k_ray_levels = 8;
constexpr int k_spark_levels = 6;
constexpr int k_core_levels = 5;

struct c_glint_parts {
    int halo, sparks, rays, core;
};

// Two slow breaths of the halo per loop; the rays flare three times and the sparks three
// times between them; the core swells with the halo; the rays and sparks turn gently
// against each other so the star never looks pasted on.
void idle(const c_glint_parts& p, float u, c_rig_pose& pose) {
    const float breath = 0.5f + 0.5f * wave(u, 2, 0);
    pose.graphics[size_t(p.halo)] = level_graphic("halo", 0.25f + 0.75f * breath, k_halo_levels);
    pose.graphics[size_t(p.core)] = level_graphic("core", 0.4f + 0.6f * breath, k_core_levels);
    pose.graphics[size_t(p.rays)] = level_graphic("rays", 0.3f + 0.7f * hump(u, 3, 0.05f), k_ray_levels);
    pose.graphics[size_t(p.sparks)] = level_graphic("sparks", 0.2f + 0.8f * hump(u, 3, 0.55f), k_spark_levels);
    pose.offsets[size_t(p.rays)].angle = 0.1f * wave(u, 1, 0);
    pose.offsets[size_t(p.sparks)].angle = -0.14f * wave(u, 1, 0.5f);
}

}  // namespace

bool build_c2glint(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics;
    add_levels(graphics, "halo", "2glint_halo", {0, 0}, k_halo_levels, 0.88f, 1.08f, 110, 255, false);
    add_levels(graphics, "sparks", "2glint_sparks", {0, 0}, k_spark_levels, 0.7f, 1.05f, 40, 255, false);
    add_levels(graphics, "rays", "2glint_rays", {0, 0}, k_ray_levels, 0.72f, 1.08f, 80, 255, false);
    add_levels(graphics, "core", "2glint_core", {0, 0}, k_core_levels, 0.85f, 1.1f, 170, 255, false);
    // The halo is the root, behind; the sparks under the rays, the core on top. Each
    // starts at the strength idle starts from.
    const std::vector<c_node_def> nodes = {
        {"halo", "", "halo_4", 0, 0, 0, true},
        {"sparks", "halo", "sparks_1", 0, 0, 1, true},
        {"rays", "halo", "rays_2", 0, 0, 2, true},
        {"core", "halo", "core_3", 0, 0, 3, true},
    };
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    const c_glint_parts parts{rig.node("halo"), rig.node("sparks"), rig.node("rays"), rig.node("core")};
    rig.add_pose(anim, "default", nullptr, 0);
    return rig.add_graph(anim, {"idle", 64, true, [&](float u, c_rig_pose& pose) { idle(parts, u, pose); }}, error);
}

}  // namespace tw_tools
