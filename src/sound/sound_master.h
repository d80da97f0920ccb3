// The player's master volume and mute: a level in tenths and a mute flag,
// applied by the sound device over every sound's own volume, so the sound
// table's volumes and the music fade go on underneath unchanged.
#pragma once
#include <cstdint>
#include <string>

namespace tw {

class i_sound_device;

constexpr uint8_t k_master_level_max = 10;  // tenths: 10 is full volume

struct c_sound_master {
    uint8_t level = k_master_level_max;  // tenths, 0..10
    bool muted = false;

    // What the device multiplies everything by: 0 when muted, else level / 10.
    float gain() const;
    // One tenth up (steps > 0) or down, kept within 0..10; unmutes, since a
    // player reaching for the volume wants to hear the change.
    void step(int steps);
    void toggle_mute() { muted = !muted; }
    // Hands the gain to the device; nothing without one.
    void apply(i_sound_device* engine) const;
    // A short line for the player: "volume 70%", or "sound off" when muted or at 0.
    std::string describe() const;
};

}  // namespace tw
