// Chapter three's player character, a young field cricket facing right: its part and node
// tables and its motions (a six-legged walk, the turn's squash, idle breathing with a
// scratch of the hind leg, and a happy chirp), sampled into anims/cricket.xml by the rig.
// The origin is the ground point under the middle of the body, as the larva's is, so the
// feet stand on the path line. Each leg is a femur and a tibia placed by two-bone
// reaching, and a foot that stays level, so planted feet stay flat and put on the ground
// while the body moves.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// Glow and shadow levels, as the larva's. The cricket's "glow" is a soft dark halo
// behind the body that keeps its outline readable on bright daylight backgrounds.
constexpr int k_glow_levels = 8;
constexpr int k_shadow_levels = 6;
// The chirp's sound arcs grow in over these steps; step 0 is a speck of alpha 0.
constexpr int k_chirp_levels = 6;

// Joints in SVG units (y down).
constexpr c_point k_body_joint = {100, -150};  // the middle of the thorax
constexpr c_point k_abdomen_joint = {50, -140};
constexpr c_point k_wing_hinge = {56, -182};
constexpr c_point k_neck = {140, -140};
constexpr c_point k_mouth = {278, -96};
constexpr c_point k_eye = {232, -166};
constexpr c_point k_antenna_base = {248, -228};
constexpr c_point k_antenna_bend = {150, -340};
constexpr c_point k_antenna_far_base = {224, -234};
constexpr c_point k_antenna_far_bend = {118, -324};
constexpr c_point k_glow_pivot = {20, -140};
constexpr c_point k_chirp_pivot = {-210, -290};

// Walk: three steps of each tripod per loop. The game moves the character 12 units a
// tick and the graph 1200 a tick, about 655 units a loop, so a stance half-cycle carries
// the body about 109 units; the feet sweep that far back and stay planted.
constexpr int k_walk_steps = 3;
constexpr float k_walk_stride = 104;
constexpr float k_walk_lift = 26;   // scene units a swinging foot rises
constexpr float k_walk_bob = 3.5f;  // the body dips as each tripod takes its weight

// The six legs: hip, knee and foot (where the tibia meets the ground) in SVG units.
// The far legs are drawn 22 units forward and a little higher, behind the body.
struct c_leg_def {
    const char* name;
    c_point hip;
    c_point knee;
    c_point foot;
    float z;      // depth of the femur; the tibia and the foot sit just behind it
    float phase;  // of a step: the two tripods are half a step apart
    float toe;    // 1 when the foot points forward, -1 when it points back
};

constexpr float k_near_z = 6.5f;
constexpr float k_far_z = -4.5f;

const c_leg_def k_legs[] = {
    {"front", {150, -100}, {194, -60}, {202, -6}, k_near_z, 0.25f, 1},
    {"mid", {78, -98}, {38, -60}, {40, -6}, k_near_z, 0.75f, -1},
    {"hind", {20, -110}, {-135, -226}, {-172, -8}, k_near_z, 0.25f, -1},
    {"front_far", {172, -106}, {216, -66}, {224, -6}, k_far_z, 0.75f, 1},
    {"mid_far", {100, -104}, {60, -66}, {62, -6}, k_far_z, 0.25f, -1},
    {"hind_far", {42, -116}, {-113, -232}, {-150, -8}, k_far_z, 0.75f, -1},
};
constexpr int k_leg_count = 6;
constexpr int k_hind_leg = 2;  // the near hind leg, which scratches in idle

