// The larva: its part and node tables and its motions (walk wave, turn squash, idle
// breathing, happy rear-up, hop, and chapter one's hanging under the cane: thread,
// hang, chrysalis), sampled into anims/larva.xml by the rig.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// Glow and shadow levels: graphics of one texture at growing alpha and size.
constexpr int k_glow_levels = 8;
constexpr int k_shadow_levels = 6;
// The petal fades and grows in over these steps; step 0 is a speck of alpha 0, so the
// petal costs nothing where it is not wanted.
constexpr int k_petal_levels = 10;

// Walk: one hump travels from tail to head per loop.
constexpr float k_walk_lift = 20;          // scene units a segment rises under the hump
constexpr float k_walk_surge = 7;          // scene units a segment slides back and forth
constexpr float k_walk_tilt = 0.22f;       // radians a segment leans on the hump's flanks
constexpr float k_walk_phase_step = 0.14f; // of a cycle, from one segment to the next
constexpr float k_walk_leg_swing = 0.45f;

// Hop: the body's arc above the path the character slides along.
constexpr float k_hop_height = 150;
constexpr float k_hop_tilt = 0.3f;

// Body segments from tail to head, and where each sits in the SVG.
const char* const k_body[] = {"seg0", "seg1", "seg2", "seg3", "seg4", "head"};
constexpr int k_body_count = 6;
const c_point k_body_rest[k_body_count] = {{-168, 40}, {-116, 50}, {-56, 57}, {6, 60}, {66, 60}, {138, 84}};

const std::vector<c_graphic_def>& larva_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g = {
            {"leg", "larva_leg", -116, -20, 1, 255},
            {"seg0", "larva_seg0", -168, -40, 1, 255},
            {"seg1", "larva_seg1", -116, -50, 1, 255},
            {"seg2", "larva_seg2", -56, -57, 1, 255},
            {"seg3", "larva_seg3", 6, -60, 1, 255},
            {"seg4", "larva_seg4", 66, -60, 1, 255},
            {"antenna_far", "larva_antenna_far", 112, -132, 1, 255},
            {"mandible", "larva_mandible", 184, -50, 1, 255},
            {"head", "larva_head", 138, -84, 1, 255},
            {"eye", "larva_eye", 164, -96, 1, 255},
            {"eye_closed", "larva_eye_closed", 164, -96, 1, 255},
            {"eye_happy", "larva_eye_happy", 164, -96, 1, 255},
            {"antenna_near", "larva_antenna_near", 146, -140, 1, 255},
        };
        for (int i = 0; i < k_glow_levels; ++i) {
            const float f = float(i) / (k_glow_levels - 1);
            g.push_back({"glow_" + std::to_string(i), "larva_glow", -170, -42, mix(0.85f, 1.15f, f),
                         uint8_t(std::lround(mix(110, 255, f)))});
        }
        for (int i = 0; i < k_shadow_levels; ++i) {
            const float f = float(i) / (k_shadow_levels - 1);
            g.push_back({"shadow_" + std::to_string(i), "larva_shadow", 0, 0, mix(0.5f, 1.0f, f),
                         uint8_t(std::lround(mix(110, 255, f)))});
        }
        g.push_back({"petal_0", "larva_petal", 0, 0, 0.02f, 0});
        for (int i = 1; i < k_petal_levels; ++i) {
            const float f = float(i) / (k_petal_levels - 1);
            g.push_back({"petal_" + std::to_string(i), "larva_petal", 0, 0, mix(0.4f, 1.0f, f),
                         uint8_t(std::lround(mix(70, 255, f)))});
        }
        return g;
    }();
    return graphics;
}

