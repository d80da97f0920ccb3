// Legs whose feet stay planted: a thigh, a shin and a foot hung from a body
// that moves, turned each instant so the ankle reaches where the foot stands.
// Used by the creatures that stand and step on the ground (the weevil, the stag).
#pragma once
#include "anim/anim_math.h"

namespace tw_tools {

// Where a leg's joints sit at rest in the SVG (y down).
struct c_leg_rest {
    c_point hip, knee, ankle;
};

// How the body and the ground have moved from rest at one instant (scene units,
// y up): the body's offset and turn about its joint, and the ground's shift in x.
struct c_body_motion {
    c_point body_joint;  // in the SVG (y down)
    float dx = 0, dy = 0, angle = 0;
    float ground_dx = 0;
};

// The extra turns of thigh, shin and foot, each relative to its parent, that put
// the ankle at its rest place moved by foot (in the ground's frame), the knee
// bending the way it bends at rest and the foot keeping its rest heading.
struct c_leg_turns {
    float thigh = 0, shin = 0, foot = 0;
};
c_leg_turns planted_leg(const c_leg_rest& leg, const c_body_motion& body, c_point foot);

}  // namespace tw_tools
