// The hovering fly of the title screen: its part and node tables and its one motion
// (fly), sampled into anims/1hover.xml by the rig. It faces left; its wings swap to a
// smeared shape mid-stroke so the beat reads as fast motion even at a few frames per beat.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// The wing joint, where both wings and their smears hinge on the thorax.
constexpr float k_hinge_x = 15;
constexpr float k_hinge_y = -62;

constexpr int k_beats_per_loop = 4;
constexpr float k_wing_sweep = 0.6f;    // radians either side of the wing's rest
constexpr float k_far_wing_lag = 0.03f;  // of a beat
// Beyond this fraction of the wing's top speed it is drawn as a smear.
constexpr float k_smear_speed = 0.55f;

constexpr float k_bob = 12;           // scene units up and down once per loop
constexpr float k_beat_flick = 2.5f;  // the small lift each downstroke gives
constexpr float k_tilt = 0.08f;       // nose down while hovering, radians
constexpr float k_tilt_sway = 0.04f;

const std::vector<c_graphic_def>& fly_graphics() {
    static const std::vector<c_graphic_def> graphics = {
        {"wing_far", "fly_wing_far", k_hinge_x, k_hinge_y, 1, 255},
        {"wing_far_blur", "fly_wing_far_blur", k_hinge_x, k_hinge_y, 1, 255},
        {"legs_far", "fly_legs_far", 15, 66, 1, 255},
        {"abdomen", "fly_abdomen", 70, 10, 1, 255},
        {"thorax", "fly_thorax", 0, 0, 1, 255},
        {"head", "fly_head", -70, 5, 1, 255},
        {"eye_far", "fly_eye_far", -86, -58, 1, 255},
        {"eye", "fly_eye", -138, -8, 1, 255},
        {"antenna", "fly_antenna", -190, 22, 1, 255},
        {"leg_front", "fly_leg_front", -50, 60, 1, 255},
        {"leg_mid", "fly_leg_mid", -4, 76, 1, 255},
        {"leg_back", "fly_leg_back", 42, 68, 1, 255},
        {"wing_near", "fly_wing_near", k_hinge_x, k_hinge_y, 1, 255},
        {"wing_near_blur", "fly_wing_near_blur", k_hinge_x, k_hinge_y, 1, 255},
    };
    return graphics;
}

const std::vector<c_node_def>& fly_nodes() {
    static const std::vector<c_node_def> nodes = {
        {"thorax", "", "thorax", 0, 0, 0, false},
        {"wing_far", "thorax", "wing_far", k_hinge_x, k_hinge_y, -6, true},
        {"legs_far", "thorax", "legs_far", 15, 66, -4, false},
        {"abdomen", "thorax", "abdomen", 70, 10, -1, false},
        {"head", "thorax", "head", -70, 5, 2, false},
        {"eye_far", "head", "eye_far", -86, -58, 1, false},
        {"eye", "head", "eye", -138, -8, 3, false},
        {"antenna", "head", "antenna", -190, 22, 3.5f, false},
        {"leg_front", "thorax", "leg_front", -50, 60, 4, false},
        {"leg_mid", "thorax", "leg_mid", -4, 76, 4, false},
        {"leg_back", "thorax", "leg_back", 42, 68, 4, false},
        {"wing_near", "thorax", "wing_near", k_hinge_x, k_hinge_y, 6, true},
    };
    return nodes;
}

struct c_fly_parts {
    int thorax, wing_far, legs_far, abdomen, head, antenna, leg_front, leg_mid, leg_back, wing_near;
};

c_fly_parts find_parts(const c_rig& rig) {
    return {rig.node("thorax"),    rig.node("wing_far"), rig.node("legs_far"), rig.node("abdomen"),
            rig.node("head"),      rig.node("antenna"),  rig.node("leg_front"), rig.node("leg_mid"),
            rig.node("leg_back"),  rig.node("wing_near")};
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// One wing at its place in the beat: turned by the stroke, smeared while it moves fast.
void beat_wing(c_rig_pose& pose, int node, const std::string& name, float u, float lag) {
    at(pose, node).angle = k_wing_sweep * wave(u, k_beats_per_loop, lag);
    const float speed = std::fabs(wave(u, k_beats_per_loop, lag - 0.25f));
    pose.graphics[size_t(node)] = speed > k_smear_speed ? name + "_blur" : name;
}

// Hovering: wings beat four times a loop, the body bobs once with a flick per beat and
// sways about a nose-down tilt, and the dangling legs and the abdomen trail the bob.
void fly(const c_fly_parts& p, float u, c_rig_pose& pose) {
    beat_wing(pose, p.wing_near, "wing_near", u, 0);
    beat_wing(pose, p.wing_far, "wing_far", u, k_far_wing_lag);
    at(pose, p.thorax).dy = k_bob * wave(u, 1, 0) + k_beat_flick * wave(u, k_beats_per_loop, 0.25f);
    at(pose, p.thorax).angle = k_tilt + k_tilt_sway * wave(u, 1, 0.2f);
    at(pose, p.head).angle = 0.05f * wave(u, 1, 0.45f);
    at(pose, p.abdomen).angle = -0.06f * wave(u, 1, 0.35f);
    at(pose, p.antenna).angle = 0.12f * wave(u, 2, 0.1f);
    at(pose, p.leg_front).angle = 0.14f * wave(u, 1, 0.15f);
    at(pose, p.leg_mid).angle = 0.12f * wave(u, 1, 0.25f);
    at(pose, p.leg_back).angle = 0.12f * wave(u, 1, 0.35f);
    at(pose, p.legs_far).angle = 0.1f * wave(u, 1, 0.4f);
}

}  // namespace

bool build_fly(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(fly_graphics(), fly_nodes(), geometry, anim, error)) return false;
    const c_fly_parts parts = find_parts(rig);
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graph{"fly", 128, true, [&parts](float u, c_rig_pose& pose) { fly(parts, u, pose); }};
    return rig.add_graph(anim, graph, error);
}

}  // namespace tw_tools
