// The chapter's event queue: one head event a tick, and what each event does
// to the chapter state and the player's record.
#include <gtest/gtest.h>

#include "app/application_data.h"
#include "game/game_event.h"
#include "game/state_game.h"
#include "game/ui_puzzle_bar.h"
#include "scene/test_view_headless.h"

namespace {

using namespace tw;

class game_events : public testing::Test {
protected:
    void tick() { run_events(queue_, screen_.platform, state_, data_); }
    // Ticks until the queue is empty; the number of ticks it took.
    int drain(int limit = 10000) {
        int ticks = 0;
        while (!queue_.empty() && ticks < limit) {
            tick();
            ++ticks;
        }
        return ticks;
    }

    tw_test::c_scene_test_platform screen_;
    c_state_game state_{2};
    c_application_data data_;
    game_event_queue queue_;
};

// How long each timed event holds the head of the queue.
TEST_F(game_events, timed_events_hold_the_head_for_their_ticks) {
    std::pair<std::unique_ptr<i_game_event>, int> cases[] = {
        {std::make_unique<c_game_event_wait>(0), 1},
        {std::make_unique<c_game_event_wait>(1), 2},
        {std::make_unique<c_game_event_wait>(5), 6},
        {std::make_unique<c_game_event_fill_fade_out>(0.0f, 0.0015f), 667},
    };
    for (auto& [event, ticks] : cases) {
        append_event(queue_, std::move(event));
        EXPECT_EQ(drain(), ticks);
    }
    EXPECT_EQ(state_.fade_alpha(), 255);
    tick();  // an empty queue is left alone
    EXPECT_TRUE(queue_.empty());
}

// Events appended together still finish one per tick, in order; completing
// chapter 2 after chapter 4 keeps the count at 4.
TEST_F(game_events, a_scripted_sequence_runs_one_event_per_tick) {
    data_.persistent.chapters_complete = 4;
    append_event(queue_, std::make_unique<c_game_event_fill_fade_in>(1.0f, 0.002f));
    append_event(queue_, std::make_unique<c_game_event_wait>(0));
    append_event(queue_, std::make_unique<c_game_event_complete_chapter>());
    tick();
    EXPECT_EQ(state_.fade_alpha(), 254);
    while (queue_.size() == 3) tick();
    EXPECT_EQ(state_.fade_alpha(), 0);
    tick();
    EXPECT_EQ(queue_.size(), 1u);
    EXPECT_FALSE(state_.leave_requested);
    tick();
    EXPECT_TRUE(queue_.empty());
    EXPECT_TRUE(state_.leave_requested);
    EXPECT_EQ(data_.persistent.chapters_complete, 4);
}

TEST_F(game_events, a_found_puzzle_gets_an_icon_counting_its_items_and_hints_start_tutorials) {
    c_ui_puzzle_bar bar;
    state_.bar = &bar;
    for (const int16_t index : {1, 2, 1, 0}) {
        auto item = std::make_unique<c_scene_collectible>();
        item->puzzle_index = index;
        state_.scene.add_collectible(std::move(item));
    }
    append_event(queue_, std::make_unique<c_game_event_add_puzzle>(1, nullptr, nullptr, nullptr,
                                                                   nullptr, nullptr, 4));
    c_game_tutorial* hint = nullptr;
    append_event(queue_, std::make_unique<c_game_event_hint_character_drag>(&hint));
    append_event(queue_, std::make_unique<c_game_event_hint_character_drag>(nullptr));
    EXPECT_EQ(drain(), 3);
    ASSERT_EQ(bar.order.size(), 1u);
    EXPECT_EQ(state_.puzzle_icons.at(1), bar.order[0]);
    EXPECT_EQ(bar.order[0]->remaining, 2);
    EXPECT_EQ(bar.order[0]->event_code, 4);
    ASSERT_EQ(state_.tutorials.tutorials.size(), 2u);
    EXPECT_EQ(state_.tutorials.tutorials.begin()->second.get(), hint);
    EXPECT_NE(dynamic_cast<c_game_tutorial_drag_character*>(hint), nullptr);
}

}  // namespace
