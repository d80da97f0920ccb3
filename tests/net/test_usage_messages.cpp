// The usage message builders and their sends: field order as built, form bodies
// in name order at a real local server, queue time of analytics hits, and
// message identifiers counting up.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "net/loopback_server.h"
#include "net/persistent_data.h"
#include "net/usage_messages.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

using namespace tw;

namespace {

using field_list = std::vector<std::pair<std::string, std::string>>;

// The form fields of a recorded request's body, in the order they came.
field_list body_fields(const std::string& request) {
    field_list fields;
    const size_t start = request.find("\r\n\r\n");
    if (start == std::string::npos) return fields;
    const std::string body = request.substr(start + 4);
    size_t at = 0;
    while (at < body.size()) {
        size_t end = body.find('&', at);
        if (end == std::string::npos) end = body.size();
        const std::string pair = body.substr(at, end - at);
        const size_t eq = pair.find('=');
        fields.emplace_back(pair.substr(0, eq), eq == std::string::npos ? "" : pair.substr(eq + 1));
        at = end + 1;
    }
    return fields;
}

std::vector<std::string> names_of(const field_list& fields) {
    std::vector<std::string> names;
    for (const auto& f : fields) names.push_back(f.first);
    return names;
}

std::string value_of(const field_list& fields, const std::string& name) {
    for (const auto& f : fields)
        if (f.first == name) return f.second;
    return "<missing>";
}

constexpr int64_t k_send_ms = 2000;  // time each send is given

class usage_messages : public ::testing::Test {
protected:
    usage_messages() : platform(window, device), data(11) {
        window.init();
        window.set_time(5.0);
        platform.update_screen_size(1080, 1920);  // a portrait window still reports 1920x1080
        data.install_id = 4242;
        data.chapters_complete = 2;
        data.total_time = 61999;
        data.session_time = 1999;
        data.sessions_count = 7;
        data.message_counter = 30;
    }
    void point_at(const c_loopback_server& server) {
        data.endpoints.event_host = server.host();
        data.endpoints.collector_host = server.host();
    }

    c_window_headless window;
    c_render_device_recording device;
    c_platform platform;
    c_persistent_data data;
};

}  // namespace

TEST_F(usage_messages, event_message_lists_the_progress_fields_in_order_and_counts_up) {
    queue_event(data, "start_chapter", 3, "p1p4");
    queue_event(data, "leave_chapter", 3, "");
    ASSERT_EQ(data.event_queue.size(), 2u);
    const c_http_message& first = *data.event_queue.front();
    EXPECT_EQ(first.host, "127.0.0.1");
    EXPECT_EQ(first.address, "http://127.0.0.1/thistlewarp/event.php");
    const field_list expected = {
        {"message_id", "30"},        {"install_id", "4242"},     {"platform", "windows"},
        {"version", "3"},            {"chapters_complete", "2"}, {"total_seconds", "61"},
        {"total_sessions", "7"},     {"session_seconds", "1"},   {"event", "start_chapter"},
        {"current_chapter", "3"},    {"current_puzzles", "p1p4"}};
    EXPECT_EQ(first.params, expected);
    EXPECT_EQ(data.event_queue.back()->params.front().second, "31");
    EXPECT_EQ(data.message_counter, 32);
    EXPECT_TRUE(data.analytics_queue.empty());
}

TEST_F(usage_messages, analytics_hits_share_a_head_and_add_their_own_fields) {
    data.endpoints.tracking_id = "UA-12345678-9";
    queue_appview(data, platform, "chapter_2");
    queue_ga_event(data, platform, "gameplay", "start_puzzle", "puzzle_name", "c2_p5");
    queue_session_start(data, platform);
    queue_session_end(data, platform);
    const field_list head = {{"v", "1"},     {"tid", "UA-12345678-9"}, {"cid", "_4242"},
                             {"t", ""},      {"an", "Thistlewarp"},    {"av", "3"},
                             {"sr", "1920x1080"}, {"cd1", "windows"}};
    struct c_case {
        const char* hit_type;
        field_list own;
    };
    const c_case cases[] = {
        {"appview", {{"cd", "chapter_2"}}},
        {"event", {{"ec", "gameplay"}, {"ea", "start_puzzle"}, {"el", "puzzle_name"}, {"ev", "c2_p5"}}},
        {"appview", {{"sc", "start"}}},
        {"appview", {{"sc", "end"}}},
    };
    ASSERT_EQ(data.analytics_queue.size(), 4u);
    auto it = data.analytics_queue.begin();
    for (const c_case& c : cases) {
        field_list expected = head;
        expected[3].second = c.hit_type;
        expected.insert(expected.end(), c.own.begin(), c.own.end());
        const c_http_message& hit = **it++;
        EXPECT_EQ(hit.params, expected) << c.hit_type << " " << c.own.front().first;
        EXPECT_EQ(hit.address, "http://127.0.0.1/collect");
        auto* ga = dynamic_cast<const c_http_message_google_analytics*>(&hit);
        ASSERT_NE(ga, nullptr);
        EXPECT_EQ(ga->creation_ms, 5000);
    }
    // Analytics hits never touch the event counter.
    EXPECT_EQ(data.message_counter, 30);
    EXPECT_TRUE(data.event_queue.empty());
}

