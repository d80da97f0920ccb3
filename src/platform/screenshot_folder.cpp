// The screenshot folder from the environment, and time-stamped file names.
#include "platform/screenshot_folder.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/file.h"

namespace tw {

namespace {

constexpr const char* k_game_folder = "Thistlewarp/";

std::string folder_under(const char* variable, const char* below) {
    const char* base = std::getenv(variable);
    if (!base || base[0] != '/') return std::string();
    std::string path = base;
    if (path.back() != '/') path += '/';
    return path + below + k_game_folder;
}

bool file_exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string ensure_screenshot_folder() {
    for (const std::string& folder :
         {folder_under("XDG_PICTURES_DIR", ""), folder_under("HOME", "Pictures/")}) {
        if (!folder.empty() && ensure_folder(folder)) return folder;
    }
    return ensure_save_folder() ? get_save_folder() : std::string();
}

std::string screenshot_name(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[64];
    std::strftime(text, sizeof text, "thistlewarp-%Y-%m-%d-%H%M%S.png", &local);
    return text;
}

std::string new_screenshot_path() {
    const std::string folder = ensure_screenshot_folder();
    if (folder.empty()) return folder;
    const std::string name = screenshot_name(std::time(nullptr));
    const std::string stem = name.substr(0, name.size() - 4);
    std::string path = folder + name;
    for (int n = 2; file_exists(path); ++n) path = folder + stem + "-" + std::to_string(n) + ".png";
    return path;
}

}  // namespace tw
