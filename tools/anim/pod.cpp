// Chapter three's seed pod on its short curved stalk, origin at the stalk's foot on the
// ground: two green halves hinged at the top of the stalk round a pale core. "closed"
// sways it gently; "open" trembles, then bursts it with a puff, the halves springing
// apart, overshooting and settling open and empty; "blank" holds that last pose.
// Sampled into anims/3pod.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr c_point k_hinge = {15, -152};  // where the pod sits on the stalk (SVG units)
constexpr c_point k_middle = {15, -232};  // the pod's middle, where the puff grows from
constexpr int k_puff_levels = 8;

// Open: the halves' angles once settled (radians, the left one turns counter-clockwise).
constexpr float k_open_left = 0.95f;
constexpr float k_open_right = -0.9f;
// Open: it trembles until the burst, which springs and settles by the end.
constexpr float k_burst_at = 0.3f;

struct c_pod_parts {
    int stalk, core, left, right, puff;
};

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// How far the heavy pod lags behind the stalk's sway at its hinge.
float closed_lag(float u) { return 0.03f * wave(u, 1, 0.12f); }

// One slow sway a loop about the foot, the pod lagging a little at its hinge.
void closed(const c_pod_parts& p, float u, c_rig_pose& pose) {
    at(pose, p.stalk).angle = 0.035f * wave(u, 1, 0);
    const float lag = closed_lag(u);
    at(pose, p.left).angle = lag;
    at(pose, p.right).angle = lag;
    at(pose, p.core).angle = lag;
    pose.graphics[size_t(p.left)] = "left";
    pose.graphics[size_t(p.right)] = "right";
    pose.graphics[size_t(p.puff)] = "puff_0";
}

// The pod open and empty, everything still.
void blank(const c_pod_parts& p, float, c_rig_pose& pose) {
    at(pose, p.left).angle = k_open_left;
    at(pose, p.right).angle = k_open_right;
    pose.graphics[size_t(p.left)] = "left_open";
    pose.graphics[size_t(p.right)] = "right_open";
    pose.graphics[size_t(p.puff)] = "puff_0";
}

// Trembling harder and harder with the seam straining, then the burst: the halves
// swap to their pale insides and spring apart past open and back, a puff grows and
// thins away, and the stalk recoils and settles. Starts in closed's first pose and
// ends exactly in blank's.
void open(const c_pod_parts& p, float u, c_rig_pose& pose) {
    if (u < k_burst_at) {
        const float strain = smoothstep(0, k_burst_at, u);
        const float shake = 0.05f * strain * std::sin(k_two_pi * 12 * u) + closed_lag(0) * (1 - strain);
        at(pose, p.stalk).angle = 0.4f * shake * strain;
        at(pose, p.left).angle = shake + 0.04f * strain;
        at(pose, p.right).angle = shake - 0.04f * strain;
        at(pose, p.core).angle = shake;
        pose.graphics[size_t(p.left)] = "left";
        pose.graphics[size_t(p.right)] = "right";
        pose.graphics[size_t(p.puff)] = "puff_0";
        return;
    }
    const float t = (u - k_burst_at) / (1 - k_burst_at);
    const float calm = 1 - smoothstep(0.7f, 1.0f, t);
    const float spring = 1 - std::exp(-5 * t) * std::cos(16 * t) * calm;
    blank(p, 1, pose);
    at(pose, p.left).angle = k_open_left * spring;
    at(pose, p.right).angle = k_open_right * spring;
    at(pose, p.stalk).angle = -0.09f * std::exp(-4 * t) * std::sin(14 * t) * calm;
    at(pose, p.stalk).dy = -10 * std::exp(-6 * t) * std::sin(10 * t) * calm;
    const float puff = t / 0.45f;
    pose.graphics[size_t(p.puff)] =
        puff < 1 ? "puff_" + std::to_string(1 + int(puff * float(k_puff_levels - 1))) : "puff_0";
}

}  // namespace

bool build_pod(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics = {
        {"stalk", "pod_stalk", 0, 0, 1, 255},
        {"core", "pod_core", k_hinge.x, k_hinge.y, 1, 255},
        {"left", "pod_left", k_hinge.x, k_hinge.y, 1, 255},
        {"right", "pod_right", k_hinge.x, k_hinge.y, 1, 255},
        {"left_open", "pod_left_open", k_hinge.x, k_hinge.y, 1, 255},
        {"right_open", "pod_right_open", k_hinge.x, k_hinge.y, 1, 255},
    };
    // The puff: level 1 small and thick, growing and thinning to the last; level 0 is none.
    add_levels(graphics, "puff", "pod_puff", k_middle, k_puff_levels, 0.45f, 1.35f, 255, 40, true);
    const std::vector<c_node_def> nodes = {
        {"stalk", "", "stalk", 0, 0, 0, false},
        {"core", "stalk", "core", k_hinge.x, k_hinge.y, 1, false},
        {"left", "stalk", "left", k_hinge.x, k_hinge.y, 2, true},
        {"right", "stalk", "right", k_hinge.x, k_hinge.y, 2.1f, true},
        {"puff", "stalk", "puff_0", k_middle.x, k_middle.y, 3, true},
    };
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    const c_pod_parts parts{rig.node("stalk"), rig.node("core"), rig.node("left"), rig.node("right"),
                            rig.node("puff")};
    const auto with = [&parts](void (*motion)(const c_pod_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", with(closed), 0);
    const c_graph_def graphs[] = {
        {"closed", 32, true, with(closed)},
        {"open", 96, false, with(open)},
        {"blank", 1, true, with(blank)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
