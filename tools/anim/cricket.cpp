// Chapter two's field cricket on its flat stone by the night pond, facing left, origin on
// the stone under the middle of its belly. Asleep (anims/2cricketb.xml) it has lost its
// near middle and hind legs: it lies low with the stumps showing, eyes shut, breathing
// slowly, one antenna drooping and now and then twitching, and it sighs a little "z".
// Awake (anims/2cricket.xml) it stands on all six legs: "idle" sweeps the antennae and
// blinks, "twitch" lifts the forewings and rubs them in three quick chirps of song.
// Both share one table of parts; the sleeping one swaps in its own face and stumps.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// Joints in SVG units (y down). The head and face are drawn grown by 1.18 about the neck,
// so the face joints sit where that puts them.
constexpr c_point k_thorax = {-180, -110};
constexpr c_point k_waist = {-110, -120};  // where the abdomen hinges under the pronotum
constexpr c_point k_wing_root = {-115, -205};
constexpr c_point k_neck = {-270, -150};
constexpr c_point k_eye = {-367, -188};
constexpr c_point k_mouth = {-429, -91};
constexpr c_point k_antenna = {-406, -250};
constexpr c_point k_antenna_far = {-379, -259};
constexpr c_point k_sigh = {-310, -340};
constexpr c_point k_chirp = {470, -330};

constexpr int k_sigh_levels = 6;
constexpr int k_chirp_levels = 6;

// Asleep the body lies this much lower on the stone; each leg turns about its hip so
// its foot stays where it stood.
constexpr float k_sleep_drop = 38;

// One leg: where it hinges on the thorax and where its foot meets the stone.
struct c_leg_def {
    const char* name;
    c_point hip;
    c_point foot;
    float z;
};

constexpr int k_legs = 6;
const c_leg_def k_leg_defs[k_legs] = {
    {"leg_front_far", {-195, -105}, {-240, -14}, -6},
    {"leg_mid_far", {-75, -100}, {52, -14}, -6.1f},
    {"leg_hind_far", {40, -108}, {402, -16}, -6.2f},
    {"leg_front", {-215, -100}, {-302, -14}, 3},
    {"leg_mid", {-95, -96}, {6, -14}, 3.1f},
    {"leg_hind", {20, -100}, {350, -16}, 3.2f},
};
// The near middle and hind legs, which the sleeping cricket has lost.
constexpr int k_lost_mid = 4;
constexpr int k_lost_hind = 5;

struct c_cricket_parts {
    int thorax, abdomen, wing, wing_far, head, eye, mouth, antenna, antenna_far, extra;
    int legs[k_legs];
    float plant[k_legs];  // each leg's turn that keeps its foot down while asleep
};

// The turn about hip that brings foot back to its height when the body drops by drop
// (scene units), swinging the foot further out on the side it already points to.
float plant_angle(c_point hip, c_point foot, float drop) {
    const float dx = foot.x - hip.x;
    const float dy = hip.y - foot.y;  // scene y up: the foot is below, so this is negative
    const float length = std::sqrt(dx * dx + dy * dy);
    const float now = std::atan2(dy, dx);
    const float wanted_y = std::fmax(-length, dy + drop);
    float then = std::asin(wanted_y / length);
    if (dx < 0) then = 3.1415927f - then;
    float turn = then - now;
    while (turn > 3.1415927f) turn -= k_two_pi;
    while (turn < -3.1415927f) turn += k_two_pi;
    return turn;
}

std::vector<c_graphic_def> cricket_graphics(bool asleep) {
    std::vector<c_graphic_def> g = {
        {"shadow", "cricket_shadow", 0, 0, 1, 255},
        {"thorax", "cricket_thorax", k_thorax.x, k_thorax.y, 1, 255},
        {"abdomen", "cricket_abdomen", k_waist.x, k_waist.y, 1, 255},
        {"wing", "cricket_wing", k_wing_root.x, k_wing_root.y, 1, 255},
        {"wing_far", "cricket_wing_far", k_wing_root.x, k_wing_root.y, 1, 255},
        {"head", "cricket_head", k_neck.x, k_neck.y, 1, 255},
        {"antenna", "cricket_antenna", k_antenna.x, k_antenna.y, 1, 255},
        {"antenna_far", "cricket_antenna_far", k_antenna_far.x, k_antenna_far.y, 1, 255},
    };
    for (int i = 0; i < k_legs; ++i) {
        const c_leg_def& leg = k_leg_defs[i];
        const bool lost = asleep && (i == k_lost_mid || i == k_lost_hind);
        const std::string element = lost ? (i == k_lost_mid ? "cricket_stump_mid" : "cricket_stump_hind")
                                         : std::string("cricket_") + leg.name;
        g.push_back({leg.name, element, leg.hip.x, leg.hip.y, 1, 255});
    }
    if (asleep) {
        g.push_back({"eye_sleep", "cricket_eye_sleep", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"mouth_sad", "cricket_mouth_sad", k_mouth.x, k_mouth.y, 1, 255});
        add_levels(g, "sigh", "cricket_sigh", k_sigh, k_sigh_levels, 0.7f, 1.1f, 60, 235, true);
    } else {
        g.push_back({"eye", "cricket_eye", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"eye_blink", "cricket_eye_blink", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"eye_happy", "cricket_eye_happy", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"mouth", "cricket_mouth", k_mouth.x, k_mouth.y, 1, 255});
        add_levels(g, "chirp", "cricket_chirp", k_chirp, k_chirp_levels, 0.8f, 1.1f, 70, 255, true);
    }
    return g;
}

