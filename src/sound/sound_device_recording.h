// A sound device that plays nothing and records every call made to it, so
// tests can check what was played, stopped and at which volume.
#pragma once
#include <string>
#include <vector>

#include "sound/sound_device.h"

namespace tw {

enum class e_sound_call { play, set_volume, stop, drop, set_master_volume, pause_all };

// One call made to the device. For play, id is the handle returned.
// For set_master_volume, volume is the level; for pause_all, loop is the pause flag.
struct c_sound_call {
    e_sound_call kind = e_sound_call::play;
    std::string file;
    bool loop = false;
    sound_id id = 0;
    float volume = 0.0f;
};

class c_sound_device_recording : public i_sound_device {
public:
    // Records the call; loops get handles 1, 2, 3, ... and one-shots 0.
    sound_id play_2d(const std::string& file, bool loop) override;
    // Records the call.
    void set_volume(sound_id sound, float volume) override;
    // Records the call.
    void stop(sound_id sound) override;
    // Records the call.
    void drop(sound_id sound) override;
    // Records the call and keeps the level.
    void set_master_volume(float volume) override;
    // Records the call and keeps the flag.
    void pause_all(bool paused) override;

    // Number of recorded calls of the given kind.
    int count(e_sound_call kind) const;

    std::vector<c_sound_call> calls;
    float master_volume = 1.0f;
    bool paused = false;

private:
    sound_id m_last_id = 0;
};

}  // namespace tw
