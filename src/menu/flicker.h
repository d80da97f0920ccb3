// A light's flicker: a value that glides to a new random target over a random
// number of steps, read as the alpha of a glow.
#pragma once
#include <cstdint>

namespace tw {

struct c_flicker_generator {
    c_flicker_generator(uint16_t min_steps, uint16_t range, uint8_t base_alpha,
                        uint8_t alpha_scale)
        : minimum_steps(min_steps), step_range(range), base(base_alpha), scale(alpha_scale) {}

    // One tick: a step towards the target, or, with no steps left, the target
    // reached and a new target and step count drawn from tw::rand.
    void step();
    // The light's alpha for the current value: scale * value + base, truncated.
    uint8_t alpha() const;

    float value = 0;
    float target = 0;
    uint16_t steps_left = 0;
    uint16_t minimum_steps = 0;
    uint16_t step_range = 0;
    uint8_t base = 0;
    uint8_t scale = 0;
};

}  // namespace tw
