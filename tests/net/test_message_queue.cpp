// The time-limited flush: order, the time limit, ending at the first failed
// send with the message kept at the head, and a refused port ending it fast.
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

std::vector<std::string> names_in(const message_queue& queue) {
    std::vector<std::string> names;
    for (const auto& message : queue) names.push_back(message->address);
    return names;
}

// A scripted sender: answers from a list of outcomes, records what it was
// given, and moves a fake clock on by a fixed step per send.
struct c_scripted_sender {
    std::vector<bool> outcomes;
    uint32_t ms_per_send = 0;
    uint32_t now = 0;
    std::vector<std::string> tried;

    message_sender sender() {
        return [this](c_http_message& message) {
            tried.push_back(message.address);
            now += ms_per_send;
            const size_t i = tried.size() - 1;
            return i < outcomes.size() ? bool(outcomes[i]) : true;
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

TEST(message_queue_flush, ends_at_the_first_failure_and_keeps_that_message_at_the_head) {
    message_queue queue = queue_of({"a", "b", "c"});
    c_scripted_sender s;
    s.outcomes = {true, false, true};
    EXPECT_EQ(flush(queue, 1000, s.sender(), s.clock()), 1u);
    // One try of "b", no retries and nothing behind it attempted.
    EXPECT_EQ(s.tried, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(names_in(queue), (std::vector<std::string>{"b", "c"}));

    // The next flush starts with the same message.
    s.outcomes = {true, true, true, true};
    s.tried.clear();
    EXPECT_EQ(flush(queue, 1000, s.sender(), s.clock()), 2u);
    EXPECT_EQ(s.tried, (std::vector<std::string>{"b", "c"}));
}

TEST(message_queue_flush, stops_once_more_than_the_limit_has_passed) {
    struct c_case {
        uint32_t ms_per_send;
        uint16_t limit_ms;
        size_t expected_sent;
    };
    // The limit is checked before each send, and only "more than" stops.
    const c_case cases[] = {
        {400, 1000, 3},  // 0, 400, 800 pass; 1200 stops
        {500, 1000, 3},  // 1000 is not more than the limit
        {0, 0, 5},       // a clock that stands still never stops a flush
        {1, 0, 1},       // limit 0: the first send still goes out
    };
    for (const c_case& c : cases) {
        message_queue queue = queue_of({"a", "b", "c", "d", "e"});
        c_scripted_sender s;
        s.ms_per_send = c.ms_per_send;
        s.now = 0xffffff00u;  // the clock may wrap during a flush
        EXPECT_EQ(flush(queue, c.limit_ms, s.sender(), s.clock()), c.expected_sent)
            << c.ms_per_send << " ms per send, limit " << c.limit_ms;
        EXPECT_EQ(queue.size(), 5 - c.expected_sent);
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
    for (int i = 0; i < 3; ++i) {
        auto message = std::make_unique<c_http_message>();
        message->host = host;
        message->address = "http://" + host + "/thistlewarp/event.php";
        message->add_param("message_id", std::to_string(i));
        queue.push_back(std::move(message));
    }
    int sends = 0;
    message_sender counting = [&sends](c_http_message& m) {
        ++sends;
        return send_by_message(m);
    };
    // A real clock, so a flush that retried would run into its limit.
    const auto t0 = std::chrono::steady_clock::now();
    millisecond_clock real = [t0] {
        return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - t0)
                            .count());
    };
    EXPECT_EQ(flush(queue, 1000, counting, real), 0u);
    EXPECT_EQ(sends, 1);
    EXPECT_LT(real(), 500u);
    ASSERT_EQ(queue.size(), 3u);
    EXPECT_EQ(queue.front()->params.front().second, "0");
}
