// Chapter one's puzzle spots: the wild rose, the silk tuft and the seed head. Each is a
// few painted layers about its middle with a soft halo behind whose strength steps
// through levels; "idle" sways them gently about where they are fixed and lets the
// halo breathe. Sampled into anims/1rose.xml, anims/1silk.xml and anims/1seedhead.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_halo_levels = 8;
constexpr int k_glint_levels = 6;

// One prop: its element prefix, its layers from back to front (after the halo, which
// is the root), where it is fixed (scene units, y up) and how far it sways there.
struct c_prop_kind {
    const char* prefix;
    std::vector<std::string> layers;
    c_point hinge;
    float sway;
};

const c_prop_kind k_rose = {"c1rose", {"stalk", "back", "centre", "front"}, {0, -260}, 0.02f};
const c_prop_kind k_seedhead = {"c1seedhead", {"stalk", "back", "disc", "front"}, {0, -300}, 0.015f};
const c_prop_kind k_silk = {"c1silk", {"back", "front", "glints"}, {0, 110}, 0.05f};

bool build_prop(const c_prop_kind& kind, const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    const std::string p = kind.prefix;
    std::vector<c_graphic_def> graphics;
    add_levels(graphics, "halo", p + "_glow", {0, 0}, k_halo_levels, 0.94f, 1.04f, 130, 255, false);
    const bool glints = p == "c1silk";
    for (const std::string& layer : kind.layers) {
        if (glints && layer == "glints") {
            add_levels(graphics, layer, p + "_" + layer, {0, 0}, k_glint_levels, 0.8f, 1.1f, 70, 255, false);
        } else {
            graphics.push_back({layer, p + "_" + layer, 0, 0, 1, 255});
        }
    }
    std::vector<c_node_def> nodes = {{"halo", "", "halo_5", 0, 0, -2, true}};
    float z = 0;
    for (const std::string& layer : kind.layers) {
        const bool swaps = glints && layer == "glints";
        nodes.push_back({layer, "halo", swaps ? layer + "_" + std::to_string(k_glint_levels - 1) : layer, 0, 0, z, swaps});
        z += 1;
    }
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    const int halo = rig.node("halo");
    std::vector<int> layers;
    for (const std::string& layer : kind.layers) layers.push_back(rig.node(layer));

    rig.add_pose(anim, "default", nullptr, 0);
    // Every layer turns about the hinge; the front ones lag a touch behind, so the
    // bloom, the seeds or the threads seem to move softly rather than as one board.
    const motion_function idle = [&](float u, c_rig_pose& pose) {
        for (size_t i = 0; i < layers.size(); ++i) {
            const float angle = kind.sway * wave(u, 1, 0.04f * float(i));
            const c_point moved = rotate_about({0, 0}, kind.hinge, angle);
            c_node_offset& o = pose.offsets[size_t(layers[i])];
            o.dx = moved.x;
            o.dy = moved.y;
            o.angle = angle;
        }
        pose.graphics[size_t(halo)] = level_graphic("halo", 0.6f + 0.4f * wave(u, 2, 0), k_halo_levels);
        if (glints) {
            pose.graphics[size_t(layers.back())] = level_graphic("glints", 0.5f + 0.5f * wave(u, 3, 0.1f), k_glint_levels);
        }
    };
    return rig.add_graph(anim, {"idle", 48, true, idle}, error);
}

}  // namespace

bool build_c1rose(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_prop(k_rose, geometry, anim, error);
}

bool build_c1silk(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_prop(k_silk, geometry, anim, error);
}

bool build_c1seedhead(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_prop(k_seedhead, geometry, anim, error);
}

}  // namespace tw_tools
