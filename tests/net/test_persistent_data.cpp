// The player record: first run, round trip with queued messages, several
// stored records, the cap on stored messages, broken files, and play time from
// the timer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "net/persistent_data.h"
#include "net/usage_messages.h"
#include "platform/file.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/temp_folder.h"

using namespace tw;

namespace {

class player_data : public ::testing::Test {
protected:
    void write_file(const std::string& text) {
        std::filesystem::create_directories(save.folder.path + "/Thistlewarp");
        std::ofstream(save.file("data.xml")) << text;
    }
    std::string read_text(const std::string& path) {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    tw_test::c_temp_save_folder save;
};

}  // namespace

TEST_F(player_data, install_id_is_a_product_of_two_draws_from_the_seeded_generator) {
    c_persistent_data a(1000);
    c_persistent_data b(1000);
    c_persistent_data c(1001);
    EXPECT_EQ(a.install_id, b.install_id);
    EXPECT_NE(a.install_id, c.install_id);
    EXPECT_GE(a.install_id, 0);
    EXPECT_LE(a.install_id, 32767 * 32767);
}

TEST_F(player_data, first_run_saves_defaults_with_two_sessions_in_the_written_order) {
    c_persistent_data data(7);
    data.load();
    EXPECT_EQ(data.sessions_count, 2);
    ASSERT_TRUE(data.save());
    std::string text = read_text(save.file("data.xml"));
    std::string expected_start = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<persistent_data install_id=\"" +
                                 std::to_string(data.install_id) +
                                 "\" chapters_complete=\"0\" total_time=\"0\" "
                                 "message_counter=\"0\" sessions_count=\"2\">";
    EXPECT_EQ(text.substr(0, expected_start.size()), expected_start) << text;
}

TEST_F(player_data, round_trip_keeps_progress_and_queued_messages) {
    c_persistent_data first(1);
    first.chapters_complete = 3;
    first.total_time = 90500;
    first.message_counter = 12;
    auto message = std::make_unique<c_http_message>();
    message->host = "events.example";
    message->address = "http://events.example/thistlewarp/event.php";
    message->add_param("message_id", "11");
    message->add_param("event", "start_menu");
    first.event_queue.push_back(std::move(message));
    first.analytics_queue.push_back(std::make_unique<c_http_message>());
    ASSERT_TRUE(first.save());

    c_persistent_data second(2);
    second.load();
    EXPECT_EQ(second.install_id, first.install_id);
    EXPECT_EQ(second.chapters_complete, 3);
    EXPECT_EQ(second.total_time, 90500);
    EXPECT_EQ(second.message_counter, 12);
    EXPECT_EQ(second.sessions_count, 2);
    EXPECT_TRUE(second.analytics_queue.empty());
    ASSERT_EQ(second.event_queue.size(), 1u);
    const c_http_message& m = *second.event_queue.front();
    EXPECT_EQ(m.host, "events.example");
    EXPECT_EQ(m.address, "http://events.example/thistlewarp/event.php");
    std::vector<std::pair<std::string, std::string>> params = {{"message_id", "11"},
                                                               {"event", "start_menu"}};
    EXPECT_EQ(m.params, params);
}

TEST_F(player_data, later_records_replace_what_they_hold_and_their_queues_are_appended) {
    write_file(
        "<persistent_data install_id=\"5\" chapters_complete=\"1\" total_time=\"10\" "
        "message_counter=\"2\" sessions_count=\"4\"><message_queue><messages>"
        "<message host=\"a\" address=\"x\"><params/></message></messages></message_queue>"
        "</persistent_data>"
        "<persistent_data install_id=\"6\" chapters_complete=\"2\" total_time=\"20\">"
        "<message_queue><messages><message host=\"b\" address=\"y\"/></messages>"
        "</message_queue></persistent_data>");
    c_persistent_data data(1);
    data.load();
    EXPECT_EQ(data.install_id, 6);
    EXPECT_EQ(data.chapters_complete, 2);
    EXPECT_EQ(data.total_time, 20);
    // Fields the second record lacks keep the first record's values.
    EXPECT_EQ(data.message_counter, 2);
    EXPECT_EQ(data.sessions_count, 5);
    ASSERT_EQ(data.event_queue.size(), 2u);
    EXPECT_EQ(data.event_queue.front()->host, "a");
    EXPECT_EQ(data.event_queue.back()->host, "b");

    // An empty record after a real one wipes nothing.
    write_file("<persistent_data install_id=\"5\" chapters_complete=\"3\" total_time=\"900\" "
               "message_counter=\"7\" sessions_count=\"4\"/><persistent_data/>");
    c_persistent_data again(1);
    again.load();
    EXPECT_EQ(again.install_id, 5);
    EXPECT_EQ(again.chapters_complete, 3);
    EXPECT_EQ(again.total_time, 900);
    EXPECT_EQ(again.message_counter, 7);
    EXPECT_EQ(again.sessions_count, 5);
}

TEST_F(player_data, the_event_queue_keeps_only_the_newest_messages_up_to_the_cap) {
    // A file written after a long time offline by a build without the cap.
    std::string text = "<persistent_data message_counter=\"20000\"><message_queue><messages>";
    for (size_t id = 0; id < k_max_queued_messages + 3; ++id)
        text += "<message host=\"h\" address=\"a\"><params><param name=\"message_id\" value=\"" +
                std::to_string(id) + "\"/></params></message>";
    write_file(text + "</messages></message_queue></persistent_data>");
    c_persistent_data data(1);
    data.load();
    ASSERT_EQ(data.event_queue.size(), k_max_queued_messages);
    EXPECT_EQ(data.event_queue.front()->params.front().second, "3");
    EXPECT_EQ(data.event_queue.back()->params.front().second,
              std::to_string(k_max_queued_messages + 2));

    // A new event pushes out the oldest.
    queue_event(data, "start_menu", 0, "");
    ASSERT_EQ(data.event_queue.size(), k_max_queued_messages);
    EXPECT_EQ(data.event_queue.front()->params.front().second, "4");
    EXPECT_EQ(data.event_queue.back()->params.front().second, "20000");
}

TEST_F(player_data, files_that_are_no_player_record_are_kept_aside_without_replacing_earlier_copies) {
    // Broken text, then well-formed XML of another kind, then broken text again:
    // each is kept under a name of its own and a fresh record starts.
    const std::string kept[] = {"<persistent_data install_id=\"5\" chapters_complete=\"4\"",
                                "<other install_id=\"5\"/>", "<persistent_data"};
    const std::string names[] = {"data.xml.bad", "data.xml.bad.2", "data.xml.bad.3"};
    for (int i = 0; i < 3; ++i) {
        write_file(kept[i]);
        c_persistent_data data(9);
        const int32_t fresh_id = data.install_id;
        data.load();
        EXPECT_EQ(data.install_id, fresh_id);
        EXPECT_EQ(data.chapters_complete, 0);
        EXPECT_EQ(data.sessions_count, 2);
        ASSERT_TRUE(data.save());
        for (int j = 0; j <= i; ++j) EXPECT_EQ(read_text(save.file(names[j])), kept[j]) << names[j];
    }

    // An empty file is no damage: defaults, nothing kept aside.
    std::filesystem::remove_all(save.folder.path + "/Thistlewarp");
    write_file("");
    c_persistent_data data(3);
    data.load();
    EXPECT_EQ(data.sessions_count, 2);
    EXPECT_FALSE(std::filesystem::exists(save.file("data.xml.bad")));
}

TEST_F(player_data, a_file_that_cannot_be_read_is_never_saved_over) {
    // A named pipe would block a plain read for ever; a link that loops
    // cannot be opened at all. Either way the progress behind it must stay.
    std::filesystem::create_directories(save.folder.path + "/Thistlewarp");
    const std::string path = save.file("data.xml");
    for (int kind = 0; kind < 2; ++kind) {
        std::filesystem::remove(path);
        if (kind == 0) {
            ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
        } else {
            std::filesystem::create_symlink("data.xml", path);
        }
        c_persistent_data data(4);
        data.load();
        data.total_time = 1234;
        EXPECT_FALSE(data.save());
        EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(path)) ||
                    std::filesystem::is_symlink(std::filesystem::symlink_status(path)));
    }
}

