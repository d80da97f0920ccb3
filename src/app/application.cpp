// Start-up, switch and shutdown sequences of the game's state machine.
#include "app/application.h"

#include "app/music.h"
#include "net/usage_messages.h"

namespace tw {

namespace {
constexpr int k_first_special_key = 256;  // below: printable keys, as the window gives them
}  // namespace

c_application::c_application() : send_message(send_by_message) {
    fill_sound_table(data.sounds);
}

c_application::~c_application() {
    if (platform_) {
        loading_screen_.release(*platform_);
        desktop.release(*platform_);
    }
    state_.reset();
}

void c_application::flush_queues(c_platform& platform) {
    millisecond_clock clock = [&platform] { return platform.now_ms(); };
    flush(data.persistent.event_queue, k_event_flush_ms, send_message, clock);
    flush(data.persistent.analytics_queue, k_analytics_flush_ms, send_message, clock);
}

void c_application::start(c_platform& platform) {
    platform_ = &platform;
    loading_screen_.prepare(platform);
    desktop.prepare(platform);
    data.persistent.load();
    queue_session_start(data.persistent, platform);
    flush_queues(platform);
    fill_sound_table(data.sounds);
    change_state(platform, make_state ? make_state(k_state_menu) : nullptr);
}

void c_application::stop(c_platform& platform) {
    queue_session_end(data.persistent, platform);
    flush_queues(platform);
    change_state(platform, nullptr);
    loading_screen_.release(platform);
    desktop.release(platform);
    data.persistent.save();
    // Unsent event messages are in the saved file and go out on a later run.
    data.persistent.event_queue.clear();
}

void c_application::tick(c_platform& platform) {
    music_fade_step(platform.sound_engine.get(), data);
    c_platform_state_machine::tick(platform);
}

void c_application::perform_switch(c_platform& platform) {
    flush_queues(platform);
    // The request is taken before the new state is entered, so a request that
    // state makes in its on_enter stands and is carried out on the next frame.
    const uint16_t id = data.next_state;
    data.switch_requested = 0;
    data.next_state = k_state_none;
    std::unique_ptr<c_state> next = make_state ? make_state(id) : nullptr;
    if (next) change_state(platform, std::move(next));
    data.persistent.save();
}

void c_application::draw(c_platform& platform) {
    c_platform_state_machine::draw(platform);
    desktop.draw(platform);
}

void c_application::key(c_platform& platform, int key) {
    const bool typing = state_ && state_->takes_text() && key < k_first_special_key;
    if (typing || !desktop.on_key(platform, key)) c_platform_state_machine::key(platform, key);
}

void c_application::focus(c_platform& platform, bool focused) {
    desktop.on_focus(platform, focused);
    c_platform_state_machine::focus(platform, focused);
}

bool c_application::window_for_desktop(int desktop_w, int desktop_h, int& w, int& h) {
    desktop.load_settings();
    desktop.window_size_for_mode(desktop_w, desktop_h, w, h);
    return desktop.settings.fullscreen;
}

void c_application::draw_loading(c_platform& platform, float progress) {
    loading_screen_.draw(platform, progress);
}

}  // namespace tw