// Far legs, far antenna and far wing behind the body; the head tucks under the rim of
// the pronotum; the near legs are drawn over everything but the sigh or the song.
std::vector<c_node_def> cricket_nodes(bool asleep) {
    std::vector<c_node_def> nodes = {
        {"shadow", "", "shadow", 0, 0, -10, false},
        {"thorax", "shadow", "thorax", k_thorax.x, k_thorax.y, 0, false},
        {"abdomen", "thorax", "abdomen", k_waist.x, k_waist.y, -3, false},
        {"wing_far", "abdomen", "wing_far", k_wing_root.x, k_wing_root.y, -4, false},
        {"wing", "abdomen", "wing", k_wing_root.x, k_wing_root.y, -2, false},
        {"head", "thorax", "head", k_neck.x, k_neck.y, -1, false},
        {"eye", "head", asleep ? "eye_sleep" : "eye", k_eye.x, k_eye.y, 1, !asleep},
        {"mouth", "head", asleep ? "mouth_sad" : "mouth", k_mouth.x, k_mouth.y, 1, false},
        {"antenna_far", "head", "antenna_far", k_antenna_far.x, k_antenna_far.y, -5, false},
        {"antenna", "head", "antenna", k_antenna.x, k_antenna.y, 2, false},
    };
    for (const c_leg_def& leg : k_leg_defs) nodes.push_back({leg.name, "thorax", leg.name, leg.hip.x, leg.hip.y, leg.z, false});
    if (asleep) {
        nodes.push_back({"sigh", "shadow", "sigh_0", k_sigh.x, k_sigh.y, 5, true});
    } else {
        nodes.push_back({"chirp", "shadow", "chirp_0", k_chirp.x, k_chirp.y, 5, true});
    }
    return nodes;
}

c_cricket_parts find_parts(const c_rig& rig, bool asleep) {
    c_cricket_parts p{rig.node("thorax"),  rig.node("abdomen"),     rig.node("wing"),
                      rig.node("wing_far"), rig.node("head"),       rig.node("eye"),
                      rig.node("mouth"),    rig.node("antenna"),    rig.node("antenna_far"),
                      rig.node(asleep ? "sigh" : "chirp"), {}, {}};
    for (int i = 0; i < k_legs; ++i) {
        p.legs[i] = rig.node(k_leg_defs[i].name);
        p.plant[i] = plant_angle(k_leg_defs[i].hip, k_leg_defs[i].foot, k_sleep_drop);
    }
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// A flick that rings out: 0 before start, then a decaying shiver of the given size.
float flick(float u, float start, float size) {
    if (u < start) return 0;
    const float t = u - start;
    return size * std::exp(-t * 28) * std::sin(t * 95);
}

// Asleep: two slow breaths a loop (the abdomen and wings rise, the head nods along), the
// near antenna drooping over the back and twitching twice, the far one resting higher, and
// on the first exhale a small "z" drifts up from the head and fades.
void sleep_idle(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    at(pose, p.thorax).dy = -k_sleep_drop + 2.5f * breath;
    for (int i = 0; i < k_legs; ++i) at(pose, p.legs[i]).angle = p.plant[i];
    at(pose, p.abdomen).angle = 0.018f * breath;
    at(pose, p.wing).angle = 0.006f * wave(u, 2, 0.05f);
    at(pose, p.wing_far).angle = at(pose, p.wing).angle;
    at(pose, p.head).angle = 0.05f + 0.02f * wave(u, 2, 0.08f);
    at(pose, p.antenna).angle = -0.55f + 0.03f * breath + flick(u, 0.28f, 0.06f) + flick(u, 0.66f, 0.12f);
    at(pose, p.antenna_far).angle = -0.12f + 0.02f * wave(u, 2, 0.1f) + flick(u, 0.7f, 0.04f);
    const float sigh = smoothstep(0.1f, 0.5f, u);
    at(pose, p.extra).dy = 150 * sigh;
    at(pose, p.extra).dx = -30 * sigh;
    at(pose, p.extra).angle = 0.15f * std::sin(sigh * k_two_pi);
    pose.graphics[size_t(p.extra)] = level_graphic("sigh", envelope(u, 0.1f, 0.2f, 0.32f, 0.48f), k_sigh_levels);
}

// Awake and standing: three easy breaths, both antennae sweeping (the far one a little
// behind), a small turn of the head and one blink.
void awake_idle(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 3, 0);
    at(pose, p.thorax).dy = 1.5f * breath;
    at(pose, p.abdomen).angle = 0.008f * breath;
    at(pose, p.head).angle = 0.035f * wave(u, 1, 0.2f);
    at(pose, p.antenna).angle = 0.16f * wave(u, 2, 0) + 0.04f * wave(u, 5, 0.3f);
    at(pose, p.antenna_far).angle = 0.13f * wave(u, 2, 0.15f) + 0.03f * wave(u, 5, 0.1f);
    const bool blink = u > 0.7f && u < 0.735f;
    pose.graphics[size_t(p.eye)] = blink ? "eye_blink" : "eye";
    pose.graphics[size_t(p.extra)] = "chirp_0";
}

