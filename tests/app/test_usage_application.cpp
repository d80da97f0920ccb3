// Usage messages around the application's start and stop: the session hits go
// to the collector after the player data is loaded, an event message that
// could not be sent waits in "data.xml" and goes out on the next run with the
// same identifier, and an offline start-up does not stall.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "app/harness.h"
#include "net/loopback_server.h"
#include "net/usage_messages.h"
#include "support/temp_folder.h"

using namespace tw;
using tw_test::read_text;

namespace {

constexpr const char* k_ok_response = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
constexpr int k_port_server_life_ms = 10000;

// Answers on one chosen port of 127.0.0.1. The shared loopback server always
// takes a fresh port, but a message saved in one run names the port it was
// built for, so the next run's server has to come up on that same port.
class c_port_server {
public:
    explicit c_port_server(uint16_t port) {
        listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int yes = 1;
        ::setsockopt(listen_fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        listening_ = ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(listen_fd_, 8) == 0;
        if (listening_) thread_ = std::thread([this] { run(); });
    }
    ~c_port_server() {
        done_ = true;
        if (thread_.joinable()) thread_.join();
        ::close(listen_fd_);
    }
    bool listening() const { return listening_; }
    std::vector<std::string> bodies() {
        std::lock_guard<std::mutex> lock(mutex_);
        return bodies_;
    }

private:
    void run() {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(k_port_server_life_ms);
        while (!done_ && std::chrono::steady_clock::now() < end) {
            pollfd p{listen_fd_, POLLIN, 0};
            if (::poll(&p, 1, 20) <= 0) continue;
            const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            serve(fd);
            ::close(fd);
        }
    }
    // Reads one request whole (headers, then Content-Length bytes) and answers it.
    void serve(int fd) {
        std::string text;
        char buffer[4096];
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0) return;
            const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0) return;
            text.append(buffer, size_t(got));
            const size_t head_end = text.find("\r\n\r\n");
            if (head_end == std::string::npos) continue;
            const size_t field = text.find("Content-Length:");
            const size_t length = field < head_end ? std::strtoul(text.c_str() + field + 15, nullptr, 10) : 0;
            if (text.size() < head_end + 4 + length) continue;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                bodies_.push_back(text.substr(head_end + 4, length));
            }
            ::send(fd, k_ok_response, std::strlen(k_ok_response), MSG_NOSIGNAL);
            return;
        }
    }

    int listen_fd_ = -1;
    bool listening_ = false;
    std::atomic<bool> done_{false};
    std::mutex mutex_;
    std::vector<std::string> bodies_;
    std::thread thread_;
};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The body of a recorded request.
std::string body_of(const std::string& request) {
    const size_t start = request.find("\r\n\r\n");
    return start == std::string::npos ? "" : request.substr(start + 4);
}

class usage_application : public ::testing::Test {
protected:
    usage_application() { h.window.set_time(1.0); }

    // An application with no states, every message aimed at host.
    std::unique_ptr<c_application> make_app(const std::string& host) {
        auto app = std::make_unique<c_application>();
        app->make_state = [](uint16_t) { return nullptr; };
        app->data.persistent.endpoints.event_host = host;
        app->data.persistent.endpoints.collector_host = host;
        return app;
    }

    tw_test::c_temp_save_folder save;
    tw_test::c_headless_platform h;
};

}  // namespace

TEST_F(usage_application, start_sends_the_session_start_hit_with_the_loaded_install_id) {
    std::filesystem::create_directories(save.folder.path + "/Thistlewarp");
    std::ofstream(save.file("data.xml")) << "<persistent_data install_id=\"777\" sessions_count=\"4\"/>";
    c_loopback_server server;
    auto app = make_app(server.host());
    app->start(h.platform);
    ASSERT_EQ(server.wait_for_requests(1, 2000), 1u);
    const std::string body = body_of(server.requests().front());
    EXPECT_TRUE(has(body, "cid=_777&")) << body;
    EXPECT_TRUE(has(body, "sc=start&")) << body;
    EXPECT_TRUE(app->data.persistent.analytics_queue.empty());
}

