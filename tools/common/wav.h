// 16-bit PCM WAV files for the sound and music tools: a plain 44-byte RIFF
// header, interleaved little-endian samples. Reads what fluidsynth writes too.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw_tools {

constexpr int k_sample_rate = 44100;

// Interleaved samples in -1..1; frames = samples.size() / channels.
struct c_sound_buffer {
    int channels = 1;
    int sample_rate = k_sample_rate;
    std::vector<float> samples;

    size_t frames() const { return channels > 0 ? samples.size() / size_t(channels) : 0; }
};

// Encodes the buffer as 16-bit PCM, clipping samples to -1..1.
std::vector<uint8_t> encode_wav(const c_sound_buffer& sound);
// Writes the encoded buffer to path; false if it cannot be written.
bool write_wav(const std::string& path, const c_sound_buffer& sound);
// Reads a 16-bit PCM WAV (chunks other than "fmt " and "data" are skipped);
// false for anything else or a truncated file.
bool read_wav(const std::string& path, c_sound_buffer& sound);
bool decode_wav(const std::vector<uint8_t>& bytes, c_sound_buffer& sound);

}  // namespace tw_tools
