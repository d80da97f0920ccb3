// The form post against a real loopback server: what goes on the wire, the
// time limit on an injected clock, and failures that must come quickly.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "net/http_connection.h"
#include "net/http_error.h"
#include "net/http_request.h"
#include "net/loopback_server.h"

namespace tw {
namespace {

constexpr int k_wait_ms = 3000;  // bound on waiting for the server thread

// A clock that moves only when the test says so.
struct c_manual_clock {
    int64_t now = 1000;
    c_http_request::clock_ms function() {
        return [this] { return now; };
    }
};

// Polls until finished, advancing nothing; the server answers on its own thread.
uint16_t poll_until_finished(c_http_request& request) {
    const int64_t end = steady_clock_ms() + k_wait_ms;
    while (!request.poll() && steady_clock_ms() < end) std::this_thread::yield();
    return request.status();
}

std::string refused_host() { return "127.0.0.1:" + std::to_string(refused_port()); }

TEST(http_request, posts_the_form_with_headers_in_order) {
    c_loopback_server server;
    c_manual_clock clock;
    c_http_request request(server.host(), "http://events.test/thistlewarp/event.php",
                           clock.function());
    request.add_field("version", "3");
    request.add_field("event", "start_menu");
    request.add_field("message_id", int64_t(-42));
    request.add_field("event", "ignored second value");
    request.send();
    EXPECT_EQ(request.status(), c_http_request::k_sent);
    EXPECT_EQ(poll_until_finished(request), c_http_request::k_completed);
    EXPECT_EQ(request.response_text(), "ok");

    const std::string body = "event=start_menu&message_id=-42&version=3";
    EXPECT_EQ(request.body(), body);
    ASSERT_EQ(server.wait_for_requests(1, k_wait_ms), 1u);
    EXPECT_EQ(server.requests()[0],
              "POST http://events.test/thistlewarp/event.php HTTP/1.1\r\n"
              "Host: " + server.host() + "\r\n"
              "Accept-Encoding: identity\r\n"
              "Content-Length: " + std::to_string(body.size()) + "\r\n"
              "Connection: close\r\n"
              "Content-type: application/x-www-form-urlencoded\r\n"
              "Accept: text/plain\r\n"
              "\r\n" + body);
}

TEST(http_request, completes_on_any_status_and_any_framing) {
    const char* responses[] = {
        "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 4\r\n\r\nfail",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n0\r\n\r\n",
        "HTTP/1.0 200 OK\r\n\r\nok until close",
    };
    for (const char* response : responses) {
        c_loopback_options options;
        options.response = response;
        c_loopback_server server(options);
        c_http_request request(server.host(), "/collect");
        request.add_field("v", "1");
        request.send();
        EXPECT_EQ(poll_until_finished(request), c_http_request::k_completed) << response;
    }
}

TEST(http_request, fails_when_the_server_never_answers_within_the_limit_it_was_given) {
    struct c_case {
        int64_t given_ms;
        int64_t limit_ms;
    };
    const c_case cases[] = {
        {500, 500},
        {c_http_request::k_time_limit_ms, c_http_request::k_time_limit_ms},
        {10000, c_http_request::k_time_limit_ms},  // never more than the request's own
    };
    for (const c_case& c : cases) {
        c_loopback_options options;
        options.mode = c_loopback_options::k_hold;
        c_loopback_server server(options);
        c_manual_clock clock;
        c_http_request request(server.host(), "/collect", clock.function());
        request.add_field("v", "1");
        clock.now += 5000;  // the limit counts from the send, not from construction
        request.send(c.given_ms);
        ASSERT_EQ(server.wait_for_requests(1, k_wait_ms), 1u);
        clock.now += c.limit_ms - 1;
        EXPECT_FALSE(request.poll()) << c.given_ms;
        EXPECT_EQ(request.status(), c_http_request::k_sent) << c.given_ms;
        clock.now += 1;
        EXPECT_TRUE(request.poll()) << c.given_ms;
        EXPECT_EQ(request.status(), c_http_request::k_failed) << c.given_ms;
    }
}

TEST(http_request, gives_up_after_about_two_seconds_in_real_time) {
    c_loopback_options options;
    options.mode = c_loopback_options::k_hold;
    c_loopback_server server(options);
    c_http_request request(server.host(), "/collect");
    const int64_t start = steady_clock_ms();
    request.send();
    EXPECT_EQ(poll_until_finished(request), c_http_request::k_failed);
    const int64_t took = steady_clock_ms() - start;
    EXPECT_GE(took, c_http_request::k_time_limit_ms);
    EXPECT_LT(took, c_http_request::k_time_limit_ms + 500);
}

TEST(http_request, a_completed_request_stays_completed_when_polled_late) {
    c_loopback_server server;
    c_manual_clock clock;
    c_http_request request(server.host(), "/collect", clock.function());
    request.send();
    ASSERT_EQ(poll_until_finished(request), c_http_request::k_completed);
    clock.now += 10 * c_http_request::k_time_limit_ms;
    EXPECT_TRUE(request.poll());
    EXPECT_EQ(request.status(), c_http_request::k_completed);
}

TEST(http_request, polling_an_unsent_request_fails_it) {
    c_http_request request("127.0.0.1", "/collect");
    EXPECT_TRUE(request.poll());
    EXPECT_EQ(request.status(), c_http_request::k_failed);
}

TEST(http_request, refused_connection_fails_at_once) {
    c_manual_clock clock;
    c_http_request request(refused_host(), "/collect", clock.function());
    request.send();
    EXPECT_EQ(request.status(), c_http_request::k_failed);
    EXPECT_TRUE(request.poll());
}

TEST(http_request, server_closing_at_once_fails_the_request) {
    c_loopback_options options;
    options.mode = c_loopback_options::k_close;
    c_loopback_server server(options);
    c_http_request request(server.host(), "/collect");
    request.add_field("v", "1");
    request.send();
    EXPECT_EQ(poll_until_finished(request), c_http_request::k_failed);
}

TEST(http_request, unresolvable_name_fails_without_hanging) {
    const int64_t start = steady_clock_ms();
    c_http_request request("host.invalid", "/collect");
    request.send();
    EXPECT_EQ(request.status(), c_http_request::k_failed);
    EXPECT_LE(steady_clock_ms() - start, c_http_request::k_time_limit_ms + 500);
}

TEST(http_connection, errors_name_the_failing_step) {
    c_http_connection refused(refused_host());
    try {
        refused.connect();
        FAIL() << "connected to a refused port";
    } catch (const http_error& error) {
        EXPECT_STREQ(error.what(), "connect(): Connection refused");
    }
    EXPECT_FALSE(refused.connected());

    for (const char* host : {"", "name:99999", "host.invalid"}) {
        c_http_connection invalid(host);
        try {
            invalid.connect();
            ADD_FAILURE() << "connected to " << host;
        } catch (const http_error& error) {
            const std::string text = error.what();
            EXPECT_TRUE(text == "Invalid network address" ||
                        text == "getaddrinfo(): Connection timed out")
                << text;
        }
    }
}

TEST(http_connection, header_text_cannot_carry_line_breaks) {
    c_http_connection connection("127.0.0.1");
    connection.put_request("/collect");
    EXPECT_THROW(connection.put_header("X", "a\r\nInjected: yes"), http_error);
    EXPECT_THROW(connection.put_request("/again"), http_error);
    c_http_connection other("127.0.0.1");
    EXPECT_THROW(other.put_request("/a HTTP/1.1\r\nX: y\r\n"), http_error);
    EXPECT_THROW(other.end_headers(), http_error);
}

}  // namespace
}  // namespace tw
