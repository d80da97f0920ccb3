// 16-bit PCM WAV encoding and decoding for the sound and music tools.
#include "common/wav.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "common/bmp_writer.h"

namespace tw_tools {

namespace {

uint32_t get_u32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t get_u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

}  // namespace

std::vector<uint8_t> encode_wav(const c_sound_buffer& sound) {
    const uint32_t data_bytes = uint32_t(sound.samples.size() * 2);
    const uint32_t block_align = uint32_t(sound.channels) * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + data_bytes);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put_u32(out, 36 + data_bytes);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put_u32(out, 16);
    put_u16(out, 1);  // PCM
    put_u16(out, uint32_t(sound.channels));
    put_u32(out, uint32_t(sound.sample_rate));
    put_u32(out, uint32_t(sound.sample_rate) * block_align);
    put_u16(out, block_align);
    put_u16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put_u32(out, data_bytes);
    for (float s : sound.samples) {
        const float clipped = std::isfinite(s) ? std::clamp(s, -1.0f, 1.0f) : 0.0f;
        const int16_t v = int16_t(std::lround(clipped * 32767.0f));
        put_u16(out, uint16_t(v));
    }
    return out;
}

bool write_wav(const std::string& path, const c_sound_buffer& sound) {
    const std::vector<uint8_t> bytes = encode_wav(sound);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

bool decode_wav(const std::vector<uint8_t>& bytes, c_sound_buffer& sound) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return false;
    }
    bool have_format = false;
    size_t pos = 12;
    while (pos + 8 <= bytes.size()) {
        const uint8_t* chunk = bytes.data() + pos;
        const size_t size = get_u32(chunk + 4);
        const size_t body = pos + 8;
        if (size > bytes.size() - body) return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (size < 16) return false;
            const uint16_t format = get_u16(chunk + 8);
            const uint16_t channels = get_u16(chunk + 10);
            const uint16_t bits = get_u16(chunk + 22);
            // 0xFFFE is the extensible header fluidsynth may write for PCM.
            if ((format != 1 && format != 0xFFFE) || bits != 16 || channels == 0) return false;
            sound.channels = channels;
            sound.sample_rate = int(get_u32(chunk + 12));
            have_format = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!have_format) return false;
            const size_t count = size / 2 / size_t(sound.channels) * size_t(sound.channels);
            sound.samples.resize(count);
            for (size_t i = 0; i < count; ++i) {
                sound.samples[i] = float(int16_t(get_u16(bytes.data() + body + i * 2))) / 32768.0f;
            }
            return true;
        }
        pos = body + size + (size & 1);
    }
    return false;
}

bool read_wav(const std::string& path, c_sound_buffer& sound) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return decode_wav(bytes, sound);
}

}  // namespace tw_tools
