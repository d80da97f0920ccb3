// Chapter one played from the title screen to its end with the shipped
// content, through the real frame loop and input path of a headless window:
// the first card, the larva dragged to the cane, every spot, item and icon,
// the seed head sorted by exchanges, the ending, and the title screen again
// with the second card open and the chapter saved as complete.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "app/frame_loop.h"
#include "net/persistent_data.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/chapter_one_run.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr long k_frame_limit = 60L * 60 * 6;  // six minutes of play at most

TEST(chapter_one_playthrough, played_from_the_title_screen_to_its_end) {
    const fs::path old_dir = fs::current_path();
    fs::current_path(TW_CONTENT_DIR);
    tw_test::c_temp_save_folder save;
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    window.desktop_width = 1920;
    window.desktop_height = 1080;
    window.seconds_per_swap = 1.0 / 60.0;
    tw_test::c_chapter_one_run run;
    std::vector<std::string> moments;
    int second_card_code = -1;  // the title screen's second card, once back there
    run.on_moment = [&](const char* name) { moments.push_back(name); };
    window.on_swap = [&](tw::c_window_headless& w) {
        if (run.done() && second_card_code < 0) {
            if (auto* menu = dynamic_cast<tw::c_state_menu*>(run.app.state()))
                second_card_code = menu->chapter_buttons[1]->event_code;
        }
        if (run.done() || w.swap_count > k_frame_limit || !run.player.stuck.empty())
            w.request_close();
    };

    EXPECT_EQ(tw::run(platform, run), 0);
    fs::current_path(old_dir);

    EXPECT_TRUE(run.done()) << "stopped in phase " << int(run.player.phase) << " after "
                            << run.frames << " frames: " << run.player.stuck;
    EXPECT_EQ(moments.size(), run.moments.size()) << "some moments never came";
    EXPECT_GT(run.player.exchanges, 0);
    std::printf("chapter one: %ld ticks, %d clicks (%d seed exchanges)\n", run.ticks,
                run.player.clicks, run.player.exchanges);

    // Back on the title screen with the second card open, and saved so.
    EXPECT_EQ(second_card_code, tw::k_menu_event_chapter_1 + 1);
    EXPECT_EQ(run.app.data.persistent.chapters_complete, 1);
    tw::c_persistent_data reloaded;
    tw::c_xml_document doc;
    ASSERT_TRUE(tw::load_document(doc, save.file("data.xml")));
    reloaded.read(doc);
    EXPECT_EQ(reloaded.chapters_complete, 1);
}

}  // namespace
