// The chapter's event queue and its events: waits, the black fill fades,
// completing the chapter, adding a found puzzle's icon and the drag hint.
#include "game/game_event.h"

#include <algorithm>

#include "app/application_data.h"
#include "game/state_game.h"
#include "game/ui_puzzle_bar.h"

namespace tw {

void append_event(game_event_queue& queue, std::unique_ptr<i_game_event> event) {
    if (event) queue.push_back(std::move(event));
}

void run_events(game_event_queue& queue, c_platform& platform, c_state_game& state,
                c_application_data& data) {
    if (queue.empty()) return;
    i_game_event* head = queue.front().get();
    // An event may append to the queue while it runs; the head stays where it is.
    if (head->execute(platform, state, data) && !queue.empty() && queue.front().get() == head) {
        queue.pop_front();
    }
}

bool c_game_event_wait::execute(c_platform&, c_state_game&, c_application_data&) {
    if (ticks_left == 0) return true;
    --ticks_left;
    return false;
}

bool c_game_event_fill_fade_in::execute(c_platform&, c_state_game& state, c_application_data&) {
    level -= step;
    state.set_fade_alpha(level > 0 ? uint8_t(level * 255.0f) : 0);
    return level <= 0;
}

bool c_game_event_fill_fade_out::execute(c_platform&, c_state_game& state, c_application_data&) {
    level += step;
    state.set_fade_alpha(level < 1 ? uint8_t(level * 255.0f) : 255);
    return level >= 1;
}

bool c_game_event_complete_chapter::execute(c_platform&, c_state_game& state,
                                            c_application_data& data) {
    const uint8_t chapter = uint8_t(std::min<uint16_t>(state.chapter, 255));
    data.persistent.chapters_complete = std::max(data.persistent.chapters_complete, chapter);
    state.leave_requested = true;
    return true;
}

bool c_game_event_add_puzzle::execute(c_platform& platform, c_state_game& state,
                                      c_application_data&) {
    if (!state.bar) return true;
    uint16_t count = 0;
    for (const auto& collectible : state.scene.collectibles) {
        if (collectible->puzzle_index == int32_t(puzzle_id)) ++count;
    }
    c_ui_puzzle* added =
        state.bar->add_icon(platform, icon, hint, glow, circle, font, count, event_code);
    if (added) state.puzzle_icons[puzzle_id] = added;
    return true;
}

bool c_game_event_hint_character_drag::execute(c_platform& platform, c_state_game& state,
                                               c_application_data&) {
    c_game_tutorial* tutorial = state.tutorials.add(
        platform, std::make_unique<c_game_tutorial_drag_character>(state.scene));
    if (store) *store = tutorial;
    return true;
}

}  // namespace tw
