// What a scripted player does next on the seed head, and the pointer step it
// is made of; shared by the chapter one player and the puzzle catalogue.
#pragma once
#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "chapters/game_puzzle_c1_p2.h"

namespace tw_test {

// What the pointer does this frame: move to (x, y) in window pixels and, if
// button is 0 or 1, release or press there.
struct c_pointer_step {
    bool move = false;
    int x = 0, y = 0;
    int button = -1;
};

// The next exchange that sorts the head ring by ring from the rim inwards: the
// nearest seed of the wanted kind travels one link towards its place through
// cells not yet settled (through any cell if it must; those are settled again
// later). False when the head is sorted or, with `stuck` said, when no seed
// can move.
inline bool next_seed_exchange(tw::c_game_puzzle_c1_p2& puzzle,
                               const tw::c_game_puzzle_c1_p2::c_cell*& from,
                               const tw::c_game_puzzle_c1_p2::c_cell*& to, std::string& stuck) {
    using cell = tw::c_game_puzzle_c1_p2::c_cell;
    std::map<const cell*, std::vector<cell*>> links;
    for (const auto& link : puzzle.swappers) {
        links[link->a].push_back(link->b);
        links[link->b].push_back(link->a);
    }
    std::vector<cell*> order;
    for (int k = tw::k_seed_places - 1; k >= 0; --k)
        for (int s = 0; s < tw::k_seed_spokes; ++s) order.push_back(&puzzle.cell(s, k));
    size_t first_wrong = 0;
    auto kind_of_place = [&](const cell* c) { return int(c - &puzzle.cells[0]) % tw::k_seed_places; };
    while (first_wrong < order.size() &&
           order[first_wrong]->occupant->kind == kind_of_place(order[first_wrong]))
        ++first_wrong;
    if (first_wrong == order.size()) return false;
    cell* goal = order[first_wrong];
    const int kind = kind_of_place(goal);
    for (bool through_settled : {false, true}) {
        // Breadth first from the goal to the nearest seed of the kind.
        std::map<cell*, cell*> towards_goal{{goal, nullptr}};
        std::deque<cell*> open{goal};
        while (!open.empty()) {
            cell* c = open.front();
            open.pop_front();
            for (cell* n : links[c]) {
                const bool settled = std::find(order.begin(), order.begin() + long(first_wrong), n) !=
                                     order.begin() + long(first_wrong);
                if (towards_goal.count(n) || (settled && !through_settled)) continue;
                towards_goal[n] = c;
                if (n->occupant->kind == kind) {
                    from = n;
                    to = c;
                    return true;
                }
                open.push_back(n);
            }
        }
    }
    stuck = "no seed of kind " + std::to_string(kind) + " can reach its place";
    return false;
}

}  // namespace tw_test
