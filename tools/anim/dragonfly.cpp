// The dragonfly of the title screen: its part and node tables and its one motion (fly),
// sampled into anims/3dragonfly.xml by the rig. It faces left; its long abdomen is a
// chain of five segments, each with a halo whose strength steps through levels.
#include <cmath>
#include <string>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_segment_count = 5;
constexpr int k_glow_levels = 10;
// Where each abdomen segment hinges on the one before it (SVG units), and its length.
constexpr float k_abdomen_start_x = 70;
constexpr float k_segment_length = 168;
constexpr float k_abdomen_y = 10;
// The halo's middle in the SVG, which is also where its pivot goes.
constexpr float k_glow_x = 0;
constexpr float k_glow_y = 6;

constexpr int k_beats_per_loop = 3;
constexpr float k_wing_sweep = 0.38f;     // radians either side of each wing's rest
constexpr float k_hind_phase = 0.5f;      // of a beat: the pairs beat against each other
constexpr float k_far_wing_lag = 0.03f;   // of a beat
constexpr float k_bob = 9;                // scene units up and down once per loop
constexpr float k_wave_step = 0.12f;      // of a loop, from one segment to the next
constexpr float k_glow_low = 0.5f;        // of full glow, at the pulse's low
constexpr float k_glow_travel = 0.1f;     // of a loop, the pulse's delay per segment

float segment_x(int i) { return k_abdomen_start_x + k_segment_length * float(i); }

const std::vector<c_graphic_def>& dragonfly_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g = {
            {"wing_fore_far", "dragonfly_wing_fore_far", -14, -54, 1, 255},
            {"wing_hind_far", "dragonfly_wing_hind_far", 40, -48, 1, 255},
            {"thorax", "dragonfly_thorax", 0, 0, 1, 255},
            {"legs", "dragonfly_legs", -10, 45, 1, 255},
            {"head", "dragonfly_head", -90, 0, 1, 255},
            {"eye_far", "dragonfly_eye_far", -100, -64, 1, 255},
            {"eye", "dragonfly_eye", -134, -24, 1, 255},
            {"wing_hind_near", "dragonfly_wing_hind_near", 34, -44, 1, 255},
            {"wing_fore_near", "dragonfly_wing_fore_near", -24, -50, 1, 255},
        };
        for (int i = 0; i < k_segment_count; ++i) {
            const std::string name = "seg" + std::to_string(i);
            g.push_back({name, "dragonfly_" + name, segment_x(i), k_abdomen_y, 1, 255});
        }
        for (int i = 0; i < k_glow_levels; ++i) {
            const float f = float(i) / (k_glow_levels - 1);
            g.push_back({"glow_" + std::to_string(i), "dragonfly_glow", k_glow_x, k_glow_y, mix(0.85f, 1.15f, f),
                         uint8_t(std::lround(255 * f))});
        }
        return g;
    }();
    return graphics;
}

const std::vector<c_node_def>& dragonfly_nodes() {
    static const std::vector<c_node_def> nodes = [] {
        const std::string full_glow = "glow_" + std::to_string(k_glow_levels - 1);
        std::vector<c_node_def> n = {
            {"thorax", "", "thorax", 0, 0, 0, false},
            {"wing_fore_far", "thorax", "wing_fore_far", -14, -54, -10, false},
            {"wing_hind_far", "thorax", "wing_hind_far", 40, -48, -9, false},
            {"glow_thorax", "thorax", full_glow, k_glow_x, k_glow_y, -8, true},
        };
        // Each segment hangs from the one before, so small turns add up along the abdomen;
        // later segments tuck under earlier ones.
        std::string parent = "thorax";
        for (int i = 0; i < k_segment_count; ++i) {
            const std::string name = "seg" + std::to_string(i);
            n.push_back({name, parent, name, segment_x(i), k_abdomen_y, -1 - 0.5f * float(i), false});
            n.push_back({"glow" + std::to_string(i), name, full_glow, segment_x(i) + k_segment_length / 2,
                         k_abdomen_y, -8, true});
            parent = name;
        }
        const std::vector<c_node_def> front = {
            {"legs", "thorax", "legs", -10, 45, 1, false},
            {"head", "thorax", "head", -90, 0, 2, false},
            {"eye_far", "head", "eye_far", -100, -64, 1.5f, false},
            {"eye", "head", "eye", -134, -24, 3, false},
            {"wing_hind_near", "thorax", "wing_hind_near", 34, -44, 5, false},
            {"wing_fore_near", "thorax", "wing_fore_near", -24, -50, 6, false},
        };
        n.insert(n.end(), front.begin(), front.end());
        return n;
    }();
    return nodes;
}

