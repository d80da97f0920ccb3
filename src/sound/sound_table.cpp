// The contents of the sound table and the play / stop / volume operations on
// its records. A null engine means the game runs silently.
#include "sound/sound_table.h"

namespace tw {

namespace {

const char* const k_music_none_file = "sounds/sfx_music_none.wav";
const char* const k_music_file_prefix = "sounds/sfx_music_";
constexpr int k_music_track_count = 6;
const char* const k_effects_dir = "sounds/effects/";
const char* const k_glowworms_dir = "sounds/glowworms/";
const char* const k_wav_suffix = ".wav";

struct c_effect_entry {
    const char* name;
    uint8_t loop;
};

const c_effect_entry k_effects[] = {
    {"aphid", 0}, {"bee", 0},  {"cricket", 0},    {"dragonfly", 0},
    {"fly_loop", 1}, {"grub", 0}, {"maggot", 0}, {"moth", 0},
    {"roll_stone", 0}, {"stag", 0},
};

void set_record(c_sound& record, std::string file, uint8_t loop) {
    record.file = std::move(file);
    record.loop = loop;
    record.volume = 255;
    record.handle = 0;
}

float volume_fraction(uint8_t volume) {
    return static_cast<float>(volume) / 255.0f;
}

}  // namespace

void fill_sound_table(sound_table& table) {
    // Silence is played as music too, but it is a one-shot in the table.
    set_record(table[k_sound_music_none], k_music_none_file, 0);
    for (int track = 0; track < k_music_track_count; ++track) {
        set_record(table[k_sound_music_menu + track],
                   k_music_file_prefix + std::to_string(track) + k_wav_suffix, 1);
    }
    set_record(table[k_sound_item_found], "sounds/item_found.wav", 0);
    set_record(table[k_sound_error], "sounds/error.wav", 0);
    set_record(table[k_sound_puzzle_complete], "sounds/puzzle_complete.wav", 0);
    set_record(table[k_sound_puzzle_discovery], "sounds/puzzle_discovery.wav", 0);

    int index = k_sound_effect_aphid;
    for (const c_effect_entry& effect : k_effects) {
        set_record(table[index++],
                   std::string(k_effects_dir) + effect.name + k_wav_suffix, effect.loop);
    }
    for (int note = 0; note < k_sound_glowworm_count; ++note) {
        set_record(table[k_sound_glowworm_first + note],
                   k_glowworms_dir + std::to_string(note + 1) + k_wav_suffix, 0);
    }
}

void play_sound(i_sound_device* engine, c_sound& record) {
    if (engine == nullptr) {
        return;
    }
    // Without this the previous loop would keep playing with its handle lost.
    stop_sound(engine, record);
    record.handle = engine->play_2d(record.file, record.loop != 0);
}

void stop_sound(i_sound_device* engine, c_sound& record) {
    if (engine == nullptr || record.handle == 0) {
        return;
    }
    engine->stop(record.handle);
    engine->drop(record.handle);
    record.handle = 0;
}

void set_sound_volume(i_sound_device* engine, c_sound& record, uint8_t volume) {
    record.volume = volume;
    if (engine == nullptr || record.handle == 0) {
        return;
    }
    engine->set_volume(record.handle, volume_fraction(volume));
}

}  // namespace tw
