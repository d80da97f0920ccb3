// The game's state machine: start and stop, switches in their order, dropped
// requests, UI event draining, and the player data saved along the way.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/harness.h"
#include "support/temp_folder.h"

using namespace tw;
using tw_test::read_text;
using tw_test::c_headless_platform;

namespace {

// A state that writes what happens to it into a shared log.
class c_logging_state : public c_state {
public:
    c_logging_state(std::string n, std::vector<std::string>& l) : name(std::move(n)), log(l) {}
    ~c_logging_state() override { log.push_back(name + " destroyed"); }
    void on_enter(c_platform& p, c_application_data& d) override {
        log.push_back(name + " enter");
        p.get_material(name + ".bmp", false);
        if (request_on_enter) d.request_state(request_on_enter);
    }
    void on_leave(c_platform& p, c_application_data&) override {
        log.push_back(name + " leave, textures " + std::to_string(p.queued_texture_count() +
                                                                  p.loaded_texture_count()));
    }
    void on_resize(c_platform&, c_application_data&) override { log.push_back(name + " resize"); }
    void on_tick(c_platform& p, c_application_data& d) override {
        log.push_back(name + " tick");
        process_ui_events(p, d);
    }
    bool on_ui_event(c_platform&, uint16_t code, c_application_data&) override {
        log.push_back(name + " ui " + std::to_string(code));
        return code == stop_code;
    }

    std::string name;
    std::vector<std::string>& log;
    uint16_t request_on_enter = 0;
    uint16_t stop_code = 0xffff;
};

class application : public ::testing::Test {
protected:
    void SetUp() override {
        app.make_state = [this](uint16_t id) -> std::unique_ptr<c_state> {
            if (id < 1 || id > 7) return nullptr;
            auto state = std::make_unique<c_logging_state>("s" + std::to_string(id), log);
            if (id == 4) state->request_on_enter = 1;
            return state;
        };
        // These tests are about states; usage messages stay queued, off the network.
        app.send_message = {};
        h.window.set_time(1.0);
    }

    c_logging_state& current() { return static_cast<c_logging_state&>(*app.state()); }
    // Runs frames until the state has loaded its textures and ticked once.
    void settle() {
        for (int i = 0; i < 4; ++i) {
            h.window.advance(1.0 / 60.0);
            run_frame(h.platform, app);
        }
    }

    std::vector<std::string> log;  // outlives the states that write to it
    tw_test::c_temp_save_folder save;
    c_headless_platform h;
    c_application app;
};

}  // namespace

TEST_F(application, switch_leaves_releases_destroys_then_enters_and_resizes) {
    app.start(h.platform);
    settle();
    log.clear();
    app.data.request_state(5);
    app.data.request_state(3);  // the last request counts
    run_frame(h.platform, app);
    std::vector<std::string> expected = {"s1 leave, textures 1", "s1 destroyed", "s3 enter",
                                         "s3 resize"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(app.data.switch_requested, 0);
    EXPECT_EQ(app.data.next_state, k_state_none);
    // Only the new state's texture is known after the switch.
    ASSERT_EQ(h.platform.queued_textures.size(), 1u);
    EXPECT_EQ(h.platform.queued_textures.front()->file_name, "s3.bmp");
}

TEST_F(application, a_request_made_in_on_enter_switches_before_any_tick) {
    app.start(h.platform);
    settle();
    log.clear();
    app.data.request_state(4);  // state 4 asks for state 1 as soon as it is entered
    for (int i = 0; i < 3; ++i) {
        h.window.advance(1.0 / 60.0);
        run_frame(h.platform, app);
    }
    EXPECT_EQ(std::count(log.begin(), log.end(), "s4 tick"), 0);
    EXPECT_NE(std::find(log.begin(), log.end(), "s4 destroyed"), log.end());
    EXPECT_EQ(current().name, "s1");
}

TEST_F(application, unknown_request_is_dropped_but_the_player_data_is_saved) {
    app.start(h.platform);
    settle();
    app.data.request_state(42);
    run_frame(h.platform, app);
    EXPECT_EQ(current().name, "s1");
    EXPECT_EQ(app.data.switch_requested, 0);
    EXPECT_EQ(app.data.next_state, 0);
    EXPECT_NE(read_text(save.file("data.xml")).find("persistent_data"), std::string::npos);
}

TEST_F(application, ui_handler_returning_true_discards_the_codes_after_it) {
    app.start(h.platform);
    settle();
    current().stop_code = 2;
    for (uint16_t code : {1, 2, 3, 4}) current().push_ui_event(code);
    log.clear();
    h.window.advance(1.0 / 60.0);
    run_frame(h.platform, app);
    std::vector<std::string> expected = {"s1 tick", "s1 ui 1", "s1 ui 2"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(current().ui_events.empty());
}

TEST_F(application, first_run_saves_two_sessions_and_loading_screen_textures_are_freed) {
    app.start(h.platform);
    EXPECT_EQ(app.data.persistent.sessions_count, 2);
    settle();
    app.stop(h.platform);
    std::string text = read_text(save.file("data.xml"));
    EXPECT_NE(text.find("sessions_count=\"2\""), std::string::npos) << text;
    EXPECT_EQ(app.state(), nullptr);
    EXPECT_TRUE(h.device.live_textures().empty());
    EXPECT_TRUE(h.platform.loaded_textures.empty());
}

TEST_F(application, loading_screen_draws_bar_from_the_left_edge_and_the_logo) {
    h.platform.update_screen_size(1920, 1080);
    app.start(h.platform);
    h.device.calls.clear();
    app.draw_loading(h.platform, 0.25f);
    auto draws = h.device.draws();
    ASSERT_EQ(draws.size(), 2u);
    // Bar: one pixel high along the centre, from -960 to 1920 * 0.25 - 960.
    EXPECT_FLOAT_EQ(draws[0].positions[0].x, -960.0f);
    EXPECT_FLOAT_EQ(draws[0].positions[1].x, -480.0f);
    EXPECT_FLOAT_EQ(draws[0].positions[2].y, 1.0f);
    EXPECT_FLOAT_EQ(draws[1].positions[0].y, 34.0f);
    EXPECT_FLOAT_EQ(draws[1].positions[1].x, 32.0f);
}
