// Chapter three: entering, the items and the leaf puzzle, the dragonfly, the
// pods, the bee's glow, the falling petals and the ending.
#include "chapters/state_game_3.h"

#include <algorithm>
#include <string>

#include "platform/platform.h"
#include "platform/random.h"
#include "scene/scene_character.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr const char* k_leg_on_balance = "c3/p3/leg3b.bmp";
constexpr const char* k_antenna = "c3/p3/antennaa.bmp";
constexpr const char* k_pod_legs[] = {"c3/p3/leg2a.bmp", "c3/p3/leg3a.bmp"};
constexpr const char* k_pod_file_part = "anims/3pod";
constexpr float k_petal_damping = 0.98f;
constexpr float k_petal_gravity = 0.2f;
constexpr float k_petal_drift = 0.4f;
constexpr float k_petal_spin = 0.01f;

// Hidden and not to be taken until the chapter frees it.
void hold_back(c_scene_collectible& item) {
    item.collectable = false;
    item.quad.buffer.set_alpha(0);
}

}  // namespace

c_state_game_3::c_state_game_3()
    : c_state_game_chapter(3, {{0, "c3/p0/icon.bmp", "c3/p0/hint.bmp"},
                               {1, "c3/p1/icon.bmp", "c3/p1/hint.bmp"},
                               {2, "c3/p2/icon.bmp", "c3/p2/hint.bmp"},
                               {3, "c3/p3/icon.bmp", "c3/p3/hint.bmp"},
                               {4, "c1/p0/icon.bmp", "c3/p4/hint.bmp"}}) {}

void c_state_game_3::on_enter(c_platform& platform, c_application_data& data) {
    enter_chapter(platform, data, k_sound_music_chapter_3);
    pods.clear();
    petals.clear();
    pod_countdown = petal_pause = 0;
    item_1_used = item_4_used = leaves_solved = false;
    leaves.setup(platform);
    enter_scene(platform, k_c3_scene_file, k_c3_character_file, k_c3_character_level, k_c3_start_node);

    dragonfly = scene.find_anim("anims/3dragonfly.xml");
    balance = scene.find_anim("anims/3balance.xml");
    bee = scene.find_anim("anims/3bee.xml");
    bee_awake = scene.find_anim("anims/3beea.xml");
    bee_glow = scene.find_graphic("bee_glow");
    if (bee_awake) bee_awake->visible = false;
    if (bee_glow) bee_glow->quad.buffer.set_alpha(0);
    // The glowing petals' spot waits for the bee to be whole.
    if (c_scene_puzzle* petals_spot = spot(4)) petals_spot->trigger = false;
    set_path_open("ak", "al", false);
    set_path_open("az", "ba", false);
    // The leg on the seesaw can be seen but not reached; the antenna and the
    // legs in the pods are not there to see until they are freed.
    if (c_scene_collectible* leg = scene.find_collectible(k_leg_on_balance)) leg->collectable = false;
    if (c_scene_collectible* antenna = scene.find_collectible(k_antenna)) hold_back(*antenna);
    find_pods();
    for (const auto& g : scene.graphics)
        if (g->name.find("petal") != std::string::npos) petals.push_back({g.get(), false, {}});
}

void c_state_game_3::find_pods() {
    for (const auto& anim : scene.anims)
        if (anim->anim_file_name.find(k_pod_file_part) != std::string::npos) pods.push_back({anim.get(), false, {}});
    for (const char* texture : k_pod_legs) {
        c_scene_collectible* leg = scene.find_collectible(texture);
        if (!leg) continue;
        hold_back(*leg);
        c_pod* nearest = nullptr;
        float best = 0;
        for (c_pod& pod : pods) {
            const float d = vec2_distance_sq({pod.anim->anim.base.tx, pod.anim->anim.base.ty},
                                             {leg->transform.tx, leg->transform.ty});
            if (!nearest || d < best) nearest = &pod, best = d;
        }
        if (nearest) nearest->items.push_back(leg);
    }
}

