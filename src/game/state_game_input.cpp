// The chapter's pointer verbs: discover a puzzle spot, pick up an item, use a
// selected icon, poke or drag the character, and pan the camera.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chapters/game_puzzle.h"
#include "game/state_game.h"
#include "game/ui_collectable.h"
#include "game/ui_puzzle_bar.h"
#include "net/usage_messages.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr float k_ui_units_per_zoom = 2048.0f;  // item half sizes scale by this / zoom in the UI

float squared_distance(const vec2& a, float x, float y) {
    const float dx = a.x - x, dy = a.y - y;
    return dx * dx + dy * dy;
}

// Whether point lies inside the item's box, turned with the item.
bool inside_rotated_box(const c_scene_collectible& item, const vec2& point) {
    const float c = std::cos(-item.transform.angle), s = std::sin(-item.transform.angle);
    const float dx = point.x - item.transform.tx, dy = point.y - item.transform.ty;
    const float local_x = dx * c - dy * s;
    const float local_y = dx * s + dy * c;
    return std::fabs(local_x) <= std::max(item.half_width, k_pick_up_min_half) &&
           std::fabs(local_y) <= std::max(item.half_height, k_pick_up_min_half);
}

}  // namespace

void c_state_game::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                            c_application_data& data) {
    switch (mode) {
        case k_game_mode_scene:
        case k_game_mode_scene_fading_in:
            scene_mouse(platform, kind, dx, dy, data);
            break;
        case k_game_mode_puzzle_fading_in:
        case k_game_mode_puzzle:
        case k_game_mode_puzzle_fading_out:
            // Over a paused puzzle only the pause screen's buttons take clicks.
            if (paused) {
                ui.on_mouse_button(ui_context(platform), kind, dx, dy, *this);
            } else if (mode != k_game_mode_puzzle_fading_out && puzzle) {
                puzzle->on_mouse(platform, kind, dx, dy, data);
            }
            break;
        default:
            break;  // clicks during a fade to black are ignored
    }
}

void c_state_game::scene_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                               c_application_data& data) {
    bool had_item = false;
    if (kind == k_mouse_press) {
        had_item = item_selected;
        if (bar) bar->deselect_all();
        item_selected = false;
    }
    const bool taken = ui.on_mouse_button(ui_context(platform), kind, dx, dy, *this);
    if (kind == k_mouse_press) press_in_ui = taken;
    // A click the UI took stays the UI's: its moves and release never reach the
    // scene, where the release would discover or pick up what lies under a button.
    if (taken || press_in_ui) {
        if (kind == k_mouse_release) press_in_ui = false;
        return;
    }
    // Behind the pause screen the scene takes nothing, even what the screen ignores.
    if (paused) return;

    const vec2 at = scene.view.screen_to_scene(platform);
    if (kind == k_mouse_release && drag_distance < k_click_drag_limit) {
        if (discover(platform, data, at) || pick_up(platform, data, at)) {
            // The release never reaches the character, so its press ends here.
            end_character_drag();
            return;
        }
        on_scene_click(platform, data);
        // A hook that opened a puzzle or a fade leaves the scene; nothing more to do.
        if (mode != k_game_mode_scene && mode != k_game_mode_scene_fading_in) return;
    } else if (kind == k_mouse_press && had_item) {
        if (use_item(platform, data, {at.x, at.y, 0})) return;
    }
    if (kind == k_mouse_press) {
        press_x = platform.mouse_x;
        press_y = platform.mouse_y;
        drag_distance = 0;
    }
    if (kind == k_mouse_drag) {
        // The distance from the press point is added at every move, saturating,
        // so no drag is ever long enough to wrap round and count as a click.
        const int moved = std::abs(int(platform.mouse_x) - int(press_x)) +
                          std::abs(int(platform.mouse_y) - int(press_y));
        drag_distance = uint16_t(std::min(int(drag_distance) + moved, 0xffff));
    }

    uint8_t result = k_character_result_none;
    if (scene.character &&
        scene.character->mouse(platform, uint8_t(kind), {at.x, at.y, 0}, result)) {
        if (result == k_character_result_action) on_character_click(platform, data);
        if (result == k_character_result_drag) on_character_drag(platform, data);
        if (mode != k_game_mode_scene && mode != k_game_mode_scene_fading_in) {
            end_character_drag();
        }
        return;
    }
    if (kind == k_mouse_drag && drag_distance > k_pan_drag_threshold) {
        scene.view.pan_by_pixels(platform, int16_t(dx), int16_t(dy));
    }
}

