// The player's desktop settings, kept in "settings.xml" beside the player data
// in the save folder: full screen or window, master volume, mute. Separate
// from "data.xml", which stays exactly as the game has always written it.
#pragma once
#include <cstdint>

#include "sound/sound_master.h"

namespace tw {

constexpr const char* k_settings_file = "settings.xml";

struct c_settings {
    bool fullscreen = true;
    c_sound_master sound;
};

// Reads the settings file of the save folder; a missing or malformed file, or
// a field that is absent or out of range, gives the defaults for that part.
c_settings load_settings();
// Writes the settings file; false (and nothing changed) if it cannot be written.
bool save_settings(const c_settings& settings);

}  // namespace tw
