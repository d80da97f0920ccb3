// Chapter four: entering, the items and puzzles, the stag at node "26", the
// ants' twig, the beetle's glow, the poppies' petals and the ending.
#include "chapters/state_game_4.h"

#include <string>

#include "platform/platform.h"
#include "platform/random.h"
#include "scene/scene_character.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr const char* k_mask = "c4/p2/mask1.bmp";       // freed by the poppy puzzle
constexpr const char* k_antenna = "c4/p7/antenna.bmp";  // freed by the silhouettes
constexpr const char* k_poppy_part = "c4/p3/poppy";
constexpr const char* k_disguise[] = {"mask", "tooth1", "tooth2"};
constexpr float k_petal_damping = 0.99f;
constexpr float k_petal_gravity = 0.3f;

float unit_random() { return float(tw::rand()) / float(k_rand_max); }

}  // namespace

c_state_game_4::c_state_game_4()
    : c_state_game_chapter(4, {{1, "c4/p1/icon.bmp", "c4/p1/hint.bmp"},
                               {2, "c4/p2/icon.bmp", "c4/p2/hint.bmp"},
                               {3, "c4/p3/icon.bmp", "c4/p3/hint.bmp"},
                               {4, "c4/p4/icon.bmp", "c4/p4/hint.bmp"},
                               {5, "c1/p0/icon.bmp", "c4/p0/hint.bmp"},
                               {6, "c4/p5/icon.bmp", "c4/p5/hint.bmp"},
                               {7, "c4/p7/icon.bmp", "c4/p7/hint.bmp"}}) {}

void c_state_game_4::on_enter(c_platform& platform, c_application_data& data) {
    enter_chapter(platform, data, k_sound_music_chapter_4);
    poppy_groups.clear();
    item_1_used = item_2_used = stag_retreated = false;
    poppies.setup(platform);
    silhouettes.setup(platform);
    enter_scene(platform, k_c4_scene_file, k_c4_character_file, k_c4_character_level, k_c4_start_node);

    stag = scene.find_anim("anims/4stag.xml");
    stick = scene.find_anim("anims/4stick.xml");
    maggot = scene.find_anim("anims/4maggotb.xml");
    big_bug = scene.find_anim("anims/4bigbug.xml");
    beetle_glow = scene.find_graphic("beetle_glow");
    front = scene.find_graphic("front");
    guard_node = scene.find_path_node("26");
    // Both wait, unseen, for what brings them.
    if (beetle_glow) beetle_glow->quad.buffer.set_alpha(0);
    if (front) front->quad.buffer.set_alpha(0);
    // The rose petals' spot waits for the beetle's antenna.
    if (c_scene_puzzle* petals_spot = spot(5)) petals_spot->trigger = false;
    for (const auto& [a, b] : {std::pair{"26", "27"}, {"15", "4"}, {"42", "43"}, {"32", "33"}})
        set_path_open(a, b, false);
    for (const char* texture : {k_mask, k_antenna}) {
        if (c_scene_collectible* item = scene.find_collectible(texture)) {
            item->collectable = false;
            item->quad.buffer.set_alpha(0);
        }
    }
    jump = add_animated_path("26", "10", "jump", k_c4_jump_speed);
    find_poppies();
}

void c_state_game_4::find_poppies() {
    for (const auto& item : scene.collectibles) {
        if (item->texture_file_name.find(k_poppy_part) == std::string::npos) continue;
        item->collectable = false;
        poppy_groups.push_back({item.get(), false, {}});
    }
    if (poppy_groups.empty()) return;
    // Each petal belongs to the poppy whose capsule is nearest.
    for (const auto& g : scene.graphics) {
        if (g->name.find("petal") == std::string::npos) continue;
        c_poppy* nearest = nullptr;
        float best = 0;
        for (c_poppy& poppy : poppy_groups) {
            const float d = vec2_distance_sq({g->transform.tx, g->transform.ty},
                                             {poppy.capsule->transform.tx, poppy.capsule->transform.ty});
            if (!nearest || d < best) nearest = &poppy, best = d;
        }
        nearest->petals.push_back({g.get(), 0, {}});
    }
}

void c_state_game_4::on_tick(c_platform& platform, c_application_data& data) {
    c_state_game::on_tick(platform, data);
    tick_lights(true);
    tick_guard(platform, data);
    if (item_1_used && stick && stick->transform_graph_position < k_c4_stick_end)
        stick->set_position(uint16_t(stick->transform_graph_position + k_c4_stick_step));
    if (path_open("42", "43")) tick_glow(beetle_glow);
    tick_petals();
    if (check_ending("90", "91") && big_bug) big_bug->change_animation("twitch", 128, "twitch", 256);
    run_events(events, platform, *this, data);
}

