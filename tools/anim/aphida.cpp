// Chapter two's aphid, the player's character at the night pond: its part and node tables
// and its motions (a six-legged tripod walk, a squashing turn, idle breathing with antenna
// twitches, a happy hop and wiggle, and the drop: flicked off the twig, tumbling head over
// heels in place and landing on its feet), sampled into anims/aphida.xml by the rig.
// It faces right and stands on the origin, like the larva.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

constexpr float k_pi = 3.14159265359f;

// Glow and shadow strengths, as the larva has them.
constexpr int k_glow_levels = 8;
constexpr int k_shadow_levels = 6;

// Joints in the SVG (y down): the body's middle, the neck, the eye and the antennae's
// roots on the head, the cornicles' roots on the back and the six hips.
constexpr c_point k_body = {-15, -100};
constexpr c_point k_neck = {80, -100};
constexpr c_point k_eye = {122, -102};
constexpr c_point k_antenna_near = {112, -142};
constexpr c_point k_antenna_far = {94, -142};
constexpr c_point k_cornicle_near = {-112, -128};
constexpr c_point k_cornicle_far = {-98, -136};

// Legs front to back, near side then far side.
constexpr int k_leg_count = 6;
const char* const k_leg_names[k_leg_count] = {"leg_front", "leg_mid", "leg_back",
                                               "leg_far_front", "leg_far_mid", "leg_far_back"};
const c_point k_hips[k_leg_count] = {{50, -40}, {4, -30}, {-46, -32}, {64, -40}, {18, -32}, {-32, -34}};
// The two tripods of the walk: near front, far middle and near back step together.
const int k_tripod[k_leg_count] = {0, 1, 0, 1, 0, 1};
// Front legs reach forward when tucked, back legs backward: +1 front, 0 middle, -1 back.
const float k_leg_reach[k_leg_count] = {1, 0, -1, 1, 0, -1};

// Body shapes from stretched to squashed, and how each moves the head (at the neck) and
// the cornicles (on the back) so they stay on the body's outline.
struct c_body_shape {
    const char* graphic;
    float level;          // -1 stretched, 0 at rest, 1 squashed
    c_point neck_shift;   // scene units, y up
    c_point back_shift;
};
const c_body_shape k_shapes[] = {
    {"body_stretch", -1, {-4, 8}, {6, 16}},
    {"body", 0, {0, 0}, {0, 0}},
    {"body_squat", 0.5f, {2, -6}, {-4, -11}},
    {"body_squash", 1, {4, -12}, {-8, -22}},
};

// Walk: the legs' swing either side of their rest (radians) and how high a stepping
// foot lifts; the body bobs twice per loop, once per step of each tripod.
constexpr float k_walk_swing = 0.3f;
constexpr float k_walk_lift = 11;
constexpr float k_walk_bob = 6;

// Action: the hop's height.
constexpr float k_hop_height = 80;

// Drop: the flick's first high arc ends bouncing on the aphid's back after a turn and a
// half; a lower arc turns it the last half turn onto its feet. Two whole turns in all.
constexpr float k_drop_launch = 0.07f;
constexpr float k_drop_bounce = 0.47f;
constexpr float k_drop_land = 0.76f;
constexpr float k_drop_high = 230;
constexpr float k_drop_low = 110;
constexpr float k_drop_turns_first = 1.5f;
constexpr float k_drop_turns = 2;