const std::vector<c_graphic_def>& cricket_graphics() {
    static const std::vector<c_graphic_def> graphics = [] {
        std::vector<c_graphic_def> g;
        add_levels(g, "shadow", "cricket_shadow", {0, 0}, k_shadow_levels, 0.5f, 1.0f, 110, 255, false);
        add_levels(g, "glow", "cricket_glow", k_glow_pivot, k_glow_levels, 0.96f, 1.0f, 110, 255, false);
        g.push_back({"antenna_far", "cricket_antenna_far", k_antenna_far_base.x, k_antenna_far_base.y, 1, 255});
        g.push_back({"antenna_far_tip", "cricket_antenna_far_tip", k_antenna_far_bend.x, k_antenna_far_bend.y, 1, 255});
        g.push_back({"wing_far", "cricket_wing_far", k_wing_hinge.x, k_wing_hinge.y, 1, 255});
        g.push_back({"abdomen", "cricket_abdomen", k_abdomen_joint.x, k_abdomen_joint.y, 1, 255});
        g.push_back({"wing", "cricket_wing", k_wing_hinge.x, k_wing_hinge.y, 1, 255});
        g.push_back({"thorax", "cricket_thorax", k_body_joint.x, k_body_joint.y, 1, 255});
        g.push_back({"head", "cricket_head", k_neck.x, k_neck.y, 1, 255});
        g.push_back({"mouth", "cricket_mouth", k_mouth.x, k_mouth.y, 1, 255});
        g.push_back({"eye", "cricket_eye", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"eye_blink", "cricket_eye_blink", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"eye_happy", "cricket_eye_happy", k_eye.x, k_eye.y, 1, 255});
        g.push_back({"antenna", "cricket_antenna", k_antenna_base.x, k_antenna_base.y, 1, 255});
        g.push_back({"antenna_tip", "cricket_antenna_tip", k_antenna_bend.x, k_antenna_bend.y, 1, 255});
        for (const c_leg_def& leg : k_legs) {
            const std::string name = leg.name;
            g.push_back({name + "_femur", "cricket_" + name + "_femur", leg.hip.x, leg.hip.y, 1, 255});
            g.push_back({name + "_tibia", "cricket_" + name + "_tibia", leg.knee.x, leg.knee.y, 1, 255});
            g.push_back({name + "_foot", "cricket_" + name + "_foot", leg.foot.x, leg.foot.y, 1, 255});
        }
        add_levels(g, "chirp", "cricket_chirp", k_chirp_pivot, k_chirp_levels, 0.7f, 1.0f, 90, 255, true);
        return g;
    }();
    return graphics;
}

// Depths: shadow and halo below; the far antenna, far legs and far wing behind the body;
// the abdomen, the near wing over it, the thorax, the head and its face; the near legs
// in front of everything, and the chirp's arcs on top.
const std::vector<c_node_def>& cricket_nodes() {
    static const std::vector<c_node_def> nodes = [] {
        std::vector<c_node_def> n = {
            {"shadow", "", "shadow_5", 0, 0, -10, true},
            {"body", "shadow", "thorax", k_body_joint.x, k_body_joint.y, 2, false},
            {"glow", "body", "glow_7", k_glow_pivot.x, k_glow_pivot.y, -8, true},
            {"abdomen", "body", "abdomen", k_abdomen_joint.x, k_abdomen_joint.y, 0, false},
            {"wing_far", "abdomen", "wing_far", k_wing_hinge.x, k_wing_hinge.y, -3, false},
            {"wing", "abdomen", "wing", k_wing_hinge.x, k_wing_hinge.y, 1, false},
            {"head", "body", "head", k_neck.x, k_neck.y, 3, false},
            {"mouth", "head", "mouth", k_mouth.x, k_mouth.y, 3.5f, false},
            {"eye", "head", "eye", k_eye.x, k_eye.y, 4, true},
            {"antenna_far", "head", "antenna_far", k_antenna_far_base.x, k_antenna_far_base.y, -6, false},
            {"antenna_far_tip", "antenna_far", "antenna_far_tip", k_antenna_far_bend.x, k_antenna_far_bend.y, -6,
             false},
            {"antenna", "head", "antenna", k_antenna_base.x, k_antenna_base.y, 5, false},
            {"antenna_tip", "antenna", "antenna_tip", k_antenna_bend.x, k_antenna_bend.y, 5, false},
        };
        for (const c_leg_def& leg : k_legs) {
            const std::string name = leg.name;
            n.push_back({name + "_femur", "body", name + "_femur", leg.hip.x, leg.hip.y, leg.z, false});
            n.push_back({name + "_tibia", name + "_femur", name + "_tibia", leg.knee.x, leg.knee.y, leg.z - 0.3f,
                         false});
            n.push_back({name + "_foot", name + "_tibia", name + "_foot", leg.foot.x, leg.foot.y, leg.z - 0.4f,
                         false});
        }
        n.push_back({"chirp", "shadow", "chirp_0", k_chirp_pivot.x, k_chirp_pivot.y, 8, true});
        return n;
    }();
    return nodes;
}

struct c_cricket_parts {
    int shadow, body, glow, abdomen, wing_far, wing, head, mouth, eye;
    int antenna, antenna_tip, antenna_far, antenna_far_tip, chirp;
    int femur[k_leg_count];
    int tibia[k_leg_count];
    int foot[k_leg_count];
};

