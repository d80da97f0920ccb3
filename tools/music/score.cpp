// Parses the music tool's text scores (format in score.h) into timed notes,
// checking every bar's length so a slip in a score is caught with its line.
#include "music/score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace tw {

namespace {

constexpr int k_velocity_mezzo_forte = 78;
// Notes on the first beat of a bar lean in a little; notes between beats are
// a little lighter, so lines phrase like played music rather than a sequencer.
constexpr int k_downbeat_accent = 6;
constexpr int k_offbeat_softening = 5;
constexpr int k_default_reverb = 40;

struct c_token {
    std::string text;
    int line = 0;
};

struct c_raw_track {
    c_score_track track;
    int line = 0;
    std::vector<c_token> tokens;
};

struct c_parse_failure {
    std::string message;
};

[[noreturn]] void fail(int line, const std::string& message) {
    throw c_parse_failure{"line " + std::to_string(line) + ": " + message};
}

std::string trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Cuts a comment: a '#' at the start of the line or after a space (a '#' right
// after a letter is a sharp).
std::string strip_comment(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
    }
    return line;
}

// A whole number in [low, high], or a failure naming what it was for.
int parse_int(const std::string& text, int low, int high, int line, const std::string& what) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high) {
        fail(line, what + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                       ", not '" + text + "'");
    }
    return int(value);
}

// Splits a line into tokens; a chord in brackets stays one token with its suffix.
std::vector<c_token> split_tokens(const std::string& line_text, int line) {
    std::vector<c_token> tokens;
    size_t i = 0;
    while (i < line_text.size()) {
        if (line_text[i] == ' ' || line_text[i] == '\t' || line_text[i] == '\r') {
            ++i;
            continue;
        }
        const size_t start = i;
        if (line_text[i] == '[') {
            const size_t close = line_text.find(']', i);
            if (close == std::string::npos) fail(line, "chord '[' without ']'");
            i = close + 1;
        }
        while (i < line_text.size() && line_text[i] != ' ' && line_text[i] != '\t' && line_text[i] != '\r') ++i;
        tokens.push_back({line_text.substr(start, i - start), line});
    }
    return tokens;
}

