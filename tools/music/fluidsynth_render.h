// Running the fluidsynth program to render a MIDI file offline to a 16-bit WAV.
#pragma once
#include <string>
#include <vector>

namespace tw {

struct c_render_request {
    std::string program = "fluidsynth";
    std::string soundfont;
    std::string midi_path;
    std::string wav_path;
    std::string log_path;  // fluidsynth's own output goes here, not to the console
    double gain = 0.5;
    int sample_rate = 44100;
};

// The command line for the request: no shell, no audio or MIDI drivers, chorus off
// (its free-running modulation would differ between passes), reverb on.
std::vector<std::string> fluidsynth_arguments(const c_render_request& request);

// Runs fluidsynth and waits; false with a reason (and the log's last lines) if an
// input is missing or unloadable, fluidsynth could not start or failed, or it left no output.
bool render_midi(const c_render_request& request, std::string& error);

}  // namespace tw
