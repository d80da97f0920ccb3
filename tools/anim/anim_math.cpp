// Key times, easing and waves for the animation generator.
#include "anim/anim_math.h"

#include <algorithm>
#include <cmath>

namespace tw_tools {

std::vector<uint16_t> even_key_times(int intervals) {
    intervals = std::max(1, std::min(intervals, int(k_last_key)));
    std::vector<uint16_t> times;
    times.reserve(size_t(intervals) + 1);
    for (int i = 0; i <= intervals; ++i) {
        times.push_back(uint16_t((int64_t(i) * k_last_key + intervals / 2) / intervals));
    }
    return times;
}

float key_fraction(uint16_t t) { return float(t) / float(k_last_key); }

float smoothstep(float e0, float e1, float x) {
    const float s = std::clamp((x - e0) / (e1 - e0), 0.0f, 1.0f);
    return s * s * (3 - 2 * s);
}

float ease_in_out(float x) {
    const float s = std::clamp(x, 0.0f, 1.0f);
    return s * s * s * (s * (s * 6 - 15) + 10);
}

float ease_in(float x) { return x * x * x; }

float ease_out(float x) { return 1 - (1 - x) * (1 - x) * (1 - x); }

float envelope(float u, float a, float b, float c, float d) {
    if (u <= a || u >= d) return 0;
    if (u < b) return ease_in_out((u - a) / (b - a));
    if (u <= c) return 1;
    return 1 - ease_in_out((u - c) / (d - c));
}

float wave(float u, int cycles, float offset) {
    // The phase is reduced to one turn first so whole cycles land on exactly the same angle.
    double turns = double(cycles) * double(u) - double(offset);
    turns -= std::floor(turns);
    return float(std::sin(double(k_two_pi) * turns));
}

float hump(float u, int cycles, float offset) {
    const float s = std::max(0.0f, wave(u, cycles, offset));
    return s * s;
}

float arc_height(float s, float height) {
    const float c = std::clamp(s, 0.0f, 1.0f);
    return 4 * height * c * (1 - c);
}

float mix(float a, float b, float f) { return a + (b - a) * f; }

c_point rotate_about(c_point p, c_point hinge, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float dx = p.x - hinge.x;
    const float dy = p.y - hinge.y;
    return {hinge.x + c * dx - s * dy, hinge.y + s * dx + c * dy};
}

}  // namespace tw_tools
