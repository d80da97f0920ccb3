// The music fade, one step per tick.
#include "app/music.h"

namespace tw {

namespace {
constexpr uint8_t k_fade_step = 3;
constexpr uint8_t k_full_volume = 255;
}  // namespace

void request_music(i_sound_device* engine, c_application_data& data, c_sound& record) {
    if (!data.current_music) {
        data.current_music = &record;
        data.next_music = nullptr;
        play_sound(engine, record);
        set_sound_volume(engine, record, data.music_volume);
        return;
    }
    data.next_music = &record;
}

void music_fade_step(i_sound_device* engine, c_application_data& data) {
    if (data.next_music) {
        if (data.music_volume < 2) {
            if (data.current_music) stop_sound(engine, *data.current_music);
            data.current_music = data.next_music;
            data.next_music = nullptr;
            play_sound(engine, *data.current_music);
            set_sound_volume(engine, *data.current_music, data.music_volume);
        } else {
            data.music_volume = data.music_volume < 4 ? 1 : data.music_volume - k_fade_step;
            if (data.current_music) set_sound_volume(engine, *data.current_music, data.music_volume);
        }
        return;
    }
    if (data.music_volume != k_full_volume) {
        data.music_volume = data.music_volume >= k_full_volume - k_fade_step
                                ? k_full_volume
                                : data.music_volume + k_fade_step;
        if (data.current_music) set_sound_volume(engine, *data.current_music, data.music_volume);
    }
}

}  // namespace tw