void c_state_game_4::tick_guard(c_platform& platform, c_application_data& data) {
    if (!character || !guard_node || !character->path || character->path->target != guard_node) return;
    const float dx = character->anim.base.tx - guard_node->transform.tx;
    const float dy = character->anim.base.ty - guard_node->transform.ty;
    if (dx * dx + dy * dy >= k_c4_catch_distance_sq) return;
    if (!path_open("26", "27") && !item_2_used) {
        if (!jump) return;
        character->node = guard_node;
        character->path = jump;
        character->progress = 0;
        character->state = k_character_automatic;
        character->graph = character->anim.find_graph(jump->animation_name);
        character->time = 0;
        if (stag) stag->change_animation("snap", 600, "idle", 128);
        play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_stag]);
    } else if (!stag_retreated) {
        stag_retreated = true;
        set_path_open("26", "27", true);
        if (stag) stag->change_animation("retreat", 256, "retreat_idle", 512);
    }
}

void c_state_game_4::tick_petals() {
    for (c_poppy& poppy : poppy_groups) {
        if (!poppy.falling) continue;
        for (auto it = poppy.petals.begin(); it != poppy.petals.end();) {
            it->spin *= k_petal_damping;
            vec3& v = it->velocity;
            v.x *= k_petal_damping, v.y *= k_petal_damping, v.z *= k_petal_damping;
            v.y -= k_petal_gravity;
            c_transform& t = it->graphic->transform;
            transform_set_angle(t, t.angle + it->spin);
            t.tx += v.x, t.ty += v.y, t.tz += v.z;
            if (t.ty < k_c4_petal_floor) {
                scene.remove_graphic(it->graphic);
                it = poppy.petals.erase(it);
            } else {
                ++it;
            }
        }
    }
}

void c_state_game_4::on_character_click(c_platform& platform, c_application_data& data) {
    poke_character(platform, data, k_sound_effect_bee);
    if (!character) return;
    const vec2 at{character->anim.base.tx, character->anim.base.ty};
    for (c_poppy& poppy : poppy_groups) {
        if (poppy.falling ||
            vec2_distance_sq(at, {poppy.capsule->transform.tx, poppy.capsule->transform.ty}) >= k_c4_poppy_reach_sq)
            continue;
        poppy.falling = true;
        poppy.capsule->collectable = true;
        for (c_petal& petal : poppy.petals) {
            const float r1 = unit_random(), r2 = unit_random(), r3 = unit_random();
            petal.spin = (r1 - 0.5f) * 0.3f;
            petal.velocity = {(r2 - 0.5f) * 60, r3 * 30, 0};
        }
    }
}

bool c_state_game_4::on_use_puzzle_item(c_platform& platform, c_application_data& data,
                                        uint16_t item, float x, float y, float) {
    if (item == 2) {
        // Worn by the bee: used on the bee itself, within the spot's radius of it.
        const c_scene_puzzle* s = spot(2);
        if (!s || !character) return false;
        const float dx = x - character->anim.base.tx, dy = y - character->anim.base.ty;
        if (dx * dx + dy * dy >= s->click_radius * s->click_radius) return false;
        item_2_used = true;
        for (const char* part : k_disguise)
            if (c_anim_graphic* g = character->anim.find_graphic(part)) g->buffer.set_alpha(255);
        return true;
    }
    if (!at_spot(item, x, y)) return false;
    switch (item) {
        case 1:
            item_1_used = true;
            set_path_open("15", "4", true);
            return true;
        case 3:
            start_puzzle(&poppies);
            return true;
        case 4:
            set_path_open("32", "33", true);
            if (maggot) maggot->change_animation("curl", 256, "curl_idle", 320);
            play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_maggot]);
            return true;
        case 5:
            set_path_open("42", "43", true);
            return true;
        case 6:
            start_puzzle(&silhouettes);
            return true;
        case 7:
            if (c_scene_puzzle* petals_spot = spot(5)) petals_spot->trigger = true;
            // The beetle wears its antenna again.
            if (big_bug)
                if (c_anim_graphic* antenna = big_bug->anim.find_graphic("antenna")) antenna->buffer.set_alpha(255);
            return true;
        default:
            return false;
    }
}

void c_state_game_4::on_puzzle_complete(c_platform&, c_application_data&, uint16_t puzzle_id) {
    if (puzzle_id == 3) {
        make_collectable(k_mask, true);
    } else if (puzzle_id == 5) {
        // The silhouettes are numbered 5 but opened by the stone chips, item 6:
        // their icon goes too, or it would stay in the bar for good.
        remove_icon(6);
        if (front) front->quad.buffer.set_alpha(255);
        make_collectable(k_antenna, true);
    }
}

}  // namespace tw
