// The firefly: its part and node tables and its motions (sleep, wake, fly), sampled
// into anims/firefly.xml by the rig. Its lantern lights up by cross-fading a lit
// texture over the dim abdomen and by a halo whose strength steps through levels.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr int k_light_levels = 12;

// Folded for sleep: wings lie along the back, antennae droop, the head nods.
constexpr float k_wing_folded = 0.55f;
constexpr float k_antenna_droop = -0.45f;
constexpr float k_head_nod = -0.16f;
constexpr float k_sleep_sink = -8;  // scene units the body settles while asleep
constexpr float k_sleep_light = 0.12f;

// Flying: wing beats and the light's pulse per loop.
constexpr int k_beats_per_loop = 8;
constexpr float k_beat = 0.6f;
constexpr float k_fly_dimming = 0.22f;  // of full light, at the pulse's low

const std::vector<c_graphic_def>& firefly_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g = {
            {"wing_far", "firefly_wing_far", 14, -26, 1, 255},
            {"antenna_far", "firefly_antenna_far", 62, -30, 1, 255},
            {"legs", "firefly_legs", 12, 20, 1, 255},
            {"abdomen", "firefly_abdomen", -10, 4, 1, 255},
            {"body", "firefly_body", 8, 0, 1, 255},
            {"head", "firefly_head", 44, 0, 1, 255},
            {"eye", "firefly_eye", 74, 2, 1, 255},
            {"eye_closed", "firefly_eye_closed", 74, 2, 1, 255},
            {"antenna_near", "firefly_antenna_near", 74, -26, 1, 255},
            {"wing_near", "firefly_wing_near", 20, -24, 1, 255},
        };
        for (int i = 0; i < k_light_levels; ++i) {
            const float f = float(i) / (k_light_levels - 1);
            g.push_back({"halo_" + std::to_string(i), "firefly_halo", -62, 14, mix(0.6f, 1.1f, f),
                         uint8_t(std::lround(255 * f))});
            g.push_back({"lantern_" + std::to_string(i), "firefly_lantern", -10, 4, 1,
                         uint8_t(std::lround(255 * f))});
        }
        return g;
    }();
    return graphics;
}

const std::vector<c_node_def>& firefly_nodes() {
    static const std::vector<c_node_def> nodes = {
        {"body", "", "body", 8, 0, 0, false},
        {"wing_far", "body", "wing_far", 14, -26, -4, false},
        {"legs", "body", "legs", 12, 20, -2, false},
        {"abdomen", "body", "abdomen", -10, 4, -1, false},
        {"halo", "abdomen", "halo_11", -62, 14, -6, true},
        {"lantern", "abdomen", "lantern_11", -10, 4, -0.5f, true},
        {"head", "body", "head", 44, 0, 1, false},
        {"antenna_far", "head", "antenna_far", 62, -30, -3, false},
        {"eye", "head", "eye", 74, 2, 2, true},
        {"antenna_near", "head", "antenna_near", 74, -26, 2.5f, false},
        {"wing_near", "body", "wing_near", 20, -24, 4, false},
    };
    return nodes;
}

struct c_firefly_parts {
    int body, wing_far, legs, abdomen, halo, lantern, head, antenna_far, eye, antenna_near, wing_near;
};

c_firefly_parts find_parts(const c_rig& rig) {
    return {rig.node("body"),     rig.node("wing_far"),    rig.node("legs"), rig.node("abdomen"),
            rig.node("halo"),     rig.node("lantern"),     rig.node("head"), rig.node("antenna_far"),
            rig.node("eye"),      rig.node("antenna_near"), rig.node("wing_near")};
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

void set_light(const c_firefly_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.halo)] = level_graphic("halo", level, k_light_levels);
    pose.graphics[size_t(p.lantern)] = level_graphic("lantern", level, k_light_levels);
}

// The folded, resting shape scaled by amount (1 asleep, 0 awake).
void fold(const c_firefly_parts& p, c_rig_pose& pose, float amount) {
    at(pose, p.wing_near).angle += k_wing_folded * amount;
    at(pose, p.wing_far).angle += k_wing_folded * amount;
    at(pose, p.antenna_near).angle += k_antenna_droop * amount;
    at(pose, p.antenna_far).angle += k_antenna_droop * amount;
    at(pose, p.head).angle += k_head_nod * amount;
    at(pose, p.body).dy += k_sleep_sink * amount;
    at(pose, p.legs).angle += 0.25f * amount;
}

