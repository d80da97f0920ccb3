// Renders MIDI files to WAV with the fluidsynth program, started with fork/exec.
#include "music/fluidsynth_render.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tw {

namespace {

constexpr int k_exit_exec_failed = 127;
constexpr size_t k_log_lines_in_error = 5;
// fluidsynth prints this for a file it cannot load, and then carries on with its
// default soundfont, so a wrong path would otherwise pass unnoticed.
constexpr const char* k_unloadable_file_message = "not a SoundFont or MIDI file";

bool log_mentions(const std::string& path, const std::string& text) {
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

std::string log_tail(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty()) lines.push_back(line);
    }
    std::string tail;
    for (size_t i = lines.size() > k_log_lines_in_error ? lines.size() - k_log_lines_in_error : 0; i < lines.size(); ++i) {
        tail += "\n  " + lines[i];
    }
    return tail;
}

}  // namespace

std::vector<std::string> fluidsynth_arguments(const c_render_request& request) {
    std::ostringstream gain;
    gain << request.gain;
    return {request.program, "-n", "-i", "-q",
            "-C", "0", "-R", "1",
            "-g", gain.str(),
            "-r", std::to_string(request.sample_rate),
            "-F", request.wav_path, "-T", "wav", "-O", "s16",
            request.soundfont, request.midi_path};
}

bool render_midi(const c_render_request& request, std::string& error) {
    for (const std::string& input : {request.soundfont, request.midi_path}) {
        if (!std::filesystem::is_regular_file(input)) {
            error = "no file " + input;
            return false;
        }
    }
    std::error_code ignored;
    std::filesystem::remove(request.wav_path, ignored);
    const std::vector<std::string> arguments = fluidsynth_arguments(request);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) {
        error = std::string("cannot start fluidsynth: ") + std::strerror(errno);
        return false;
    }
    if (child == 0) {
        const int log = open(request.log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null_input = open("/dev/null", O_RDONLY);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        if (null_input >= 0) dup2(null_input, STDIN_FILENO);
        execvp(argv[0], argv.data());
        _exit(k_exit_exec_failed);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            error = std::string("lost the fluidsynth process: ") + std::strerror(errno);
            return false;
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        error = code == k_exit_exec_failed ? "cannot run '" + request.program + "' (is fluidsynth installed?)"
                                           : "fluidsynth failed with status " + std::to_string(code) + log_tail(request.log_path);
        return false;
    }
    if (log_mentions(request.log_path, k_unloadable_file_message)) {
        error = "fluidsynth could not load its input" + log_tail(request.log_path);
        return false;
    }
    if (!std::filesystem::exists(request.wav_path)) {
        error = "fluidsynth wrote no " + request.wav_path + log_tail(request.log_path);
        return false;
    }
    return true;
}

}  // namespace tw
