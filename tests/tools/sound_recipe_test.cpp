// Reading sound recipes: note names, the block format and its mistakes, output
// path safety, per-note expansion, and parameters no generator reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/recipe.h"
#include "sound/render.h"

namespace tw::sfx {
namespace {

struct c_note_case {
    const char* word;
    double hz;
};

TEST(sound_recipe, note_names_and_numbers_give_frequencies) {
    const c_note_case cases[] = {
        {"A4", 440.0}, {"C5", 523.2511}, {"F#5", 739.9888}, {"Bb3", 233.0819},
        {"G6", 1567.9817}, {"c4", 261.6256}, {"230", 230.0}, {"4500.5", 4500.5},
    };
    for (const c_note_case& test : cases) {
        double hz = 0.0;
        ASSERT_TRUE(note_frequency(test.word, hz)) << test.word;
        EXPECT_NEAR(hz, test.hz, 0.001) << test.word;
    }
    for (const char* bad : {"", "H4", "A", "A#", "C#x", "-5", "0", "A123"}) {
        double hz = 0.0;
        EXPECT_FALSE(note_frequency(bad, hz)) << bad;
    }
}

TEST(sound_recipe, blocks_keep_their_values_and_comments_but_not_sharps_are_dropped) {
    const std::string text =
        "# effects\n"
        "[chime]   # a bell\n"
        "file = sounds/a.wav\n"
        "generator = arpeggio\n"
        "notes = C5 F#5  A5 # three\n"
        "\n"
        "[quiet]\n"
        "file = sounds/b.wav\n"
        "generator = silence\n";
    std::vector<c_recipe> recipes;
    std::string error;
    ASSERT_TRUE(parse_recipes(text, recipes, error)) << error;
    ASSERT_EQ(recipes.size(), 2u);
    EXPECT_EQ(recipes[0].name, "chime");
    EXPECT_EQ(recipes[0].file, "sounds/a.wav");
    EXPECT_EQ(recipes[0].line, 2);
    EXPECT_EQ(recipes[0].values.at("notes"), (std::vector<std::string>{"C5", "F#5", "A5"}));
    EXPECT_EQ(recipes[0].values.count("file"), 0u);
    EXPECT_EQ(recipes[1].values.at("generator"), std::vector<std::string>{"silence"});
}

TEST(sound_recipe, each_note_makes_one_numbered_file_per_note) {
    const std::string text =
        "[bells]\nfile = sounds/bells/{n}.wav\ngenerator = bell\neach_note = C5 D5 E5\ndecay = 0.5\n";
    std::vector<c_recipe> recipes;
    std::string error;
    ASSERT_TRUE(parse_recipes(text, recipes, error)) << error;
    ASSERT_EQ(recipes.size(), 3u);
    const char* notes[] = {"C5", "D5", "E5"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(recipes[i].file, "sounds/bells/" + std::to_string(i + 1) + ".wav");
        EXPECT_EQ(recipes[i].values.at("note"), std::vector<std::string>{notes[i]});
        EXPECT_EQ(recipes[i].values.count("each_note"), 0u);
        EXPECT_EQ(recipes[i].values.at("decay"), std::vector<std::string>{"0.5"});
    }
}

struct c_bad_text_case {
    const char* text;
    const char* message_part;
};

TEST(sound_recipe, malformed_text_is_refused_with_the_line) {
    const c_bad_text_case cases[] = {
        {"file = a.wav\n", "line 1"},
        {"[a]\nfile = a.wav\ngenerator = bell\n[a]\nfile = b.wav\ngenerator = bell\n", "line 4"},
        {"[a]\nfile = a.wav\n", "needs a generator"},
        {"[a]\ngenerator = bell\n", "needs one file"},
        {"[a]\nfile = a.wav\ngenerator = bell\ngenerator = chirp\n", "line 4"},
        {"[a]\nfile = a.wav\ngenerator\n", "line 3"},
        {"[a b]\n", "line 1"},
        {"[a]\nfile = a.wav\ngenerator = bell\nseconds =\n", "line 4"},
        {"[a]\nfile = x/{n}.wav\ngenerator = bell\n", "each_note"},
        {"[a]\nfile = x/a.wav\ngenerator = bell\n[b]\nfile = x/a.wav\ngenerator = bell\n", "made twice"},
        {"[a]\nfile = ../../etc/a.wav\ngenerator = bell\n", "unsafe"},
        {"# nothing\n", "no recipes"},
    };
    for (const c_bad_text_case& test : cases) {
        std::vector<c_recipe> recipes;
        std::string error;
        EXPECT_FALSE(parse_recipes(test.text, recipes, error)) << test.text;
        EXPECT_NE(error.find(test.message_part), std::string::npos) << test.text << " gave: " << error;
    }
}

TEST(sound_recipe, output_paths_stay_inside_the_content_folder) {
    for (const char* good : {"sounds/error.wav", "a.wav", "sounds/glowworms/9.wav"}) {
        EXPECT_TRUE(is_safe_output_path(good)) << good;
    }
    for (const char* bad : {"/tmp/a.wav", "../a.wav", "sounds/../../a.wav", "sounds//a.wav", "./a.wav",
                            "sounds\\a.wav", "sounds/a.txt", ".wav", ""}) {
        EXPECT_FALSE(is_safe_output_path(bad)) << bad;
    }
}

// Renders a one-block recipe text; returns the error, empty on success.
std::string render_text(const std::string& text, tw_tools::c_sound_buffer& sound) {
    std::vector<c_recipe> recipes;
    std::string error;
    if (!parse_recipes(text, recipes, error)) return "parse: " + error;
    if (!render_recipe(recipes.front(), sound, error)) return error;
    return "";
}

TEST(sound_recipe, rendering_refuses_what_no_generator_understands) {
    const c_bad_text_case cases[] = {
        {"[a]\nfile = a.wav\ngenerator = bell\nnote = C5\ndecay_time = 1\n", "decay_time"},
        {"[a]\nfile = a.wav\ngenerator = kazoo\n", "kazoo"},
        {"[a]\nfile = a.wav\ngenerator = bell\nnote = Q9\n", "note"},
        {"[a]\nfile = a.wav\ngenerator = bell\ndecay = fast\n", "decay"},
        {"[a]\nfile = a.wav\ngenerator = bell\nseconds = 1 2\n", "seconds"},
        {"[a]\nfile = a.wav\ngenerator = bell\nseconds = 3600\n", "seconds"},
        {"[a]\nfile = a.wav\ngenerator = bell\npeak_db = 3\n", "above 0 dBFS"},
        {"[a]\nfile = a.wav\ngenerator = arpeggio\n", "notes"},
        {"[a]\nfile = a.wav\ngenerator = buzz_loop\ncycles = 190.5\nformants = 500\n", "whole number"},
        {"[a]\nfile = a.wav\ngenerator = cricket\npulse_hz = 0\n", "pulse_hz"},
        {"[a]\nfile = a.wav\ngenerator = roll\nturn_hz = 0\nclick_hz = 1000 2000\n", "above zero"},
    };
    for (const c_bad_text_case& test : cases) {
        tw_tools::c_sound_buffer sound;
        const std::string error = render_text(test.text, sound);
        EXPECT_NE(error.find(test.message_part), std::string::npos) << test.text << " gave: '" << error << "'";
    }
}

TEST(sound_recipe, the_same_recipe_renders_the_same_samples_and_a_new_seed_changes_them) {
    const std::string base = "[a]\nfile = a.wav\ngenerator = squish\nseconds = 0.3\n";
    tw_tools::c_sound_buffer first, again, reseeded;
    ASSERT_EQ(render_text(base, first), "");
    ASSERT_EQ(render_text(base, again), "");
    ASSERT_EQ(render_text(base + "seed = 99\n", reseeded), "");
    EXPECT_EQ(first.samples, again.samples);
    EXPECT_NE(first.samples, reseeded.samples);
    EXPECT_EQ(first.channels, 1);
    EXPECT_EQ(first.sample_rate, tw_tools::k_sample_rate);
}

}  // namespace
}  // namespace tw::sfx