void c_state_game_3::on_tick(c_platform& platform, c_application_data& data) {
    c_state_game::on_tick(platform, data);
    tick_lights(false);
    if (item_1_used && dragonfly && dragonfly->transform_graph_position < k_c3_dragonfly_end)
        dragonfly->set_position(uint16_t(dragonfly->transform_graph_position + k_c3_dragonfly_step));
    tick_pods();
    if (item_4_used) tick_glow(bee_glow);
    if (check_ending("bb", "bc") && bee_awake) bee_awake->change_animation("twitch", 128, "twitch", 256);
    if (leaves_solved) tick_petals();
    run_events(events, platform, *this, data);
}

void c_state_game_3::tick_pods() {
    if (pod_countdown == 0 || --pod_countdown != 0 || !character || pods.empty()) return;
    // A little ahead of the cricket along its own up axis.
    const c_transform& at = character->anim.base;
    const vec2 point{at.tx + at.m[3] * k_c3_pod_reach, at.ty + at.m[4] * k_c3_pod_reach};
    c_pod* nearest = nullptr;
    float best = 0;
    for (c_pod& pod : pods) {
        const float d = vec2_distance_sq({pod.anim->anim.base.tx, pod.anim->anim.base.ty}, point);
        if (!nearest || d < best) nearest = &pod, best = d;
    }
    if (!nearest || nearest->opened || best >= k_c3_pod_distance_sq) return;
    nearest->opened = true;
    nearest->anim->change_animation("open", 1024, "blank", 0);
    for (c_scene_collectible* item : nearest->items) {
        item->collectable = true;
        item->quad.buffer.set_alpha(255);
    }
}

void c_state_game_3::tick_petals() {
    if (petal_pause > 0) {
        --petal_pause;
    } else {
        petal_pause = uint16_t(tw::rand() % 10);
        if (!petals.empty()) petals[size_t(tw::rand()) % petals.size()].falling = true;
    }
    for (auto it = petals.begin(); it != petals.end();) {
        if (!it->falling) {
            ++it;
            continue;
        }
        vec3& v = it->velocity;
        v.x *= k_petal_damping, v.y *= k_petal_damping, v.z *= k_petal_damping;
        v.y -= k_petal_gravity;
        v.x -= float(tw::rand()) * k_petal_drift / float(k_rand_max);
        c_transform& t = it->graphic->transform;
        t.tx += v.x, t.ty += v.y, t.tz += v.z;
        transform_set_angle(t, t.angle + k_petal_spin);
        if (t.ty < k_c3_petal_floor) {
            scene.remove_graphic(it->graphic);
            it = petals.erase(it);
        } else {
            ++it;
        }
    }
}

void c_state_game_3::on_character_click(c_platform& platform, c_application_data& data) {
    poke_character(platform, data, k_sound_effect_cricket);
    pod_countdown = k_c3_pod_countdown;
}

bool c_state_game_3::on_use_puzzle_item(c_platform& platform, c_application_data& data,
                                        uint16_t item, float x, float y, float) {
    if (!at_spot(item, x, y)) return false;
    switch (item) {
        case 0:
            if (balance) balance->change_animation("tilt", 128, "tilt_idle", 128);
            make_collectable(k_leg_on_balance, false);
            return true;
        case 1:
            item_1_used = true;
            set_path_open("ak", "al", true);
            play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_dragonfly]);
            return true;
        case 2:
            start_puzzle(&leaves);
            return true;
        case 3:
            if (bee_awake) bee_awake->visible = true;
            if (bee) bee->visible = false;
            if (c_scene_puzzle* petals_spot = spot(4)) petals_spot->trigger = true;
            return true;
        case 4:
            item_4_used = true;
            set_path_open("az", "ba", true);
            return true;
        default:
            return false;
    }
}

void c_state_game_3::on_puzzle_complete(c_platform&, c_application_data&, uint16_t puzzle_id) {
    if (puzzle_id != 2) return;
    leaves_solved = true;
    make_collectable(k_antenna, true);
}

}  // namespace tw
