// The music tool's fluidsynth runner refuses what fluidsynth would quietly get
// wrong or cannot do, before or after running it.
#include <gtest/gtest.h>

#include <fstream>

#include "music/fluidsynth_render.h"
#include "support/temp_folder.h"

namespace tw {
namespace {

c_render_request request_in(const std::string& folder) {
    c_render_request request;
    request.soundfont = folder + "/font.sf2";
    request.midi_path = folder + "/song.mid";
    request.wav_path = folder + "/song.wav";
    request.log_path = folder + "/song.log";
    return request;
}

void touch(const std::string& path) { std::ofstream(path) << "x"; }

TEST(music_render, a_missing_soundfont_or_midi_file_is_refused_before_rendering) {
    // fluidsynth itself would fall back to its default soundfont and report success.
    tw_test::c_temp_folder folder;
    c_render_request request = request_in(folder.path);
    touch(request.midi_path);
    std::string error;
    EXPECT_FALSE(render_midi(request, error));
    EXPECT_NE(error.find("font.sf2"), std::string::npos) << error;

    touch(request.soundfont);
    std::filesystem::remove(request.midi_path);
    EXPECT_FALSE(render_midi(request, error));
    EXPECT_NE(error.find("song.mid"), std::string::npos) << error;
}

TEST(music_render, a_synthesizer_program_that_cannot_run_is_reported) {
    tw_test::c_temp_folder folder;
    c_render_request request = request_in(folder.path);
    touch(request.soundfont);
    touch(request.midi_path);
    request.program = folder.path + "/no_such_synthesizer";
    std::string error;
    EXPECT_FALSE(render_midi(request, error));
    EXPECT_NE(error.find("cannot run"), std::string::npos) << error;
}

TEST(music_render, a_synthesizer_that_fails_or_writes_nothing_is_reported) {
    tw_test::c_temp_folder folder;
    c_render_request request = request_in(folder.path);
    touch(request.soundfont);
    touch(request.midi_path);
    std::string error;
    request.program = "false";
    EXPECT_FALSE(render_midi(request, error));
    EXPECT_NE(error.find("failed with status 1"), std::string::npos) << error;
    request.program = "true";
    EXPECT_FALSE(render_midi(request, error));
    EXPECT_NE(error.find("wrote no"), std::string::npos) << error;
}

}  // namespace
}  // namespace tw