const std::vector<c_graphic_def>& aphid_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g;
        for (int i = 0; i < k_glow_levels; ++i) {
            const float f = float(i) / (k_glow_levels - 1);
            g.push_back({"glow_" + std::to_string(i), "aphida_glow", k_body.x, k_body.y, mix(0.85f, 1.15f, f),
                         uint8_t(std::lround(mix(110, 255, f)))});
        }
        for (int i = 0; i < k_shadow_levels; ++i) {
            const float f = float(i) / (k_shadow_levels - 1);
            g.push_back({"shadow_" + std::to_string(i), "aphida_shadow", 0, 0, mix(0.5f, 1.0f, f),
                         uint8_t(std::lround(mix(110, 255, f)))});
        }
        for (const c_body_shape& shape : k_shapes) {
            g.push_back({shape.graphic, std::string("aphida_") + shape.graphic, k_body.x, k_body.y, 1, 255});
        }
        for (int i = 0; i < k_leg_count; ++i) {
            g.push_back({k_leg_names[i], std::string("aphida_") + k_leg_names[i], k_hips[i].x, k_hips[i].y, 1, 255});
        }
        g.push_back({"cornicle_near", "aphida_cornicle_near", k_cornicle_near.x, k_cornicle_near.y, 1, 255});
        g.push_back({"cornicle_far", "aphida_cornicle_far", k_cornicle_far.x, k_cornicle_far.y, 1, 255});
        g.push_back({"head", "aphida_head", k_neck.x, k_neck.y, 1, 255});
        for (const char* eye : {"eye", "eye_closed", "eye_happy", "eye_squeeze", "eye_dizzy"}) {
            g.push_back({eye, std::string("aphida_") + eye, k_eye.x, k_eye.y, 1, 255});
        }
        g.push_back({"antenna_near", "aphida_antenna_near", k_antenna_near.x, k_antenna_near.y, 1, 255});
        g.push_back({"antenna_far", "aphida_antenna_far", k_antenna_far.x, k_antenna_far.y, 1, 255});
        return g;
    }();
    return graphics;
}

// Depths: shadow and glow below, the far antenna, cornicles and far legs behind the body,
// the near legs over its belly, the head over its front and the face on top.
const std::vector<c_node_def>& aphid_nodes() {
    static const std::vector<c_node_def> nodes = [] {
        std::vector<c_node_def> n = {
            {"shadow", "", "shadow_5", 0, 0, -10, true},
            {"body", "shadow", "body", k_body.x, k_body.y, 0, true},
            {"glow", "body", "glow_5", k_body.x, k_body.y, -8, true},
            {"cornicle_far", "body", "cornicle_far", k_cornicle_far.x, k_cornicle_far.y, -3, false},
            {"cornicle_near", "body", "cornicle_near", k_cornicle_near.x, k_cornicle_near.y, -2.5f, false},
        };
        for (int i = 0; i < k_leg_count; ++i) {
            const bool far = i >= 3;
            n.push_back({k_leg_names[i], "body", k_leg_names[i], k_hips[i].x, k_hips[i].y, far ? -2.0f : 2.0f, false});
        }
        n.push_back({"head", "body", "head", k_neck.x, k_neck.y, 3, false});
        n.push_back({"antenna_far", "head", "antenna_far", k_antenna_far.x, k_antenna_far.y, -4, false});
        n.push_back({"eye", "head", "eye", k_eye.x, k_eye.y, 4, true});
        n.push_back({"antenna_near", "head", "antenna_near", k_antenna_near.x, k_antenna_near.y, 5, false});
        return n;
    }();
    return nodes;
}

struct c_aphid_parts {
    int shadow, body, glow, cornicle_near, cornicle_far, head, eye, antenna_near, antenna_far;
    int legs[k_leg_count];
};

c_aphid_parts find_parts(const c_rig& rig) {
    c_aphid_parts p{};
    p.shadow = rig.node("shadow");
    p.body = rig.node("body");
    p.glow = rig.node("glow");
    p.cornicle_near = rig.node("cornicle_near");
    p.cornicle_far = rig.node("cornicle_far");
    p.head = rig.node("head");
    p.eye = rig.node("eye");
    p.antenna_near = rig.node("antenna_near");
    p.antenna_far = rig.node("antenna_far");
    for (int i = 0; i < k_leg_count; ++i) p.legs[i] = rig.node(k_leg_names[i]);
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

void set_glow(const c_aphid_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.glow)] = level_graphic("glow", level, k_glow_levels);
}