TEST_F(player_data, counters_stop_at_their_largest_value) {
    write_file("<persistent_data total_time=\"2147483647\" sessions_count=\"65535\" "
               "message_counter=\"2147483647\"/>");
    c_persistent_data data(1);
    data.load();
    EXPECT_EQ(data.sessions_count, 65535);
    c_window_headless window;
    c_render_device_recording device;
    c_platform platform(window, device);
    window.init();
    window.set_time(60.0);
    data.accumulate_time(platform);
    EXPECT_EQ(data.total_time, INT32_MAX);
    EXPECT_EQ(data.session_time, 60000);
    EXPECT_EQ(add_saturated(INT32_MIN, -5), INT32_MIN);
    queue_event(data, "start_menu", 0, "");
    EXPECT_EQ(data.message_counter, INT32_MAX);
}

TEST_F(player_data, save_without_a_usable_folder_fails_quietly) {
    setenv("XDG_DATA_HOME", "relative/path", 1);
    const char* home = std::getenv("HOME");
    std::string old_home = home ? home : "";
    unsetenv("HOME");
    c_persistent_data data(3);
    data.load();
    EXPECT_FALSE(data.save());
    if (home) setenv("HOME", old_home.c_str(), 1);
}

TEST(player_time, accumulates_timer_milliseconds_into_total_and_session) {
    c_window_headless window;
    c_render_device_recording device;
    c_platform platform(window, device);
    c_persistent_data data(1);
    data.total_time = 5000;
    data.accumulate_time(platform);  // library not initialised: the timer reads 0
    EXPECT_EQ(data.total_time, 5000);
    window.init();
    window.set_time(2.5);  // time before the first tick counts too
    data.accumulate_time(platform);
    EXPECT_EQ(data.total_time, 7500);
    EXPECT_EQ(data.session_time, 2500);
    for (int i = 0; i < 90 * 60; ++i) {
        window.advance(1.0 / 60.0);
        data.accumulate_time(platform);
    }
    EXPECT_NEAR(data.total_time, 7500 + 90000, 1);
    EXPECT_NEAR(data.session_time, 2500 + 90000, 1);
}
