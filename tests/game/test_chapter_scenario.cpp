// The chapter core played headless through the real input path (pointer
// positions in window pixels, one frame per tick) over the test chapter:
// discover, pick up, use items right and wrong, hint, pause, the timed view.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "game/ui_collectable.h"
#include "game/ui_puzzle_bar.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "sound/sound_device_recording.h"
#include "support/counting_puzzle.h"
#include "support/temp_folder.h"
#include "test_chapter.h"

namespace {

namespace fs = std::filesystem;
using tw_test::c_test_chapter;

constexpr int k_window_w = 1920;
constexpr int k_window_h = 1080;
constexpr double k_tick_seconds = 1.0 / 60.0;

class chapter_scenario : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir_ = fs::current_path();
        fs::current_path(TW_CONTENT_DIR);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(k_window_w, k_window_h);
        window.seconds_per_swap = k_tick_seconds;
        auto sounds = std::make_unique<tw::c_sound_device_recording>();
        sound = sounds.get();
        platform.sound_engine = std::move(sounds);
        app.make_state = [this](uint16_t id) {
            requested.push_back(id);
            return std::unique_ptr<tw::c_state>();
        };
        app.send_message = {};
        platform.update_screen_size(k_window_w, k_window_h);
        auto state = std::make_unique<c_test_chapter>();
        chapter = state.get();
        app.change_state(platform, std::move(state));
        frames(2);  // loading frames read the textures
        while (platform.queued_texture_count() > 0 || platform.queued_material_count() > 0)
            frames(1);
    }
    void TearDown() override {
        app.change_state(platform, nullptr);
        fs::current_path(old_dir_);
    }

    void frames(int n) {
        for (int i = 0; i < n; ++i) tw::run_frame(platform, app);
    }
    // The window pixel of a scene point under the chapter's current view.
    void pixel_of(float x, float y, int& px, int& py) {
        tw_test::scene_to_pixels(platform, chapter->scene.view, x, y, px, py);
    }
    // A press and a release at a window pixel, each delivered in its own frame.
    void click_pixel(int px, int py) {
        window.queue_mouse_position(px, py);
        window.queue_mouse_button(0, tw::k_action_press);
        frames(2);
        window.queue_mouse_button(0, tw::k_action_release);
        frames(2);
    }
    void click_scene(float x, float y) {
        int px = 0, py = 0;
        pixel_of(x, y, px, py);
        click_pixel(px, py);
    }
    // A UI point (half extent 1024 on the shorter side) as a window pixel.
    void click_ui(float x, float y) {
        const float unit = float(platform.short_side) / tw::k_ui_extent;
        click_pixel(int(platform.width * 0.5f + x * unit), int(platform.height * 0.5f - y * unit));
    }
    void click_icon(uint16_t id) {
        const tw::c_ui_puzzle* icon = chapter->puzzle_icons.at(id);
        click_ui(icon->icon_position.x, icon->icon_position.y);
    }
    int sounds_of(const std::string& file) const {
        return int(std::count_if(sound->calls.begin(), sound->calls.end(), [&](const auto& call) {
            return call.kind == tw::e_sound_call::play && call.file == file;
        }));
    }
    // Every event-endpoint message's event name and puzzles text, oldest first.
    std::vector<std::string> events() const {
        std::vector<std::string> out;
        for (const auto& message : app.data.persistent.event_queue) {
            std::string name, puzzles;
            for (const auto& [field, value] : message->params) {
                if (field == "event") name = value;
                if (field == "current_puzzles") puzzles = value;
            }
            out.push_back(name + ":" + puzzles);
        }
        return out;
    }
    bool analytics_has(const std::string& action, const std::string& value) const {
        for (const auto& hit : app.data.persistent.analytics_queue) {
            bool a = false, v = false;
            for (const auto& [field, text] : hit->params) {
                a |= field == "ea" && text == action;
                v |= field == "ev" && text == value;
            }
            if (a && v) return true;
        }
        return false;
    }
    // Lets the added icons and items settle.
    void settle(int n = 120) { frames(n); }

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_sound_device_recording* sound = nullptr;
    tw_test::c_temp_save_folder save;  // a switch saves the player data
    tw::c_application app;
    c_test_chapter* chapter = nullptr;
    std::vector<uint16_t> requested;  // states the chapter asked for

private:
    fs::path old_dir_;
};

const tw_test::c_test_spot& spot(uint16_t id) {
    return id == tw_test::k_gather_puzzle ? tw_test::k_test_spots[0] : tw_test::k_test_spots[1];
}

