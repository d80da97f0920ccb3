// Chapter one's script, tick by tick over the shipped scene: the larva's
// modes and thread, the fly's goals with the buds it opens, the items' uses,
// the pulse and the automatic hint.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/frame_loop.h"
#include "chapters/scene_character_c1.h"
#include "chapters/state_game_1.h"
#include "game/ui_puzzle.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "scene/scene_graphic.h"
#include "sound/sound_device_recording.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

class chapter_one : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = fs::current_path();
        fs::current_path(TW_CONTENT_DIR);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(1920, 1080);
        auto sounds = std::make_unique<tw::c_sound_device_recording>();
        sound = sounds.get();
        platform.sound_engine = std::move(sounds);
        platform.update_screen_size(1920, 1080);
        app.make_state = [](uint16_t) { return std::unique_ptr<tw::c_state>(); };
        app.send_message = {};
        auto state = std::make_unique<tw::c_state_game_1>();
        chapter = state.get();
        app.change_state(platform, std::move(state));
        larva = chapter->larva;
        ASSERT_NE(larva, nullptr);
    }
    void TearDown() override {
        app.change_state(platform, nullptr);
        fs::current_path(old_dir_);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) chapter->on_tick(platform, app.data);
    }
    int plays_of(const std::string& file) const {
        return int(std::count_if(sound->calls.begin(), sound->calls.end(), [&](const auto& call) {
            return call.kind == tw::e_sound_call::play && call.file == file;
        }));
    }
    // Puts the larva on the cane walking into its spinning point.
    void walk_to_spinning_point() {
        tw::c_scene_path_node* cane = chapter->scene.find_path_node("cane");
        larva->node = cane;
        larva->path = cane->paths.back().get();
        larva->progress = 0.99f;
        larva->dragging = 1;
        larva->state = tw::k_character_walking;
    }
    bool has_tutorial(const tw::c_game_tutorial* t) const {
        for (const auto& [key, held] : chapter->tutorials.tutorials)
            if (held.get() == t) return true;
        return false;
    }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_sound_device_recording* sound = nullptr;
    tw_test::c_temp_save_folder save;
    tw::c_application app;
    tw::c_state_game_1* chapter = nullptr;
    tw::c_scene_character_c1* larva = nullptr;

private:
    fs::path old_dir_;
};

TEST_F(chapter_one, the_larva_spins_hangs_is_lowered_and_falls_asleep) {
    // The opening: music, the scene's objects found, every spot unavailable.
    EXPECT_EQ(plays_of("sounds/sfx_music_1.wav"), 1);
    ASSERT_NE(chapter->hover, nullptr);
    for (const tw::c_scene_puzzle* spot : chapter->spots) {
        ASSERT_NE(spot, nullptr);
        EXPECT_FALSE(spot->trigger);
    }
    EXPECT_EQ(std::count_if(chapter->growths.begin(), chapter->growths.end(),
                            [](const auto& g) { return g.collectible && !g.collectible->collectable; }),
              6);
    ticks(520);  // the opening fade is over and the drag hand has started
    ASSERT_NE(chapter->pending_tutorial, nullptr);
    tw::c_game_tutorial* drag_hand = chapter->pending_tutorial;

    walk_to_spinning_point();
    ticks(1);
    EXPECT_EQ(larva->mode, tw::k_larva_spinning);
    EXPECT_EQ(larva->dragging, 0);
    ticks(1);  // the chapter notices the larva stopped and ends the drag hand
    EXPECT_EQ(drag_hand->finish_request, 1);
    ticks(tw::k_larva_spin_ticks - 2);
    EXPECT_EQ(larva->mode, tw::k_larva_spinning);
    ticks(1);  // 50 ticks of spinning
    EXPECT_EQ(larva->mode, tw::k_larva_starting_to_hang);
    ticks(tw::k_larva_hang_start / tw::k_larva_hang_time_step);
    EXPECT_EQ(larva->mode, tw::k_larva_starting_to_hang);
    ticks(1);  // the time has passed 65395
    EXPECT_EQ(larva->mode, tw::k_larva_hanging);
    ticks(1);
    EXPECT_TRUE(chapter->spots[1]->trigger);
    ASSERT_NE(chapter->pending_tutorial, nullptr);
    EXPECT_TRUE(has_tutorial(chapter->pending_tutorial));

    // Finding the silk starts the hang: the fly sets off, the thread shows.
    const tw::c_transform feet = larva->anim.base;
    chapter->on_puzzle_found(1);
    EXPECT_TRUE(chapter->hanging);
    EXPECT_EQ(chapter->hover_goal, tw::k_c1_hover_first_goal);
    EXPECT_EQ(chapter->thread->quad.buffer.colours[0].a, 255);
    EXPECT_FLOAT_EQ(chapter->thread->transform.ty, feet.ty + 36);

    // Each bud that arrives pays out thread; the larva hangs at its end, below the cane.
    chapter->on_collectable_arrived(platform, 1);
    EXPECT_FLOAT_EQ(chapter->thread_target, tw::k_c1_thread_per_bud);
    ticks(400);
    EXPECT_NEAR(chapter->thread_length, tw::k_c1_thread_per_bud, 1.0f);
    EXPECT_NEAR(larva->anim.base.ty, feet.ty - chapter->thread_length, 0.5f);
    EXPECT_NEAR(larva->anim.base.tx, feet.tx, 0.5f);

    // Items: the petal is refused while the thread is short, the buds taken at the larva only.
    const tw::vec3 at_larva{larva->anim.base.tx, larva->anim.base.ty, 0};
    EXPECT_FALSE(chapter->on_use_puzzle_item(platform, app.data, 0, at_larva.x, at_larva.y, 0));
    EXPECT_FALSE(chapter->on_use_puzzle_item(platform, app.data, 1, at_larva.x + 2000, at_larva.y, 0));
    EXPECT_FALSE(chapter->on_use_puzzle_item(platform, app.data, 7, at_larva.x, at_larva.y, 0));
    EXPECT_TRUE(chapter->on_use_puzzle_item(platform, app.data, 1, at_larva.x, at_larva.y, 0));
    EXPECT_FLOAT_EQ(chapter->thread_target, tw::k_c1_thread_full);
    EXPECT_TRUE(chapter->spots[0]->trigger);
    ticks(400);
    ASSERT_GT(chapter->thread_length, tw::k_c1_thread_asleep);
    const size_t events_before = chapter->events.size();
    EXPECT_TRUE(chapter->on_use_puzzle_item(platform, app.data, 0, larva->anim.base.tx,
                                            larva->anim.base.ty, 0));
    EXPECT_EQ(larva->mode, tw::k_larva_asleep);
    EXPECT_EQ(chapter->events.size(), events_before + 3);  // wait, fade out, complete
}

