// Chapter two's big glow-worm, who watches the chime puzzle from her lily pad: body,
// head and tail lantern about the middle of her body, with a halo round the lantern
// whose strength steps through levels. "idle" breathes and lets the lantern pulse;
// "celebrate" is a happy hop with a wiggle of the head and tail while the lantern
// flares, ending in idle's first pose. Sampled into anims/glowbig.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_halo_levels = 10;
// Joints in SVG units (y down): the neck and the lantern's root.
constexpr c_point k_neck = {-300, 10};
constexpr c_point k_lantern = {200, 16};

struct c_glowbig_parts {
    int body, head, tail, halo;
};

float idle_glow(float u) { return 0.55f + 0.25f * wave(u, 2, 0); }

// Two slow breaths per loop: the body swells a little, the head nods, the lantern pulses.
void idle(const c_glowbig_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    pose.offsets[size_t(p.body)].dy = 6 * breath;
    pose.offsets[size_t(p.head)].angle = 0.03f * wave(u, 1, 0.1f);
    pose.offsets[size_t(p.tail)].angle = -0.02f * wave(u, 1, 0.3f);
    pose.graphics[size_t(p.halo)] = level_graphic("halo", idle_glow(u), k_halo_levels);
}

// A hop (up and down once, squashing at the landings), the head wagging twice and the
// tail swinging, while the lantern flares to full and settles back to idle's glow.
void celebrate(const c_glowbig_parts& p, float u, c_rig_pose& pose) {
    const float hop = std::sin(3.1415927f * smoothstep(0.1f, 0.6f, u));
    const float settle = 1 - smoothstep(0.75f, 1.0f, u);
    pose.offsets[size_t(p.body)].dy = 90 * hop * hop;
    pose.offsets[size_t(p.body)].angle = 0.08f * hop;
    pose.offsets[size_t(p.head)].angle = 0.22f * std::sin(u * 4 * 6.2831855f) * settle;
    pose.offsets[size_t(p.tail)].angle = 0.25f * std::sin(u * 3 * 6.2831855f + 1) * settle;
    const float flare = smoothstep(0.0f, 0.25f, u) * (1 - smoothstep(0.7f, 1.0f, u));
    pose.graphics[size_t(p.halo)] =
        level_graphic("halo", idle_glow(0) + (1 - idle_glow(0)) * flare, k_halo_levels);
    // The last quarter glides into idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    idle(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.75f, 1.0f, u));
    if (u >= 1) pose = rest;
}

}  // namespace

bool build_glowbig(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics;
    add_levels(graphics, "halo", "glowbig_halo", {300, 0}, k_halo_levels, 0.8f, 1.15f, 90, 255, false);
    graphics.push_back({"body", "glowbig_body", 0, 0, 1, 255});
    graphics.push_back({"tail", "glowbig_tail", k_lantern.x, k_lantern.y, 1, 255});
    graphics.push_back({"head", "glowbig_head", k_neck.x, k_neck.y, 1, 255});
    // The halo hangs on the lantern behind everything; the head is over the body.
    const std::vector<c_node_def> nodes = {
        {"body", "", "body", 0, 0, 0, false},
        {"tail", "body", "tail", k_lantern.x, k_lantern.y, 1, false},
        {"halo", "tail", "halo_" + std::to_string(k_halo_levels - 1), 300, 0, -2, true},
        {"head", "body", "head", k_neck.x, k_neck.y, 2, false},
    };
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    const c_glowbig_parts parts{rig.node("body"), rig.node("head"), rig.node("tail"), rig.node("halo")};
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"idle", 32, true, [&](float u, c_rig_pose& pose) { idle(parts, u, pose); }},
        {"celebrate", 48, false, [&](float u, c_rig_pose& pose) { celebrate(parts, u, pose); }},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
