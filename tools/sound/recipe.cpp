// Reading sound recipes: the block parser, output path checks, note names and
// typed parameter access.
#include "sound/recipe.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tw::sfx {

namespace {

constexpr double k_a4_hz = 440.0;
constexpr int k_a4_midi = 69;
constexpr const char* k_note_placeholder = "{n}";
constexpr const char* k_each_note_key = "each_note";
constexpr const char* k_wav_suffix = ".wav";

std::string trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Drops a comment: '#' at the start of the line or after a space or tab, so that
// sharps in note names ("F#5") are kept.
std::string strip_comment(const std::string& line) {
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) return line.substr(0, i);
    }
    return line;
}

std::vector<std::string> split_words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

bool is_name(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool parse_number(const std::string& word, double& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    value = std::strtod(word.c_str(), &end);
    return end == word.c_str() + word.size() && std::isfinite(value);
}

std::string at_line(int line) { return "line " + std::to_string(line) + ": "; }

// Checks a finished block and adds it, expanded per note if it asks for that.
bool finish_block(const c_recipe& block, std::vector<c_recipe>& recipes, std::set<std::string>& files,
                  std::string& error) {
    const auto file = block.values.find("file");
    if (file == block.values.end() || file->second.size() != 1) {
        error = at_line(block.line) + "[" + block.name + "] needs one file";
        return false;
    }
    if (block.values.count("generator") == 0) {
        error = at_line(block.line) + "[" + block.name + "] needs a generator";
        return false;
    }
    const std::string pattern = file->second[0];
    const bool numbered = pattern.find(k_note_placeholder) != std::string::npos;
    const auto notes = block.values.find(k_each_note_key);
    if (numbered != (notes != block.values.end())) {
        error = at_line(block.line) + "[" + block.name + "] needs both each_note and {n} in its file, or neither";
        return false;
    }
    std::vector<c_recipe> made;
    if (!numbered) {
        made.push_back(block);
        made.back().file = pattern;
    } else {
        for (size_t i = 0; i < notes->second.size(); ++i) {
            c_recipe one = block;
            one.values.erase(k_each_note_key);
            one.values["note"] = {notes->second[i]};
            const std::string number = std::to_string(i + 1);
            one.name = block.name + "_" + number;
            one.file = pattern;
            one.file.replace(one.file.find(k_note_placeholder), std::string(k_note_placeholder).size(), number);
            made.push_back(one);
        }
    }
    for (c_recipe& one : made) {
        one.values.erase("file");
        if (!is_safe_output_path(one.file)) {
            error = at_line(block.line) + "unsafe output path '" + one.file + "'";
            return false;
        }
        if (!files.insert(one.file).second) {
            error = at_line(block.line) + "'" + one.file + "' is made twice";
            return false;
        }
        recipes.push_back(one);
    }
    return true;
}

}  // namespace

bool is_safe_output_path(const std::string& path) {
    const std::string suffix = k_wav_suffix;
    if (path.size() <= suffix.size() || path.compare(path.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    if (path.front() == '/' || path.find('\\') != std::string::npos) return false;
    std::istringstream parts(path);
    std::string part;
    size_t count = 0;
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part == "." || part == "..") return false;
        ++count;
    }
    return count > 0 && path.back() != '/';
}

bool parse_recipes(const std::string& text, std::vector<c_recipe>& recipes, std::string& error) {
    recipes.clear();
    std::set<std::string> files;
    std::set<std::string> names;
    std::istringstream in(text);
    std::string raw;
    int line = 0;
    bool in_block = false;
    c_recipe block;
    while (std::getline(in, raw)) {
        ++line;
        const std::string content = trim(strip_comment(raw));
        if (content.empty()) continue;
        if (content.front() == '[') {
            if (in_block && !finish_block(block, recipes, files, error)) return false;
            const std::string name = content.back() == ']' ? trim(content.substr(1, content.size() - 2)) : "";
            if (!is_name(name)) {
                error = at_line(line) + "expected [name] of letters, digits and '_'";
                return false;
            }
            if (!names.insert(name).second) {
                error = at_line(line) + "[" + name + "] appears twice";
                return false;
            }
            block = c_recipe{};
            block.name = name;
            block.line = line;
            in_block = true;
            continue;
        }
        const size_t equals = content.find('=');
        if (equals == std::string::npos) {
            error = at_line(line) + "expected key = values";
            return false;
        }
        if (!in_block) {
            error = at_line(line) + "a value before the first [name]";
            return false;
        }
        const std::string key = trim(content.substr(0, equals));
        const std::vector<std::string> words = split_words(content.substr(equals + 1));
        if (!is_name(key) || words.empty()) {
            error = at_line(line) + "expected key = values";
            return false;
        }
        if (!block.values.emplace(key, words).second) {
            error = at_line(line) + "'" + key + "' is given twice in [" + block.name + "]";
            return false;
        }
    }
    if (in_block && !finish_block(block, recipes, files, error)) return false;
    if (recipes.empty()) {
        error = "no recipes";
        return false;
    }
    return true;
}