struct c_dragonfly_parts {
    int thorax, wing_fore_far, wing_hind_far, glow_thorax, legs, head, wing_hind_near, wing_fore_near;
    int segments[k_segment_count];
    int glows[k_segment_count];
};

c_dragonfly_parts find_parts(const c_rig& rig) {
    c_dragonfly_parts p{rig.node("thorax"), rig.node("wing_fore_far"),  rig.node("wing_hind_far"),
                        rig.node("glow_thorax"), rig.node("legs"),     rig.node("head"),
                        rig.node("wing_hind_near"), rig.node("wing_fore_near"), {}, {}};
    for (int i = 0; i < k_segment_count; ++i) {
        p.segments[i] = rig.node("seg" + std::to_string(i));
        p.glows[i] = rig.node("glow" + std::to_string(i));
    }
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// Glow strength at one place along the body: a pulse running from the thorax to the tail.
std::string glow_at(float u, int place) {
    const float pulse = 0.5f + 0.5f * wave(u, 1, k_glow_travel * float(place));
    return level_graphic("glow", mix(k_glow_low, 1, pulse), k_glow_levels);
}

// Flying: fore and hind wings beat three times a loop against each other, the abdomen
// undulates in a wave running to the tail, the body bobs and the glow pulses along it.
void fly(const c_dragonfly_parts& p, float u, c_rig_pose& pose) {
    const float fore = k_wing_sweep * wave(u, k_beats_per_loop, 0);
    const float hind = k_wing_sweep * wave(u, k_beats_per_loop, k_hind_phase);
    at(pose, p.wing_fore_near).angle = fore;
    at(pose, p.wing_hind_near).angle = hind;
    at(pose, p.wing_fore_far).angle = k_wing_sweep * wave(u, k_beats_per_loop, k_far_wing_lag);
    at(pose, p.wing_hind_far).angle = k_wing_sweep * wave(u, k_beats_per_loop, k_hind_phase + k_far_wing_lag);
    at(pose, p.thorax).dy = k_bob * wave(u, 1, 0);
    at(pose, p.thorax).angle = 0.025f * wave(u, 1, 0.3f);
    at(pose, p.head).angle = 0.03f * wave(u, 1, 0.55f);
    at(pose, p.legs).angle = 0.06f * wave(u, 1, 0.4f);
    pose.graphics[size_t(p.glow_thorax)] = glow_at(u, 0);
    for (int i = 0; i < k_segment_count; ++i) {
        const float amplitude = 0.03f + 0.008f * float(i);
        at(pose, p.segments[i]).angle = amplitude * wave(u, 1, 0.2f + k_wave_step * float(i));
        pose.graphics[size_t(p.glows[i])] = glow_at(u, i + 1);
    }
}

}  // namespace

bool build_dragonfly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(dragonfly_graphics(), dragonfly_nodes(), geometry, anim, error)) return false;
    const c_dragonfly_parts parts = find_parts(rig);
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graph{"fly", 96, true, [&parts](float u, c_rig_pose& pose) { fly(parts, u, pose); }};
    return rig.add_graph(anim, graph, error);
}

}  // namespace tw_tools
