// Chapter one: entering (music, scene, lights, thread, larva, buds, the
// opening) and the hooks the chapter core calls.
#include "chapters/state_game_1.h"

#include <algorithm>
#include <string>

#include "app/music.h"
#include "chapters/scene_character_c1.h"
#include "game/ui_puzzle.h"
#include "platform/platform.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr const char* k_light_texture = "c1/light0.bmp";
constexpr float k_light_half = 5000;
constexpr const char* k_thread_texture = "c1/thread.bmp";
constexpr const char* k_thread_head_texture = "c1/thread_head.bmp";
constexpr float k_thread_graphic_half = 8;
constexpr const char* k_pollen_texture = "c1/pollen.bmp";
constexpr c_rgba k_pollen_colour{255, 226, 150, 255};
constexpr const char* k_spark_texture = "particle1.bmp";
constexpr c_rgba k_spark_colour{255, 236, 170, 255};
constexpr const char* k_cocoon_files[] = {"anims/cacoona.xml", "anims/cacoonb.xml"};
constexpr uint16_t k_cocoon_build_speed = 240;  // the build plays about four seconds
constexpr uint16_t k_cocoon_idle_speed = 160;
constexpr float k_larva_walk_speed = 12;         // scene units per tick
constexpr uint16_t k_larva_walk_anim_rate = 1200;
constexpr uint8_t k_larva_art_facing = 0;        // the art looks right
constexpr vec3 k_silk_offset{16, 36, 0};         // from the larva's feet to the silk's start
constexpr uint16_t k_opening_wait = 5;
constexpr float k_opening_fade_step = 0.002f;
constexpr uint16_t k_ending_wait = 1000;
constexpr float k_ending_fade_step = 0.0015f;

struct c_light_setting {
    const char* name;
    const char* level;
    uint16_t minimum_ticks, tick_range;
    uint8_t base_alpha, amplitude;
    c_rgba colour;
};
constexpr c_light_setting k_light_settings[] = {
    {"light0", "focus_1", 8, 12, 32, 18, {255, 255, 255, 0}},
    {"light1", "focus_3", 6, 9, 38, 24, {160, 180, 255, 0}},
};

c_state_game_1::c_light make_light(const c_light_setting& setting) {
    return {nullptr,
            c_flicker_generator(setting.minimum_ticks, setting.tick_range, setting.base_alpha,
                                setting.amplitude),
            setting.colour};
}

std::string item_texture(uint16_t id, const char* kind) {
    return "c1/p" + std::to_string(id) + "/" + kind + ".bmp";
}

}  // namespace

c_state_game_1::c_state_game_1()
    : c_state_game(1),
      lights{make_light(k_light_settings[0]), make_light(k_light_settings[1])} {}

void c_state_game_1::on_enter(c_platform& platform, c_application_data& data) {
    request_music(platform.sound_engine.get(), data, data.sounds[k_sound_music_chapter_1]);
    for (uint16_t id = 0; id < k_c1_item_count; ++id) {
        icons[id] = platform.get_material(item_texture(id, "icon"), false);
        hints[id] = platform.get_material(item_texture(id, "hint"), false);
    }

    thread = thread_head = nullptr;
    thread_length = thread_target = 0;
    hanging = false;
    hover = nullptr;
    hover_goal = 0;
    hover_moving = false;
    spots.fill(nullptr);
    larva = nullptr;
    pollen = nullptr;
    pulse = 0;
    dragged_once = item_1_found = 0;
    larva_stopped = larva_hung = false;
    spot_2_ticks = 0;
    item_2_arrived = false;
    pending_tutorial = spot_2_tutorial = seed_use_tutorial = nullptr;
    item_tutorials.clear();
    c_state_game::on_enter(platform, data);

    seeds.setup(platform);
    scene.load(platform, k_c1_scene_file);
    scene.set_camera(k_c1_camera);
    create_graphics(platform);
    create_larva(platform);
    find_scene_objects();
    for (const char* file : k_cocoon_files) {
        if (c_scene_anim* cocoon = scene.find_anim(file))
            cocoon->change_animation("build", k_cocoon_build_speed, "idle", k_cocoon_idle_speed);
    }

    append_event(events, std::make_unique<c_game_event_wait>(k_opening_wait));
    append_event(events, std::make_unique<c_game_event_fill_fade_in>(1.0f, k_opening_fade_step));
    append_event(events, std::make_unique<c_game_event_hint_character_drag>(&pending_tutorial));
    platform.get_material("hand.bmp", false);
}

