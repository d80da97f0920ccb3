// The sound seam: the few operations the sound table uses. Real: SDL2_mixer
// (sound/backend); null and recording versions for tests.
#pragma once
#include <cstdint>
#include <string>

namespace tw {

// Handle of a playing looped sound; 0 means none.
using sound_id = uint32_t;

class i_sound_device {
public:
    // Destroying the device releases the engine and everything it plays.
    virtual ~i_sound_device() = default;
    // Starts a 2D sound. Looped sounds return a handle; one-shots return 0.
    virtual sound_id play_2d(const std::string& file, bool loop) = 0;
    // volume 0..1.
    virtual void set_volume(sound_id sound, float volume) = 0;
    virtual void stop(sound_id sound) = 0;
    // Releases the handle; it is not used again.
    virtual void drop(sound_id sound) = 0;
    // Scales everything heard, 0..1, over each sound's own volume; a later
    // set_volume of a loop stays scaled by it.
    virtual void set_master_volume(float volume) = 0;
    // Holds (true) or lets go on (false) every sound where it is.
    virtual void pause_all(bool paused) = 0;
};

}  // namespace tw
