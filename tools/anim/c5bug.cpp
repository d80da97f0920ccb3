// Chapter five's player character, a small round glow bug facing right: its part and node
// tables and its motions (a scurrying six-legged walk, the turn's squash, idle breathing
// with the lantern tail pulsing, and a happy flash and hop), sampled into anims/5bug.xml by
// the rig. The origin is the ground point under the middle of the body, as the larva's is.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr float k_pi = 3.14159265359f;

// The lantern's halo and its bright core are graphics of one texture at a few strengths.
constexpr int k_glow_levels = 8;
constexpr int k_core_levels = 6;
constexpr int k_shadow_levels = 6;

// Joints in the SVG (y down).
constexpr c_point k_body = {-10, -80};
constexpr c_point k_tail = {-112, -62};  // where the lantern tucks under the shell
constexpr c_point k_glow = {-138, -62};
constexpr c_point k_core = {-146, -60};
constexpr c_point k_neck = {92, -72};
constexpr c_point k_eye = {134, -82};
constexpr c_point k_antenna_near = {120, -118};
constexpr c_point k_antenna_far = {100, -112};
constexpr float k_hip_y = -40;

// Legs front to back, near side then far side; the hind pair bends its knees backwards.
constexpr int k_leg_count = 6;
struct c_leg_def {
    const char* name;
    const char* graphic;
    float hip_x;
    float z;
    int tripod;  // the two tripods of the walk step half a cycle apart
};
const c_leg_def k_legs[k_leg_count] = {
    {"leg_front", "leg", 62, 0.5f, 0},     {"leg_mid", "leg", 2, 0.5f, 1},
    {"leg_hind", "leg_back", -62, 0.5f, 0}, {"leg_far_front", "leg_far", 78, -3, 1},
    {"leg_far_mid", "leg_far", 18, -3, 0},  {"leg_far_hind", "leg_far_back", -46, -3, 1},
};
constexpr float k_leg_length = 38;  // hip to sole

// Walk: four steps of each tripod a loop. The game carries the bug about 655 units a
// loop, so each stance sweeps the feet back about as far as the legs can reach.
constexpr int k_walk_steps = 4;
constexpr float k_walk_swing = 0.6f;  // radians either side of straight down
constexpr float k_walk_lift = 12;
constexpr float k_walk_bob = 4;

// Action: the hop's height.
constexpr float k_hop_height = 70;

const std::vector<c_graphic_def>& bug_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g;
        add_levels(g, "shadow", "5bug_shadow", {0, 0}, k_shadow_levels, 0.5f, 1.0f, 110, 255, false);
        add_levels(g, "glow", "5bug_glow", k_glow, k_glow_levels, 0.75f, 1.45f, 80, 255, false);
        add_levels(g, "core", "5bug_core", k_core, k_core_levels, 0.8f, 1.15f, 30, 235, false);
        for (const char* leg : {"leg", "leg_back", "leg_far", "leg_far_back"}) {
            g.push_back({leg, std::string("5bug_") + leg, 0, k_hip_y, 1, 255});
        }
        g.push_back({"lantern", "5bug_lantern", k_tail.x, k_tail.y, 1, 255});
        g.push_back({"body", "5bug_body", k_body.x, k_body.y, 1, 255});
        g.push_back({"head", "5bug_head", k_neck.x, k_neck.y, 1, 255});
        for (const char* eye : {"eye", "eye_closed", "eye_happy"}) {
            g.push_back({eye, std::string("5bug_") + eye, k_eye.x, k_eye.y, 1, 255});
        }
        g.push_back({"antenna_near", "5bug_antenna_near", k_antenna_near.x, k_antenna_near.y, 1, 255});
        g.push_back({"antenna_far", "5bug_antenna_far", k_antenna_far.x, k_antenna_far.y, 1, 255});
        return g;
    }();
    return graphics;
}

// Depths: shadow and halo below, the far legs behind the body, the lantern tucked under
// the back of the shell with its bright core over it, the near legs over the belly, the
// far antenna behind the head and the face on top.
const std::vector<c_node_def>& bug_nodes() {
    static const std::vector<c_node_def> nodes = [] {
        std::vector<c_node_def> n = {
            {"shadow", "", "shadow_5", 0, 0, -10, true},
            {"body", "shadow", "body", k_body.x, k_body.y, 0, false},
            {"glow", "body", "glow_3", k_glow.x, k_glow.y, -8, true},
            {"lantern", "body", "lantern", k_tail.x, k_tail.y, -1, false},
            {"core", "lantern", "core_2", k_core.x, k_core.y, -0.5f, true},
        };
        for (const c_leg_def& leg : k_legs) {
            n.push_back({leg.name, "body", leg.graphic, leg.hip_x, k_hip_y, leg.z, false});
        }
        n.push_back({"head", "body", "head", k_neck.x, k_neck.y, 1, false});
        n.push_back({"antenna_far", "head", "antenna_far", k_antenna_far.x, k_antenna_far.y, 0.8f, false});
        n.push_back({"eye", "head", "eye", k_eye.x, k_eye.y, 1.5f, true});
        n.push_back({"antenna_near", "head", "antenna_near", k_antenna_near.x, k_antenna_near.y, 2, false});
        return n;
    }();
    return nodes;
}

