// Whole-file reading, crash-safe file replacement and the player's save folder.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Reads the whole file at path into out. True only if every byte was read; a
// short read leaves out empty. A file that cannot be opened (or a directory)
// gives false and leaves out unchanged.
bool read_file(const std::string& path, std::vector<uint8_t>& out);

// Replaces the file at path with bytes via a temporary file in the same folder,
// synced and renamed over it; on failure the old file is left as it was.
bool write_file_atomic(const std::string& path, const void* bytes, size_t length);

// "$XDG_DATA_HOME/Thistlewarp/" (absolute XDG_DATA_HOME) or
// "$HOME/.local/share/Thistlewarp/" (absolute HOME), ending in '/'; empty if
// neither gives a usable path. Read from the environment on every call.
std::string get_save_folder();

// Creates the save folder and any missing parents; true if it is a directory.
bool ensure_save_folder();

// True if name is a plain file name that stays inside the save folder.
bool is_save_file_name(const std::string& name);

// Atomically replaces save folder + name with bytes; false leaves the old file.
bool write_save_file(const std::string& name, const void* bytes, size_t length);

// read_file of save folder + name.
bool read_save_file(const std::string& name, std::vector<uint8_t>& out);

// Renames one file of the save folder to another name there, replacing it.
bool move_save_file(const std::string& from, const std::string& to);

}  // namespace tw