TEST_F(chapter_scenario, discover_gather_use_hint_pause_and_the_timed_view) {
    EXPECT_EQ(events(), std::vector<std::string>{"start_chapter:"});
    bool viewed = false;
    for (const auto& hit : app.data.persistent.analytics_queue)
        for (const auto& [field, value] : hit->params) viewed |= field == "cd" && value == "chapter_1";
    EXPECT_TRUE(viewed);
    settle(50 + 520);  // the opening wait and fade-in
    EXPECT_EQ(chapter->fade_alpha(), 0);
    ASSERT_NE(chapter->drag_hand, nullptr);  // the opening's drag hand shows the larva

    // Discover the gathering spot: its icon slides into the bar with two items missing.
    click_scene(spot(tw_test::k_gather_puzzle).x, spot(tw_test::k_gather_puzzle).y);
    EXPECT_EQ(sounds_of("sounds/puzzle_discovery.wav"), 1);
    settle();
    ASSERT_EQ(chapter->puzzle_icons.count(tw_test::k_gather_puzzle), 1u);
    tw::c_ui_puzzle* icon = chapter->puzzle_icons[tw_test::k_gather_puzzle];
    EXPECT_EQ(icon->remaining, 2);
    EXPECT_GT(icon->slide_x, -20.0f);  // slid in from -200

    // Pick up both items: each flies into the icon and the badge counts down.
    for (int item = 0; item < 2; ++item) {
        const tw::c_scene_collectible* next = nullptr;
        for (const auto& c : chapter->scene.collectibles)
            if (c->puzzle_index == int16_t(tw_test::k_gather_puzzle)) next = c.get();
        ASSERT_NE(next, nullptr);
        click_scene(next->transform.tx, next->transform.ty);
        EXPECT_EQ(chapter->items_found, item + 1);
        EXPECT_EQ(chapter->collectables.size(), 1u);
        for (int t = 0; t < 600 && !chapter->collectables.empty(); ++t) frames(1);
        EXPECT_TRUE(chapter->collectables.empty());
        EXPECT_EQ(icon->remaining, 1 - item);
    }
    EXPECT_EQ(chapter->items_arrived, 2);
    EXPECT_EQ(sounds_of("sounds/item_found.wav"), 2);

    // Select the glowing icon and use it in the wrong place: the error sound, it stays.
    click_icon(tw_test::k_gather_puzzle);
    EXPECT_TRUE(chapter->item_selected);
    EXPECT_EQ(icon->selected, 1);
    click_scene(spot(tw_test::k_view_puzzle).x, spot(tw_test::k_view_puzzle).y - 900);
    EXPECT_EQ(sounds_of("sounds/error.wav"), 1);
    EXPECT_EQ(chapter->puzzle_icons.count(tw_test::k_gather_puzzle), 1u);
    EXPECT_FALSE(chapter->item_selected);

    // And in the right place: it leaves the bar and the collectibles are complete.
    click_icon(tw_test::k_gather_puzzle);
    click_scene(spot(tw_test::k_gather_puzzle).x, spot(tw_test::k_gather_puzzle).y);
    EXPECT_EQ(sounds_of("sounds/puzzle_complete.wav"), 1);
    EXPECT_EQ(chapter->puzzle_icons.count(tw_test::k_gather_puzzle), 0u);
    EXPECT_TRUE(analytics_has("complete_collectibles", "c1_p0"));
    EXPECT_EQ(events().back(), "complete_collectibles:");

    // The hint charge fills in 3334 ticks; the hint then points at the undiscovered spot.
    chapter->hint_charge = 0.99f;
    click_ui(896 + (platform.width - platform.short_side) * 0.5f * 2048 / platform.short_side, 896);
    EXPECT_EQ(sounds_of("sounds/error.wav"), 1);  // not charged: nothing at all
    chapter->hint_charge = 1;
    const size_t tutorials_before = chapter->tutorials.tutorials.size();
    click_ui(896 + (platform.width - platform.short_side) * 0.5f * 2048 / platform.short_side, 896);
    EXPECT_LT(chapter->hint_charge, 0.01f);  // emptied, then a few ticks of charging
    EXPECT_EQ(chapter->tutorials.tutorials.size(), tutorials_before + 1);
    EXPECT_NE(dynamic_cast<tw::c_game_tutorial_click_puzzle_scene*>(
                  chapter->tutorials.tutorials.rbegin()->second.get()),
              nullptr);

    // Pause: a click the pause screen ignores never reaches the scene; home asks for the menu.
    click_ui(-896 - (platform.width - platform.short_side) * 0.5f * 2048 / platform.short_side,
             896);
    ASSERT_TRUE(chapter->paused);
    const int clicks_before = chapter->scene_clicks;
    click_scene(spot(tw_test::k_view_puzzle).x, spot(tw_test::k_view_puzzle).y);
    EXPECT_EQ(chapter->scene_clicks, clicks_before);
    EXPECT_FALSE(chapter->scene.puzzles[1]->discovered);
    click_ui(400, 0);  // resume
    EXPECT_FALSE(chapter->paused);

    // The view's spot, its one item, and using it there opens the timed view.
    click_scene(spot(tw_test::k_view_puzzle).x, spot(tw_test::k_view_puzzle).y);
    settle();
    ASSERT_EQ(chapter->puzzle_icons.count(tw_test::k_view_puzzle), 1u);
    const tw::c_scene_collectible* petal = chapter->scene.collectibles.front().get();
    click_scene(petal->transform.tx, petal->transform.ty);
    for (int t = 0; t < 600 && !chapter->collectables.empty(); ++t) frames(1);
    click_icon(tw_test::k_view_puzzle);
    click_scene(spot(tw_test::k_view_puzzle).x, spot(tw_test::k_view_puzzle).y);
    EXPECT_EQ(chapter->puzzle, &chapter->view);
    int ticks_to_black = 0;
    while (chapter->mode == tw::k_game_mode_scene_fading_out && ticks_to_black < 200) {
        frames(1);
        ++ticks_to_black;
    }
    EXPECT_NEAR(ticks_to_black, 85, 4);  // the click frames used a few already
    int ticks_to_complete = 0;
    while (chapter->mode != tw::k_game_mode_puzzle_fading_out && ticks_to_complete < 1000) {
        frames(1);
        ++ticks_to_complete;
    }
    EXPECT_EQ(ticks_to_complete, 501);
    EXPECT_EQ(chapter->completed_puzzle, tw_test::k_view_puzzle);
    frames(2 * 85);  // to black, then the scene fades back in
    EXPECT_EQ(chapter->mode, tw::k_game_mode_scene);
    EXPECT_TRUE(analytics_has("start_puzzle", "c1_p4"));
    EXPECT_TRUE(analytics_has("complete_puzzle", "c1_p4"));
    EXPECT_EQ(events().back(), "complete_puzzle:");

    // Home from the pause screen requests the menu.
    click_ui(-896 - (platform.width - platform.short_side) * 0.5f * 2048 / platform.short_side,
             896);
    click_ui(-400, 0);
    EXPECT_EQ(requested, std::vector<uint16_t>{tw::k_state_menu});
    app.change_state(platform, nullptr);
    EXPECT_EQ(events().back(), "leave_chapter:");
}

}  // namespace

