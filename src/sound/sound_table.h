// The game's table of sounds (music, cues, insect effects, glow-worms) and the
// three operations that play, stop and set the volume of one of its records.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "sound/sound_device.h"

namespace tw {

// One entry of the sound table. handle is non-zero only while a looped sound
// started from this record is playing.
struct c_sound {
    std::string file;
    uint8_t loop = 0;
    uint8_t volume = 255;
    sound_id handle = 0;
};

constexpr int k_sound_count = 30;

// Music: record 0 is silence, 1 the menu, 2..6 the five chapters.
constexpr int k_sound_music_none = 0;
constexpr int k_sound_music_menu = 1;
constexpr int k_sound_music_chapter_1 = 2;
constexpr int k_sound_music_chapter_2 = 3;
constexpr int k_sound_music_chapter_3 = 4;
constexpr int k_sound_music_chapter_4 = 5;
constexpr int k_sound_music_chapter_5 = 6;

// Cues.
constexpr int k_sound_item_found = 7;
constexpr int k_sound_error = 8;
constexpr int k_sound_puzzle_complete = 9;
constexpr int k_sound_puzzle_discovery = 10;

// Creature and object effects.
constexpr int k_sound_effect_aphid = 11;
constexpr int k_sound_effect_bee = 12;
constexpr int k_sound_effect_cricket = 13;
constexpr int k_sound_effect_dragonfly = 14;
constexpr int k_sound_effect_fly_loop = 15;
constexpr int k_sound_effect_grub = 16;
constexpr int k_sound_effect_maggot = 17;
constexpr int k_sound_effect_moth = 18;
constexpr int k_sound_effect_roll_stone = 19;
constexpr int k_sound_effect_stag = 20;

// Glow-worm notes 1..9 occupy records 21..29.
constexpr int k_sound_glowworm_first = 21;
constexpr int k_sound_glowworm_count = 9;

using sound_table = std::array<c_sound, k_sound_count>;

// Resets every record to its file and loop flag, full volume and no handle.
void fill_sound_table(sound_table& table);

// Starts the record's sound; a loop's handle is kept in record.handle. A loop
// the record was already playing is stopped first. Does nothing without engine.
void play_sound(i_sound_device* engine, c_sound& record);

// Stops and releases the record's looped sound, if any, and clears the handle.
void stop_sound(i_sound_device* engine, c_sound& record);

// Stores volume in the record and applies volume / 255 to its playing loop.
void set_sound_volume(i_sound_device* engine, c_sound& record, uint8_t volume);

}  // namespace tw
