// The later chapters played from the title screen to their ends with the
// shipped content, through the real frame loop and input path of a headless
// window: a save that has unlocked the chapter, its card, every spot, item and
// icon, the puzzles by their players, the ending, and the title screen again
// with the next card open and the chapter saved as complete.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "app/frame_loop.h"
#include "net/persistent_data.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/chapter_plans.h"
#include "support/game_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr long k_frame_limit = 60L * 60 * 12;  // twelve minutes of play at most

struct c_playthrough_case {
    c_playthrough_case(tw_test::c_chapter_plan p, std::vector<tw_test::c_chapter_moment> m)
        : plan(std::move(p)), moments(std::move(m)) {}
    tw_test::c_chapter_plan plan;
    std::vector<tw_test::c_chapter_moment> moments;
};

void play_chapter(c_playthrough_case chapter_case) {
    const int number = chapter_case.plan.chapter;
    SCOPED_TRACE(number);
    const fs::path old_dir = fs::current_path();
    fs::current_path(TW_CONTENT_DIR);
    tw_test::c_temp_save_folder save;
    {
        tw::c_persistent_data unlocked;
        unlocked.chapters_complete = uint8_t(number - 1);
        ASSERT_TRUE(unlocked.save());
    }
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    window.desktop_width = 1920;
    window.desktop_height = 1080;
    window.seconds_per_swap = 1.0 / 60.0;
    tw_test::c_chapter_run run(chapter_case.plan, chapter_case.moments);
    std::vector<std::string> moments;
    int next_card_code = -1;
    run.on_moment = [&](const char* name) { moments.push_back(name); };
    window.on_swap = [&](tw::c_window_headless& w) {
        device.calls.clear();
        if (run.done() && next_card_code < 0 && number < 5) {
            if (auto* menu = dynamic_cast<tw::c_state_menu*>(run.app.state()))
                next_card_code = menu->chapter_buttons[size_t(number)]->event_code;
        }
        if (run.done() || w.swap_count > k_frame_limit || !run.player.stuck.empty()) w.request_close();
    };

    EXPECT_EQ(tw::run(platform, run), 0);
    fs::current_path(old_dir);

    EXPECT_TRUE(run.done()) << "stopped in phase " << int(run.player.phase) << " after " << run.frames
                            << " frames, doing \"" << run.player.doing << "\": " << run.player.stuck;
    EXPECT_EQ(moments.size(), run.moments.size()) << "some moments never came";
    std::printf("chapter %d: %ld ticks, %d clicks, %d puzzles\n", number, run.ticks, run.player.clicks,
                run.player.puzzles_solved);
    if (number < 5) {
        EXPECT_EQ(next_card_code, tw::k_menu_event_chapter_1 + number);
    }
    EXPECT_EQ(run.app.data.persistent.chapters_complete, number);
}

TEST(chapter_playthrough, chapter_two_from_its_card_to_its_end) {
    play_chapter({tw_test::chapter_two_plan(), tw_test::chapter_two_moments()});
}

TEST(chapter_playthrough, chapter_three_from_its_card_to_its_end) {
    play_chapter({tw_test::chapter_three_plan(), tw_test::chapter_three_moments()});
}

TEST(chapter_playthrough, chapter_four_from_its_card_to_its_end) {
    play_chapter({tw_test::chapter_four_plan(), tw_test::chapter_four_moments()});
}

TEST(chapter_playthrough, chapter_five_from_its_card_to_its_end) {
    play_chapter({tw_test::chapter_five_plan(), tw_test::chapter_five_moments()});
}

// Chapters one to five in order from a fresh save, each card opening as the
// chapter before it ends, to all five cards open and five chapters saved.
TEST(game_playthrough, the_whole_game_from_a_fresh_save) {
    const fs::path old_dir = fs::current_path();
    fs::current_path(TW_CONTENT_DIR);
    tw_test::c_temp_save_folder save;
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    window.desktop_width = 1920;
    window.desktop_height = 1080;
    window.seconds_per_swap = 1.0 / 60.0;
    tw_test::c_game_run run;
    int open_cards = 0;
    window.on_swap = [&](tw::c_window_headless& w) {
        device.calls.clear();
        if (run.done() && open_cards == 0) {
            if (auto* menu = dynamic_cast<tw::c_state_menu*>(run.app.state()))
                for (int i = 0; i < 5; ++i)
                    open_cards += menu->chapter_buttons[size_t(i)]->event_code == tw::k_menu_event_chapter_1 + i;
        }
        if ((run.done() && open_cards > 0) || w.swap_count > 5 * k_frame_limit || !run.stuck().empty())
            w.request_close();
    };

    EXPECT_EQ(tw::run(platform, run), 0);
    fs::current_path(old_dir);

    ASSERT_TRUE(run.done()) << "stopped in chapter " << run.chapter_index + 1 << ": " << run.stuck();
    for (size_t i = 0; i < run.ticks_per_chapter.size(); ++i)
        std::printf("the whole game: chapter %zu in %ld ticks\n", i + 1, run.ticks_per_chapter[i]);
    EXPECT_EQ(open_cards, 5);
    tw::c_persistent_data reloaded;
    tw::c_xml_document doc;
    ASSERT_TRUE(tw::load_document(doc, save.file("data.xml")));
    reloaded.read(doc);
    EXPECT_EQ(reloaded.chapters_complete, 5);
}

}  // namespace
