// Chapter four's player character, a small fluffy young honeybee facing right whose wings
// are still too small to fly: its part and node tables and its motions (a six-legged walk,
// the turn's squash, idle breathing with a wing flutter, a happy buzz and hop, and the
// jump: startled by the stag beetle's snap it leaps back in a high arc and lands at rest),
// sampled into anims/4bee.xml by the rig. The origin is the ground under the middle of the
// body, as the larva's is, so the feet stand on the path line.
// The bee also carries its disguise, a painted beetle mask and two fake fangs on the head,
// drawn at alpha 0 until the game makes the graphics "mask", "tooth1" and "tooth2" opaque.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr float k_pi = 3.14159265359f;

// Glow and shadow levels, as the larva's. The bee's "glow" is a soft dark halo behind the
// body that keeps its outline readable on the bright poppy field.
constexpr int k_glow_levels = 8;
constexpr int k_shadow_levels = 6;

// Joints in SVG units (y down).
constexpr c_point k_body_joint = {22, -138};  // the middle of the thorax
constexpr c_point k_waist = {-30, -124};
constexpr c_point k_neck = {66, -132};
constexpr c_point k_eye = {124, -140};
constexpr c_point k_antenna_base = {132, -180};
constexpr c_point k_antenna_far_base = {116, -182};
constexpr c_point k_wing_hinge = {6, -188};
constexpr c_point k_wing_far_hinge = {18, -192};
constexpr c_point k_glow_pivot = {0, -130};
constexpr c_point k_mask_pivot = {140, -130};
constexpr c_point k_tooth1_root = {162, -90};
constexpr c_point k_tooth2_root = {136, -92};

// The six legs, front to back, near side then far side: hip and foot in SVG units. Each
// leg is one piece turning about its hip; its top sits inside the fluffy thorax, so the
// small shift that keeps a planted foot on the ground does not show.
struct c_leg_def {
    const char* name;
    c_point hip;
    c_point foot;
    float z;
    float phase;  // of a step: the two tripods are half a step apart
    float reach;  // +1 front, 0 middle, -1 back: which way the leg points when it splays
};

const c_leg_def k_legs[] = {
    {"leg_front", {60, -92}, {92, -2}, 2.5f, 0.0f, 1},
    {"leg_mid", {26, -88}, {28, -2}, 2.5f, 0.5f, 0},
    {"leg_back", {-8, -90}, {-48, -2}, 2.5f, 0.0f, -1},
    {"leg_far_front", {76, -98}, {108, -2}, -2.0f, 0.5f, 1},
    {"leg_far_mid", {42, -94}, {44, -2}, -2.0f, 0.0f, 0},
    {"leg_far_back", {8, -96}, {-30, -2}, -2.0f, 0.5f, -1},
};
constexpr int k_leg_count = 6;

// Walk: four steps of each tripod per loop; the feet sweep back along the ground by the
// swing either side of rest and lift as they swing forward; the body dips with each step.
constexpr int k_walk_steps = 4;
constexpr float k_walk_swing = 0.36f;
constexpr float k_walk_lift = 16;
constexpr float k_walk_bob = 5;

// Action: the happy hop's height.
constexpr float k_hop_height = 60;

// Jump: startled, it crouches and leaps back in a high arc, landing with a squash.
constexpr float k_jump_take_off = 0.15f;
constexpr float k_jump_land = 0.66f;
constexpr float k_jump_height = 290;

