// Writing RGBA pictures as PNG files (libpng): screenshots and the icon the
// art tool makes for the desktop.
#pragma once
#include <cstdint>
#include <string>

namespace tw {

// Writes width x height RGBA pixels, top row first, to path as an 8-bit RGBA
// PNG (RGB when opaque is set: the alpha bytes are left out). Written to a
// temporary name and renamed, so a failed write leaves no half file; false
// if the file cannot be written.
bool write_png(const std::string& path, int width, int height, const uint8_t* rgba, bool opaque);

}  // namespace tw
