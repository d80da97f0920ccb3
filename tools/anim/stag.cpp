// Chapter four's stag beetle guarding the path through the poppy field, facing left
// towards the bee: a shadow at his feet (the root, at the origin), the body about its
// middle, the head with its eye, both antler jaws and both elbowed feelers, and six
// three-piece legs whose feet stay planted: every pose places the feet and each leg's
// thigh and shin are turned to reach them from where the body put the hip.
// "idle" stands guard working his jaws, "snap" rears and snaps them shut at the bee,
// "retreat" flinches from the mask and backs off to the right, crouching low, and
// "retreat_idle" cowers there trembling. Sampled into anims/4stag.xml.
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

// Joints in SVG units (y down).
constexpr c_point k_body = {60, -270};
constexpr c_point k_neck = {-190, -295};
constexpr c_point k_eye = {-292, -328};
constexpr c_point k_jaw = {-350, -290};
constexpr c_point k_far_jaw = {-335, -318};
constexpr c_point k_scape = {-282, -352};
constexpr c_point k_elbow = {-290, -454};
constexpr c_point k_far_scape = {-262, -362};
constexpr c_point k_far_elbow = {-230, -446};

// One leg: its part names (thigh, shin, toes), hip, knee and ankle, in SVG units.
struct c_leg_def {
    const char* femur;
    const char* tibia;
    const char* tarsus;
    c_point hip, knee, ankle;
    bool near;
};

// Near front, near middle, near back, then the far side's; he walks on the tripods
// {0, 2, 4} and {1, 3, 5}.
const c_leg_def k_legs[k_leg_count] = {
    {"femur_front", "tibia_front", "tarsus_front", {-130, -215}, {-250, -200}, {-300, -34}, true},
    {"femur_mid", "tibia_mid", "tarsus_mid", {30, -180}, {110, -150}, {70, -34}, true},
    {"femur_back", "tibia_back", "tarsus_back", {180, -180}, {304, -164}, {348, -34}, true},
    {"far_femur_front", "far_tibia_front", "far_tarsus_front", {-100, -225}, {-200, -232}, {-232, -42}, false},
    {"far_femur_mid", "far_tibia_mid", "far_tarsus_mid", {60, -190}, {150, -178}, {130, -42}, false},
    {"far_femur_back", "far_tibia_back", "far_tarsus_back", {210, -190}, {334, -192}, {396, -42}, false},
};
constexpr int k_tripod_a[3] = {0, 2, 4};

// Where he ends up cowering: this far to the right (his tail then stays within about
// 600 of the origin), this much lower, with his front bowed down behind his jaws.
constexpr float k_retreat_shift = 150;
constexpr float k_crouch_drop = 60;
constexpr float k_crouch_tilt = 0.07f;

struct c_stag_parts {
    int ground, body, head, eye, jaw, far_jaw, scape, club, far_scape, far_club;
    int femur[k_leg_count], tibia[k_leg_count], tarsus[k_leg_count];
};

// Everything a motion decides, before the legs are solved. Angles are radians,
// counter-clockwise; distances are scene units with y up. gx moves the whole beetle
// (shadow included); body moves relative to it; feet are where each ankle stands, moved
// from rest in the scene. jaw > 0 swings the near jaw down, far_jaw < 0 the far one up,
// so both apart open the pincers.
struct c_stag_pose {
    float gx = 0;
    float bx = 0, by = 0, ba = 0;
    float head = 0, jaw = 0, far_jaw = 0;
    float scape = 0, club = 0, far_scape = 0, far_club = 0;
    c_point feet[k_leg_count] = {};
    std::string eye = "eye";
};

c_stag_pose mix_pose(const c_stag_pose& a, const c_stag_pose& b, float f) {
    c_stag_pose p = f < 0.5f ? a : b;
    p.gx = mix(a.gx, b.gx, f);
    p.bx = mix(a.bx, b.bx, f);
    p.by = mix(a.by, b.by, f);
    p.ba = mix(a.ba, b.ba, f);
    p.head = mix(a.head, b.head, f);
    p.jaw = mix(a.jaw, b.jaw, f);
    p.far_jaw = mix(a.far_jaw, b.far_jaw, f);
    p.scape = mix(a.scape, b.scape, f);
    p.club = mix(a.club, b.club, f);
    p.far_scape = mix(a.far_scape, b.far_scape, f);
    p.far_club = mix(a.far_club, b.far_club, f);
    for (int i = 0; i < k_leg_count; ++i) {
        p.feet[i].x = mix(a.feet[i].x, b.feet[i].x, f);
        p.feet[i].y = mix(a.feet[i].y, b.feet[i].y, f);
    }
    return p;
}