struct c_bug_parts {
    int shadow, body, glow, lantern, core, head, antenna_far, eye, antenna_near;
    int legs[k_leg_count];
};

c_bug_parts find_parts(const c_rig& rig) {
    c_bug_parts p{};
    p.shadow = rig.node("shadow");
    p.body = rig.node("body");
    p.glow = rig.node("glow");
    p.lantern = rig.node("lantern");
    p.core = rig.node("core");
    p.head = rig.node("head");
    p.antenna_far = rig.node("antenna_far");
    p.eye = rig.node("eye");
    p.antenna_near = rig.node("antenna_near");
    for (int i = 0; i < k_leg_count; ++i) p.legs[i] = rig.node(k_legs[i].name);
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// The lantern's strength (0..1): the halo grows and the core brightens together.
void set_light(const c_bug_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.glow)] = level_graphic("glow", level, k_glow_levels);
    pose.graphics[size_t(p.core)] = level_graphic("core", level, k_core_levels);
}

void set_shadow(const c_bug_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.shadow)] = level_graphic("shadow", level, k_shadow_levels);
}

// Turns leg i by angle about its hip and keeps its sole on the ground while the body
// above it has risen by lift (scene units) and the leg, turned, reaches less far down.
void plant_leg(const c_bug_parts& p, c_rig_pose& pose, int i, float angle, float lift, float raise = 0) {
    c_node_offset& o = at(pose, p.legs[i]);
    o.angle = angle;
    o.dy = k_leg_length * (1 - std::cos(angle)) - lift + raise;
}

// Every leg straight down and planted under a body risen by lift.
void plant_legs(const c_bug_parts& p, c_rig_pose& pose, float lift) {
    for (int i = 0; i < k_leg_count; ++i) plant_leg(p, pose, i, 0, lift);
}

// Idle: two slow breaths a loop (the shell rises on planted legs), the lantern pulsing
// with them, the antennae swaying and each giving a little twitch, one blink.
float idle_light(float u) { return 0.35f + 0.35f * (0.5f - 0.5f * std::cos(k_two_pi * 2 * u)); }

float twitch(float u, float start) {
    return std::sin(k_two_pi * 2 * (u - start) / 0.1f) * envelope(u, start, start + 0.02f, start + 0.07f, start + 0.1f);
}

