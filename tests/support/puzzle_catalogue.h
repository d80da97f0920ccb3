// The puzzles that test programs open by name: how each is made and set up,
// and a scripted player that solves it one frame at a time through the
// pointer, as a person would. The headless solver test and the real-window
// puzzle page share the table and the host that runs a puzzle on its own; a
// new puzzle is one more entry (and its player) in puzzle_catalogue().
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/application_data.h"
#include "app/state_machine.h"
#include "chapters/game_puzzle_c1_p2.h"
#include "chapters/game_puzzle_c2_p1.h"
#include "chapters/game_puzzle_c2_p3.h"
#include "chapters/game_puzzle_c3_p2.h"
#include "chapters/game_puzzle_c4_p3.h"
#include "chapters/game_puzzle_c5_p4.h"
#include "chapters/game_puzzle_c5_p7.h"
#include "chapters/game_puzzle_silhouettes.h"
#include "platform/platform.h"
#include "platform/window.h"
#include "support/sample_walk.h"
#include "support/scarab_solver.h"
#include "support/seed_solver.h"

namespace tw_test {

// Solves one puzzle: each frame it looks at the puzzle and says what the pointer does.
class i_puzzle_player {
public:
    virtual ~i_puzzle_player() = default;
    // This frame's pointer: where it is and at most one button change.
    virtual c_pointer_step step(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) = 0;
    // True once the play is far enough along for a picture of it half done.
    virtual bool midway(const tw::i_game_puzzle& puzzle) const = 0;

    int presses = 0;
    std::string stuck;  // what the player could not do, if anything
};

// A player made of clicks: a press and a release a frame apart, then a few
// still frames; plan() is asked for the next move only when nothing is queued.
class c_clicking_player : public i_puzzle_player {
public:
    c_pointer_step step(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        if (queued_.empty() && wait_ > 0) {
            --wait_;
            return {};
        }
        if (queued_.empty()) plan(platform, puzzle);
        if (queued_.empty()) return {};
        const c_pointer_step out = queued_.front();
        queued_.pop_front();
        return out;
    }

protected:
    static constexpr int k_click_gap = 6;  // still frames after a release

    virtual void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) = 0;

    // Press at the scene point, optionally move to a second point (in even
    // steps over moves frames), release there.
    void press_and_release(const tw::c_platform& platform, const tw::c_scene& scene, float x0,
                           float y0, float x1, float y1, int moves = 1) {
        int ax = 0, ay = 0, bx = 0, by = 0;
        scene_to_pixels(platform, scene.view, x0, y0, ax, ay);
        scene_to_pixels(platform, scene.view, x1, y1, bx, by);
        queued_.push_back({true, ax, ay, 1});
        if (bx != ax || by != ay)
            for (int m = 1; m <= moves; ++m)
                queued_.push_back({true, ax + (bx - ax) * m / moves, ay + (by - ay) * m / moves, -1});
        queued_.push_back({true, bx, by, 0});
        ++presses;
        wait_ = k_click_gap;
    }
    void click(const tw::c_platform& platform, const tw::c_scene& scene, float x, float y) {
        press_and_release(platform, scene, x, y, x, y);
    }

private:
    std::deque<c_pointer_step> queued_;
    int wait_ = 0;
};

// The seed head: one exchange at a time, pressing on a seed and releasing on
// the neighbour it moves to.
class c_seed_player : public c_clicking_player {
public:
    bool midway(const tw::i_game_puzzle&) const override { return exchanges_ >= k_midway_exchanges; }

private:
    static constexpr int k_midway_exchanges = 8;
    static constexpr int k_exchange_limit = 400;

    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& seeds = static_cast<tw::c_game_puzzle_c1_p2&>(puzzle);
        if (seeds.complete || !stuck.empty()) return;
        if (exchanges_ > k_exchange_limit) {
            stuck = "the seed head is not sorted after " + std::to_string(exchanges_) + " exchanges";
            return;
        }
        const tw::c_game_puzzle_c1_p2::c_cell* from = nullptr;
        const tw::c_game_puzzle_c1_p2::c_cell* to = nullptr;
        if (!next_seed_exchange(seeds, from, to, stuck)) return;
        press_and_release(platform, seeds.scene, from->transform.tx, from->transform.ty,
                          to->transform.tx, to->transform.ty);
        ++exchanges_;
    }

    int exchanges_ = 0;
};

// The glow-worm chimes: once it is the player's turn, presses the glow-worm
// the showing lit at that place of the sequence.
class c_chime_player : public c_clicking_player {
public:
    bool midway(const tw::i_game_puzzle& puzzle) const override {
        return static_cast<const tw::c_game_puzzle_c2_p1&>(puzzle).stage >= 2;
    }

private:
    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& chimes = static_cast<tw::c_game_puzzle_c2_p1&>(puzzle);
        if (chimes.complete || chimes.phase != tw::k_chime_phase_player ||
            chimes.position >= chimes.chimes.size())
            return;
        const auto& next = *chimes.nodes[chimes.chimes[chimes.position]->node];
        click(platform, chimes.scene, next.x, next.y);
    }
};

