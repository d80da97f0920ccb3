// The time-limited flush: order, the time each send is given, what each send
// outcome does to the queue, and real sends to a refused port, a silent server
// and hosts that can never be reached.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "net/loopback_server.h"
#include "net/message_queue.h"

using namespace tw;

namespace {

message_queue queue_of(const std::vector<std::string>& names) {
    message_queue queue;
    for (const auto& name : names) {
        auto message = std::make_unique<c_http_message>();
        message->address = name;
        queue.push_back(std::move(message));
    }
    return queue;
}

// An event message for a real host, numbered by its "message_id" field.
std::unique_ptr<c_http_message> message_to(const std::string& host, int id) {
    auto message = std::make_unique<c_http_message>();
    message->host = host;
    message->address = "http://" + host + "/thistlewarp/event.php";
    message->add_param("message_id", std::to_string(id));
    return message;
}

// Milliseconds of real time since the clock was made.
millisecond_clock real_clock() {
    const auto t0 = std::chrono::steady_clock::now();
    return [t0] {
        return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - t0)
                            .count());
    };
}

std::vector<std::string> names_in(const message_queue& queue) {
    std::vector<std::string> names;
    for (const auto& message : queue) names.push_back(message->address);
    return names;
}

// A scripted sender: answers from a list of outcomes (delivered once they run
// out), records what it was given, and moves a fake clock on by a fixed step
// per send.
struct c_scripted_sender {
    std::vector<e_send_outcome> outcomes;
    uint32_t ms_per_send = 0;
    uint32_t now = 0;
    std::vector<std::string> tried;
    std::vector<uint32_t> given_ms;

    message_sender sender() {
        return [this](c_http_message& message, uint32_t time_ms) {
            tried.push_back(message.address);
            given_ms.push_back(time_ms);
            now += ms_per_send;
            const size_t i = tried.size() - 1;
            return i < outcomes.size() ? outcomes[i] : e_send_outcome::k_delivered;
        };
    }
    millisecond_clock clock() {
        return [this] { return now; };
    }
};

}  // namespace

TEST(message_queue_flush, sends_oldest_first_until_empty) {
    message_queue queue = queue_of({"a", "b", "c"});
    c_scripted_sender s;
    EXPECT_EQ(flush(queue, 1000, s.sender(), s.clock()), 3u);
    EXPECT_EQ(s.tried, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(queue.empty());
}

TEST(message_queue_flush, drops_rejected_and_undeliverable_messages_and_stops_at_a_failure) {
    message_queue queue = queue_of({"a", "b", "c", "d", "e"});
    c_scripted_sender s;
    s.outcomes = {e_send_outcome::k_delivered, e_send_outcome::k_rejected,
                  e_send_outcome::k_undeliverable, e_send_outcome::k_failed};
    EXPECT_EQ(flush(queue, 1000, s.sender(), s.clock()), 1u);
    // One try of "d", no retries and nothing behind it attempted.
    EXPECT_EQ(s.tried, (std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(names_in(queue), (std::vector<std::string>{"d", "e"}));

    // The next flush starts with the failed message.
    s.outcomes.clear();
    s.tried.clear();
    EXPECT_EQ(flush(queue, 1000, s.sender(), s.clock()), 2u);
    EXPECT_EQ(s.tried, (std::vector<std::string>{"d", "e"}));
}

TEST(message_queue_flush, gives_each_send_the_time_left_and_stops_when_none_is) {
    struct c_case {
        uint32_t ms_per_send;
        uint16_t limit_ms;
        std::vector<uint32_t> given_ms;  // one entry per send made
    };
    const c_case cases[] = {
        {400, 1000, {1000, 600, 200}},  // 1200 used: nothing left for a fourth
        {500, 1000, {1000, 500}},       // 1000 used is the whole limit
        {2500, 1000, {1000}},           // a send that overran still ends the flush
        {0, 1000, {1000, 1000, 1000, 1000, 1000}},  // a clock that stands still
        {1, 0, {}},                     // no time, no send
    };
    for (const c_case& c : cases) {
        message_queue queue = queue_of({"a", "b", "c", "d", "e"});
        c_scripted_sender s;
        s.ms_per_send = c.ms_per_send;
        s.now = 0xffffff00u;  // the clock may wrap during a flush
        EXPECT_EQ(flush(queue, c.limit_ms, s.sender(), s.clock()), c.given_ms.size())
            << c.ms_per_send << " ms per send, limit " << c.limit_ms;
        EXPECT_EQ(s.given_ms, c.given_ms) << c.ms_per_send << " ms per send, limit " << c.limit_ms;
        EXPECT_EQ(queue.size(), 5 - c.given_ms.size());
    }
}

TEST(message_queue_flush, without_a_sender_or_clock_nothing_is_lost) {
    message_queue queue = queue_of({"a", "b"});
    c_scripted_sender s;
    EXPECT_EQ(flush(queue, 1000, message_sender{}, s.clock()), 0u);
    EXPECT_EQ(flush(queue, 1000, s.sender(), millisecond_clock{}), 0u);
    EXPECT_EQ(queue.size(), 2u);
    EXPECT_TRUE(s.tried.empty());
}

TEST(message_queue_flush, a_refused_port_ends_the_flush_after_one_quick_try) {
    const std::string host = "127.0.0.1:" + std::to_string(refused_port());
    message_queue queue;
    for (int i = 0; i < 3; ++i) queue.push_back(message_to(host, i));
    int sends = 0;
    message_sender counting = [&sends](c_http_message& m, uint32_t time_ms) {
        ++sends;
        return send_by_message(m, time_ms);
    };
    // A real clock, so a flush that retried would run into its limit.
    const millisecond_clock real = real_clock();
    EXPECT_EQ(flush(queue, 1000, counting, real), 0u);
    EXPECT_EQ(sends, 1);
    EXPECT_LT(real(), 500u);
    ASSERT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.front()->params.front().second, "0");
}

TEST(message_queue_flush, a_silent_server_holds_the_flush_no_longer_than_its_limit) {
    c_loopback_options options;
    options.mode = c_loopback_options::k_hold;
    c_loopback_server server(options);
    message_queue queue;
    for (int i = 0; i < 3; ++i) queue.push_back(message_to(server.host(), i));
    const millisecond_clock real = real_clock();
    EXPECT_EQ(flush(queue, 1000, send_by_message, real), 0u);
    const uint32_t took = real();
    // The first send waits out what is left of the flush, not its own 2001 ms.
    EXPECT_GE(took, 900u);
    EXPECT_LT(took, 1300u);
    EXPECT_EQ(server.wait_for_requests(1, 2000), 1u);
    EXPECT_EQ(queue.size(), 3u);
}

TEST(message_queue_flush, a_message_that_can_never_be_sent_is_dropped_and_the_next_goes_out) {
    c_loopback_server server;
    message_queue queue;
    // No name, no port after the colon, a port out of range, a port that is not a number.
    for (const char* host : {"", ":", "127.0.0.1:99999", "127.0.0.1:abc"})
        queue.push_back(message_to(host, 0));
    queue.push_back(message_to(server.host(), 1));
    const millisecond_clock real = real_clock();
    EXPECT_EQ(flush(queue, 1000, send_by_message, real), 1u);
    EXPECT_TRUE(queue.empty());
    ASSERT_EQ(server.wait_for_requests(1, 2000), 1u);
    EXPECT_NE(server.requests()[0].find("message_id=1"), std::string::npos);
    EXPECT_LT(real(), 500u);
}
