// The music tool's text score: its format, the parsed score, and the parser.
//
// A score is plain text, one statement a line; '#' at the start of a line or
// after a space starts a comment (right after a note letter it is a sharp).
//
// Header lines (before the first phrase or track):
//   title: Main menu            free text, written as the MIDI sequence name
//   tempo: 84                   quarter notes per minute (also for 6/8)
//   meter: 3/4                  beats per bar / beat value (2, 4, 8 or 16)
//   key: F major                key signature written to the MIDI file
//                               (C..B with # or b, then major or minor)
//   bars: 32                    loop length; every track fills exactly this many bars
//   unit: 1/8                   length of a note written without a duration
//
// Blocks (their body is the lines up to the next block line):
//   phrase NAME                 a named run of music, used as @NAME
//   track NAME program=P channel=C [volume=V] [pan=N] [reverb=R] [gate=G]
//       P: General MIDI program 1..128 as printed in the GM table;
//       C: MIDI channel 1..16 (10 is percussion), each used by one track;
//       V, N, R: 0..127 (defaults 100, 64, 40): CC7 volume, CC10 pan, CC91 reverb;
//       G: percent of each note's length that sounds (default 100).
//
// Music tokens, separated by spaces:
//   c4 f#3 bb5                  a note: letter, optional # or b, octave (c4 = middle C)
//   c4*2  c4/2  c4*3/2          durations in units: times and divided by whole numbers
//   [c4 e4 g4]*2                a chord: all its notes share the duration
//   r  r*3                      a rest
//   c4*2~ c4                    a tie: the note sounds on into the next note of that pitch
//   |                           a bar line: the bar before it must be exactly full
//   !pp !p !mp !mf !f !ff       dynamics for the following notes (start: mf)
//   @NAME                       the music of an earlier phrase
#pragma once
#include <string>
#include <vector>

namespace tw {

constexpr int k_ticks_per_quarter = 480;

// One sounding note after ties are joined: start and length in ticks.
struct c_score_note {
    int start = 0;
    int length = 0;
    int pitch = 60;
    int velocity = 80;
};

// One instrument on its own MIDI channel; program and channel are 0-based here.
struct c_score_track {
    std::string name;
    int program = 0;
    int channel = 0;
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    int gate_percent = 100;
    std::vector<c_score_note> notes;
};

struct c_score {
    std::string title;
    double tempo_bpm = 120;
    int meter_beats = 4;
    int meter_value = 4;
    int key_sharps = 0;  // negative for flats, as the MIDI key signature stores it
    bool key_minor = false;
    int bars = 0;
    int unit_ticks = k_ticks_per_quarter / 2;
    std::vector<c_score_track> tracks;

    int bar_ticks() const { return meter_beats * 4 * k_ticks_per_quarter / meter_value; }
    int loop_ticks() const { return bars * bar_ticks(); }
    // Microseconds per quarter note, whole as the MIDI tempo event stores it.
    int tempo_microseconds() const;
};

// Parses score text; on failure returns false and sets error to "line N: what is wrong".
bool parse_score(const std::string& text, c_score& score, std::string& error);

}  // namespace tw
