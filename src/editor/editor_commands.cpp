// The editor's commands: tabs, mode groups, and per tab add, pick, remove and
// the tab's own actions; then the selection labels and the timeline's keys.
#include <algorithm>
#include <cstdlib>

#include "editor/editor_codes.h"
#include "editor/state_editor.h"
#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {

constexpr int k_anim_speed_base = 32;  // a new anim's play-once and loop speed: 32..63
constexpr int k_anim_speed_spread = 32;

// The previous (direction -1) or next (+1) item of a scene list; the ends keep
// the current item. With none selected, the first (or last) item is taken.
template <class T>
T* step(const std::vector<std::unique_ptr<T>>& list, T* current, int direction) {
    if (list.empty()) return current;
    auto at = std::find_if(list.begin(), list.end(),
                           [current](const std::unique_ptr<T>& p) { return p.get() == current; });
    if (at == list.end()) return direction > 0 ? list.front().get() : list.back().get();
    const long index = long(at - list.begin()) + direction;
    if (index < 0 || index >= long(list.size())) return current;
    return list[size_t(index)].get();
}

template <class T>
T* first_of(const std::vector<std::unique_ptr<T>>& list) {
    return list.empty() ? nullptr : list.front().get();
}

uint16_t speed_in(const c_ui_element_editbox* box) {
    return uint16_t(editbox_number(*box, 0, 65535, 0));
}

int16_t index_in(const c_ui_element_editbox* box) {
    return int16_t(editbox_number(*box, INT16_MIN, INT16_MAX, 0));
}

const std::string& words(const c_ui_element_editbox* box) {
    return box->text.text;
}

void place(c_transform& transform, const vec3& position) {
    transform.tx = position.x;
    transform.ty = position.y;
}

}  // namespace

long editbox_number(const c_ui_element_editbox& box, long low, long high, long otherwise) {
    const char* text = box.text.text.c_str();
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text) return otherwise;
    return std::clamp(value, low, high);
}

bool c_state_editor::on_ui_event(c_platform& platform, uint16_t code, c_application_data&) {
    if (code >= k_ed_tab_first && code < k_ed_tab_first + k_editor_tab_count) {
        show_tab(editor_tab(code - k_ed_tab_first));
        return false;
    }
    // A mode switched on switches the others of its tab off.
    for (auto& modes : widgets.modes) {
        for (auto& [toggle, mode] : modes) {
            if (toggle->event_code != code || !toggle->toggled) continue;
            for (auto& [other, other_mode] : modes) {
                if (other != toggle) other->set_toggled(false);
            }
            return false;
        }
    }
    run_command(platform, code);
    refresh_labels();
    return false;
}

