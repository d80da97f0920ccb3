// Chapter three's bumblebee on her daisy, facing left, origin at the bottom middle of the
// daisy head. Asleep (anims/3bee.xml) she has lost two near legs and the near antenna,
// which show as pale stubs; she breathes slowly with her head hung, wings folded and
// her one antenna drooping. Awake and whole (anims/3beea.xml) her wings are a soft
// buzzing blur; "twitch" is her happy excited bounce at the chapter's end.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// Joints in SVG units (y down); each graphic hinges where its node does.
constexpr c_point k_seat = {-40, -250};        // under the thorax, where she rests on the disc
constexpr c_point k_waist = {40, -320};        // abdomen on thorax
constexpr c_point k_neck = {-160, -330};
constexpr c_point k_wing_near = {-42, -475};
constexpr c_point k_wing_far = {-42, -473};
constexpr c_point k_legs_far = {-40, -270};
constexpr c_point k_antenna_near = {-262, -402};
constexpr c_point k_antenna_far = {-222, -408};
constexpr c_point k_eye = {-262, -322};
constexpr c_point k_leg_front = {-140, -262};
constexpr c_point k_leg_mid = {-70, -248};
constexpr c_point k_leg_hind = {10, -252};
constexpr c_point k_snore = {-322, -478};  // the middle of the sleeper's z, above her face
constexpr int k_snore_levels = 6;

// Asleep, the wings lie folded back along the abdomen and the head hangs.
constexpr float k_wing_fold = -0.32f;
constexpr float k_sleep_head = 0.12f;

struct c_bee_parts {
    int daisy, thorax, abdomen, head, eye, wing_near, wing_far, legs_far;
    int antenna_near, antenna_far, leg_front, leg_mid, leg_hind;
    int snore;  // -1 when awake
};

// Which bee: her element prefix, and asleep (stubs, folded wings) or awake and whole.
struct c_bee_kind {
    const char* prefix;
    bool asleep;
};

std::vector<c_graphic_def> bee_graphics(const c_bee_kind& kind) {
    const std::string p = std::string(kind.prefix) + "_";
    std::vector<c_graphic_def> g = {
        {"daisy", p + "daisy", 0, 0, 1, 255},
        {"thorax", p + "thorax", k_seat.x, k_seat.y, 1, 255},
        {"abdomen", p + "abdomen", k_waist.x, k_waist.y, 1, 255},
        {"head", p + "head", k_neck.x, k_neck.y, 1, 255},
        {"eye", p + "eye", k_eye.x, k_eye.y, 1, 255},
        {"wing_near", p + "wing_near", k_wing_near.x, k_wing_near.y, 1, 255},
        {"wing_far", p + "wing_far", k_wing_far.x, k_wing_far.y, 1, 255},
        {"legs_far", p + "legs_far", k_legs_far.x, k_legs_far.y, 1, 255},
        {"antenna_far", p + "antenna_far", k_antenna_far.x, k_antenna_far.y, 1, 255},
        {"leg_front", p + "leg_front", k_leg_front.x, k_leg_front.y, 1, 255},
    };
    if (kind.asleep) {
        g.push_back({"antenna_near", p + "stump_antenna", k_antenna_near.x, k_antenna_near.y, 1, 255});
        g.push_back({"leg_mid", p + "stump_mid", k_leg_mid.x, k_leg_mid.y, 1, 255});
        g.push_back({"leg_hind", p + "stump_hind", k_leg_hind.x, k_leg_hind.y, 1, 255});
        add_levels(g, "snore", p + "snore", k_snore, k_snore_levels, 0.6f, 1.1f, 90, 255, true);
    } else {
        g.push_back({"antenna_near", p + "antenna_near", k_antenna_near.x, k_antenna_near.y, 1, 255});
        g.push_back({"leg_mid", p + "leg_mid", k_leg_mid.x, k_leg_mid.y, 1, 255});
        g.push_back({"leg_hind", p + "leg_hind", k_leg_hind.x, k_leg_hind.y, 1, 255});
        g.push_back({"eye_joy", p + "eye_joy", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"wing_near_blur", p + "wing_near_blur", k_wing_near.x, k_wing_near.y, 1, 255});
        g.push_back({"wing_far_blur", p + "wing_far_blur", k_wing_far.x, k_wing_far.y, 1, 255});
    }
    return g;
}