// Depths: shadow and glow below, legs and the far antenna behind the body, segments
// overlapping towards the head, the face on top.
const std::vector<c_node_def>& larva_nodes() {
    static const std::vector<c_node_def> nodes = {
        {"shadow", "", "shadow_5", 0, 0, -10, true},
        {"seg0", "shadow", "seg0", -168, -40, 0, false},
        {"glow", "seg0", "glow_5", -170, -42, -8, true},
        {"seg1", "shadow", "seg1", -116, -50, 1, false},
        {"leg1", "seg1", "leg", -116, -20, -2, false},
        {"seg2", "shadow", "seg2", -56, -57, 2, false},
        {"leg2", "seg2", "leg", -56, -20, -2, false},
        {"seg3", "shadow", "seg3", 6, -60, 3, false},
        {"leg3", "seg3", "leg", 6, -20, -2, false},
        {"seg4", "shadow", "seg4", 66, -60, 4, false},
        {"leg4", "seg4", "leg", 66, -20, -2, false},
        {"head", "shadow", "head", 138, -84, 5, false},
        {"antenna_far", "head", "antenna_far", 112, -132, -3, false},
        {"mandible", "head", "mandible", 184, -50, 4.5f, false},
        {"eye", "head", "eye", 164, -96, 6, true},
        {"antenna_near", "head", "antenna_near", 146, -140, 6.5f, false},
        // Over the body but under the face, so the sleeping face peeks out of the wrap.
        {"petal", "shadow", "petal_0", 0, 0, 4.7f, true},
    };
    return nodes;
}

struct c_larva_parts {
    int body[k_body_count];
    int legs[4];
    int shadow, glow, eye, antenna_near, antenna_far, mandible, petal;
};

c_larva_parts find_parts(const c_rig& rig) {
    c_larva_parts p{};
    for (int i = 0; i < k_body_count; ++i) p.body[i] = rig.node(k_body[i]);
    for (int i = 0; i < 4; ++i) p.legs[i] = rig.node("leg" + std::to_string(i + 1));
    p.shadow = rig.node("shadow");
    p.glow = rig.node("glow");
    p.eye = rig.node("eye");
    p.antenna_near = rig.node("antenna_near");
    p.antenna_far = rig.node("antenna_far");
    p.mandible = rig.node("mandible");
    p.petal = rig.node("petal");
    return p;
}

// Moves body segment i (its joint is its centre) to a new centre and angle.
void place_body(const c_larva_parts& p, c_rig_pose& pose, int i, c_point centre, float angle) {
    c_node_offset& o = pose.offsets[size_t(p.body[i])];
    o.dx = centre.x - k_body_rest[i].x;
    o.dy = centre.y - k_body_rest[i].y;
    o.angle = angle;
}

// Gathers the body towards its middle and humps it up: 0 is rest, 1 fully squashed.
void squash(const c_larva_parts& p, c_rig_pose& pose, float amount, float gather, float hunch) {
    for (int i = 0; i < k_body_count; ++i) {
        const c_point rest = k_body_rest[i];
        const float across = rest.x / 200;
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        o.dx -= gather * amount * rest.x;
        o.dy += hunch * amount * std::max(0.0f, 1 - across * across);
        o.angle -= 0.25f * amount * across;
    }
}

void set_glow(const c_larva_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.glow)] = level_graphic("glow", level, k_glow_levels);
}

void walk(const c_larva_parts& p, float u, c_rig_pose& pose) {
    for (int i = 0; i < k_body_count; ++i) {
        const float offset = k_walk_phase_step * float(i);
        const float lift = hump(u, 1, offset);
        const float lean = std::max(0.0f, wave(u, 1, offset)) * wave(u, 1, offset - 0.25f);
        // The head rides the wave more gently so the face stays readable.
        const float weight = i == k_body_count - 1 ? 0.5f : 1.0f;
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        o.dx = k_walk_surge * wave(u, 1, offset - 0.25f) * weight;
        o.dy = k_walk_lift * lift * weight;
        o.angle = -k_walk_tilt * lean * weight;
        if (i >= 1 && i <= 4) pose.offsets[size_t(p.legs[i - 1])].angle = k_walk_leg_swing * wave(u, 1, offset);
    }
    const float head_offset = k_walk_phase_step * (k_body_count - 1);
    pose.offsets[size_t(p.antenna_near)].angle = 0.14f * wave(u, 1, head_offset + 0.15f);
    pose.offsets[size_t(p.antenna_far)].angle = 0.14f * wave(u, 1, head_offset + 0.25f);
    set_glow(p, pose, 0.75f + 0.25f * wave(u, 1, 0));
}

