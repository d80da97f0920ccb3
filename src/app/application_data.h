// The data every state receives: the switch request, the player record with
// its message queues, the sound table and the music fade.
#pragma once
#include <cstdint>

#include "net/persistent_data.h"
#include "sound/sound_table.h"

namespace tw {

// State identifiers, the values of next_state.
constexpr uint16_t k_state_none = 0;
constexpr uint16_t k_state_menu = 1;
constexpr uint16_t k_state_editor = 2;
constexpr uint16_t k_state_chapter_1 = 3;  // chapters 1..5 are 3..7
constexpr uint16_t k_state_chapter_5 = 7;

struct c_application_data {
    uint8_t switch_requested = 0;
    uint16_t next_state = k_state_none;
    c_persistent_data persistent;
    sound_table sounds;
    c_sound* current_music = nullptr;  // into sounds; not owned
    c_sound* next_music = nullptr;     // into sounds; not owned
    uint8_t music_volume = 255;

    // Asks the machine to install another state between frames; the last
    // request before the switch counts.
    void request_state(uint16_t id) {
        next_state = id;
        switch_requested = 1;
    }
};

}  // namespace tw
