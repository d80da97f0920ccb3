// Chapter four's sleepy maggot across the poppy-field path: a plump cream grub facing
// left, origin at the middle of its underside. Its head and eight segments are placed
// along one body line, so the same sums lay it out straight, ripple it and roll it up.
// "idle" breathes with a ripple running from tail to head; "curl" munches the leaves it
// is given, then arches, rolls over to the right and ends curled in a ball off the path,
// where a painting of the whole curl fades in over the segments (laid round in a ring
// they would look like a flower's petals); "curl_idle" rocks the ball with its breath
// while a "z" or two float up. Sampled into anims/4maggotb.xml.
#include <algorithm>
#include <cmath>

#include "anim/anim_math.h"
#include "anim/creatures.h"

namespace tw_tools {

namespace {

// The body from the head to the tail: element, centre (scene units, y up, which the SVG
// has with y down) and the half sizes of its ellipse, along the body and across it.
struct c_body_part {
    const char* name;
    float x, y;
    float half_length, half_height;
};

constexpr int k_body_count = 9;
const c_body_part k_body[k_body_count] = {
    {"head", -335, 88, 86, 86},  {"seg1", -250, 98, 70, 98},  {"seg2", -160, 114, 70, 114},
    {"seg3", -66, 123, 70, 123}, {"seg4", 28, 125, 70, 125},  {"seg5", 120, 120, 68, 120},
    {"seg6", 208, 108, 64, 108}, {"seg7", 288, 90, 58, 90},   {"seg8", 356, 68, 52, 68},
};

// The body line runs level at this height; each part's centre sits off it by its own
// height less this, along the line's normal, so thinner parts keep their bellies down.
constexpr float k_line_height = 125;

// The curl: how tightly the line bends (per unit along it, clockwise), how far the ball
// rolls over clockwise, and where the line's middle ends up. The ball then spans about
// x = 4 to 447, clear of the path to the left of the origin. The painted ball in the
// SVG is drawn from this same layout.
constexpr float k_curl_bend = -0.0068f;
constexpr float k_curl_roll = -1.4f;
constexpr float k_curl_shift = 320;
// Turned back so the sleeping face looks out rather than into the tail.
constexpr float k_curl_head_turn = -0.85f;

// The painted ball rests on the ground here (SVG units) and rocks about it.
constexpr c_point k_ball_contact = {217, 0};
constexpr int k_ball_levels = 7;

// The curl's timeline: the leaves go in three bites, the head lifts content, then the
// roll.
constexpr float k_eat_from = 0.06f;
constexpr float k_eat_to = 0.40f;
constexpr float k_roll_from = 0.48f;

constexpr int k_z_levels = 10;
constexpr int k_z_count = 2;

struct c_maggot_parts {
    int body[k_body_count];
    int shadow, ball, eyes, mouth, leaves;
    int z[k_z_count];
};

// A laid-out body: each part's centre and angle, and the middle of its curl.
struct c_body_layout {
    c_point centre[k_body_count];
    float angle[k_body_count];
    c_point hub;
};

// Lays the body line along an arc of the given bend, rolled by roll about its middle,
// the middle shifted by shift; then lifts it so its lowest part rests on the ground.
c_body_layout lay_out(float bend, float roll, float shift) {
    c_body_layout out{};
    const float c = std::cos(roll);
    const float s = std::sin(roll);
    float lowest = 1e9f;
    for (int i = 0; i < k_body_count; ++i) {
        const c_body_part& part = k_body[i];
        const float along = part.x;
        float ax = along;
        float ay = bend * along * along / 2;
        if (std::fabs(bend) > 1e-6f) {
            ax = std::sin(bend * along) / bend;
            ay = (1 - std::cos(bend * along)) / bend;
        }
        const float phi = roll + bend * along;
        const float off = part.y - k_line_height;
        const c_point on_line = {shift + ax * c - ay * s, k_line_height + ax * s + ay * c};
        out.centre[i] = {on_line.x - std::sin(phi) * off, on_line.y + std::cos(phi) * off};
        out.angle[i] = phi;
        // How far the turned ellipse reaches below its centre.
        const float a = part.half_length * std::sin(phi);
        const float b = part.half_height * std::cos(phi);
        lowest = std::min(lowest, out.centre[i].y - std::sqrt(a * a + b * b));
    }
    for (int i = 0; i < k_body_count; ++i) out.centre[i].y -= lowest;
    const float radius = std::fabs(bend) > 1e-6f ? 1 / bend : 0;
    out.hub = {shift - radius * s, k_line_height + radius * c - lowest};
    return out;
}

const c_body_layout& curled() {
    static const c_body_layout layout = lay_out(k_curl_bend, k_curl_roll, k_curl_shift);
    return layout;
}

void place(const c_maggot_parts& p, c_rig_pose& pose, const c_body_layout& layout) {
    for (int i = 0; i < k_body_count; ++i) {
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        o.dx = layout.centre[i].x - k_body[i].x;
        o.dy = layout.centre[i].y - k_body[i].y;
        o.angle = layout.angle[i];
    }
}

// Lying stretched: two slow breaths swell the middle, and a soft ripple runs from the
// tail to the head twice; the head nods with it and the sleepy eyes blink once, slowly.
void idle(const c_maggot_parts& p, float u, c_rig_pose& pose) {
    const float breath = wave(u, 2, 0);
    for (int i = 0; i < k_body_count; ++i) {
        const c_body_part& part = k_body[i];
        const float phase = 0.09f * float(k_body_count - 1 - i);
        const float ripple = hump(u, 2, phase);
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        o.dx = 0.012f * breath * part.x - 5 * ripple;
        o.dy = 3.5f * breath * (part.y / k_line_height) + 7 * ripple * (part.y / k_line_height);
        o.angle = 0.03f * wave(u, 2, phase + 0.25f) * (i == 0 ? 0.5f : 1.0f);
    }
    pose.offsets[size_t(p.body[0])].angle += 0.04f * wave(u, 1, 0.1f);
    pose.graphics[size_t(p.eyes)] = (u > 0.66f && u < 0.74f) ? "eyes_closed" : "eyes";
    pose.graphics[size_t(p.mouth)] = "mouth";
    pose.graphics[size_t(p.leaves)] = "leaves_none";
    pose.graphics[size_t(p.shadow)] = "shadow";
    pose.graphics[size_t(p.ball)] = "ball_0";
    for (int z : p.z) pose.graphics[size_t(z)] = "z_0";
}

// Curled asleep: each breath rocks the ball a little back and forth on the ground, the
// head riding along and nodding, and two z's take turns floating up from the face.
void curl_idle(const c_maggot_parts& p, float u, c_rig_pose& pose) {
    const c_body_layout& layout = curled();
    place(p, pose, layout);
    const float rock = 0.018f * wave(u, 2, 0);
    const c_point contact = {k_ball_contact.x, -k_ball_contact.y};
    c_node_offset& ball = pose.offsets[size_t(p.ball)];
    ball.angle = rock;
    pose.graphics[size_t(p.ball)] = "ball_" + std::to_string(k_ball_levels - 1);
    // The segments under the painting rock with it, so none peeks out past its edge.
    for (int i = 0; i < k_body_count; ++i) {
        const c_point moved = rotate_about(layout.centre[i], contact, rock);
        c_node_offset& o = pose.offsets[size_t(p.body[i])];
        o.dx += moved.x - layout.centre[i].x;
        o.dy += moved.y - layout.centre[i].y;
        o.angle += rock;
    }
    c_node_offset& head = pose.offsets[size_t(p.body[0])];
    head.dy += 3 * wave(u, 2, 0.1f);
    head.angle += k_curl_head_turn + 0.03f * wave(u, 2, 0.1f);
    pose.graphics[size_t(p.eyes)] = "eyes_closed";
    pose.graphics[size_t(p.mouth)] = "mouth";
    pose.graphics[size_t(p.leaves)] = "leaves_none";
    pose.graphics[size_t(p.shadow)] = "shadow_round";
    pose.offsets[size_t(p.shadow)].dx = layout.hub.x;
    for (int k = 0; k < k_z_count; ++k) {
        // Each z rises over its own half of the loop, swaying, so neither is in the air at
        // the loop's seam, where the curl hands over.
        const float f = u * k_z_count - float(k);
        c_node_offset& z = pose.offsets[size_t(p.z[k])];
        z.dx = 60 * f + 16 * std::sin(f * k_two_pi);
        z.dy = 200 * f;
        z.angle = 0.2f * std::sin(f * k_two_pi);
        const int level = f <= 0 || f >= 1 ? 0 : 1 + std::min(k_z_levels - 1, int(f * k_z_levels));
        pose.graphics[size_t(p.z[k])] = "z_" + std::to_string(level);
    }
}

void curl(const c_maggot_parts& p, float u, c_rig_pose& pose) {
    idle(p, 0, pose);
    // Munching: the head dips to the leaves and chews, eyes squeezed happy; the body
    // keeps a slow breath.
    const float dip = envelope(u, 0.0f, k_eat_from, k_eat_to - 0.02f, k_roll_from - 0.02f);
    const float eating = u > k_eat_from && u < k_eat_to ? 1.0f : 0.0f;
    const float chew = wave(u, 16, 0);
    c_node_offset& head = pose.offsets[size_t(p.body[0])];
    head.angle = 0.22f * dip + 0.06f * chew * dip;
    head.dx = -18 * dip;
    head.dy = -10 * dip + 4 * chew * dip;
    pose.offsets[size_t(p.body[1])].angle = 0.08f * dip;
    if (u < 0.03f) {
        pose.graphics[size_t(p.eyes)] = "eyes";
    } else if (u < k_roll_from) {
        pose.graphics[size_t(p.eyes)] = "eyes_happy";
    } else {
        pose.graphics[size_t(p.eyes)] = "eyes_closed";
    }
    pose.graphics[size_t(p.mouth)] = eating > 0 && chew > 0 ? "mouth_chew" : "mouth";
    if (u < 0.17f) {
        pose.graphics[size_t(p.leaves)] = "leaves_a";
    } else if (u < 0.28f) {
        pose.graphics[size_t(p.leaves)] = "leaves_b";
    } else if (u < 0.38f) {
        pose.graphics[size_t(p.leaves)] = "leaves_c";
    }
    // A contented swell after the meal.
    const float full = envelope(u, k_eat_to - 0.04f, 0.44f, 0.44f, k_roll_from + 0.04f);
    for (int i = 1; i < k_body_count; ++i) pose.offsets[size_t(p.body[i])].dy += 6 * full * (k_body[i].y / k_line_height);
    if (u <= k_roll_from) return;

    // The roll: first it arches, the middle rising as the ends tuck down, then it tips
    // over to the right, rolling up tighter until it rests as a ball.
    const float t = (u - k_roll_from) / (1 - k_roll_from);
    const float bend = k_curl_bend * ease_in_out(smoothstep(0, 0.45f, t));
    const float roll = k_curl_roll * ease_in_out(smoothstep(0.15f, 0.95f, t));
    const float shift = k_curl_shift * ease_in_out(smoothstep(0.1f, 0.95f, t));
    c_rig_pose rolled = pose;
    place(p, rolled, lay_out(bend, roll, shift));
    rolled.offsets[size_t(p.body[0])].angle += k_curl_head_turn * smoothstep(0.5f, 1, t);
    blend_offsets(pose, rolled, smoothstep(0, 0.08f, t));
    pose.graphics[size_t(p.shadow)] = t > 0.5f ? "shadow_round" : "shadow";
    // Once the body is bent right round, the painted curl fades in over it and rolls
    // with it: turned by what is left of the roll about the middle of the curl.
    pose.graphics[size_t(p.ball)] = level_graphic("ball", smoothstep(0.26f, 0.42f, t), k_ball_levels);
    const c_body_layout now = lay_out(k_curl_bend, roll, shift);
    const float behind = roll - k_curl_roll;
    const c_point contact = {k_ball_contact.x, -k_ball_contact.y};
    const c_point hub_turned = rotate_about(curled().hub, contact, behind);
    c_node_offset& ball = pose.offsets[size_t(p.ball)];
    ball.angle = behind;
    ball.dx = now.hub.x - hub_turned.x;
    ball.dy = now.hub.y - hub_turned.y;
    pose.offsets[size_t(p.shadow)].dx = shift * (t > 0.5f ? curled().hub.x / k_curl_shift : 0.5f);
    // The end glides into curl_idle's first pose, so the loop takes over without a jump.
    c_rig_pose rest = pose;
    curl_idle(p, 0, rest);
    rest.graphics = pose.graphics;
    blend_offsets(pose, rest, smoothstep(0.92f, 1.0f, t));
    if (u >= 1) curl_idle(p, 0, pose);
}

}  // namespace

bool build_4maggotb(const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::vector<c_graphic_def> graphics = {
        {"base", "4maggotb_shadow", 0, 0, 0.02f, 0},
        {"shadow", "4maggotb_shadow", 0, 0, 1, 255},
        {"shadow_round", "4maggotb_shadow_round", 0, 0, 1, 255},
    };
    add_levels(graphics, "ball", "4maggotb_ball", k_ball_contact, k_ball_levels, 1, 1, 0, 255, true);
    for (const c_body_part& part : k_body) {
        graphics.push_back({part.name, std::string("4maggotb_") + part.name, part.x, -part.y, 1, 255});
    }
    const c_point face = {k_body[0].x, -k_body[0].y};
    for (const char* name : {"eyes", "eyes_closed", "eyes_happy", "mouth", "mouth_chew"}) {
        graphics.push_back({name, std::string("4maggotb_") + name, face.x, face.y, 1, 255});
    }
    for (const char* name : {"leaves_a", "leaves_b", "leaves_c"}) {
        graphics.push_back({name, std::string("4maggotb_") + name, 0, 0, 1, 255});
    }
    graphics.push_back({"leaves_none", "4maggotb_leaves_c", 0, 0, 0.02f, 0});
    // The z's grow as they rise, fading in quickly and out slowly; z_0 is not there.
    constexpr c_point k_z_pivot = {0, -40};
    graphics.push_back({"z_0", "4maggotb_z", k_z_pivot.x, k_z_pivot.y, 0.02f, 0});
    for (int i = 1; i <= k_z_levels; ++i) {
        const float f = (float(i) - 0.5f) / k_z_levels;
        const float alpha = std::min(1.0f, f / 0.2f) * std::min(1.0f, (1 - f) / 0.35f);
        graphics.push_back({"z_" + std::to_string(i), "4maggotb_z", k_z_pivot.x, k_z_pivot.y, mix(0.45f, 1.05f, f),
                            uint8_t(std::lround(255 * alpha))});
    }

    // An invisible base holds everything still at the origin; the tail lies deepest and
    // each part overlaps the one behind it up to the head, with the face on top.
    std::vector<c_node_def> nodes = {
        {"base", "", "base", 0, 0, 0, false},
        {"shadow", "base", "shadow", 0, 0, 1, true},
    };
    for (int i = k_body_count - 1; i >= 0; --i) {
        const c_body_part& part = k_body[i];
        nodes.push_back({part.name, "base", part.name, part.x, -part.y, float(2 + k_body_count - 1 - i), false});
    }
    // The painted curl covers the segments but not the head.
    nodes.push_back({"ball", "base", "ball_0", k_ball_contact.x, k_ball_contact.y, 9.5f, true});
    nodes.push_back({"eyes", "head", "eyes", face.x, face.y, 12, true});
    nodes.push_back({"mouth", "head", "mouth", face.x, face.y, 12, true});
    nodes.push_back({"leaves", "base", "leaves_none", 0, 0, 13, true});
    // The z's start just above the curled head.
    const c_point head = curled().centre[0];
    for (int k = 0; k < k_z_count; ++k) {
        nodes.push_back({"z" + std::to_string(k), "base", "z_0", head.x + 40, -(head.y + 90), 14, true});
    }

    c_rig rig;
    if (!rig.build(graphics, nodes, geometry, anim, error)) return false;
    c_maggot_parts parts{};
    for (int i = 0; i < k_body_count; ++i) parts.body[i] = rig.node(k_body[i].name);
    parts.shadow = rig.node("shadow");
    parts.ball = rig.node("ball");
    parts.eyes = rig.node("eyes");
    parts.mouth = rig.node("mouth");
    parts.leaves = rig.node("leaves");
    for (int k = 0; k < k_z_count; ++k) parts.z[k] = rig.node("z" + std::to_string(k));
    const auto with = [&parts](void (*motion)(const c_maggot_parts&, float, c_rig_pose&)) {
        return [&parts, motion](float u, c_rig_pose& pose) { motion(parts, u, pose); };
    };
    rig.add_pose(anim, "default", with(idle), 0);
    const c_graph_def graphs[] = {
        {"idle", 64, true, with(idle)},
        {"curl", 240, false, with(curl)},
        {"curl_idle", 96, true, with(curl_idle)},
    };
    for (const c_graph_def& graph : graphs) {
        if (!rig.add_graph(anim, graph, error)) return false;
    }
    return true;
}

}  // namespace tw_tools