// Played to its end at the middle of a turn and back, so the facing flips while the
// larva is gathered up with its eyes shut.
void turn(const c_larva_parts& p, float u, c_rig_pose& pose) {
    const float a = ease_in_out(smoothstep(0, 0.8f, u));
    squash(p, pose, a, 0.2f, 26);
    pose.offsets[size_t(p.antenna_near)].angle = 0.35f * a;
    pose.offsets[size_t(p.antenna_far)].angle = 0.3f * a;
    for (int leg = 0; leg < 4; ++leg) pose.offsets[size_t(p.legs[leg])].angle = 0.3f * a * (leg < 2 ? -1 : 1);
    if (a > 0.75f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_glow(p, pose, 0.75f + 0.25f * a);
}

// Two slow breaths per loop, antennae swaying once, one blink.
void idle(const c_larva_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    for (int i = 0; i < k_body_count; ++i) {
        const c_point rest = k_body_rest[i];
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        o.dx = 0.02f * breath * rest.x;
        o.dy = 2.5f * breath * (rest.y / 60);
    }
    pose.offsets[size_t(p.body[k_body_count - 1])].dy += 2.5f * wave(u, 2, 0.08f);
    pose.offsets[size_t(p.body[k_body_count - 1])].angle = 0.045f * wave(u, 1, 0.1f);
    pose.offsets[size_t(p.antenna_near)].angle = 0.13f * wave(u, 1, 0);
    pose.offsets[size_t(p.antenna_far)].angle = 0.13f * wave(u, 1, 0.12f);
    pose.offsets[size_t(p.mandible)].angle = 0.06f * wave(u, 4, 0);
    if (u > 0.62f && u < 0.655f) pose.graphics[size_t(p.eye)] = "eye_closed";
    set_glow(p, pose, 0.7f + 0.3f * wave(u, 2, 0.05f));
}

// Rears the front up as a curl from the middle, wiggles happily, settles back.
void action(const c_larva_parts& p, float u, c_rig_pose& pose) {
    const float rear = envelope(u, 0.02f, 0.25f, 0.7f, 0.96f);
    const float wiggle = wave(u, 6, 0) * envelope(u, 0.2f, 0.3f, 0.66f, 0.8f);
    const float lift_angle = 0.62f * rear;
    // The curl: each front segment turns a little more than the one behind it.
    const int hinge = 2;
    const float weights[k_body_count] = {0, 0, 0, 0.45f, 0.8f, 1.0f};
    c_point previous_rest = k_body_rest[hinge];
    c_point previous_new = previous_rest;
    for (int i = hinge + 1; i < k_body_count; ++i) {
        const float angle = lift_angle * weights[i] + 0.16f * wiggle * weights[i];
        const c_point arm = rotate_about(
            {k_body_rest[i].x - previous_rest.x, k_body_rest[i].y - previous_rest.y}, {0, 0}, angle);
        const c_point centre = {previous_new.x + arm.x, previous_new.y + arm.y};
        place_body(p, pose, i, centre, angle * 0.6f);
        previous_rest = k_body_rest[i];
        previous_new = centre;
    }
    // The tail bounces in time with the wiggle.
    for (int i = 0; i < 2; ++i) {
        pose.offsets[size_t(p.body[i])].dy = 6 * std::fabs(wiggle) * (2 - i) / 2;
        pose.offsets[size_t(p.body[i])].angle = -0.1f * wiggle;
    }
    pose.offsets[size_t(p.antenna_near)].angle = 0.35f * wave(u, 7, 0) * rear;
    pose.offsets[size_t(p.antenna_far)].angle = 0.35f * wave(u, 7, 0.2f) * rear;
    for (int leg = 2; leg < 4; ++leg) pose.offsets[size_t(p.legs[leg])].angle = 0.5f * rear * wave(u, 6, 0.25f * leg);
    if (u > 0.28f && u < 0.66f) pose.graphics[size_t(p.eye)] = "eye_happy";
    set_glow(p, pose, 0.75f + 0.25f * rear);
}

// Gathers (0..0.26), leaps in an arc (0.26..0.8) and lands with a soft squash.
void hop(const c_larva_parts& p, float u, c_rig_pose& pose) {
    constexpr float k_take_off = 0.26f;
    constexpr float k_touch_down = 0.8f;
    const float gather = envelope(u, 0.0f, 0.2f, k_take_off - 0.02f, k_take_off + 0.06f) +
                         envelope(u, k_touch_down - 0.02f, k_touch_down + 0.06f, k_touch_down + 0.08f, 1.0f);
    squash(p, pose, gather, 0.14f, 16);
    float height = 0;
    float tilt = 0;
    if (u > k_take_off && u < k_touch_down) {
        const float s = (u - k_take_off) / (k_touch_down - k_take_off);
        height = arc_height(s, k_hop_height);
        tilt = k_hop_tilt * std::sin(k_two_pi * 0.5f * s) * (1 - 2 * s);
    }
    const c_point middle = {0, 60};
    for (int i = 0; i < k_body_count; ++i) {
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        const c_point at = {k_body_rest[i].x + o.dx, k_body_rest[i].y + o.dy};
        const c_point turned = rotate_about(at, middle, tilt);
        o.dx = turned.x - k_body_rest[i].x;
        o.dy = turned.y - k_body_rest[i].y + height;
        o.angle += tilt;
    }
    const float air = height / k_hop_height;
    for (int leg = 0; leg < 4; ++leg) pose.offsets[size_t(p.legs[leg])].angle = 0.5f * air * (leg < 2 ? -1 : 1);
    pose.offsets[size_t(p.antenna_near)].angle = 0.4f * air;
    pose.offsets[size_t(p.antenna_far)].angle = 0.35f * air;
    pose.graphics[size_t(p.shadow)] = level_graphic("shadow", 1 - air, k_shadow_levels);
    set_glow(p, pose, 0.75f + 0.25f * air);
}


// Under the cane the larva hangs from its tail, so its body is a chain laid out from
// the tail tip: the tip's place, the tail link's heading, the turn at each later joint
// (bends[0] is unused) and how far the links are stretched (1 at rest).
struct c_chain {
    c_point tip;
    float heading = 0;
    float bends[k_body_count] = {};
    float stretch = 1;
};

// From the tail tip to the middle of the tail segment.
constexpr float k_tail_reach = 36;

// Hanging: the body along +y from the silk pad at the origin, the head curled towards
// the belly in a J, swaying about the pad and breathing.
constexpr float k_hang_sway = 0.035f;
constexpr float k_hang_breath = 0.012f;
const float k_hang_bends[k_body_count] = {0, 0, 0, 0.02f, -0.34f, -0.55f};

float link_angle(int i) {
    return std::atan2(k_body_rest[i].y - k_body_rest[i - 1].y, k_body_rest[i].x - k_body_rest[i - 1].x);
}

float link_length(int i) {
    return std::hypot(k_body_rest[i].x - k_body_rest[i - 1].x, k_body_rest[i].y - k_body_rest[i - 1].y);
}

// The chain that gives the body's rest exactly.
c_chain rest_chain() {
    c_chain c;
    c.heading = link_angle(1);
    for (int i = 2; i < k_body_count; ++i) c.bends[i] = link_angle(i) - link_angle(i - 1);
    c.tip = {k_body_rest[0].x - k_tail_reach * std::cos(c.heading), k_body_rest[0].y - k_tail_reach * std::sin(c.heading)};
    return c;
}

c_chain mix_chain(const c_chain& a, const c_chain& b, float f) {
    c_chain c;
    c.tip = {mix(a.tip.x, b.tip.x, f), mix(a.tip.y, b.tip.y, f)};
    c.heading = mix(a.heading, b.heading, f);
    for (int i = 0; i < k_body_count; ++i) c.bends[i] = mix(a.bends[i], b.bends[i], f);
    c.stretch = mix(a.stretch, b.stretch, f);
    return c;
}

// Segment centres along the chain and each segment's facing: the mean of the links
// on either side of it (the head faces along its own link).
void lay_out(const c_chain& c, c_point centres[k_body_count], float facings[k_body_count]) {
    float links[k_body_count];
    links[0] = c.heading;
    centres[0] = {c.tip.x + k_tail_reach * std::cos(c.heading), c.tip.y + k_tail_reach * std::sin(c.heading)};
    for (int i = 1; i < k_body_count; ++i) {
        links[i] = links[i - 1] + c.bends[i];
        const float length = link_length(i) * c.stretch;
        centres[i] = {centres[i - 1].x + length * std::cos(links[i]), centres[i - 1].y + length * std::sin(links[i])};
    }
    for (int i = 0; i + 1 < k_body_count; ++i) facings[i] = 0.5f * (links[i] + links[i + 1]);
    facings[k_body_count - 1] = links[k_body_count - 1];
}

void place_chain(const c_larva_parts& p, c_rig_pose& pose, const c_chain& chain) {
    static const auto rest_facings = [] {
        std::vector<float> f(k_body_count);
        c_point centres[k_body_count];
        lay_out(rest_chain(), centres, f.data());
        return f;
    }();
    c_point centres[k_body_count];
    float facings[k_body_count];
    lay_out(chain, centres, facings);
    for (int i = 0; i < k_body_count; ++i) place_body(p, pose, i, centres[i], facings[i] - rest_facings[size_t(i)]);
}

c_chain hang_chain(float u) {
    c_chain c;
    c.heading = k_two_pi / 4 + k_hang_sway * wave(u, 1, 0);
    for (int i = 0; i < k_body_count; ++i) c.bends[i] = k_hang_bends[i];
    c.bends[k_body_count - 1] += 0.05f * wave(u, 2, 0.1f);
    c.stretch = 1 + k_hang_breath * wave(u, 2, 0);
    return c;
}

float hang_glow(float u) { return 0.7f + 0.3f * wave(u, 2, 0.05f); }

// Dangling from the pad: sway, two breaths, antennae and legs drifting, one blink.
void hang(const c_larva_parts& p, float u, c_rig_pose& pose) {
    place_chain(p, pose, hang_chain(u));
    pose.offsets[size_t(p.antenna_near)].angle = 0.12f * wave(u, 1, 0);
    pose.offsets[size_t(p.antenna_far)].angle = 0.12f * wave(u, 1, 0.12f);
    pose.offsets[size_t(p.mandible)].angle = 0.05f * wave(u, 4, 0);
    for (int leg = 0; leg < 4; ++leg) pose.offsets[size_t(p.legs[leg])].angle = 0.15f * wave(u, 1, 0.2f * leg);
    if (u > 0.55f && u < 0.585f) pose.graphics[size_t(p.eye)] = "eye_closed";
    pose.graphics[size_t(p.shadow)] = "shadow_0";
    set_glow(p, pose, hang_glow(u));
}

// From crawling under the cane to hanging: the front lifts (to 0.16), the body inches
// forward and curls until the tail tip grips the pad at the origin (0.45), then lets go
// and swings round the tail past straight (0.66), back a little (0.82) and settles
// into the first pose of "hang", which the last key equals.
void thread(const c_larva_parts& p, float u, c_rig_pose& pose) {
    if (u >= 1) {
        hang(p, 0, pose);
        return;
    }
    const float right_angle = k_two_pi / 4;
    c_chain keys[5];
    keys[0] = rest_chain();
    keys[1] = keys[0];
    const float lift[k_body_count] = {0, 0, 0, 0.2f, 0.3f, 0.35f};
    for (int i = 0; i < k_body_count; ++i) keys[1].bends[i] += lift[i];
    keys[2].tip = {0, 0};
    keys[2].heading = 0.8f;
    const float curl[k_body_count] = {0, 0.1f, 0.16f, 0.2f, 0.3f, 0.35f};
    for (int i = 0; i < k_body_count; ++i) keys[2].bends[i] = curl[i];
    keys[2].stretch = 0.94f;
    keys[3] = hang_chain(0);
    keys[3].heading = right_angle + 0.32f;
    const float trail[k_body_count] = {0, -0.06f, -0.06f, -0.06f, -0.2f, -0.3f};
    for (int i = 0; i < k_body_count; ++i) keys[3].bends[i] = trail[i];
    keys[4] = hang_chain(0);
    keys[4].heading = right_angle - 0.12f;
    keys[4].bends[3] += 0.04f;
    const float times[5] = {0, 0.16f, 0.45f, 0.66f, 0.82f};
    c_chain chain = keys[4];
    for (int k = 0; k < 4; ++k) {
        if (u < times[k + 1]) {
            chain = mix_chain(keys[k], keys[k + 1], ease_in_out((u - times[k]) / (times[k + 1] - times[k])));
            break;
        }
    }
    // Inching forward over the pad: a ripple runs along the middle of the body.
    const float inch = envelope(u, 0.16f, 0.2f, 0.4f, 0.45f);
    for (int i = 1; i < k_body_count - 1; ++i) chain.bends[i] += 0.12f * inch * wave(u, 3, 0.15f * i);
    place_chain(p, pose, chain);

    const float swing = envelope(u, 0.45f, 0.55f, 0.7f, 0.85f);
    pose.offsets[size_t(p.antenna_near)].angle = 0.25f * envelope(u, 0.02f, 0.16f, 0.4f, 0.5f) - 0.3f * swing;
    pose.offsets[size_t(p.antenna_far)].angle = 0.22f * envelope(u, 0.02f, 0.16f, 0.4f, 0.5f) - 0.26f * swing;
    for (int leg = 0; leg < 4; ++leg) {
        pose.offsets[size_t(p.legs[leg])].angle = 0.4f * inch * wave(u, 6, 0.2f * leg) + 0.25f * swing;
    }
    if ((u > 0.3f && u < 0.33f) || (u > 0.6f && u < 0.7f)) pose.graphics[size_t(p.eye)] = "eye_closed";
    float shadow = 1 - smoothstep(0.4f, 0.6f, u);
    float glow = 0.75f + 0.25f * swing;

    // The last stretch eases every part into the first pose of "hang".
    const float settle = ease_in_out(smoothstep(0.82f, 1, u));
    c_rig_pose start = pose;
    hang(p, 0, start);
    blend_offsets(pose, start, settle);
    glow = mix(glow, hang_glow(0), settle);
    pose.graphics[size_t(p.shadow)] = level_graphic("shadow", shadow, k_shadow_levels);
    set_glow(p, pose, glow);
}

// From the first pose of "hang": the larva curls up tighter with a sleepy wriggle while
// a rose petal grows in from nothing and folds round it; its eyes close and its glow
// brightens to full.
void chrysalis(const c_larva_parts& p, float u, c_rig_pose& pose) {
    c_chain curled = hang_chain(0);
    curled.heading += 0.06f;
    const float tight[k_body_count] = {0, 0.04f, 0.05f, 0.08f, -0.55f, -0.75f};
    for (int i = 0; i < k_body_count; ++i) curled.bends[i] = tight[i];
    curled.stretch = 0.84f;
    const float curl = ease_in_out(smoothstep(0, 0.7f, u));
    c_chain chain = mix_chain(hang_chain(0), curled, curl);
    const float wriggle = envelope(u, 0.1f, 0.25f, 0.55f, 0.75f);
    chain.heading += 0.07f * wriggle * wave(u, 3, 0);
    chain.bends[k_body_count - 1] += 0.1f * wriggle * wave(u, 3, 0.2f);
    place_chain(p, pose, chain);

    c_rig_pose start = pose;
    hang(p, 0, start);
    c_rig_pose asleep = start;
    asleep.offsets[size_t(p.antenna_near)].angle = -0.5f;
    asleep.offsets[size_t(p.antenna_far)].angle = -0.45f;
    asleep.offsets[size_t(p.mandible)].angle = -0.1f;
    for (int leg = 0; leg < 4; ++leg) asleep.offsets[size_t(p.legs[leg])].angle = -0.35f;
    for (size_t i : {size_t(p.antenna_near), size_t(p.antenna_far), size_t(p.mandible), size_t(p.legs[0]),
                     size_t(p.legs[1]), size_t(p.legs[2]), size_t(p.legs[3])}) {
        pose.offsets[i] = start.offsets[i];
        const float w = ease_in_out(smoothstep(0.05f, 0.6f, u));
        pose.offsets[i].angle = mix(start.offsets[i].angle, asleep.offsets[i].angle, w);
    }

    // The petal: unfolded off to the side and faint at first, wrapped and whole at the end,
    // with a soft bounce as it closes.
    const float wrap = smoothstep(0.12f, 0.75f, u);
    const float fold = ease_in_out(smoothstep(0.12f, 0.85f, u));
    c_node_offset& petal = pose.offsets[size_t(p.petal)];
    petal.angle = -1.15f * (1 - fold) * smoothstep(0, 0.1f, u) + 0.05f * envelope(u, 0.8f, 0.86f, 0.88f, 0.98f);
    pose.graphics[size_t(p.petal)] = level_graphic("petal", wrap, k_petal_levels);
    if ((u > 0.22f && u < 0.25f) || u > 0.42f) pose.graphics[size_t(p.eye)] = "eye_closed";
    pose.graphics[size_t(p.shadow)] = "shadow_0";
    set_glow(p, pose, mix(hang_glow(0), 1, smoothstep(0.3f, 0.9f, u)));
}

}  // namespace

