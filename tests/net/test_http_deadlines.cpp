// Blocking steps of the connection end by its deadline: connecting to a peer
// whose accept queue is full, writing to a peer that never reads, and writing
// to a peer that has gone (no SIGPIPE).
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "net/error_of.h"
#include "net/http_connection.h"
#include "net/http_error.h"
#include "net/loopback_server.h"

namespace tw {
namespace {

constexpr int64_t k_short_deadline_ms = 200;
constexpr int64_t k_slack_ms = 1000;  // scheduling on a busy machine
constexpr size_t k_large_body_bytes = 64u << 20;  // more than any socket buffers hold

// A socket listening on 127.0.0.1 that never accepts.
class c_silent_listener {
public:
    explicit c_silent_listener(int backlog) {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_fd, backlog), 0);
        EXPECT_EQ(::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
        m_port = ntohs(address.sin_port);
    }
    ~c_silent_listener() { ::close(m_fd); }
    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }

private:
    int m_fd = -1;
    uint16_t m_port = 0;
};

TEST(http_deadline, connect_gives_up_when_the_peer_never_completes_it) {
    c_silent_listener listener(0);
    // Fill the accept queue; further handshakes are then left unanswered.
    std::vector<std::unique_ptr<c_http_connection>> fillers;
    std::string error;
    int64_t took = 0;
    for (int i = 0; i < 8 && error.empty(); ++i) {
        fillers.push_back(std::make_unique<c_http_connection>(listener.host()));
        c_http_connection& connection = *fillers.back();
        const int64_t start = steady_clock_ms();
        connection.set_deadline(start + k_short_deadline_ms);
        error = error_of([&] { connection.connect(); });
        took = steady_clock_ms() - start;
    }
    EXPECT_EQ(error, "connect(): Connection timed out");
    EXPECT_GE(took, k_short_deadline_ms - 1);
    EXPECT_LT(took, k_short_deadline_ms + k_slack_ms);
}

TEST(http_deadline, writing_gives_up_when_the_peer_never_reads) {
    c_silent_listener listener(4);
    c_http_connection connection(listener.host());
    const int64_t start = steady_clock_ms();
    connection.set_deadline(start + k_short_deadline_ms);
    const std::string body(k_large_body_bytes, 'x');
    EXPECT_EQ(error_of([&] { connection.request("/collect", {}, body); }),
              "send(): Connection timed out");
    EXPECT_LT(steady_clock_ms() - start, k_short_deadline_ms + k_slack_ms);
}

TEST(http_deadline, writing_to_a_closed_peer_fails_without_a_signal) {
    c_loopback_options options;
    options.mode = c_loopback_options::k_close;
    c_loopback_server server(options);
    c_http_connection connection(server.host());
    connection.set_deadline(steady_clock_ms() + 5000);
    const std::string body(k_large_body_bytes, 'x');
    const std::string error = error_of([&] { connection.request("/collect", {}, body); });
    // Reaching this line at all shows no SIGPIPE ended the process.
    EXPECT_EQ(error.rfind("send(): ", 0), 0u) << error;
}

}  // namespace
}  // namespace tw