void set_shadow(const c_aphid_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.shadow)] = level_graphic("shadow", level, k_shadow_levels);
}

// Shows the body shape nearest to level (-1 stretched .. 1 squashed) and moves the head
// and cornicles with its outline.
void shape_body(const c_aphid_parts& p, c_rig_pose& pose, float level) {
    const c_body_shape* best = &k_shapes[0];
    for (const c_body_shape& shape : k_shapes) {
        if (std::fabs(shape.level - level) < std::fabs(best->level - level)) best = &shape;
    }
    pose.graphics[size_t(p.body)] = best->graphic;
    at(pose, p.head).dx += best->neck_shift.x;
    at(pose, p.head).dy += best->neck_shift.y;
    for (int node : {p.cornicle_near, p.cornicle_far}) {
        at(pose, node).dx += best->back_shift.x;
        at(pose, node).dy += best->back_shift.y;
    }
}

// Keeps every foot where it was on the ground while the body above it rises by lift.
void plant_feet(const c_aphid_parts& p, c_rig_pose& pose, float lift) {
    for (int leg : p.legs) at(pose, leg).dy -= lift;
}

// Folds the legs up under the body (0 standing, 1 tucked tight).
void tuck_legs(const c_aphid_parts& p, c_rig_pose& pose, float amount) {
    for (int i = 0; i < k_leg_count; ++i) {
        c_node_offset& o = at(pose, p.legs[i]);
        o.angle += -0.55f * amount * k_leg_reach[i] + 0.15f * amount * (k_leg_reach[i] == 0 ? 1 : 0);
        o.dy += 10 * amount;
    }
}

// Tilts the body by angle about the ground under its middle, as a rock from foot to foot.
void rock_on_feet(const c_aphid_parts& p, c_rig_pose& pose, float angle) {
    const c_point centre = {k_body.x, -k_body.y};
    const c_point moved = rotate_about(centre, {k_body.x, 0}, angle);
    c_node_offset& o = at(pose, p.body);
    o.dx += moved.x - centre.x;
    o.dy += moved.y - centre.y;
    o.angle += angle;
}

// Idle: two slow breaths per loop (the body rises a little on its planted legs), the head
// swaying once, each antenna twitching once at its own moment, one blink.
float idle_glow(float u) { return 0.7f + 0.3f * wave(u, 2, 0); }

float twitch(float u, float start) {
    return std::sin(k_two_pi * 2 * (u - start) / 0.1f) * envelope(u, start, start + 0.02f, start + 0.07f, start + 0.1f);
}