// The far wing and legs are behind the body, the far antenna behind the head; the near
// legs, antenna and wing are in front. Awake, the eye and wings swap.
std::vector<c_node_def> bee_nodes(const c_bee_kind& kind) {
    const bool swaps = !kind.asleep;
    std::vector<c_node_def> nodes = {
        {"daisy", "", "daisy", 0, 0, -10, false},
        {"thorax", "daisy", "thorax", k_seat.x, k_seat.y, 0, false},
        {"wing_far", "thorax", "wing_far", k_wing_far.x, k_wing_far.y, -3, swaps},
        {"legs_far", "thorax", "legs_far", k_legs_far.x, k_legs_far.y, -2, false},
        {"abdomen", "thorax", "abdomen", k_waist.x, k_waist.y, -1, false},
        {"head", "thorax", "head", k_neck.x, k_neck.y, 1, false},
        {"antenna_far", "head", "antenna_far", k_antenna_far.x, k_antenna_far.y, 0.5f, false},
        {"eye", "head", "eye", k_eye.x, k_eye.y, 2, swaps},
        {"antenna_near", "head", "antenna_near", k_antenna_near.x, k_antenna_near.y, 2.5f, false},
        {"leg_front", "thorax", "leg_front", k_leg_front.x, k_leg_front.y, 3, false},
        {"leg_mid", "thorax", "leg_mid", k_leg_mid.x, k_leg_mid.y, 3, false},
        {"leg_hind", "thorax", "leg_hind", k_leg_hind.x, k_leg_hind.y, 3, false},
        {"wing_near", "thorax", "wing_near", k_wing_near.x, k_wing_near.y, 4, swaps},
    };
    if (kind.asleep) nodes.push_back({"snore", "daisy", "snore_0", k_snore.x, k_snore.y, 5, true});
    return nodes;
}