// Two slow breaths per loop: the abdomen swells and the light glows a little with it.
void sleep(const c_firefly_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    fold(p, pose, 1);
    at(pose, p.abdomen).angle = 0.04f * breath;
    at(pose, p.abdomen).dx = -1.5f * breath;
    at(pose, p.body).dy += 1.5f * breath;
    at(pose, p.antenna_near).angle += 0.04f * wave(u, 2, 0.2f);
    pose.graphics[size_t(p.eye)] = "eye_closed";
    set_light(p, pose, k_sleep_light + 0.06f * (breath + 1));
}

void fly(const c_firefly_parts& p, float u, c_rig_pose& pose);

// Eyes open and blink, a long stretch with wings up, then the lantern lights with a
// flash and settles where "fly" starts, so the loop that follows continues smoothly.
void wake(const c_firefly_parts& p, float u, c_rig_pose& pose) {
    const float unfold = ease_in_out(smoothstep(0.25f, 0.6f, u));
    const float stretch = envelope(u, 0.3f, 0.5f, 0.62f, 0.88f);
    fold(p, pose, 1 - unfold);
    at(pose, p.wing_near).angle -= 0.5f * stretch;
    at(pose, p.wing_far).angle -= 0.45f * stretch;
    at(pose, p.antenna_near).angle += 0.22f * stretch;
    at(pose, p.antenna_far).angle += 0.2f * stretch;
    at(pose, p.head).angle += 0.14f * stretch;
    at(pose, p.body).dy += 10 * stretch;
    at(pose, p.abdomen).angle -= 0.12f * stretch;
    // A quick shake of the wings once awake, fading into the beat "fly" starts with.
    const float shake = envelope(u, 0.82f, 0.9f, 0.94f, 1.0f);
    at(pose, p.wing_near).angle += k_beat * 0.5f * wave(u, 12, 0) * shake;
    at(pose, p.wing_far).angle += k_beat * 0.5f * wave(u, 12, 0.05f) * shake;
    const bool eyes_shut = u < 0.22f || (u > 0.34f && u < 0.37f);
    if (eyes_shut) pose.graphics[size_t(p.eye)] = "eye_closed";
    // The last frames glide into the first pose of "fly", which plays next.
    c_rig_pose flying = pose;
    for (c_node_offset& o : flying.offsets) o = c_node_offset{};
    fly(p, 0, flying);
    blend_offsets(pose, flying, ease_in_out(smoothstep(0.86f, 1.0f, u)));
    const float light = k_sleep_light + (1 - k_sleep_light) * ease_in_out(smoothstep(0.45f, 0.8f, u));
    const float flash = 0.25f * envelope(u, 0.7f, 0.78f, 0.8f, 0.92f);
    set_light(p, pose, std::min(1.0f, light + flash));
}

void fly(const c_firefly_parts& p, float u, c_rig_pose& pose) {
    at(pose, p.wing_near).angle = k_beat * wave(u, k_beats_per_loop, 0);
    at(pose, p.wing_far).angle = k_beat * wave(u, k_beats_per_loop, 0.04f);
    at(pose, p.body).dy = 7 * wave(u, 2, 0);
    at(pose, p.body).angle = 0.05f * wave(u, 2, 0.15f);
    at(pose, p.legs).angle = 0.12f * wave(u, 2, 0.3f);
    at(pose, p.abdomen).angle = 0.05f * wave(u, 2, 0.4f);
    at(pose, p.antenna_near).angle = 0.08f * wave(u, 4, 0);
    at(pose, p.antenna_far).angle = 0.08f * wave(u, 4, 0.1f);
    // Starts full, dims a little and comes back once per loop.
    set_light(p, pose, 1 - k_fly_dimming * 0.5f * (1 - wave(u, 1, -0.25f)));
}

}  // namespace

bool build_firefly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(firefly_graphics(), firefly_nodes(), geometry, anim, error)) return false;
    const c_firefly_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_firefly_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"sleep", 32, true, with(sleep)},
        {"wake", 96, false, with(wake)},
        {"fly", 96, true, with(fly)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