void c_state_game_1::create_graphics(c_platform& platform) {
    auto graphic = [&](const char* level, const char* name, const char* texture, float half) {
        auto made = std::make_unique<c_scene_graphic>();
        made->level_name = level;
        made->name = name;
        made->file_name = texture;
        made->half_width = made->half_height = half;
        build_graphic_quad(platform, *made);
        return scene.add_graphic(std::move(made));
    };
    for (size_t i = 0; i < lights.size(); ++i) {
        const c_light_setting& setting = k_light_settings[i];
        lights[i] = make_light(setting);
        if (!scene.find_level(setting.level)) continue;
        lights[i].graphic = graphic(setting.level, setting.name, k_light_texture, k_light_half);
        lights[i].graphic->quad.buffer.set_colour(setting.colour);
        make_graphic_glow(platform, *lights[i].graphic);
        // The thread and the silk knot wait, unseen, for the larva to hang.
        if (i == 0) {
            thread = graphic(setting.level, "thread", k_thread_texture, k_thread_graphic_half);
            thread_head = graphic(setting.level, "thread_head", k_thread_head_texture,
                                  k_thread_graphic_half);
            thread->quad.buffer.set_alpha(0);
            thread_head->quad.buffer.set_alpha(0);
        } else {
            pollen = static_cast<c_scene_particle_dampen_and_fade*>(scene.add_particle_system(
                std::make_unique<c_scene_particle_dampen_and_fade>(
                    platform.get_material(k_pollen_texture, true), setting.level,
                    k_pollen_colour)));
        }
    }
}

void c_state_game_1::create_larva(c_platform& platform) {
    const char* level = "focus_0";
    c_scene_path_node* start = scene.find_path_node("4");
    c_scene_path_node* end = scene.find_path_node("end");
    if (!scene.find_level(level) || !start || !end || start->paths.empty()) return;
    auto made = std::make_unique<c_scene_character_c1>(
        platform, level, k_c1_larva_file, *start, *start->paths.front(), k_larva_art_facing,
        k_larva_walk_speed, k_larva_walk_anim_rate, vec2{end->transform.tx, end->transform.ty},
        k_larva_spin_radius);
    made->thread_head = thread_head;
    larva = made.get();
    scene.set_character(std::move(made));
    highlight = static_cast<c_scene_particle_dampen_and_fade*>(scene.add_particle_system(
        std::make_unique<c_scene_particle_dampen_and_fade>(
            platform.get_material(k_spark_texture, true), level, k_spark_colour)));
}

void c_state_game_1::find_scene_objects() {
    hover = scene.find_anim(k_c1_hover_file);
    for (const auto& spot : scene.puzzles) {
        const int16_t id = spot->puzzle_index;
        if (id < 0 || id >= int16_t(k_c1_item_count) || spots[size_t(id)]) continue;
        spots[size_t(id)] = spot.get();
    }
    for (c_scene_puzzle* spot : spots) {
        if (spot) spot->trigger = false;
    }
    size_t found = 0;
    for (const auto& item : scene.collectibles) {
        if (found == growths.size()) break;
        if (item->puzzle_index != 1) continue;
        c_growth& growth = growths[found];
        growth = c_growth{};
        growth.collectible = item.get();
        growth.trigger_position = k_c1_growth_triggers[found];
        item->collectable = false;
        item->quad.buffer.set_quad_rect(-k_c1_growth_start_half, 2 * k_c1_growth_start_half,
                                        k_c1_growth_start_half, -2 * k_c1_growth_start_half);
        item->half_width = k_c1_growth_start_half;
        item->half_height = 2 * k_c1_growth_start_half;
        ++found;
    }
    for (size_t i = found; i < growths.size(); ++i) growths[i] = c_growth{};
}

void c_state_game_1::on_draw(c_platform& platform, c_application_data& data) {
    c_state_game::on_draw(platform, data);
}

// --- Hooks ---

void c_state_game_1::add_puzzle_icon(uint16_t id) {
    append_event(events, std::make_unique<c_game_event_add_puzzle>(
                             id, icons[id], hints[id], glow_material, circle_material, font,
                             uint16_t(k_game_code_first_icon + id)));
}

void c_state_game_1::on_puzzle_found(uint16_t id) {
    if (id >= k_c1_item_count) return;
    add_puzzle_icon(id);
    if (id == 1) {
        end_tutorial(pending_tutorial);
        item_1_found = 1;
        start_hang();
    } else if (id == 2) {
        end_tutorial(spot_2_tutorial);
    }
}