// Reads a pitch such as c4, f#3, bb-1 from text at pos; -1 if there is none.
int read_pitch(const std::string& text, size_t& pos) {
    static const int k_letter_semitones[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (pos >= text.size() || text[pos] < 'a' || text[pos] > 'g') return -1;
    int semitone = k_letter_semitones[text[pos] - 'a'];
    ++pos;
    const auto octave_follows = [&](size_t at) {
        return at < text.size() && (std::isdigit(static_cast<unsigned char>(text[at])) || text[at] == '-');
    };
    if (pos < text.size() && (text[pos] == '#' || text[pos] == 'b') && octave_follows(pos + 1)) {
        semitone += text[pos] == '#' ? 1 : -1;
        ++pos;
    }
    if (!octave_follows(pos)) return -1;
    const bool negative = text[pos] == '-';
    if (negative) ++pos;
    if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return -1;
    const int octave = (text[pos] - '0') * (negative ? -1 : 1);
    ++pos;
    return (octave + 1) * 12 + semitone;
}

// Reads the duration suffix (*N, /N, in any number) and a final '~' for a tie.
int read_duration(const std::string& token, size_t pos, int unit_ticks, bool& tied, int line) {
    long numerator = unit_ticks;
    long denominator = 1;
    tied = false;
    while (pos < token.size()) {
        const char op = token[pos];
        if (op == '~' && pos + 1 == token.size()) {
            tied = true;
            break;
        }
        if (op != '*' && op != '/') fail(line, "unexpected '" + token.substr(pos) + "' in '" + token + "'");
        size_t end = pos + 1;
        while (end < token.size() && std::isdigit(static_cast<unsigned char>(token[end]))) ++end;
        if (end == pos + 1) fail(line, "'" + std::string(1, op) + "' needs a number in '" + token + "'");
        const int factor = parse_int(token.substr(pos + 1, end - pos - 1), 1, 64, line, "a duration factor");
        (op == '*' ? numerator : denominator) *= factor;
        pos = end;
    }
    if (numerator % denominator != 0) fail(line, "the length of '" + token + "' is not a whole number of ticks");
    return int(numerator / denominator);
}

int key_signature_sharps(const std::string& tonic, bool minor, int line) {
    // Sharps of the major key on each pitch class from C; flats are negative.
    static const int k_major_sharps[12] = {0, -5, 2, -3, 4, -1, 6, 1, -4, 3, -2, 5};
    size_t pos = 0;
    const std::string with_octave = std::string(1, char(std::tolower(static_cast<unsigned char>(tonic.empty() ? ' ' : tonic[0])))) +
                                    tonic.substr(tonic.empty() ? 0 : 1) + "4";
    const int pitch = read_pitch(with_octave, pos);
    if (pitch < 0 || pos != with_octave.size()) fail(line, "unknown key '" + tonic + "'");
    int sharps = k_major_sharps[(pitch + (minor ? 3 : 0)) % 12];
    if (tonic.find('#') != std::string::npos && sharps < 0) sharps += 12;
    if (tonic.size() > 1 && tonic[1] == 'b' && sharps > 0) sharps -= 12;
    return sharps;
}

void parse_header_line(const std::string& name, const std::string& value, int line, c_score& score) {
    if (name == "title") {
        score.title = value;
    } else if (name == "tempo") {
        char* end = nullptr;
        const double bpm = std::strtod(value.c_str(), &end);
        if (value.empty() || *end != '\0' || !(bpm >= 20 && bpm <= 400)) fail(line, "tempo must be 20 to 400 quarter notes a minute");
        score.tempo_bpm = bpm;
    } else if (name == "meter") {
        const size_t slash = value.find('/');
        if (slash == std::string::npos) fail(line, "meter must look like 3/4");
        score.meter_beats = parse_int(value.substr(0, slash), 1, 16, line, "the beats of a bar");
        score.meter_value = parse_int(value.substr(slash + 1), 2, 16, line, "the beat value");
        if ((score.meter_value & (score.meter_value - 1)) != 0) fail(line, "the beat value must be 2, 4, 8 or 16");
    } else if (name == "key") {
        std::istringstream words(value);
        std::string tonic, mode;
        words >> tonic >> mode;
        if (mode != "major" && mode != "minor") fail(line, "key must be a tonic and 'major' or 'minor'");
        score.key_minor = mode == "minor";
        score.key_sharps = key_signature_sharps(tonic, score.key_minor, line);
    } else if (name == "bars") {
        score.bars = parse_int(value, 1, 1000, line, "bars");
    } else if (name == "unit") {
        const size_t slash = value.find('/');
        if (slash == std::string::npos) fail(line, "unit must look like 1/8");
        const int numerator = parse_int(value.substr(0, slash), 1, 16, line, "the unit's numerator");
        const int denominator = parse_int(value.substr(slash + 1), 1, 64, line, "the unit's denominator");
        if (4 * k_ticks_per_quarter * numerator % denominator != 0) fail(line, "unit is not a whole number of ticks");
        score.unit_ticks = 4 * k_ticks_per_quarter * numerator / denominator;
    } else {
        fail(line, "unknown header '" + name + "'");
    }
}

c_raw_track parse_track_line(const std::vector<c_token>& words, int line, std::vector<bool>& channels_used) {
    c_raw_track raw;
    raw.line = line;
    if (words.size() < 2) fail(line, "a track needs a name");
    raw.track.name = words[1].text;
    raw.track.reverb = k_default_reverb;
    bool have_program = false, have_channel = false;
    for (size_t i = 2; i < words.size(); ++i) {
        const std::string& word = words[i].text;
        const size_t equals = word.find('=');
        if (equals == std::string::npos) fail(line, "track setting '" + word + "' needs name=value");
        const std::string name = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        if (name == "program") {
            raw.track.program = parse_int(value, 1, 128, line, "program") - 1;
            have_program = true;
        } else if (name == "channel") {
            raw.track.channel = parse_int(value, 1, 16, line, "channel") - 1;
            have_channel = true;
        } else if (name == "volume") {
            raw.track.volume = parse_int(value, 0, 127, line, "volume");
        } else if (name == "pan") {
            raw.track.pan = parse_int(value, 0, 127, line, "pan");
        } else if (name == "reverb") {
            raw.track.reverb = parse_int(value, 0, 127, line, "reverb");
        } else if (name == "gate") {
            raw.track.gate_percent = parse_int(value, 1, 100, line, "gate");
        } else {
            fail(line, "unknown track setting '" + name + "'");
        }
    }
    if (!have_program || !have_channel) fail(line, "track '" + raw.track.name + "' needs program= and channel=");
    if (channels_used[size_t(raw.track.channel)]) fail(line, "channel " + std::to_string(raw.track.channel + 1) + " is used by two tracks");
    channels_used[size_t(raw.track.channel)] = true;
    return raw;
}

int dynamic_velocity(const std::string& mark, int line) {
    static const std::map<std::string, int> k_dynamics = {{"!pp", 36}, {"!p", 50}, {"!mp", 64},
                                                          {"!mf", k_velocity_mezzo_forte}, {"!f", 92}, {"!ff", 106}};
    const auto found = k_dynamics.find(mark);
    if (found == k_dynamics.end()) fail(line, "unknown dynamic '" + mark + "'");
    return found->second;
}

std::string beats_text(int ticks, int beat_ticks) {
    std::ostringstream out;
    out << double(ticks) / beat_ticks;
    return out.str();
}

// Turns a track's tokens into notes, joining ties and checking bar lengths.
void build_notes(c_raw_track& raw, const c_score& score) {
    c_score_track& track = raw.track;
    const int bar_ticks = score.bar_ticks();
    const int beat_ticks = 4 * k_ticks_per_quarter / score.meter_value;
    const bool compound = score.meter_value == 8 && score.meter_beats % 3 == 0 && score.meter_beats > 3;
    const int pulse_ticks = compound ? beat_ticks * 3 : beat_ticks;
    int cursor = 0;
    int bar_start = 0;
    int bar_number = 1;
    int velocity = k_velocity_mezzo_forte;
    std::map<int, size_t> tied;  // pitch -> note that sounds on into the next event
    int last_line = raw.line;
    for (const c_token& token : raw.tokens) {
        const std::string& text = token.text;
        last_line = token.line;
        if (text == "|") {
            if (cursor - bar_start != bar_ticks) {
                fail(token.line, "bar " + std::to_string(bar_number) + " of track '" + track.name + "' holds " +
                                     beats_text(cursor - bar_start, beat_ticks) + " beats; a bar of " +
                                     std::to_string(score.meter_beats) + "/" + std::to_string(score.meter_value) +
                                     " holds " + std::to_string(score.meter_beats));
            }
            bar_start = cursor;
            ++bar_number;
            continue;
        }
        if (text[0] == '!') {
            velocity = dynamic_velocity(text, token.line);
            continue;
        }
        std::vector<int> pitches;
        size_t pos = 0;
        if (text[0] == '[') {
            const size_t close = text.find(']');
            for (const c_token& inner : split_tokens(text.substr(1, close - 1), token.line)) {
                size_t inner_pos = 0;
                const int pitch = read_pitch(inner.text, inner_pos);
                if (pitch < 0 || inner_pos != inner.text.size()) fail(token.line, "'" + inner.text + "' in a chord is not a note");
                if (std::find(pitches.begin(), pitches.end(), pitch) != pitches.end()) {
                    fail(token.line, "chord '" + text + "' has the same note twice");
                }
                pitches.push_back(pitch);
            }
            if (pitches.empty()) fail(token.line, "empty chord");
            pos = close + 1;
        } else if (text[0] == 'r') {
            pos = 1;
        } else {
            const int pitch = read_pitch(text, pos);
            if (pitch < 0) fail(token.line, "'" + text + "' is not a note, rest, chord, bar line or dynamic");
            pitches.push_back(pitch);
        }
        for (int pitch : pitches) {
            if (pitch < 0 || pitch > 127) fail(token.line, "'" + text + "' is outside the MIDI range");
        }
        bool tie = false;
        const int length = read_duration(text, pos, score.unit_ticks, tie, token.line);
        if (pitches.empty() && tie) fail(token.line, "a rest cannot be tied");
        std::map<int, size_t> next_tied;
        for (int pitch : pitches) {
            const auto held = tied.find(pitch);
            size_t index = 0;
            if (held != tied.end()) {
                index = held->second;
                track.notes[index].length += length;
                tied.erase(held);
            } else {
                const int in_bar = cursor - bar_start;
                int note_velocity = velocity;
                if (in_bar == 0) {
                    note_velocity += k_downbeat_accent;
                } else if (in_bar % pulse_ticks != 0) {
                    note_velocity -= k_offbeat_softening;
                }
                index = track.notes.size();
                track.notes.push_back({cursor, length, pitch, std::max(1, std::min(127, note_velocity))});
            }
            if (tie) next_tied[pitch] = index;
        }
        if (!tied.empty()) fail(token.line, "a tie in track '" + track.name + "' is not followed by the same note");
        tied = next_tied;
        cursor += length;
    }
    if (!tied.empty()) fail(last_line, "track '" + track.name + "' ends on a tie");
    if (cursor - bar_start > 0 && cursor - bar_start != bar_ticks) {
        fail(last_line, "the last bar of track '" + track.name + "' holds " + beats_text(cursor - bar_start, beat_ticks) +
                            " beats; a bar holds " + std::to_string(score.meter_beats));
    }
    if (cursor != score.loop_ticks()) {
        fail(last_line, "track '" + track.name + "' lasts " + std::to_string(cursor / bar_ticks) + " bars; the score has " +
                            std::to_string(score.bars));
    }
}

}  // namespace