bool load_recipes(const std::string& path, std::vector<c_recipe>& recipes, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (!parse_recipes(text.str(), recipes, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

bool note_frequency(const std::string& word, double& hz) {
    if (parse_number(word, hz)) return hz > 0.0;
    static const int semitone_of_letter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
    if (word.size() < 2) return false;
    const char letter = char(std::toupper(static_cast<unsigned char>(word[0])));
    if (letter < 'A' || letter > 'G') return false;
    int semitone = semitone_of_letter[letter - 'A'];
    size_t pos = 1;
    if (word[pos] == '#') {
        ++semitone;
        ++pos;
    } else if (word[pos] == 'b') {
        --semitone;
        ++pos;
    }
    const std::string octave_text = word.substr(pos);
    if (octave_text.empty() || octave_text.size() > 2) return false;
    for (char c : octave_text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    }
    const int midi = (std::stoi(octave_text) + 1) * 12 + semitone;
    hz = k_a4_hz * std::pow(2.0, double(midi - k_a4_midi) / 12.0);
    return true;
}

c_params::c_params(const c_recipe& recipe) : recipe_(recipe) {
    used_.insert("generator");
}

void c_params::fail(const std::string& message) {
    if (error_.empty()) error_ = "[" + recipe_.name + "] " + message;
}

const std::vector<std::string>* c_params::find(const std::string& key) {
    used_.insert(key);
    const auto found = recipe_.values.find(key);
    return found == recipe_.values.end() ? nullptr : &found->second;
}

const std::vector<std::string>* c_params::find_single(const std::string& key) {
    const std::vector<std::string>* words = find(key);
    if (words != nullptr && words->size() != 1) {
        fail("'" + key + "' takes one value");
        return nullptr;
    }
    return words;
}

double c_params::single_value(const std::string& key, double fallback, value_parser parse, const char* what) {
    const std::vector<std::string>* words = find_single(key);
    if (words == nullptr) return fallback;
    double value = 0.0;
    if (!parse(words->front(), value)) {
        fail("'" + key + "' is not " + what + ": " + words->front());
        return fallback;
    }
    return value;
}

std::vector<double> c_params::all_values(const std::string& key, value_parser parse, const char* what) {
    std::vector<double> values;
    const std::vector<std::string>* words = find(key);
    if (words == nullptr) return values;
    for (const std::string& word : *words) {
        double value = 0.0;
        if (!parse(word, value)) fail("'" + key + "' is not " + what + ": " + word);
        values.push_back(value);
    }
    return values;
}

double c_params::number(const std::string& key, double fallback) {
    return single_value(key, fallback, parse_number, "a number");
}

std::vector<double> c_params::numbers(const std::string& key) { return all_values(key, parse_number, "a number"); }

double c_params::pitch(const std::string& key, double fallback) {
    return single_value(key, fallback, note_frequency, "a note or frequency");
}

std::vector<double> c_params::pitches(const std::string& key) {
    return all_values(key, note_frequency, "a note or frequency");
}

std::string c_params::word(const std::string& key, const std::string& fallback) {
    const std::vector<std::string>* words = find_single(key);
    return words == nullptr ? fallback : words->front();
}

std::vector<std::string> c_params::unused() const {
    std::vector<std::string> keys;
    for (const auto& entry : recipe_.values) {
        if (used_.count(entry.first) == 0) keys.push_back(entry.first);
    }
    return keys;
}

}  // namespace tw::sfx
