// The frame loop driven headless: ticks per frame, loading frames, switches,
// input delivery, resizes, start-up failures and the ways it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "app/harness.h"
#include "common/bmp_writer.h"
#include "platform/shutdown_signals.h"
#include "support/temp_folder.h"

using namespace tw;
using tw_test::c_headless_platform;
using tw_test::c_logging_machine;

namespace {

constexpr double k_tick = 1.0 / 60.0;

// Runs n frames and returns how many ticks ran in each.
std::vector<int> ticks_per_frame(c_headless_platform& h, c_logging_machine& m, int frames) {
    std::vector<int> result;
    for (int i = 0; i < frames; ++i) {
        int before = m.count("tick");
        run_frame(h.platform, m);
        result.push_back(m.count("tick") - before);
    }
    return result;
}

}  // namespace

TEST(frame_loop, fast_display_draws_every_frame_and_ticks_at_sixty_hertz) {
    c_headless_platform h;
    c_logging_machine m;
    h.window.set_time(10.0);
    h.platform.last_ticks = h.platform.now_ticks();
    h.window.seconds_per_swap = 1.0 / 120.0;
    std::vector<int> ticks = ticks_per_frame(h, m, 120);
    EXPECT_EQ(m.count("frame"), 120);
    EXPECT_EQ(m.count("draw"), 120);
    EXPECT_NEAR(m.count("tick"), 60, 1);
    EXPECT_NE(std::find(ticks.begin(), ticks.end(), 0), ticks.end());
}

TEST(frame_loop, catch_up_is_clamped_to_five_ticks) {
    c_headless_platform h;
    c_logging_machine m;
    h.platform.last_ticks = h.platform.now_ticks();
    h.window.advance(1.0);  // a one-second stall
    EXPECT_EQ(ticks_per_frame(h, m, 1), std::vector<int>{5});
    h.window.advance(3 * k_tick + 0.001);
    EXPECT_EQ(ticks_per_frame(h, m, 1), std::vector<int>{3});
}

TEST(frame_loop, tick_count_follows_the_millisecond_clock) {
    c_headless_platform h;
    h.window.set_time(1.0);
    EXPECT_EQ(h.platform.now_ms(), 1000u);
    EXPECT_EQ(h.platform.now_ticks(), 60u);
    h.window.set_time(0.0169);  // 16 ms: not yet one tick
    EXPECT_EQ(h.platform.now_ticks(), 0u);
    h.window.set_time(0.0175);  // 17 ms
    EXPECT_EQ(h.platform.now_ticks(), 1u);
}

TEST(frame_loop, switch_request_stops_the_ticks_and_draws_loading_instead_of_the_state) {
    c_headless_platform h;
    c_logging_machine m;
    h.platform.last_ticks = h.platform.now_ticks();
    h.window.advance(1.0);
    m.ticks_until_switch = 2;
    run_frame(h.platform, m);
    std::vector<std::string> expected = {"resize 1920x1080", "frame", "tick", "tick",
                                         "loading 0.00", "switch"};
    EXPECT_EQ(m.log, expected);
}

TEST(frame_loop, one_mouse_event_and_one_character_per_frame_and_every_key_press) {
    c_headless_platform h;
    c_logging_machine m;
    run_frame(h.platform, m);
    m.log.clear();
    h.window.queue_character('a');
    h.window.queue_character('b');
    h.window.queue_key(k_key_backspace, k_action_press);
    h.window.queue_key(k_key_esc, k_action_press);
    h.window.queue_key(k_key_esc, k_action_release);
    h.window.queue_mouse_position(100, 100);
    h.window.queue_mouse_button(0, k_action_press);
    h.window.swap_buffers();
    h.window.queue_mouse_position(97, 104);
    run_frame(h.platform, m);  // press + 'a'; the move arrives in this frame's swap
    run_frame(h.platform, m);  // drag -3, 4 + 'b'
    h.window.queue_mouse_button(0, k_action_release);
    run_frame(h.platform, m);  // backspace as 8
    run_frame(h.platform, m);  // release
    std::vector<std::string> input;
    for (const auto& e : m.log)
        if (e.rfind("mouse", 0) == 0 || e.rfind("char", 0) == 0 || e.rfind("key", 0) == 0)
            input.push_back(e);
    // Every key press of a frame is delivered in that frame; releases are not.
    std::vector<std::string> expected = {"mouse 0 0 0", "char 97", "key 295", "key 257",
                                         "mouse 1 -3 4", "char 98", "char 8", "mouse 2 0 0"};
    EXPECT_EQ(input, expected);
}

TEST(frame_loop, resize_only_when_the_clamped_size_changes) {
    c_headless_platform h;
    c_logging_machine m;
    run_frame(h.platform, m);
    run_frame(h.platform, m);
    h.window.queue_resize(1280, 1024);
    h.window.swap_buffers();
    run_frame(h.platform, m);
    h.window.queue_resize(0, -5);
    h.window.swap_buffers();
    run_frame(h.platform, m);
    h.window.queue_resize(1, 1);
    h.window.swap_buffers();
    run_frame(h.platform, m);
    std::vector<std::string> resizes;
    for (const auto& e : m.log)
        if (e.rfind("resize", 0) == 0) resizes.push_back(e);
    std::vector<std::string> expected = {"resize 1920x1080", "resize 1280x1024", "resize 1x1"};
    EXPECT_EQ(resizes, expected);
}

