// SDL2_mixer implementation of the sound device: chunk cache, one channel per
// playing sound, loop handles mapped to their channels.
#include "sound/backend/sound_device_sdl.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>

namespace tw {

namespace {

constexpr int k_mix_frequency_hz = 44100;
constexpr Uint16 k_mix_format = AUDIO_S16SYS;
constexpr int k_mix_stereo_channels = 2;
constexpr int k_mix_chunk_frames = 1024;
constexpr int k_mixing_channels = 32;
constexpr int k_loop_forever = -1;
constexpr int k_play_once = 0;
constexpr int k_any_group = -1;
constexpr int k_all_channels = -1;
const char* const k_fallback_driver = "dummy";

// 0..1 as the mixer's 0..MIX_MAX_VOLUME; NaN counts as silence rather than
// reaching the int conversion.
int mixer_volume(float volume) {
    float clamped = volume >= 0.0f ? std::min(volume, 1.0f) : 0.0f;
    return static_cast<int>(clamped * MIX_MAX_VOLUME + 0.5f);
}

// Brings up the audio subsystem and the mixer; leaves nothing open on failure.
bool open_audio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    if (Mix_OpenAudio(k_mix_frequency_hz, k_mix_format, k_mix_stereo_channels,
                      k_mix_chunk_frames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    return true;
}

}  // namespace

std::shared_ptr<i_sound_device> create_sound_device() {
    // SDL must not take over SIGINT/SIGTERM, so Ctrl-C and kill still work.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (!open_audio()) {
        // Override so a broken SDL_AUDIODRIVER in the environment cannot win.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, k_fallback_driver,
                                SDL_HINT_OVERRIDE);
        if (!open_audio()) {
            std::fprintf(stderr, "sound: no audio device, running silently: %s\n",
                         SDL_GetError());
            return nullptr;
        }
        // The driver is chosen at init; a later device tries the real one again.
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    }
    Mix_AllocateChannels(k_mixing_channels);
    // SDL_mixer marks a paused channel with the SDL tick count, and a mark of
    // 0 reads as not paused; SDL's count starts at 0 on its first use, so it
    // is started now rather than by the first pause, which comes much later.
    SDL_GetTicks();
    return std::shared_ptr<i_sound_device>(new c_sound_device_sdl());
}

c_sound_device_sdl::~c_sound_device_sdl() {
    // Channels must be silent before their chunks are freed.
    Mix_HaltChannel(-1);
    for (auto& entry : m_chunks) {
        if (entry.second != nullptr) {
            Mix_FreeChunk(entry.second);
        }
    }
    m_chunks.clear();
    m_channels.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

Mix_Chunk* c_sound_device_sdl::chunk_for(const std::string& file) {
    auto found = m_chunks.find(file);
    if (found != m_chunks.end()) {
        return found->second;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
    if (chunk == nullptr) {
        std::fprintf(stderr, "sound: cannot load %s: %s\n", file.c_str(), Mix_GetError());
    }
    m_chunks.emplace(file, chunk);
    return chunk;
}

sound_id c_sound_device_sdl::next_id() {
    // 0 means "no sound", so it is skipped if the counter ever wraps.
    ++m_last_id;
    if (m_last_id == 0) {
        ++m_last_id;
    }
    return m_last_id;
}

sound_id c_sound_device_sdl::play_2d(const std::string& file, bool loop) {
    Mix_Chunk* chunk = chunk_for(file);
    if (chunk == nullptr) {
        return 0;
    }
    // Pick the channel first: a channel keeps its volume across sounds, so a
    // quietened loop that was stopped must not make the next sound quiet too.
    int channel = Mix_GroupAvailable(k_any_group);
    if (channel < 0) {
        return 0;
    }
    Mix_Volume(channel, MIX_MAX_VOLUME);
    if (Mix_PlayChannel(channel, chunk, loop ? k_loop_forever : k_play_once) < 0) {
        return 0;
    }
    if (!loop) {
        return 0;
    }
    sound_id id = next_id();
    m_channels[id] = channel;
    return id;
}

void c_sound_device_sdl::set_volume(sound_id sound, float volume) {
    auto found = m_channels.find(sound);
    if (found == m_channels.end()) {
        return;
    }
    Mix_Volume(found->second, mixer_volume(volume));
}

void c_sound_device_sdl::set_master_volume(float volume) {
    Mix_MasterVolume(mixer_volume(volume));
}

void c_sound_device_sdl::pause_all(bool paused) {
    if (paused) {
        Mix_Pause(k_all_channels);
    } else {
        Mix_Resume(k_all_channels);
    }
}

void c_sound_device_sdl::stop(sound_id sound) {
    auto found = m_channels.find(sound);
    if (found == m_channels.end()) {
        return;
    }
    Mix_HaltChannel(found->second);
    // The channel is free for other sounds now; the handle must not reach it.
    m_channels.erase(found);
}

int c_sound_device_sdl::channel_of(sound_id sound) const {
    auto found = m_channels.find(sound);
    return found == m_channels.end() ? -1 : found->second;
}

void c_sound_device_sdl::drop(sound_id sound) {
    m_channels.erase(sound);
}

}  // namespace tw
