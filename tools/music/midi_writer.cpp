// Encodes parsed scores as format-1 standard MIDI files, several passes long.
#include "music/midi_writer.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tw {

namespace {

constexpr uint8_t k_note_off = 0x80;
constexpr uint8_t k_note_on = 0x90;
constexpr uint8_t k_control_change = 0xB0;
constexpr uint8_t k_program_change = 0xC0;
constexpr uint8_t k_meta = 0xFF;
constexpr uint8_t k_meta_track_name = 0x03;
constexpr uint8_t k_meta_end_of_track = 0x2F;
constexpr uint8_t k_meta_tempo = 0x51;
constexpr uint8_t k_meta_time_signature = 0x58;
constexpr uint8_t k_meta_key_signature = 0x59;
constexpr uint8_t k_cc_volume = 7;
constexpr uint8_t k_cc_pan = 10;
constexpr uint8_t k_cc_reverb = 91;
constexpr uint8_t k_release_velocity = 64;
constexpr uint8_t k_clocks_per_click = 24;
constexpr uint8_t k_32nds_per_quarter = 8;

// At one tick, setup comes first, then note-offs, then note-ons, so a note
// repeated at the moment the previous one ends is released before it strikes.
enum e_event_order { k_order_setup, k_order_off, k_order_on };

struct c_event {
    int tick = 0;
    int order = k_order_setup;
    std::vector<uint8_t> bytes;
};

void put_u32_big(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void put_u16_big(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

c_event meta_event(int tick, uint8_t type, const std::vector<uint8_t>& data) {
    c_event event{tick, k_order_setup, {k_meta, type}};
    put_variable_length(event.bytes, uint32_t(data.size()));
    event.bytes.insert(event.bytes.end(), data.begin(), data.end());
    return event;
}

// Writes one "MTrk" chunk from events in any order, ending it at end_tick.
void put_track(std::vector<uint8_t>& out, std::vector<c_event> events, int end_tick) {
    std::stable_sort(events.begin(), events.end(), [](const c_event& a, const c_event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    int now = 0;
    for (const c_event& event : events) {
        put_variable_length(body, uint32_t(event.tick - now));
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        now = event.tick;
    }
    put_variable_length(body, uint32_t(std::max(0, end_tick - now)));
    body.insert(body.end(), {k_meta, k_meta_end_of_track, 0});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put_u32_big(out, uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}

std::vector<c_event> conductor_events(const c_score& score) {
    std::vector<c_event> events;
    events.push_back(meta_event(0, k_meta_track_name, std::vector<uint8_t>(score.title.begin(), score.title.end())));
    const uint32_t tempo = uint32_t(score.tempo_microseconds());
    events.push_back(meta_event(0, k_meta_tempo, {uint8_t(tempo >> 16), uint8_t(tempo >> 8), uint8_t(tempo)}));
    uint8_t value_power = 0;
    while ((1 << (value_power + 1)) <= score.meter_value) ++value_power;
    events.push_back(meta_event(0, k_meta_time_signature,
                                {uint8_t(score.meter_beats), value_power, k_clocks_per_click, k_32nds_per_quarter}));
    events.push_back(meta_event(0, k_meta_key_signature, {uint8_t(int8_t(score.key_sharps)), uint8_t(score.key_minor ? 1 : 0)}));
    return events;
}

std::vector<c_event> instrument_events(const c_score& score, const c_score_track& track, int passes) {
    const uint8_t channel = uint8_t(track.channel);
    std::vector<c_event> events;
    events.push_back(meta_event(0, k_meta_track_name, std::vector<uint8_t>(track.name.begin(), track.name.end())));
    events.push_back({0, k_order_setup, {uint8_t(k_program_change | channel), uint8_t(track.program)}});
    events.push_back({0, k_order_setup, {uint8_t(k_control_change | channel), k_cc_volume, uint8_t(track.volume)}});
    events.push_back({0, k_order_setup, {uint8_t(k_control_change | channel), k_cc_pan, uint8_t(track.pan)}});
    events.push_back({0, k_order_setup, {uint8_t(k_control_change | channel), k_cc_reverb, uint8_t(track.reverb)}});
    for (int pass = 0; pass < passes; ++pass) {
        const int offset = pass * score.loop_ticks();
        for (const c_score_note& note : track.notes) {
            const int sounding = std::max(1, note.length * track.gate_percent / 100);
            const uint8_t pitch = uint8_t(note.pitch);
            events.push_back({offset + note.start, k_order_on, {uint8_t(k_note_on | channel), pitch, uint8_t(note.velocity)}});
            events.push_back({offset + note.start + sounding, k_order_off, {uint8_t(k_note_off | channel), pitch, k_release_velocity}});
        }
    }
    return events;
}

}  // namespace

void put_variable_length(std::vector<uint8_t>& out, uint32_t value) {
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = uint8_t(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(uint8_t(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

int ticks_for_seconds(const c_score& score, double seconds) {
    return int(std::ceil(seconds * 1e6 * k_ticks_per_quarter / score.tempo_microseconds()));
}

std::vector<uint8_t> encode_midi(const c_score& score, const c_midi_layout& layout) {
    const int end_tick = layout.passes * score.loop_ticks() + layout.tail_ticks;
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    put_u32_big(out, 6);
    put_u16_big(out, 1);
    put_u16_big(out, uint32_t(score.tracks.size() + 1));
    put_u16_big(out, k_ticks_per_quarter);
    put_track(out, conductor_events(score), end_tick);
    for (const c_score_track& track : score.tracks) put_track(out, instrument_events(score, track, layout.passes), end_tick);
    return out;
}

}  // namespace tw
