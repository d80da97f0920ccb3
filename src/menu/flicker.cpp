// The flicker generator's step and alpha.
#include "menu/flicker.h"

#include "platform/random.h"

namespace tw {

void c_flicker_generator::step() {
    if (steps_left > 0) {
        value += (target - value) / float(steps_left);
        --steps_left;
        return;
    }
    value = target;
    target = float(tw::rand()) / float(k_rand_max);
    // A range of 0 would divide by zero; it then means "always the minimum".
    const uint16_t extra = step_range > 0 ? uint16_t(tw::rand() % step_range) : 0;
    steps_left = uint16_t(minimum_steps + extra);
}

uint8_t c_flicker_generator::alpha() const {
    const float a = float(scale) * value + float(base);
    if (a <= 0) return 0;
    if (a >= 255) return 255;
    return uint8_t(a);
}

}  // namespace tw