c_bee_parts find_parts(const c_rig& rig) {
    return {rig.node("daisy"),       rig.node("thorax"),      rig.node("abdomen"),   rig.node("head"),
            rig.node("eye"),         rig.node("wing_near"),   rig.node("wing_far"),  rig.node("legs_far"),
            rig.node("antenna_near"), rig.node("antenna_far"), rig.node("leg_front"), rig.node("leg_mid"),
            rig.node("leg_hind"),    rig.node("snore")};
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// Asleep: two slow breaths a loop lift the body and the tail end, the hung head nods
// with them a moment late, and the lone antenna sags and sways like a limp stem. Each
// breath out sends a z drifting up from her face, growing in and shrinking away.
void sleep(const c_bee_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    at(pose, p.thorax).dy = 8 * breath;
    at(pose, p.thorax).angle = 0.012f * breath;
    at(pose, p.abdomen).angle = 0.045f * breath;
    at(pose, p.head).angle = k_sleep_head + 0.03f * wave(u, 2, 0.1f);
    at(pose, p.antenna_far).angle = 0.07f + 0.06f * wave(u, 1, 0.2f) + 0.03f * wave(u, 2, 0.3f);
    at(pose, p.wing_near).angle = k_wing_fold;
    at(pose, p.wing_far).angle = k_wing_fold * 0.8f;
    at(pose, p.leg_front).angle = 0.04f * wave(u, 2, 0.05f);
    const float rise = u * 2 - std::floor(u * 2);
    at(pose, p.snore).dx = -20 * rise + 8 * std::sin(k_two_pi * rise);
    at(pose, p.snore).dy = 90 * rise;
    const float shown = envelope(rise, 0.3f, 0.45f, 0.75f, 0.98f);
    pose.graphics[size_t(p.snore)] = shown > 0.05f ? level_graphic("snore", shown, k_snore_levels) : "snore_0";
}

// Awake on the daisy: the wings hum as a blur that shivers sixteen times a loop, the
// body bobs twice, both antennae wave out of step, a front leg paddles, and she blinks
// once (a happy squint).
void awake(const c_bee_parts& p, float u, c_rig_pose& pose) {
    pose.graphics[size_t(p.wing_near)] = "wing_near_blur";
    pose.graphics[size_t(p.wing_far)] = "wing_far_blur";
    at(pose, p.wing_near).angle = 0.07f * wave(u, 16, 0);
    at(pose, p.wing_far).angle = 0.07f * wave(u, 16, 0.3f);
    at(pose, p.thorax).dy = 7 * wave(u, 2, 0);
    at(pose, p.thorax).angle = 0.02f * wave(u, 1, 0.1f);
    at(pose, p.abdomen).angle = 0.035f * wave(u, 2, 0.15f);
    at(pose, p.head).angle = -0.04f + 0.04f * wave(u, 1, 0.3f);
    at(pose, p.antenna_near).angle = 0.16f * wave(u, 2, 0);
    at(pose, p.antenna_far).angle = 0.14f * wave(u, 2, 0.2f);
    at(pose, p.leg_front).angle = 0.1f * wave(u, 2, 0.4f);
    at(pose, p.leg_mid).angle = 0.04f * wave(u, 2, 0.6f);
    const bool blink = u > 0.62f && u < 0.655f;
    pose.graphics[size_t(p.eye)] = blink ? "eye_joy" : "eye";
}

// Happy and excited: four bounces a loop off the daisy (quick at the landings, floating
// at the tops), wings fast, antennae flung back on each hop, legs kicking, tail wagging,
// eyes squeezed in a grin.
void twitch(const c_bee_parts& p, float u, c_rig_pose& pose) {
    constexpr int k_bounces = 4;
    const float phase = u * float(k_bounces) - std::floor(u * float(k_bounces));
    const float hop = std::sin(3.1415927f * phase);
    pose.graphics[size_t(p.wing_near)] = "wing_near_blur";
    pose.graphics[size_t(p.wing_far)] = "wing_far_blur";
    at(pose, p.wing_near).angle = 0.14f * wave(u, 32, 0);
    at(pose, p.wing_far).angle = 0.14f * wave(u, 32, 0.3f);
    at(pose, p.thorax).dy = 70 * hop;
    at(pose, p.thorax).angle = 0.07f * wave(u, 2, 0.25f);
    at(pose, p.abdomen).angle = 0.1f * wave(u, 4, 0.5f);
    at(pose, p.head).angle = -0.06f + 0.08f * wave(u, 2, 0);
    at(pose, p.antenna_near).angle = -0.3f * hop + 0.08f * wave(u, 8, 0);
    at(pose, p.antenna_far).angle = -0.26f * hop + 0.08f * wave(u, 8, 0.2f);
    at(pose, p.leg_front).angle = 0.3f * hop;
    at(pose, p.leg_mid).angle = 0.22f * hop;
    at(pose, p.leg_hind).angle = -0.18f * hop;
    at(pose, p.legs_far).angle = 0.1f * hop;
    pose.graphics[size_t(p.eye)] = "eye_joy";
}

bool build_bee(const c_bee_kind& kind, const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(bee_graphics(kind), bee_nodes(kind), geometry, anim, error)) return false;
    const c_bee_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_bee_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    if (kind.asleep) {
        rig.add_pose(anim, "default", with(sleep), 0);
        return rig.add_graph(anim, {"idle", 64, true, with(sleep)}, error);
    }
    rig.add_pose(anim, "default", with(awake), 0);
    const c_graph_def graphs[] = {
        {"idle", 128, true, with(awake)},
        {"twitch", 256, true, with(twitch)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace

bool build_bee_asleep(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_bee({"bee", true}, geometry, anim, error);
}

bool build_bee_awake(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    return build_bee({"beea", false}, geometry, anim, error);
}

}  // namespace tw_tools
