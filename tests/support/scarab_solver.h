// The shortest run of the scarab puzzle's own moves (three ring turns and the
// spare exchange) from an arrangement to the upright picture, every piece
// home, found by a breadth-first search over every arrangement the moves
// reach. (The puzzle may call the picture whole sooner, turned as a whole;
// a player aims for it upright.) Pieces never leave their ring, so an
// arrangement is three orderings of five numbers: 120 x 120 x 120 states.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <vector>

#include "chapters/game_puzzle_c5_p7.h"

namespace tw_test {

constexpr int k_scarab_move_exchange = 3;  // moves 0..2 turn that ring

class c_scarab_solver {
public:
    using c_order = std::array<uint8_t, 5>;  // the number at each position of one ring

    c_scarab_solver() {
        c_order o{1, 2, 3, 4, 5};
        do {
            orders_.push_back(o);
        } while (std::next_permutation(o.begin(), o.end()));
        for (size_t i = 0; i < orders_.size(); ++i) {
            c_order turned = orders_[i], swapped = orders_[i];
            std::rotate(turned.begin(), turned.begin() + 1, turned.begin() + 4);
            std::swap(swapped[0], swapped[4]);
            turn_[i] = index_of(turned);
            swap_[i] = index_of(swapped);
        }
        const int upright = index_of({1, 2, 3, 4, 5});
        home_ = (upright * 120 + upright) * 120 + upright;
    }

    // The moves that bring every piece home, in order; empty if they are.
    std::vector<int> solve(const tw::c_game_puzzle_c5_p7& puzzle) const {
        std::array<int, 3> rings{};
        for (int r = 0; r < 3; ++r) {
            c_order o{};
            for (int k = 0; k < 5; ++k) o[size_t(k)] = uint8_t(puzzle.at(k, r)->number);
            rings[size_t(r)] = index_of(o);
        }
        const int start = (rings[0] * 120 + rings[1]) * 120 + rings[2];
        std::vector<int8_t> move_in(k_states, -1);
        std::vector<int> from(k_states, -1);
        std::deque<int> queue{start};
        move_in[size_t(start)] = 4;
        while (!queue.empty()) {
            const int state = queue.front();
            queue.pop_front();
            if (state == home_) return path_to(state, start, move_in, from);
            for (int move = 0; move < 4; ++move) {
                const int next = apply(state, move);
                if (move_in[size_t(next)] >= 0) continue;
                move_in[size_t(next)] = int8_t(move);
                from[size_t(next)] = state;
                queue.push_back(next);
            }
        }
        return {};
    }

private:
    static constexpr int k_states = 120 * 120 * 120;

    int index_of(const c_order& o) const {
        return int(std::lower_bound(orders_.begin(), orders_.end(), o) - orders_.begin());
    }
    int apply(int state, int move) const {
        int r[3] = {state / 14400, state / 120 % 120, state % 120};
        if (move < 3) {
            r[move] = turn_[size_t(r[move])];
        } else {
            for (int& ring : r) ring = swap_[size_t(ring)];
        }
        return (r[0] * 120 + r[1]) * 120 + r[2];
    }
    static std::vector<int> path_to(int state, int start, const std::vector<int8_t>& move_in,
                                    const std::vector<int>& from) {
        std::vector<int> moves;
        for (; state != start; state = from[size_t(state)]) moves.push_back(move_in[size_t(state)]);
        std::reverse(moves.begin(), moves.end());
        return moves;
    }

    std::vector<c_order> orders_;
    std::array<int, 120> turn_{}, swap_{};
    int home_ = 0;
};

}  // namespace tw_test