c_cricket_parts find_parts(const c_rig& rig) {
    c_cricket_parts p{};
    p.shadow = rig.node("shadow");
    p.body = rig.node("body");
    p.glow = rig.node("glow");
    p.abdomen = rig.node("abdomen");
    p.wing_far = rig.node("wing_far");
    p.wing = rig.node("wing");
    p.head = rig.node("head");
    p.mouth = rig.node("mouth");
    p.eye = rig.node("eye");
    p.antenna = rig.node("antenna");
    p.antenna_tip = rig.node("antenna_tip");
    p.antenna_far = rig.node("antenna_far");
    p.antenna_far_tip = rig.node("antenna_far_tip");
    p.chirp = rig.node("chirp");
    for (int i = 0; i < k_leg_count; ++i) {
        p.femur[i] = rig.node(std::string(k_legs[i].name) + "_femur");
        p.tibia[i] = rig.node(std::string(k_legs[i].name) + "_tibia");
        p.foot[i] = rig.node(std::string(k_legs[i].name) + "_foot");
    }
    return p;
}

c_node_offset& at(c_rig_pose& pose, int node) { return pose.offsets[size_t(node)]; }

// SVG units (y down) to scene units (y up).
c_point scene(c_point svg) { return {svg.x, -svg.y}; }

float heading(c_point from, c_point to) { return std::atan2(to.y - from.y, to.x - from.x); }

float distance(c_point a, c_point b) { return std::hypot(b.x - a.x, b.y - a.y); }

// An angle brought into (-pi, pi].
float wrapped(float angle) {
    while (angle > k_two_pi / 2) angle -= k_two_pi;
    while (angle <= -k_two_pi / 2) angle += k_two_pi;
    return angle;
}

// Where a rest point of the body (scene units) is once the body node has moved.
c_point on_body(const c_rig_pose& pose, const c_cricket_parts& p, c_point rest) {
    const c_node_offset& o = pose.offsets[size_t(p.body)];
    const c_point joint = scene(k_body_joint);
    const c_point turned = rotate_about(rest, joint, o.angle);
    return {turned.x + o.dx, turned.y + o.dy};
}

// Bends leg i so its foot reaches target (scene units, the origin on the ground under
// the body), with the knee on the same side as at rest, and turns the foot to lie level
// but for tilt (radians, toe down when positive). Beyond reach the leg points at the
// target as far as it goes.
void reach(const c_cricket_parts& p, c_rig_pose& pose, int i, c_point target, float tilt = 0) {
    const c_leg_def& leg = k_legs[i];
    const c_point hip = scene(leg.hip);
    const c_point knee = scene(leg.knee);
    const c_point foot = scene(leg.foot);
    const float femur = distance(hip, knee);
    const float tibia = distance(knee, foot);
    const c_point hip_now = on_body(pose, p, hip);
    const float d = std::clamp(distance(hip_now, target), std::fabs(femur - tibia) + 1, femur + tibia - 0.01f);
    const float inner = std::acos(std::clamp((femur * femur + d * d - tibia * tibia) / (2 * femur * d), -1.0f, 1.0f));
    // The knee's side of the hip-to-foot line at rest.
    const float side = (foot.x - hip.x) * (knee.y - hip.y) - (foot.y - hip.y) * (knee.x - hip.x) > 0 ? 1.0f : -1.0f;
    const float femur_heading = heading(hip_now, target) + side * inner;
    const c_point knee_now = {hip_now.x + femur * std::cos(femur_heading), hip_now.y + femur * std::sin(femur_heading)};
    const float tibia_heading = heading(knee_now, target);
    const float body_angle = pose.offsets[size_t(p.body)].angle;
    const float femur_turn = wrapped(femur_heading - heading(hip, knee) - body_angle);
    at(pose, p.femur[i]).angle = femur_turn;
    const float tibia_turn = wrapped(tibia_heading - heading(knee, foot) - body_angle - femur_turn);
    at(pose, p.tibia[i]).angle = tibia_turn;
    at(pose, p.foot[i]).angle = wrapped(-leg.toe * tilt - body_angle - femur_turn - tibia_turn);
}

// Every leg reaches for its rest foot moved by (dx, dy) per leg; a lifted foot hangs its
// toe a little.
void plant_feet(const c_cricket_parts& p, c_rig_pose& pose, const c_point shift[k_leg_count]) {
    for (int i = 0; i < k_leg_count; ++i) {
        const c_point foot = scene(k_legs[i].foot);
        reach(p, pose, i, {foot.x + shift[i].x, foot.y + shift[i].y}, 0.012f * shift[i].y);
    }
}

void plant_feet(const c_cricket_parts& p, c_rig_pose& pose) {
    const c_point none[k_leg_count] = {};
    plant_feet(p, pose, none);
}

