// Chapter five's fern on the ruin's edge: its part and node tables and its motions (a
// curled fiddlehead swaying, unrolling across the gap, and lying there as a bridge with
// its leaflets trembling), sampled into anims/fern.xml by the rig. The frond is a chain
// of segments, each a little shorter than the one before, so a steady bend per segment
// coils it into a snail-shell spiral; the rest pose is the frond lying flat as the bridge
// and every motion says how far each joint is bent from that.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr float k_pi = 3.14159265359f;

// The frond: this many segments from the root to the tip, each this fraction of the one
// before, adding up to the bridge's length.
constexpr int k_segments = 32;
constexpr float k_shrink = 0.965f;
constexpr float k_bridge_length = 900;
constexpr c_point k_root = {0, -30};  // SVG units: the first joint, halfway up the bridge

// Curled: the first joints stand straight as a stalk leaning a little towards the gap,
// the bend grows over the next few and the rest coil back over the bank at this bend.
constexpr float k_stand_angle = k_pi / 2 - 0.2f;
constexpr float k_coil_bend = 0.6f;  // radians per segment

// The leaflets unfurl over these steps, from tucked against the stem to spread.
constexpr int k_leaf_levels = 6;

float segment_scale(int i) { return std::pow(k_shrink, float(i)); }

float first_length() {
    return k_bridge_length * (1 - k_shrink) / (1 - std::pow(k_shrink, float(k_segments)));
}

// Where joint i sits along the flat bridge.
float joint_x(int i) {
    float x = 0;
    for (int j = 0; j < i; ++j) x += first_length() * segment_scale(j);
    return x;
}

std::string segment_name(int i) { return "seg" + std::to_string(i); }
std::string leaf_name(int i) { return "leaf" + std::to_string(i); }
std::string edge_name(int i) { return "edge" + std::to_string(i); }

const std::vector<c_graphic_def>& fern_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g;
        g.push_back({"moss", "fern_moss", 0, 0, 1, 255});
        for (int i = 0; i < k_segments; ++i) {
            const float s = segment_scale(i);
            g.push_back({segment_name(i), "fern_stem", k_root.x, k_root.y, s, 255});
            g.push_back({edge_name(i), "fern_stem_edge", k_root.x, k_root.y, s, 255});
            add_levels(g, leaf_name(i), "fern_leaf", k_root, k_leaf_levels, 0.55f * s, 1.15f * s, 255, 255, false);
        }
        return g;
    }();
    return graphics;
}

// Depths: all the leaflets lowest, then all the stem's edges, then all its fills (so the
// joints do not show), later segments over earlier ones so the coil's inner turns lie on
// top, and the moss over the root.
const std::vector<c_node_def>& fern_nodes() {
    static const std::vector<c_node_def> nodes = [] {
        std::vector<c_node_def> n = {{"moss", "", "moss", 0, 0, 5, false}};
        for (int i = 0; i < k_segments; ++i) {
            const float x = k_root.x + joint_x(i);
            const float z = 0.1f * float(i);
            n.push_back({segment_name(i), i == 0 ? "moss" : segment_name(i - 1), segment_name(i), x, k_root.y, z, false});
            n.push_back({edge_name(i), segment_name(i), edge_name(i), x, k_root.y, z - 4, false});
            n.push_back({leaf_name(i), segment_name(i), leaf_name(i) + "_0", x, k_root.y, z - 8, true});
        }
        return n;
    }();
    return nodes;
}

struct c_fern_parts {
    int segments[k_segments];
    int leaves[k_segments];
};

