// The editor's life: entering, the tick with its autosave, the mouse modes,
// typed characters, the way back to the title screen, and the file name check.
#include "editor/state_editor.h"

#include <cstdio>

#include "platform/platform.h"
#include "platform/window.h"

namespace tw {

namespace {

constexpr const char* k_font_description = "font/font_desc.xml";
constexpr const char* k_font_texture = "font.bmp";

}  // namespace

void c_state_editor::on_enter(c_platform& platform, c_application_data&) {
    autosave_countdown = k_editor_autosave_ticks;
    font = ui.create_font(k_font_description, platform.get_material(k_font_texture, false));
    blank = platform.get_material("blank.bmp", false);
    dot = platform.get_material("dot.bmp", false);
    circle = platform.get_material("circle.bmp", false);
    transform_material = platform.get_material("transform.bmp", false);
    for (c_quad* bar : {&scene.letterbox_top, &scene.letterbox_bottom}) bar->material = blank;
    build_screens(platform);
    show_tab(editor_tab::file);
    refresh_labels();
}

void c_state_editor::on_resize(c_platform& platform, c_application_data&) {
    ui.layout(ui_context(platform));
}

void c_state_editor::on_tick(c_platform& platform, c_application_data& data) {
    if (autosave_countdown == 0) {
        save_scene(k_editor_autosave_file);
        autosave_countdown = k_editor_autosave_ticks;
    } else {
        --autosave_countdown;
    }
    // The view is the editor's own: it moves only by the editor's commands, so
    // the scene's update (which glides it) is not used.
    for (auto& placed : scene.anims) placed->advance();
    for (auto& system : scene.particle_systems) system->update(platform, scene.view);
    ui.update(ui_context(platform), *this);
    process_ui_events(platform, data);
}

void c_state_editor::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                              c_application_data&) {
    if (ui.on_mouse_button(ui_context(platform), kind, dx, dy, *this)) return;
    const vec2 pointer = scene.view.screen_to_scene(platform);
    const editor_mode mode = active_mode();
    if (kind == k_mouse_drag) {
        // The view tab pans; so does any tab while none of its modes is on,
        // which keeps the scene reachable without switching tabs.
        if (tab == editor_tab::view || mode == editor_mode::none) {
            scene.view.position.x -= k_editor_pan_per_pixel * int16_t(dx);
            scene.view.position.y += k_editor_pan_per_pixel * int16_t(dy);
        } else {
            drag_current(int16_t(dx), int16_t(dy));
        }
    } else if (kind == k_mouse_press && tab == editor_tab::paths && mode == editor_mode::connect) {
        connect_nearest(pointer);
    }
}

void c_state_editor::on_char(c_platform& platform, uint16_t code, c_application_data&) {
    ui.on_char(platform, code, *this);
}

void c_state_editor::on_key(c_platform&, int key, c_application_data& data) {
    if (key == k_key_f2) data.request_state(k_state_menu);
}

bool c_state_editor::takes_text() const {
    const c_ui_element_group* shown = widgets.screens[size_t(tab)];
    if (!shown) return false;
    for (const auto& child : shown->children) {
        const auto* box = dynamic_cast<const c_ui_element_editbox*>(child.get());
        if (box && box->focused) return true;
    }
    return false;
}

bool c_state_editor::save_scene(const std::string& file_name) {
    std::vector<uint16_t> playing;
    for (auto& placed : scene.anims) {
        playing.push_back(placed->anim_position);
        auto start = start_positions.find(placed.get());
        if (start != start_positions.end()) placed->anim_position = start->second;
    }
    const bool saved = scene.save(file_name);
    for (size_t i = 0; i < playing.size(); ++i) scene.anims[i]->anim_position = playing[i];
    return saved;
}

void c_state_editor::note_start_positions() {
    start_positions.clear();
    for (auto& placed : scene.anims) start_positions[placed.get()] = placed->anim_position;
}

bool c_state_editor::is_safe_file_name(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.back() == '/') return false;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find('/', start);
        if (end == std::string::npos) end = name.size();
        const std::string part = name.substr(start, end - start);
        if (part == ".." || part.empty()) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace tw