bool c_state_game::discover(c_platform& platform, c_application_data& data, const vec2& at) {
    c_scene_puzzle* nearest = nullptr;
    float best = 0;
    for (const auto& spot : scene.puzzles) {
        if (!spot->trigger || spot->discovered) continue;
        const float d = squared_distance(at, spot->anim.base.tx, spot->anim.base.ty);
        if (d < spot->click_radius * spot->click_radius && (!nearest || d < best)) {
            nearest = spot.get();
            best = d;
        }
    }
    if (!nearest) return false;
    play_sound(platform.sound_engine.get(), data.sounds[k_sound_puzzle_discovery]);
    nearest->discovered = true;
    on_puzzle_found(uint16_t(nearest->puzzle_index));
    return true;
}

bool c_state_game::pick_up(c_platform& platform, c_application_data& data, const vec2& at) {
    c_scene_collectible* nearest = nullptr;
    float best = 0;
    for (const auto& item : scene.collectibles) {
        if (!item->collectable || !puzzle_icons.count(uint16_t(item->puzzle_index))) continue;
        const float d = squared_distance(at, item->transform.tx, item->transform.ty);
        if (!nearest || d < best) {
            nearest = item.get();
            best = d;
        }
    }
    if (!nearest || !inside_rotated_box(*nearest, at)) return false;

    play_sound(platform.sound_engine.get(), data.sounds[k_sound_item_found]);
    const uint16_t id = uint16_t(nearest->puzzle_index);
    const vec2 ui_at = scene.view.scene_to_ui(platform, nearest->transform.tx, nearest->transform.ty);
    const float scale = scene.view.zoom > 0 ? k_ui_units_per_zoom / scene.view.zoom : 1.0f;
    const float angle = nearest->transform.angle;
    c_material* material = nearest->picked_material ? nearest->picked_material
                                                    : nearest->quad.material;
    auto flying = std::make_unique<c_ui_collectable>(material, ui_at.x, ui_at.y, angle,
                                                     nearest->half_width * scale,
                                                     nearest->half_height * scale,
                                                     puzzle_icons[id], id);
    collectables.push_back(ui.add_element(main_screen, std::move(flying)));
    on_collectable_found(platform, data, *nearest);
    scene.remove_collectible(nearest);
    return true;
}

bool c_state_game::use_item(c_platform& platform, c_application_data& data, const vec3& at) {
    if (on_use_puzzle_item(platform, data, selected_id, at.x, at.y, at.z)) {
        play_sound(platform.sound_engine.get(), data.sounds[k_sound_puzzle_complete]);
        remove_icon(selected_id);
        const std::string name = "c" + std::to_string(chapter) + "_p" + std::to_string(selected_id);
        queue_ga_event(data.persistent, platform, "gameplay", "complete_collectibles",
                       "puzzle_name", name);
        queue_event(data.persistent, "complete_collectibles", chapter, puzzle_summary());
        if (bar) bar->deselect_all();
        return true;
    }
    play_sound(platform.sound_engine.get(), data.sounds[k_sound_error]);
    if (bar) bar->deselect_all();
    item_selected = false;
    return false;
}

void c_state_game::end_character_drag() {
    if (!scene.character) return;
    scene.character->pressed = 0;
    scene.character->dragging = 0;
}

}  // namespace tw
