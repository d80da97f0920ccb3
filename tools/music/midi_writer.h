// Standard MIDI file (format 1) writing for the music tool: the score played
// several passes in a row, then a silent tail so reverb and releases can ring out.
#pragma once
#include <cstdint>
#include <vector>

#include "music/score.h"

namespace tw {

// How the score is laid out in time in the MIDI file.
struct c_midi_layout {
    int passes = 3;
    int tail_ticks = 0;  // silence after the last pass, before every track ends
};

// Appends value as a MIDI variable-length quantity (7 bits a byte, high bit = more follows).
void put_variable_length(std::vector<uint8_t>& out, uint32_t value);

// Ticks in the given number of seconds at the score's tempo, rounded up.
int ticks_for_seconds(const c_score& score, double seconds);

// Encodes the score as a format-1 MIDI file: a conductor track (name, tempo,
// meter, key) and one track per score track with its program, CC7 volume,
// CC10 pan, CC91 reverb and notes, repeated layout.passes times one loop apart.
std::vector<uint8_t> encode_midi(const c_score& score, const c_midi_layout& layout);

}  // namespace tw
