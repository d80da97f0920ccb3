// Response parser on canned bytes, each case fed whole and in small pieces:
// framing, interim answers, header folding, and refusal of hostile input.
#include <gtest/gtest.h>

#include <string>

#include "net/error_of.h"
#include "net/http_error.h"
#include "net/http_response.h"

namespace tw {
namespace {

constexpr size_t k_whole = 0;

// Collects what a response reports while bytes are fed in pieces of a given size.
struct c_parse_run {
    c_http_callbacks callbacks;
    std::string body;
    int begins = 0;
    int completes = 0;
    c_http_response response{&callbacks};

    c_parse_run() {
        callbacks.on_begin = [this](const c_http_response&) { ++begins; };
        callbacks.on_data = [this](const char* bytes, size_t count) { body.append(bytes, count); };
        callbacks.on_complete = [this](const c_http_response&) { ++completes; };
    }

    // Feeds text in pieces (k_whole: at once); returns the bytes used.
    size_t feed(const std::string& text, size_t piece) {
        if (piece == k_whole) piece = text.size();
        size_t used = 0;
        for (size_t at = 0; at < text.size() && !response.complete(); at += piece) {
            const size_t count = std::min(piece, text.size() - at);
            const size_t took = response.feed(text.data() + at, count);
            EXPECT_LE(took, count);
            used += took;
        }
        return used;
    }
};

class http_response_pieces : public ::testing::TestWithParam<size_t> {};

INSTANTIATE_TEST_SUITE_P(piece_sizes, http_response_pieces, ::testing::Values(k_whole, 1, 3));

TEST_P(http_response_pieces, chunked_in_any_letter_case_with_extensions_and_trailers) {
    const std::string text =
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: ChUnKeD\r\n\r\n"
        "5\r\nhello\r\n7;name=value\r\n, world\r\n0\r\nX-Check: abc\r\n\r\n";
    c_parse_run run;
    EXPECT_EQ(run.feed(text, GetParam()), text.size());
    EXPECT_TRUE(run.response.complete());
    EXPECT_TRUE(run.response.chunked());
    EXPECT_EQ(run.body, "hello, world");
    EXPECT_EQ(run.response.body_received(), 12);
    EXPECT_EQ(run.begins, 1);
    EXPECT_EQ(run.completes, 1);
}

TEST_P(http_response_pieces, interim_continue_is_followed_by_the_real_status) {
    const std::string text =
        "HTTP/1.1 100 Continue\r\nX-Interim: yes\r\n\r\n"
        "HTTP/1.1 201 Created Here\r\nContent-Length: 3\r\n\r\nabc";
    c_parse_run run;
    EXPECT_EQ(run.feed(text, GetParam()), text.size());
    EXPECT_TRUE(run.response.complete());
    EXPECT_EQ(run.response.status(), 201);
    EXPECT_EQ(run.response.reason(), "Created Here");
    EXPECT_EQ(run.response.header("x-interim"), nullptr);
    EXPECT_EQ(run.body, "abc");
    EXPECT_EQ(run.begins, 1);
}

TEST_P(http_response_pieces, version_one_zero_without_length_completes_at_close) {
    c_parse_run run;
    run.feed("HTTP/1.0 200 OK\r\nServer: x\r\n\r\nall of it", GetParam());
    EXPECT_EQ(run.response.version(), 10);
    EXPECT_TRUE(run.response.will_close());
    EXPECT_EQ(run.response.state(), c_http_response::k_body);
    EXPECT_EQ(run.completes, 0);
    run.response.connection_closed();
    EXPECT_TRUE(run.response.complete());
    EXPECT_EQ(run.body, "all of it");
    EXPECT_EQ(run.completes, 1);
}

TEST_P(http_response_pieces, continued_header_joins_parts_with_one_space) {
    c_parse_run run;
    run.feed("HTTP/1.1 204 No Content\r\nX-Long: first\r\n\t\tsecond\r\n \tthird\r\n\r\n",
             GetParam());
    ASSERT_NE(run.response.header("x-long"), nullptr);
    EXPECT_EQ(*run.response.header("x-long"), "first second third");
}

TEST_P(http_response_pieces, repeated_header_replaces_the_first) {
    c_parse_run run;
    run.feed("HTTP/1.1 200 OK\r\nX-Tag: one\r\nx-TAG:\t two\r\nContent-Length: 0\r\n\r\n",
             GetParam());
    EXPECT_EQ(run.response.headers().count("x-tag"), 1u);
    EXPECT_EQ(*run.response.header("x-tag"), "two");
}

TEST_P(http_response_pieces, empty_bodies_complete_without_waiting_for_more_bytes) {
    for (const char* text : {"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n",
                             "HTTP/1.1 204 No Content\r\n\r\n",
                             "HTTP/1.1 304 Not Modified\r\nContent-Length: 99\r\n\r\n"}) {
        c_parse_run run;
        run.feed(text, GetParam());
        EXPECT_TRUE(run.response.complete()) << text;
        EXPECT_EQ(run.completes, 1) << text;
    }
}

TEST(http_response, stops_at_the_end_of_its_own_response) {
    const std::string first = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";
    c_parse_run run;
    EXPECT_EQ(run.response.feed((first + "HTTP/1.1 200 OK\r\n").data(), first.size() + 17),
              first.size());
    EXPECT_EQ(run.body, "ok");
}

TEST(http_response, a_huge_declared_chunk_takes_only_the_bytes_that_arrive) {
    c_parse_run run;
    run.feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nfffffffffffffff\r\nabc", 1);
    EXPECT_EQ(run.body, "abc");
    EXPECT_EQ(run.response.state(), c_http_response::k_body);
    EXPECT_EQ(error_of([&] { run.response.connection_closed(); }), "Connection closed unexpectedly");
}

struct c_refusal_case {
    const char* name;
    std::string text;
    bool then_close;  // the peer closes after the text
    std::string error;
};

class http_response_refusal : public ::testing::TestWithParam<c_refusal_case> {};

INSTANTIATE_TEST_SUITE_P(
    cases, http_response_refusal,
    ::testing::Values(
        c_refusal_case{"status_below_100", "HTTP/1.1 99 Low\r\n", false,
                       "BadStatusLine (HTTP/1.1 99 Low)"},
        c_refusal_case{"status_not_a_number", "HTTP/1.1 2x0 OK\r\n", false,
                       "BadStatusLine (HTTP/1.1 2x0 OK)"},
        c_refusal_case{"status_above_999", "HTTP/1.1 1000 OK\r\n", false,
                       "BadStatusLine (HTTP/1.1 1000 OK)"},
        c_refusal_case{"empty_status_line", "\r\n", false, "BadStatusLine ()"},
        c_refusal_case{"version_two", "HTTP/2 200 OK\r\n", false, "UnknownProtocol (HTTP/2)"},
        c_refusal_case{"not_http", "ICY 200 OK\r\n", false, "UnknownProtocol (ICY)"},
        c_refusal_case{"closed_inside_a_known_length",
                       "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", true,
                       "Connection closed unexpectedly"},
        c_refusal_case{"closed_inside_the_headers", "HTTP/1.1 200 OK\r\nServer: x\r\n", true,
                       "Connection closed unexpectedly"},
        c_refusal_case{"closed_before_any_byte", "", true, "Connection closed unexpectedly"},
        c_refusal_case{"negative_content_length",
                       "HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n", false,
                       "Bad Content-Length (-5)"},
        c_refusal_case{"overflowing_content_length",
                       "HTTP/1.1 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\n", false,
                       "Bad Content-Length (99999999999999999999)"},
        c_refusal_case{"chunk_size_beyond_sixty_bits",
                       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1ffffffffffffffff\r\n",
                       false, "Bad chunk length (1ffffffffffffffff)"},
        c_refusal_case{"chunk_size_negative",
                       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n-1\r\n", false,
                       "Bad chunk length (-1)"},
        c_refusal_case{"chunk_size_missing",
                       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n;x\r\n", false,
                       "Bad chunk length (;x)"},
        c_refusal_case{"overlong_line",
                       "HTTP/1.1 200 OK\r\nX: " + std::string(c_http_response::k_max_line_bytes, 'a'),
                       false, "Line too long"},
        c_refusal_case{"endless_headers",
                       [] {
                           std::string text = "HTTP/1.1 200 OK\r\n";
                           for (int i = 0; i < 40000; ++i) text += "X-" + std::to_string(i) + ": v\r\n";
                           return text;
                       }(),
                       false, "Headers too long"}),
    [](const ::testing::TestParamInfo<c_refusal_case>& info) { return info.param.name; });

TEST_P(http_response_refusal, throws_the_named_error_whole_and_byte_by_byte) {
    for (size_t piece : {k_whole, size_t(1)}) {
        c_parse_run run;
        const std::string error = error_of([&] {
            run.feed(GetParam().text, piece);
            if (GetParam().then_close) run.response.connection_closed();
        });
        EXPECT_EQ(error, GetParam().error) << "piece " << piece;
        EXPECT_EQ(run.completes, 0);
    }
}

}  // namespace
}  // namespace tw
