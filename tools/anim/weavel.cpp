// Chapter two's weevil guard on his twig across the bank path, facing left towards the
// aphid: a shadow at his feet (the root, at the origin), the body about its middle, the
// head with its eye, the long snout with both elbowed feelers and the seed he is given,
// and six two-piece legs whose feet stay planted: every pose places the feet and each
// leg's thigh and shin are turned to reach them from where the body put the hip.
// "idle" stands guard, "tongue" flicks the snout down and forward like a catapult,
// "retreat" steps back to the right and sits down aside, "retreat_idle" rests there
// chewing. Sampled into anims/weavel.xml.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "anim/anim_math.h"
#include "anim/creatures.h"
#include "anim/planted_leg.h"

namespace tw_tools {

namespace {

constexpr int k_leg_count = 6;
constexpr int k_seed_levels = 5;

// Joints in SVG units (y down).
constexpr c_point k_body = {40, -380};
constexpr c_point k_neck = {-180, -470};
constexpr c_point k_eye = {-250, -515};
constexpr c_point k_snout = {-285, -492};
constexpr c_point k_seed = {-468, -226};
constexpr c_point k_scape = {-386, -444};
constexpr c_point k_elbow = {-420, -588};
constexpr c_point k_far_scape = {-372, -452};
constexpr c_point k_far_elbow = {-384, -596};

// One leg: its part names (thigh, shin, toes), hip, knee and ankle (where the shin meets
// the toes), in SVG units.
struct c_leg_def {
    const char* femur;
    const char* tibia;
    const char* tarsus;
    c_point hip, knee, ankle;
    bool near;
};

// Near front, near middle, near back, then the far side's; the two tripods the weevil
// walks on are {0, 2, 4} and {1, 3, 5}.
const c_leg_def k_legs[k_leg_count] = {
    {"femur_front", "tibia_front", "tarsus_front", {-126, -360}, {-246, -256}, {-252, -36}, true},
    {"femur_mid", "tibia_mid", "tarsus_mid", {-2, -282}, {90, -200}, {30, -36}, true},
    {"femur_back", "tibia_back", "tarsus_back", {164, -252}, {300, -200}, {330, -36}, true},
    {"far_femur_front", "far_tibia_front", "far_tarsus_front", {-90, -372}, {-190, -300}, {-174, -46}, false},
    {"far_femur_mid", "far_tibia_mid", "far_tarsus_mid", {40, -300}, {140, -230}, {90, -46}, false},
    {"far_femur_back", "far_tibia_back", "far_tarsus_back", {200, -272}, {340, -230}, {380, -46}, false},
};
constexpr int k_tripod_a[3] = {0, 2, 4};

// Where he ends up after stepping aside: this far to the right, this much lower, with
// his front tipped up a little as he sits back.
constexpr float k_retreat_shift = 200;
constexpr float k_sit_drop = 125;
constexpr float k_sit_tilt = -0.08f;

struct c_weavel_parts {
    int ground, body, head, eye, snout, seed, scape, club, far_scape, far_club;
    int femur[k_leg_count], tibia[k_leg_count], tarsus[k_leg_count];
};

// Everything a motion decides, before the legs are solved. Angles are radians,
// counter-clockwise; distances are scene units with y up. gx moves the whole weevil
// (shadow included); body moves relative to it; feet are where each ankle stands,
// moved from rest in the scene (so stepping feet stay put while the weevil slides).
struct c_weavel_pose {
    float gx = 0;
    float bx = 0, by = 0, ba = 0;
    float head = 0, snout = 0;
    float scape = 0, club = 0, far_scape = 0, far_club = 0;
    c_point feet[k_leg_count] = {};
    float seed = 0;  // 0 none, 1 held
    std::string eye = "eye";
};

c_weavel_pose mix_pose(const c_weavel_pose& a, const c_weavel_pose& b, float f) {
    c_weavel_pose p = f < 0.5f ? a : b;
    p.gx = mix(a.gx, b.gx, f);
    p.bx = mix(a.bx, b.bx, f);
    p.by = mix(a.by, b.by, f);
    p.ba = mix(a.ba, b.ba, f);
    p.head = mix(a.head, b.head, f);
    p.snout = mix(a.snout, b.snout, f);
    p.scape = mix(a.scape, b.scape, f);
    p.club = mix(a.club, b.club, f);
    p.far_scape = mix(a.far_scape, b.far_scape, f);
    p.far_club = mix(a.far_club, b.far_club, f);
    for (int i = 0; i < k_leg_count; ++i) {
        p.feet[i].x = mix(a.feet[i].x, b.feet[i].x, f);
        p.feet[i].y = mix(a.feet[i].y, b.feet[i].y, f);
    }
    p.seed = mix(a.seed, b.seed, f);
    return p;
}

// A quick flick of a feeler that starts at t and is over a tenth of the loop later.
float twitch(float u, float t) { return envelope(u, t, t + 0.02f, t + 0.035f, t + 0.09f); }

// Turns the thigh and shin of leg i so its ankle reaches the target (in the ground's
// frame) from the hip the body carries; the toes keep their rest heading, flat on the twig.
void solve_leg(const c_weavel_parts& p, int i, const c_weavel_pose& w, c_rig_pose& pose) {
    const c_leg_def& leg = k_legs[i];
    const c_leg_turns turns =
        planted_leg({leg.hip, leg.knee, leg.ankle}, {k_body, w.bx, w.by, w.ba, w.gx}, w.feet[i]);
    pose.offsets[size_t(p.femur[i])].angle = turns.thigh;
    pose.offsets[size_t(p.tibia[i])].angle = turns.shin;
    pose.offsets[size_t(p.tarsus[i])].angle = turns.foot;
}

void apply(const c_weavel_parts& p, const c_weavel_pose& w, c_rig_pose& pose) {
    pose.offsets[size_t(p.ground)].dx = w.gx;
    c_node_offset& body = pose.offsets[size_t(p.body)];
    body.dx = w.bx;
    body.dy = w.by;
    body.angle = w.ba;
    pose.offsets[size_t(p.head)].angle = w.head;
    pose.offsets[size_t(p.snout)].angle = w.snout;
    pose.offsets[size_t(p.scape)].angle = w.scape;
    pose.offsets[size_t(p.club)].angle = w.club;
    pose.offsets[size_t(p.far_scape)].angle = w.far_scape;
    pose.offsets[size_t(p.far_club)].angle = w.far_club;
    for (int i = 0; i < k_leg_count; ++i) solve_leg(p, i, w, pose);
    pose.graphics[size_t(p.eye)] = w.eye;
    pose.graphics[size_t(p.seed)] = level_graphic("seed", w.seed, k_seed_levels);
}

// Standing guard: two slow breaths, the snout swaying like a pike at the ready, the
// feelers drifting and twice giving a quick suspicious twitch, one stern blink.
c_weavel_pose idle(float u) {
    c_weavel_pose w;
    w.by = 6 * wave(u, 2, 0);
    w.ba = 0.012f * wave(u, 1, 0.1f);
    w.head = 0.035f * wave(u, 1, 0.3f);
    w.snout = 0.07f * wave(u, 1, 0.15f) + 0.015f * wave(u, 3, 0);
    w.scape = 0.06f * wave(u, 1, 0.4f) - 0.22f * twitch(u, 0.28f) - 0.15f * twitch(u, 0.4f);
    w.club = 0.1f * wave(u, 1, 0.55f) + 0.3f * twitch(u, 0.29f) + 0.22f * twitch(u, 0.41f);
    w.far_scape = 0.05f * wave(u, 1, 0.6f) - 0.2f * twitch(u, 0.66f);
    w.far_club = 0.08f * wave(u, 1, 0.75f) + 0.28f * twitch(u, 0.67f);
    if (u > 0.82f && u < 0.86f) w.eye = "eye_closed";
    return w;
}

// One stretch of a keyed motion: from the previous key to pose by time t, eased by e.
struct c_key {
    float t;
    c_weavel_pose pose;
    float (*ease)(float);
};

c_weavel_pose keyed(float u, const c_weavel_pose& start, const c_key* keys, int count) {
    c_weavel_pose from = start;
    float t0 = 0;
    for (int k = 0; k < count; ++k) {
        if (u <= keys[k].t) {
            const float f = keys[k].ease((u - t0) / (keys[k].t - t0));
            return mix_pose(from, keys[k].pose, f);
        }
        from = keys[k].pose;
        t0 = keys[k].t;
    }
    return from;
}

// The flick: he rears back with the snout tucked under his chin like a drawn catapult,
// then lunges, the head dipping and the snout whipping down and forward in a scoop along
// the twig that would send an aphid tumbling, holds a beat, and settles back to idle.
c_weavel_pose tongue(float u) {
    const c_weavel_pose rest = idle(0);
    c_weavel_pose drawn = rest;
    drawn.bx = 40;
    drawn.by = 22;
    drawn.ba = -0.14f;
    drawn.head = -0.28f;
    drawn.snout = 0.55f;
    drawn.scape = -0.35f;
    drawn.club = -0.3f;
    drawn.far_scape = -0.3f;
    drawn.far_club = -0.25f;
    c_weavel_pose low = drawn;
    low.bx = -70;
    low.by = -85;
    low.ba = 0.2f;
    low.head = 0.38f;
    low.snout = -0.1f;
    low.scape = 0.1f;
    low.club = 0.2f;
    low.far_scape = 0.05f;
    low.far_club = 0.15f;
    c_weavel_pose flung = low;
    flung.bx = -85;
    flung.by = -60;
    flung.ba = 0.16f;
    flung.head = 0.16f;
    flung.snout = -0.8f;
    flung.scape = 0.25f;
    flung.club = 0.35f;
    flung.far_scape = 0.2f;
    flung.far_club = 0.3f;
    c_weavel_pose held = flung;
    held.snout = -0.68f;
    held.head = 0.08f;
    c_weavel_pose back = rest;
    back.bx = 8;
    back.snout = 0.06f;
    back.head = -0.03f;
    const c_key keys[] = {
        {0.30f, drawn, ease_in_out},
        {0.37f, low, ease_in},
        {0.43f, flung, ease_out},
        {0.55f, held, ease_in_out},
        {0.82f, back, ease_in_out},
        {1.00f, rest, ease_in_out},
    };
    c_weavel_pose w = keyed(u, rest, keys, int(std::size(keys)));
    // A stern squint as he lets fly.
    if (u > 0.33f && u < 0.47f) w.eye = "eye_closed";
    if (u >= 1) w = rest;
    return w;
}

// Sitting aside, content: breathing, the head bobbing as he nibbles the seed in his jaws.
c_weavel_pose retreat_idle(float u) {
    c_weavel_pose w;
    w.gx = k_retreat_shift;
    for (c_point& foot : w.feet) foot.x = k_retreat_shift;
    w.feet[0].x += 30;
    w.feet[3].x += 30;
    w.by = -k_sit_drop + 5 * wave(u, 2, 0);
    w.ba = k_sit_tilt + 0.01f * wave(u, 1, 0.2f);
    w.head = 0.04f + 0.03f * wave(u, 1, 0.1f) + 0.035f * hump(u, 6, 0);
    w.snout = -0.02f + 0.05f * wave(u, 6, 0.1f);
    w.scape = -0.15f + 0.06f * wave(u, 1, 0.3f);
    w.club = -0.1f + 0.08f * wave(u, 1, 0.5f);
    w.far_scape = -0.12f + 0.05f * wave(u, 1, 0.6f);
    w.far_club = -0.08f + 0.07f * wave(u, 1, 0.8f);
    w.seed = 1;
    w.eye = "eye_happy";
    return w;
}

// Given the seeds: a pleased blink as the seed appears in his jaws, then he backs off the
// path to the right on alternate tripods of feet, and sits down lower with his front
// tipped up, ending in retreat_idle's first pose.
c_weavel_pose retreat(float u) {
    const c_weavel_pose start = idle(0);
    const c_weavel_pose sit = retreat_idle(0);
    c_weavel_pose w = start;

    // Walking back: the weevil slides evenly while each tripod steps twice in turn.
    constexpr float walk0 = 0.12f, walk1 = 0.64f;
    const float walk = smoothstep(walk0, walk1, u);
    w.gx = k_retreat_shift * walk;
    const float phase = std::clamp((u - walk0) / (walk1 - walk0), 0.0f, 1.0f) * 4;
    for (int i = 0; i < k_leg_count; ++i) {
        const bool a = i == k_tripod_a[0] || i == k_tripod_a[1] || i == k_tripod_a[2];
        float done = 0;
        float lift = 0;
        for (int step = 0; step < 2; ++step) {
            const float begin = float(step * 2 + (a ? 0 : 1));
            const float s = std::clamp(phase - begin, 0.0f, 1.0f);
            done += 0.5f * ease_in_out(s);
            lift += arc_height(s, 45);
        }
        w.feet[i] = {k_retreat_shift * done, lift};
    }
    const float walking = envelope(u, walk0, walk0 + 0.06f, walk1 - 0.06f, walk1);
    w.by += 14 * walking + 6 * hump(phase / 4, 4, 0.25f) * walking;
    w.ba += 0.03f * wave(phase / 4, 2, 0) * walking;
    w.head += -0.06f * walking + 0.04f * wave(phase / 4, 4, 0.1f) * walking;
    w.snout += 0.05f * walking;
    w.scape += -0.2f * walking;
    w.far_scape += -0.18f * walking;

    // Settling: from the walk's end he sinks into the sitting pose.
    const float settle = smoothstep(0.62f, 0.92f, u);
    w = mix_pose(w, sit, settle);
    w.seed = u < 0.1f ? smoothstep(0.0f, 0.1f, u) : 1;
    w.eye = u > 0.7f ? "eye_happy" : w.eye;
    if (u > 0.03f && u < 0.08f) w.eye = "eye_closed";
    if (u >= 1) w = sit;
    return w;
}

}  // namespace

bool build_weavel(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics = {
        {"shadow", "weavel_shadow", 0, 0, 1, 255},
        {"body", "weavel_body", k_body.x, k_body.y, 1, 255},
        {"head", "weavel_head", k_neck.x, k_neck.y, 1, 255},
        {"eye", "weavel_eye", k_eye.x, k_eye.y, 1, 255},
        {"eye_closed", "weavel_eye_closed", k_eye.x, k_eye.y, 1, 255},
        {"eye_happy", "weavel_eye_happy", k_eye.x, k_eye.y, 1, 255},
        {"snout", "weavel_rostrum", k_snout.x, k_snout.y, 1, 255},
        {"scape", "weavel_scape", k_scape.x, k_scape.y, 1, 255},
        {"club", "weavel_club", k_elbow.x, k_elbow.y, 1, 255},
        {"far_scape", "weavel_far_scape", k_far_scape.x, k_far_scape.y, 1, 255},
        {"far_club", "weavel_far_club", k_far_elbow.x, k_far_elbow.y, 1, 255},
    };
    add_levels(graphics, "seed", "weavel_seed", k_seed, k_seed_levels, 0.4f, 1, 255, 255, true);
    for (const c_leg_def& leg : k_legs) {
        graphics.push_back({leg.femur, std::string("weavel_") + leg.femur, leg.hip.x, leg.hip.y, 1, 255});
        graphics.push_back({leg.tibia, std::string("weavel_") + leg.tibia, leg.knee.x, leg.knee.y, 1, 255});
        graphics.push_back({leg.tarsus, std::string("weavel_") + leg.tarsus, leg.ankle.x, leg.ankle.y, 1, 255});
    }
    // Far legs and feeler behind the body, near ones in front; the eye over the snout's
    // root and the seed over its jaws.
    std::vector<c_node_def> nodes = {
        {"ground", "", "shadow", 0, 0, -10, false},
        {"body", "ground", "body", k_body.x, k_body.y, 0, false},
        {"head", "body", "head", k_neck.x, k_neck.y, 1, false},
        {"snout", "head", "snout", k_snout.x, k_snout.y, 2, false},
        {"eye", "head", "eye", k_eye.x, k_eye.y, 3, true},
        {"seed", "snout", "seed_0", k_seed.x, k_seed.y, 2.5f, true},
        {"scape", "snout", "scape", k_scape.x, k_scape.y, 3.5f, false},
        {"club", "scape", "club", k_elbow.x, k_elbow.y, 3.6f, false},
        {"far_scape", "snout", "far_scape", k_far_scape.x, k_far_scape.y, -5, false},
        {"far_club", "far_scape", "far_club", k_far_elbow.x, k_far_elbow.y, -5.1f, false},
    };
    for (const c_leg_def& leg : k_legs) {
        nodes.push_back({leg.femur, "body", leg.femur, leg.hip.x, leg.hip.y, leg.near ? 5.0f : -6.0f, false});
        nodes.push_back({leg.tibia, leg.femur, leg.tibia, leg.knee.x, leg.knee.y, leg.near ? 4.5f : -7.0f, false});
        nodes.push_back({leg.tarsus, leg.tibia, leg.tarsus, leg.ankle.x, leg.ankle.y, leg.near ? 4.6f : -6.9f, false});
    }
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    c_weavel_parts parts{rig.node("ground"), rig.node("body"),  rig.node("head"),     rig.node("eye"),
                         rig.node("snout"),  rig.node("seed"),  rig.node("scape"),    rig.node("club"),
                         rig.node("far_scape"), rig.node("far_club"), {}, {}, {}};
    for (int i = 0; i < k_leg_count; ++i) {
        parts.femur[i] = rig.node(k_legs[i].femur);
        parts.tibia[i] = rig.node(k_legs[i].tibia);
        parts.tarsus[i] = rig.node(k_legs[i].tarsus);
    }
    const auto with = [&parts](c_weavel_pose (*motion)(float)) {
        return [&parts, motion](float u, c_rig_pose& pose) { apply(parts, motion(u), pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 64, true, with(idle)},
        {"tongue", 64, false, with(tongue)},
        {"retreat", 80, false, with(retreat)},
        {"retreat_idle", 48, true, with(retreat_idle)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
