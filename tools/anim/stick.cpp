// Chapter four's fallen stick across the poppy-field path: a dry twig lying on the ground
// (origin at its middle where it touches the ground), a curled dry leaf hanging from its
// right side twig, and a little team of ants along its underside that carry it off when
// honey lures them. The scene moves the whole animation along the ants' track, so the
// stick never travels here. "idle" keeps it still while the leaf trembles in the breeze
// and the ants' legs scurry. Sampled into anims/4stick.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// The leaf turns about the right twig's tip (SVG units, y down).
constexpr c_point k_leaf_hinge = {384, -166};

// The ants along the underside (SVG x, feet on the ground), each stepping a little out
// of time with its neighbours.
constexpr int k_ant_count = 4;
constexpr float k_ant_x[k_ant_count] = {-330, -120, 140, 320};
constexpr float k_ant_phase[k_ant_count] = {0.0f, 0.35f, 0.6f, 0.15f};

// Strides per loop: the legs swap drawings twice per stride.
constexpr int k_strides = 8;

struct c_stick_parts {
    int leaf;
    int ants[k_ant_count];
    int legs[k_ant_count];
};

void idle(const c_stick_parts& p, float u, c_rig_pose& pose) {
    // The breeze comes in two gusts: a quick flutter rides a slow sway and both grow in
    // the gusts, so the leaf never ticks like a clock.
    const float gust = 0.45f + 0.55f * hump(u, 2, 0.1f);
    const float flutter = 0.6f * wave(u, 9, 0) + 0.4f * wave(u, 14, 0.2f);
    pose.offsets[size_t(p.leaf)].angle = 0.05f * wave(u, 2, 0) + 0.09f * gust * flutter;
    for (int i = 0; i < k_ant_count; ++i) {
        const float phase = k_ant_phase[i];
        // Bodies bob with each step, heads pushing up under the bark.
        c_node_offset& ant = pose.offsets[size_t(p.ants[i])];
        ant.dy = 1.2f * std::fabs(wave(u, k_strides, phase));
        ant.angle = 0.04f * wave(u, k_strides, phase + 0.25f);
        const float step = u * k_strides * 2 + phase * 2;
        pose.graphics[size_t(p.legs[i])] = (int(std::floor(step)) % 2 == 0) ? "legs_a" : "legs_b";
    }
}

}  // namespace

bool build_4stick(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    const std::vector<c_graphic_def> graphics = {
        {"shadow", "4stick_shadow", 0, 0, 1, 255},
        {"stick", "4stick_stick", 0, 0, 1, 255},
        {"leaf", "4stick_leaf", k_leaf_hinge.x, k_leaf_hinge.y, 1, 255},
        {"ant", "4stick_ant", 0, 0, 1, 255},
        {"legs_a", "4stick_legs_a", 0, 0, 1, 255},
        {"legs_b", "4stick_legs_b", 0, 0, 1, 255},
    };
    // The shadow holds everything; the leaf hangs behind the twig's tip, and the ants
    // stand in front of the stick's lower edge with their legs under their bodies.
    std::vector<c_node_def> nodes = {
        {"shadow", "", "shadow", 0, 0, 0, false},
        {"leaf", "shadow", "leaf", k_leaf_hinge.x, k_leaf_hinge.y, 1, false},
        {"stick", "shadow", "stick", 0, 0, 2, false},
    };
    for (int i = 0; i < k_ant_count; ++i) {
        const std::string n = std::to_string(i);
        nodes.push_back({"ant" + n, "shadow", "ant", k_ant_x[i], 0, 4, false});
        nodes.push_back({"legs" + n, "ant" + n, "legs_a", k_ant_x[i], 0, 3, true});
    }
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    c_stick_parts parts{};
    parts.leaf = rig.node("leaf");
    for (int i = 0; i < k_ant_count; ++i) {
        parts.ants[i] = rig.node("ant" + std::to_string(i));
        parts.legs[i] = rig.node("legs" + std::to_string(i));
    }
    const motion_function motion = [&parts](float u, c_rig_pose& pose) { idle(parts, u, pose); };
    rig.add_pose(anim, "default", motion, 0);
    return rig.add_graph(anim, {"idle", 192, true, motion}, error);
}

}  // namespace tw_tools
