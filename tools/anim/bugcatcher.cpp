// Chapter two's sundew, the bug catcher behind the bank path: a mossy base (the root, at
// the origin on the ground) with four stalked leaves, each a stalk, a blade on the
// stalk's top and a tip halfway up the blade, so a leaf can droop, reach and curl. Each
// blade and tip carries its own glint layer (its dew drops lit), whose strength steps
// through levels. "idle" sleeps with the leaves drooping and the drops dim, "wake" raises
// the leaves towards the left as the drops brighten, "wake_idle" sways hungrily with the
// drops glinting, "eat" snaps the left leaf shut and opens it again. Sampled into
// anims/2bugcatcher.xml.
#include <algorithm>
#include <cmath>
#include <string>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_leaf_count = 4;
constexpr int k_glint_levels = 8;
constexpr float k_pi = 3.14159265f;

// One leaf: its name, the foot of its stalk, the top of the stalk (the blade's joint) and
// the middle of the blade (the tip's joint), in SVG units, and its depth.
struct c_leaf_def {
    const char* name;
    c_point foot, blade, tip;
    float z;
};

// The left leaf reaches over the path and is the one that feeds; the tall middle one and
// the right one stand behind it, the low one in front.
const c_leaf_def k_leaves[k_leaf_count] = {
    {"leaf1", {-12, -24}, {-150, -470}, {-212, -675}, 1},
    {"leaf2", {0, -28}, {18, -560}, {28, -790}, -2},
    {"leaf3", {12, -24}, {150, -420}, {200, -605}, -1},
    {"leaf4", {-6, -16}, {-92, -170}, {-178, -258}, 2},
};
constexpr int k_feeder = 0;

struct c_leaf_parts {
    int stalk, blade, blade_glint, tip, tip_glint;
};

// How each leaf is turned from its drawing (radians, counter-clockwise: towards the left
// for an upright leaf) and how bright the drops on its blade and tip are (0..1).
struct c_leaf_pose {
    float stalk = 0, blade = 0, tip = 0;
    float glint_blade = 0, glint_tip = 0;
};

struct c_sundew_pose {
    c_leaf_pose leaf[k_leaf_count];
};

c_leaf_pose mix_leaf(const c_leaf_pose& a, const c_leaf_pose& b, float f) {
    return {mix(a.stalk, b.stalk, f), mix(a.blade, b.blade, f), mix(a.tip, b.tip, f),
            mix(a.glint_blade, b.glint_blade, f), mix(a.glint_tip, b.glint_tip, f)};
}

c_sundew_pose mix_pose(const c_sundew_pose& a, const c_sundew_pose& b, float f) {
    c_sundew_pose p;
    for (int i = 0; i < k_leaf_count; ++i) p.leaf[i] = mix_leaf(a.leaf[i], b.leaf[i], f);
    return p;
}

// Asleep, each leaf sags away from the middle: the outer ones bow outwards and down, the
// tall one hangs its head to the right.
const c_leaf_pose k_droop[k_leaf_count] = {
    {0.35f, 0.7f, 1.2f, 0, 0},
    {-0.2f, -0.7f, -1.4f, 0, 0},
    {-0.3f, -0.7f, -1.2f, 0, 0},
    {0.3f, 0.5f, 0.9f, 0, 0},
};

// Awake, every leaf leans a little left towards the path, the tips turned that way.
const c_leaf_pose k_reach[k_leaf_count] = {
    {0.08f, 0.12f, 0.3f, 0, 0},
    {0.1f, 0.12f, 0.25f, 0, 0},
    {0.04f, 0.1f, 0.22f, 0, 0},
    {0, -0.05f, 0.1f, 0, 0},
};

// Each leaf's own phase, so they never move as one.
constexpr float k_phase[k_leaf_count] = {0, 0.31f, 0.58f, 0.17f};

// Asleep: one slow breath a loop, the leaves rising and sinking a touch after one another,
// the drops barely lit.
c_sundew_pose asleep(float u) {
    c_sundew_pose p;
    for (int i = 0; i < k_leaf_count; ++i) {
        const float ph = k_phase[i];
        c_leaf_pose& l = p.leaf[i];
        l = k_droop[i];
        l.stalk += 0.02f * wave(u, 1, ph);
        l.blade += 0.03f * wave(u, 1, ph + 0.08f);
        l.tip += 0.045f * wave(u, 1, ph + 0.16f);
        l.glint_blade = 0.12f + 0.06f * wave(u, 1, ph);
        l.glint_tip = 0.12f + 0.06f * wave(u, 1, ph + 0.2f);
    }
    return p;
}

