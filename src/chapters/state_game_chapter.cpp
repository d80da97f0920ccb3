// The shared entering and script helpers of chapters two to five.
#include "chapters/state_game_chapter.h"

#include <memory>

#include "app/music.h"
#include "platform/platform.h"
#include "scene/scene_character.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr const char* k_light_texture = "c1/light0.bmp";
constexpr float k_light_half = 5000;
constexpr const char* k_pollen_texture = "c1/pollen.bmp";
constexpr c_rgba k_pollen_colour{255, 226, 150, 255};
constexpr const char* k_spark_texture = "particle1.bmp";
constexpr c_rgba k_spark_colour{255, 236, 170, 255};
constexpr uint16_t k_opening_wait = 5;
constexpr float k_opening_fade_step = 0.002f;
constexpr int k_pollen_per_poke = 12;

struct c_light_setting {
    const char* name;
    const char* level;
    uint16_t minimum_ticks, tick_range;
    uint8_t base_alpha, amplitude;
    c_rgba colour;
};
// The same two lights as chapter one's.
constexpr c_light_setting k_light_settings[] = {
    {"light0", "focus_1", 8, 12, 32, 18, {255, 255, 255, 0}},
    {"light1", "focus_3", 6, 9, 38, 24, {160, 180, 255, 0}},
};

c_state_game_chapter::c_light make_light(const c_light_setting& s) {
    return {nullptr, c_flicker_generator(s.minimum_ticks, s.tick_range, s.base_alpha, s.amplitude),
            s.colour};
}

}  // namespace

c_state_game_chapter::c_state_game_chapter(uint16_t chapter, const std::vector<c_item_art>& items)
    : c_state_game(chapter),
      lights{make_light(k_light_settings[0]), make_light(k_light_settings[1])},
      item_art_(items) {}

void c_state_game_chapter::enter_chapter(c_platform& platform, c_application_data& data, int music) {
    request_music(platform.sound_engine.get(), data, data.sounds[size_t(music)]);
    icons.clear();
    hints.clear();
    for (const c_item_art& art : item_art_) {
        icons[art.item] = platform.get_material(art.icon, false);
        hints[art.item] = platform.get_material(art.hint, false);
    }
    pollen = nullptr;
    character = nullptr;
    ended = false;
    spots_.clear();
    glow_flicker = c_flicker_generator{8, 12, 96, 128};
    c_state_game::on_enter(platform, data);
}

void c_state_game_chapter::enter_scene(c_platform& platform, const char* scene_file,
                                       const char* character_file, const char* character_level,
                                       const char* start_node) {
    scene.load(platform, scene_file);
    scene.set_camera("camera1");
    for (size_t i = 0; i < lights.size(); ++i) {
        const c_light_setting& setting = k_light_settings[i];
        lights[i] = make_light(setting);
        if (!scene.find_level(setting.level)) continue;
        auto light = std::make_unique<c_scene_graphic>();
        light->level_name = setting.level;
        light->name = setting.name;
        light->file_name = k_light_texture;
        light->half_width = light->half_height = k_light_half;
        build_graphic_quad(platform, *light);
        light->quad.buffer.set_colour(setting.colour);
        make_graphic_glow(platform, *light);
        lights[i].graphic = scene.add_graphic(std::move(light));
        if (i == 1) {
            pollen = static_cast<c_scene_particle_dampen_and_fade*>(scene.add_particle_system(
                std::make_unique<c_scene_particle_dampen_and_fade>(
                    platform.get_material(k_pollen_texture, true), setting.level, k_pollen_colour)));
        }
    }
    c_scene_path_node* start = scene.find_path_node(start_node);
    if (scene.find_level(character_level) && start && !start->paths.empty()) {
        auto made = std::make_unique<c_scene_character>(
            platform, character_level, character_file, *start, *start->paths.front(),
            k_chapter_art_facing, k_chapter_walk_speed, k_chapter_walk_anim_rate);
        character = made.get();
        scene.set_character(std::move(made));
        highlight = static_cast<c_scene_particle_dampen_and_fade*>(scene.add_particle_system(
            std::make_unique<c_scene_particle_dampen_and_fade>(
                platform.get_material(k_spark_texture, true), character_level, k_spark_colour)));
    }
    for (const auto& s : scene.puzzles) {
        if (s->puzzle_index >= 0 && !spots_.count(uint16_t(s->puzzle_index)))
            spots_[uint16_t(s->puzzle_index)] = s.get();
        // Every spot can be found from the start unless the chapter holds it back.
        s->trigger = true;
    }
    append_event(events, std::make_unique<c_game_event_wait>(k_opening_wait));
    append_event(events, std::make_unique<c_game_event_fill_fade_in>(1.0f, k_opening_fade_step));
}

