// Tests of the SDL2_mixer sound device on SDL's silent "dummy" driver, playing
// a short WAV the test writes itself.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sound/backend/sound_device_sdl.h"

namespace tw {
namespace {

constexpr int k_test_rate_hz = 44100;
constexpr int k_test_samples = 400;

void put_u32(std::FILE* out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        std::fputc(static_cast<int>((value >> shift) & 0xff), out);
    }
}

void put_u16(std::FILE* out, uint16_t value) {
    std::fputc(value & 0xff, out);
    std::fputc((value >> 8) & 0xff, out);
}

// Writes a mono 16-bit PCM WAV holding a square wave.
void write_test_wav(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    const uint32_t data_bytes = k_test_samples * 2;
    std::fwrite("RIFF", 1, 4, out);
    put_u32(out, 36 + data_bytes);
    std::fwrite("WAVEfmt ", 1, 8, out);
    put_u32(out, 16);
    put_u16(out, 1);
    put_u16(out, 1);
    put_u32(out, k_test_rate_hz);
    put_u32(out, k_test_rate_hz * 2);
    put_u16(out, 2);
    put_u16(out, 16);
    std::fwrite("data", 1, 4, out);
    put_u32(out, data_bytes);
    for (int i = 0; i < k_test_samples; ++i) {
        put_u16(out, static_cast<uint16_t>((i / 50) % 2 == 0 ? 8000 : -8000));
    }
    std::fclose(out);
}

class sound_device_sdl_test : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        wav_path = ::testing::TempDir() + "tw_sound_device_sdl_test.wav";
        write_test_wav(wav_path);
        device = create_sound_device();
        ASSERT_NE(device, nullptr);
        sdl = dynamic_cast<c_sound_device_sdl*>(device.get());
        ASSERT_NE(sdl, nullptr);
    }

    void TearDown() override {
        device.reset();
        std::remove(wav_path.c_str());
    }

    std::string wav_path;
    std::shared_ptr<i_sound_device> device;
    c_sound_device_sdl* sdl = nullptr;
};

TEST_F(sound_device_sdl_test, loops_get_handles_that_control_only_their_own_channel) {
    sound_id first = device->play_2d(wav_path, true);
    sound_id second = device->play_2d(wav_path, true);
    ASSERT_NE(first, 0u);
    ASSERT_NE(second, 0u);
    EXPECT_NE(first, second);
    int first_channel = sdl->channel_of(first);
    ASSERT_GE(first_channel, 0);
    EXPECT_NE(first_channel, sdl->channel_of(second));
    EXPECT_TRUE(Mix_Playing(first_channel));

    device->set_volume(first, 0.25f);
    EXPECT_EQ(Mix_Volume(first_channel, -1), MIX_MAX_VOLUME / 4);
    device->set_volume(first, 3.0f);
    EXPECT_EQ(Mix_Volume(first_channel, -1), MIX_MAX_VOLUME);
    device->set_volume(first, 0.0f);
    EXPECT_EQ(Mix_Volume(first_channel, -1), 0);

    device->stop(first);
    device->drop(first);
    EXPECT_FALSE(Mix_Playing(first_channel));
    EXPECT_EQ(sdl->channel_of(first), -1);

    // The freed channel takes the next loop at full volume, and the old handle
    // can no longer reach it.
    sound_id third = device->play_2d(wav_path, true);
    ASSERT_NE(third, 0u);
    EXPECT_NE(third, first);
    EXPECT_EQ(sdl->channel_of(third), first_channel);
    EXPECT_EQ(Mix_Volume(first_channel, -1), MIX_MAX_VOLUME);
    device->set_volume(first, 0.0f);
    device->stop(first);
    EXPECT_TRUE(Mix_Playing(first_channel));
    EXPECT_EQ(Mix_Volume(first_channel, -1), MIX_MAX_VOLUME);

    EXPECT_EQ(device->play_2d(wav_path, false), 0u);

    // The master level scales the mix over each channel's own volume, which
    // stays as it was; pausing holds every channel where it is.
    device->set_master_volume(0.5f);
    EXPECT_EQ(Mix_MasterVolume(-1), MIX_MAX_VOLUME / 2);
    EXPECT_EQ(Mix_Volume(first_channel, -1), MIX_MAX_VOLUME);
    // A pause is marked with SDL's tick count, and a mark of 0 (the device's
    // first millisecond) reads as none, so the test lets the clock move first.
    SDL_Delay(2);
    device->pause_all(true);
    EXPECT_TRUE(Mix_Paused(first_channel));
    device->pause_all(false);
    EXPECT_FALSE(Mix_Paused(first_channel));
    device->set_master_volume(1.0f);
    // Destroying the device with loops still playing releases everything.
}

TEST_F(sound_device_sdl_test, missing_file_plays_nothing_and_returns_zero) {
    const std::string missing = ::testing::TempDir() + "tw_no_such_sound.wav";
    EXPECT_EQ(device->play_2d(missing, true), 0u);
    EXPECT_EQ(device->play_2d(missing, false), 0u);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST(sound_device_sdl_fallback, unusable_driver_falls_back_to_the_silent_one) {
    setenv("SDL_AUDIODRIVER", "tw_no_such_driver", 1);
    std::shared_ptr<i_sound_device> device = create_sound_device();
    EXPECT_NE(device, nullptr);
}

}  // namespace
}  // namespace tw
