// The motion maths of the animation generator: key times on the 16-bit graph axis,
// easing curves, periodic waves that repeat exactly over a loop, and small 2D helpers.
#pragma once
#include <cstdint>
#include <vector>

namespace tw_tools {

constexpr uint16_t k_first_key = 0;
constexpr uint16_t k_last_key = 65535;
constexpr float k_two_pi = 6.28318530718f;

// intervals + 1 key times spread evenly from 0 to 65535, both ends included;
// at least one interval.
std::vector<uint16_t> even_key_times(int intervals);

// Where key time t lies in the graph, 0 at time 0 and 1 at time 65535.
float key_fraction(uint16_t t);

// 0 below e0, 1 above e1, the smooth cubic between (e0 < e1).
float smoothstep(float e0, float e1, float x);

// x (0..1) eased in and out with a quintic, so speed and acceleration start and end at 0.
float ease_in_out(float x);
// x cubed: starts slowly and ends fast (a fall, a lunge).
float ease_in(float x);
// The mirror of ease_in: starts fast and settles.
float ease_out(float x);

// A smooth window over u: 0 up to a, rising to 1 at b, holding to c, falling to 0 at d.
float envelope(float u, float a, float b, float c, float d);

// sin(2 pi (cycles u - offset)): with whole cycles the value at u = 1 equals the one at 0.
float wave(float u, int cycles, float offset);

// The positive lobe of a wave squared: 0 for half a cycle, then a soft hump up to 1.
float hump(float u, int cycles, float offset);

// Height of a thrown arc at s (0..1) that starts and ends at 0 and peaks at height.
float arc_height(float s, float height);

// Linear interpolation from a to b by f.
float mix(float a, float b, float f);

struct c_point {
    float x = 0;
    float y = 0;
};

// p rotated by angle (radians, counter-clockwise) about hinge.
c_point rotate_about(c_point p, c_point hinge, float angle);

}  // namespace tw_tools
