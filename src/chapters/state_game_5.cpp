// Chapter five: entering, the items and puzzles, the moths, the mushrooms,
// the door and the ending.
#include "chapters/state_game_5.h"

#include <cmath>
#include <string>

#include "platform/platform.h"
#include "platform/random.h"
#include "scene/scene_character.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr const char* k_moth_part = "anims/moth";
constexpr const char* k_mushroom_part = "mushroom";
constexpr float k_moth_level_step = 0.01f;  // radians a tick a flying moth straightens

float random_between(float low, float high) {
    return low + (high - low) * float(tw::rand()) / float(k_rand_max);
}
uint16_t moth_rest() { return uint16_t(400 + tw::rand() % 600); }

}  // namespace

c_state_game_5::c_state_game_5()
    : c_state_game_chapter(5, {{0, "c5/p0/icon.bmp", "c5/p0/hint.bmp"},
                               {1, "c5/p1/icon.bmp", "c5/p1/hint.bmp"},
                               {2, "c5/p2/icon.bmp", "c5/p2/hint.bmp"},
                               {4, "c5/p4/icon.bmp", "c5/p4/hint.bmp"},
                               {7, "c5/p7/icon.bmp", "c5/p7/hint.bmp"}}) {}

void c_state_game_5::on_enter(c_platform& platform, c_application_data& data) {
    enter_chapter(platform, data, k_sound_music_chapter_5);
    moths.clear();
    mushrooms.clear();
    door_countdown = 0;
    silhouettes.setup(platform);
    timed_view.setup(platform, k_c5_timed_view_file);
    scarab.setup(platform);
    enter_scene(platform, k_c5_scene_file, k_c5_character_file, k_c5_character_level, k_c5_start_node);
    // The rings are the puzzle in waiting; only the scarab tokens open them.
    puzzle = &scarab;

    fern = scene.find_anim("anims/fern.xml");
    door = scene.find_graphic("door");
    for (const auto& [a, b] : {std::pair{"1g", "1h"}, {"1n", "1o"}, {"2b", "2n"}, {"4d", "4e"}})
        set_path_open(a, b, false);
    for (const auto& anim : scene.anims) {
        if (anim->anim_file_name.find(k_moth_part) == std::string::npos) continue;
        c_moth moth;
        moth.anim = anim.get();
        moth.countdown = moth_rest();
        moth.velocity = {random_between(-7, -3), random_between(3, 7)};
        moths.push_back(moth);
    }
    for (const auto& g : scene.graphics) {
        if (g->name.find(k_mushroom_part) == std::string::npos) continue;
        mushrooms.push_back({g.get(), g->half_width, g->half_height, false, 0});
        g->quad.buffer.set_quad_rect(0, 0, 0, 0);
    }
}

void c_state_game_5::on_tick(c_platform& platform, c_application_data& data) {
    c_state_game::on_tick(platform, data);
    tick_lights(true);
    tick_moths(platform, data);
    tick_mushrooms();
    if (door_countdown > 0) {
        // The door slides up out of the way at once.
        if (door) door->transform.ty += k_c5_door_rise_per_count * door_countdown;
        door_countdown = 0;
    }
    check_ending("4g", "end");
    run_events(events, platform, *this, data);
}

void c_state_game_5::tick_moths(c_platform& platform, c_application_data& data) {
    const bool resting_time = mode == k_game_mode_scene;
    for (c_moth& moth : moths) {
        c_transform& t = moth.anim->anim.base;
        if (moth.flying) {
            t.tx += moth.velocity.x;
            t.ty += moth.velocity.y;
            const float a = t.angle;
            if (std::fabs(a) > k_moth_level_step) transform_set_angle(t, a - std::copysign(k_moth_level_step, a));
            continue;
        }
        if (!resting_time || moth.countdown == 0 || --moth.countdown != 0) continue;
        moth.countdown = moth_rest();
        moth.anim->change_animation("flutter", 800, "idle", 128);
        if (scene.view.point_in_view(t.tx, t.ty))
            play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_moth]);
    }
}

void c_state_game_5::tick_mushrooms() {
    for (c_mushroom& m : mushrooms) {
        if (!m.active || m.scale >= 1) continue;
        m.scale += k_c5_mushroom_growth;
        const float w = m.scale * m.half_width, h = m.scale * m.half_height;
        m.graphic->quad.buffer.set_quad_rect(-w, h, w, -h);
    }
}

void c_state_game_5::on_character_click(c_platform& platform, c_application_data& data) {
    poke_character(platform, data, k_sound_music_none);
}

bool c_state_game_5::on_use_puzzle_item(c_platform&, c_application_data&, uint16_t item, float x,
                                        float y, float) {
    if (!at_spot(item, x, y)) return false;
    switch (item) {
        case 0:
            set_path_open("1g", "1h", true);
            for (c_mushroom& m : mushrooms) m.active = true;
            return true;
        case 1:
            start_puzzle(&silhouettes);
            return true;
        case 2:
            set_path_open("2b", "2n", true);
            if (fern) fern->change_animation("unroll", 96, "idle_unrolled", 64);
            return true;
        case 4:
            return true;
        case 7:
            start_puzzle(&scarab);
            return true;
        default:
            return false;
    }
}

void c_state_game_5::on_puzzle_complete(c_platform& platform, c_application_data& data, uint16_t puzzle_id) {
    if (puzzle_id == 1) {
        for (c_moth& moth : moths) {
            moth.flying = true;
            moth.anim->change_animation("takeoff", 1600, "fly", 2048);
            play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_moth]);
        }
        set_path_open("1n", "1o", true);
    } else if (puzzle_id == 7) {
        set_path_open("4d", "4e", true);
        door_countdown = k_c5_door_countdown;
    }
}

}  // namespace tw
