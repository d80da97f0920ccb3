// The window's icon, read from the game's own bitmap at start-up.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "platform/platform.h"

namespace tw {

constexpr const char* k_window_icon_file = "icon.bmp";  // under textures/

// A decoded 24- or 32-bit bitmap as RGBA, top row first (24-bit is opaque);
// false for other kinds.
bool image_to_rgba(const c_image& image, std::vector<uint8_t>& rgba);

// Gives the window the icon bitmap; a missing or unusable file leaves the
// window without one and says nothing.
void set_window_icon(c_platform& platform);

}  // namespace tw