TEST_F(chapter_scenario, esc_pauses_the_scene_and_a_puzzle_which_then_waits_for_resume) {
    settle(10);
    // Over the scene: Esc opens the pause screen and closes it, as the buttons do.
    window.queue_key(tw::k_key_esc, tw::k_action_press);
    frames(2);
    EXPECT_TRUE(chapter->paused);
    EXPECT_EQ(chapter->ui.current, chapter->pause_screen);
    window.queue_key(tw::k_key_esc, tw::k_action_press);
    frames(2);
    EXPECT_FALSE(chapter->paused);
    EXPECT_EQ(chapter->ui.current, chapter->main_screen);

    tw_test::c_counting_puzzle puzzle(7);
    chapter->start_puzzle(&puzzle);
    while (chapter->mode != tw::k_game_mode_puzzle) frames(1);
    click_ui(0, 0);
    const int clicks = puzzle.mice;
    EXPECT_GT(clicks, 0);

    // Over the puzzle: the pause screen is drawn over it; it neither ticks nor takes clicks.
    window.queue_key(tw::k_key_esc, tw::k_action_press);
    frames(2);
    ASSERT_TRUE(chapter->paused);
    const int ticks = puzzle.ticks, draws = puzzle.draws;
    device.calls.clear();
    frames(30);
    click_ui(0, 300);
    EXPECT_EQ(puzzle.ticks, ticks);
    EXPECT_EQ(puzzle.mice, clicks);
    EXPECT_GT(puzzle.draws, draws);
    bool dimmed = false;  // the pause screen's dark sheet lies over the puzzle
    for (const tw::c_recorded_draw& d : device.draws())
        dimmed |= !d.colours.empty() && d.colours[0].a == 180 && d.colours[0].r == 0;
    EXPECT_TRUE(dimmed);

    // Resume (its button) lets the puzzle go on; Esc pauses again, and home
    // on the pause screen leads back to the title screen.
    click_ui(400, 0);
    EXPECT_FALSE(chapter->paused);
    frames(5);
    EXPECT_GT(puzzle.ticks, ticks);
    window.queue_key(tw::k_key_esc, tw::k_action_press);
    frames(2);
    click_ui(-400, 0);
    EXPECT_EQ(requested.back(), tw::k_state_menu);
    chapter->puzzle = nullptr;
}

TEST_F(chapter_scenario, a_window_in_the_background_shows_the_pause_screen) {
    settle(10);
    window.queue_focus(false);
    frames(2);
    EXPECT_TRUE(chapter->paused);
    window.queue_focus(true);
    frames(2);
    EXPECT_TRUE(chapter->paused);  // the player resumes when ready
}
