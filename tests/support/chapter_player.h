// A scripted player of the later chapters, from the title screen to the
// chapter's end: clicks the chapter's card, walks first to the places it is
// told to explore (a guard, say), then each frame does the first thing it can:
// use an icon whose items are all found where it belongs, find a spot that is
// available, pick up an item that is free to take, walking the character
// towards whatever lies outside the view; with nothing left, it walks to the
// end. Puzzles are played by their catalogue players. At most one button
// change a frame, so the headless test and the real-window run share it.
#pragma once
#include <cmath>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/application.h"
#include "chapters/state_game_chapter.h"
#include "game/ui_puzzle.h"
#include "menu/state_menu.h"
#include "scene/scene_character.h"
#include "support/puzzle_catalogue.h"
#include "support/sample_walk.h"
#include "ui/ui_element_button_push.h"

namespace tw_test {

// What differs from chapter to chapter for the player.
struct c_chapter_plan {
    int chapter = 2;
    const char* end_node = "";              // walking here ends the chapter
    std::vector<const char*> explore;       // nodes walked to once, first
    // Where an icon is used; by default at its item's spot.
    std::function<bool(const tw::c_state_game_chapter&, uint16_t item, tw::vec2& at)> use_point;
    // Places near which the character is to be poked now (things that wake when it chirps).
    std::function<std::vector<tw::vec2>(const tw::c_state_game_chapter&)> poke_near;
};

class c_chapter_player {
public:
    enum class e_phase { menu, opening, play, back_in_menu, done };

    explicit c_chapter_player(c_chapter_plan plan) : plan_(std::move(plan)) {}

    c_pointer_step step(const tw::c_platform& platform, tw::c_application& app) {
        c_pointer_step out;
        ++frames_in_phase;
        if (!queued_.empty()) {
            out = queued_.front();
            queued_.pop_front();
            return out;
        }
        if (wait_ > 0) {
            --wait_;
            return out;
        }
        auto* menu = dynamic_cast<tw::c_state_menu*>(app.state());
        auto* chapter = dynamic_cast<tw::c_state_game_chapter*>(app.state());
        switch (phase) {
            case e_phase::menu: {
                const size_t card = size_t(plan_.chapter - 1);
                if (menu && frames_in_phase > k_menu_settle_frames && menu->chapter_buttons[card]) {
                    const auto& at = menu->chapter_buttons[card]->position;
                    click_ui(platform, at.x, at.y);
                    enter(e_phase::opening);
                }
                break;
            }
            case e_phase::opening:
                if (chapter && chapter->character && chapter->fade_alpha() == 0 && chapter->events.empty())
                    enter(e_phase::play);
                break;
            case e_phase::play:
                if (menu) {
                    enter(e_phase::back_in_menu);
                } else if (chapter) {
                    out = play(platform, *chapter);
                }
                break;
            case e_phase::back_in_menu:
                if (menu && frames_in_phase > k_menu_settle_frames) enter(e_phase::done);
                break;
            case e_phase::done:
                break;
        }
        if (!queued_.empty() && !out.move && out.button < 0) {
            out = queued_.front();
            queued_.pop_front();
        }
        return out;
    }

    e_phase phase = e_phase::menu;
    int clicks = 0;          // presses of the button, drags and puzzle presses included
    int puzzles_solved = 0;
    std::string stuck;       // what the player could not do, if anything
    std::string doing;       // the last thing it set out to do

private:
    static constexpr int k_menu_settle_frames = 120;
    static constexpr int k_click_gap = 6;
    static constexpr int k_select_frames = 4;
    static constexpr int k_idle_limit = 60 * 60;   // frames with nothing to do
    static constexpr int k_use_attempts = 3;
    static constexpr int k_poke_limit = 12;
    static constexpr int k_poke_wait = 120;  // frames for what a poke wakes

    void enter(e_phase next) {
        phase = next;
        frames_in_phase = 0;
    }

    void click_pixel(int x, int y) {
        queued_.push_back({true, x, y, 1});
        queued_.push_back({true, x, y, 0});
        ++clicks;
        wait_ = k_click_gap;
    }
    void click_ui(const tw::c_platform& platform, float x, float y) {
        const float unit = float(platform.short_side) / tw::k_ui_extent;
        click_pixel(int(std::lround(platform.width * 0.5f + x * unit)),
                    int(std::lround(platform.height * 0.5f - y * unit)));
    }
    void click_scene(const tw::c_platform& platform, const tw::c_scene& scene, tw::vec2 at) {
        int px = 0, py = 0;
        scene_to_pixels(platform, scene.view, at.x, at.y, px, py);
        click_pixel(px, py);
    }

