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

TEST_F(game_events, a_wait_holds_the_head_one_tick_longer_than_its_count) {
    for (const uint16_t ticks : {0, 1, 5}) {
        append_event(queue_, std::make_unique<c_game_event_wait>(ticks));
        EXPECT_EQ(drain(), ticks + 1);
    }
    tick();  // an empty queue is left alone
    EXPECT_TRUE(queue_.empty());
}

// Events appended together still finish one per tick, in order.
TEST_F(game_events, a_scripted_sequence_runs_one_event_per_tick) {
    data_.persistent.chapters_complete = 1;
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
    EXPECT_EQ(data_.persistent.chapters_complete, 2);
}

TEST_F(game_events, the_fill_fade_out_darkens_to_black) {
    auto fade = std::make_unique<c_game_event_fill_fade_out>(0.0f, 0.0015f);
    c_game_event_fill_fade_out* raw = fade.get();
    append_event(queue_, std::move(fade));
    tick();
    EXPECT_EQ(state_.fade_alpha(), 0);  // 0.0015 * 255 truncates to 0
    EXPECT_NEAR(raw->level, 0.0015f, 1e-6f);
    EXPECT_EQ(drain() + 1, 667);
    EXPECT_EQ(state_.fade_alpha(), 255);
}

TEST_F(game_events, completing_a_chapter_never_lowers_the_count) {
    const struct {
        uint16_t chapter;
        uint8_t before, after;
    } cases[] = {{2, 4, 4}, {3, 1, 3}, {5, 5, 5}};
    for (const auto& c : cases) {
        c_state_game state(c.chapter);
        data_.persistent.chapters_complete = c.before;
        c_game_event_complete_chapter event;
        EXPECT_TRUE(event.execute(screen_.platform, state, data_));
        EXPECT_EQ(data_.persistent.chapters_complete, c.after) << c.chapter;
        EXPECT_TRUE(state.leave_requested);
    }
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
