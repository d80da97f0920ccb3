// Whole-file reading, crash-safe file replacement and the player's save folder.
#include "platform/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace tw {

namespace {

constexpr const char* k_game_folder_name = "Thistlewarp";
constexpr const char* k_temporary_suffix = ".tmp";
constexpr mode_t k_folder_mode = 0755;
constexpr mode_t k_file_mode = 0644;
constexpr size_t k_path_bytes = 4096;  // PATH_MAX on Linux
constexpr int k_max_link_hops = 40;    // the kernel's own limit for a path
constexpr int k_max_aside_copies = 10000;

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

// A regular file opened for reading with its size; anything else (a folder, a
// pipe, a device) is refused before it could block or report a bogus size.
struct c_open_file {
    explicit c_open_file(const std::string& path) {
        // O_NONBLOCK keeps open() from waiting for a pipe's writer; it has no
        // effect on reading a regular file.
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            missing = errno == ENOENT || errno == ENOTDIR;
            return;
        }
        struct stat info;
        if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
            close(fd);
            fd = -1;
            return;
        }
        size = static_cast<uint64_t>(info.st_size);
    }
    ~c_open_file() {
        if (fd >= 0) close(fd);
    }
    c_open_file(const c_open_file&) = delete;
    c_open_file& operator=(const c_open_file&) = delete;

    int fd = -1;
    bool missing = false;  // open() failed because nothing is at the path
    uint64_t size = 0;
};

bool read_all(int fd, uint8_t* bytes, size_t length) {
    while (length > 0) {
        const ssize_t got = read(fd, bytes, length);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        length -= static_cast<size_t>(got);
    }
    return true;
}

std::string folder_of(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a path finally names: symbolic links are followed, a relative
// target taken from the link's folder. A chain longer than the limit (a loop)
// gives the path itself.
std::string final_target(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < k_max_link_hops; ++hop) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::vector<char> buffer(k_path_bytes);
        const ssize_t length = readlink(current.c_str(), buffer.data(), buffer.size());
        if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return path;
        std::string target(buffer.data(), static_cast<size_t>(length));
        current = target[0] == '/' ? target : folder_of(current) + target;
    }
    return path;
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

file_read_result read_whole_file(const std::string& path, std::vector<uint8_t>& out) {
    c_open_file file(path);
    if (file.fd < 0) return file.missing ? k_read_missing : k_read_unreadable;
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(file.size);
    } catch (const std::exception&) {  // bad_alloc, or a size past the vector's limit
        return k_read_unreadable;
    }
    if (!read_all(file.fd, bytes.data(), bytes.size())) {
        out.clear();
        return k_read_unreadable;
    }
    out.swap(bytes);
    return k_read_ok;
}

bool read_file(const std::string& path, std::vector<uint8_t>& out) {
    return read_whole_file(path, out) == k_read_ok;
}

bool read_file_head(const std::string& path, size_t count, std::vector<uint8_t>& out) {
    c_open_file file(path);
    if (file.fd < 0 || file.size < count) return false;
    std::vector<uint8_t> bytes(count);
    if (!read_all(file.fd, bytes.data(), count)) return false;
    out.swap(bytes);
    return true;
}

bool is_folder(const std::string& path) { return is_directory(path); }

std::string current_folder() {
    std::vector<char> buffer(k_path_bytes);
    if (!getcwd(buffer.data(), buffer.size())) return ".";
    return buffer.data();
}

bool write_file_atomic(const std::string& requested, const void* bytes, size_t length) {
    if (requested.empty() || (length > 0 && !bytes)) return false;
    // Renaming over a link would replace the link by a plain file and leave
    // its target stale, so the target is replaced instead.
    const std::string path = final_target(requested);
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

bool ensure_folder(const std::string& path) {
    if (path.empty() || path[0] != '/') return false;
    const std::string folder = with_trailing_slash(path);
    if (is_directory(folder)) return true;
    // Create each missing level in turn, outermost first.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        if (!make_folder(folder.substr(0, slash))) return false;
    }
    return is_directory(folder);
}

bool ensure_save_folder() { return ensure_folder(get_save_folder()); }

bool is_save_file_name(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

bool write_save_file(const std::string& name, const void* bytes, size_t length) {
    if (!is_save_file_name(name) || !ensure_save_folder()) return false;
    return write_file_atomic(get_save_folder() + name, bytes, length);
}

file_read_result read_whole_save_file(const std::string& name, std::vector<uint8_t>& out) {
    const std::string folder = get_save_folder();
    if (folder.empty() || !is_save_file_name(name)) return k_read_missing;
    return read_whole_file(folder + name, out);
}

bool read_save_file(const std::string& name, std::vector<uint8_t>& out) {
    return read_whole_save_file(name, out) == k_read_ok;
}

bool move_save_file(const std::string& from, const std::string& to) {
    const std::string folder = get_save_folder();
    if (folder.empty() || !is_save_file_name(from) || !is_save_file_name(to)) return false;
    return std::rename((folder + from).c_str(), (folder + to).c_str()) == 0;
}

std::string keep_save_file_aside(const std::string& name, const std::string& aside) {
    const std::string folder = get_save_folder();
    if (folder.empty() || !is_save_file_name(name) || !is_save_file_name(aside)) return {};
    for (int copy = 1; copy <= k_max_aside_copies; ++copy) {
        const std::string candidate = copy == 1 ? aside : aside + "." + std::to_string(copy);
        struct stat info;
        if (lstat((folder + candidate).c_str(), &info) == 0) continue;  // an earlier copy
        if (errno != ENOENT) return {};
        if (std::rename((folder + name).c_str(), (folder + candidate).c_str()) != 0) return {};
        return candidate;
    }
    return {};
}

}  // namespace tw