void c_state_game_chapter::on_draw(c_platform& platform, c_application_data& data) {
    c_state_game::on_draw(platform, data);
}

void c_state_game_chapter::on_puzzle_found(uint16_t item) {
    const auto icon = icons.find(item);
    if (icon == icons.end()) return;
    append_event(events, std::make_unique<c_game_event_add_puzzle>(
                             item, icon->second, hints[item], glow_material, circle_material, font,
                             uint16_t(item + k_game_code_first_icon)));
}

c_scene_puzzle* c_state_game_chapter::spot(uint16_t item) const {
    const auto found = spots_.find(item);
    return found == spots_.end() ? nullptr : found->second;
}

bool c_state_game_chapter::at_spot(uint16_t item, float x, float y) const {
    const c_scene_puzzle* s = spot(item);
    if (!s) return false;
    const float dx = x - s->anim.base.tx, dy = y - s->anim.base.ty;
    return dx * dx + dy * dy < s->click_radius * s->click_radius;
}

void c_state_game_chapter::set_path_open(const char* a, const char* b, bool open) {
    if (c_scene_path_node::path* p = scene.find_path(a, b)) p->enabled = open;
}

bool c_state_game_chapter::path_open(const char* a, const char* b) const {
    const c_scene_path_node::path* p = scene.find_path(a, b);
    return p && p->enabled;
}

void c_state_game_chapter::make_collectable(const char* texture, bool opaque) {
    for (const auto& item : scene.collectibles) {
        if (item->texture_file_name != texture) continue;
        item->collectable = true;
        if (opaque) item->quad.buffer.set_alpha(255);
    }
}

void c_state_game_chapter::tick_lights(bool follow_camera) {
    for (c_light& light : lights) {
        if (!light.graphic) continue;
        light.flicker.step();
        light.graphic->quad.buffer.set_colour(light.colour.r, light.colour.g, light.colour.b,
                                              light.flicker.alpha());
        if (follow_camera) {
            light.graphic->transform.tx = scene.view.position.x;
            light.graphic->transform.ty = scene.view.position.y;
        }
    }
}

void c_state_game_chapter::tick_glow(c_scene_graphic* graphic) {
    glow_flicker.step();
    if (graphic) graphic->quad.buffer.set_alpha(glow_flicker.alpha());
}

void c_state_game_chapter::poke_character(c_platform& platform, c_application_data& data, int sound) {
    if (sound != k_sound_music_none) play_sound(platform.sound_engine.get(), data.sounds[size_t(sound)]);
    if (!character) return;
    const c_transform& at = character->anim.base;
    if (pollen) {
        for (int i = 0; i < k_pollen_per_poke; ++i) pollen->emit({at.tx, at.ty, at.tz}, {0, 0, 0});
    }
    if (!highlight || !character->path || !character->path->target) return;
    // Forward along its path from where it stands, and back the other way.
    highlight_sparks.push_back({k_highlight_life, character->node, character->path, character->progress});
    c_scene_path_node* ahead = character->path->target;
    for (auto& back : ahead->paths) {
        if (back->target != character->node) continue;
        highlight_sparks.push_back({k_highlight_life, ahead, back.get(), 1 - character->progress});
        break;
    }
}

bool c_state_game_chapter::check_ending(const char* a, const char* b) {
    if (ended || !character || !character->path || character->path != scene.find_path(a, b))
        return false;
    ended = true;
    append_event(events, std::make_unique<c_game_event_wait>(k_chapter_ending_wait));
    append_event(events, std::make_unique<c_game_event_fill_fade_out>(0.0f, k_chapter_ending_fade_step));
    append_event(events, std::make_unique<c_game_event_complete_chapter>());
    return true;
}

c_scene_path_node::path* c_state_game_chapter::add_animated_path(const char* from, const char* to,
                                                                 const char* animation,
                                                                 uint16_t speed) {
    c_scene_path_node* source = scene.find_path_node(from);
    c_scene_path_node* target = scene.find_path_node(to);
    if (!source || !target) return nullptr;
    auto made = std::make_unique<c_scene_path_node::path>();
    made->animation_name = animation;
    made->animtion_speed = speed;
    for (size_t i = 0; i < scene.path_nodes.size(); ++i)
        if (scene.path_nodes[i].get() == target) made->target_index = int16_t(i);
    link_path(*source, *made, *target, scene.cameras);
    source->paths.push_back(std::move(made));
    return source->paths.back().get();
}

}  // namespace tw
