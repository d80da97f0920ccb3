// Scripted chapter sequences: a queue of small events run at the head, one per
// tick, each staying at the head until it reports finished.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>

namespace tw {

class c_platform;
class c_state_game;
class c_game_tutorial;
class c_ui_font;
struct c_application_data;
struct c_material;

class i_game_event {
public:
    virtual ~i_game_event() = default;
    // Runs one tick of the event; true when it has finished.
    virtual bool execute(c_platform& platform, c_state_game& state, c_application_data& data) = 0;
};

using game_event_queue = std::deque<std::unique_ptr<i_game_event>>;

// Appends at the tail; the queue owns the event.
void append_event(game_event_queue& queue, std::unique_ptr<i_game_event> event);
// Runs the head event; a finished one is deleted. At most one finishes per tick.
void run_events(game_event_queue& queue, c_platform& platform, c_state_game& state,
                c_application_data& data);

// Holds the head for ticks + 1 calls.
class c_game_event_wait : public i_game_event {
public:
    explicit c_game_event_wait(uint16_t ticks) : ticks_left(ticks) {}
    bool execute(c_platform&, c_state_game&, c_application_data&) override;
    uint16_t ticks_left;
};

// The black fade quad lightening from level towards 0 by step per tick.
class c_game_event_fill_fade_in : public i_game_event {
public:
    c_game_event_fill_fade_in(float level, float step) : level(level), step(step) {}
    bool execute(c_platform&, c_state_game& state, c_application_data&) override;
    float level;
    float step;
};

// The fade quad darkening from level towards 1 by step per tick.
class c_game_event_fill_fade_out : public i_game_event {
public:
    c_game_event_fill_fade_out(float level, float step) : level(level), step(step) {}
    bool execute(c_platform&, c_state_game& state, c_application_data&) override;
    float level;
    float step;
};

// Counts the chapter complete and asks to leave for the menu.
class c_game_event_complete_chapter : public i_game_event {
public:
    bool execute(c_platform&, c_state_game& state, c_application_data& data) override;
};

// Puts a found puzzle's icon in the bar, counting the items that belong to it.
class c_game_event_add_puzzle : public i_game_event {
public:
    c_game_event_add_puzzle(uint16_t puzzle_id, c_material* icon, c_material* hint,
                            c_material* glow, c_material* circle, c_ui_font* font,
                            uint16_t event_code)
        : puzzle_id(puzzle_id), icon(icon), hint(hint), glow(glow), circle(circle), font(font),
          event_code(event_code) {}
    bool execute(c_platform& platform, c_state_game& state, c_application_data&) override;
    uint16_t puzzle_id;
    c_material* icon;
    c_material* hint;
    c_material* glow;
    c_material* circle;
    c_ui_font* font;
    uint16_t event_code;
};

// Starts the drag tutorial on the chapter's character and stores it in *store.
class c_game_event_hint_character_drag : public i_game_event {
public:
    explicit c_game_event_hint_character_drag(c_game_tutorial** store) : store(store) {}
    bool execute(c_platform& platform, c_state_game& state, c_application_data&) override;
    c_game_tutorial** store;  // may be null
};

}  // namespace tw
