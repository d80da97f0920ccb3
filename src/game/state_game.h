// The common base of the chapter states: the chapter's scene and overlay UI
// (puzzle bar, home and hint buttons, pause screen), the hint charge, tutorials,
// flying collectables, the fade between scene and puzzle, and the verbs the
// pointer performs (discover, pick up, use an item, poke or drag the
// character, pan). What a verb means is left to the chapter through the hooks.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "game/game_event.h"
#include "game/game_tutorial.h"
#include "game/puzzle_icon_map.h"
#include "platform/vertex_buffer.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

class i_game_puzzle;
class c_ui_collectable;
class c_ui_element_graphic;
class c_ui_font;
class c_ui_puzzle_bar;

// Modes: what is shown and where input goes.
constexpr uint8_t k_game_mode_scene = 0;
constexpr uint8_t k_game_mode_scene_fading_out = 1;
constexpr uint8_t k_game_mode_puzzle_fading_in = 2;
constexpr uint8_t k_game_mode_puzzle = 3;
constexpr uint8_t k_game_mode_puzzle_fading_out = 4;
constexpr uint8_t k_game_mode_scene_fading_in = 5;

// UI event codes of the chapter screens.
constexpr uint16_t k_game_code_zoom_in = 1;
constexpr uint16_t k_game_code_zoom_out = 2;
constexpr uint16_t k_game_code_first_icon = 3;  // 3 + puzzle id, up to 11
constexpr uint16_t k_game_code_last_icon = 11;
constexpr uint16_t k_game_code_hint = 12;
constexpr uint16_t k_game_code_pause = 13;
constexpr uint16_t k_game_code_resume = 14;
constexpr uint16_t k_game_code_home = 15;

constexpr float k_hint_charge_per_tick = 0.0003f;
constexpr uint8_t k_fade_step = 3;
constexpr uint16_t k_click_drag_limit = 32;  // pixels of drag below which a release is a click
constexpr uint16_t k_pan_drag_threshold = 15;
constexpr float k_pick_up_min_half = 200.0f;  // scene units
constexpr uint16_t k_highlight_life = 140;

// One spark of the path highlight, running along a directed path edge.
struct c_highlight_spark {
    uint16_t life = k_highlight_life;
    c_scene_path_node* start = nullptr;
    c_scene_path_node::path* edge = nullptr;
    float progress = 0;
};

