// The level editor: a state in which a designer builds a scene file inside the
// running game. Ten tabs of widgets add, pick, remove, place and turn the
// scene's levels, layers, cameras, puzzle spots, collectibles, anims, path
// nodes and graphics, connect path nodes, key anims on a timeline, and load
// and save the scene; a copy is saved to "autosave.xml" every 6001 ticks.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/application.h"
#include "scene/scene.h"
#include "ui/ui_element_button_toggle.h"
#include "ui/ui_element_editbox.h"
#include "ui/ui_element_group.h"
#include "ui/ui_element_text.h"
#include "ui/ui_element_timeline.h"
#include "ui/ui_screen.h"

namespace tw {

// The tabs, in the order of their buttons; a tab's button code is its index + 1.
// clang-format off
enum class editor_tab : uint8_t {
    file, layers, cameras, puzzles, collect, view, levels, anims, paths, graphics
};
// clang-format on
constexpr int k_editor_tab_count = 10;

constexpr uint16_t k_editor_autosave_ticks = 6000;  // saved on the tick after these
constexpr const char* k_editor_autosave_file = "autosave.xml";
constexpr const char* k_editor_default_file = "file.xml";
constexpr const char* k_editor_puzzle_placeholder = "file name";
constexpr float k_editor_zoom_step = 0.9f;
constexpr float k_editor_rotate_per_pixel = 0.02f;  // radians
constexpr float k_editor_depth_per_pixel = 0.02f;
constexpr float k_editor_pan_per_pixel = 2.0f;
constexpr float k_editor_connect_reach_squared = 65536.0f;  // 256 units
constexpr float k_editor_puzzle_click_radius = 512.0f;

// The number at the start of an edit box's text, clamped to [low, high];
// otherwise when the text does not start with one.
long editbox_number(const c_ui_element_editbox& box, long low, long high, long otherwise);

// What a drag does to the visible tab's current item.
enum class editor_mode : uint8_t { none, move, rotate, depth, connect };

class c_state_editor : public c_state {
public:
    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_resize(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    void on_char(c_platform& platform, uint16_t code, c_application_data& data) override;
    // F2 goes back to the title screen.
    void on_key(c_platform& platform, int key, c_application_data& data) override;
    // While an edit box has the keyboard, M, minus and plus are letters, not
    // the sound keys.
    bool takes_text() const override;
    // The command table; always false.
    bool on_ui_event(c_platform& platform, uint16_t code, c_application_data& data) override;

    // Shows the tab's screen, hides the others and ends any timeline drag.
    void show_tab(editor_tab tab);
    // The active mode of the visible tab (none when no toggle is on).
    editor_mode active_mode() const;
    // Sets every selection label from the current selections.
    void refresh_labels();
    // Fills both timelines' key marks from the current anim's keys.
    void refresh_key_marks();

    // Saves the scene with every anim at the position it was loaded or made
    // with: the editor plays anims, but the file keeps where they start.
    bool save_scene(const std::string& file_name);
    // Notes the anims' current positions as the ones to save.
    void note_start_positions();

    // Whether a file name stays inside the working folder: relative, not
    // empty, and without ".." parts.
    static bool is_safe_file_name(const std::string& name);

    c_scene scene;
    // The tab buttons' radio group; declared before the screens so it outlives them.
    c_ui_radio_group tab_buttons;
    c_ui_screen_set ui;
    c_ui_font* font = nullptr;
    editor_tab tab = editor_tab::file;
    uint16_t autosave_countdown = k_editor_autosave_ticks;
    std::map<const c_scene_anim*, uint16_t> start_positions;

    // The current selections; null when none. Owned by the scene.
    c_scene_level* level = nullptr;
    c_scene_layer* layer = nullptr;
    c_scene_camera* camera = nullptr;
    c_scene_puzzle* puzzle = nullptr;
    c_scene_collectible* collectible = nullptr;
    c_scene_anim* anim = nullptr;
    c_scene_path_node* path_node = nullptr;
    c_scene_graphic* graphic = nullptr;

    // The widgets the commands read; owned by the screens.
    struct c_widgets {
        std::array<c_ui_element_group*, k_editor_tab_count> screens{};
        std::array<c_ui_element_text*, k_editor_tab_count> selection{};  // null on file, view
        c_ui_element_text* status = nullptr;  // the file tab's last save or load
        c_ui_element_editbox* file_name = nullptr;
        c_ui_element_editbox* layer_file = nullptr;
        c_ui_element_editbox* layer_size = nullptr;
        c_ui_element_editbox* camera_name = nullptr;
        c_ui_element_editbox* puzzle_file = nullptr;
        c_ui_element_editbox* puzzle_index = nullptr;
        c_ui_element_editbox* collect_file = nullptr;
        c_ui_element_editbox* collect_picked = nullptr;
        c_ui_element_editbox* collect_index = nullptr;
        c_ui_element_editbox* level_name = nullptr;
        c_ui_element_editbox* anim_file = nullptr;
        c_ui_element_editbox* once_name = nullptr;
        c_ui_element_editbox* once_speed = nullptr;
        c_ui_element_editbox* loop_name = nullptr;
        c_ui_element_editbox* loop_speed = nullptr;
        c_ui_element_editbox* path_name = nullptr;
        c_ui_element_editbox* path_anim = nullptr;
        c_ui_element_editbox* path_speed = nullptr;
        c_ui_element_editbox* graphic_file = nullptr;
        c_ui_element_editbox* graphic_name = nullptr;
        std::array<c_ui_element_timeline*, 2> timelines{};
        c_ui_element_button_toggle* route_mode = nullptr;
        // Each tab's mode toggles with the mode each stands for.
        std::array<std::vector<std::pair<c_ui_element_button_toggle*, editor_mode>>,
                   k_editor_tab_count>
            modes;
    } widgets;

    // Overlay materials and quads (see the drawing).
    c_material* blank = nullptr;
    c_material* dot = nullptr;
    c_material* circle = nullptr;
    c_material* transform_material = nullptr;
    c_material* button_face = nullptr;

private:
    void build_screens(c_platform& platform);
    void build_tab(editor_tab tab);
    void run_command(c_platform& platform, uint16_t code);
    // The remove, previous and next commands of every list; false for other codes.
    bool pick_or_remove(uint16_t code);
    void drag_current(int16_t dx, int16_t dy);
    void connect_nearest(const vec2& pointer);
    void draw_markers(c_platform& platform);
    void draw_paths(c_platform& platform);
    // Selects the first item of every list (after a load).
    void select_first_items();
};

}  // namespace tw
