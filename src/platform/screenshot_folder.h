// Where screenshots go, and what they are called.
#pragma once
#include <ctime>
#include <string>

namespace tw {

// "$XDG_PICTURES_DIR/Thistlewarp/" (absolute), else "$HOME/Pictures/Thistlewarp/",
// else the save folder, created on the way and ending in '/'; the first that
// can be made wins. Empty when none can. Read from the environment on every call.
std::string ensure_screenshot_folder();

// A path for a new screenshot taken now: the folder above, the name below,
// with "-2", "-3", ... before ".png" when that name is taken. Empty when no
// folder can be made.
std::string new_screenshot_path();

// "thistlewarp-2026-12-08-153012.png" for that local time.
std::string screenshot_name(std::time_t when);

}  // namespace tw