// The tiles: presses the first tile that does not yet look right.
class c_tile_player : public c_clicking_player {
public:
    bool midway(const tw::i_game_puzzle& puzzle) const override {
        const auto& tiles = static_cast<const tw::c_game_puzzle_c2_p3&>(puzzle);
        int right = 0;
        for (const auto& node : tiles.nodes) right += tw::c_game_puzzle_c2_p3::is_right(*node);
        return right >= int(tiles.nodes.size()) / 2 + 4;
    }

private:
    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& tiles = static_cast<tw::c_game_puzzle_c2_p3&>(puzzle);
        for (const auto& node : tiles.nodes) {
            if (tw::c_game_puzzle_c2_p3::is_right(*node)) continue;
            click(platform, tiles.scene, node->x, node->y);
            return;
        }
    }
};

// The poppies: searches (depth first over the open holes) for a run of jumps
// that leaves one poppy, then drags each poppy over its neighbour in turn.
class c_poppy_player : public c_clicking_player {
public:
    using c_puzzle = tw::c_game_puzzle_c4_p3;
    bool midway(const tw::i_game_puzzle& puzzle) const override {
        int open = 0;
        for (const auto& h : static_cast<const c_puzzle&>(puzzle).holes) open += h->open;
        return open <= 6;
    }

private:
    struct c_move {
        int from, to;  // hole indices
    };

    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& poppies = static_cast<c_puzzle&>(puzzle);
        if (poppies.complete || !stuck.empty()) return;
        std::vector<bool> open;
        for (const auto& h : poppies.holes) open.push_back(h->open != 0);
        std::vector<c_move> moves;
        if (!search(poppies, open, moves) || moves.empty()) {
            stuck = "no run of jumps leaves one poppy";
            return;
        }
        const auto& from = *poppies.holes[size_t(moves.front().from)];
        const auto& to = *poppies.holes[size_t(moves.front().to)];
        press_and_release(platform, poppies.scene, from.home_x, from.home_y, to.home_x, to.home_y);
    }

    // Fills moves with jumps from this board to one open poppy; false if there are none.
    static bool search(const c_puzzle& poppies, std::vector<bool>& open, std::vector<c_move>& moves) {
        if (std::count(open.begin(), open.end(), true) <= 1) return true;
        const auto& holes = poppies.holes;
        for (size_t a = 0; a < holes.size(); ++a) {
            if (!open[a]) continue;
            for (size_t b = 0; b < holes.size(); ++b) {
                if (open[b]) continue;
                const auto* over = poppies.middle(*holes[a], *holes[b]);
                if (!over) continue;
                const size_t m = size_t(std::find_if(holes.begin(), holes.end(),
                                                     [&](const auto& h) { return h.get() == over; }) -
                                        holes.begin());
                if (!open[m]) continue;
                open[a] = false, open[m] = false, open[b] = true;
                moves.push_back({int(a), int(b)});
                if (search(poppies, open, moves)) return true;
                moves.pop_back();
                open[a] = true, open[m] = true, open[b] = false;
            }
        }
        return false;
    }
};

// The silhouettes: drags each silhouette still lying about onto the place its
// picture shows, over a few frames as a hand would.
class c_silhouette_player : public c_clicking_player {
public:
    using c_puzzle = tw::c_game_puzzle_silhouettes;
    bool midway(const tw::i_game_puzzle& puzzle) const override {
        const auto& pieces = static_cast<const c_puzzle&>(puzzle).pieces;
        return 2 * std::count_if(pieces.begin(), pieces.end(), [](const auto& p) { return p.placed; }) >=
               long(pieces.size());
    }

private:
    static constexpr int k_drag_frames = 12;
    static constexpr int k_attempt_limit = 3;  // drops per piece before giving up

    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& p = static_cast<c_puzzle&>(puzzle);
        for (const auto& piece : p.pieces) {
            if (piece.placed) continue;
            if (++attempts_[&piece] > k_attempt_limit) {
                stuck = "a silhouette does not stay where its picture goes";
                return;
            }
            press_and_release(platform, p.scene, piece.silhouette->transform.tx,
                              piece.silhouette->transform.ty, piece.solved_x, piece.solved_y,
                              k_drag_frames);
            return;
        }
    }

    std::map<const void*, int> attempts_;
};