    c_pointer_step play(const tw::c_platform& platform, tw::c_state_game_chapter& chapter) {
        c_pointer_step out;
        if (chapter.mode == tw::k_game_mode_puzzle && chapter.puzzle) {
            if (chapter.puzzle != puzzle_) {
                puzzle_ = chapter.puzzle;
                puzzle_player_ = player_for(*chapter.puzzle);
                if (!puzzle_player_) stuck = "no player for the puzzle numbered " + std::to_string(puzzle_->number());
            }
            if (!puzzle_player_ || chapter.puzzle->complete) return out;
            out = puzzle_player_->step(platform, *chapter.puzzle);
            if (out.button == 1) ++clicks;
            if (!puzzle_player_->stuck.empty()) stuck = puzzle_player_->stuck;
            return out;
        }
        if (puzzle_ && chapter.mode == tw::k_game_mode_scene) {
            ++puzzles_solved;
            puzzle_ = nullptr;
        }
        if (walker_) return walk(platform, chapter);
        if (chapter.mode != tw::k_game_mode_scene || !chapter.collectables.empty() || !chapter.character ||
            chapter.character->state == tw::k_character_automatic || !settled(chapter.scene))
            return out;
        if (chapter.ended) return out;
        if (next_move(platform, chapter)) {
            idle_frames_ = 0;
        } else if (++idle_frames_ > k_idle_limit) {
            stuck = "nothing left to do and no way to the end";
        }
        return out;
    }

    // The view has glided to where it is going.
    static bool settled(const tw::c_scene& scene) {
        const tw::c_scene_view& v = scene.view;
        return std::fabs(v.position.x - v.target_position.x) < 1 &&
               std::fabs(v.position.y - v.target_position.y) < 1;
    }

    // Starts the first thing that can be done now; false if there is none.
    bool next_move(const tw::c_platform& platform, tw::c_state_game_chapter& chapter) {
        const tw::c_scene& scene = chapter.scene;
        // Each place to explore is walked to once, as soon as the way there is open.
        for (size_t i = 0; i < plan_.explore.size(); ++i) {
            if (explored_.count(i)) continue;
            const char* name = plan_.explore[i];
            if (walk_to(chapter, scene.find_path_node(name), std::string("explore ") + name)) {
                explored_.insert(i);
                return true;
            }
        }
        std::vector<std::pair<tw::vec2, std::string>> wanted;  // out of view, in order
        for (const auto& [item, icon] : chapter.puzzle_icons) {
            tw::vec2 at;
            if (icon->remaining != 0 || icon->slide_x < -1.0f || !use_point(chapter, item, at)) continue;
            if (!scene.view.point_in_view(at.x, at.y)) {
                wanted.push_back({at, "use item " + std::to_string(item)});
                continue;
            }
            if (++use_attempts_[item] > k_use_attempts) {
                stuck = "item " + std::to_string(item) + " is refused where it belongs";
                return false;
            }
            doing = "use item " + std::to_string(item);
            click_ui(platform, icon->icon_position.x, icon->icon_position.y);
            for (int i = 0; i < k_select_frames; ++i) queued_.push_back({});
            int px = 0, py = 0;
            scene_to_pixels(platform, scene.view, at.x, at.y, px, py);
            queued_.push_back({true, px, py, 1});
            queued_.push_back({true, px, py, 0});
            ++clicks;
            return true;
        }
        for (const auto& spot : scene.puzzles) {
            if (!spot->trigger || spot->discovered) continue;
            const tw::vec2 at{spot->anim.base.tx, spot->anim.base.ty};
            if (!scene.view.point_in_view(at.x, at.y)) {
                wanted.push_back({at, "find spot " + std::to_string(spot->puzzle_index)});
                continue;
            }
            doing = "find spot " + std::to_string(spot->puzzle_index);
            click_scene(platform, scene, at);
            return true;
        }
        for (const auto& item : scene.collectibles) {
            if (!item->collectable || !chapter.puzzle_icons.count(uint16_t(item->puzzle_index))) continue;
            const tw::vec2 at{item->transform.tx, item->transform.ty};
            if (!scene.view.point_in_view(at.x, at.y)) {
                wanted.push_back({at, "pick up " + item->texture_file_name});
                continue;
            }
            doing = "pick up " + item->texture_file_name;
            click_scene(platform, scene, at);
            return true;
        }
        if (plan_.poke_near) {
            for (const tw::vec2& place : plan_.poke_near(chapter)) {
                const tw::c_scene_path_node* node = nearest_reachable(chapter, place);
                if (walk_to(chapter, node, "walk to poke near a place")) return true;
                if (++pokes_ > k_poke_limit) {
                    stuck = "pokes near a place change nothing";
                    return false;
                }
                doing = "poke the character";
                const tw::c_transform& at = chapter.character->anim.base;
                click_scene(platform, chapter.scene, {at.tx, at.ty});
                wait_ = k_poke_wait;
                return true;
            }
        }
        for (const auto& [at, what] : wanted)
            if (walk_to(chapter, nearest_reachable(chapter, at), "walk to " + what)) return true;
        // As far towards the end as the way is open: a guard there may let the character by now.
        const tw::c_scene_path_node* end = scene.find_path_node(plan_.end_node);
        if (!end) return false;
        return walk_to(chapter, end, "walk to the end") ||
               walk_to(chapter, nearest_reachable(chapter, {end->transform.tx, end->transform.ty}),
                       "walk towards the end");
    }

