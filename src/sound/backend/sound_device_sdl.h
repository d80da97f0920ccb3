// The real sound device on SDL2_mixer, and the factory that opens it (falling
// back to SDL's silent "dummy" driver when no audio device is present).
#pragma once
#include <memory>
#include <string>
#include <unordered_map>

#include "sound/sound_device.h"

struct Mix_Chunk;

namespace tw {

class c_sound_device_sdl : public i_sound_device {
public:
    ~c_sound_device_sdl() override;
    c_sound_device_sdl(const c_sound_device_sdl&) = delete;
    c_sound_device_sdl& operator=(const c_sound_device_sdl&) = delete;

    // Plays the WAV on a free channel; loops get a fresh non-zero handle.
    // A file that cannot be loaded, or no free channel, plays nothing: 0.
    sound_id play_2d(const std::string& file, bool loop) override;
    // Sets the loop's channel volume (0..1, clamped; NaN is 0); unknown handles ignored.
    void set_volume(sound_id sound, float volume) override;
    // Halts the loop's channel and forgets the handle; unknown handles ignored.
    void stop(sound_id sound) override;
    // Forgets the handle; the sound itself is left as it is.
    void drop(sound_id sound) override;
    // The mixer's master volume (0..1, clamped; NaN is 0), over every channel's own.
    void set_master_volume(float volume) override;
    // Pauses or resumes every channel.
    void pause_all(bool paused) override;

    // Mixer channel of a live loop handle, or -1 if the handle is unknown.
    int channel_of(sound_id sound) const;

private:
    friend std::shared_ptr<i_sound_device> create_sound_device();
    c_sound_device_sdl() = default;

    // Loaded chunk for file, loading it on first use; null if it cannot load.
    Mix_Chunk* chunk_for(const std::string& file);
    sound_id next_id();

    // Failed loads are cached as null so a missing file is reported once.
    std::unordered_map<std::string, Mix_Chunk*> m_chunks;
    std::unordered_map<sound_id, int> m_channels;
    sound_id m_last_id = 0;
};

// Opens the audio subsystem and mixer and returns the device, or nullptr when
// not even the dummy driver opens (the game then runs silently). Only one
// device may exist at a time: the mixer is process-wide.
std::shared_ptr<i_sound_device> create_sound_device();

}  // namespace tw