void c_state_game_1::start_hang() {
    hanging = true;
    hover_goal = k_c1_hover_first_goal;
    if (!larva) return;
    thread_origin = larva->anim.base;
    const c_transform& at = larva->anim.base;
    for (c_scene_graphic* silk : {thread, thread_head}) {
        if (!silk) continue;
        if (silk == thread) silk->transform = thread_origin;
        silk->transform.tx = at.tx + k_silk_offset.x;
        silk->transform.ty = at.ty + k_silk_offset.y;
        silk->transform.tz = at.tz + k_silk_offset.z;
        silk->quad.buffer.set_alpha(255);
    }
    thread_length = 0;
    update_thread_geometry();
}

bool c_state_game_1::on_use_puzzle_item(c_platform&, c_application_data&, uint16_t id, float x,
                                        float y, float z) {
    const vec3 at{x, y, z};
    switch (id) {
        case 0:
            if (thread_length <= k_c1_thread_asleep || !larva || !larva->hit(at)) return false;
            larva->fall_asleep();
            append_event(events, std::make_unique<c_game_event_wait>(k_ending_wait));
            append_event(events, std::make_unique<c_game_event_fill_fade_out>(0.0f,
                                                                              k_ending_fade_step));
            append_event(events, std::make_unique<c_game_event_complete_chapter>());
            return true;
        case 1:
            if (!larva || !larva->hit(at)) return false;
            thread_target = k_c1_thread_full;
            if (spots[0]) spots[0]->trigger = true;
            return true;
        case 2: {
            const c_scene_puzzle* spot = spots[2];
            if (!spot) return false;
            const float dx = x - spot->anim.base.tx, dy = y - spot->anim.base.ty;
            if (dx * dx + dy * dy >= spot->click_radius * spot->click_radius) return false;
            start_puzzle(&seeds);
            return true;
        }
        default:
            return false;
    }
}

void c_state_game_1::on_puzzle_complete(c_platform&, c_application_data&, uint16_t id) {
    if (id == 2) hover_goal = k_c1_hover_last_goal;
}

void c_state_game_1::on_scene_click(c_platform&, c_application_data&) {
    // The larva's glow pulses to show what can be dragged, and later what hangs.
    if (pulse == 0 && !dragged_once) pulse = k_c1_pulse_ticks;
    if (scene.character && !item_1_found && larva && larva->mode == k_larva_hanging &&
        pulse == 0) {
        pulse = k_c1_pulse_ticks;
    }
}

void c_state_game_1::on_character_click(c_platform& platform, c_application_data& data) {
    play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_grub]);
    if (pollen && scene.character) {
        const c_transform& at = scene.character->anim.base;
        pollen->emit({at.tx, at.ty, at.tz}, {0, 0, 0});
    }
}

void c_state_game_1::on_character_drag(c_platform&, c_application_data&) { dragged_once = 1; }

void c_state_game_1::on_collectable_found(c_platform&, c_application_data&,
                                          c_scene_collectible& collectable) {
    for (c_item_tutorial& pointing : item_tutorials) {
        if (pointing.collectible == &collectable) end_tutorial(pointing.tutorial);
    }
    item_tutorials.erase(std::remove_if(item_tutorials.begin(), item_tutorials.end(),
                                        [](const c_item_tutorial& t) { return !t.tutorial; }),
                         item_tutorials.end());
}

void c_state_game_1::on_collectable_arrived(c_platform& platform, uint16_t id) {
    if (id == 1) {
        thread_target += k_c1_thread_per_bud;
    } else if (id == 2) {
        item_2_arrived = true;
        // With the last seed in, the hand shows where the seeds go: the icon,
        // then the seed head.
        const auto icon = puzzle_icons.find(2);
        if (!seed_use_tutorial && spots[2] && icon != puzzle_icons.end() &&
            icon->second->remaining == 0) {
            const c_transform& at = spots[2]->anim.base;
            seed_use_tutorial = tutorial_click_puzzle_ui(platform, 2, {at.tx, at.ty, at.tz});
        }
    }
}

// --- Tutorials ---

bool c_state_game_1::running(const c_game_tutorial* tutorial) const {
    if (!tutorial) return false;
    for (const auto& [key, held] : tutorials.tutorials) {
        if (held.get() == tutorial) return true;
    }
    return false;
}

void c_state_game_1::end_tutorial(c_game_tutorial*& tutorial) {
    if (running(tutorial)) tutorial->finish_request = 1;
    tutorial = nullptr;
}

}  // namespace tw
