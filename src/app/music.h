// Music changes with a fade: the playing piece fades out over 85 ticks, the
// next one starts on the 86th and fades in over 85 more.
#pragma once
#include "app/application_data.h"

namespace tw {

class i_sound_device;

// Makes record the music: at once if none plays, else through the fade.
void request_music(i_sound_device* engine, c_application_data& data, c_sound& record);
// One tick of the fade; the application runs it before the state's tick.
void music_fade_step(i_sound_device* engine, c_application_data& data);

}  // namespace tw
