// Music changes fade out over 85 ticks, swap on the 86th and fade in over 85.
#include <gtest/gtest.h>

#include "app/music.h"
#include "sound/sound_device_recording.h"

using namespace tw;

namespace {

class music : public ::testing::Test {
protected:
    void SetUp() override { fill_sound_table(data.sounds); }
    int ticks_until(bool (*done)(const c_application_data&), int limit = 1000) {
        for (int i = 1; i <= limit; ++i) {
            music_fade_step(&engine, data);
            if (done(data)) return i;
        }
        return -1;
    }
    c_sound_device_recording engine;
    c_application_data data;
};

}  // namespace

TEST_F(music, first_request_plays_at_once_at_the_current_volume) {
    request_music(&engine, data, data.sounds[k_sound_music_menu]);
    EXPECT_EQ(data.current_music, &data.sounds[k_sound_music_menu]);
    EXPECT_EQ(data.next_music, nullptr);
    EXPECT_NE(data.sounds[k_sound_music_menu].handle, 0u);
    EXPECT_EQ(engine.count(e_sound_call::play), 1);
}

TEST_F(music, change_fades_out_85_ticks_swaps_on_86th_and_fades_in_85) {
    request_music(&engine, data, data.sounds[k_sound_music_menu]);
    sound_id menu = data.sounds[k_sound_music_menu].handle;
    request_music(&engine, data, data.sounds[k_sound_music_chapter_1]);
    EXPECT_EQ(ticks_until([](const c_application_data& d) { return d.music_volume == 1; }), 85);
    EXPECT_EQ(data.current_music, &data.sounds[k_sound_music_menu]);
    music_fade_step(&engine, data);  // tick 86: the swap
    EXPECT_EQ(data.current_music, &data.sounds[k_sound_music_chapter_1]);
    EXPECT_EQ(data.next_music, nullptr);
    EXPECT_EQ(data.sounds[k_sound_music_menu].handle, 0u);
    int stops_of_menu = 0;
    for (const c_sound_call& c : engine.calls)
        stops_of_menu += c.kind == e_sound_call::stop && c.id == menu;
    EXPECT_EQ(stops_of_menu, 1);
    EXPECT_EQ(ticks_until([](const c_application_data& d) { return d.music_volume == 255; }), 85);
    // The new piece follows the fade: its last volume is full.
    EXPECT_FLOAT_EQ(engine.calls.back().volume, 1.0f);
}

TEST_F(music, fade_edges) {
    data.music_volume = 254;
    music_fade_step(&engine, data);
    EXPECT_EQ(data.music_volume, 255);
    data.current_music = &data.sounds[1];
    data.next_music = &data.sounds[2];
    data.music_volume = 3;
    music_fade_step(&engine, data);
    EXPECT_EQ(data.music_volume, 1);
    music_fade_step(&engine, data);
    EXPECT_EQ(data.current_music, &data.sounds[2]);
}

TEST_F(music, without_an_engine_the_fade_still_runs_silently) {
    request_music(nullptr, data, data.sounds[k_sound_music_menu]);
    request_music(nullptr, data, data.sounds[k_sound_music_none]);
    for (int i = 0; i < 86; ++i) music_fade_step(nullptr, data);
    EXPECT_EQ(data.current_music, &data.sounds[k_sound_music_none]);
    EXPECT_EQ(data.sounds[k_sound_music_menu].handle, 0u);
}