// The scarab rings: finds the shortest run of ring turns and spare exchanges
// to the upright picture once, then presses on each ring or the spare button.
class c_scarab_player : public c_clicking_player {
public:
    using c_puzzle = tw::c_game_puzzle_c5_p7;
    bool midway(const tw::i_game_puzzle&) const override { return planned_ && done_ * 2 >= moves_.size(); }

private:
    // A press at this distance from the centre turns that ring (outer, middle, inner).
    static constexpr float k_ring_press[3] = {1030, 780, 350};

    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& p = static_cast<c_puzzle&>(puzzle);
        if (!planned_) {
            moves_ = c_scarab_solver().solve(p);
            planned_ = true;
            if (moves_.empty() && !p.whole()) stuck = "no run of moves brings the scarab home";
        }
        if (done_ >= moves_.size()) return;
        const int move = moves_[done_++];
        if (move == k_scarab_move_exchange) {
            click(platform, p.scene, p.button.x, p.button.y);
        } else {
            // Below the centre, away from the spare button.
            click(platform, p.scene, p.centre.x, p.centre.y - k_ring_press[move]);
        }
    }

    std::vector<int> moves_;
    size_t done_ = 0;
    bool planned_ = false;
};

// The timed view: nothing to play, the pointer rests.
class c_idle_player : public i_puzzle_player {
public:
    c_pointer_step step(const tw::c_platform&, tw::i_game_puzzle&) override { return {}; }
    bool midway(const tw::i_game_puzzle& puzzle) const override {
        return static_cast<const tw::c_game_puzzle_c5_p4&>(puzzle).countdown <=
               tw::k_timed_view_ticks / 2;
    }
};

// The leaf pairs, played from memory: it knows a beetle only once its leaf
// has shown it face up, takes a pair it knows of when it can, and otherwise
// turns a leaf it has not seen yet.
class c_leaf_player : public c_clicking_player {
public:
    using c_puzzle = tw::c_game_puzzle_c3_p2;

    c_pointer_step step(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        forget_gone(static_cast<c_puzzle&>(puzzle));
        return c_clicking_player::step(platform, puzzle);
    }
    // Four leaves gone and the next two face up, waiting to be judged.
    bool midway(const tw::i_game_puzzle& puzzle) const override {
        const auto& p = static_cast<const c_puzzle&>(puzzle);
        return p.leaves.size() <= tw::k_leaf_count - 4 && p.first && p.second &&
               p.first->turn >= 1 && p.second->turn >= 1;
    }

private:
    void plan(const tw::c_platform& platform, tw::i_game_puzzle& puzzle) override {
        auto& p = static_cast<c_puzzle&>(puzzle);
        if (p.leaves.empty()) return;
        // Half turned, the leaf shows its beetle.
        for (const auto& leaf : p.leaves)
            if (leaf->turn >= 0.5f) seen_[leaf.get()] = leaf->pair;
        if (p.wait > 0 || p.second) return;
        const c_puzzle::leaf* choice = nullptr;
        if (!p.first) {
            choice = known_pair();
            if (!choice) choice = unseen(p, nullptr);
        } else {
            if (!seen_.count(p.first)) return;  // still turning up
            choice = partner_of(p, p.first);
            if (!choice) choice = unseen(p, p.first);
        }
        if (!choice) {
            stuck = "no leaf left to turn";
            return;
        }
        click(platform, p.scene, choice->transform.tx, choice->transform.ty);
    }

    // One leaf of a pair whose both beetles were seen and are still on the board.
    const c_puzzle::leaf* known_pair() const {
        for (const auto& [leaf, pair] : seen_)
            for (const auto& [other, other_pair] : seen_)
                if (leaf != other && pair == other_pair) return leaf;
        return nullptr;
    }
    const c_puzzle::leaf* partner_of(const c_puzzle& p, const c_puzzle::leaf* leaf) const {
        for (const auto& other : p.leaves)
            if (other.get() != leaf && seen_.count(other.get()) &&
                seen_.at(other.get()) == seen_.at(leaf))
                return other.get();
        return nullptr;
    }
    const c_puzzle::leaf* unseen(const c_puzzle& p, const c_puzzle::leaf* not_this) const {
        for (const auto& leaf : p.leaves)
            if (leaf.get() != not_this && !seen_.count(leaf.get())) return leaf.get();
        return nullptr;
    }

    // Only leaves on the board: a found pair is forgotten when it leaves.
    void forget_gone(const c_puzzle& p) {
        for (auto it = seen_.begin(); it != seen_.end();) {
            bool on_board = false;
            for (const auto& leaf : p.leaves) on_board |= leaf.get() == it->first;
            it = on_board ? std::next(it) : seen_.erase(it);
        }
    }

    std::map<const c_puzzle::leaf*, uint16_t> seen_;
};

// One puzzle of the catalogue: its name (the scene file's stem), how to make it
// set up, and its player.
struct c_puzzle_entry {
    const char* name;
    std::unique_ptr<tw::i_game_puzzle> (*make)(tw::c_platform& platform);
    std::unique_ptr<i_puzzle_player> (*player)();
};