    bool use_point(const tw::c_state_game_chapter& chapter, uint16_t item, tw::vec2& at) const {
        if (plan_.use_point && plan_.use_point(chapter, item, at)) return true;
        const tw::c_scene_puzzle* spot = chapter.spot(item);
        if (!spot) return false;
        at = {spot->anim.base.tx, spot->anim.base.ty};
        return true;
    }

    // The node the character can walk to that lies nearest the point.
    static const tw::c_scene_path_node* nearest_reachable(const tw::c_state_game_chapter& chapter,
                                                         const tw::vec2& at) {
        const tw::c_scene_path_node* best = nullptr;
        float best_d = 0;
        for (const auto& node : chapter.scene.path_nodes) {
            if (find_route(chapter.character->node, node.get()).empty()) continue;
            const float d = tw::vec2_distance_sq({node->transform.tx, node->transform.ty}, at);
            if (!best || d < best_d) best = node.get(), best_d = d;
        }
        return best;
    }

    // Sets off towards a node; false when it cannot be reached or the character is there.
    bool walk_to(const tw::c_state_game_chapter& chapter, const tw::c_scene_path_node* target,
                 const std::string& why) {
        const tw::c_scene_character& c = *chapter.character;
        if (!target || c.node == target || (c.path && c.path->target == target && c.progress >= 1)) return false;
        auto route = find_route(c.node, target);
        if (route.size() < 2) return false;
        doing = why;
        walker_ = std::make_unique<c_route_player>(std::move(route));
        return true;
    }

    c_pointer_step walk(const tw::c_platform& platform, tw::c_state_game_chapter& chapter) {
        c_pointer_step out;
        const tw::c_scene_character& c = *chapter.character;
        if (walker_->arrived(c) || c.state == tw::k_character_automatic) {
            // There, or thrown back by a guard: let go if still holding.
            if (held_) out = {true, last_x_, last_y_, 0};
            held_ = false;
            walker_.reset();
            return out;
        }
        int x = last_x_, y = last_y_;
        bool button = held_;
        walker_->step(platform, chapter.scene, x, y, button);
        out.move = true;
        out.x = last_x_ = x;
        out.y = last_y_ = y;
        if (button != held_) {
            out.button = button ? 1 : 0;
            if (button) ++clicks;
            held_ = button;
        }
        return out;
    }

    c_chapter_plan plan_;
    std::deque<c_pointer_step> queued_;
    int wait_ = 0;
    int frames_in_phase = 0;
    int idle_frames_ = 0;
    std::set<size_t> explored_;
    int pokes_ = 0;
    std::map<uint16_t, int> use_attempts_;
    std::unique_ptr<c_route_player> walker_;
    bool held_ = false;
    int last_x_ = 0, last_y_ = 0;
    const tw::i_game_puzzle* puzzle_ = nullptr;
    std::unique_ptr<i_puzzle_player> puzzle_player_;
};

}  // namespace tw_test
