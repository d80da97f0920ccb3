// Sound recipes: the text file of named blocks of "key = values" lines that
// says which generator makes each output file and with which parameters.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tw::sfx {

// One output file: its generator's parameters as the words written after each key.
struct c_recipe {
    std::string name;
    std::string file;  // relative to the content folder, e.g. "sounds/error.wav"
    std::map<std::string, std::vector<std::string>> values;
    int line = 0;  // of the block's header, for messages
};

// Parses recipe text. A block "[name]" is followed by "key = words" lines; '#' at
// the start of a line or after a space starts a comment. Every block needs "file"
// and "generator". A block with "each_note = n1 n2 ..." and "{n}" in its file
// becomes one recipe per note, numbered from 1, each with "note" set. False with
// a message naming the line for malformed text, unsafe or repeated output paths.
bool parse_recipes(const std::string& text, std::vector<c_recipe>& recipes, std::string& error);
// Reads and parses a recipe file; false with a message if it cannot be read or parsed.
bool load_recipes(const std::string& path, std::vector<c_recipe>& recipes, std::string& error);

// True for a relative path of plain names (no "..", no empty parts) ending in ".wav".
bool is_safe_output_path(const std::string& path);

// Frequency in Hz of a note name (A4 = 440, "C5", "F#5", "Bb3") or of a plain number.
bool note_frequency(const std::string& word, double& hz);

// Typed reading of a recipe's values. Keys that are read are remembered so that
// unknown keys (typos) can be reported; the first malformed value is kept as error().
class c_params {
public:
    explicit c_params(const c_recipe& recipe);
    // The single number under key, or fallback when the key is absent.
    double number(const std::string& key, double fallback);
    // All numbers under key; empty when absent.
    std::vector<double> numbers(const std::string& key);
    // The single pitch (note name or Hz) under key, or fallback when absent.
    double pitch(const std::string& key, double fallback);
    // All pitches under key; empty when absent.
    std::vector<double> pitches(const std::string& key);
    // The single word under key, or fallback when absent.
    std::string word(const std::string& key, const std::string& fallback);
    // Keys of the recipe that nothing has read.
    std::vector<std::string> unused() const;
    // Records a problem with the values (only the first one is kept).
    void fail(const std::string& message);
    // The first problem met while reading values; empty if none.
    const std::string& error() const { return error_; }

private:
    // Reads a word as a value; false if it is not one.
    using value_parser = bool (*)(const std::string& word, double& value);
    // The key's one value, or fallback when absent; a bad word is reported as not `what`.
    double single_value(const std::string& key, double fallback, value_parser parse, const char* what);
    // Every value of the key, in order; bad words are reported.
    std::vector<double> all_values(const std::string& key, value_parser parse, const char* what);
    const std::vector<std::string>* find(const std::string& key);
    const std::vector<std::string>* find_single(const std::string& key);

    const c_recipe& recipe_;
    std::set<std::string> used_;
    std::string error_;
};

}  // namespace tw::sfx
