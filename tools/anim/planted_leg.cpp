// Two-bone reach for a planted leg: the law of cosines at the hip.
#include "anim/planted_leg.h"

#include <algorithm>
#include <cmath>

namespace tw_tools {

namespace {

c_point up(c_point svg) { return {svg.x, -svg.y}; }
c_point sub(c_point a, c_point b) { return {a.x - b.x, a.y - b.y}; }
float heading(c_point v) { return std::atan2(v.y, v.x); }
float length(c_point v) { return std::sqrt(v.x * v.x + v.y * v.y); }
float wrap(float a) { return std::remainder(a, k_two_pi); }

}  // namespace

c_leg_turns planted_leg(const c_leg_rest& leg, const c_body_motion& w, c_point foot) {
    const c_point body = up(w.body_joint);
    const c_point hip0 = up(leg.hip), knee0 = up(leg.knee), ankle0 = up(leg.ankle);
    const float l1 = length(sub(knee0, hip0));
    const float l2 = length(sub(ankle0, knee0));
    const float rest_thigh = heading(sub(knee0, hip0));
    const float rest_shin = heading(sub(ankle0, knee0));
    const float bend = wrap(rest_thigh - heading(sub(ankle0, hip0))) > 0 ? 1.0f : -1.0f;

    const c_point rel = sub(hip0, body);
    const float c = std::cos(w.angle), s = std::sin(w.angle);
    const c_point hip = {body.x + w.dx + c * rel.x - s * rel.y, body.y + w.dy + s * rel.x + c * rel.y};
    const c_point target = {ankle0.x + foot.x - w.ground_dx, ankle0.y + foot.y};
    const c_point d = sub(target, hip);
    const float reach = std::clamp(length(d), std::fabs(l1 - l2) + 1.0f, l1 + l2 - 1.0f);
    const float cos_hip = std::clamp((l1 * l1 + reach * reach - l2 * l2) / (2 * l1 * reach), -1.0f, 1.0f);
    const float thigh = heading(d) + bend * std::acos(cos_hip);
    const c_point knee = {hip.x + l1 * std::cos(thigh), hip.y + l1 * std::sin(thigh)};
    const float shin = heading(sub(target, knee));
    return {wrap(thigh - rest_thigh - w.angle), wrap((shin - rest_shin) - (thigh - rest_thigh)),
            wrap(rest_shin - shin)};
}

}  // namespace tw_tools
