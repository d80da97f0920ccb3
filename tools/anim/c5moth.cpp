// Chapter five's dusk moth, facing left: its part and node tables and its motions (resting
// with its antennae twitching, a flutter of its wings where it sits, the take-off, and
// flight), sampled into anims/moth.xml by the rig. The origin is the middle of its body;
// in flight the body rides a little above it, so the take-off can lift it there and the
// game moves the whole moth from then on. The wings swap to a smeared drawing mid-stroke
// so the beat reads as quick even at a few frames a beat.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// The SVG draws every part at this size over its outlines' numbers, so the joints below,
// taken from those outlines, are grown by it too.
constexpr float k_size = 1.3f;
constexpr c_point sized(float x, float y) { return {k_size * x, k_size * y}; }

// Joints in the SVG (y down).
constexpr c_point k_thorax = sized(0, 0);
constexpr c_point k_hinge_near = sized(6, -22);
constexpr c_point k_hinge_far = sized(14, -26);
constexpr c_point k_waist = sized(24, 10);
constexpr c_point k_neck = sized(-30, 4);
constexpr c_point k_antenna_near = sized(-58, -18);
constexpr c_point k_antenna_far = sized(-56, -16);
constexpr c_point k_legs = sized(0, 24);
constexpr c_point k_glow = sized(20, -10);

// Flight: four beats a loop; each wing swings about its middle angle (radians up from
// folded back over the body), the far wing a little ahead of the near.
constexpr int k_fly_beats = 4;
constexpr float k_near_mid = 0.8f;
constexpr float k_far_mid = 1.0f;
constexpr float k_beat_sweep = 0.75f;
constexpr float k_far_lag = -0.04f;   // of a beat
constexpr float k_fly_lift = 50;      // scene units the body rides above the origin in flight
constexpr float k_fly_bob = 13;
// Beyond this speed (radians per beat's quarter) a wing is drawn smeared.
constexpr float k_smear_speed = 0.45f;

// Opened where it sits, as in the flutter and before the take-off.
constexpr float k_open_near = 1.15f;
constexpr float k_open_far = 1.5f;

const std::vector<c_graphic_def>& moth_graphics() {
    static const std::vector<c_graphic_def> graphics = {
        {"glow", "moth_glow", k_glow.x, k_glow.y, 1, 255},
        {"wing_far", "moth_wing_far", k_hinge_far.x, k_hinge_far.y, 1, 255},
        {"wing_far_blur", "moth_wing_far_blur", k_hinge_far.x, k_hinge_far.y, 1, 255},
        {"legs_far", "moth_legs_far", k_legs.x, k_legs.y, 1, 255},
        {"antenna_far", "moth_antenna_far", k_antenna_far.x, k_antenna_far.y, 1, 255},
        {"abdomen", "moth_abdomen", k_waist.x, k_waist.y, 1, 255},
        {"body", "moth_body", k_thorax.x, k_thorax.y, 1, 255},
        {"head", "moth_head", k_neck.x, k_neck.y, 1, 255},
        {"legs", "moth_legs", k_legs.x, k_legs.y, 1, 255},
        {"antenna_near", "moth_antenna_near", k_antenna_near.x, k_antenna_near.y, 1, 255},
        {"wing_near", "moth_wing_near", k_hinge_near.x, k_hinge_near.y, 1, 255},
        {"wing_near_blur", "moth_wing_near_blur", k_hinge_near.x, k_hinge_near.y, 1, 255},
    };
    return graphics;
}

