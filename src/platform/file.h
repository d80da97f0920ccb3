// Whole-file reading, crash-safe file replacement and the player's save folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// How a whole-file read ended.
enum file_read_result : uint8_t {
    k_read_ok,
    k_read_missing,     // nothing at the path, or a folder on the way is missing
    k_read_unreadable,  // there is something, but no regular file that could be read whole
};

// Reads the whole regular file at path into out; never throws and never waits
// on a pipe or device. A path that is not a regular file, cannot be opened,
// or whose size cannot be allocated is unreadable and leaves out unchanged; a
// short read leaves out empty.
file_read_result read_whole_file(const std::string& path, std::vector<uint8_t>& out);

// read_whole_file, true only for k_read_ok.
bool read_file(const std::string& path, std::vector<uint8_t>& out);

// Reads the first count bytes of the regular file at path; false if it is
// shorter, not a regular file or cannot be opened.
bool read_file_head(const std::string& path, size_t count, std::vector<uint8_t>& out);

// True if path names a directory.
bool is_folder(const std::string& path);

// The process's working folder, or "." if it cannot be told.
std::string current_folder();

// Replaces the file at path with bytes via a temporary file in the same folder,
// synced and renamed over it; on failure the old file is left as it was. When
// path is a symbolic link the file it points to is replaced and the link kept.
bool write_file_atomic(const std::string& path, const void* bytes, size_t length);

// "$XDG_DATA_HOME/Thistlewarp/" (absolute XDG_DATA_HOME) or
// "$HOME/.local/share/Thistlewarp/" (absolute HOME), ending in '/'; empty if
// neither gives a usable path. Read from the environment on every call.
std::string get_save_folder();

// Creates the absolute folder path and any missing parents; true if it is a directory.
bool ensure_folder(const std::string& path);

// Creates the save folder and any missing parents; true if it is a directory.
bool ensure_save_folder();

// True if name is a plain file name that stays inside the save folder.
bool is_save_file_name(const std::string& name);

// Atomically replaces save folder + name with bytes; false leaves the old file.
bool write_save_file(const std::string& name, const void* bytes, size_t length);

// read_whole_file of save folder + name; missing when there is no save folder.
file_read_result read_whole_save_file(const std::string& name, std::vector<uint8_t>& out);

// read_whole_save_file, true only for k_read_ok.
bool read_save_file(const std::string& name, std::vector<uint8_t>& out);

// Renames one file of the save folder to another name there, replacing it.
bool move_save_file(const std::string& from, const std::string& to);

// Moves a save file aside without replacing anything: to aside, or to aside
// followed by ".2", ".3" and so on when earlier copies exist. Returns the name
// used, or the empty string if the file could not be moved.
std::string keep_save_file_aside(const std::string& name, const std::string& aside);

}  // namespace tw
