// The music tool's MIDI writer: byte-exact header, variable-length numbers and
// event order, and the passes laid out exactly one loop apart.
#include <gtest/gtest.h>

#include "music/midi_writer.h"

namespace tw {
namespace {

struct c_read_event {
    int tick;
    std::vector<uint8_t> bytes;
};

uint32_t read_variable_length(const std::vector<uint8_t>& in, size_t& pos) {
    uint32_t value = 0;
    while (true) {
        const uint8_t b = in.at(pos++);
        value = value << 7 | (b & 0x7F);
        if ((b & 0x80) == 0) return value;
    }
}

// Splits a format-1 file into its tracks' events with absolute ticks (no running status).
std::vector<std::vector<c_read_event>> read_tracks(const std::vector<uint8_t>& file) {
    std::vector<std::vector<c_read_event>> tracks;
    size_t pos = 14;
    while (pos < file.size()) {
        EXPECT_EQ(std::string(file.begin() + long(pos), file.begin() + long(pos) + 4), "MTrk");
        const size_t length = size_t(file[pos + 4]) << 24 | size_t(file[pos + 5]) << 16 | size_t(file[pos + 6]) << 8 | file[pos + 7];
        size_t at = pos + 8;
        const size_t end = at + length;
        std::vector<c_read_event> events;
        int tick = 0;
        while (at < end) {
            tick += int(read_variable_length(file, at));
            const size_t start = at;
            const uint8_t status = file.at(at);
            if (status == 0xFF) {
                at += 2;
                at += read_variable_length(file, at);
            } else {
                at += (status & 0xF0) == 0xC0 ? 2 : 3;
            }
            events.push_back({tick, std::vector<uint8_t>(file.begin() + long(start), file.begin() + long(at))});
        }
        EXPECT_EQ(at, end);
        tracks.push_back(events);
        pos = end;
    }
    return tracks;
}

c_score tiny_score() {
    c_score score;
    std::string error;
    EXPECT_TRUE(parse_score("title: t\ntempo: 120\nmeter: 2/4\nkey: G major\nbars: 1\nunit: 1/4\n"
                            "track lead program=74 channel=2 volume=100 pan=40 reverb=50\nc5 c5 |\n",
                            score, error))
        << error;
    return score;
}

TEST(music_midi, variable_length_numbers_use_seven_bits_a_byte) {
    const struct {
        uint32_t value;
        std::vector<uint8_t> bytes;
    } cases[] = {{0, {0x00}},
                 {127, {0x7F}},
                 {128, {0x81, 0x00}},
                 {16383, {0xFF, 0x7F}},
                 {16384, {0x81, 0x80, 0x00}},
                 {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}}};
    for (const auto& c : cases) {
        std::vector<uint8_t> out;
        put_variable_length(out, c.value);
        EXPECT_EQ(out, c.bytes) << c.value;
    }
}

TEST(music_midi, header_and_tracks_of_a_tiny_score_are_byte_exact) {
    const std::vector<uint8_t> file = encode_midi(tiny_score(), {1, 0});
    const std::vector<uint8_t> header = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
    ASSERT_GE(file.size(), header.size());
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 14), header);

    const std::vector<std::vector<c_read_event>> tracks = read_tracks(file);
    ASSERT_EQ(tracks.size(), 2u);
    const std::vector<std::vector<uint8_t>> conductor = {
        {0xFF, 0x03, 1, 't'},
        {0xFF, 0x51, 3, 0x07, 0xA1, 0x20},  // 500000 microseconds a quarter
        {0xFF, 0x58, 4, 2, 2, 24, 8},
        {0xFF, 0x59, 2, 1, 0},
        {0xFF, 0x2F, 0}};
    ASSERT_EQ(tracks[0].size(), conductor.size());
    for (size_t i = 0; i < conductor.size(); ++i) EXPECT_EQ(tracks[0][i].bytes, conductor[i]) << i;
    EXPECT_EQ(tracks[0].back().tick, 960);

    // The repeated C: its first sounding is released before the second strikes at tick 480.
    const std::vector<c_read_event> want = {
        {0, {0xFF, 0x03, 4, 'l', 'e', 'a', 'd'}},
        {0, {0xC1, 73}},
        {0, {0xB1, 7, 100}},
        {0, {0xB1, 10, 40}},
        {0, {0xB1, 91, 50}},
        {0, {0x91, 72, 84}},
        {480, {0x81, 72, 64}},
        {480, {0x91, 72, 78}},
        {960, {0x81, 72, 64}},
        {960, {0xFF, 0x2F, 0}}};
    ASSERT_EQ(tracks[1].size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(tracks[1][i].tick, want[i].tick) << i;
        EXPECT_EQ(tracks[1][i].bytes, want[i].bytes) << i;
    }
}

TEST(music_midi, passes_start_exactly_one_loop_apart_and_the_tail_is_silent) {
    const c_score score = tiny_score();
    const int tail = ticks_for_seconds(score, 2.0);
    EXPECT_EQ(tail, 1920);  // two seconds at 120 quarters a minute
    const std::vector<std::vector<c_read_event>> tracks = read_tracks(encode_midi(score, {3, tail}));
    ASSERT_EQ(tracks.size(), 2u);
    std::vector<int> note_on_ticks;
    int last_note_off = 0;
    for (const c_read_event& e : tracks[1]) {
        if ((e.bytes[0] & 0xF0) == 0x90) note_on_ticks.push_back(e.tick);
        if ((e.bytes[0] & 0xF0) == 0x80) last_note_off = e.tick;
    }
    const int loop = score.loop_ticks();
    EXPECT_EQ(note_on_ticks, (std::vector<int>{0, 480, loop, loop + 480, 2 * loop, 2 * loop + 480}));
    EXPECT_EQ(last_note_off, 3 * loop);
    EXPECT_EQ(tracks[0].back().tick, 3 * loop + tail);
    EXPECT_EQ(tracks[1].back().tick, 3 * loop + tail);
}

TEST(music_midi, gate_shortens_the_sounding_part_of_each_note) {
    c_score score = tiny_score();
    score.tracks[0].gate_percent = 50;
    const std::vector<std::vector<c_read_event>> tracks = read_tracks(encode_midi(score, {1, 0}));
    std::vector<int> off_ticks;
    for (const c_read_event& e : tracks[1]) {
        if ((e.bytes[0] & 0xF0) == 0x80) off_ticks.push_back(e.tick);
    }
    EXPECT_EQ(off_ticks, (std::vector<int>{240, 720}));
}

}  // namespace
}  // namespace tw
