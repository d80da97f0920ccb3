// The music tool's score parser: durations, chords, rests, ties, dynamics and
// phrases become the right timed notes; a broken score names its line.
#include <gtest/gtest.h>

#include "music/score.h"

namespace tw {
namespace {

const char* const k_header =
    "title: test\n"
    "tempo: 90\n"
    "meter: 4/4\n"
    "key: C major\n"
    "bars: 1\n"
    "unit: 1/8\n";

c_score parse_ok(const std::string& body) {
    c_score score;
    std::string error;
    EXPECT_TRUE(parse_score(std::string(k_header) + "track t program=1 channel=1\n" + body, score, error)) << error;
    return score;
}

struct c_note_timing {
    int start;
    int length;
    int pitch;
};

std::vector<c_note_timing> timings(const c_score& score) {
    std::vector<c_note_timing> out;
    if (score.tracks.empty()) return out;
    for (const c_score_note& n : score.tracks[0].notes) out.push_back({n.start, n.length, n.pitch});
    return out;
}

TEST(music_score, durations_rests_and_chords_are_timed_in_ticks) {
    // The unit is an eighth: 240 ticks.
    const c_score score = parse_ok("c4*2 r d#4/2 eb4/2 [c4 e4 g4]*3 bb3 |\n");
    const std::vector<c_note_timing> got = timings(score);
    const std::vector<c_note_timing> want = {
        {0, 480, 60}, {720, 120, 63}, {840, 120, 63}, {960, 720, 60}, {960, 720, 64}, {960, 720, 67}, {1680, 240, 58}};
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].start, want[i].start) << i;
        EXPECT_EQ(got[i].length, want[i].length) << i;
        EXPECT_EQ(got[i].pitch, want[i].pitch) << i;
    }
}

TEST(music_score, header_and_track_settings_are_read) {
    c_score score;
    std::string error;
    ASSERT_TRUE(parse_score("tempo: 84\nmeter: 6/8\nkey: Eb major\nbars: 2\nunit: 1/8\n"
                            "track harp program=47 channel=3 volume=90 pan=30 reverb=70 gate=80\n"
                            "c4*6 | c4*6 |\n",
                            score, error))
        << error;
    EXPECT_EQ(score.bar_ticks(), 1440);
    EXPECT_EQ(score.loop_ticks(), 2880);
    EXPECT_EQ(score.key_sharps, -3);
    EXPECT_EQ(score.tempo_microseconds(), 714286);
    const c_score_track& t = score.tracks[0];
    EXPECT_EQ(t.program, 46);
    EXPECT_EQ(t.channel, 2);
    EXPECT_EQ(t.volume, 90);
    EXPECT_EQ(t.pan, 30);
    EXPECT_EQ(t.reverb, 70);
    EXPECT_EQ(t.gate_percent, 80);
}

TEST(music_score, key_signatures_count_sharps_and_flats) {
    const struct {
        const char* key;
        int sharps;
    } cases[] = {{"C major", 0}, {"A minor", 0}, {"D major", 2}, {"F major", -1}, {"B minor", 2},
                 {"C# major", 7}, {"Gb major", -6}, {"Eb minor", -6}, {"G# minor", 5}, {"D minor", -1}};
    for (const auto& c : cases) {
        c_score score;
        std::string error;
        ASSERT_TRUE(parse_score(std::string("key: ") + c.key + "\nbars: 1\nunit: 1/1\ntrack t program=1 channel=1\nc4\n",
                                score, error))
            << c.key << " " << error;
        EXPECT_EQ(score.key_sharps, c.sharps) << c.key;
    }
}

TEST(music_score, ties_join_notes_across_bar_lines) {
    c_score score;
    std::string error;
    ASSERT_TRUE(parse_score("bars: 2\nunit: 1/4\ntrack t program=1 channel=1\n"
                            "c4 d4 e4 [f4 a4]~ | [f4 a4]*2 g4*2 |\n",
                            score, error))
        << error;
    const std::vector<c_note_timing> got = timings(score);
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[3].start, 1440);
    EXPECT_EQ(got[3].length, 1440);
    EXPECT_EQ(got[4].start, 1440);
    EXPECT_EQ(got[4].length, 1440);
}

TEST(music_score, phrases_repeat_their_music_and_dynamics_set_velocity) {
    c_score score;
    std::string error;
    ASSERT_TRUE(parse_score("bars: 2\nunit: 1/4\nphrase a\n!p c4 d4 e4 f4 |\n"
                            "track t program=1 channel=1\n@a !f r g4 r r\n",
                            score, error))
        << error;
    const std::vector<c_score_note>& notes = score.tracks[0].notes;
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[4].start, 1920 + 480);
    EXPECT_EQ(notes[4].pitch, 67);
    // The downbeat leans in; later beats sit at the marked dynamic.
    EXPECT_GT(notes[0].velocity, notes[1].velocity);
    EXPECT_GT(notes[4].velocity, notes[1].velocity + 20);
}

TEST(music_score, mistakes_are_reported_with_their_line) {
    const struct {
        const char* body;  // after the 1-bar 4/4 header (6 lines) and the track line
        const char* expected;
    } cases[] = {
        {"c4*8 |\nc4 d4 |\n", "line 9: bar 2 of track 't' holds 1 beats"},
        {"c4*7 |\n", "line 8: bar 1 of track 't' holds 3.5 beats"},
        {"c4*4\nh4*4 |\n", "line 9: 'h4*4' is not a note"},
        {"c4/7 r*7 |\n", "line 8: the length of 'c4/7'"},
        {"[c4 e4 g4*8 |\n", "line 8: chord '[' without ']'"},
        {"c4*4~ d4*4 |\n", "line 8: a tie in track 't' is not followed"},
        {"c4*4 r*4~ |\n", "line 8: a rest cannot be tied"},
        {"!loud c4*8 |\n", "line 8: unknown dynamic"},
        {"@missing\n", "line 8: phrase 'missing' is not defined"},
        {"c4*4\n", "line 8: the last bar"},
        {"c4*8 | c4*8 |\n", "lasts 2 bars; the score has 1"},
        {"g#9*8 |\n", "outside the MIDI range"},
        {"[c4 e4 c4]*8 |\n", "line 8: chord '[c4 e4 c4]*8' has the same note twice"},
    };
    for (const auto& c : cases) {
        c_score score;
        std::string error;
        EXPECT_FALSE(parse_score(std::string(k_header) + "track t program=1 channel=1\n" + c.body, score, error)) << c.body;
        EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
    }
}

TEST(music_score, bad_headers_and_tracks_are_refused) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"tempo: fast\n", "line 1: tempo must be"},
        {"meter: 3/5\n", "line 1: the beat value must be"},
        {"key: H major\n", "line 1: unknown key"},
        {"bars: 2\ntrack t program=0 channel=1\n", "line 2: program must be"},
        {"bars: 2\ntrack t program=1\n", "line 2: track 't' needs program= and channel="},
        {"bars: 1\ntrack a program=1 channel=2\nc4*8\ntrack b program=2 channel=2\n", "line 4: channel 2 is used by two"},
        {"bars: 1\n", "no track"},
        {"unit: 1/4\ntrack t program=1 channel=1\nc4*4\n", "needs 'bars:'"},
    };
    for (const auto& c : cases) {
        c_score score;
        std::string error;
        EXPECT_FALSE(parse_score(c.text, score, error)) << c.text;
        EXPECT_NE(error.find(c.expected), std::string::npos) << "got: " << error;
    }
}

}  // namespace
}  // namespace tw