const std::vector<c_graphic_def>& bee_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g;
        add_levels(g, "shadow", "bee4_shadow", {0, 0}, k_shadow_levels, 0.5f, 1.0f, 110, 255, false);
        add_levels(g, "glow", "bee4_glow", k_glow_pivot, k_glow_levels, 0.96f, 1.0f, 110, 255, false);
        g.push_back({"antenna_far", "bee4_antenna_far", k_antenna_far_base.x, k_antenna_far_base.y, 1, 255});
        g.push_back({"wing_far", "bee4_wing_far", k_wing_far_hinge.x, k_wing_far_hinge.y, 1, 255});
        g.push_back({"wing_far_blur", "bee4_wing_far_blur", k_wing_far_hinge.x, k_wing_far_hinge.y, 1, 255});
        for (const c_leg_def& leg : k_legs) {
            g.push_back({leg.name, std::string("bee4_") + leg.name, leg.hip.x, leg.hip.y, 1, 255});
        }
        g.push_back({"abdomen", "bee4_abdomen", k_waist.x, k_waist.y, 1, 255});
        g.push_back({"thorax", "bee4_thorax", k_body_joint.x, k_body_joint.y, 1, 255});
        g.push_back({"wing", "bee4_wing", k_wing_hinge.x, k_wing_hinge.y, 1, 255});
        g.push_back({"wing_blur", "bee4_wing_blur", k_wing_hinge.x, k_wing_hinge.y, 1, 255});
        g.push_back({"head", "bee4_head", k_neck.x, k_neck.y, 1, 255});
        for (const char* eye : {"eye", "eye_closed", "eye_happy", "eye_wide"}) {
            g.push_back({eye, std::string("bee4_") + eye, k_eye.x, k_eye.y, 1, 255});
        }
        g.push_back({"antenna", "bee4_antenna", k_antenna_base.x, k_antenna_base.y, 1, 255});
        // The disguise, hidden until the game sets these three opaque.
        g.push_back({"mask", "bee4_mask", k_mask_pivot.x, k_mask_pivot.y, 1, 0});
        g.push_back({"tooth1", "bee4_tooth1", k_tooth1_root.x, k_tooth1_root.y, 1, 0});
        g.push_back({"tooth2", "bee4_tooth2", k_tooth2_root.x, k_tooth2_root.y, 1, 0});
        return g;
    }();
    return graphics;
}

// Depths: shadow and halo below; the far antenna, far wing and far legs behind the body;
// the abdomen, the thorax, the near legs, the head with its face and the near wing; the
// disguise over the face, the far fang behind the near one.
const std::vector<c_node_def>& bee_nodes() {
    static const std::vector<c_node_def> nodes = [] {
        std::vector<c_node_def> n = {
            {"shadow", "", "shadow_5", 0, 0, -10, true},
            {"body", "shadow", "thorax", k_body_joint.x, k_body_joint.y, 2, false},
            {"glow", "body", "glow_7", k_glow_pivot.x, k_glow_pivot.y, -8, true},
            {"abdomen", "body", "abdomen", k_waist.x, k_waist.y, 1, false},
            {"wing_far", "body", "wing_far", k_wing_far_hinge.x, k_wing_far_hinge.y, -3, true},
            {"wing", "body", "wing", k_wing_hinge.x, k_wing_hinge.y, 4, true},
            {"head", "body", "head", k_neck.x, k_neck.y, 3, false},
            {"antenna_far", "head", "antenna_far", k_antenna_far_base.x, k_antenna_far_base.y, -4, false},
            {"eye", "head", "eye", k_eye.x, k_eye.y, 3.5f, true},
            {"antenna", "head", "antenna", k_antenna_base.x, k_antenna_base.y, 4.5f, false},
            {"tooth2", "head", "tooth2", k_tooth2_root.x, k_tooth2_root.y, 5.2f, false},
            {"tooth1", "head", "tooth1", k_tooth1_root.x, k_tooth1_root.y, 5.5f, false},
            {"mask", "head", "mask", k_mask_pivot.x, k_mask_pivot.y, 6, false},
        };
        for (const c_leg_def& leg : k_legs) n.push_back({leg.name, "body", leg.name, leg.hip.x, leg.hip.y, leg.z, false});
        return n;
    }();
    return nodes;
}

struct c_bee_parts {
    int shadow, body, glow, abdomen, wing_far, wing, head, antenna_far, eye, antenna, tooth1, tooth2, mask;
    int legs[k_leg_count];
};

