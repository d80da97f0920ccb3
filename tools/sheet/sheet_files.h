// Which textures go on the contact sheet, reading them with the game's own BMP
// reader, and writing the sheet out as a PNG.
#pragma once
#include <string>
#include <vector>

namespace tw {

// What making a sheet did: whether the PNG was written, and the files that could
// not be read (they still get a crossed-out cell on the sheet).
struct c_sheet_result {
    bool written = false;
    std::vector<std::string> unreadable;
};

// True for a layer tile's file name, which ends in _<digits>_<digits>.bmp.
bool is_layer_tile(const std::string& file_name);

// Every .bmp under <content_dir>/textures, layer tiles left out, as sorted paths
// relative to content_dir (e.g. "textures/c1/pollen.bmp"); empty if there is no folder.
std::vector<std::string> find_textures(const std::string& content_dir);

// Reads each path (relative to content_dir) and writes the sheet to png_path.
c_sheet_result make_contact_sheet(const std::string& png_path, const std::string& content_dir,
                                  const std::vector<std::string>& relative_paths);

}  // namespace tw
