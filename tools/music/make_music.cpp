// Content tool: turns one text score into the game's seamless music loop. It writes
// the score three passes long as MIDI, renders it with fluidsynth, keeps the middle pass.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "common/wav.h"
#include "music/fluidsynth_render.h"
#include "music/loop_audio.h"
#include "music/midi_writer.h"
#include "music/score.h"

namespace tw {

namespace {

constexpr int k_passes = 3;
// Silence after the last pass; the kept pass ends long before it, so this only
// has to cover the blend at the seam and the synthesizer's last releases.
constexpr double k_tail_seconds = 2.0;
// fluidsynth's master gain: low enough that a full arrangement rarely clips its
// 16-bit output; when it does, the render is repeated at half the gain.
constexpr double k_first_gain = 0.6;
constexpr int k_render_attempts = 4;
constexpr float k_clipped_level = 32766.0f / 32768.0f;
constexpr int k_output_channels = 2;

bool read_text(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}

bool write_bytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file);
}

double to_db(double level) { return level > 0 ? 20.0 * std::log10(level) : -999.0; }

// Renders the MIDI file, halving the gain until fluidsynth's output does not clip.
bool render_unclipped(c_render_request request, tw_tools::c_sound_buffer& render, std::string& error) {
    for (int attempt = 0; attempt < k_render_attempts; ++attempt) {
        if (!render_midi(request, error)) return false;
        if (!tw_tools::read_wav(request.wav_path, render)) {
            error = "cannot read fluidsynth's output " + request.wav_path;
            return false;
        }
        std::filesystem::remove(request.wav_path);
        if (render.channels != k_output_channels || render.sample_rate != request.sample_rate) {
            error = "fluidsynth wrote " + std::to_string(render.channels) + " channels at " +
                    std::to_string(render.sample_rate) + " Hz";
            return false;
        }
        if (measure_level(render).peak < k_clipped_level) return true;
        request.gain /= 2;
    }
    error = "fluidsynth's output clips even at gain " + std::to_string(request.gain * 2);
    return false;
}

int make_music(const std::string& score_path, const std::string& soundfont, const std::string& out_path,
               const std::string& work_folder) {
    const std::string name = std::filesystem::path(out_path).filename().string();
    const auto failed = [&](const std::string& why) {
        std::fprintf(stderr, "make_music: %s: %s\n", name.c_str(), why.c_str());
        return 1;
    };
    std::string text, error;
    if (!read_text(score_path, text)) return failed("cannot read " + score_path);
    c_score score;
    if (!parse_score(text, score, error)) return failed(score_path + ": " + error);

    std::error_code made;
    std::filesystem::create_directories(work_folder, made);
    if (made) return failed("cannot make " + work_folder + ": " + made.message());
    const std::string stem = (std::filesystem::path(work_folder) / std::filesystem::path(out_path).stem()).string();
    c_midi_layout layout;
    layout.passes = k_passes;
    layout.tail_ticks = ticks_for_seconds(score, k_tail_seconds);
    c_render_request request;
    request.soundfont = soundfont;
    request.midi_path = stem + ".mid";
    request.wav_path = stem + ".render.wav";
    request.log_path = stem + ".fluidsynth.log";
    request.gain = k_first_gain;
    request.sample_rate = tw_tools::k_sample_rate;
    if (!write_bytes(request.midi_path, encode_midi(score, layout))) return failed("cannot write " + request.midi_path);

    tw_tools::c_sound_buffer render;
    if (!render_unclipped(request, render, error)) return failed(error);
    const int64_t pass = pass_frames(score, request.sample_rate);
    const int64_t blend = int64_t(std::lround(k_seam_blend_seconds * request.sample_rate));
    tw_tools::c_sound_buffer loop;
    if (!cut_middle_pass(render, pass, blend, loop)) {
        return failed("the render holds " + std::to_string(render.frames()) + " frames, fewer than two passes of " +
                      std::to_string(pass) + " and the seam");
    }
    if (normalise_level(loop, k_music_rms_dbfs, k_music_peak_dbfs) <= 0) return failed("the render is silent");
    if (!tw_tools::write_wav(out_path, loop)) return failed("cannot write " + out_path);
    const c_level level = measure_level(loop);
    std::printf("make_music: %s %.1f s (rms %.1f dBFS, peak %.1f dBFS)\n", name.c_str(),
                double(pass) / request.sample_rate, to_db(level.rms), to_db(level.peak));
    return 0;
}

}  // namespace

}  // namespace tw

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_music <score> <soundfont> <out.wav> <work folder>\n");
        return 2;
    }
    return tw::make_music(argv[1], argv[2], argv[3], argv[4]);
}