c_bee_parts find_parts(const c_rig& rig) {
    c_bee_parts p{};
    p.shadow = rig.node("shadow");
    p.body = rig.node("body");
    p.glow = rig.node("glow");
    p.abdomen = rig.node("abdomen");
    p.wing_far = rig.node("wing_far");
    p.wing = rig.node("wing");
    p.head = rig.node("head");
    p.antenna_far = rig.node("antenna_far");
    p.eye = rig.node("eye");
    p.antenna = rig.node("antenna");
    p.tooth1 = rig.node("tooth1");
    p.tooth2 = rig.node("tooth2");
    p.mask = rig.node("mask");
    for (int i = 0; i < k_leg_count; ++i) p.legs[i] = rig.node(k_legs[i].name);
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// SVG units (y down) to scene units (y up).
c_point scene(c_point svg) { return {svg.x, -svg.y}; }

void set_glow(const c_bee_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.glow)] = level_graphic("glow", level, k_glow_levels);
}

void set_shadow(const c_bee_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.shadow)] = level_graphic("shadow", level, k_shadow_levels);
}

// Where leg i's foot is in the scene, its leg turned and shifted as the pose says and the
// body moved and turned about its joint.
c_point foot_now(const c_bee_parts& p, const c_rig_pose& pose, int i) {
    const c_leg_def& leg = k_legs[i];
    const c_node_offset& o = pose.offsets[size_t(p.legs[i])];
    const c_point hip = scene(leg.hip);
    const c_point turned = rotate_about(scene(leg.foot), hip, o.angle);
    const c_point local = {turned.x + o.dx, turned.y + o.dy};
    const c_node_offset& b = pose.offsets[size_t(p.body)];
    const c_point moved = rotate_about(local, scene(k_body_joint), b.angle);
    return {moved.x + b.dx, moved.y + b.dy};
}

// Shifts leg i along the body's up so its foot stands at height above the ground.
void set_foot_height(const c_bee_parts& p, c_rig_pose& pose, int i, float height) {
    const float error = foot_now(p, pose, i).y - (scene(k_legs[i].foot).y + height);
    const float body_angle = pose.offsets[size_t(p.body)].angle;
    at(pose, p.legs[i]).dy -= error / std::max(0.5f, std::cos(body_angle));
}

// Every foot back on the ground, wherever the body and the legs' turns have taken it.
void plant_feet(const c_bee_parts& p, c_rig_pose& pose) {
    for (int i = 0; i < k_leg_count; ++i) set_foot_height(p, pose, i, 0);
}

// Splays the legs (1 spread wide in fright, -1 tucked under) without planting them.
void splay_legs(const c_bee_parts& p, c_rig_pose& pose, float amount) {
    for (int i = 0; i < k_leg_count; ++i) {
        const float r = k_legs[i].reach;
        at(pose, p.legs[i]).angle += amount * (r == 0 ? 0.25f : 0.55f * r);
    }
}

// A wing at angle; drawn as its blur when blur is set.
void set_wing(const c_bee_parts& p, c_rig_pose& pose, float angle, float far_angle, bool blur) {
    at(pose, p.wing).angle = angle;
    at(pose, p.wing_far).angle = far_angle;
    pose.graphics[size_t(p.wing)] = blur ? "wing_blur" : "wing";
    pose.graphics[size_t(p.wing_far)] = blur ? "wing_far_blur" : "wing_far";
}

// A quick shiver from start for length: a few fast cycles under a soft window.
float shiver(float u, float start, float length, int cycles) {
    const float w = envelope(u, start, start + 0.2f * length, start + 0.8f * length, start + length);
    return w * std::sin(k_two_pi * float(cycles) * (u - start) / length);
}

// Idle: two slow breaths a loop (the abdomen pumps, the body rises a little on planted
// legs), the antennae sway, a flutter of the little wings, one blink; the disguise's fangs
// work a little, as a beetle's jaws would.
float idle_glow(float u) { return 0.9f + 0.1f * wave(u, 2, 0); }