void set_glow(const c_cricket_parts& p, c_rig_pose& pose, float level) {
    pose.graphics[size_t(p.glow)] = level_graphic("glow", level, k_glow_levels);
}

// Where a foot is in its step at phase s (0..1) from the rest foot: planted and sweeping
// back through the first half, lifted and swung forward in an arc through the second.
c_point step_foot(float s) {
    if (s < 0.5f) return {k_walk_stride * (0.5f - 2 * s), 0};
    const float swing = (s - 0.5f) * 2;
    const float ease = swing * swing * (3 - 2 * swing);
    return {k_walk_stride * (ease - 0.5f), k_walk_lift * std::sin(k_two_pi * 0.5f * swing)};
}

// Walking: the two tripods (near front, far middle, near hind / the others) step in turn,
// three steps a loop; the body dips as each takes the weight and the head, abdomen and
// antennae bob with it.
void walk(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    const int beats = 2 * k_walk_steps;
    at(pose, p.body).dy = -k_walk_bob * (0.5f + 0.5f * wave(u, beats, -0.25f));
    at(pose, p.body).angle = 0.012f * wave(u, k_walk_steps, 0.1f);
    at(pose, p.head).angle = 0.035f * wave(u, beats, 0.1f);
    at(pose, p.abdomen).angle = 0.025f * wave(u, k_walk_steps, 0.3f);
    at(pose, p.antenna).angle = 0.07f * wave(u, k_walk_steps, 0.1f);
    at(pose, p.antenna_tip).angle = 0.1f * wave(u, k_walk_steps, 0.25f);
    at(pose, p.antenna_far).angle = 0.07f * wave(u, k_walk_steps, 0.35f);
    at(pose, p.antenna_far_tip).angle = 0.1f * wave(u, k_walk_steps, 0.5f);
    at(pose, p.mouth).angle = 0.05f * wave(u, beats, 0);
    c_point shift[k_leg_count];
    for (int i = 0; i < k_leg_count; ++i) {
        float s = float(k_walk_steps) * u + k_legs[i].phase;
        s -= std::floor(s);
        shift[i] = step_foot(s);
    }
    plant_feet(p, pose, shift);
    set_glow(p, pose, 1);
}

// Played to its end at the middle of a turn and back, so the facing flips while the
// cricket is crouched and gathered up with its eyes shut: head and tail pulled in, the
// antennae swept back over the body, the feet planted.
void turn(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    const float a = ease_in_out(smoothstep(0, 0.8f, u));
    at(pose, p.body).dy = -30 * a;
    at(pose, p.head).dx = -22 * a;
    at(pose, p.head).angle = -0.14f * a;
    at(pose, p.abdomen).dx = 22 * a;
    at(pose, p.abdomen).angle = 0.1f * a;
    at(pose, p.wing).angle = 0.03f * a;
    at(pose, p.antenna).angle = 0.36f * a;
    at(pose, p.antenna_tip).angle = 0.18f * a;
    at(pose, p.antenna_far).angle = 0.32f * a;
    at(pose, p.antenna_far_tip).angle = 0.18f * a;
    c_point shift[k_leg_count];
    for (int i = 0; i < k_leg_count; ++i) shift[i] = {-0.14f * a * k_legs[i].foot.x, 0};
    plant_feet(p, pose, shift);
    if (a > 0.75f) pose.graphics[size_t(p.eye)] = "eye_blink";
    set_glow(p, pose, 1 - 0.15f * a);
}

// The scratch in idle: the near hind leg lifts its foot up behind it and
// rubs it quickly along the rear of the abdomen, eyes shut in contentment.
constexpr float k_scratch_from = 0.55f;
constexpr float k_scratch_to = 0.86f;
constexpr c_point k_scratch_spot = {-200, 104};  // scene units, at the rear of the abdomen

