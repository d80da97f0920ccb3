// The connection's socket work on non-blocking POSIX sockets: connecting and
// writing wait with poll for at most the time left before the deadline,
// reading never waits.
#include "net/http_connection.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>

#include "net/host_lookup.h"
#include "net/http_error.h"

namespace tw {

namespace {

// A line break inside a request line or header would start a line of the caller's choosing.
void check_line_text(const std::string& text) {
    if (text.find_first_of("\r\n") != std::string::npos) throw http_error("Line break in header text");
}

int poll_timeout(int64_t remaining_ms) {
    if (remaining_ms <= 0) return 0;
    return remaining_ms > INT_MAX ? INT_MAX : int(remaining_ms);
}

}  // namespace

int64_t steady_clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

c_http_connection::c_http_connection(const std::string& host, http_clock_ms clock)
    : m_host(host), m_clock(clock ? std::move(clock) : http_clock_ms(steady_clock_ms)) {
    m_host_valid = split_host_port(host, k_default_port, m_name, m_port);
    m_deadline_ms = m_clock() + k_default_time_limit_ms;
}

c_http_connection::~c_http_connection() { close(); }

int64_t c_http_connection::remaining_ms() const { return m_deadline_ms - m_clock(); }

void c_http_connection::connect() {
    close_socket();
    in_addr address{};
    e_lookup_result found = e_lookup_result::k_not_found;
    if (m_host_valid) found = lookup_ipv4(m_name, remaining_ms(), address);
    if (found == e_lookup_result::k_timed_out) throw_socket_error("getaddrinfo()", ETIMEDOUT);
    if (found != e_lookup_result::k_found) throw http_error("Invalid network address");

    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) throw_socket_error("socket()", errno);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr = address;
    target.sin_port = htons(m_port);
    m_socket = fd;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0) return;
    int error = errno;
    if (error == EINPROGRESS || error == EINTR) {
        if (wait_writable()) {
            socklen_t length = sizeof error;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
            if (error == 0) return;
        } else {
            error = ETIMEDOUT;
        }
    }
    close_socket();
    throw_socket_error("connect()", error);
}

bool c_http_connection::wait_writable() {
    for (;;) {
        pollfd entry{m_socket, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, poll_timeout(remaining_ms()));
        if (ready > 0) return true;
        if (ready == 0) return false;
        if (errno != EINTR) throw_socket_error("poll()", errno);
        if (remaining_ms() <= 0) return false;
    }
}

void c_http_connection::close_socket() {
    if (m_socket >= 0) ::close(m_socket);
    m_socket = -1;
}

void c_http_connection::close() {
    close_socket();
    m_responses.clear();
}

void c_http_connection::put_request(const std::string& url) {
    if (m_state != k_idle) throw http_error("Request already issued");
    check_line_text(url);
    m_state = k_request_started;
    m_lines.push_back("POST " + url + " HTTP/1.1");
    put_header("Host", m_host);
    put_header("Accept-Encoding", "identity");
    m_responses.push_back(std::make_unique<c_http_response>(&m_callbacks, "POST"));
}

void c_http_connection::put_header(const std::string& name, const std::string& value) {
    if (m_state != k_request_started) throw http_error("putheader() failed");
    check_line_text(name);
    check_line_text(value);
    m_lines.push_back(name + ": " + value);
}

void c_http_connection::end_headers() {
    if (m_state != k_request_started) throw http_error("Cannot send header");
    m_state = k_idle;
    m_lines.emplace_back();
    std::string text;
    for (const std::string& line : m_lines) text += line + "\r\n";
    m_lines.clear();
    send_all(text.data(), text.size());
}

void c_http_connection::request(const std::string& url,
                                const std::vector<std::pair<std::string, std::string>>& headers,
                                const std::string& body) {
    bool has_length = false;
    for (const auto& header : headers) {
        if (strcasecmp(header.first.c_str(), "Content-Length") == 0) has_length = true;
    }
    put_request(url);
    if (!body.empty() && !has_length) put_header("Content-Length", std::to_string(body.size()));
    for (const auto& header : headers) put_header(header.first, header.second);
    end_headers();
    if (!body.empty()) send_all(body.data(), body.size());
}

void c_http_connection::send_all(const char* bytes, size_t count) {
    if (m_socket < 0) connect();
    size_t sent = 0;
    while (sent < count) {
        const ssize_t n = ::send(m_socket, bytes + sent, count - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!wait_writable()) throw_socket_error("send()", ETIMEDOUT);
        } else {
            throw_socket_error("send()", n < 0 ? errno : EPIPE);
        }
    }
}

void c_http_connection::pump() {
    if (m_responses.empty() || m_socket < 0) return;
    pollfd entry{m_socket, POLLIN, 0};
    const int ready = ::poll(&entry, 1, 0);
    if (ready < 0) {
        if (errno == EINTR) return;
        throw_socket_error("poll()", errno);
    }
    if (ready == 0) return;
    char buffer[k_receive_bytes];
    const ssize_t got = ::recv(m_socket, buffer, sizeof buffer, 0);
    if (got < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return;
        throw_socket_error("recv()", errno);
    }
    if (got == 0) {
        // Taken out before closing so the response can still report while the
        // connection is already in its closed state.
        std::unique_ptr<c_http_response> oldest = std::move(m_responses.front());
        m_responses.pop_front();
        close();
        oldest->connection_closed();
        return;
    }
    size_t used = 0;
    while (used < size_t(got) && !m_responses.empty()) {
        used += m_responses.front()->feed(buffer + used, size_t(got) - used);
        if (m_responses.front()->complete()) m_responses.pop_front();
    }
}

}  // namespace tw