// A quick flick of a feeler that starts at t and is over a tenth of the loop later.
float twitch(float u, float t) { return envelope(u, t, t + 0.02f, t + 0.035f, t + 0.09f); }

// Turns the thigh and shin of leg i so its ankle reaches the target (in the ground's
// frame) from the hip the body carries; the toes keep their rest heading, flat on the ground.
void solve_leg(const c_stag_parts& p, int i, const c_stag_pose& w, c_rig_pose& pose) {
    const c_leg_def& leg = k_legs[i];
    const c_leg_turns turns =
        planted_leg({leg.hip, leg.knee, leg.ankle}, {k_body, w.bx, w.by, w.ba, w.gx}, w.feet[i]);
    pose.offsets[size_t(p.femur[i])].angle = turns.thigh;
    pose.offsets[size_t(p.tibia[i])].angle = turns.shin;
    pose.offsets[size_t(p.tarsus[i])].angle = turns.foot;
}

void apply(const c_stag_parts& p, const c_stag_pose& w, c_rig_pose& pose) {
    pose.offsets[size_t(p.ground)].dx = w.gx;
    c_node_offset& body = pose.offsets[size_t(p.body)];
    body.dx = w.bx;
    body.dy = w.by;
    body.angle = w.ba;
    pose.offsets[size_t(p.head)].angle = w.head;
    pose.offsets[size_t(p.jaw)].angle = w.jaw;
    pose.offsets[size_t(p.far_jaw)].angle = w.far_jaw;
    pose.offsets[size_t(p.scape)].angle = w.scape;
    pose.offsets[size_t(p.club)].angle = w.club;
    pose.offsets[size_t(p.far_scape)].angle = w.far_scape;
    pose.offsets[size_t(p.far_club)].angle = w.far_club;
    for (int i = 0; i < k_leg_count; ++i) solve_leg(p, i, w, pose);
    pose.graphics[size_t(p.eye)] = w.eye;
}

// How far the jaws stand open: twice a loop they slowly part and close again.
float jaw_gape(float u) { return 0.5f - 0.5f * std::cos(k_two_pi * 2 * u); }

// Standing guard: two slow breaths, the jaws slowly opening and closing like shears
// being tested, the feelers drifting and twitching suspiciously, one stern blink.
c_stag_pose idle(float u) {
    c_stag_pose w;
    const float gape = jaw_gape(u);
    w.by = 5 * wave(u, 2, 0.25f);
    w.ba = 0.01f * wave(u, 1, 0.1f);
    w.head = 0.03f * wave(u, 1, 0.3f) - 0.02f * gape;
    w.jaw = 0.05f + 0.14f * gape;
    w.far_jaw = -0.04f - 0.12f * gape;
    w.scape = 0.06f * wave(u, 1, 0.4f) - 0.2f * twitch(u, 0.18f) - 0.14f * twitch(u, 0.62f);
    w.club = 0.1f * wave(u, 1, 0.55f) + 0.32f * twitch(u, 0.19f) + 0.24f * twitch(u, 0.63f);
    w.far_scape = 0.05f * wave(u, 1, 0.6f) - 0.18f * twitch(u, 0.4f);
    w.far_club = 0.08f * wave(u, 1, 0.75f) + 0.3f * twitch(u, 0.41f);
    if (u > 0.84f && u < 0.88f) w.eye = "eye_closed";
    return w;
}

// One stretch of a keyed motion: from the previous key to pose by time t, eased by e.
struct c_key {
    float t;
    c_stag_pose pose;
    float (*ease)(float);
};

