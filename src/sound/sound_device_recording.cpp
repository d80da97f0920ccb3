// The recording sound device: every call is appended to a public list.
#include "sound/sound_device_recording.h"

namespace tw {

sound_id c_sound_device_recording::play_2d(const std::string& file, bool loop) {
    c_sound_call call;
    call.kind = e_sound_call::play;
    call.file = file;
    call.loop = loop;
    call.id = loop ? ++m_last_id : 0;
    calls.push_back(call);
    return call.id;
}

void c_sound_device_recording::set_volume(sound_id sound, float volume) {
    c_sound_call call;
    call.kind = e_sound_call::set_volume;
    call.id = sound;
    call.volume = volume;
    calls.push_back(call);
}

void c_sound_device_recording::stop(sound_id sound) {
    c_sound_call call;
    call.kind = e_sound_call::stop;
    call.id = sound;
    calls.push_back(call);
}

void c_sound_device_recording::drop(sound_id sound) {
    c_sound_call call;
    call.kind = e_sound_call::drop;
    call.id = sound;
    calls.push_back(call);
}

void c_sound_device_recording::set_master_volume(float volume) {
    c_sound_call call;
    call.kind = e_sound_call::set_master_volume;
    call.volume = volume;
    calls.push_back(call);
    master_volume = volume;
}

void c_sound_device_recording::pause_all(bool pause) {
    c_sound_call call;
    call.kind = e_sound_call::pause_all;
    call.loop = pause;
    calls.push_back(call);
    paused = pause;
}

int c_sound_device_recording::count(e_sound_call kind) const {
    int total = 0;
    for (const c_sound_call& call : calls) {
        if (call.kind == kind) {
            ++total;
        }
    }
    return total;
}

}  // namespace tw