void idle(const c_aphid_parts& p, float u, c_rig_pose& pose) {
    const float breath = 0.5f - 0.5f * std::cos(k_two_pi * 2 * u);
    at(pose, p.body).dy = 4 * breath;
    plant_feet(p, pose, 4 * breath);
    at(pose, p.head).angle = 0.05f * wave(u, 1, 0);
    at(pose, p.head).dy = 2 * breath;
    at(pose, p.antenna_near).angle = 0.08f * wave(u, 1, 0) + 0.16f * twitch(u, 0.3f);
    at(pose, p.antenna_far).angle = 0.08f * wave(u, 1, 0.5f) + 0.16f * twitch(u, 0.76f);
    at(pose, p.cornicle_near).angle = 0.05f * wave(u, 2, 0);
    at(pose, p.cornicle_far).angle = 0.05f * wave(u, 2, 0.5f);
    if (u > 0.58f && u < 0.615f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_glow(p, pose, idle_glow(u));
}

// Walk: two tripods of legs step in turn, each foot pushing back along the ground and
// then lifting forward; the body bobs on each step and the head, antennae and cornicles
// follow a little behind.
void walk(const c_aphid_parts& p, float u, c_rig_pose& pose) {
    const float bob = k_walk_bob * (0.5f + 0.5f * wave(u, 2, 0.25f));
    at(pose, p.body).dy = bob;
    at(pose, p.body).angle = 0.025f * wave(u, 2, 0);
    for (int i = 0; i < k_leg_count; ++i) {
        const float phase = k_two_pi * (u + 0.5f * float(k_tripod[i]));
        c_node_offset& o = at(pose, p.legs[i]);
        o.angle = k_walk_swing * std::cos(phase);
        o.dy = k_walk_lift * std::pow(std::max(0.0f, -std::sin(phase)), 1.5f) - bob;
    }
    at(pose, p.head).angle = 0.045f * wave(u, 2, 0.12f);
    at(pose, p.head).dy = 1.5f * wave(u, 2, 0.35f);
    at(pose, p.antenna_near).angle = 0.09f * wave(u, 2, 0.3f);
    at(pose, p.antenna_far).angle = 0.09f * wave(u, 2, 0.4f);
    at(pose, p.cornicle_near).angle = 0.08f * wave(u, 2, 0.4f);
    at(pose, p.cornicle_far).angle = 0.08f * wave(u, 2, 0.5f);
    set_glow(p, pose, 0.75f + 0.25f * wave(u, 1, 0));
}

// Played to its end at the middle of a turn and back: the aphid squashes down with its
// head tucked and eyes shut while its facing flips.
void turn(const c_aphid_parts& p, float u, c_rig_pose& pose) {
    const float a = ease_in_out(smoothstep(0, 0.8f, u));
    at(pose, p.body).dy = -3 * a;
    plant_feet(p, pose, -3 * a);
    at(pose, p.head).dx = -8 * a;
    at(pose, p.head).angle = -0.16f * a;
    shape_body(p, pose, a);
    at(pose, p.antenna_near).angle = 0.4f * a;
    at(pose, p.antenna_far).angle = 0.35f * a;
    at(pose, p.cornicle_near).angle = 0.2f * a;
    at(pose, p.cornicle_far).angle = 0.2f * a;
    for (int i = 0; i < k_leg_count; ++i) at(pose, p.legs[i]).angle = 0.25f * a * k_leg_reach[i];
    if (a > 0.7f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_glow(p, pose, 0.75f + 0.25f * a);
}

// Action: a crouch, a happy hop with a little spin of joy in the air, a bouncy landing,
// a wiggle from side to side with the antennae waving, and a settle into idle's first pose.
void action(const c_aphid_parts& p, float u, c_rig_pose& pose) {
    constexpr float k_take_off = 0.14f;
    constexpr float k_touch_down = 0.42f;
    const float crouch = envelope(u, 0.0f, 0.1f, 0.12f, k_take_off + 0.03f);
    const float landing = envelope(u, k_touch_down - 0.01f, k_touch_down + 0.03f, k_touch_down + 0.05f, 0.52f);
    float height = 0;
    float air = 0;
    if (u > k_take_off && u < k_touch_down) {
        const float s = (u - k_take_off) / (k_touch_down - k_take_off);
        height = arc_height(s, k_hop_height);
        air = std::sin(k_pi * s);
    }
    float level = std::max(crouch, landing);
    if (air > 0.3f && height > 0.5f * k_hop_height) level = -1;
    // Crouching and landing sink the body onto its planted feet; in the air the legs
    // kick out and reach the ground again at touch-down.
    const float sink = -6 * std::max(crouch, landing);
    at(pose, p.body).dy = height + sink;
    plant_feet(p, pose, sink);
    tuck_legs(p, pose, -0.5f * air);

    // The wiggle: the body rocks on its feet from side to side four times, the head
    // bobbing in time; in the air it rocks once for joy.
    const float wiggle_env = envelope(u, 0.5f, 0.56f, 0.74f, 0.84f);
    const float wiggle = wave(u, 12, 0) * wiggle_env;
    const float spin = 0.14f * air * std::sin(k_two_pi * (u - k_take_off) / (k_touch_down - k_take_off));
    rock_on_feet(p, pose, 0.09f * wiggle + spin);
    at(pose, p.head).angle = 0.12f * wave(u, 12, 0.15f) * wiggle_env + 0.12f * air - 0.08f * crouch;
    shape_body(p, pose, level);

    const float glee = envelope(u, 0.04f, 0.14f, 0.8f, 0.95f);
    at(pose, p.antenna_near).angle = -0.25f * glee * (0.5f + 0.5f * wave(u, 8, 0.1f)) + 0.3f * air;
    at(pose, p.antenna_far).angle = -0.25f * glee * (0.5f + 0.5f * wave(u, 8, 0.3f)) + 0.3f * air;
    at(pose, p.cornicle_near).angle = 0.2f * wave(u, 10, 0) * glee;
    at(pose, p.cornicle_far).angle = 0.2f * wave(u, 10, 0.2f) * glee;
    if (u > 0.06f && u < 0.84f) pose.graphics[size_t(p.eye)] = "eye_happy";
    set_shadow(p, pose, 1 - 0.7f * height / k_hop_height);
    set_glow(p, pose, 0.7f + 0.3f * glee);

    // The last stretch glides into idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle(p, 0, rest);
    const float settle = smoothstep(0.84f, 1.0f, u);
    blend_offsets(pose, rest, settle);
    if (u >= 1) pose = rest;
}

// How far the aphid reaches below its body's middle when the body is turned by angle:
// the outline of its body (its back squashed or stretched by level), its head, the tips
// of its cornicles and its feet (drawn up under it by tuck). Scene units, y up, from the
// middle; at rest it is the middle's height above the feet.
float reach_below(float angle, float level, float tuck) {
    const float middle_height = -k_body.y;
    const float back = 78 - (level > 0 ? 24 * level : 16 * level);
    const c_point head = {102 - k_body.x, -94 + middle_height};
    std::vector<c_point> points;
    for (int k = 0; k < 36; ++k) {
        const float t = k_two_pi * float(k) / 36;
        const float s = std::sin(t);
        points.push_back({112 * std::cos(t), (s > 0 ? back : 78) * s});
        points.push_back({head.x + 56 * std::cos(t), head.y + 56 * s});
    }
    points.push_back({-125, 60});
    points.push_back({-109, 68});
    for (const c_point& hip : k_hips) points.push_back({hip.x - k_body.x, -middle_height + 12 * tuck});
    float lowest = 0;
    for (const c_point& point : points) lowest = std::max(lowest, -rotate_about(point, {0, 0}, angle).y);
    return lowest;
}

// Drop: struck by the guard's flick the aphid squashes and leans back, flies up in a high
// arc turning a turn and a half, bounces on its round back, turns the last half turn in a
// low arc and lands on its feet; it sits dizzy a moment, shakes it off and stands at rest.
// The game slides it back along its path meanwhile, so all of this happens in place.
// The body ends two whole turns round: the same look as rest, which the graph that
// follows takes over from.
void drop(const c_aphid_parts& p, float u, c_rig_pose& pose) {
    const float impact = envelope(u, 0.0f, 0.03f, 0.05f, k_drop_launch + 0.02f);
    float height = 0;
    float angle = 0;
    float level = 0;
    float tuck = 0;
    if (u <= k_drop_launch) {
        angle = 0.3f * smoothstep(0, 0.05f, u);
        level = impact;
    } else if (u < k_drop_bounce) {
        const float s = (u - k_drop_launch) / (k_drop_bounce - k_drop_launch);
        height = arc_height(s, k_drop_high);
        // Spins fast off the flick and a little slower as it falls.
        const float spin = s * (1.25f - 0.25f * s);
        angle = mix(0.3f, k_two_pi * k_drop_turns_first, spin);
        level = s < 0.25f ? -1 : 0;
        tuck = smoothstep(0, 0.15f, s);
    } else if (u < k_drop_land) {
        const float s = (u - k_drop_bounce) / (k_drop_land - k_drop_bounce);
        height = arc_height(s, k_drop_low);
        const float spin = s * (2 - s);
        angle = k_two_pi * mix(k_drop_turns_first, k_drop_turns, spin);
        // Squashed against the ground just after the bounce, round again in the air.
        level = s < 0.12f ? 0.5f : 0;
        tuck = 1 - smoothstep(0.6f, 1.0f, s);
    } else {
        angle = k_two_pi * k_drop_turns;
        const float s = (u - k_drop_land) / (1 - k_drop_land);
        level = s < 0.12f ? 1 : (s < 0.25f ? 0.5f : 0);
    }
    // The arcs are measured from whatever part of the aphid is lowest, so it bounces on
    // its round back and never sinks its head or cornicles into the ground.
    at(pose, p.body).dy = height + reach_below(angle, level, tuck) + k_body.y;
    at(pose, p.body).angle = angle;
    tuck_legs(p, pose, tuck);
    shape_body(p, pose, level);

    // Antennae stream back against the spin; the head ducks into the tumble.
    const float flying = u > k_drop_launch && u < k_drop_land ? 1.0f : 0.0f;
    const float whip = envelope(u, 0.0f, 0.04f, 0.1f, 0.2f);
    at(pose, p.antenna_near).angle = -0.35f * whip + 0.45f * flying + 0.1f * flying * wave(u, 9, 0);
    at(pose, p.antenna_far).angle = -0.3f * whip + 0.4f * flying + 0.1f * flying * wave(u, 9, 0.2f);
    at(pose, p.head).angle = -0.12f * flying + 0.08f * impact;
    at(pose, p.cornicle_near).angle = 0.25f * flying;
    at(pose, p.cornicle_far).angle = 0.25f * flying;

    // After landing: a dizzy wobble, then a shake of the head.
    if (u >= k_drop_land) {
        const float dizzy = envelope(u, k_drop_land, k_drop_land + 0.03f, 0.86f, 0.9f);
        at(pose, p.body).angle += 0.05f * dizzy * std::sin(k_two_pi * 3 * (u - k_drop_land) / 0.14f);
        const float shake = envelope(u, 0.88f, 0.9f, 0.93f, 0.96f);
        at(pose, p.head).angle += 0.12f * shake * std::sin(k_two_pi * 3 * (u - 0.88f) / 0.08f);
        at(pose, p.antenna_near).angle += -0.3f * dizzy + 0.2f * shake * std::sin(k_two_pi * 3 * (u - 0.885f) / 0.08f);
        at(pose, p.antenna_far).angle += -0.25f * dizzy + 0.2f * shake * std::sin(k_two_pi * 3 * (u - 0.89f) / 0.08f);
    }
    if (u > 0.005f && u < k_drop_land + 0.02f) pose.graphics[size_t(p.eye)] = "eye_squeeze";
    if (u >= k_drop_land + 0.02f && u < 0.88f) pose.graphics[size_t(p.eye)] = "eye_dizzy";
    if (u >= 0.9f && u < 0.925f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_shadow(p, pose, 1 - 0.8f * height / k_drop_high);
    set_glow(p, pose, u < k_drop_land ? 1.0f : mix(1.0f, idle_glow(0), smoothstep(k_drop_land, 1.0f, u)));

    // The last stretch settles into idle's first pose (keeping the body's whole turns).
    c_rig_pose rest = pose;
    for (c_node_offset& o : rest.offsets) o = {};
    idle(p, 0, rest);
    at(rest, p.body).angle = k_two_pi * k_drop_turns;
    blend_offsets(pose, rest, smoothstep(0.93f, 1.0f, u));
    if (u >= 1) pose = rest;
}

}  // namespace

bool build_aphida(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(aphid_graphics(), aphid_nodes(), geometry, anim, error)) return false;
    const c_aphid_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_aphid_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"walk", 36, true, with(walk)},
        {"turn", 20, false, with(turn)},
        {"idle", 48, true, with(idle)},
        {"action", 80, false, with(action)},
        {"drop", 128, false, with(drop)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
