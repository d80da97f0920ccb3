// Whole-file reading, crash-safe file replacement and the player's save folder.
#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace tw {

namespace {

constexpr const char* k_game_folder_name = "Thistlewarp";
constexpr const char* k_temporary_suffix = ".tmp";
constexpr mode_t k_folder_mode = 0755;
constexpr mode_t k_file_mode = 0644;

// An environment variable usable as a base folder: set and absolute.
bool absolute_env(const char* name, std::string& out) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return false;
    out = value;
    return true;
}

std::string with_trailing_slash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

bool is_directory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// mkdir for one folder; an existing directory counts as success.
bool make_folder(const std::string& path) {
    if (mkdir(path.c_str(), k_folder_mode) == 0) return true;
    return errno == EEXIST && is_directory(path);
}

bool write_all(int fd, const uint8_t* bytes, size_t length) {
    while (length > 0) {
        const ssize_t written = write(fd, bytes, length);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        length -= static_cast<size_t>(written);
    }
    return true;
}

// Syncs the folder holding path so a finished rename survives a crash.
void sync_parent_folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool read_file(const std::string& path, std::vector<uint8_t>& out) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return false;
    }
    bool ok = false;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
            try {
                out.resize(static_cast<size_t>(size));
                const size_t got =
                    size > 0 ? std::fread(out.data(), 1, out.size(), file) : 0;
                ok = got == out.size();
            } catch (const std::bad_alloc&) {
                ok = false;
            }
        }
    }
    std::fclose(file);
    if (!ok) out.clear();
    return ok;
}

bool write_file_atomic(const std::string& path, const void* bytes, size_t length) {
    if (path.empty() || (length > 0 && !bytes)) return false;
    const std::string temporary = path + k_temporary_suffix;
    // O_EXCL is not used: a temporary left by an earlier crash is simply reused.
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, k_file_mode);
    if (fd < 0) return false;
    bool ok = write_all(fd, static_cast<const uint8_t*>(bytes), length);
    ok = ok && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    sync_parent_folder(path);
    return true;
}

std::string get_save_folder() {
    std::string base;
    if (absolute_env("XDG_DATA_HOME", base)) {
        return with_trailing_slash(base) + k_game_folder_name + "/";
    }
    if (absolute_env("HOME", base)) {
        return with_trailing_slash(base) + ".local/share/" + k_game_folder_name + "/";
    }
    return std::string();
}

bool ensure_save_folder() {
    const std::string folder = get_save_folder();
    if (folder.empty()) return false;
    if (is_directory(folder)) return true;
    // Create each missing level in turn, outermost first.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        if (!make_folder(folder.substr(0, slash))) return false;
    }
    return is_directory(folder);
}

bool is_save_file_name(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

bool write_save_file(const std::string& name, const void* bytes, size_t length) {
    if (!is_save_file_name(name) || !ensure_save_folder()) return false;
    return write_file_atomic(get_save_folder() + name, bytes, length);
}

bool read_save_file(const std::string& name, std::vector<uint8_t>& out) {
    const std::string folder = get_save_folder();
    if (folder.empty() || !is_save_file_name(name)) return false;
    return read_file(folder + name, out);
}

bool move_save_file(const std::string& from, const std::string& to) {
    const std::string folder = get_save_folder();
    if (folder.empty() || !is_save_file_name(from) || !is_save_file_name(to)) return false;
    return std::rename((folder + from).c_str(), (folder + to).c_str()) == 0;
}

}  // namespace tw