std::string level_graphic(const std::string& base, float level, int count) {
    const int index = int(std::lround(std::clamp(level, 0.0f, 1.0f) * float(count - 1)));
    return base + "_" + std::to_string(index);
}

void add_levels(std::vector<c_graphic_def>& out, const std::string& base, const std::string& element,
                c_point pivot, int count, float s0, float s1, float a0, float a1, bool hidden_first) {
    for (int i = 0; i < count; ++i) {
        const float f = count > 1 ? float(i) / float(count - 1) : 1.0f;
        const bool hidden = hidden_first && i == 0;
        out.push_back({base + "_" + std::to_string(i), element, pivot.x, pivot.y, hidden ? 0.02f : mix(s0, s1, f),
                       uint8_t(hidden ? 0 : std::lround(mix(a0, a1, f)))});
    }
}

bool build_larva(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(larva_graphics(), larva_nodes(), geometry, anim, error)) return false;
    const c_larva_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_larva_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"walk", 36, true, with(walk)},
        {"turn", 20, false, with(turn)},
        {"idle", 32, true, with(idle)},
        {"action", 64, false, with(action)},
        {"hop", 40, false, with(hop)},
        {"thread", 64, false, with(thread)},
        {"hang", 48, true, with(hang)},
        {"chrysalis", 64, false, with(chrysalis)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
