// Chapter four's big friendly chafer at the foot of a poppy stem, facing left, origin at
// his feet: a shadow (the root), the round shell about its middle, the head with its eye,
// both fan-tipped feelers and five legs hinged at their hips. His near feeler is lost
// until the bee gives one back; the one animation serves throughout, so the whole feeler
// is its own graphic, "antenna", drawn at alpha 0 for the game to show when it is
// returned, over a stub that is always there. "idle" sits breathing with the far feeler
// waving; "twitch" is his happy wiggle at the chapter's end. Sampled into anims/4bigbug.xml.
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// Joints in SVG units (y down); each graphic hinges where its node does.
constexpr c_point k_body = {60, -230};
constexpr c_point k_neck = {-228, -236};
constexpr c_point k_eye = {-300, -240};
constexpr c_point k_antenna = {-330, -272};
constexpr c_point k_antenna_far = {-306, -290};
constexpr c_point k_leg_front = {-160, -140};
constexpr c_point k_leg_mid = {10, -86};
constexpr c_point k_leg_hind = {200, -100};
constexpr c_point k_far_front = {-130, -150};
constexpr c_point k_far_hind = {230, -110};

struct c_bigbug_parts {
    int body, head, eye, antenna, stub, antenna_far;
    int leg_front, leg_mid, leg_hind, far_front, far_hind;
};

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// Sitting contentedly: two slow deep breaths lifting the shell, the head nodding a little
// with them, the far feeler waving its fan, the near one (or its stub) stirring, the legs
// shifting their grip, and one slow blink.
void idle(const c_bigbug_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0.25f);
    at(pose, p.body).dy = 7 * breath;
    at(pose, p.body).angle = -0.012f * breath;
    at(pose, p.head).angle = 0.03f * wave(u, 2, 0.1f) + 0.02f * wave(u, 1, 0.4f);
    at(pose, p.antenna_far).angle = 0.12f * wave(u, 1, 0) + 0.06f * wave(u, 3, 0.2f);
    at(pose, p.antenna).angle = 0.07f * wave(u, 1, 0.3f) + 0.03f * wave(u, 2, 0.5f);
    at(pose, p.stub).angle = at(pose, p.antenna).angle;
    at(pose, p.leg_front).angle = 0.03f * wave(u, 1, 0.6f);
    at(pose, p.far_front).angle = 0.03f * wave(u, 1, 0.7f);
    at(pose, p.leg_mid).angle = -0.02f * breath;
    at(pose, p.leg_hind).angle = -0.02f * breath;
    at(pose, p.far_hind).angle = -0.02f * breath;
    if (u > 0.7f && u < 0.745f) pose.graphics[size_t(p.eye)] = "eye_closed";
}

// The happy wiggle: the shell bounces four times and rocks side to side, the head bobs,
// both front legs wave high in the air and the back legs drum, the feelers fan about,
// and the eyes are squeezed shut with joy. It starts and ends at idle's first pose, so it
// follows idle and loops without a jump.
void twitch(const c_bigbug_parts& p, float u, c_rig_pose& pose) {
    idle(p, 0, pose);
    const float in = envelope(u, 0.0f, 0.08f, 0.92f, 1.0f);
    const float bounce = hump(u, 4, 0);
    at(pose, p.body).dy += 34 * bounce * in;
    at(pose, p.body).angle += 0.06f * wave(u, 2, 0) * in;
    at(pose, p.body).dx += 10 * wave(u, 2, 0.25f) * in;
    at(pose, p.head).angle += (0.1f * wave(u, 4, 0.15f) - 0.06f) * in;
    at(pose, p.antenna_far).angle += (0.3f * wave(u, 4, 0.3f) - 0.1f) * in;
    at(pose, p.antenna).angle += (0.3f * wave(u, 4, 0.45f) - 0.1f) * in;
    at(pose, p.stub).angle = at(pose, p.antenna).angle;
    // Front legs flung up and waving (up is clockwise for legs reaching forward-left).
    at(pose, p.leg_front).angle += (-0.75f + 0.3f * wave(u, 4, 0)) * in;
    at(pose, p.far_front).angle += (-0.65f + 0.3f * wave(u, 4, 0.5f)) * in;
    at(pose, p.leg_mid).angle += 0.35f * hump(u, 8, 0) * in;
    at(pose, p.leg_hind).angle += 0.3f * hump(u, 8, 0.5f) * in;
    at(pose, p.far_hind).angle += 0.3f * hump(u, 8, 0) * in;
    pose.graphics[size_t(p.eye)] = (u > 0.06f && u < 0.94f) ? "eye_closed" : "eye";
}

}  // namespace

