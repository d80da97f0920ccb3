// The state machine the frame loop drives, the interface of an application
// state, and the generic machine that holds the data and the installed state.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/platform.h"
#include "ui/ui_callback.h"

namespace tw {

// What the frame loop calls, once per frame or on demand; every operation
// does nothing by default.
class i_platform_state_machine {
public:
    virtual ~i_platform_state_machine() = default;
    // Start-up work and the first state; called once before the loop.
    virtual void start(c_platform&) {}
    // Shutdown work; removes the state. Called once after the loop.
    virtual void stop(c_platform&) {}
    // Once per update frame, before the ticks.
    virtual void frame(c_platform&) {}
    // Once per 1/60 s tick, 0 to 5 times a frame.
    virtual void tick(c_platform&) {}
    // True when a state asked for a switch; the loop stops updating then.
    virtual bool is_switch_pending() { return false; }
    // Replaces the state between frames.
    virtual void perform_switch(c_platform&) {}
    // Once per update frame, after the ticks.
    virtual void draw(c_platform&) {}
    // First frame and whenever the window size changed.
    virtual void resize(c_platform&) {}
    // At most one mouse event a frame: kind 0 press, 1 drag, 2 release.
    virtual void mouse(c_platform&, uint16_t /*kind*/, uint16_t /*dx*/, uint16_t /*dy*/) {}
    // At most one typed character a frame (8 for backspace).
    virtual void character(c_platform&, uint16_t /*code*/) {}
    // Every key pressed this frame (the game's key codes, window.h).
    virtual void key(c_platform&, int /*key*/) {}
    // The loading screen with progress 0..1.
    virtual void draw_loading(c_platform&, float /*progress*/) {}
    // Before the window opens: its size on a desktop of that size, and true
    // for full screen, false for a resizable window.
    virtual bool window_for_desktop(int desktop_w, int desktop_h, int& w, int& h) {
        w = desktop_w;
        h = desktop_h;
        return true;
    }
    // The window gained or lost the keyboard focus; no ticks run while it is away.
    virtual void focus(c_platform&, bool /*focused*/) {}
};

// One application state (menu, editor, chapter). Heap object owned by the
// machine; requests materials in on_enter, never in its constructor.
template <class D>
class i_platform_state : public c_ui_callback {
public:
    ~i_platform_state() override = default;
    // Once, right after the state is installed.
    virtual void on_enter(c_platform&, D&) {}
    // Once, before the state is deleted.
    virtual void on_leave(c_platform&, D&) {}
    // Right after on_enter and whenever the window size changes.
    virtual void on_resize(c_platform&, D&) {}
    // Once per update frame, before the ticks.
    virtual void on_frame(c_platform&, D&) {}
    // Once per tick; states call process_ui_events from here.
    virtual void on_tick(c_platform&, D&) {}
    // Once per update frame.
    virtual void on_draw(c_platform&, D&) {}
    // At most once a frame; dx, dy are read as signed 16-bit.
    virtual void on_mouse(c_platform&, uint16_t /*kind*/, uint16_t /*dx*/, uint16_t /*dy*/, D&) {}
    // At most once a frame.
    virtual void on_char(c_platform&, uint16_t /*code*/, D&) {}
    // Each key pressed this frame, after the mouse and the character.
    virtual void on_key(c_platform&, int /*key*/, D&) {}
    // The window gained or lost the focus; no ticks arrive while it is away.
    virtual void on_focus(c_platform&, bool /*focused*/, D&) {}
    // True while the state takes typed text (an edit box has the keyboard):
    // the desktop's printable keys (M, minus, plus) then reach the state instead.
    virtual bool takes_text() const { return false; }
    // One UI event code; returning true discards the codes queued after it.
    virtual bool on_ui_event(c_platform&, uint16_t /*code*/, D&) { return false; }

    // Hands the queued UI codes, oldest first, to on_ui_event.
    void process_ui_events(c_platform& platform, D& data) {
        while (!ui_events.empty()) {
            uint16_t code = ui_events.front();
            if (on_ui_event(platform, code, data)) {
                ui_events.clear();
                return;
            }
            if (!ui_events.empty()) ui_events.pop_front();
        }
    }
};

// Holds the application data and the one installed state and forwards the
// loop's calls to it with the data.
template <class D>
class c_platform_state_machine : public i_platform_state_machine {
public:
    using state_type = i_platform_state<D>;

    ~c_platform_state_machine() override { state_.reset(); }

    void stop(c_platform& platform) override { change_state(platform, nullptr); }
    // A state is always installed between start and stop; the checks only guard
    // against a start whose first state could not be made.
    void frame(c_platform& platform) override {
        if (state_) state_->on_frame(platform, data);
    }
    void tick(c_platform& platform) override {
        if (state_) state_->on_tick(platform, data);
    }
    void draw(c_platform& platform) override {
        if (state_) state_->on_draw(platform, data);
    }
    void resize(c_platform& platform) override {
        if (state_) state_->on_resize(platform, data);
    }
    void mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy) override {
        if (state_) state_->on_mouse(platform, kind, dx, dy, data);
    }
    void character(c_platform& platform, uint16_t code) override {
        if (state_) state_->on_char(platform, code, data);
    }
    void key(c_platform& platform, int key) override {
        if (state_) state_->on_key(platform, key, data);
    }
    void focus(c_platform& platform, bool focused) override {
        if (state_) state_->on_focus(platform, focused, data);
    }

    // The one place where states are replaced: loading screen, on_leave,
    // release of every texture and material, delete, then enter the new one.
    void change_state(c_platform& platform, std::unique_ptr<state_type> next) {
        platform.device().clear(0, 0, 0, 0);
        draw_loading(platform, 0.0f);
        platform.window().swap_buffers();
        if (state_) state_->on_leave(platform, data);
        platform.release_all();
        state_.reset();
        state_ = std::move(next);
        if (state_) {
            state_->on_enter(platform, data);
            state_->on_resize(platform, data);
        }
    }

    state_type* state() { return state_.get(); }

    D data;

protected:
    std::unique_ptr<state_type> state_;
};

}  // namespace tw
