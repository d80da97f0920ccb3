// The main loop.
#include "app/frame_loop.h"

#include <cstdio>

#include "app/window_icon.h"
#include "platform/shutdown_signals.h"

namespace tw {

namespace {

constexpr const char* k_window_title = "Thistlewarp";

void update_viewport(c_platform& platform, i_platform_state_machine& machine) {
    int w = 0, h = 0, points_w = 0, points_h = 0;
    platform.window().window_size(w, h);
    platform.window().window_points(points_w, points_h);
    // On a scaled display the cursor comes in screen coordinates and the
    // framebuffer in pixels; pointer positions are brought to pixels.
    if (points_w > 0 && points_h > 0)
        platform.set_pointer_scale(float(w) / float(points_w), float(h) / float(points_h));
    platform.device().viewport(0, 0, w, h);
    if (platform.update_screen_size(w, h)) machine.resize(platform);
}

void deliver_input(c_platform& platform, i_platform_state_machine& machine) {
    c_mouse_event event;
    if (platform.take_mouse_event(event)) machine.mouse(platform, event.kind, event.dx, event.dy);
    uint16_t code = 0;
    if (platform.take_character(code)) machine.character(platform, code);
    // Alt+Enter is the desktop's other way to press F11, never an Enter.
    for (const c_key_press& press : platform.take_key_chords())
        machine.key(platform, press.alt && press.key == k_key_enter ? k_key_f11 : press.key);
    platform.clear_key_events();
}

// While the window is in the background nothing ticks; the frame is still drawn.
void background_frame(c_platform& platform, i_platform_state_machine& machine) {
    platform.device().clear(0, 0, 0, 0);
    machine.draw(platform);
    platform.window().swap_buffers();
    // Time away is never caught up.
    platform.last_ticks = platform.now_ticks();
}

void loading_frame(c_platform& platform, i_platform_state_machine& machine) {
    const uint32_t t0 = platform.now_ms();
    // The first item is always loaded: time is checked before each item.
    while (platform.now_ms() - t0 < k_loading_budget_ms) {
        if (!platform.load_next_queued()) break;
    }
    platform.device().clear(0, 0, 0, 0);
    const float loaded = static_cast<float>(platform.loaded_texture_count());
    const float queued = static_cast<float>(platform.queued_texture_count());
    const float progress = loaded / (loaded + queued + 1.0f);
    machine.draw_loading(platform, progress);
    platform.window().swap_buffers();
    // Time spent loading is never caught up.
    platform.last_ticks = platform.now_ticks();
}

// Runs frame and the ticks; true if a state switch was requested.
bool update(c_platform& platform, i_platform_state_machine& machine) {
    const uint32_t t = platform.now_ticks();
    uint32_t steps = t - platform.last_ticks;
    if (steps > k_max_ticks_per_frame) steps = k_max_ticks_per_frame;
    platform.last_ticks = t;
    machine.frame(platform);
    if (machine.is_switch_pending()) return true;
    for (uint32_t i = 0; i < steps; ++i) {
        machine.tick(platform);
        if (machine.is_switch_pending()) return true;
    }
    return false;
}

}  // namespace

void run_frame(c_platform& platform, i_platform_state_machine& machine) {
    update_viewport(platform, machine);
    if (platform.take_focus_change()) {
        machine.focus(platform, platform.focused());
        platform.last_ticks = platform.now_ticks();
    }
    deliver_input(platform, machine);
    if (platform.queued_texture_count() > 0 || platform.queued_material_count() > 0) {
        loading_frame(platform, machine);
        return;
    }
    if (!platform.focused()) {
        background_frame(platform, machine);
        return;
    }
    const bool switching = update(platform, machine);
    platform.device().clear(0, 0, 0, 0);
    if (switching) {
        // The outgoing state is not drawn in this frame.
        machine.draw_loading(platform, 0.0f);
        platform.window().swap_buffers();
        machine.perform_switch(platform);
        return;
    }
    machine.draw(platform);
    platform.window().swap_buffers();
}

int run(c_platform& platform, i_platform_state_machine& machine) {
    i_window& window = platform.window();
    window.set_receiver(&platform);
    if (!window.init()) {
        std::fputs("Failed to initialize GLFW\n", stderr);
        return 1;
    }
    int desktop_w = 0, desktop_h = 0, w = 0, h = 0;
    window.desktop_size(desktop_w, desktop_h);
    const bool fullscreen = machine.window_for_desktop(desktop_w, desktop_h, w, h);
    if (!(fullscreen ? window.open_fullscreen(w, h) : window.open_windowed(w, h))) {
        std::fputs("Failed to open GLFW window\n", stderr);
        window.terminate();
        return 1;
    }
    if (!platform.device().init_extensions()) {
        window.terminate();
        return 1;
    }
    window.set_title(k_window_title);
    set_window_icon(platform);
    window.set_swap_interval(1);
    window.register_callbacks();
    platform.device().set_fixed_state();
    if (platform.sound_engine_factory) platform.sound_engine = platform.sound_engine_factory();

    update_viewport(platform, machine);
    machine.start(platform);
    platform.last_ticks = platform.now_ticks();

    // A termination signal ends the loop like F10, so the session's time and
    // events are flushed and saved.
    while (window.is_initialised() && window.is_open() && !window.key_pressed(k_key_f10) &&
           !shutdown_signal_received())
        run_frame(platform, machine);

    machine.stop(platform);
    platform.release_all();
    platform.sound_engine.reset();
    window.terminate();
    return 0;
}

}  // namespace tw
