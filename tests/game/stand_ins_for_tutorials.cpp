// Temporary: deleted when the real definitions land. Minimal stand-ins for
// the chapter state, the puzzle icon and the puzzle bar, so the tutorial and
// event tests link before those sources exist.
#include "game/state_game.h"
#include "game/ui_puzzle.h"
#include "game/ui_puzzle_bar.h"

namespace tw {

c_state_game::c_state_game(uint16_t chapter) : chapter(chapter) {}
c_state_game::~c_state_game() = default;
void c_state_game::on_enter(c_platform&, c_application_data&) {}
void c_state_game::on_leave(c_platform&, c_application_data&) {}
void c_state_game::on_resize(c_platform&, c_application_data&) {}
void c_state_game::on_tick(c_platform&, c_application_data&) {}
void c_state_game::on_draw(c_platform&, c_application_data&) {}
void c_state_game::on_mouse(c_platform&, uint16_t, uint16_t, uint16_t, c_application_data&) {}
bool c_state_game::on_ui_event(c_platform&, uint16_t, c_application_data&) { return false; }
void c_state_game::set_fade_alpha(uint8_t alpha) { fade_quad.buffer.set_alpha(alpha); }
uint8_t c_state_game::fade_alpha() const { return fade_quad.buffer.colours[0].a; }

c_ui_puzzle::c_ui_puzzle(c_material*, c_material*, c_material*, c_material*, c_ui_font*,
                         uint16_t remaining, uint16_t event_code, float slide_y)
    : i_ui_element(0, 0, 0), slide_y(slide_y), remaining(remaining), event_code(event_code) {}
void c_ui_puzzle::layout(const c_ui_context&) {}
void c_ui_puzzle::update(const c_ui_context&, c_ui_callback&) {}
void c_ui_puzzle::render(c_platform&) {}
bool c_ui_puzzle::on_mouse_button(const c_ui_context&, uint16_t, uint16_t, uint16_t, float, float,
                                  c_ui_callback&) {
    return false;
}

c_ui_puzzle* c_ui_puzzle_bar::add_icon(c_platform&, c_material* icon, c_material* hint,
                                       c_material* glow, c_material* circle, c_ui_font* font,
                                       uint16_t remaining, uint16_t event_code) {
    c_ui_puzzle* added = add(
        std::make_unique<c_ui_puzzle>(icon, hint, glow, circle, font, remaining, event_code, 0.0f));
    order.push_back(added);
    return added;
}
void c_ui_puzzle_bar::update(const c_ui_context&, c_ui_callback&) {}

}  // namespace tw
