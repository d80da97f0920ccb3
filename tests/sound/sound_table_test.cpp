// Tests of the sound table contents and of play / stop / volume on its records,
// checked against the recording device.
#include <gtest/gtest.h>

#include "sound/sound_device_recording.h"
#include "sound/sound_table.h"

namespace tw {
namespace {

struct c_expected_sound {
    int index;
    const char* file;
    uint8_t loop;
};

const c_expected_sound k_expected_table[] = {
    {k_sound_music_none, "sounds/sfx_music_none.wav", 0},
    {k_sound_music_menu, "sounds/sfx_music_0.wav", 1},
    {k_sound_music_chapter_1, "sounds/sfx_music_1.wav", 1},
    {k_sound_music_chapter_2, "sounds/sfx_music_2.wav", 1},
    {k_sound_music_chapter_3, "sounds/sfx_music_3.wav", 1},
    {k_sound_music_chapter_4, "sounds/sfx_music_4.wav", 1},
    {k_sound_music_chapter_5, "sounds/sfx_music_5.wav", 1},
    {k_sound_item_found, "sounds/item_found.wav", 0},
    {k_sound_error, "sounds/error.wav", 0},
    {k_sound_puzzle_complete, "sounds/puzzle_complete.wav", 0},
    {k_sound_puzzle_discovery, "sounds/puzzle_discovery.wav", 0},
    {k_sound_effect_aphid, "sounds/effects/aphid.wav", 0},
    {k_sound_effect_bee, "sounds/effects/bee.wav", 0},
    {k_sound_effect_cricket, "sounds/effects/cricket.wav", 0},
    {k_sound_effect_dragonfly, "sounds/effects/dragonfly.wav", 0},
    {k_sound_effect_fly_loop, "sounds/effects/fly_loop.wav", 1},
    {k_sound_effect_grub, "sounds/effects/grub.wav", 0},
    {k_sound_effect_maggot, "sounds/effects/maggot.wav", 0},
    {k_sound_effect_moth, "sounds/effects/moth.wav", 0},
    {k_sound_effect_roll_stone, "sounds/effects/roll_stone.wav", 0},
    {k_sound_effect_stag, "sounds/effects/stag.wav", 0},
    {21, "sounds/glowworms/1.wav", 0},
    {22, "sounds/glowworms/2.wav", 0},
    {23, "sounds/glowworms/3.wav", 0},
    {24, "sounds/glowworms/4.wav", 0},
    {25, "sounds/glowworms/5.wav", 0},
    {26, "sounds/glowworms/6.wav", 0},
    {27, "sounds/glowworms/7.wav", 0},
    {28, "sounds/glowworms/8.wav", 0},
    {29, "sounds/glowworms/9.wav", 0},
};

TEST(sound_table, every_record_has_its_file_loop_flag_full_volume_and_no_handle) {
    ASSERT_EQ(std::size(k_expected_table), static_cast<size_t>(k_sound_count));
    sound_table table;
    // Dirty records prove that filling resets volume and handle too.
    for (c_sound& record : table) {
        record.volume = 7;
        record.handle = 99;
    }
    fill_sound_table(table);
    for (const c_expected_sound& expected : k_expected_table) {
        SCOPED_TRACE(expected.index);
        const c_sound& record = table[expected.index];
        EXPECT_EQ(record.file, expected.file);
        EXPECT_EQ(record.loop, expected.loop);
        EXPECT_EQ(record.volume, 255);
        EXPECT_EQ(record.handle, 0u);
    }
}

class sound_table_play : public ::testing::Test {
protected:
    void SetUp() override { fill_sound_table(table); }