// A device whose texture uploads take 20 ms of the headless clock each.
class c_slow_upload_device : public c_render_device_recording {
public:
    explicit c_slow_upload_device(c_window_headless& w) : window(w) {}
    uint32_t create_texture(uint32_t format, int width, int height,
                            const uint8_t* pixels) override {
        window.advance(0.020);
        return c_render_device_recording::create_texture(format, width, height, pixels);
    }
    c_window_headless& window;
};

class loading_frames : public ::testing::Test {
protected:
    void SetUp() override {
        old_dir = std::filesystem::current_path();
        std::filesystem::create_directories(folder.path + "/textures");
        std::filesystem::current_path(folder.path);
        tw_tools::c_image_rgba image(4, 4);
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
            tw_tools::write_bmp(std::string("textures/") + name, image, 32);
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(1920, 1080);
    }
    void TearDown() override { std::filesystem::current_path(old_dir); }

    tw_test::c_temp_folder folder;
    std::filesystem::path old_dir;
    c_window_headless window;
    c_slow_upload_device device{window};
    c_platform platform{window, device};
    c_logging_machine machine;
};

TEST_F(loading_frames, load_within_budget_and_show_progress_without_running_the_state) {
    platform.get_material("a.bmp", false);
    platform.get_material("b.bmp", false);
    platform.get_material("c.bmp", true);
    window.queue_character('x');
    window.swap_buffers();
    // Each upload takes 20 ms, so each frame loads exactly one texture.
    run_frame(platform, machine);
    run_frame(platform, machine);
    run_frame(platform, machine);
    std::vector<std::string> expected = {"resize 1920x1080", "char 120", "loading 0.25",
                                         "loading 0.50", "loading 0.75"};
    EXPECT_EQ(machine.log, expected);
    // Only materials are left: one more loading frame moves them all.
    run_frame(platform, machine);
    EXPECT_EQ(machine.log.back(), "loading 0.75");
    EXPECT_EQ(platform.queued_material_count(), 0u);
    EXPECT_EQ(machine.count("frame"), 0);
    EXPECT_EQ(machine.count("draw"), 0);
}

TEST_F(loading_frames, time_spent_loading_is_not_caught_up) {
    platform.last_ticks = platform.now_ticks();
    platform.get_material("a.bmp", false);
    window.advance(2.0);
    run_frame(platform, machine);  // loads the texture; the clock also moves 20 ms
    run_frame(platform, machine);  // moves the material
    EXPECT_EQ(machine.count("frame"), 0);
    machine.log.clear();
    run_frame(platform, machine);
    EXPECT_EQ(machine.count("tick"), 0);
    EXPECT_EQ(machine.count("frame"), 1);
    EXPECT_EQ(machine.count("draw"), 1);
}

// Runs the whole loop with a script: F10 after a few frames, or a closed window.
class whole_run : public ::testing::Test {
protected:
    c_headless_platform h;
    c_logging_machine m;
};

TEST_F(whole_run, f10_ends_the_loop_with_an_orderly_shutdown) {
    h.window.on_swap = [](c_window_headless& w) {
        if (w.swap_count != 3) return;
        w.queue_key(k_key_f10, k_action_press);
        w.queue_key(k_key_f10, k_action_release);
    };
    h.window.seconds_per_swap = k_tick;
    EXPECT_EQ(run(h.platform, m), 0);
    // The press was released before the loop looked: sticky keys still count it.
    EXPECT_EQ(m.count("draw"), 3);
    EXPECT_EQ(m.log.front(), "resize 1920x1080");
    EXPECT_EQ(m.log[1], "start");
    EXPECT_EQ(m.log.back(), "stop");
    EXPECT_TRUE(h.window.terminated);
    EXPECT_EQ(h.window.swap_interval, 1);
    EXPECT_STREQ(h.window.title, "Thistlewarp");
    EXPECT_EQ(h.device.count(e_render_call::set_fixed_state), 1);
}

TEST_F(whole_run, closing_the_window_ends_the_loop_too) {
    h.window.on_swap = [](c_window_headless& w) {
        if (w.swap_count == 2) w.request_close();
    };
    EXPECT_EQ(run(h.platform, m), 0);
    EXPECT_EQ(m.count("draw"), 2);
    EXPECT_EQ(m.log.back(), "stop");
}

TEST(frame_loop_signals, termination_signals_end_the_loop_with_an_orderly_shutdown) {
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        c_headless_platform platform;
        c_logging_machine machine;
        catch_shutdown_signals();
        platform.window.on_swap = [number](c_window_headless& w) {
            if (w.swap_count == 2) std::raise(number);
            if (w.swap_count > 10) w.request_close();  // a signal that did nothing must not hang
        };
        EXPECT_EQ(run(platform.platform, machine), 0) << number;
        EXPECT_EQ(machine.count("draw"), 2) << number;
        EXPECT_EQ(machine.log.back(), "stop") << number;
    }
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
}

TEST(start_up_failures, report_and_exit_with_code_one) {
    struct case_t {
        bool fail_init, fail_open, fail_extensions;
        const char* message;
    } cases[] = {
        {true, false, false, "Failed to initialize GLFW\n"},
        {false, true, false, "Failed to open GLFW window\n"},
        {false, false, true, ""},
    };
    for (const case_t& c : cases) {
        c_window_headless window;
        c_render_device_recording device;
        c_platform platform(window, device);
        c_logging_machine machine;
        window.fail_init = c.fail_init;
        window.fail_open = c.fail_open;
        device.init_result = !c.fail_extensions;
        testing::internal::CaptureStderr();
        EXPECT_EQ(run(platform, machine), 1);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message);
        EXPECT_TRUE(machine.log.empty()) << c.message;
        EXPECT_EQ(window.terminated, !c.fail_init) << c.message;
    }
}
