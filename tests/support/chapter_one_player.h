// A scripted player of chapter one, from the title screen to the chapter's
// end: clicks the first card, drags the larva to its spinning point, finds the
// spots, picks up every item as it becomes free, uses each icon where it
// belongs, sorts the seed head by exchanges and waits out the ending. Each
// frame it looks at the game and says what the pointer does (at most one
// button change), so the headless test and the real-window run share it.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "chapters/scene_character_c1.h"
#include "chapters/state_game_1.h"
#include "game/ui_puzzle.h"
#include "menu/state_menu.h"
#include "support/sample_walk.h"
#include "support/seed_solver.h"
#include "ui/ui_element_button_push.h"

namespace tw_test {

class c_chapter_one_player {
public:
    enum class e_phase { menu, opening, walk, play, back_in_menu, done };

    // One frame of play.
    c_pointer_step step(const tw::c_platform& platform, tw::c_application& app) {
        c_pointer_step out;
        ++frames_in_phase;
        if (!queued.empty()) {
            out = queued.front();
            queued.pop_front();
            return out;
        }
        if (wait > 0) {
            --wait;
            return out;
        }
        auto* menu = dynamic_cast<tw::c_state_menu*>(app.state());
        auto* chapter = dynamic_cast<tw::c_state_game_1*>(app.state());
        switch (phase) {
            case e_phase::menu:
                if (menu && frames_in_phase > k_menu_settle_frames && menu->chapter_buttons[0]) {
                    const auto& at = menu->chapter_buttons[0]->position;
                    click_ui(platform, at.x, at.y);
                    enter(e_phase::opening);
                }
                break;
            case e_phase::opening:
                if (chapter && chapter->larva && chapter->fade_alpha() == 0 &&
                    chapter->events.empty()) {
                    walker = std::make_unique<c_route_player>(find_route(
                        chapter->scene.find_path_node("4"), chapter->scene.find_path_node("end")));
                    enter(e_phase::walk);
                }
                break;
            case e_phase::walk:
                if (chapter) walk(platform, *chapter, out);
                break;
            case e_phase::play:
                if (menu) {
                    enter(e_phase::back_in_menu);
                } else if (chapter) {
                    play(platform, *chapter);
                }
                break;
            case e_phase::back_in_menu:
                if (menu && frames_in_phase > k_menu_settle_frames) enter(e_phase::done);
                break;
            case e_phase::done:
                break;
        }
        if (!queued.empty() && !out.move) {
            out = queued.front();
            queued.pop_front();
        }
        return out;
    }

    e_phase phase = e_phase::menu;
    int clicks = 0;     // presses of the button, drags included
    int exchanges = 0;  // seed exchanges made
    std::string stuck;  // what the player could not do, if anything

private:
    static constexpr int k_menu_settle_frames = 120;
    static constexpr int k_click_gap = 6;  // frames between one click's release and the next press
    static constexpr int k_select_frames = 4;
    static constexpr int k_exchange_limit = 400;

    void enter(e_phase next) {
        phase = next;
        frames_in_phase = 0;
    }

    // A press and, a frame later, a release at the same pixel.
    void click_pixel(int x, int y) {
        queued.push_back({true, x, y, 1});
        queued.push_back({true, x, y, 0});
        ++clicks;
        wait = k_click_gap;
    }
    void click_ui(const tw::c_platform& platform, float x, float y) {
        const float unit = float(platform.short_side) / tw::k_ui_extent;
        click_pixel(int(std::lround(platform.width * 0.5f + x * unit)),
                    int(std::lround(platform.height * 0.5f - y * unit)));
    }
    void click_scene(const tw::c_platform& platform, const tw::c_scene& scene, float x, float y) {
        int px = 0, py = 0;
        scene_to_pixels(platform, scene.view, x, y, px, py);
        click_pixel(px, py);
    }