// Two slow breaths per loop, antennae sweeping to and fro, a blink, and a scratch.
void idle(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    at(pose, p.body).dy = 1.5f * breath;
    at(pose, p.abdomen).angle = -0.018f * breath;
    at(pose, p.abdomen).dy = 1.0f * breath;
    at(pose, p.head).angle = 0.035f * wave(u, 1, 0);
    at(pose, p.mouth).angle = 0.06f * wave(u, 4, 0);
    at(pose, p.antenna).angle = 0.16f * wave(u, 1, 0);
    at(pose, p.antenna_tip).angle = 0.14f * wave(u, 1, 0.08f);
    at(pose, p.antenna_far).angle = 0.12f * wave(u, 2, 0);
    at(pose, p.antenna_far_tip).angle = 0.1f * wave(u, 2, 0);
    const float lift = envelope(u, k_scratch_from, k_scratch_from + 0.06f, k_scratch_to - 0.06f, k_scratch_to);
    const float rub = envelope(u, k_scratch_from + 0.05f, k_scratch_from + 0.07f, k_scratch_to - 0.07f,
                               k_scratch_to - 0.05f) *
                      wave(u, 26, 0);
    // The body leans a touch away from the lifted leg, towards the head.
    at(pose, p.body).angle = 0.025f * lift;
    plant_feet(p, pose);
    const c_point foot = scene(k_legs[k_hind_leg].foot);
    const c_point target = {mix(foot.x, k_scratch_spot.x, lift) + 16 * rub,
                            mix(foot.y, k_scratch_spot.y, lift) + 6 * rub};
    reach(p, pose, k_hind_leg, target);
    // Off the ground the foot goes along with the tibia.
    at(pose, p.foot[k_hind_leg]).angle *= 1 - lift;
    if (u > 0.3f && u < 0.335f) pose.graphics[size_t(p.eye)] = "eye_blink";
    if (u > k_scratch_from + 0.07f && u < k_scratch_to - 0.06f) pose.graphics[size_t(p.eye)] = "eye_blink";
    set_glow(p, pose, 0.9f + 0.1f * breath);
}

// A happy chirp when poked: the cricket perks up, lifts its wings and rubs them in three
// quick bursts while sound arcs ring out, then folds them and glides into idle's first pose.
void action(const c_cricket_parts& p, float u, c_rig_pose& pose) {
    const float lift = envelope(u, 0.04f, 0.2f, 0.72f, 0.86f);
    const float bursts[3] = {envelope(u, 0.21f, 0.23f, 0.33f, 0.36f), envelope(u, 0.39f, 0.41f, 0.51f, 0.54f),
                             envelope(u, 0.57f, 0.59f, 0.69f, 0.72f)};
    const float burst = bursts[0] + bursts[1] + bursts[2];
    const float rub = wave(u, 32, 0) * burst;
    at(pose, p.wing).angle = -0.5f * lift + 0.08f * rub;
    at(pose, p.wing_far).angle = -0.44f * lift - 0.08f * rub;
    // Perked up: the body rises a little at the front and bounces with each burst.
    at(pose, p.body).angle = 0.05f * lift;
    at(pose, p.body).dy = 6 * lift + 4 * burst * std::fabs(wave(u, 10, 0));
    at(pose, p.head).angle = 0.06f * lift + 0.03f * burst * wave(u, 10, 0);
    at(pose, p.abdomen).angle = -0.04f * lift;
    at(pose, p.antenna).angle = -0.2f * lift + 0.1f * burst * wave(u, 10, 0.1f);
    at(pose, p.antenna_tip).angle = -0.18f * lift + 0.14f * burst * wave(u, 10, 0.2f);
    at(pose, p.antenna_far).angle = -0.16f * lift + 0.1f * burst * wave(u, 10, 0.3f);
    at(pose, p.antenna_far_tip).angle = -0.16f * lift + 0.14f * burst * wave(u, 10, 0.4f);
    at(pose, p.mouth).angle = 0.08f * lift;
    // A little happy tap of the near front foot with each burst.
    c_point shift[k_leg_count] = {};
    shift[0] = {6 * burst, 14 * burst * std::fabs(wave(u, 10, 0))};
    plant_feet(p, pose, shift);
    if (u > 0.12f && u < 0.8f) pose.graphics[size_t(p.eye)] = "eye_happy";
    // Each burst's arcs grow in and fade; between bursts they are gone.
    pose.graphics[size_t(p.chirp)] = level_graphic("chirp", burst, k_chirp_levels);
    set_glow(p, pose, 1);
    // The last stretch glides into idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    idle(p, 0, rest);
    blend_offsets(pose, rest, smoothstep(0.84f, 1.0f, u));
    if (u >= 1) pose = rest;
}

}  // namespace

bool build_c3cricket(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    c_rig rig;
    if (!rig.build(cricket_graphics(), cricket_nodes(), geometry, anim, error)) return false;
    const c_cricket_parts parts = find_parts(rig);
    const auto with = [&parts](void (*motion)(const c_cricket_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", nullptr, 0);
    const c_graph_def graphs[] = {
        {"walk", 72, true, with(walk)},
        {"turn", 20, false, with(turn)},
        {"idle", 128, true, with(idle)},
        {"action", 128, false, with(action)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