void idle(const c_bug_parts& p, float u, c_rig_pose& pose) {
    const float breath = 0.5f - 0.5f * std::cos(k_two_pi * 2 * u);
    at(pose, p.body).dy = 3.5f * breath;
    at(pose, p.body).angle = 0.01f * breath;
    plant_legs(p, pose, 3.5f * breath);
    at(pose, p.lantern).angle = -0.06f * breath;
    at(pose, p.lantern).dx = -2 * breath;
    at(pose, p.head).angle = 0.045f * wave(u, 1, 0);
    at(pose, p.head).dy = -1.5f * breath;
    at(pose, p.antenna_near).angle = 0.1f * wave(u, 1, 0) + 0.15f * twitch(u, 0.28f);
    at(pose, p.antenna_far).angle = 0.1f * wave(u, 1, 0.12f) + 0.15f * twitch(u, 0.7f);
    if (u > 0.52f && u < 0.555f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_light(p, pose, idle_light(u));
}

// Walk: the two tripods take turns, each foot sweeping back along the ground and then
// lifted forward; the shell bobs on each step and the head and antennae follow behind.
void walk(const c_bug_parts& p, float u, c_rig_pose& pose) {
    const float bob = k_walk_bob * (0.5f + 0.5f * wave(u, 2 * k_walk_steps, 0.25f));
    at(pose, p.body).dy = bob;
    at(pose, p.body).angle = 0.015f * wave(u, 2 * k_walk_steps, 0);
    for (int i = 0; i < k_leg_count; ++i) {
        float s = float(k_walk_steps) * u + 0.5f * float(k_legs[i].tripod);
        s -= std::floor(s);
        float angle = 0;
        float raise = 0;
        if (s < 0.5f) {
            angle = k_walk_swing * (1 - 4 * s);
        } else {
            const float swing = (s - 0.5f) * 2;
            angle = k_walk_swing * (2 * (swing * swing * (3 - 2 * swing)) - 1);
            raise = k_walk_lift * std::sin(k_pi * swing);
        }
        plant_leg(p, pose, i, angle, bob, raise);
    }
    at(pose, p.head).angle = 0.04f * wave(u, 2 * k_walk_steps, 0.12f);
    at(pose, p.lantern).angle = 0.06f * wave(u, 2 * k_walk_steps, 0.3f);
    at(pose, p.antenna_near).angle = -0.12f + 0.08f * wave(u, 2 * k_walk_steps, 0.3f);
    at(pose, p.antenna_far).angle = -0.12f + 0.08f * wave(u, 2 * k_walk_steps, 0.4f);
    set_light(p, pose, 0.55f + 0.1f * wave(u, 1, 0));
}

// Played to its end at the middle of a turn and back, so the facing flips while the bug
// is squashed down on its legs with its head pulled in and its eyes shut.
void turn(const c_bug_parts& p, float u, c_rig_pose& pose) {
    const float a = ease_in_out(smoothstep(0, 0.8f, u));
    at(pose, p.body).dy = -12 * a;
    for (int i = 0; i < k_leg_count; ++i) {
        const float out = k_legs[i].hip_x > 10 ? -0.35f : (k_legs[i].hip_x < -10 ? 0.35f : 0.0f);
        plant_leg(p, pose, i, out * a, -12 * a);
    }
    at(pose, p.head).dx = -12 * a;
    at(pose, p.head).angle = -0.12f * a;
    at(pose, p.lantern).dx = 10 * a;
    at(pose, p.lantern).angle = 0.12f * a;
    at(pose, p.antenna_near).angle = 0.4f * a;
    at(pose, p.antenna_far).angle = 0.35f * a;
    if (a > 0.7f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_light(p, pose, 0.5f + 0.15f * a);
}

// Action: poked, the bug crouches, hops with its lantern flaring bright and its antennae
// thrown up, lands with a squash, wiggles its tail while the light fades, and settles
// into idle's first pose.
void action(const c_bug_parts& p, float u, c_rig_pose& pose) {
    constexpr float k_take_off = 0.16f;
    constexpr float k_touch_down = 0.46f;
    const float crouch = envelope(u, 0.0f, 0.1f, 0.13f, k_take_off + 0.02f);
    const float landing = envelope(u, k_touch_down - 0.01f, k_touch_down + 0.03f, k_touch_down + 0.06f, 0.58f);
    float height = 0;
    float air = 0;
    if (u > k_take_off && u < k_touch_down) {
        const float s = (u - k_take_off) / (k_touch_down - k_take_off);
        height = arc_height(s, k_hop_height);
        air = std::sin(k_pi * s);
    }
    const float sink = -10 * std::max(crouch, landing);
    at(pose, p.body).dy = height + sink;
    // A little forward lean into the jump, nose up at the top, level on landing.
    at(pose, p.body).angle = 0.08f * air - 0.04f * crouch;
    for (int i = 0; i < k_leg_count; ++i) {
        const float out = k_legs[i].hip_x > 10 ? 0.45f : (k_legs[i].hip_x < -10 ? -0.45f : 0.1f);
        // In the air the legs kick out and dangle; on the ground they stay planted.
        if (air > 0) {
            c_node_offset& o = at(pose, p.legs[i]);
            o.angle = out * air;
            o.dy = 4 * air;
        } else {
            plant_leg(p, pose, i, 0, sink);
        }
    }
    const float wag = wave(u, 10, 0) * envelope(u, 0.5f, 0.56f, 0.76f, 0.86f);
    at(pose, p.lantern).angle = -0.25f * air + 0.18f * wag + 0.1f * crouch;
    at(pose, p.head).angle = 0.1f * air - 0.06f * crouch + 0.05f * wag;
    const float glee = envelope(u, 0.05f, 0.16f, 0.78f, 0.92f);
    at(pose, p.antenna_near).angle = -0.3f * glee * (0.6f + 0.4f * wave(u, 8, 0.1f));
    at(pose, p.antenna_far).angle = -0.3f * glee * (0.6f + 0.4f * wave(u, 8, 0.25f));
    if (u > 0.08f && u < 0.84f) pose.graphics[size_t(p.eye)] = "eye_happy";
    // The flash: the lantern flares as the bug leaves the ground and fades after landing.
    const float flash = envelope(u, 0.1f, 0.2f, 0.5f, 0.86f);
    set_light(p, pose, mix(idle_light(0), 1.0f, std::max(flash, glee * 0.5f)));
    set_shadow(p, pose, 1 - 0.6f * height / k_hop_height);

    // The last stretch glides into idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.86f, 1.0f, u));
    if (u >= 1) pose = rest;
}

}  // namespace

bool build_c5bug(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(bug_graphics(), bug_nodes(), geometry, anim, error)) return false;
    const c_bug_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_bug_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"walk", 64, true, with(walk)},
        {"turn", 20, false, with(turn)},
        {"idle", 64, true, with(idle)},
        {"action", 96, false, with(action)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