// Awake: the leaves sway twice a loop round their reach, the tips flexing like grasping
// fingers, and the drops twinkle, each blade and tip at its own time.
c_sundew_pose awake(float u) {
    c_sundew_pose p;
    for (int i = 0; i < k_leaf_count; ++i) {
        const float ph = k_phase[i];
        c_leaf_pose& l = p.leaf[i];
        l = k_reach[i];
        l.stalk += 0.035f * wave(u, 1, ph);
        l.blade += 0.05f * wave(u, 2, ph + 0.1f);
        l.tip += 0.09f * wave(u, 2, ph + 0.22f);
        l.glint_blade = 0.72f + 0.28f * wave(u, 3, ph + 0.05f);
        l.glint_tip = 0.72f + 0.28f * wave(u, 3, ph + 0.4f);
    }
    return p;
}

// Waking: the leaves lift one after another, the left one first; each blade and tip
// unfurls a little after its stalk, and the drops brighten and flash as each leaf comes
// up. The last stretch glides into wake_idle's first pose.
c_sundew_pose wake(float u) {
    const c_sundew_pose from = asleep(0);
    const c_sundew_pose to = awake(0);
    c_sundew_pose p;
    constexpr int order[k_leaf_count] = {0, 2, 3, 1};  // the order each leaf starts in
    for (int i = 0; i < k_leaf_count; ++i) {
        const float start = 0.04f + 0.09f * float(order[i]);
        const float rise = smoothstep(start, start + 0.42f, u);
        const float unfurl = smoothstep(start + 0.08f, start + 0.55f, u);
        const c_leaf_pose& a = from.leaf[i];
        const c_leaf_pose& b = to.leaf[i];
        c_leaf_pose& l = p.leaf[i];
        // A small overshoot past the reach as the leaf comes up, like a stretch.
        const float stretch = std::sin(k_pi * rise) * rise;
        l.stalk = mix(a.stalk, b.stalk, rise) + 0.08f * stretch;
        l.blade = mix(a.blade, b.blade, unfurl) + 0.08f * std::sin(k_pi * unfurl) * unfurl;
        l.tip = mix(a.tip, b.tip, unfurl) + 0.1f * std::sin(k_pi * unfurl) * unfurl;
        const float flash = std::sin(k_pi * smoothstep(start + 0.15f, start + 0.5f, u));
        l.glint_blade = std::min(1.0f, mix(a.glint_blade, b.glint_blade, rise) + 0.3f * flash);
        l.glint_tip = std::min(1.0f, mix(a.glint_tip, b.glint_tip, unfurl) + 0.3f * flash);
    }
    p = mix_pose(p, to, smoothstep(0.82f, 1.0f, u));
    if (u >= 1) p = to;
    return p;
}

// Eating: the others keep swaying as in wake_idle; the left leaf draws back, snaps its
// blade and tip shut over what it caught (its drops flaring), squeezes twice, and slowly
// opens again. Every change is over before the end, so it ends in wake_idle's first pose.
c_sundew_pose eat(float u) {
    c_sundew_pose p = awake(u);
    c_leaf_pose& l = p.leaf[k_feeder];
    const float draw = envelope(u, 0.0f, 0.1f, 0.1f, 0.16f);
    const float shut = smoothstep(0.1f, 0.17f, u) * (1 - smoothstep(0.55f, 0.88f, u));
    const float snap = 1 - std::pow(1 - shut, 2.0f);
    const float squeeze = hump(smoothstep(0.24f, 0.5f, u), 2, 0.75f) * shut;
    l.stalk += -0.1f * draw + 0.22f * snap;
    l.blade += -0.18f * draw + 0.75f * snap + 0.06f * squeeze;
    l.tip += -0.25f * draw + 1.85f * snap + 0.12f * squeeze;
    const float flare = envelope(u, 0.12f, 0.16f, 0.2f, 0.34f);
    l.glint_blade = std::min(1.0f, l.glint_blade + flare) * (1 - 0.5f * shut * (1 - flare));
    l.glint_tip = std::min(1.0f, l.glint_tip + flare) * (1 - 0.5f * shut * (1 - flare));
    // The others start at the snap.
    const float shiver = envelope(u, 0.14f, 0.18f, 0.22f, 0.4f) * std::sin(u * 14 * k_two_pi);
    for (int i = 0; i < k_leaf_count; ++i) {
        if (i == k_feeder) continue;
        p.leaf[i].tip += 0.05f * shiver;
        p.leaf[i].blade += 0.025f * shiver;
    }
    return p;
}

}  // namespace