void idle(const c_bee_parts& p, float u, c_rig_pose& pose) {
    const float breath = 0.5f - 0.5f * std::cos(k_two_pi * 2 * u);
    at(pose, p.body).dy = 3 * breath;
    at(pose, p.abdomen).angle = -0.035f * breath;
    at(pose, p.abdomen).dy = -1.5f * breath;
    at(pose, p.head).angle = 0.04f * wave(u, 1, 0);
    at(pose, p.antenna).angle = 0.12f * wave(u, 1, 0) + 0.1f * shiver(u, 0.22f, 0.08f, 2);
    at(pose, p.antenna_far).angle = 0.1f * wave(u, 1, 0.15f) + 0.1f * shiver(u, 0.74f, 0.08f, 2);
    const float flutter = shiver(u, 0.42f, 0.12f, 6);
    const float fold = 0.04f * wave(u, 2, 0.1f);
    set_wing(p, pose, fold + 0.3f * flutter, fold + 0.26f * shiver(u, 0.425f, 0.12f, 6),
             std::fabs(flutter) > 0.6f);
    at(pose, p.tooth1).angle = 0.05f * wave(u, 2, 0.2f);
    at(pose, p.tooth2).angle = 0.05f * wave(u, 2, 0.3f);
    plant_feet(p, pose);
    if (u > 0.64f && u < 0.675f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_glow(p, pose, idle_glow(u));
}

// Walking: the two tripods (near front, far middle, near back / the others) step in turn,
// four steps a loop, each planted foot sweeping back along the ground and then lifting
// forward; the body dips as each takes the weight, the head nods, the abdomen sways and
// the wings give a little twitch now and then.
void walk(const c_bee_parts& p, float u, c_rig_pose& pose) {
    const int beats = 2 * k_walk_steps;
    at(pose, p.body).dy = -k_walk_bob * (0.5f + 0.5f * wave(u, beats, -0.25f));
    at(pose, p.body).angle = 0.015f * wave(u, k_walk_steps, 0.1f);
    at(pose, p.head).angle = 0.04f * wave(u, beats, 0.1f);
    at(pose, p.head).dy = 1.5f * wave(u, beats, 0.3f);
    at(pose, p.abdomen).angle = 0.035f * wave(u, k_walk_steps, 0.3f);
    at(pose, p.antenna).angle = 0.08f * wave(u, beats, 0.2f);
    at(pose, p.antenna_far).angle = 0.08f * wave(u, beats, 0.3f);
    const float twitch = shiver(u, 0.2f, 0.07f, 2) + shiver(u, 0.7f, 0.07f, 2);
    set_wing(p, pose, 0.05f * wave(u, beats, 0.4f) + 0.22f * twitch, 0.05f * wave(u, beats, 0.45f) + 0.18f * twitch,
             false);
    float lift[k_leg_count];
    for (int i = 0; i < k_leg_count; ++i) {
        float s = float(k_walk_steps) * u + k_legs[i].phase;
        s -= std::floor(s);
        float angle;
        if (s < 0.5f) {
            angle = k_walk_swing * (1 - 4 * s);
            lift[i] = 0;
        } else {
            const float swing = (s - 0.5f) * 2;
            angle = k_walk_swing * (2 * ease_in_out(swing) - 1);
            lift[i] = k_walk_lift * std::sin(k_pi * swing);
        }
        at(pose, p.legs[i]).angle = angle;
    }
    for (int i = 0; i < k_leg_count; ++i) set_foot_height(p, pose, i, lift[i]);
    set_glow(p, pose, 1);
}

// Played to its end at the middle of a turn and back, so the facing flips while the bee is
// squashed down and gathered up with its eyes shut: head and tail pulled in, the antennae
// swept back, the wings pressed flat, the feet planted.
void turn(const c_bee_parts& p, float u, c_rig_pose& pose) {
    const float a = ease_in_out(smoothstep(0, 0.8f, u));
    at(pose, p.body).dy = -16 * a;
    at(pose, p.head).dx = -12 * a;
    at(pose, p.head).dy = -4 * a;
    at(pose, p.head).angle = -0.14f * a;
    at(pose, p.abdomen).dx = 14 * a;
    at(pose, p.abdomen).angle = 0.12f * a;
    at(pose, p.antenna).angle = 0.4f * a;
    at(pose, p.antenna_far).angle = 0.36f * a;
    set_wing(p, pose, -0.12f * a, -0.1f * a, false);
    splay_legs(p, pose, 0.35f * a);
    plant_feet(p, pose);
    if (a > 0.75f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_glow(p, pose, 1 - 0.15f * a);
}

// A happy buzz when poked: the bee perks up, its little wings whirr into a blur, it
// shivers with glee and gives a little hop, lands with a bounce and glides into idle's
// first pose.
void action(const c_bee_parts& p, float u, c_rig_pose& pose) {
    constexpr float k_take_off = 0.36f;
    constexpr float k_touch_down = 0.58f;
    const float buzz = envelope(u, 0.08f, 0.12f, 0.7f, 0.76f);
    const float perk = envelope(u, 0.02f, 0.12f, 0.74f, 0.86f);
    const float crouch = envelope(u, 0.26f, 0.32f, 0.34f, k_take_off + 0.02f);
    const float landing = envelope(u, k_touch_down - 0.01f, k_touch_down + 0.03f, k_touch_down + 0.05f, 0.68f);
    float height = 0;
    float air = 0;
    if (u > k_take_off && u < k_touch_down) {
        const float s = (u - k_take_off) / (k_touch_down - k_take_off);
        height = arc_height(s, k_hop_height);
        air = std::sin(k_pi * s);
    }
    // The whole body hums: a fast small shake while the wings whirr.
    const float hum = buzz * wave(u, 40, 0);
    at(pose, p.body).dy = height - 10 * std::max(crouch, landing) + 4 * perk + 1.5f * hum;
    at(pose, p.body).dx = 1.5f * hum;
    at(pose, p.body).angle = 0.06f * perk + 0.08f * air * wave(u, 1, 0.1f);
    at(pose, p.head).angle = 0.1f * perk + 0.03f * buzz * wave(u, 12, 0);
    at(pose, p.abdomen).angle = -0.08f * perk + 0.05f * buzz * wave(u, 12, 0.25f);
    at(pose, p.antenna).angle = -0.18f * perk + 0.14f * buzz * wave(u, 8, 0.1f);
    at(pose, p.antenna_far).angle = -0.16f * perk + 0.14f * buzz * wave(u, 8, 0.3f);
    const float beat = wave(u, 48, 0);
    set_wing(p, pose, -0.35f * perk + 0.25f * buzz * beat, -0.3f * perk + 0.25f * buzz * wave(u, 48, 0.1f),
             buzz > 0.3f);
    // Feet stay down but for the hop, when the legs dangle a little.
    plant_feet(p, pose);
    for (int i = 0; i < k_leg_count; ++i) {
        if (height > 0) set_foot_height(p, pose, i, height - 8 * air);
    }
    splay_legs(p, pose, -0.35f * air);
    if (u > 0.06f && u < 0.82f) pose.graphics[size_t(p.eye)] = "eye_happy";
    set_shadow(p, pose, 1 - 0.6f * height / k_hop_height);
    set_glow(p, pose, 1);
    // The last stretch glides into idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.84f, 1.0f, u));
    if (u >= 1) pose = rest;
}

// Jump: the stag beetle's snap startles the bee: it jerks back wide-eyed with its antennae
// flung up, crouches, leaps back in a high arc tipping nose up then levelling, its little
// wings whirring uselessly and its legs spread, lands with a squash, wobbles, blinks and
// stands at rest. The game slides it back along the path meanwhile, so the leap happens
// in place over the origin.
void jump(const c_bee_parts& p, float u, c_rig_pose& pose) {
    const float jolt = envelope(u, 0.0f, 0.025f, 0.05f, 0.09f);
    const float crouch = envelope(u, 0.06f, 0.12f, 0.13f, k_jump_take_off + 0.02f);
    const float landing = envelope(u, k_jump_land - 0.01f, k_jump_land + 0.03f, k_jump_land + 0.06f, 0.8f);
    float height = 0;
    float air = 0;
    float tilt = 0;
    if (u > k_jump_take_off && u < k_jump_land) {
        const float s = (u - k_jump_take_off) / (k_jump_land - k_jump_take_off);
        height = arc_height(s, k_jump_height);
        air = std::sin(k_pi * s);
        // Nose up as it springs back, levelling over the top, a touch nose down to land.
        tilt = 0.5f * std::sin(k_pi * s) * (1 - 1.3f * s);
    }
    c_node_offset& body = at(pose, p.body);
    body.dy = height + 7 * jolt - 16 * crouch - 14 * landing;
    body.dx = -8 * jolt;
    body.angle = tilt + 0.1f * jolt - 0.05f * crouch;
    at(pose, p.head).angle = 0.12f * jolt - 0.1f * crouch + 0.08f * air - 0.08f * landing;
    at(pose, p.head).dx = -6 * crouch;
    at(pose, p.abdomen).angle = -0.1f * jolt + 0.1f * crouch - 0.12f * air + 0.1f * landing;
    const float fling = std::max(jolt, air);
    at(pose, p.antenna).angle = 0.5f * fling + 0.1f * air * wave(u, 10, 0) - 0.2f * landing;
    at(pose, p.antenna_far).angle = 0.45f * fling + 0.1f * air * wave(u, 10, 0.2f) - 0.18f * landing;
    // The wings flare at the snap and whirr all through the flight.
    const bool whirr = u > 0.1f && u < k_jump_land + 0.02f;
    set_wing(p, pose, -0.3f * jolt - 0.3f * air + (whirr ? 0.2f * wave(u, 60, 0) : 0.0f),
             -0.26f * jolt - 0.26f * air + (whirr ? 0.2f * wave(u, 60, 0.1f) : 0.0f), whirr);
    // Legs: planted through the jolt and crouch, spread wide in the air, reaching the
    // ground again at touch-down.
    plant_feet(p, pose);
    if (height > 0) {
        for (int i = 0; i < k_leg_count; ++i) set_foot_height(p, pose, i, height - 10 * air);
    }
    splay_legs(p, pose, 0.7f * air + 0.25f * jolt);
    // After landing: a dizzy wobble on its feet.
    if (u >= k_jump_land) {
        const float wobble = envelope(u, k_jump_land + 0.02f, k_jump_land + 0.06f, 0.84f, 0.9f);
        body.angle += 0.045f * wobble * std::sin(k_two_pi * 3 * (u - k_jump_land) / 0.22f);
        at(pose, p.head).angle += 0.06f * wobble * std::sin(k_two_pi * 3 * (u - k_jump_land - 0.02f) / 0.22f);
        plant_feet(p, pose);
    }
    if (u > 0.01f && u < k_jump_land) pose.graphics[size_t(p.eye)] = "eye_wide";
    if (u >= k_jump_land && u < k_jump_land + 0.07f) pose.graphics[size_t(p.eye)] = "eye_closed";
    if (u >= 0.88f && u < 0.91f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_shadow(p, pose, 1 - 0.85f * height / k_jump_height);
    set_glow(p, pose, u < k_jump_land ? 1.0f : mix(1.0f, idle_glow(0), smoothstep(k_jump_land, 1.0f, u)));
    // The last stretch settles into idle's first pose.
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.9f, 1.0f, u));
    if (u >= 1) pose = rest;
}

}  // namespace

bool build_c4bee(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(bee_graphics(), bee_nodes(), geometry, anim, error)) return false;
    const c_bee_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_bee_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"walk", 96, true, with(walk)},
        {"turn", 20, false, with(turn)},
        {"idle", 128, true, with(idle)},
        {"action", 200, false, with(action)},
        {"jump", 200, false, with(jump)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
