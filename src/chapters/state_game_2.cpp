// Chapter two: entering, the items and puzzles, the weevil at the gate, the
// sundew and the ending.
#include "chapters/state_game_2.h"

#include "app/music.h"
#include "platform/platform.h"
#include "scene/scene_character.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr const char* k_leg_chimes = "c2/p0/leg2abc.bmp";  // given back by the chime puzzle
constexpr const char* k_leg_tiles = "c2/p0/leg1ab.bmp";    // given back by the tile puzzle

}  // namespace

c_state_game_2::c_state_game_2()
    : c_state_game_chapter(2, {{0, "c2/p0/icon.bmp", "c2/p0/hint.bmp"},
                               {1, "c2/p1/icon.bmp", "c2/p1/hint.bmp"},
                               {2, "c2/p2/icon.bmp", "c2/p2/hint.bmp"},
                               {3, "c2/p3/icon.bmp", "c2/p3/hint.bmp"},
                               {5, "c2/p5/icon.bmp", "c2/p5/hint.bmp"}}) {}

void c_state_game_2::on_enter(c_platform& platform, c_application_data& data) {
    enter_chapter(platform, data, k_sound_music_chapter_2);
    item_5_used = catcher_woken = catcher_fed = false;
    chimes.setup(platform);
    tiles.setup(platform);
    enter_scene(platform, k_c2_scene_file, k_c2_character_file, k_c2_character_level, k_c2_start_node);

    cricket_asleep = scene.find_anim("anims/2cricketb.xml");
    cricket = scene.find_anim("anims/2cricket.xml");
    weevil = scene.find_anim("anims/weavel.xml");
    catcher = scene.find_anim("anims/2bugcatcher.xml");
    cricket_glow = scene.find_graphic("cricket_glow");
    gate = scene.find_path_node("weavel_gate");
    if (cricket) cricket->visible = false;
    if (cricket_glow) cricket_glow->quad.buffer.set_alpha(0);
    // The spores' spot waits for the cricket to be whole.
    if (c_scene_puzzle* spores = spot(5)) spores->trigger = false;
    set_path_open("k", "meta1", false);
    set_path_open("weavel_gate", "g", false);
    for (const auto& item : scene.collectibles) {
        if (item->texture_file_name != k_leg_chimes && item->texture_file_name != k_leg_tiles) continue;
        item->collectable = false;
        item->quad.buffer.set_alpha(0);
    }
    drop = add_animated_path("weavel_gate", "e", "drop", k_c2_drop_speed);
}

void c_state_game_2::on_tick(c_platform& platform, c_application_data& data) {
    c_state_game::on_tick(platform, data);
    tick_lights(true);
    if (item_5_used) tick_glow(cricket_glow);
    if (check_ending("meta1", "meta2") && cricket) cricket->change_animation("twitch", 128, "twitch", 256);
    tick_guard();
    tick_catcher();
    run_events(events, platform, *this, data);
}

bool c_state_game_2::near_node(const char* name, float distance_sq) const {
    const c_scene_path_node* node = scene.find_path_node(name);
    if (!node || !character) return false;
    const float dx = character->anim.base.tx - node->transform.tx;
    const float dy = character->anim.base.ty - node->transform.ty;
    return dx * dx + dy * dy < distance_sq;
}

void c_state_game_2::tick_guard() {
    if (!character || !gate || !drop || !character->path || character->path->target != gate) return;
    if (path_open("weavel_gate", "g") || !near_node("weavel_gate", k_c2_catch_distance_sq)) return;
    character->node = gate;
    character->path = drop;
    character->progress = 0;
    character->state = k_character_automatic;
    character->graph = character->anim.find_graph("drop");
    character->time = 0;
    if (weevil) weevil->change_animation("tongue", 512, "idle", 256);
}

void c_state_game_2::tick_catcher() {
    if (!catcher) return;
    if (!catcher_woken && near_node("as", k_c2_catcher_distance_sq)) {
        catcher_woken = true;
        catcher->change_animation("wake", 128, "wake_idle", 128);
    }
    if (!catcher_fed && near_node("ax", k_c2_catcher_distance_sq)) {
        catcher_fed = true;
        catcher->change_animation("eat", 128, "wake_idle", 128);
    }
}

void c_state_game_2::on_character_click(c_platform& platform, c_application_data& data) {
    poke_character(platform, data, k_sound_effect_aphid);
}

bool c_state_game_2::on_use_puzzle_item(c_platform& platform, c_application_data& data,
                                        uint16_t item, float x, float y, float) {
    if (!at_spot(item, x, y)) return false;
    switch (item) {
        case 0:
            if (c_scene_puzzle* spores = spot(5)) spores->trigger = true;
            if (cricket_asleep) cricket_asleep->visible = false;
            if (cricket) cricket->visible = true;
            return true;
        case 1:
            start_puzzle(&chimes);
            request_music(platform.sound_engine.get(), data, data.sounds[k_sound_music_none]);
            return true;
        case 2:
            set_path_open("weavel_gate", "g", true);
            if (weevil) weevil->change_animation("retreat", 512, "retreat_idle", 256);
            return true;
        case 3:
            start_puzzle(&tiles);
            return true;
        case 5:
            item_5_used = true;
            set_path_open("k", "meta1", true);
            return true;
        default:
            return false;
    }
}

void c_state_game_2::on_puzzle_complete(c_platform& platform, c_application_data& data,
                                        uint16_t puzzle_id) {
    if (puzzle_id == 1) {
        make_collectable(k_leg_chimes, true);
        request_music(platform.sound_engine.get(), data, data.sounds[k_sound_music_chapter_2]);
    } else if (puzzle_id == 3) {
        make_collectable(k_leg_tiles, true);
    }
}

}  // namespace tw
