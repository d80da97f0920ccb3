// The seed sorting puzzle over a tiny scene file: the seeded scramble and the
// links it draws from, press-and-release exchanges, solving by replaying the
// scramble backwards, and the seeds' glide.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/application_data.h"
#include "chapters/game_puzzle_c1_p2.h"
#include "platform/random.h"
#include "platform/texture.h"
#include "scene/test_scene_fixture.h"
#include "support/sample_walk.h"

namespace {

using c_puzzle = tw::c_game_puzzle_c1_p2;
using c_link = std::pair<int, int>;  // cell indices, spoke * 5 + place

int at(int spoke, int place) { return spoke * 5 + place; }

// The links as the player sees them on the head, in the order the scramble counts them.
std::vector<c_link> expected_links() {
    std::vector<c_link> links;
    for (int s = 0; s < 8; ++s) {
        const int p = (s + 7) % 8;
        for (int k = 0; k < 5; ++k) {
            if (k < 4) links.push_back({at(s, k), at(s, k + 1)});
            if (k < 4 && k % 2 == 1) links.push_back({at(p, k), at(s, k + 1)});
            if (k < 4 && k % 2 == 0) links.push_back({at(s, k), at(p, k + 1)});
            if (k < 3) links.push_back({at(s, k), at(s, k + 2)});
        }
    }
    return links;
}

// The links the scramble took, drawn from the game's generator as the puzzle does.
std::vector<c_link> scramble_moves() {
    const std::vector<c_link> links = expected_links();
    std::vector<c_link> moves;
    tw::srand(1337);
    for (int i = 0; i < 12; ++i) moves.push_back(links[size_t(tw::rand()) % links.size()]);
    return moves;
}

// Kinds per cell when sorted: 0..4 along every spoke.
std::vector<int> sorted_layout() {
    std::vector<int> kinds(40);
    for (int i = 0; i < 40; ++i) kinds[size_t(i)] = i % 5;
    return kinds;
}

class seed_puzzle : public tw_test::c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        write("c1p2.xml", "<levels><level name=\"head\"/></levels>");
        puzzle.setup(platform_);
    }
    int index_of(const c_puzzle::c_cell* cell) const { return int(cell - puzzle.cells.data()); }
    std::vector<int> layout() const {
        std::vector<int> kinds;
        for (const auto& cell : puzzle.cells) kinds.push_back(cell.occupant->kind);
        return kinds;
    }
    // Aims the pointer at a scene point (through window pixels) and delivers one event.
    void mouse(uint16_t kind, float x, float y) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform_, puzzle.scene.view, x, y, px, py);
        platform_.mouse_x = uint16_t(px);
        platform_.mouse_y = uint16_t(py);
        puzzle.on_mouse(platform_, kind, 0, 0, data);
    }
    // Presses on cell a and releases on cell b.
    void exchange_by_hand(int a, int b) {
        mouse(tw::k_mouse_press, puzzle.cells[a].transform.tx, puzzle.cells[a].transform.ty);
        mouse(tw::k_mouse_release, puzzle.cells[b].transform.tx, puzzle.cells[b].transform.ty);
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) puzzle.on_tick(platform_, data);
    }

    tw::c_application_data data;
    c_puzzle puzzle;
};

TEST_F(seed_puzzle, opens_with_the_twelve_seeded_exchanges_applied_to_the_sorted_head) {
    ASSERT_EQ(puzzle.swappers.size(), 88u);
    const std::vector<c_link> links = expected_links();
    for (size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(index_of(puzzle.swappers[i]->a), links[i].first) << i;
        EXPECT_EQ(index_of(puzzle.swappers[i]->b), links[i].second) << i;
    }

    std::vector<int> expected = sorted_layout();
    for (const c_link& move : scramble_moves()) std::swap(expected[move.first], expected[move.second]);
    EXPECT_EQ(layout(), expected);
    EXPECT_NE(layout(), sorted_layout());

    // Setting up again, whatever the generator did in between, opens the same way.
    tw::srand(99);
    puzzle.setup(platform_);
    EXPECT_EQ(layout(), expected);

    // Opened still: every seed already stands on its cell. Seeds draw in creation
    // order with their kind's bitmap, after the scene.
    device_.calls.clear();
    puzzle.on_draw(platform_, data);
    const std::vector<tw::vec3> drawn = draw_translations();
    ASSERT_GE(drawn.size(), 40u);
    for (size_t i = 0; i < 40; ++i) {
        const c_puzzle::c_seed& seed = *puzzle.seeds[i];
        EXPECT_EQ(seed.kind, int(i % 5));
        EXPECT_EQ(seed.quad.material->texture->file_name,
                  "c1/p2/1aseed" + std::to_string(seed.kind + 1) + ".bmp");
        EXPECT_EQ(drawn[drawn.size() - 40 + i].x, seed.shown.tx);
        EXPECT_EQ(drawn[drawn.size() - 40 + i].y, seed.shown.ty);
    }
    for (const auto& cell : puzzle.cells) {
        EXPECT_EQ(cell.occupant->shown.tx, cell.transform.tx);
        EXPECT_EQ(cell.occupant->goal.angle, cell.transform.angle);
    }

    // The geometry at a few cells: the first spoke points up, odd places sit half a spoke on.
    struct c_case { int spoke, place; float x, y, angle; };
    const c_case cases[] = {{0, 0, -30, 710, 3.1415927f},
                            {2, 1, 838.45f, -389.72f, 1.1780972f},
                            {4, 4, -30, -1570, 0}};
    for (const c_case& c : cases) {
        const tw::c_transform& t = puzzle.cell(c.spoke, c.place).transform;
        EXPECT_NEAR(t.tx, c.x, 0.05f) << c.spoke << c.place;
        EXPECT_NEAR(t.ty, c.y, 0.05f) << c.spoke << c.place;
        EXPECT_NEAR(t.angle, c.angle, 1e-5f);
        EXPECT_NEAR(t.m[0], std::cos(c.angle), 1e-5f);
    }
    tick();
    EXPECT_EQ(puzzle.complete, 0);
}

