// Each later chapter's plan for the scripted player and the moments of it
// worth a picture, shared by the headless playthroughs and the real-window runs.
#pragma once
#include <vector>

#include "chapters/state_game_2.h"
#include "chapters/state_game_3.h"
#include "chapters/state_game_4.h"
#include "chapters/state_game_5.h"
#include "scene/scene_character.h"
#include "support/chapter_run.h"

namespace tw_test {

inline bool scene_fade_between(const tw::c_state_game_chapter& c, int low, int high) {
    return c.fade_alpha() > low && c.fade_alpha() < high;
}

inline c_chapter_plan chapter_two_plan() { return {2, "meta2", {"weavel_gate"}, {}, {}}; }

// The moments are made for one chapter state, once it exists.
inline std::vector<c_chapter_moment> chapter_two_moments() {
    return {
        {"opening", [](tw::c_state_game_chapter& c) {
             return c.character && c.mode == tw::k_game_mode_scene && scene_fade_between(c, 100, 160) && !c.ended;
         }},
        {"the weevil flicks the aphid back", [](tw::c_state_game_chapter& c) {
             auto& two = static_cast<tw::c_state_game_2&>(c);
             return c.character && c.character->path == two.drop && c.character->progress > 0.2f;
         }},
        {"chime puzzle opening", [](tw::c_state_game_chapter& c) {
             auto& two = static_cast<tw::c_state_game_2&>(c);
             return c.puzzle == &two.chimes && c.mode == tw::k_game_mode_puzzle_fading_in &&
                    scene_fade_between(c, 110, 170);
         }},
        {"tile puzzle opening", [](tw::c_state_game_chapter& c) {
             auto& two = static_cast<tw::c_state_game_2&>(c);
             return c.puzzle == &two.tiles && c.mode == tw::k_game_mode_puzzle_fading_in &&
                    scene_fade_between(c, 110, 170);
         }},
        {"ending", [](tw::c_state_game_chapter& c) { return c.ended && scene_fade_between(c, 110, 170); }},
    };
}

// Chapter three: the pods burst near the poked cricket once their legs are wanted.
inline c_chapter_plan chapter_three_plan() {
    c_chapter_plan plan{3, "bc", {}, {}, {}};
    plan.poke_near = [](const tw::c_state_game_chapter& c) {
        std::vector<tw::vec2> places;
        const auto& three = static_cast<const tw::c_state_game_3&>(c);
        if (!c.puzzle_icons.count(3)) return places;
        for (const auto& pod : three.pods)
            if (!pod.opened && !pod.items.empty()) places.push_back({pod.anim->anim.base.tx, pod.anim->anim.base.ty});
        return places;
    };
    return plan;
}

inline std::vector<c_chapter_moment> chapter_three_moments() {
    return {
        {"opening", [](tw::c_state_game_chapter& c) {
             return c.character && c.mode == tw::k_game_mode_scene && scene_fade_between(c, 100, 160) && !c.ended;
         }},
        {"a pod bursting", [](tw::c_state_game_chapter& c) {
             for (const auto& pod : static_cast<tw::c_state_game_3&>(c).pods)
                 if (pod.opened) return true;
             return false;
         }},
        {"leaf puzzle opening", [](tw::c_state_game_chapter& c) {
             auto& three = static_cast<tw::c_state_game_3&>(c);
             return c.puzzle == &three.leaves && c.mode == tw::k_game_mode_puzzle_fading_in &&
                    scene_fade_between(c, 110, 170);
         }},
        {"petals falling", [](tw::c_state_game_chapter& c) {
             auto& three = static_cast<tw::c_state_game_3&>(c);
             int falling = 0;
             for (const auto& petal : three.petals) falling += petal.falling;
             return c.mode == tw::k_game_mode_scene && falling >= 3;
         }},
        {"ending", [](tw::c_state_game_chapter& c) { return c.ended && scene_fade_between(c, 110, 170); }},
    };
}

// Whether a node the character can walk to lies within a distance of a place.
inline bool reachable_near(const tw::c_state_game_chapter& c, const tw::vec2& place, float distance) {
    for (const auto& node : c.scene.path_nodes)
        if (tw::vec2_distance_sq({node->transform.tx, node->transform.ty}, place) < distance * distance &&
            !find_route(c.character->node, node.get()).empty())
            return true;
    return false;
}

// Chapter four: the mask is worn by the bee, and a poke near a poppy shakes its petals down.
inline c_chapter_plan chapter_four_plan() {
    c_chapter_plan plan{4, "91", {"26"}, {}, {}};
    plan.use_point = [](const tw::c_state_game_chapter& c, uint16_t item, tw::vec2& at) {
        if (item != 2 || !c.character) return false;
        at = {c.character->anim.base.tx, c.character->anim.base.ty};
        return true;
    };
    plan.poke_near = [](const tw::c_state_game_chapter& c) {
        std::vector<tw::vec2> places;
        if (!c.puzzle_icons.count(3)) return places;
        for (const auto& poppy : static_cast<const tw::c_state_game_4&>(c).poppy_groups) {
            const tw::vec2 at{poppy.capsule->transform.tx, poppy.capsule->transform.ty};
            if (!poppy.falling && reachable_near(c, at, 850)) places.push_back(at);
        }
        return places;
    };
    return plan;
}

inline std::vector<c_chapter_moment> chapter_four_moments() {
    return {
        {"opening", [](tw::c_state_game_chapter& c) {
             return c.character && c.mode == tw::k_game_mode_scene && scene_fade_between(c, 100, 160) && !c.ended;
         }},
        {"the stag makes the bee leap back", [](tw::c_state_game_chapter& c) {
             auto& four = static_cast<tw::c_state_game_4&>(c);
             return c.character && c.character->path == four.jump && c.character->progress > 0.2f;
         }},
        {"poppy puzzle opening", [](tw::c_state_game_chapter& c) {
             auto& four = static_cast<tw::c_state_game_4&>(c);
             return c.puzzle == &four.poppies && c.mode == tw::k_game_mode_puzzle_fading_in &&
                    scene_fade_between(c, 110, 170);
         }},
        {"silhouette puzzle opening", [](tw::c_state_game_chapter& c) {
             auto& four = static_cast<tw::c_state_game_4&>(c);
             return c.puzzle == &four.silhouettes && c.mode == tw::k_game_mode_puzzle_fading_in &&
                    scene_fade_between(c, 110, 170);
         }},
        {"ending", [](tw::c_state_game_chapter& c) { return c.ended && scene_fade_between(c, 110, 170); }},
    };
}

inline c_chapter_plan chapter_five_plan() { return {5, "end", {}, {}, {}}; }

inline std::vector<c_chapter_moment> chapter_five_moments() {
    auto opening_of = [](const tw::i_game_puzzle* (*which)(tw::c_state_game_5&)) {
        return [which](tw::c_state_game_chapter& c) {
            return c.puzzle == which(static_cast<tw::c_state_game_5&>(c)) &&
                   c.mode == tw::k_game_mode_puzzle_fading_in && scene_fade_between(c, 110, 170);
        };
    };
    return {
        {"opening", [](tw::c_state_game_chapter& c) {
             return c.character && c.mode == tw::k_game_mode_scene && scene_fade_between(c, 100, 160) && !c.ended;
         }},
        {"mushrooms growing", [](tw::c_state_game_chapter& c) {
             for (const auto& m : static_cast<tw::c_state_game_5&>(c).mushrooms)
                 if (m.scale > 0.6f && m.scale < 0.9f) return true;
             return false;
         }},
        {"silhouette puzzle opening", opening_of([](tw::c_state_game_5& f) -> const tw::i_game_puzzle* { return &f.silhouettes; })},
        {"the moths fly off", [](tw::c_state_game_chapter& c) {
             for (const auto& moth : static_cast<tw::c_state_game_5&>(c).moths)
                 if (moth.flying && moth.anim->anim.base.ty > -100) return c.mode == tw::k_game_mode_scene;
             return false;
         }},
        {"scarab rings opening", opening_of([](tw::c_state_game_5& f) -> const tw::i_game_puzzle* { return &f.scarab; })},
        {"ending", [](tw::c_state_game_chapter& c) { return c.ended && scene_fade_between(c, 110, 170); }},
    };
}

}  // namespace tw_test
