// Chapter one's tick: the larva's pulse, the buds, the larva's progress, the
// hover fly, the thread, the lights and the automatic hint.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "chapters/scene_character_c1.h"
#include "chapters/state_game_1.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "scene/scene_graphic.h"
#include "sound/sound_table.h"

namespace tw {

namespace {

constexpr float k_growth_ease = 0.1f;
constexpr float k_growth_settled = 1;  // scene units of half-size left when a bud counts as open
constexpr int k_pollen_per_growth = 32;
constexpr vec3 k_hang_tutorial_offset{50, -100, 0};
constexpr int k_growth_tutorials[] = {3, 5};  // the first two buds the fly opens

// A draw of the game's generator in [low, high].
float random_between(float low, float high) {
    return low + (high - low) * float(tw::rand()) / float(k_rand_max);
}

}  // namespace

void c_state_game_1::on_tick(c_platform& platform, c_application_data& data) {
    tick_pulse();
    tick_growths();
    tick_larva(platform);
    tick_hover(platform, data);
    tick_thread();
    c_state_game::on_tick(platform, data);
    tick_lights();
    tick_auto_hint(platform, data);
    run_events(events, platform, *this, data);
}

void c_state_game_1::tick_pulse() {
    if (pulse == 0) return;
    --pulse;
    // 100 at the start, up to 224 half way and down to 96, the glow's rest.
    const int h = pulse;
    const int alpha = ((-4 * std::abs(h - 32) - 32) % 256 + 256) % 256;
    if (scene.character) scene.character->highlight.buffer.set_alpha(uint8_t(alpha));
}

void c_state_game_1::tick_growths() {
    for (c_growth& growth : growths) {
        if (!growth.collectible || !growth.triggered || growth.grown) continue;
        growth.current += (growth.target - growth.current) * k_growth_ease;
        const float c = growth.current;
        c_scene_collectible& bud = *growth.collectible;
        bud.quad.buffer.set_quad_rect(-c, 2 * c, c, -2 * c);
        bud.half_width = c;
        bud.half_height = 2 * c;
        if (growth.target - growth.current < k_growth_settled) {
            bud.collectable = true;
            growth.grown = true;
        }
    }
}

void c_state_game_1::tick_larva(c_platform& platform) {
    if (!larva) return;
    if (!larva_stopped && larva->mode != k_larva_walking) {
        larva_stopped = true;
        end_tutorial(pending_tutorial);
    }
    if (!larva_hung && larva->mode == k_larva_hanging) {
        larva_hung = true;
        const c_transform& at = larva->anim.base;
        pending_tutorial = tutorial_click_scene(
            platform, {at.tx + k_hang_tutorial_offset.x, at.ty + k_hang_tutorial_offset.y,
                       at.tz + k_hang_tutorial_offset.z});
        if (spots[1]) spots[1]->trigger = true;
    }
}

void c_state_game_1::tick_hover(c_platform& platform, c_application_data& data) {
    if (!hover) return;
    const uint16_t t = hover->transform_graph_position;
    if (t >= hover_goal) {
        if (hover_moving) stop_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_fly_loop]);
        hover_moving = false;
        return;
    }
    if (!hover_moving) {
        play_sound(platform.sound_engine.get(), data.sounds[k_sound_effect_fly_loop]);
        hover_moving = true;
    }
    const uint16_t next = uint16_t(std::min<int>(t + k_c1_hover_step, hover_goal));
    hover->set_position(next);
    if (next == hover_goal && hover_goal < k_c1_hover_stop_limit && spots[2]) {
        spots[2]->trigger = true;
        spot_2_tutorial = tutorial_click_puzzle_scene(platform, *spots[2]);
    }
    for (size_t i = 0; i < growths.size(); ++i) {
        c_growth& growth = growths[i];
        if (!growth.collectible || growth.triggered || next < growth.trigger_position) continue;
        growth.triggered = true;
        growth.target = k_c1_growth_open_half;
        const c_transform& at = growth.collectible->transform;
        if (pollen) {
            for (int p = 0; p < k_pollen_per_growth; ++p) {
                pollen->emit({at.tx + random_between(-24, 24), at.ty + random_between(-48, 0), at.tz},
                             {random_between(-6, 6), random_between(-10, 2), 0});
            }
        }
        if (std::find(std::begin(k_growth_tutorials), std::end(k_growth_tutorials), int(i)) !=
            std::end(k_growth_tutorials)) {
            item_tutorials.push_back(
                {tutorial_click_scene(platform, {at.tx, at.ty, at.tz}), growth.collectible});
        }
    }
}

void c_state_game_1::tick_thread() {
    if (!hanging) return;
    thread_length += (thread_target - thread_length) * k_c1_thread_ease;
    update_thread_geometry();
}

void c_state_game_1::update_thread_geometry() {
    if (thread) {
        thread->quad.buffer.set_quad_rect(-k_larva_thread_half_width, 0, k_larva_thread_half_width,
                                          thread_length);
    }
    if (!larva) return;
    // Lowered along the origin's second axis, which points down under the cane.
    c_transform placed = thread_origin;
    placed.tx += thread_origin.m[3] * thread_length;
    placed.ty += thread_origin.m[4] * thread_length;
    larva->anim.base = placed;
}

void c_state_game_1::tick_lights() {
    for (c_light& light : lights) {
        if (!light.graphic) continue;
        light.flicker.step();
        light.graphic->quad.buffer.set_colour(light.colour.r, light.colour.g, light.colour.b,
                                              light.flicker.alpha());
    }
}

void c_state_game_1::tick_auto_hint(c_platform& platform, c_application_data& data) {
    if (!spots[2] || !spots[2]->discovered) return;
    if (spot_2_ticks < 0xffff) ++spot_2_ticks;
    if (spot_2_ticks != k_c1_auto_hint_tick || item_2_arrived) return;
    for (const auto& item : scene.collectibles) {
        const c_transform& at = item->transform;
        if (!item->collectable || !puzzle_icons.count(uint16_t(item->puzzle_index)) ||
            !scene.view.point_in_view(at.tx, at.ty)) {
            continue;
        }
        play_sound(platform.sound_engine.get(), data.sounds[k_sound_puzzle_discovery]);
        tutorials.finish_all();
        item_tutorials.push_back({tutorial_click_collectible_scene(platform, *item), item.get()});
        return;
    }
}

}  // namespace tw