TEST_F(seed_puzzle, a_press_and_release_exchange_with_the_linked_neighbour_nearest_the_release) {
    const std::vector<int> start = layout();
    // Far from every cell: nothing is selected, the release and drags do nothing.
    mouse(tw::k_mouse_press, 3000, 2000);
    EXPECT_EQ(puzzle.selected, nullptr);
    mouse(tw::k_mouse_drag, 0, 710);
    mouse(tw::k_mouse_release, -30, 710);
    EXPECT_EQ(layout(), start);

    // Pressed and released on one spot a little clockwise of (0, 0): of its links
    // (0, 1), (7, 1) and (0, 2), (0, 1) is nearest to that spot.
    const int pressed = at(0, 0), neighbour = at(0, 1);
    const tw::c_transform old_shown = puzzle.cells[pressed].occupant->shown;
    const float x = puzzle.cells[pressed].transform.tx + 60, y = puzzle.cells[pressed].transform.ty;
    mouse(tw::k_mouse_press, x, y);
    mouse(tw::k_mouse_release, x, y);
    std::vector<int> swapped = start;
    std::swap(swapped[pressed], swapped[neighbour]);
    EXPECT_EQ(layout(), swapped);
    EXPECT_EQ(puzzle.selected, &puzzle.cells[pressed]);
    // The seeds head for their new cells from where they stood.
    const c_puzzle::c_seed& arrived = *puzzle.cells[pressed].occupant;
    EXPECT_EQ(arrived.goal.tx, puzzle.cells[pressed].transform.tx);
    EXPECT_EQ(arrived.shown.tx, puzzle.cells[neighbour].transform.tx);
    EXPECT_EQ(puzzle.cells[neighbour].occupant->shown.ty, old_shown.ty);

    // The selection stays: a second release exchanges the same pair back.
    mouse(tw::k_mouse_release, x, y);
    EXPECT_EQ(layout(), start);
}

TEST_F(seed_puzzle, undoing_the_scramble_by_hand_completes_on_the_next_tick_and_stays_complete) {
    const std::vector<c_link> moves = scramble_moves();
    for (size_t i = moves.size(); i-- > 0;) {
        exchange_by_hand(moves[i].first, moves[i].second);
        if (i > 0) {
            tick();
            EXPECT_EQ(puzzle.complete, 0) << i;
        }
    }
    EXPECT_EQ(layout(), sorted_layout());
    EXPECT_EQ(puzzle.complete, 0);
    tick();
    EXPECT_EQ(puzzle.complete, 1);
    bool gliding = false;
    for (const auto& seed : puzzle.seeds) gliding |= seed->shown.tx != seed->goal.tx;
    EXPECT_TRUE(gliding);

    tick(300);
    for (const auto& seed : puzzle.seeds) EXPECT_NEAR(seed->shown.tx, seed->goal.tx, 0.01f);
    // Once solved it stays solved, even if the player mixes two seeds again.
    exchange_by_hand(moves[0].first, moves[0].second);
    tick();
    EXPECT_EQ(puzzle.complete, 1);
}

TEST_F(seed_puzzle, a_seed_crossing_between_the_last_spoke_and_the_first_turns_without_wrapping) {
    // (7, 1) stands at angle -7/8 pi and (0, 2) at pi: the glide covers the whole
    // gap the long way round instead of stepping across -pi.
    const int from = at(7, 1), to = at(0, 2);
    const float start = puzzle.cells[from].transform.angle;
    const float goal = puzzle.cells[to].transform.angle;
    ASSERT_GT(goal - start, 3.1415927f);
    const c_puzzle::c_seed* seed = puzzle.cells[from].occupant;
    exchange_by_hand(from, to);
    ASSERT_EQ(puzzle.cells[to].occupant, seed);
    tick();
    const float expected = start + 0.1f * (goal - start);
    EXPECT_FLOAT_EQ(seed->shown.angle, expected);
    EXPECT_NEAR(seed->shown.m[0], std::cos(expected), 1e-5f);
    EXPECT_NEAR(seed->shown.m[1], std::sin(expected), 1e-5f);
    tick(200);
    EXPECT_NEAR(seed->shown.angle, goal, 1e-4f);
}

}  // namespace