TEST_F(chapter_one, the_fly_opens_buds_on_its_way_and_stops_at_its_goals) {
    chapter->hover_goal = tw::k_c1_hover_first_goal;
    ticks(tw::k_c1_hover_first_goal / tw::k_c1_hover_step + 5);
    EXPECT_EQ(chapter->hover->transform_graph_position, tw::k_c1_hover_first_goal);
    EXPECT_EQ(plays_of("sounds/effects/fly_loop.wav"), 1);
    EXPECT_FALSE(chapter->hover_moving);  // stopped, and its sound with it
    // The two buds keyed before the first goal (8000 and 11600) opened, with pollen and hands.
    for (size_t i = 0; i < chapter->growths.size(); ++i) {
        const bool early = chapter->growths[i].trigger_position < tw::k_c1_hover_first_goal;
        EXPECT_EQ(chapter->growths[i].triggered, early) << "bud " << i;
        EXPECT_EQ(chapter->growths[i].grown, early) << "bud " << i;
        EXPECT_EQ(chapter->growths[i].collectible->collectable, early) << "bud " << i;
    }
    EXPECT_EQ(chapter->item_tutorials.size(), 2u);
    EXPECT_NEAR(chapter->growths[3].collectible->half_height, 2 * tw::k_c1_growth_open_half, 2);
    // The seed head is free to find and a hand points at it.
    EXPECT_TRUE(chapter->spots[2]->trigger);
    EXPECT_TRUE(has_tutorial(chapter->spot_2_tutorial));

    // A bud opening bursts into 32 pollen motes at its place.
    const size_t motes = chapter->pollen->particles.size();
    chapter->hover_goal = tw::k_c1_hover_first_goal + 1;
    chapter->growths[0].trigger_position = tw::k_c1_hover_first_goal + 1;
    ticks(1);
    EXPECT_EQ(chapter->pollen->particles.size(), motes + 32);
    EXPECT_TRUE(chapter->growths[0].triggered);
    EXPECT_FLOAT_EQ(chapter->growths[0].target, tw::k_c1_growth_open_half);

    // The sorted seed head sends the fly on to its last goal, past every bud.
    chapter->on_puzzle_complete(platform, app.data, 2);
    ticks((tw::k_c1_hover_last_goal - tw::k_c1_hover_first_goal) / tw::k_c1_hover_step + 5);
    EXPECT_EQ(chapter->hover->transform_graph_position, tw::k_c1_hover_last_goal);
    for (const auto& growth : chapter->growths) EXPECT_TRUE(growth.triggered);
}

TEST_F(chapter_one, clicks_pulse_the_larva_and_the_hint_comes_at_exactly_600_ticks) {
    // A click in the scene before any drag pulses the larva's glow: 100, 224 at half, back to 96.
    chapter->on_scene_click(platform, app.data);
    ticks(1);
    EXPECT_EQ(larva->highlight.buffer.colours[0].a, 100);
    ticks(31);
    EXPECT_EQ(larva->highlight.buffer.colours[0].a, 224);
    ticks(40);
    EXPECT_EQ(larva->highlight.buffer.colours[0].a, 96);
    chapter->on_character_drag(platform, app.data);
    chapter->on_scene_click(platform, app.data);
    EXPECT_EQ(chapter->pulse, 0);  // dragged once: no more pulses

    // The seed head found and its icon in; the seeds lie free in view.
    ticks(520);  // the opening's events first
    chapter->on_puzzle_found(2);
    ticks(5);
    ASSERT_EQ(chapter->puzzle_icons.count(2), 1u);
    chapter->spots[2]->discovered = true;
    chapter->scene.set_camera("cane");
    ticks(tw::k_c1_auto_hint_tick - 1);
    const int discoveries = plays_of("sounds/puzzle_discovery.wav");
    const size_t hands = chapter->item_tutorials.size();
    ticks(1);
    EXPECT_EQ(plays_of("sounds/puzzle_discovery.wav"), discoveries + 1);
    ASSERT_EQ(chapter->item_tutorials.size(), hands + 1);
    EXPECT_EQ(chapter->item_tutorials.back().collectible->puzzle_index, 2);
    ticks(tw::k_c1_auto_hint_tick);
    EXPECT_EQ(chapter->item_tutorials.size(), hands + 1);  // only once

    // Picking up the item the hand points at ends the hand.
    tw::c_game_tutorial* hand = chapter->item_tutorials.back().tutorial;
    chapter->on_collectable_found(
        platform, app.data,
        const_cast<tw::c_scene_collectible&>(*chapter->item_tutorials.back().collectible));
    EXPECT_EQ(hand->finish_request, 1);
    EXPECT_TRUE(chapter->item_tutorials.empty());
}

}  // namespace
