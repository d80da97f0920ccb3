// The tools' WAV writer and reader: what is written reads back, and broken
// files are refused rather than misread.
#include <gtest/gtest.h>

#include "common/wav.h"

namespace tw_tools {
namespace {

TEST(wav, stereo_samples_survive_a_round_trip_within_one_step) {
    c_sound_buffer sound;
    sound.channels = 2;
    sound.samples = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 0.25f};
    c_sound_buffer back;
    ASSERT_TRUE(decode_wav(encode_wav(sound), back));
    EXPECT_EQ(back.channels, 2);
    EXPECT_EQ(back.sample_rate, k_sample_rate);
    ASSERT_EQ(back.samples.size(), sound.samples.size());
    for (size_t i = 0; i < sound.samples.size(); ++i) EXPECT_NEAR(back.samples[i], sound.samples[i], 1.0 / 16384);
}

TEST(wav, samples_outside_the_range_are_clipped_not_wrapped) {
    c_sound_buffer sound;
    sound.samples = {3.0f, -3.0f};
    c_sound_buffer back;
    ASSERT_TRUE(decode_wav(encode_wav(sound), back));
    EXPECT_GT(back.samples[0], 0.99f);
    EXPECT_LT(back.samples[1], -0.99f);
}

TEST(wav, truncated_and_foreign_files_are_refused) {
    c_sound_buffer sound;
    sound.samples = {0.1f, 0.2f, 0.3f};
    std::vector<uint8_t> bytes = encode_wav(sound);
    c_sound_buffer back;
    std::vector<uint8_t> truncated(bytes.begin(), bytes.end() - 3);
    EXPECT_FALSE(decode_wav(truncated, back));
    std::vector<uint8_t> foreign = bytes;
    foreign[34] = 8;  // 8 bits per sample
    EXPECT_FALSE(decode_wav(foreign, back));
    EXPECT_FALSE(decode_wav({}, back));
}

}  // namespace
}  // namespace tw_tools
