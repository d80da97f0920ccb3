// Chapter three's leaf balance: a long curled leaf lying across a round pebble like a
// seesaw, origin at the pebble's foot on the ground. At rest its left end is down and
// the right end up, where the scene lays the bee's leg; three pebbles dropped on the high
// end swing it over. "idle" lifts the low end a hair and lets it settle; "tilt" swings
// the right end down to strike the soil, bounces twice with a puff of dust and comes to
// rest in "tilt_idle", which rocks the same way tilted over. Sampled into anims/3balance.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_dust_levels = 8;

// The leaf is painted level with its belly on the pebble's top (SVG units, y down); it
// turns there. These tilts (radians, counter-clockwise) put the left end's belly, or the
// right end's, on the ground: the right end is a little curlier, so it needs a little more.
constexpr c_point k_pivot = {0, -140};
constexpr float k_left_down = 0.362f;
constexpr float k_right_down = -0.376f;

// How far the resting leaf lifts off the ground end and settles back over one loop.
constexpr float k_rock = 0.012f;

// Tilt: the pebbles land and the high end gives a little (to k_swing_at), the leaf falls
// over, gathering speed, strikes the soil at k_strike_at and bounces up twice.
constexpr float k_swing_at = 0.07f;
constexpr float k_strike_at = 0.4f;
constexpr float k_bounce = 0.075f;        // the first bounce's height, radians
constexpr float k_bounce_length = 0.22f;  // of the graph, for the first bounce

struct c_balance_parts {
    int pebble, leaf, dust;
};

// Resting on one end: the ground end lifts by up to amount and comes down again; a
// second, smaller rise keeps it from looking like a metronome.
float rock(float u, float amount) {
    return amount * (0.75f * (0.5f + 0.5f * wave(u, 1, 0.25f)) + 0.25f * (0.5f + 0.5f * wave(u, 2, 0.25f)));
}

void idle(const c_balance_parts& p, float u, c_rig_pose& pose) {
    pose.offsets[size_t(p.leaf)].angle = k_left_down - rock(u, k_rock);
    pose.graphics[size_t(p.dust)] = "dust_0";
}

void tilt_idle(const c_balance_parts& p, float u, c_rig_pose& pose) {
    pose.offsets[size_t(p.leaf)].angle = k_right_down + rock(u, k_rock);
    pose.graphics[size_t(p.dust)] = "dust_0";
}

// Height of the bouncing end above the ground after the strike: arcs that shrink to a
// third each time, each as long as the square root of its height allows.
float bounce(float t) {
    float height = k_bounce;
    float length = k_bounce_length;
    for (int i = 0; i < 3; ++i) {
        if (t < length) return arc_height(t / length, height);
        t -= length;
        height *= 0.3f;
        length *= 0.55f;
    }
    return 0;
}

void tilt(const c_balance_parts& p, float u, c_rig_pose& pose) {
    c_node_offset& leaf = pose.offsets[size_t(p.leaf)];
    c_node_offset& pebble = pose.offsets[size_t(p.pebble)];
    if (u < k_swing_at) {
        // The weight lands on the high end: it dips a touch and shivers.
        const float s = u / k_swing_at;
        leaf.angle = k_left_down - 0.02f * smoothstep(0, 1, s) - 0.006f * std::sin(s * 9.4f) * (1 - s);
    } else if (u < k_strike_at) {
        // Falling over, slow to start and fastest as it lands.
        const float s = (u - k_swing_at) / (k_strike_at - k_swing_at);
        const float from = k_left_down - 0.02f;
        leaf.angle = mix(from, k_right_down, s * s * (0.4f + 0.6f * s));
    } else {
        leaf.angle = k_right_down + bounce(u - k_strike_at);
    }
    // The strike jolts the pebble a little towards the low end, and it rocks back.
    const float since = u - k_strike_at;
    if (since > 0) {
        const float jolt = std::exp(-since * 14) * std::sin(since * 40);
        pebble.dx = 4 * jolt;
        pebble.angle = -0.025f * jolt;
    }
    // A puff of dust grows and thins from the strike.
    const float puff = since > 0 ? since / 0.34f : 0;
    pose.graphics[size_t(p.dust)] =
        puff > 0 && puff < 1 ? "dust_" + std::to_string(1 + int(std::lround(puff * (k_dust_levels - 2)))) : "dust_0";
    // The end glides into tilt_idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    tilt_idle(p, 0, rest);
    rest.graphics = pose.graphics;
    blend_offsets(pose, rest, smoothstep(0.9f, 1.0f, u));
    if (u >= 1) tilt_idle(p, 0, pose);
}

}  // namespace

bool build_3balance(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics = {
        {"shadow", "3balance_shadow", 0, 0, 1, 255},
        {"pebble", "3balance_pebble", 0, 0, 1, 255},
        {"leaf", "3balance_leaf", k_pivot.x, k_pivot.y, 1, 255},
    };
    // The dust rises from where the right end strikes, swelling as it thins away.
    add_levels(graphics, "dust", "3balance_dust", {425, -10}, k_dust_levels, 0.6f, 1.5f, 255, 60, true);
    // The shadow on the ground holds everything; the leaf lies over the pebble and the
    // dust rises in front of both.
    const std::vector<c_node_def> nodes = {
        {"shadow", "", "shadow", 0, 0, 0, false},
        {"pebble", "shadow", "pebble", 0, 0, 1, false},
        {"leaf", "shadow", "leaf", k_pivot.x, k_pivot.y, 2, false},
        {"dust", "shadow", "dust_0", 425, -10, 3, true},
    };
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    const c_balance_parts parts{rig.node("pebble"), rig.node("leaf"), rig.node("dust")};
    const auto with = [&parts](void (*motion)(const c_balance_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 32, true, with(idle)},
        {"tilt", 120, false, with(tilt)},
        {"tilt_idle", 32, true, with(tilt_idle)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