constexpr const char* k_timed_view_scene = "c5p4.xml";

inline const std::vector<c_puzzle_entry>& puzzle_catalogue() {
    static const std::vector<c_puzzle_entry> entries = {
        {"c1p2",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c1_p2>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_seed_player>(); }},
        {"c2p1",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c2_p1>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_chime_player>(); }},
        {"c2p3",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c2_p3>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_tile_player>(); }},
        {"c3p2",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c3_p2>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_leaf_player>(); }},
        {"c4p3",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c4_p3>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_poppy_player>(); }},
        {"c4p5",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c4_p5>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_silhouette_player>(); }},
        {"c5p1",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c5_p1>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_silhouette_player>(); }},
        {"c5p4",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c5_p4>();
             puzzle->setup(platform, k_timed_view_scene);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_idle_player>(); }},
        {"c5p7",
         [](tw::c_platform& platform) -> std::unique_ptr<tw::i_game_puzzle> {
             auto puzzle = std::make_unique<tw::c_game_puzzle_c5_p7>();
             puzzle->setup(platform);
             return puzzle;
         },
         []() -> std::unique_ptr<i_puzzle_player> { return std::make_unique<c_scarab_player>(); }},
    };
    return entries;
}

// The player for a puzzle a chapter has opened, by the puzzle's kind; null for none.
inline std::unique_ptr<i_puzzle_player> player_for(const tw::i_game_puzzle& puzzle) {
    const tw::i_game_puzzle* p = &puzzle;
    if (dynamic_cast<const tw::c_game_puzzle_c1_p2*>(p)) return std::make_unique<c_seed_player>();
    if (dynamic_cast<const tw::c_game_puzzle_c2_p1*>(p)) return std::make_unique<c_chime_player>();
    if (dynamic_cast<const tw::c_game_puzzle_c2_p3*>(p)) return std::make_unique<c_tile_player>();
    if (dynamic_cast<const tw::c_game_puzzle_c3_p2*>(p)) return std::make_unique<c_leaf_player>();
    if (dynamic_cast<const tw::c_game_puzzle_c4_p3*>(p)) return std::make_unique<c_poppy_player>();
    if (dynamic_cast<const tw::c_game_puzzle_silhouettes*>(p)) return std::make_unique<c_silhouette_player>();
    if (dynamic_cast<const tw::c_game_puzzle_c5_p4*>(p)) return std::make_unique<c_idle_player>();
    if (dynamic_cast<const tw::c_game_puzzle_c5_p7*>(p)) return std::make_unique<c_scarab_player>();
    return nullptr;
}

inline const c_puzzle_entry* find_puzzle(const std::string& name) {
    for (const c_puzzle_entry& entry : puzzle_catalogue())
        if (name == entry.name) return &entry;
    return nullptr;
}

// Runs one puzzle full screen as the chapter state would while it is shown:
// ticks, drawing and mouse events go to the puzzle. Each frame the player's
// pointer goes in through the platform's own callbacks and reaches the puzzle
// in the next frame's input delivery, as real input would. While paused the
// puzzle is drawn but gets no ticks and the player does nothing.
class c_puzzle_host : public tw::i_platform_state_machine {
public:
    explicit c_puzzle_host(const c_puzzle_entry& entry) : entry_(entry) {}

    void start(tw::c_platform& platform) override {
        puzzle = entry_.make(platform);
        player = entry_.player();
    }
    void stop(tw::c_platform&) override { puzzle.reset(); }

    void frame(tw::c_platform& platform) override {
        if (paused || !puzzle || puzzle->complete) return;
        const c_pointer_step s = player->step(platform, *puzzle);
        if (s.move) platform.on_mouse_position(s.x, s.y);
        if (s.button == 1) platform.on_mouse_button(0, tw::k_action_press);
        if (s.button == 0) platform.on_mouse_button(0, tw::k_action_release);
    }
    void tick(tw::c_platform& platform) override {
        if (paused || !puzzle) return;
        puzzle->on_tick(platform, data);
        ++ticks;
    }
    void draw(tw::c_platform& platform) override {
        if (puzzle) puzzle->on_draw(platform, data);
    }
    void mouse(tw::c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy) override {
        if (puzzle) puzzle->on_mouse(platform, kind, dx, dy, data);
    }

    bool loaded(const tw::c_platform& platform) const {
        return platform.queued_texture_count() == 0 && platform.queued_material_count() == 0;
    }

    tw::c_application_data data;
    std::unique_ptr<tw::i_game_puzzle> puzzle;
    std::unique_ptr<i_puzzle_player> player;
    bool paused = false;
    int ticks = 0;

private:
    const c_puzzle_entry& entry_;
};

}  // namespace tw_test
