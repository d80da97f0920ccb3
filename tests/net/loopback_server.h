// A bounded HTTP test server on 127.0.0.1: answers, holds or drops each
// connection, and records every full request it receives. Header-only so any
// test binary can use it.
#pragma once
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tw {

// Settings of a loopback server.
struct c_loopback_options {
    enum e_mode { k_answer, k_hold, k_close };
    static constexpr const char* k_default_response =
        "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

    e_mode mode = k_answer;
    std::string response = k_default_response;  // sent whole after each full request
    size_t max_connections = 16;                // stop accepting after this many
    int time_limit_ms = 5000;                   // the server thread ends by then at the latest
};

class c_loopback_server {
public:
    explicit c_loopback_server(c_loopback_options options = {}) : m_options(std::move(options)) {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (m_listen < 0) throw std::runtime_error("loopback server: socket() failed");
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        socklen_t length = sizeof address;
        if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(m_listen, 16) != 0 ||
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::pipe2(m_wake, O_CLOEXEC) != 0) {
            ::close(m_listen);
            throw std::runtime_error("loopback server: cannot listen on 127.0.0.1");
        }
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { run(); });
    }

    ~c_loopback_server() {
        stop();
        ::close(m_wake[0]);
        ::close(m_wake[1]);
    }

    c_loopback_server(const c_loopback_server&) = delete;
    c_loopback_server& operator=(const c_loopback_server&) = delete;

    // The port the kernel gave the listening socket.
    uint16_t port() const { return m_port; }
    // "127.0.0.1:<port>", the host text a client connects with.
    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }

    // Every full request received so far (request line, headers, body), oldest first.
    std::vector<std::string> requests() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

    // Waits until at least n requests have arrived or timeout_ms has passed; returns the count.
    size_t wait_for_requests(size_t n, int timeout_ms) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::milliseconds(timeout_ms),
                           [&] { return m_requests.size() >= n; });
        return m_requests.size();
    }

    // Connections accepted so far.
    size_t connections() const { return m_accepted.load(); }

    // Ends the server thread and closes every socket; later connects are refused.
    void stop() {
        if (!m_thread.joinable()) return;
        const char byte = 0;
        if (::write(m_wake[1], &byte, 1) < 0) std::abort();
        m_thread.join();
    }

private:
    struct c_client {
        int fd = -1;
        std::string received;
        bool answered = false;
    };

    // Length of the full request at the start of text, or 0 while incomplete.
    static size_t full_request_length(const std::string& text) {
        const size_t end = text.find("\r\n\r\n");
        if (end == std::string::npos) return 0;
        size_t body = 0;
        std::string lower = text.substr(0, end);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        const size_t field = lower.find("\r\ncontent-length:");
        if (field != std::string::npos) body = std::strtoul(lower.c_str() + field + 17, nullptr, 10);
        return text.size() >= end + 4 + body ? end + 4 + body : 0;
    }

    void record(std::string request) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(std::move(request));
        }
        m_changed.notify_all();
    }

    // Reads what a client sent; false when the client is finished with.
    bool serve(c_client& client) {
        char buffer[4096];
        const ssize_t got = ::recv(client.fd, buffer, sizeof buffer, 0);
        if (got <= 0) return false;
        if (client.answered) return true;  // ignore anything after the request
        client.received.append(buffer, size_t(got));
        const size_t length = full_request_length(client.received);
        if (length == 0) return true;
        record(client.received.substr(0, length));
        client.answered = true;
        if (m_options.mode == c_loopback_options::k_hold) return true;
        const std::string& out = m_options.response;
        size_t sent = 0;
        while (sent < out.size()) {
            const ssize_t n = ::send(client.fd, out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) break;
            sent += size_t(n);
        }
        return false;
    }

    void run() {
        using clock = std::chrono::steady_clock;
        const auto end = clock::now() + std::chrono::milliseconds(m_options.time_limit_ms);
        std::vector<c_client> clients;
        bool accepting = true;
        for (;;) {
            std::vector<pollfd> fds;
            fds.push_back({m_wake[0], POLLIN, 0});
            fds.push_back({accepting ? m_listen : -1, POLLIN, 0});
            for (const c_client& client : clients) fds.push_back({client.fd, POLLIN, 0});
            if (!accepting && clients.empty()) break;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - clock::now());
            if (left.count() <= 0) break;
            if (::poll(fds.data(), fds.size(), int(left.count())) < 0 && errno != EINTR) break;
            if (fds[0].revents) break;
            for (size_t i = clients.size(); i-- > 0;) {
                if (!fds[i + 2].revents) continue;
                if (!serve(clients[i])) {
                    ::close(clients[i].fd);
                    clients.erase(clients.begin() + long(i));
                }
            }
            if (accepting && (fds[1].revents & POLLIN)) {
                const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
                if (fd >= 0) {
                    ++m_accepted;
                    if (m_options.mode == c_loopback_options::k_close) {
                        ::close(fd);
                    } else {
                        clients.push_back({fd, {}, false});
                    }
                    if (m_accepted >= m_options.max_connections) {
                        accepting = false;
                        ::close(m_listen);
                        m_listen = -1;
                    }
                }
            }
        }
        for (const c_client& client : clients) ::close(client.fd);
        if (m_listen >= 0) ::close(m_listen);
        m_listen = -1;
    }

    c_loopback_options m_options;
    int m_listen = -1;
    int m_wake[2] = {-1, -1};
    uint16_t m_port = 0;
    std::atomic<size_t> m_accepted{0};
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

// A port on 127.0.0.1 where nothing listens: bound once, then released.
inline uint16_t refused_port() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("refused_port: socket() failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("refused_port: bind() failed");
    }
    ::close(fd);
    return ntohs(address.sin_port);
}

}  // namespace tw