    sound_table table;
    c_sound_device_recording device;
};

TEST_F(sound_table_play, one_shot_plays_its_file_and_keeps_no_handle) {
    c_sound& record = table[k_sound_item_found];
    play_sound(&device, record);
    ASSERT_EQ(device.calls.size(), 1u);
    EXPECT_EQ(device.calls[0].kind, e_sound_call::play);
    EXPECT_EQ(device.calls[0].file, "sounds/item_found.wav");
    EXPECT_FALSE(device.calls[0].loop);
    EXPECT_EQ(record.handle, 0u);
}

TEST_F(sound_table_play, loop_keeps_the_handle_the_device_returned) {
    play_sound(&device, table[k_sound_effect_fly_loop]);
    play_sound(&device, table[k_sound_music_menu]);
    ASSERT_EQ(device.calls.size(), 2u);
    EXPECT_TRUE(device.calls[0].loop);
    EXPECT_EQ(table[k_sound_effect_fly_loop].handle, device.calls[0].id);
    EXPECT_EQ(table[k_sound_music_menu].handle, device.calls[1].id);
    EXPECT_NE(table[k_sound_effect_fly_loop].handle, table[k_sound_music_menu].handle);
}

TEST_F(sound_table_play, stop_stops_and_drops_the_loop_then_clears_the_handle) {
    c_sound& record = table[k_sound_music_chapter_2];
    play_sound(&device, record);
    sound_id handle = record.handle;
    ASSERT_NE(handle, 0u);
    stop_sound(&device, record);
    ASSERT_EQ(device.calls.size(), 3u);
    EXPECT_EQ(device.calls[1].kind, e_sound_call::stop);
    EXPECT_EQ(device.calls[1].id, handle);
    EXPECT_EQ(device.calls[2].kind, e_sound_call::drop);
    EXPECT_EQ(device.calls[2].id, handle);
    EXPECT_EQ(record.handle, 0u);

    // A second stop has nothing left to release.
    stop_sound(&device, record);
    EXPECT_EQ(device.calls.size(), 3u);
}

TEST_F(sound_table_play, stop_without_handle_calls_nothing) {
    play_sound(&device, table[k_sound_error]);
    stop_sound(&device, table[k_sound_error]);
    stop_sound(&device, table[k_sound_music_menu]);
    EXPECT_EQ(device.calls.size(), 1u);
}

TEST_F(sound_table_play, replaying_a_loop_stops_and_drops_the_old_one_first) {
    c_sound& record = table[k_sound_music_chapter_1];
    play_sound(&device, record);
    sound_id first = record.handle;
    play_sound(&device, record);
    ASSERT_EQ(device.calls.size(), 4u);
    EXPECT_EQ(device.calls[1].kind, e_sound_call::stop);
    EXPECT_EQ(device.calls[1].id, first);
    EXPECT_EQ(device.calls[2].kind, e_sound_call::drop);
    EXPECT_EQ(device.calls[2].id, first);
    EXPECT_EQ(device.calls[3].kind, e_sound_call::play);
    EXPECT_EQ(record.handle, device.calls[3].id);
    EXPECT_NE(record.handle, first);
}

TEST_F(sound_table_play, replaying_a_one_shot_stops_nothing) {
    play_sound(&device, table[k_sound_puzzle_complete]);
    play_sound(&device, table[k_sound_puzzle_complete]);
    EXPECT_EQ(device.count(e_sound_call::play), 2);
    EXPECT_EQ(device.count(e_sound_call::stop), 0);
    EXPECT_EQ(device.count(e_sound_call::drop), 0);
}

struct c_volume_case {
    uint8_t volume;
    float fraction;
};

TEST_F(sound_table_play, volume_is_stored_and_forwarded_to_a_playing_loop_as_fraction) {
    const c_volume_case cases[] = {{0, 0.0f}, {51, 0.2f}, {128, 128.0f / 255.0f}, {255, 1.0f}};
    c_sound& record = table[k_sound_music_menu];
    play_sound(&device, record);
    for (const c_volume_case& entry : cases) {
        SCOPED_TRACE(static_cast<int>(entry.volume));
        set_sound_volume(&device, record, entry.volume);
        EXPECT_EQ(record.volume, entry.volume);
        const c_sound_call& call = device.calls.back();
        EXPECT_EQ(call.kind, e_sound_call::set_volume);
        EXPECT_EQ(call.id, record.handle);
        EXPECT_FLOAT_EQ(call.volume, entry.fraction);
    }
}

TEST_F(sound_table_play, volume_without_playing_loop_is_only_stored) {
    set_sound_volume(&device, table[k_sound_music_chapter_3], 40);
    play_sound(&device, table[k_sound_item_found]);
    set_sound_volume(&device, table[k_sound_item_found], 90);
    EXPECT_EQ(table[k_sound_music_chapter_3].volume, 40);
    EXPECT_EQ(table[k_sound_item_found].volume, 90);
    EXPECT_EQ(device.count(e_sound_call::set_volume), 0);
}

TEST(sound_table_no_engine, operations_are_skipped_and_volume_is_still_stored) {
    sound_table table;
    fill_sound_table(table);
    c_sound& record = table[k_sound_music_menu];
    play_sound(nullptr, record);
    EXPECT_EQ(record.handle, 0u);
    set_sound_volume(nullptr, record, 12);
    EXPECT_EQ(record.volume, 12);
    stop_sound(nullptr, record);
    EXPECT_EQ(record.handle, 0u);
}

}  // namespace
}  // namespace tw