c_stag_pose keyed(float u, const c_stag_pose& start, const c_key* keys, int count) {
    c_stag_pose from = start;
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

// The snap: he rears up on his back legs with the jaws flung wide, then lunges left and
// slams them shut with a jolt, shudders there a moment, and settles back to idle.
c_stag_pose snap(float u) {
    const c_stag_pose rest = idle(0);
    c_stag_pose reared = rest;
    reared.bx = 40;
    reared.by = 55;
    reared.ba = -0.16f;
    reared.head = -0.12f;
    reared.jaw = 0.38f;
    reared.far_jaw = -0.34f;
    reared.scape = -0.3f;
    reared.club = -0.2f;
    reared.far_scape = -0.26f;
    reared.far_club = -0.18f;
    c_stag_pose shut = reared;
    shut.bx = -55;
    shut.by = 0;
    shut.ba = 0.07f;
    shut.head = 0.1f;
    shut.jaw = -0.1f;
    shut.far_jaw = 0.09f;
    shut.scape = 0.2f;
    shut.club = 0.3f;
    shut.far_scape = 0.16f;
    shut.far_club = 0.26f;
    c_stag_pose held = shut;
    held.bx = -45;
    held.ba = 0.05f;
    held.head = 0.06f;
    c_stag_pose back = rest;
    back.bx = 10;
    back.jaw = 0.02f;
    back.far_jaw = -0.02f;
    const c_key keys[] = {
        {0.28f, reared, ease_in_out},
        {0.35f, shut, ease_in},
        {0.52f, held, ease_out},
        {0.8f, back, ease_in_out},
        {1.00f, rest, ease_in_out},
    };
    c_stag_pose w = keyed(u, rest, keys, int(std::size(keys)));
    // The jolt: a short shudder through the body and jaws as they clack together.
    const float jolt = envelope(u, 0.35f, 0.36f, 0.4f, 0.5f);
    w.bx += 8 * jolt * std::sin(k_two_pi * 10 * u);
    w.head += 0.03f * jolt * std::sin(k_two_pi * 10 * u + 1);
    // Fierce squint through the snap.
    if (u > 0.3f && u < 0.48f) w.eye = "eye_closed";
    if (u >= 1) w = rest;
    return w;
}

// Cowering aside: crouched low with his front bowed and the jaws clamped, feelers laid
// back, trembling all over and peeking out with wide frightened eyes, one nervous blink.
c_stag_pose retreat_idle(float u) {
    c_stag_pose w;
    w.gx = k_retreat_shift;
    for (c_point& foot : w.feet) foot.x = k_retreat_shift;
    w.feet[0].x -= 70;
    w.feet[3].x -= 50;
    w.feet[2].x -= 30;
    w.feet[5].x -= 30;
    const float shiver = wave(u, 12, 0);
    w.bx = 3 * shiver;
    w.by = -k_crouch_drop + 4 * wave(u, 2, 0) + 2 * wave(u, 12, 0.25f);
    w.ba = k_crouch_tilt + 0.008f * wave(u, 1, 0.2f);
    w.head = 0.1f + 0.02f * wave(u, 1, 0.1f) + 0.012f * wave(u, 12, 0.1f);
    w.jaw = -0.06f + 0.015f * wave(u, 12, 0.3f);
    w.far_jaw = 0.05f - 0.015f * wave(u, 12, 0.3f);
    w.scape = -0.45f + 0.05f * wave(u, 1, 0.3f) + 0.03f * wave(u, 12, 0.5f);
    w.club = -0.3f + 0.06f * wave(u, 1, 0.5f);
    w.far_scape = -0.4f + 0.04f * wave(u, 1, 0.6f) + 0.03f * wave(u, 12, 0.7f);
    w.far_club = -0.26f + 0.05f * wave(u, 1, 0.8f);
    w.eye = "eye_scared";
    if (u > 0.5f && u < 0.53f) w.eye = "eye_closed";
    return w;
}

// Frightened: he jerks back with jaws gaping and eyes wide, then scuttles off the path to
// the right on alternate tripods of feet, and sinks into his crouch, ending in
// retreat_idle's first pose.
c_stag_pose retreat(float u) {
    const c_stag_pose start = idle(0);
    const c_stag_pose crouch = retreat_idle(0);
    c_stag_pose w = start;

    // The start: a jump of fright, up and back, jaws flung open, feelers straight up.
    const float fright = envelope(u, 0.0f, 0.07f, 0.14f, 0.3f);
    w.bx += 30 * fright;
    w.by += 40 * fright;
    w.ba += -0.1f * fright;
    w.head += -0.1f * fright;
    w.jaw += 0.2f * fright;
    w.far_jaw += -0.18f * fright;
    w.scape += -0.25f * fright;
    w.far_scape += -0.22f * fright;
    w.club += -0.2f * fright;

    // Backing away: the beetle slides evenly while each tripod steps twice in turn.
    constexpr float walk0 = 0.16f, walk1 = 0.66f;
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
            lift += arc_height(s, 40);
        }
        w.feet[i] = {k_retreat_shift * done, lift};
    }
    const float walking = envelope(u, walk0, walk0 + 0.06f, walk1 - 0.06f, walk1);
    w.by += 10 * walking + 6 * hump(phase / 4, 4, 0.25f) * walking;
    w.ba += 0.025f * wave(phase / 4, 2, 0) * walking;
    w.head += 0.05f * walking;

    // Sinking: from the walk's end he lowers into the crouch.
    const float settle = smoothstep(0.6f, 0.94f, u);
    w = mix_pose(w, crouch, settle);
    w.eye = u > 0.02f ? "eye_scared" : "eye";
    if (u >= 1) w = crouch;
    return w;
}

}  // namespace