// Depths: a faint pale halo, the far wing, legs and antenna behind the body, the abdomen
// under the thorax, the head and near legs over it, the near wing on top.
const std::vector<c_node_def>& moth_nodes() {
    static const std::vector<c_node_def> nodes = {
        {"body", "", "body", k_thorax.x, k_thorax.y, 0, false},
        {"glow", "body", "glow", k_glow.x, k_glow.y, -10, false},
        {"wing_far", "body", "wing_far", k_hinge_far.x, k_hinge_far.y, -5, true},
        {"legs_far", "body", "legs_far", k_legs.x, k_legs.y, -4, false},
        {"abdomen", "body", "abdomen", k_waist.x, k_waist.y, -1, false},
        {"head", "body", "head", k_neck.x, k_neck.y, 1, false},
        {"antenna_far", "head", "antenna_far", k_antenna_far.x, k_antenna_far.y, -3, false},
        {"antenna_near", "head", "antenna_near", k_antenna_near.x, k_antenna_near.y, 3, false},
        {"legs", "body", "legs", k_legs.x, k_legs.y, 2, false},
        {"wing_near", "body", "wing_near", k_hinge_near.x, k_hinge_near.y, 4, true},
    };
    return nodes;
}

struct c_moth_parts {
    int body, wing_far, legs_far, abdomen, head, antenna_far, antenna_near, legs, wing_near;
};

c_moth_parts find_parts(const c_rig& rig) {
    return {rig.node("body"),        rig.node("wing_far"),     rig.node("legs_far"),
            rig.node("abdomen"),     rig.node("head"),         rig.node("antenna_far"),
            rig.node("antenna_near"), rig.node("legs"),        rig.node("wing_near")};
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

float twitch(float u, float start, float length) {
    return std::sin(k_two_pi * 2 * (u - start) / length) *
           envelope(u, start, start + 0.2f * length, start + 0.7f * length, start + length);
}

// Draws each wing smeared when it moves faster than the smear speed; speed is the stroke's
// sweep times how fast its wave is moving at this moment (0..1).
void smear_wings(const c_moth_parts& p, c_rig_pose& pose, float near_speed, float far_speed) {
    pose.graphics[size_t(p.wing_near)] = near_speed > k_smear_speed ? "wing_near_blur" : "wing_near";
    pose.graphics[size_t(p.wing_far)] = far_speed > k_smear_speed ? "wing_far_blur" : "wing_far";
}

// Resting: the wings breathe a hair open and shut, the abdomen with them, and the
// antennae twitch now and then, one after the other.
void idle(const c_moth_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    at(pose, p.wing_near).angle = 0.035f + 0.035f * breath;
    at(pose, p.wing_far).angle = 0.03f + 0.03f * wave(u, 2, 0.05f);
    at(pose, p.abdomen).angle = -0.02f * breath;
    at(pose, p.body).dy = 1.2f * breath;
    at(pose, p.legs).dy = -1.2f * breath;
    at(pose, p.legs_far).dy = -1.2f * breath;
    at(pose, p.head).angle = 0.03f * wave(u, 1, 0);
    at(pose, p.antenna_near).angle = 0.06f * wave(u, 1, 0) + 0.14f * twitch(u, 0.18f, 0.1f) +
                                     0.1f * twitch(u, 0.62f, 0.08f);
    at(pose, p.antenna_far).angle = 0.06f * wave(u, 1, 0.1f) + 0.14f * twitch(u, 0.4f, 0.1f) +
                                    0.1f * twitch(u, 0.82f, 0.08f);
    smear_wings(p, pose, 0, 0);
}

// Flight: wings beating four times a loop, the body bobbing once with a little lift on
// each downstroke and swaying about a nose-up tilt; legs tucked, antennae swept back.
void fly(const c_moth_parts& p, float u, c_rig_pose& pose) {
    at(pose, p.wing_near).angle = k_near_mid + k_beat_sweep * wave(u, k_fly_beats, 0);
    at(pose, p.wing_far).angle = k_far_mid + k_beat_sweep * wave(u, k_fly_beats, k_far_lag);
    const float near_speed = k_beat_sweep * std::fabs(wave(u, k_fly_beats, 0.25f));
    const float far_speed = k_beat_sweep * std::fabs(wave(u, k_fly_beats, k_far_lag + 0.25f));
    at(pose, p.body).dy = k_fly_lift + k_fly_bob * wave(u, 1, 0) + 5 * wave(u, k_fly_beats, 0.25f);
    at(pose, p.body).angle = -0.08f + 0.04f * wave(u, 1, 0.2f);
    at(pose, p.abdomen).angle = 0.06f * wave(u, k_fly_beats, 0.1f) - 0.05f;
    at(pose, p.head).angle = 0.04f * wave(u, 1, 0.45f);
    at(pose, p.antenna_near).angle = -0.12f + 0.06f * wave(u, k_fly_beats, 0.2f);
    at(pose, p.antenna_far).angle = -0.12f + 0.06f * wave(u, k_fly_beats, 0.3f);
    at(pose, p.legs).angle = -0.3f + 0.06f * wave(u, 1, 0.15f);
    at(pose, p.legs).dy = 8;
    at(pose, p.legs_far).angle = -0.3f + 0.06f * wave(u, 1, 0.3f);
    at(pose, p.legs_far).dy = 8;
    smear_wings(p, pose, near_speed, far_speed);
}

// Flutter: the moth lifts its wings open where it sits, flutters them four times, holds
// them open a moment and folds them back into idle's first pose.
void flutter(const c_moth_parts& p, float u, c_rig_pose& pose) {
    idle(p, 0, pose);
    const float open = envelope(u, 0.04f, 0.18f, 0.74f, 0.94f);
    const float beats = envelope(u, 0.16f, 0.22f, 0.6f, 0.68f);
    // Four beats between 0.2 and 0.64 of the graph.
    const float phase = (u - 0.2f) / 0.11f;
    const float beat = std::sin(k_two_pi * phase) * beats;
    const float speed = std::fabs(std::cos(k_two_pi * phase)) * beats;
    at(pose, p.wing_near).angle += k_open_near * open + 0.45f * beat;
    at(pose, p.wing_far).angle += k_open_far * open + 0.45f * std::sin(k_two_pi * (phase + 0.04f)) * beats;
    at(pose, p.body).dy += 3 * beat;
    at(pose, p.abdomen).angle += 0.05f * open + 0.03f * beat;
    at(pose, p.antenna_near).angle += -0.15f * open;
    at(pose, p.antenna_far).angle += -0.15f * open;
    smear_wings(p, pose, 0.7f * speed, 0.7f * speed);
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.94f, 1.0f, u));
    if (u >= 1) pose = rest;
}

