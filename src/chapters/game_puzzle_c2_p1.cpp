// The glow-worm chime puzzle: the stage sequences, the showing tick by tick,
// the player's presses and the glow that fades out of every lit glow-worm.
#include "chapters/game_puzzle_c2_p1.h"

#include <cmath>

#include "app/application_data.h"
#include "platform/platform.h"

namespace tw {

namespace {

// The node indices each stage shows; stage 3 and later are empty, so a won
// puzzle's showing only waits.
const std::vector<std::vector<uint16_t>> k_stage_nodes = {
    {3, 2},
    {6, 3, 0, 4},
    {7, 4, 2, 1, 5, 6},
};

void set_graphic_alpha(c_scene_graphic& graphic, uint8_t alpha) { graphic.quad.buffer.set_alpha(alpha); }

}  // namespace

void c_game_puzzle_c2_p1::setup(c_platform& platform) {
    screen = open_puzzle_scene(platform, scene, ui, k_chime_scene_file);
    complete = 0;
    phase = k_chime_phase_showing;
    pause = k_chime_first_pause;
    stage = 0;
    build_sequence();

    nodes.clear();
    for (const auto& graphic : scene.graphics) {
        auto made = std::make_unique<node>();
        made->graphic = graphic.get();
        made->x = graphic->transform.tx;
        made->y = graphic->transform.ty;
        made->z = graphic->transform.tz;
        set_graphic_alpha(*graphic, 0);
        nodes.push_back(std::move(made));
    }

    big = scene.find_anim(k_chime_big_file);
    if (big) big->change_animation("idle", k_chime_idle_speed, "idle", k_chime_idle_speed);
}

void c_game_puzzle_c2_p1::build_sequence() {
    chimes.clear();
    position = 0;
    if (stage >= k_stage_nodes.size()) return;
    for (uint16_t index : k_stage_nodes[stage]) {
        auto step = std::make_unique<chime>();
        step->node = index;
        step->pause = k_chime_step_pause;
        chimes.push_back(std::move(step));
    }
}

void c_game_puzzle_c2_p1::light(c_platform& platform, c_application_data& data, uint16_t index) {
    // A scene with fewer glow-worms than the sequences name stays silent and dark
    // for the missing ones rather than reaching past the list.
    if (index < nodes.size()) nodes[index]->glow = k_chime_glow_ticks;
    if (index < k_sound_glowworm_count)
        play_sound(platform.sound_engine.get(), data.sounds[size_t(k_sound_glowworm_first + index)]);
}

void c_game_puzzle_c2_p1::on_tick(c_platform& platform, c_application_data& data) {
    update_puzzle_ui(platform, data, ui, *this);

    for (auto& n : nodes) {
        uint8_t alpha = 0;
        if (n->glow > 0) {
            --n->glow;
            alpha = uint8_t(int(float(n->glow) / float(k_chime_glow_ticks) * 255.0f));
        }
        set_graphic_alpha(*n->graphic, alpha);
    }

    if (phase == k_chime_phase_showing) {
        if (pause > 0) {
            --pause;
        } else if (position < chimes.size()) {
            const chime& step = *chimes[position];
            pause = step.pause;
            light(platform, data, step.node);
            ++position;
        } else {
            position = 0;
            phase = k_chime_phase_player;
        }
    } else if (phase == k_chime_phase_wrong) {
        phase = k_chime_phase_showing;
        pause = k_chime_wrong_pause;
        stage = 0;
        play_sound(platform.sound_engine.get(), data.sounds[k_sound_error]);
        build_sequence();
    }

    scene.update(platform);
}

void c_game_puzzle_c2_p1::on_draw(c_platform& platform, c_application_data&) {
    draw_puzzle_scene(platform, scene, ui);
}

bool c_game_puzzle_c2_p1::on_ui_event(c_platform&, c_application_data&, uint16_t) {
    return true;
}

void c_game_puzzle_c2_p1::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                                   c_application_data& data) {
    if (offer_puzzle_mouse(platform, kind, dx, dy, ui, *this)) return;
    if ((kind & 0xff) != k_mouse_press) return;
    if (phase != k_chime_phase_player) {
        // Pressing while the glow-worms are still showing counts as wrong.
        phase = k_chime_phase_wrong;
        return;
    }
    std::vector<vec2> places;
    places.reserve(nodes.size());
    for (const auto& n : nodes) places.push_back({n->x, n->y});
    const int index = nearest_index(places, puzzle_pointer(platform, scene), k_chime_pick_limit);
    if (index < 0 || position >= chimes.size()) return;
    if (uint16_t(index) != chimes[position]->node) {
        phase = k_chime_phase_wrong;
        return;
    }
    light(platform, data, uint16_t(index));
    ++position;
    if (position < chimes.size()) return;
    phase = k_chime_phase_showing;
    if (big) big->change_animation("celebrate", k_chime_celebrate_speed, "idle", k_chime_idle_speed);
    ++stage;
    build_sequence();
    pause = k_chime_won_pause;
    if (chimes.empty()) complete = 1;
}

}  // namespace tw