TEST_F(usage_messages, event_post_reaches_the_server_with_fields_in_name_order) {
    c_loopback_server server;
    point_at(server);
    queue_event(data, "start_menu", 0, "");
    ASSERT_EQ(data.event_queue.front()->send(k_send_ms), e_send_outcome::k_delivered);
    ASSERT_EQ(server.wait_for_requests(1, 2000), 1u);
    const std::string request = server.requests().front();
    const std::string target = "http://" + server.host() + "/thistlewarp/event.php";
    EXPECT_EQ(request.rfind("POST " + target + " HTTP/1.1\r\n", 0), 0u) << request;
    const field_list fields = body_fields(request);
    const std::vector<std::string> sorted = {
        "chapters_complete", "current_chapter", "current_puzzles", "event",
        "install_id",        "message_id",      "platform",        "session_seconds",
        "total_seconds",     "total_sessions",  "version"};
    EXPECT_EQ(names_of(fields), sorted) << request;
    EXPECT_EQ(value_of(fields, "message_id"), "30");
    EXPECT_EQ(value_of(fields, "event"), "start_menu");
    EXPECT_EQ(value_of(fields, "current_puzzles"), "");
}

TEST_F(usage_messages, session_start_hit_lists_exactly_its_fields_with_the_queue_time) {
    c_loopback_server server;
    point_at(server);
    queue_session_start(data, platform);
    window.advance(1.25);  // the hit waits 1250 ms in the queue
    ASSERT_EQ(data.analytics_queue.front()->send(k_send_ms), e_send_outcome::k_delivered);
    ASSERT_EQ(server.wait_for_requests(1, 2000), 1u);
    const std::string request = server.requests().front();
    EXPECT_EQ(request.rfind("POST http://" + server.host() + "/collect HTTP/1.1\r\n", 0), 0u);
    const field_list fields = body_fields(request);
    const std::vector<std::string> expected = {"an", "av", "cd1", "cid", "qt",
                                               "sc", "sr", "t",   "tid", "v"};
    EXPECT_EQ(names_of(fields), expected) << request;
    EXPECT_EQ(value_of(fields, "qt"), "1250");
    EXPECT_EQ(value_of(fields, "sc"), "start");
    EXPECT_EQ(value_of(fields, "tid"), data.endpoints.tracking_id);
}

TEST_F(usage_messages, queue_time_is_never_negative) {
    queue_appview(data, platform, "main_menu");
    auto& hit = dynamic_cast<c_http_message_google_analytics&>(*data.analytics_queue.front());
    window.set_time(4.0);  // a timer reading before the hit was made
    EXPECT_EQ(hit.queue_time(), 0);
    window.set_time(5.5);
    EXPECT_EQ(hit.queue_time(), 500);
}

TEST_F(usage_messages, message_ids_count_up_across_sends) {
    c_loopback_server server;
    point_at(server);
    for (const char* name : {"start_menu", "leave_menu", "start_chapter"}) {
        queue_event(data, name, 1, "");
        ASSERT_EQ(data.event_queue.back()->send(k_send_ms), e_send_outcome::k_delivered);
    }
    ASSERT_EQ(server.wait_for_requests(3, 2000), 3u);
    const auto requests = server.requests();
    for (size_t i = 0; i < requests.size(); ++i)
        EXPECT_EQ(value_of(body_fields(requests[i]), "message_id"), std::to_string(30 + i));
}

TEST_F(usage_messages, the_answer_status_decides_the_send_outcome) {
    struct c_case {
        c_loopback_options::e_mode mode;
        const char* status_line;
        e_send_outcome expected;
    };
    const c_case cases[] = {
        {c_loopback_options::k_answer, "HTTP/1.1 200 OK", e_send_outcome::k_delivered},
        {c_loopback_options::k_answer, "HTTP/1.1 204 No Content", e_send_outcome::k_delivered},
        {c_loopback_options::k_answer, "HTTP/1.1 400 Bad Request", e_send_outcome::k_rejected},
        {c_loopback_options::k_answer, "HTTP/1.1 413 Too Large", e_send_outcome::k_rejected},
        {c_loopback_options::k_answer, "HTTP/1.1 414 URI Too Long", e_send_outcome::k_rejected},
        {c_loopback_options::k_answer, "HTTP/1.1 422 Unprocessable", e_send_outcome::k_rejected},
        {c_loopback_options::k_answer, "HTTP/1.1 302 Found\r\nLocation: http://portal.test/",
         e_send_outcome::k_failed},
        {c_loopback_options::k_answer, "HTTP/1.1 404 Not Found", e_send_outcome::k_failed},
        {c_loopback_options::k_answer, "HTTP/1.1 401 Unauthorized", e_send_outcome::k_failed},
        {c_loopback_options::k_answer, "HTTP/1.1 500 Oops", e_send_outcome::k_failed},
        {c_loopback_options::k_answer, "HTTP/1.1 503 Busy", e_send_outcome::k_failed},
        {c_loopback_options::k_close, "", e_send_outcome::k_failed},
    };
    for (const c_case& c : cases) {
        c_loopback_options options;
        options.mode = c.mode;
        options.response = std::string(c.status_line) + "\r\nContent-Length: 0\r\n\r\n";
        c_loopback_server server(options);
        c_http_message message;
        message.host = server.host();
        message.address = "http://" + server.host() + "/thistlewarp/event.php";
        message.add_param("event", "start_menu");
        EXPECT_EQ(message.send(k_send_ms), c.expected) << c.status_line;
    }
}

TEST_F(usage_messages, a_refused_connection_is_a_failed_send) {
    queue_event(data, "start_menu", 0, "");
    c_http_message& message = *data.event_queue.front();
    message.host = "127.0.0.1:" + std::to_string(refused_port());
    EXPECT_EQ(message.send(k_send_ms), e_send_outcome::k_failed);
}
