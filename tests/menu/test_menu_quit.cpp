// The quit button in the whole program: it ends the loop through the orderly
// shutdown, so the session's end is queued and the player's record is saved
// with the play time of this run.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/frame_loop.h"
#include "chapters/game_states.h"
#include "menu_fixture.h"
#include "net/persistent_data.h"
#include "support/temp_folder.h"

namespace {

using tw_test::c_menu_test;

constexpr int k_quit_swap = 90;  // after the scene has loaded and faded in a while

std::string read_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(c_menu_test, quit_shuts_down_in_order_and_saves_the_play_time_and_events) {
    tw_test::c_temp_save_folder save;
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    window.seconds_per_swap = 1.0 / 60.0;
    window.on_swap = [&platform](tw::c_window_headless& w) {
        // A quit that did nothing must not hang the test.
        if (w.swap_count > k_quit_swap + 30) w.request_close();
        if (w.swap_count != k_quit_swap) return;
        // The quit button keeps its offset from the top-right corner.
        const float unit = float(platform.short_side) / tw::k_ui_extent;
        const float ui_x = 896 + float(platform.width - platform.short_side) * 0.5f / unit;
        w.queue_mouse_position(int(platform.width * 0.5f + ui_x * unit),
                               int(platform.height * 0.5f - 440 * unit));
        w.queue_mouse_button(0, tw::k_action_press);
    };
    tw::c_application app;
    app.make_state = tw::make_game_state;
    app.send_message = {};  // nothing leaves the machine; the queues keep every message

    EXPECT_EQ(tw::run(platform, app), 0);
    EXPECT_GT(window.swap_count, k_quit_swap);
    EXPECT_LT(window.swap_count, k_quit_swap + 4);

    const std::string saved = read_file(save.file("data.xml"));
    ASSERT_FALSE(saved.empty());
    // The menu's start and leave events wait in the file for the next run.
    EXPECT_NE(saved.find("\"start_menu\""), std::string::npos);
    EXPECT_NE(saved.find("\"leave_menu\""), std::string::npos);
    tw::c_persistent_data reloaded;
    tw::c_xml_document doc;
    ASSERT_TRUE(tw::load_document(doc, save.file("data.xml")));
    reloaded.read(doc);
    // About 1.5 s of play, counted by the menu's ticks.
    EXPECT_GT(reloaded.total_time, 1000);
    EXPECT_LT(reloaded.total_time, 3000);
}

}  // namespace