    void walk(const tw::c_platform& platform, tw::c_state_game_1& chapter, c_pointer_step& out) {
        tw::c_scene_character_c1& larva = *chapter.larva;
        if (larva.mode != tw::k_larva_walking) {
            // Arrived: let go if still holding.
            if (held) out = {true, last_x, last_y, 0};
            held = false;
            enter(e_phase::play);
            return;
        }
        int x = last_x, y = last_y;
        bool button = held;
        walker->step(platform, chapter.scene, x, y, button);
        out.move = true;
        out.x = last_x = x;
        out.y = last_y = y;
        if (button != held) {
            out.button = button ? 1 : 0;
            if (button) ++clicks;
            held = button;
        }
    }

    // The next thing to do in the chapter, or nothing while the game plays by itself.
    void play(const tw::c_platform& platform, tw::c_state_game_1& chapter) {
        using namespace tw;
        if (chapter.mode == k_game_mode_puzzle) {
            solve_seeds(platform, chapter.seeds);
            return;
        }
        if (chapter.mode != k_game_mode_scene || !chapter.collectables.empty()) return;
        const c_scene& scene = chapter.scene;
        // Use an icon whose items are all found, where it belongs.
        for (const auto& [id, icon] : chapter.puzzle_icons) {
            if (icon->remaining != 0 || icon->slide_x < -1.0f) continue;
            vec2 target;
            if (id == 2 && chapter.spots[2]) {
                target = {chapter.spots[2]->anim.base.tx, chapter.spots[2]->anim.base.ty};
            } else if ((id == 1 || (id == 0 && chapter.thread_length > k_c1_thread_asleep + 10)) &&
                       chapter.larva) {
                target = {chapter.larva->anim.base.tx, chapter.larva->anim.base.ty};
            } else {
                continue;
            }
            click_ui(platform, icon->icon_position.x, icon->icon_position.y);
            // A few still frames, so the selection is in before the press in the scene.
            for (int i = 0; i < k_select_frames; ++i) queued.push_back({});
            int px = 0, py = 0;
            scene_to_pixels(platform, scene.view, target.x, target.y, px, py);
            queued.push_back({true, px, py, 1});
            queued.push_back({true, px, py, 0});
            ++clicks;
            return;
        }
        // Find a spot that has become available.
        for (const c_scene_puzzle* spot : chapter.spots) {
            if (spot && spot->trigger && !spot->discovered) {
                click_scene(platform, scene, spot->anim.base.tx, spot->anim.base.ty);
                return;
            }
        }
        // Pick up an item that is free to take.
        for (const auto& item : scene.collectibles) {
            if (item->collectable && chapter.puzzle_icons.count(uint16_t(item->puzzle_index))) {
                click_scene(platform, scene, item->transform.tx, item->transform.ty);
                return;
            }
        }
    }

    // Sorts the head one exchange (press on a seed, drag to the neighbour,
    // release) at a time.
    void solve_seeds(const tw::c_platform& platform, tw::c_game_puzzle_c1_p2& puzzle) {
        if (puzzle.complete) return;
        if (exchanges > k_exchange_limit) {
            stuck = "the seed head is not sorted after " + std::to_string(exchanges) + " exchanges";
            return;
        }
        const tw::c_game_puzzle_c1_p2::c_cell* from = nullptr;
        const tw::c_game_puzzle_c1_p2::c_cell* to = nullptr;
        if (next_seed_exchange(puzzle, from, to, stuck)) exchange(platform, puzzle, *from, *to);
    }
    void exchange(const tw::c_platform& platform, tw::c_game_puzzle_c1_p2& puzzle,
                  const tw::c_game_puzzle_c1_p2::c_cell& from,
                  const tw::c_game_puzzle_c1_p2::c_cell& to) {
        int ax = 0, ay = 0, bx = 0, by = 0;
        scene_to_pixels(platform, puzzle.scene.view, from.transform.tx, from.transform.ty, ax, ay);
        scene_to_pixels(platform, puzzle.scene.view, to.transform.tx, to.transform.ty, bx, by);
        queued.push_back({true, ax, ay, 1});
        queued.push_back({true, bx, by, -1});
        queued.push_back({true, bx, by, 0});
        ++clicks;
        ++exchanges;
        wait = k_click_gap;
    }

    std::deque<c_pointer_step> queued;
    int wait = 0;
    int frames_in_phase = 0;
    std::unique_ptr<c_route_player> walker;
    bool held = false;
    int last_x = 0, last_y = 0;
};

}  // namespace tw_test
