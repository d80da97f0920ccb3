// The whole program's state machine (title screen, chapter one, back) driven
// by the scripted chapter-one player through the platform's own input
// callbacks, one pointer step a frame. It notices the moments worth a picture
// and can hold the game still at each (no ticks, no input) while it draws.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "support/chapter_one_player.h"
#include "support/scripted_app.h"

namespace tw_test {

// A moment of chapter one, true once it has come.
struct c_chapter_one_moment {
    const char* name;
    std::function<bool(tw::c_state_game_1&, const c_chapter_one_player&)> reached;
    bool seen = false;
};

inline std::vector<c_chapter_one_moment> chapter_one_moments() {
    using tw::c_state_game_1;
    using player = c_chapter_one_player;
    auto scene_mode = [](const c_state_game_1& c) { return c.mode == tw::k_game_mode_scene; };
    return {
        {"opening fade",
         [=](c_state_game_1& c, const player&) {
             return c.larva && c.fade_alpha() > 100 && c.fade_alpha() < 160 && scene_mode(c);
         }},
        {"larva walking with the drag hand",
         [](c_state_game_1& c, const player& p) {
             return p.phase == player::e_phase::walk && c.larva && c.larva->dragging &&
                    c.scene.character->node == c.scene.find_path_node("6");
         }},
        {"hanging larva with its thread",
         [=](c_state_game_1& c, const player&) {
             return scene_mode(c) && c.hanging && c.thread_length > 180;
         }},
        {"a bud opening with pollen",
         [=](c_state_game_1& c, const player&) {
             for (const auto& g : c.growths)
                 if (g.triggered && !g.grown && g.current > 75) return scene_mode(c);
             return false;
         }},
        {"seed puzzle scrambled",
         [](c_state_game_1& c, const player&) {
             return c.mode == tw::k_game_mode_puzzle && c.fade_alpha() == 0 && !c.seeds.complete;
         }},
        {"seed puzzle solved",
         [](c_state_game_1& c, const player&) {
             return c.seeds.complete && c.mode == tw::k_game_mode_puzzle_fading_out &&
                    c.fade_alpha() > 20 && c.fade_alpha() < 60;
         }},
        {"the bar with a glowing icon",
         [=](c_state_game_1& c, const player&) {
             const auto icon = c.puzzle_icons.find(1);
             return scene_mode(c) && icon != c.puzzle_icons.end() && icon->second->remaining == 0 &&
                    icon->second->slide_x > -1 && c.collectables.empty();
         }},
        {"ending fade",
         [](c_state_game_1& c, const player&) {
             return c.larva && c.larva->mode == tw::k_larva_asleep && c.fade_alpha() > 110 &&
                    c.fade_alpha() < 170;
         }},
    };
}

class c_chapter_one_run : public c_scripted_app {
public:
    bool done() const { return player.phase == c_chapter_one_player::e_phase::done; }

    c_chapter_one_player player;
    std::vector<c_chapter_one_moment> moments = chapter_one_moments();
    // Called when a moment first comes; the caller may set held.
    std::function<void(const char* name)> on_moment;

protected:
    c_pointer_step next_step(const tw::c_platform& platform) override { return player.step(platform, app); }
    void after_step() override {
        auto* chapter = dynamic_cast<tw::c_state_game_1*>(app.state());
        if (!chapter) return;
        for (c_chapter_one_moment& moment : moments) {
            if (moment.seen || !moment.reached(*chapter, player)) continue;
            moment.seen = true;
            if (on_moment) on_moment(moment.name);
        }
    }
};

}  // namespace tw_test