// How loud the song is at u: three chirps, each a soft-edged burst.
float chirping(float u) {
    constexpr float k_starts[3] = {0.16f, 0.39f, 0.62f};
    float level = 0;
    for (float s : k_starts) level += envelope(u, s, s + 0.03f, s + 0.14f, s + 0.18f);
    return level;
}

// Singing: from idle's first pose the forewings lift (the rear up, hinged behind the
// pronotum) and the head perks up; in each chirp the two wings scissor quickly against
// each other, the antennae shiver, the body bobs, the eye squeezes happily shut and rings
// of song spread from the wings; then all settles back to idle's first pose.
void twitch(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    awake_idle(p, 0, pose);
    const float lift = ease_in_out(envelope(u, 0.0f, 0.13f, 0.82f, 0.97f));
    const float song = chirping(u);
    const float rub = std::sin(u * 24 * k_two_pi);
    at(pose, p.wing).angle = 0.42f * lift + 0.06f * song * rub;
    at(pose, p.wing_far).angle = 0.36f * lift - 0.06f * song * rub;
    at(pose, p.abdomen).angle += -0.02f * lift;
    at(pose, p.thorax).angle = -0.03f * lift;
    at(pose, p.thorax).dy += 5 * lift + 4 * song * std::sin(u * 12 * k_two_pi);
    at(pose, p.head).angle += -0.06f * lift + 0.02f * song * std::sin(u * 12 * k_two_pi + 1);
    at(pose, p.antenna).angle += 0.12f * lift + 0.07f * song * std::sin(u * 24 * k_two_pi + 1.2f);
    at(pose, p.antenna_far).angle += 0.1f * lift + 0.06f * song * std::sin(u * 24 * k_two_pi + 2);
    // The legs turn back against the thorax's tilt so the feet stay on the stone.
    for (int i = 0; i < k_legs; ++i) at(pose, p.legs[i]).angle = 0.03f * lift;
    pose.graphics[size_t(p.eye)] = song > 0.35f ? "eye_happy" : "eye";
    pose.graphics[size_t(p.extra)] = level_graphic("chirp", song, k_chirp_levels);
}

bool build_cricket(bool asleep, const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(cricket_graphics(asleep), cricket_nodes(asleep), geometry, anim, error)) return false;
    const c_cricket_parts parts = find_parts(rig, asleep);
    if (asleep) {
        rig.add_pose(anim, "default", [&](float u, c_rig_pose& pose) { sleep_idle(parts, u, pose); }, 0);
        return rig.add_graph(anim, {"idle", 48, true, [&](float u, c_rig_pose& pose) { sleep_idle(parts, u, pose); }},
                             error);
    }
    rig.add_pose(anim, "default", [&](float u, c_rig_pose& pose) { awake_idle(parts, u, pose); }, 0);
    const c_graph_def graphs[] = {
        {"idle", 48, true, [&](float u, c_rig_pose& pose) { awake_idle(parts, u, pose); }},
        {"twitch", 192, true, [&](float u, c_rig_pose& pose) { twitch(parts, u, pose); }},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace

bool build_cricket_asleep(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_cricket(true, geometry, anim, error);
}

bool build_cricket_awake(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_cricket(false, geometry, anim, error);
}

}  // namespace tw_tools