bool build_4stag(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics = {
        {"shadow", "stag_shadow", 0, 0, 1, 255},
        {"body", "stag_body", k_body.x, k_body.y, 1, 255},
        {"head", "stag_head", k_neck.x, k_neck.y, 1, 255},
        {"eye", "stag_eye", k_eye.x, k_eye.y, 1, 255},
        {"eye_closed", "stag_eye_closed", k_eye.x, k_eye.y, 1, 255},
        {"eye_scared", "stag_eye_scared", k_eye.x, k_eye.y, 1, 255},
        {"jaw", "stag_jaw", k_jaw.x, k_jaw.y, 1, 255},
        {"far_jaw", "stag_far_jaw", k_far_jaw.x, k_far_jaw.y, 1, 255},
        {"scape", "stag_scape", k_scape.x, k_scape.y, 1, 255},
        {"club", "stag_club", k_elbow.x, k_elbow.y, 1, 255},
        {"far_scape", "stag_far_scape", k_far_scape.x, k_far_scape.y, 1, 255},
        {"far_club", "stag_far_club", k_far_elbow.x, k_far_elbow.y, 1, 255},
    };
    for (const c_leg_def& leg : k_legs) {
        graphics.push_back({leg.femur, std::string("stag_") + leg.femur, leg.hip.x, leg.hip.y, 1, 255});
        graphics.push_back({leg.tibia, std::string("stag_") + leg.tibia, leg.knee.x, leg.knee.y, 1, 255});
        graphics.push_back({leg.tarsus, std::string("stag_") + leg.tarsus, leg.ankle.x, leg.ankle.y, 1, 255});
    }
    // Far legs, jaw and feeler behind the body, near ones in front; the eye on the head,
    // the near jaw over the head's front and the near feeler over the jaw's root.
    std::vector<c_node_def> nodes = {
        {"ground", "", "shadow", 0, 0, -10, false},
        {"body", "ground", "body", k_body.x, k_body.y, 0, false},
        {"head", "body", "head", k_neck.x, k_neck.y, 1, false},
        {"eye", "head", "eye", k_eye.x, k_eye.y, 3, true},
        {"jaw", "head", "jaw", k_jaw.x, k_jaw.y, 2, false},
        {"far_jaw", "head", "far_jaw", k_far_jaw.x, k_far_jaw.y, -4, false},
        {"scape", "head", "scape", k_scape.x, k_scape.y, 3.5f, false},
        {"club", "scape", "club", k_elbow.x, k_elbow.y, 3.6f, false},
        {"far_scape", "head", "far_scape", k_far_scape.x, k_far_scape.y, -5, false},
        {"far_club", "far_scape", "far_club", k_far_elbow.x, k_far_elbow.y, -5.1f, false},
    };
    for (const c_leg_def& leg : k_legs) {
        nodes.push_back({leg.femur, "body", leg.femur, leg.hip.x, leg.hip.y, leg.near ? 5.0f : -6.0f, false});
        nodes.push_back({leg.tibia, leg.femur, leg.tibia, leg.knee.x, leg.knee.y, leg.near ? 4.5f : -7.0f, false});
        nodes.push_back({leg.tarsus, leg.tibia, leg.tarsus, leg.ankle.x, leg.ankle.y, leg.near ? 4.6f : -6.9f, false});
    }
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    c_stag_parts parts{rig.node("ground"),    rig.node("body"),  rig.node("head"),     rig.node("eye"),
                       rig.node("jaw"),       rig.node("far_jaw"), rig.node("scape"),  rig.node("club"),
                       rig.node("far_scape"), rig.node("far_club"), {}, {}, {}};
    for (int i = 0; i < k_leg_count; ++i) {
        parts.femur[i] = rig.node(k_legs[i].femur);
        parts.tibia[i] = rig.node(k_legs[i].tibia);
        parts.tarsus[i] = rig.node(k_legs[i].tarsus);
    }
    const auto with = [&parts](c_stag_pose (*motion)(float)) {
        return [&parts, motion](float u, c_rig_pose& pose) { apply(parts, motion(u), pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 64, true, with(idle)},
        {"snap", 64, false, with(snap)},
        {"retreat", 80, false, with(retreat)},
        {"retreat_idle", 96, true, with(retreat_idle)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
