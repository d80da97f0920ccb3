// Master volume steps, mute and the gain they give.
#include "sound/sound_master.h"

#include <algorithm>

#include "sound/sound_device.h"

namespace tw {

float c_sound_master::gain() const {
    return muted ? 0.0f : static_cast<float>(level) / k_master_level_max;
}

void c_sound_master::step(int steps) {
    level = static_cast<uint8_t>(std::clamp(int(level) + steps, 0, int(k_master_level_max)));
    muted = false;
}

void c_sound_master::apply(i_sound_device* engine) const {
    if (engine) engine->set_master_volume(gain());
}

std::string c_sound_master::describe() const {
    if (gain() == 0.0f) return "sound off";
    return "volume " + std::to_string(level * 10) + "%";
}

}  // namespace tw