// Take-off: the wings lift wide open as the moth crouches on its legs, beat ever harder,
// and the body rises off the perch into flight, arriving at fly's first pose.
void takeoff(const c_moth_parts& p, float u, c_rig_pose& pose) {
    idle(p, 0, pose);
    const float open = smoothstep(0.0f, 0.16f, u);
    const float crouch = envelope(u, 0.08f, 0.18f, 0.24f, 0.32f);
    const float strength = smoothstep(0.12f, 0.45f, u);
    at(pose, p.wing_near).angle += k_open_near * open + k_beat_sweep * strength * wave(u, k_fly_beats, 0);
    at(pose, p.wing_far).angle += k_open_far * open + k_beat_sweep * strength * wave(u, k_fly_beats, k_far_lag);
    at(pose, p.body).dy += -8 * crouch;
    at(pose, p.legs).dy += 8 * crouch;
    at(pose, p.legs_far).dy += 8 * crouch;
    at(pose, p.antenna_near).angle += -0.15f * open;
    at(pose, p.antenna_far).angle += -0.15f * open;
    c_rig_pose flight = pose;
    fly(p, u, flight);
    const float rise = ease_in_out(smoothstep(0.28f, 1.0f, u));
    blend_offsets(pose, flight, rise);
    const float near_speed = k_beat_sweep * strength * std::fabs(wave(u, k_fly_beats, 0.25f));
    const float far_speed = k_beat_sweep * strength * std::fabs(wave(u, k_fly_beats, k_far_lag + 0.25f));
    smear_wings(p, pose, near_speed, far_speed);
    if (u >= 1) fly(p, 0, pose);
}

}  // namespace

bool build_c5moth(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(moth_graphics(), moth_nodes(), geometry, anim, error)) return false;
    const c_moth_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_moth_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 64, true, with(idle)},
        {"flutter", 128, false, with(flutter)},
        {"takeoff", 128, false, with(takeoff)},
        {"fly", 96, true, with(fly)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