TEST_F(usage_application, stop_sends_the_session_end_hit_and_queued_events) {
    c_loopback_server server;
    auto app = make_app(server.host());
    app->start(h.platform);
    queue_event(app->data.persistent, "start_menu", 0, "");
    app->stop(h.platform);
    ASSERT_EQ(server.wait_for_requests(3, 2000), 3u);
    const auto requests = server.requests();
    // Start: session start. Stop: the event queue first, then the session end.
    EXPECT_TRUE(has(body_of(requests[0]), "sc=start&"));
    EXPECT_TRUE(has(body_of(requests[1]), "event=start_menu&"));
    EXPECT_TRUE(has(body_of(requests[2]), "sc=end&"));
    EXPECT_FALSE(has(read_text(save.file("data.xml")), "<message "));
}

TEST_F(usage_application, an_unsent_event_waits_in_the_file_and_goes_out_next_run_with_its_id) {
    const uint16_t port = refused_port();
    const std::string host = "127.0.0.1:" + std::to_string(port);
    {
        // First run: nothing listens on the port.
        auto app = make_app(host);
        app->start(h.platform);
        queue_event(app->data.persistent, "start_menu", 0, "");
        queue_event(app->data.persistent, "leave_menu", 0, "");
        app->stop(h.platform);
        EXPECT_TRUE(app->data.persistent.event_queue.empty());
    }
    const std::string saved = read_text(save.file("data.xml"));
    EXPECT_TRUE(has(saved, "message_counter=\"2\"")) << saved;
    EXPECT_TRUE(has(saved, "name=\"message_id\" value=\"0\"")) << saved;
    EXPECT_TRUE(has(saved, "name=\"message_id\" value=\"1\"")) << saved;

    // Second run: the server is up on the same port.
    c_port_server server(port);
    ASSERT_TRUE(server.listening());
    auto app = make_app(host);
    app->start(h.platform);
    const auto bodies = server.bodies();
    ASSERT_EQ(bodies.size(), 3u);
    EXPECT_TRUE(has(bodies[0], "event=start_menu&")) << bodies[0];
    EXPECT_TRUE(has(bodies[0], "message_id=0&")) << bodies[0];
    EXPECT_TRUE(has(bodies[1], "message_id=1&")) << bodies[1];
    EXPECT_TRUE(has(bodies[2], "sc=start&")) << bodies[2];
    // The next event carries on the count.
    queue_event(app->data.persistent, "start_menu", 0, "");
    EXPECT_EQ(app->data.persistent.event_queue.back()->params.front().second, "2");
}

TEST_F(usage_application, offline_start_up_tries_each_queue_once_and_keeps_the_events) {
    const std::string host = "127.0.0.1:" + std::to_string(refused_port());
    {
        auto app = make_app(host);
        app->start(h.platform);
        for (int i = 0; i < 5; ++i) queue_event(app->data.persistent, "start_menu", 0, "");
        app->stop(h.platform);
    }
    auto app = make_app(host);
    int sends = 0;
    app->send_message = [&sends](c_http_message& m, uint32_t time_ms) {
        ++sends;
        return send_by_message(m, time_ms);
    };
    const auto t0 = std::chrono::steady_clock::now();
    app->start(h.platform);
    const auto took = std::chrono::steady_clock::now() - t0;
    // One failed try per queue, not retries until the limits run out.
    EXPECT_EQ(sends, 2);
    EXPECT_LT(took, std::chrono::milliseconds(500));
    EXPECT_EQ(app->data.persistent.event_queue.size(), 5u);
    app->stop(h.platform);
    const std::string saved = read_text(save.file("data.xml"));
    EXPECT_TRUE(has(saved, "name=\"message_id\" value=\"4\"")) << saved;
}