bool build_2bugcatcher(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics = {{"base", "bug_base", 0, 0, 1, 255}};
    std::vector<c_node_def> nodes = {{"base", "", "base", 0, 0, 4, false}};
    for (const c_leaf_def& leaf : k_leaves) {
        const std::string n = leaf.name;
        const std::string e = "bug_" + n;
        graphics.push_back({n + "_stalk", e + "_stalk", leaf.foot.x, leaf.foot.y, 1, 255});
        graphics.push_back({n + "_blade", e + "_blade", leaf.blade.x, leaf.blade.y, 1, 255});
        graphics.push_back({n + "_tip", e + "_tip", leaf.tip.x, leaf.tip.y, 1, 255});
        add_levels(graphics, n + "_blade_glint", e + "_blade_glint", leaf.blade, k_glint_levels, 1, 1, 0, 255, true);
        add_levels(graphics, n + "_tip_glint", e + "_tip_glint", leaf.tip, k_glint_levels, 1, 1, 0, 255, true);
        const std::string lit = "_" + std::to_string(k_glint_levels - 1);
        nodes.push_back({n + "_stalk", "base", n + "_stalk", leaf.foot.x, leaf.foot.y, leaf.z, false});
        nodes.push_back({n + "_blade", n + "_stalk", n + "_blade", leaf.blade.x, leaf.blade.y, leaf.z + 0.1f, false});
        nodes.push_back({n + "_blade_glint", n + "_blade", n + "_blade_glint" + lit, leaf.blade.x, leaf.blade.y,
                         leaf.z + 0.2f, true});
        nodes.push_back({n + "_tip", n + "_blade", n + "_tip", leaf.tip.x, leaf.tip.y, leaf.z + 0.3f, false});
        nodes.push_back({n + "_tip_glint", n + "_tip", n + "_tip_glint" + lit, leaf.tip.x, leaf.tip.y, leaf.z + 0.4f,
                         true});
    }
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    c_leaf_parts parts[k_leaf_count];
    for (int i = 0; i < k_leaf_count; ++i) {
        const std::string n = k_leaves[i].name;
        parts[i] = {rig.node(n + "_stalk"), rig.node(n + "_blade"), rig.node(n + "_blade_glint"), rig.node(n + "_tip"),
                    rig.node(n + "_tip_glint")};
    }
    const auto with = [&parts](c_sundew_pose (*motion)(float)) {
        return [&parts, motion](float u, c_rig_pose& pose) {
            const c_sundew_pose p = motion(u);
            for (int i = 0; i < k_leaf_count; ++i) {
                const std::string n = k_leaves[i].name;
                const c_leaf_pose& l = p.leaf[i];
                pose.offsets[size_t(parts[i].stalk)].angle = l.stalk;
                pose.offsets[size_t(parts[i].blade)].angle = l.blade;
                pose.offsets[size_t(parts[i].tip)].angle = l.tip;
                pose.graphics[size_t(parts[i].blade_glint)] =
                    level_graphic(n + "_blade_glint", l.glint_blade, k_glint_levels);
                pose.graphics[size_t(parts[i].tip_glint)] = level_graphic(n + "_tip_glint", l.glint_tip, k_glint_levels);
            }
        };
    };
    rig.add_pose(anim, "default", with(asleep), 0);
    const c_graph_def graphs[] = {
        {"idle", 48, true, with(asleep)},
        {"wake", 64, false, with(wake)},
        {"wake_idle", 64, true, with(awake)},
        {"eat", 80, false, with(eat)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