c_fern_parts find_parts(const c_rig& rig) {
    c_fern_parts p{};
    for (int i = 0; i < k_segments; ++i) {
        p.segments[i] = rig.node(segment_name(i));
        p.leaves[i] = rig.node(leaf_name(i));
    }
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// The bend of joint i when fully curled (the root's is its stand from lying flat).
float curled_bend(int i) {
    if (i == 0) return k_stand_angle;
    return k_coil_bend * smoothstep(2.5f, 6.5f, float(i));
}

void set_leaf(const c_fern_parts& p, c_rig_pose& pose, int i, float open) {
    pose.graphics[size_t(p.leaves[i])] = level_graphic(leaf_name(i), open, k_leaf_levels);
}

// Curled and standing: the frond sways from its root and the coil breathes a little.
void idle(const c_fern_parts& p, float u, c_rig_pose& pose) {
    for (int i = 0; i < k_segments; ++i) {
        float bend = curled_bend(i);
        if (i == 0) bend += 0.035f * wave(u, 1, 0);
        else if (i < 5) bend += 0.01f * wave(u, 1, 0.15f);
        else bend *= 1 + 0.015f * wave(u, 2, 0.05f * float(i));
        at(pose, p.segments[i]).angle = bend;
        at(pose, p.leaves[i]).angle = 0.03f * wave(u, 2, 0.07f * float(i));
        set_leaf(p, pose, i, 0);
    }
}

// Lying across the gap: the bridge stays put for the walker, its leaflets tremble in a
// breeze that runs along the frond, and the free end lifts and settles a hair.
void idle_unrolled(const c_fern_parts& p, float u, c_rig_pose& pose) {
    for (int i = 0; i < k_segments; ++i) {
        const float along = float(i) / (k_segments - 1);
        at(pose, p.segments[i]).angle = 0.0016f * along * wave(u, 1, 0.3f * along);
        at(pose, p.leaves[i]).angle = 0.05f * wave(u, 3, 0.6f * along) + 0.025f * wave(u, 7, 0.13f * float(i));
        set_leaf(p, pose, i, 1);
    }
}

// Unrolling: the fiddlehead draws itself up and tightens, then tips over towards the gap
// while its coil unrolls from the root outwards like a rolled leaf, the leaflets spreading
// as each joint straightens, until it lies flat across the gap; a little spring at the
// end, and it rests in idle_unrolled's first pose.
void unroll(const c_fern_parts& p, float u, c_rig_pose& pose) {
    const float gather = envelope(u, 0.0f, 0.08f, 0.1f, 0.2f);
    const float fall = ease_in_out(smoothstep(0.1f, 0.62f, u));
    // Past flat a touch as it lands, then back up, so the bridge seems to have weight.
    const float spring = 0.035f * std::sin(k_two_pi * 1.5f * smoothstep(0.6f, 0.95f, u)) *
                         (1 - smoothstep(0.6f, 0.95f, u)) * (u > 0.6f ? 1.0f : 0.0f);
    constexpr float k_open_from = 0.16f;
    constexpr float k_open_to = 0.9f;
    constexpr float k_open_window = 0.2f;
    const float step = (k_open_to - k_open_from - k_open_window) / float(k_segments - 1);
    // It starts from idle's first pose.
    c_rig_pose curled = pose;
    idle(p, 0, curled);
    for (int i = 0; i < k_segments; ++i) {
        const float t0 = k_open_from + step * float(i);
        const float open = ease_in_out(smoothstep(t0, t0 + k_open_window, u));
        float bend = at(curled, p.segments[i]).angle;
        if (i == 0) {
            bend = mix(bend + 0.12f * gather, 0.0f, fall) - spring;
        } else {
            bend *= (1 + 0.12f * gather) * (1 - open);
            // The freshly straightened part ripples as the roll passes on.
            bend += 0.04f * std::sin(k_pi * open) * (i < 3 ? 0.3f : 1.0f);
            bend += 0.012f * spring * (float(i) / k_segments) / 0.035f;
        }
        at(pose, p.segments[i]).angle = bend;
        at(pose, p.leaves[i]).angle = at(curled, p.leaves[i]).angle * (1 - open) + 0.08f * std::sin(k_pi * open);
        set_leaf(p, pose, i, open);
    }
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle_unrolled(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.93f, 1.0f, u));
    if (u >= 1) pose = rest;
}

}  // namespace

bool build_c5fern(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(fern_graphics(), fern_nodes(), geometry, anim, error)) return false;
    const c_fern_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_fern_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 48, true, with(idle)},
        {"unroll", 160, false, with(unroll)},
        {"idle_unrolled", 48, true, with(idle_unrolled)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
