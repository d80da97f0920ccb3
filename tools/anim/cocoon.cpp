// Chapter one's two cocoons that other larvae spin under the rose cane: a silk pad at
// the origin, a body that grows down from a small bundle while silk bands wrap round
// it, and a warm glow inside; sampled into anims/cacoona.xml and anims/cacoonb.xml.
// Everything that grows is drawn about the pad, so a band scaled with the body stays
// where it was painted on it.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_pad_levels = 6;
constexpr int k_growth_levels = 24;  // the body's length steps by about 11 units
constexpr int k_glow_levels = 8;
constexpr int k_fade_levels = 6;
constexpr int k_bands = 4;
constexpr float k_bundle = 0.2f;  // the body's scale when it first shows

// Build: the pad is spun (to 0.1), the bundle shows (0.1) and grows to full length (0.8);
// the bands land one after another while it grows, the extra (face or strands) fades in
// at the end and the glow comes up into the first pose of "idle".
constexpr float k_bundle_at = 0.1f;
constexpr float k_band_at[k_bands] = {0.24f, 0.38f, 0.52f, 0.66f};

// Idle: one sway and two breaths per loop.
constexpr float k_sway = 0.03f;

// What tells the cocoons apart in the tables: their element prefix and the part drawn
// over the bands at the end (a's face, b's loose strands).
struct c_cocoon_kind {
    const char* prefix;
    const char* extra;
};

c_point origin() { return {0, 0}; }

std::vector<c_graphic_def> cocoon_graphics(const c_cocoon_kind& kind) {
    const std::string p = kind.prefix;
    std::vector<c_graphic_def> g;
    add_levels(g, "pad", p + "_pad", origin(), k_pad_levels, 0.3f, 1, 120, 255, true);
    add_levels(g, "glow", p + "_glow", origin(), k_glow_levels, 1, 1, 0, 210, true);
    g.push_back({"body_hidden", p + "_body", 0, 0, 0.02f, 0});
    add_levels(g, "body", p + "_body", origin(), k_growth_levels, k_bundle, 1, 255, 255, false);
    for (int b = 1; b <= k_bands; ++b) {
        const std::string band = "band" + std::to_string(b);
        g.push_back({band + "_hidden", p + "_" + band, 0, 0, 0.02f, 0});
        add_levels(g, band, p + "_" + band, origin(), k_growth_levels, k_bundle, 1, 255, 255, false);
    }
    add_levels(g, kind.extra, p + "_" + kind.extra, origin(), k_fade_levels, 1, 1, 0, 255, true);
    return g;
}

// Every node turns about the pad; the glow sits over the body but under the silk.
std::vector<c_node_def> cocoon_nodes(const c_cocoon_kind& kind) {
    std::vector<c_node_def> nodes = {
        {"pad", "", "pad_5", 0, 0, 0, true},
        {"body", "pad", "body_23", 0, 0, 1, true},
        {"glow", "body", "glow_4", 0, 0, 1.5f, true},
    };
    for (int b = 1; b <= k_bands; ++b) {
        const std::string band = "band" + std::to_string(b);
        nodes.push_back({band, "body", band + "_" + std::to_string(k_growth_levels - 1), 0, 0, 2 + 0.1f * b, true});
    }
    nodes.push_back({kind.extra, "body", std::string(kind.extra) + "_" + std::to_string(k_fade_levels - 1), 0, 0, 3,
                     true});
    return nodes;
}

struct c_cocoon_parts {
    int pad, body, glow, extra;
    int bands[k_bands];
};

c_cocoon_parts find_parts(const c_rig& rig, const c_cocoon_kind& kind) {
    c_cocoon_parts p{rig.node("pad"), rig.node("body"), rig.node("glow"), rig.node(kind.extra), {}};
    for (int b = 0; b < k_bands; ++b) p.bands[b] = rig.node("band" + std::to_string(b + 1));
    return p;
}

float idle_glow(float u) { return 0.55f + 0.3f * wave(u, 2, 0.1f); }

// Sways about the pad, breathes (the bands ride the swell, the glow pulses) and the
// extra part drifts a little behind the body.
void idle(const c_cocoon_parts& p, const c_cocoon_kind& kind, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    pose.offsets[size_t(p.body)].angle = k_sway * wave(u, 1, 0);
    for (int b = 0; b < k_bands; ++b) pose.offsets[size_t(p.bands[b])].dy = -1.8f * breath * float(b + 1) / k_bands;
    c_node_offset& extra = pose.offsets[size_t(p.extra)];
    if (std::string(kind.extra) == "face") {
        extra.dy = -1.5f * breath;
    } else {
        extra.angle = 0.012f * wave(u, 1, 0.15f);
    }
    pose.graphics[size_t(p.glow)] = level_graphic("glow", idle_glow(u), k_glow_levels);
}

void build(const c_cocoon_parts& p, const c_cocoon_kind& kind, float u, c_rig_pose& pose) {
    pose.graphics[size_t(p.pad)] = level_graphic("pad", smoothstep(0, k_bundle_at, u), k_pad_levels);
    const float growth = ease_in_out(smoothstep(k_bundle_at, 0.8f, u));
    const std::string size = std::to_string(int(std::lround(growth * (k_growth_levels - 1))));
    const bool shown = u >= k_bundle_at;
    pose.graphics[size_t(p.body)] = shown ? "body_" + size : "body_hidden";
    // Each band that lands gives the cocoon a little push that rings out.
    float wobble = 0;
    for (int b = 0; b < k_bands; ++b) {
        const std::string band = "band" + std::to_string(b + 1);
        pose.graphics[size_t(p.bands[b])] = u >= k_band_at[b] ? band + "_" + size : band + "_hidden";
        if (u >= k_band_at[b]) {
            const float since = u - k_band_at[b];
            wobble += 0.05f * std::exp(-since * 18) * std::sin(since * 70) * (b % 2 ? 1 : -1);
        }
    }
    wobble += 0.06f * std::exp(-std::max(0.0f, u - k_bundle_at) * 12) * std::sin(std::max(0.0f, u - k_bundle_at) * 60);
    pose.offsets[size_t(p.body)].angle = shown ? wobble * (1 - smoothstep(0.85f, 1, u)) : 0;
    pose.graphics[size_t(p.extra)] = level_graphic(kind.extra, smoothstep(0.8f, 0.95f, u), k_fade_levels);
    pose.graphics[size_t(p.glow)] = level_graphic("glow", idle_glow(0) * smoothstep(0.7f, 1, u), k_glow_levels);
    if (u >= 1) {
        c_rig_pose start = pose;
        idle(p, kind, 0, start);
        pose = start;
    }
}

bool build_cocoon(const c_cocoon_kind& kind, const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(cocoon_graphics(kind), cocoon_nodes(kind), geometry, anim, error)) return false;
    const c_cocoon_parts parts = find_parts(rig, kind);
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"idle", 32, true, [&](float u, c_rig_pose& pose) { idle(parts, kind, u, pose); }},
        {"build", 96, false, [&](float u, c_rig_pose& pose) { build(parts, kind, u, pose); }},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace

bool build_cocoon_a(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_cocoon({"cocoon_a", "face"}, geometry, anim, error);
}

bool build_cocoon_b(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_cocoon({"cocoon_b", "strands"}, geometry, anim, error);
}

}  // namespace tw_tools
