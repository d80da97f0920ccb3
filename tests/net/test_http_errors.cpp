// Socket error texts, the exception's bounded message, and the host text forms.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "net/host_lookup.h"
#include "net/http_error.h"
#include "net/socket_error_text.h"

namespace tw {
namespace {

struct c_errno_case {
    int error_number;
    const char* text;
};

TEST(socket_error_text, posix_errors_read_as_their_classic_texts) {
    const c_errno_case cases[] = {
        {0, "No error"},
        {ECONNREFUSED, "Connection refused"},
        {ETIMEDOUT, "Connection timed out"},
        {EWOULDBLOCK, "Operation would block"},
        {EAGAIN, "Operation would block"},
        {ECONNRESET, "Connection reset by peer"},
        {EHOSTUNREACH, "No route to host"},
        {EMFILE, "Too many open sockets"},
        {EADDRNOTAVAIL, "Can't assign requested address"},
        {EREMOTE, "Too many levels of remote in path"},
        {EPIPE, "Can't send after socket shutdown"},
        {ENOENT, "unknown"},
        {123456, "unknown"},
    };
    for (const c_errno_case& entry : cases) {
        EXPECT_STREQ(socket_error_text(socket_error_code(entry.error_number)), entry.text)
            << "errno " << entry.error_number;
    }
}

TEST(socket_error_text, codes_outside_the_posix_mapping_keep_their_texts) {
    EXPECT_STREQ(socket_error_text(11001), "Host not found");
    EXPECT_STREQ(socket_error_text(10093), "WSAStartup not yet called");
    EXPECT_STREQ(socket_error_text(10000), "unknown");
    EXPECT_STREQ(socket_error_text(-1), "unknown");
}

TEST(http_error, joins_operation_and_text) {
    try {
        throw_socket_error("connect()", ECONNREFUSED);
    } catch (const http_error& error) {
        EXPECT_STREQ(error.what(), "connect(): Connection refused");
        return;
    }
    FAIL() << "nothing thrown";
}

TEST(http_error, cuts_long_messages_at_255_characters) {
    const std::string line(1000, 'x');
    const http_error error("BadStatusLine (%s)", line.c_str());
    EXPECT_EQ(std::strlen(error.what()), http_error::k_message_size - 1);
    EXPECT_EQ(std::string(error.what()).substr(0, 15), "BadStatusLine (");
}

struct c_host_case {
    const char* text;
    bool valid;
    const char* name;
    uint16_t port;
};

TEST(split_host_port, reads_the_port_after_the_colon) {
    const c_host_case cases[] = {
        {"example.org", true, "example.org", 80},
        {"127.0.0.1:8080", true, "127.0.0.1", 8080},
        {"name:1", true, "name", 1},
        {"name:65535", true, "name", 65535},
        {"name:65536", false, "", 0},
        {"name:0", false, "", 0},
        {"name:000000080", false, "", 0},
        {"name:", false, "", 0},
        {"name:abc", false, "", 0},
        {"a:b:80", false, "", 0},
        {":8080", false, "", 0},
        {":", false, "", 0},
        {"", false, "", 0},
    };
    for (const c_host_case& entry : cases) {
        std::string name;
        uint16_t port = 0;
        EXPECT_EQ(split_host_port(entry.text, 80, name, port), entry.valid) << entry.text;
        if (!entry.valid) continue;
        EXPECT_EQ(name, entry.name) << entry.text;
        EXPECT_EQ(port, entry.port) << entry.text;
    }
}

TEST(lookup_ipv4, numeric_addresses_need_no_wait) {
    in_addr address{};
    EXPECT_EQ(lookup_ipv4("127.0.0.1", 0, address), e_lookup_result::k_found);
    EXPECT_EQ(address.s_addr, htonl(INADDR_LOOPBACK));
    EXPECT_EQ(lookup_ipv4("some.name", 0, address), e_lookup_result::k_timed_out);
}

}  // namespace
}  // namespace tw