namespace {

// Picking and removing the current item of one scene list.
template <class T, class F>
bool list_command(uint16_t code, const uint16_t (&codes)[3], std::vector<std::unique_ptr<T>>& list,
                  T*& current, F remove) {
    if (code == codes[0]) {
        if (current) remove(current);
        current = nullptr;
    } else if (code == codes[1] || code == codes[2]) {
        current = step(list, current, code == codes[1] ? -1 : 1);
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool c_state_editor::pick_or_remove(uint16_t code) {
    // Each list's remove, previous and next codes.
    const uint16_t layers[3] = {k_ed_layer_remove, k_ed_layer_previous, k_ed_layer_next};
    const uint16_t cameras[3] = {k_ed_camera_remove, k_ed_camera_previous, k_ed_camera_next};
    const uint16_t puzzles[3] = {k_ed_puzzle_remove, k_ed_puzzle_previous, k_ed_puzzle_next};
    const uint16_t collect[3] = {k_ed_collect_remove, k_ed_collect_previous, k_ed_collect_next};
    const uint16_t levels[3] = {k_ed_level_remove, k_ed_level_previous, k_ed_level_next};
    const uint16_t anims[3] = {k_ed_anim_remove, k_ed_anim_previous, k_ed_anim_next};
    const uint16_t paths[3] = {k_ed_path_remove, k_ed_path_previous, k_ed_path_next};
    const uint16_t graphics[3] = {k_ed_graphic_remove, k_ed_graphic_previous, k_ed_graphic_next};
    return list_command(code, layers, scene.layers, layer,
                        [&](c_scene_layer* p) { scene.remove_layer(p); }) ||
           list_command(code, cameras, scene.cameras, camera,
                        [&](c_scene_camera* p) { scene.remove_camera(p); }) ||
           list_command(code, puzzles, scene.puzzles, puzzle,
                        [&](c_scene_puzzle* p) { scene.remove_puzzle(p); }) ||
           list_command(code, collect, scene.collectibles, collectible,
                        [&](c_scene_collectible* p) { scene.remove_collectible(p); }) ||
           list_command(code, levels, scene.levels, level,
                        [&](c_scene_level* p) { scene.remove_level(p); }) ||
           list_command(code, anims, scene.anims, anim,
                        [&](c_scene_anim* p) {
                            start_positions.erase(p);
                            scene.remove_anim(p);
                        }) ||
           // Deleting a node also deletes every path into it: those of its
           // two-way neighbours and any one-way path from elsewhere.
           list_command(code, paths, scene.path_nodes, path_node,
                        [&](c_scene_path_node* p) { scene.remove_path_node(p); }) ||
           list_command(code, graphics, scene.graphics, graphic,
                        [&](c_scene_graphic* p) { scene.remove_graphic(p); });
}

void c_state_editor::run_command(c_platform& platform, uint16_t code) {
    if (pick_or_remove(code)) {
        refresh_key_marks();
        return;
    }
    const vec3 here = scene.view.position;
    switch (code) {
        case k_ed_save: {
            const std::string& name = words(widgets.file_name);
            if (!is_safe_file_name(name)) {
                widgets.status->set_text("not saved: give a name inside the working folder");
            } else {
                widgets.status->set_text(save_scene(name) ? "saved " + name
                                                          : "could not write " + name);
            }
            break;
        }
        case k_ed_load: {
            const std::string& name = words(widgets.file_name);
            if (!is_safe_file_name(name)) {
                widgets.status->set_text("not loaded: give a name inside the working folder");
                break;
            }
            const bool loaded = scene.load(platform, name);
            for (c_quad* bar : {&scene.letterbox_top, &scene.letterbox_bottom})
                bar->material = blank;
            note_start_positions();
            select_first_items();
            widgets.status->set_text(loaded ? "loaded " + name
                                            : "could not read " + name + ": empty scene");
            break;
        }

        case k_ed_layer_add: {
            if (!level) break;
            auto made = std::make_unique<c_scene_layer>();
            made->level_name = level->name;
            made->file_name = words(widgets.layer_file);
            const char* size = words(widgets.layer_size).c_str();
            made->tile_scale = std::strtof(size, nullptr);
            // A box without a positive number would make the layer invisible.
            if (!(made->tile_scale > 0)) made->tile_scale = 1;
            made->texture_size = k_layer_texture_size;
            made->load_tiles(platform);
            layer = scene.add_layer(std::move(made));
            break;
        }

        case k_ed_zoom_in: scene.view.zoom *= k_editor_zoom_step; break;
        case k_ed_zoom_out: scene.view.zoom /= k_editor_zoom_step; break;

        case k_ed_camera_add: {
            auto made = std::make_unique<c_scene_camera>();
            made->position = here;
            made->scene_width = scene.view.limit;
            made->name = words(widgets.camera_name);
            camera = scene.add_camera(std::move(made));
            break;
        }
        case k_ed_camera_center:
            if (camera) scene.view.position = camera->position;
            break;

        case k_ed_puzzle_add: {
            if (!level || words(widgets.puzzle_file) == k_editor_puzzle_placeholder) break;
            auto made = std::make_unique<c_scene_puzzle>();
            made->anim_file_name = words(widgets.puzzle_file);
            made->puzzle_index = index_in(widgets.puzzle_index);
            made->level_name = level->name;
            made->click_radius = k_editor_puzzle_click_radius;
            place(made->anim.base, here);
            load_puzzle_anim(platform, *made);
            puzzle = scene.add_puzzle(std::move(made));
            break;
        }

        case k_ed_collect_add: {
            if (!level) break;
            auto made = std::make_unique<c_scene_collectible>();
            made->level_name = level->name;
            made->texture_file_name = words(widgets.collect_file);
            made->picked_file_name = words(widgets.collect_picked);
            made->puzzle_index = index_in(widgets.collect_index);
            place(made->transform, here);
            build_collectible_quad(platform, *made);
            collectible = scene.add_collectible(std::move(made));
            break;
        }

        case k_ed_level_add: {
            auto made = std::make_unique<c_scene_level>();
            made->name = words(widgets.level_name);
            level = scene.add_level(std::move(made));
            break;
        }

        case k_ed_anim_add: {
            if (!level) break;
            auto made = std::make_unique<c_scene_anim>();
            made->level_name = level->name;
            made->anim_file_name = words(widgets.anim_file);
            place(made->anim.base, here);
            load_scene_anim(platform, *made);
            made->anim_position = uint16_t(rand());
            made->anim_speed = 0;
            made->play_once_speed = made->loop_speed =
                uint16_t(k_anim_speed_base + rand() % k_anim_speed_spread);
            anim = scene.add_anim(std::move(made));
            start_positions[anim] = anim->anim_position;
            refresh_key_marks();
            break;
        }
        case k_ed_timeline_first:
        case k_ed_timeline_second: {
            const size_t from = code - k_ed_timeline_first;
            const uint16_t value = widgets.timelines[from]->value;
            widgets.timelines[1 - from]->set_value(value);
            if (anim) anim->set_position(value);
            break;
        }
        case k_ed_anim_change:
            if (!anim) break;
            anim->set_animation_change(widgets.timelines[0]->value, words(widgets.once_name),
                                       speed_in(widgets.once_speed), words(widgets.loop_name),
                                       speed_in(widgets.loop_speed));
            refresh_key_marks();
            break;

        case k_ed_path_add: {
            auto made = std::make_unique<c_scene_path_node>();
            made->name = words(widgets.path_name);
            place(made->transform, here);
            path_node = scene.add_path_node(std::move(made));
            break;
        }
        case k_ed_path_disconnect:
            if (!path_node) break;
            for (auto& path : path_node->paths) {
                if (!path->target) continue;
                auto& back = path->target->paths;
                back.erase(std::remove_if(back.begin(), back.end(),
                                          [this](const auto& p) { return p->target == path_node; }),
                           back.end());
            }
            path_node->paths.clear();
            break;

        case k_ed_graphic_add: {
            uint16_t width = 0;
            uint16_t height = 0;
            const std::string& file = words(widgets.graphic_file);
            if (!level || file.empty() || !platform.read_bitmap_size(file, width, height)) break;
            auto made = std::make_unique<c_scene_graphic>();
            made->level_name = level->name;
            made->name = words(widgets.graphic_name);
            made->file_name = file;
            made->half_width = 2.0f * width;
            made->half_height = 2.0f * height;
            place(made->transform, here);
            build_graphic_quad(platform, *made);
            graphic = scene.add_graphic(std::move(made));
            break;
        }
        default: break;
    }
}

void c_state_editor::select_first_items() {
    level = first_of(scene.levels);
    layer = first_of(scene.layers);
    camera = first_of(scene.cameras);
    puzzle = first_of(scene.puzzles);
    collectible = first_of(scene.collectibles);
    anim = first_of(scene.anims);
    path_node = first_of(scene.path_nodes);
    graphic = first_of(scene.graphics);
    refresh_key_marks();
}

void c_state_editor::refresh_labels() {
    auto name_or_none = [](const void* item, const std::string& name) {
        return item ? (name.empty() ? std::string("(no name)") : name) : std::string("none");
    };
    const std::string names[k_editor_tab_count] = {
        "",
        name_or_none(layer, layer ? layer->file_name : ""),
        name_or_none(camera, camera ? camera->name : ""),
        name_or_none(puzzle, puzzle ? puzzle->anim_file_name : ""),
        name_or_none(collectible, collectible ? collectible->texture_file_name : ""),
        "",
        name_or_none(level, level ? level->name : ""),
        name_or_none(anim, anim ? anim->anim_file_name : ""),
        name_or_none(path_node, path_node ? path_node->name : ""),
        name_or_none(graphic, graphic ? graphic->name : ""),
    };
    for (int i = 0; i < k_editor_tab_count; ++i) {
        c_ui_element_text* label = widgets.selection[size_t(i)];
        if (label && label->text.text != names[i]) {
            const c_rgba colour = label->text.colour;
            label->text.set_text(names[i], colour);
        }
    }
}

void c_state_editor::refresh_key_marks() {
    std::vector<uint16_t> keys;
    if (anim) {
        for (const auto& [key, unused] : anim->transform_graph) keys.push_back(key);
        for (const auto& [key, unused] : anim->anim_change_graph) keys.push_back(key);
    }
    for (c_ui_element_timeline* timeline : widgets.timelines) {
        if (timeline) timeline->key_marks = keys;
    }
}

void c_state_editor::show_tab(editor_tab shown) {
    tab = shown;
    for (int i = 0; i < k_editor_tab_count; ++i) {
        if (widgets.screens[size_t(i)]) widgets.screens[size_t(i)]->visible = i == int(shown);
    }
    for (c_ui_element_button_toggle* button : tab_buttons) {
        button->set_toggled(button->event_code == k_ed_tab_first + uint16_t(shown));
    }
    // A drag cut off by the switch never gets its release.
    for (c_ui_element_timeline* timeline : widgets.timelines) {
        if (timeline) timeline->dragging = false;
    }
}

editor_mode c_state_editor::active_mode() const {
    for (const auto& [toggle, mode] : widgets.modes[size_t(tab)]) {
        if (toggle->toggled) return mode;
    }
    return editor_mode::none;
}

}  // namespace tw