bool build_4bigbug(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    const std::vector<c_graphic_def> graphics = {
        {"shadow", "bigbug_shadow", 0, 0, 1, 255},
        {"body", "bigbug_body", k_body.x, k_body.y, 1, 255},
        {"head", "bigbug_head", k_neck.x, k_neck.y, 1, 255},
        {"eye", "bigbug_eye", k_eye.x, k_eye.y, 1, 255},
        {"eye_closed", "bigbug_eye_closed", k_eye.x, k_eye.y, 1, 255},
        // The returned feeler, hidden until the game shows it.
        {"antenna", "bigbug_antenna", k_antenna.x, k_antenna.y, 1, 0},
        {"stub", "bigbug_stub", k_antenna.x, k_antenna.y, 1, 255},
        {"antenna_far", "bigbug_antenna_far", k_antenna_far.x, k_antenna_far.y, 1, 255},
        {"leg_front", "bigbug_leg_front", k_leg_front.x, k_leg_front.y, 1, 255},
        {"leg_mid", "bigbug_leg_mid", k_leg_mid.x, k_leg_mid.y, 1, 255},
        {"leg_hind", "bigbug_leg_hind", k_leg_hind.x, k_leg_hind.y, 1, 255},
        {"far_front", "bigbug_far_front", k_far_front.x, k_far_front.y, 1, 255},
        {"far_hind", "bigbug_far_hind", k_far_hind.x, k_far_hind.y, 1, 255},
    };
    // Far legs and feeler behind the body, near legs in front (the front one under his
    // chin, so waved high it passes behind the face); the whole feeler over its
    // stub so that, shown, it covers the break.
    const std::vector<c_node_def> nodes = {
        {"ground", "", "shadow", 0, 0, -10, false},
        {"body", "ground", "body", k_body.x, k_body.y, 0, false},
        {"head", "body", "head", k_neck.x, k_neck.y, 1, false},
        {"eye", "head", "eye", k_eye.x, k_eye.y, 2, true},
        {"stub", "head", "stub", k_antenna.x, k_antenna.y, 2.5f, false},
        {"antenna", "head", "antenna", k_antenna.x, k_antenna.y, 2.6f, false},
        {"antenna_far", "head", "antenna_far", k_antenna_far.x, k_antenna_far.y, -4, false},
        {"far_front", "body", "far_front", k_far_front.x, k_far_front.y, -5, false},
        {"far_hind", "body", "far_hind", k_far_hind.x, k_far_hind.y, -5, false},
        {"leg_front", "body", "leg_front", k_leg_front.x, k_leg_front.y, 0.5f, false},
        {"leg_mid", "body", "leg_mid", k_leg_mid.x, k_leg_mid.y, 4, false},
        {"leg_hind", "body", "leg_hind", k_leg_hind.x, k_leg_hind.y, 4, false},
    };
    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    const c_bigbug_parts parts{rig.node("body"),      rig.node("head"),      rig.node("eye"),
                               rig.node("antenna"),   rig.node("stub"),      rig.node("antenna_far"),
                               rig.node("leg_front"), rig.node("leg_mid"),   rig.node("leg_hind"),
                               rig.node("far_front"), rig.node("far_hind")};
    const auto with = [&parts](void (*motion)(const c_bigbug_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 48, true, with(idle)},
        {"twitch", 64, true, with(twitch)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