class c_state_game : public c_state {
public:
    explicit c_state_game(uint16_t chapter);
    ~c_state_game() override;

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_leave(c_platform& platform, c_application_data& data) override;
    void on_resize(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    bool on_ui_event(c_platform& platform, uint16_t code, c_application_data& data) override;
    // Esc opens the pause screen and closes it again, over the scene or a puzzle.
    void on_key(c_platform& platform, int key, c_application_data& data) override;
    // A window sent to the background shows the pause screen.
    void on_focus(c_platform& platform, bool focused, c_application_data& data) override;

    // --- Chapter hooks (the base does nothing or returns false) ---
    // A release that hit nothing in the scene.
    virtual void on_scene_click(c_platform&, c_application_data&) {}
    // The character was poked (pressed and released on it without a drag).
    virtual void on_character_click(c_platform&, c_application_data&) {}
    // The character is being dragged (every move once past its drag threshold).
    virtual void on_character_drag(c_platform&, c_application_data&) {}
    // An item was picked up; it is deleted from the scene right after.
    virtual void on_collectable_found(c_platform&, c_application_data&, c_scene_collectible&) {}
    // A puzzle spot was discovered.
    virtual void on_puzzle_found(uint16_t /*puzzle_id*/) {}
    // The shown puzzle was solved.
    virtual void on_puzzle_complete(c_platform&, c_application_data&, uint16_t /*puzzle_id*/) {}
    // A flying item reached its icon.
    virtual void on_collectable_arrived(c_platform&, uint16_t /*puzzle_id*/) {}
    // The selected icon was used at a world point; true if it belonged there.
    virtual bool on_use_puzzle_item(c_platform&, c_application_data&, uint16_t /*puzzle_id*/,
                                    float /*x*/, float /*y*/, float /*z*/) {
        return false;
    }

    // --- For chapter code ---
    // Shows the puzzle after a fade to black; ends any drag of the character.
    void start_puzzle(i_game_puzzle* puzzle);
    // Starts a spark of the path highlight on the edge leaving start.
    void start_path_highlight(c_scene_path_node* start, c_scene_path_node::path* edge);
    // Shows the pause screen (true) or the main screen again.
    void set_paused(bool on);
    // True while a puzzle is on screen (fading in, shown or fading out).
    bool puzzle_on_screen() const;
    // Sets the fade quad's alpha on all four vertices.
    void set_fade_alpha(uint8_t alpha);
    uint8_t fade_alpha() const;
    // "p<id>r<remaining>" for every icon in id order.
    std::string puzzle_summary() const;
    // Tutorial creation helpers; each adds to the map and returns the tutorial.
    c_game_tutorial* add_tutorial(c_platform& platform, std::unique_ptr<c_game_tutorial> tutorial);
    c_game_tutorial* tutorial_click_scene(c_platform& platform, const vec3& point);
    c_game_tutorial* tutorial_click_puzzle_ui(c_platform& platform, uint16_t puzzle_id,
                                              const vec3& point);
    c_game_tutorial* tutorial_click_puzzle_scene(c_platform& platform, const c_scene_puzzle& puzzle);
    c_game_tutorial* tutorial_click_collectible_scene(c_platform& platform,
                                                      const c_scene_collectible& collectible);

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_font* font = nullptr;
    c_ui_screen* main_screen = nullptr;
    c_ui_screen* pause_screen = nullptr;
    c_material* glow_material = nullptr;
    c_material* circle_material = nullptr;
    puzzle_icon_map puzzle_icons;
    std::list<c_ui_collectable*> collectables;  // owned by the main screen
    std::list<c_highlight_spark> highlight_sparks;
    c_scene_particle_dampen_and_fade* highlight = nullptr;  // owned by the scene; null: no highlight
    uint16_t press_x = 0, press_y = 0;  // window pixels
    uint16_t drag_distance = 0;         // pixels, saturating
    bool press_in_ui = false;           // the current press was taken by the UI
    i_game_puzzle* puzzle = nullptr;    // the one shown; owned by the chapter
    uint8_t mode = k_game_mode_scene;
    bool leave_requested = false;
    c_quad fade_quad;
    uint16_t chapter;
    bool item_selected = false;
    uint16_t selected_id = 0;
    bool paused = false;
    c_tutorial_map tutorials;
    float hint_charge = 0;
    c_ui_element_graphic* hint_fill = nullptr;
    c_ui_element_graphic* hint_highlight = nullptr;
    c_ui_element_graphic* hand = nullptr;
    c_ui_puzzle_bar* bar = nullptr;
    game_event_queue events;  // run by the chapter's on_tick, before the base's

protected:
    // Takes the icon of an item out of the bar, if it is there.
    void remove_icon(uint16_t puzzle_id);
    // Modes 0 and 5: the verbs of the scene.
    void scene_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                     c_application_data& data);

private:
    void build_main_screen(c_platform& platform);
    void build_pause_screen(c_platform& platform);
    void update_hint_fill();
    void hint(c_platform& platform, c_application_data& data);
    void tick_scene_side(c_platform& platform, c_application_data& data);
    // A puzzle behind the pause screen: only the pause screen's buttons work.
    void tick_paused_puzzle(c_platform& platform, c_application_data& data);
    void check_puzzle_complete(c_platform& platform, c_application_data& data);
    void fade_step(c_platform& platform, c_application_data& data);
    void run_path_highlight();
    bool discover(c_platform& platform, c_application_data& data, const vec2& point);
    bool pick_up(c_platform& platform, c_application_data& data, const vec2& point);
    // True when the chapter accepted the item there (the press stops).
    bool use_item(c_platform& platform, c_application_data& data, const vec3& point);
    void end_character_drag();
};

}  // namespace tw
