// The queue of 16-bit UI event codes that elements append to and their owner
// (a state or a puzzle) drains once per tick. Code 0 marks a disabled button.
#pragma once
#include <cstdint>
#include <deque>

namespace tw {

class c_ui_callback {
public:
    virtual ~c_ui_callback() = default;
    // Appends a code; called by UI elements when they take a click.
    void push_ui_event(uint16_t code) { ui_events.push_back(code); }

    std::deque<uint16_t> ui_events;  // oldest first
};

}  // namespace tw