int c_score::tempo_microseconds() const { return int(std::lround(60'000'000.0 / tempo_bpm)); }

bool parse_score(const std::string& text, c_score& score, std::string& error) {
    score = c_score{};
    try {
        std::map<std::string, std::vector<c_token>> phrases;
        std::vector<c_raw_track> tracks;
        std::vector<bool> channels_used(16, false);
        std::vector<c_token>* body = nullptr;  // where music lines go: the open phrase or track
        std::istringstream lines(text);
        std::string line_text;
        int line = 0;
        while (std::getline(lines, line_text)) {
            ++line;
            line_text = trim(strip_comment(line_text));
            if (line_text.empty()) continue;
            const std::vector<c_token> words = split_tokens(line_text, line);
            if (words[0].text == "phrase") {
                if (words.size() != 2) fail(line, "a phrase line is 'phrase NAME'");
                if (phrases.count(words[1].text) != 0) fail(line, "phrase '" + words[1].text + "' is defined twice");
                body = &phrases[words[1].text];
                continue;
            }
            if (words[0].text == "track") {
                tracks.push_back(parse_track_line(words, line, channels_used));
                body = &tracks.back().tokens;
                continue;
            }
            if (body == nullptr) {
                const size_t colon = line_text.find(':');
                if (colon == std::string::npos) fail(line, "expected a header line 'name: value'");
                parse_header_line(trim(line_text.substr(0, colon)), trim(line_text.substr(colon + 1)), line, score);
                continue;
            }
            for (const c_token& word : words) {
                if (word.text[0] != '@') {
                    body->push_back(word);
                    continue;
                }
                const auto phrase = phrases.find(word.text.substr(1));
                if (phrase == phrases.end() || &phrase->second == body) {
                    fail(line, "phrase '" + word.text.substr(1) + "' is not defined above");
                }
                body->insert(body->end(), phrase->second.begin(), phrase->second.end());
            }
        }
        if (score.bars == 0) fail(line, "the header needs 'bars:'");
        if (tracks.empty()) fail(line, "the score has no track");
        for (c_raw_track& raw : tracks) {
            build_notes(raw, score);
            score.tracks.push_back(raw.track);
        }
    } catch (const c_parse_failure& failure) {
        error = failure.message;
        return false;
    }
    return true;
}

}  // namespace tw
