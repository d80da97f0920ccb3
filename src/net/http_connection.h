// One HTTP/1.1 connection: writes a request and parses the responses as their
// bytes arrive, without ever blocking past its deadline.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "net/http_response.h"

namespace tw {

// Milliseconds of a monotonic clock.
using http_clock_ms = std::function<int64_t()>;

// Milliseconds of the process's steady clock: the default clock of the client.
int64_t steady_clock_ms();

class c_http_connection {
public:
    enum : int { k_idle = 0, k_request_started = 1 };
    static constexpr uint16_t k_default_port = 80;
    static constexpr int64_t k_default_time_limit_ms = 2001;
    static constexpr size_t k_receive_bytes = 2048;  // read per pump

    // host is "name" or "name:port"; the deadline starts as the default time
    // limit after construction. An empty clock means steady_clock_ms.
    explicit c_http_connection(const std::string& host, http_clock_ms clock = {});
    ~c_http_connection();
    c_http_connection(const c_http_connection&) = delete;
    c_http_connection& operator=(const c_http_connection&) = delete;

    // Sets the clock time (ms) after which lookup, connect and writing give up.
    void set_deadline(int64_t deadline_ms) { m_deadline_ms = deadline_ms; }
    // Replaces the callbacks every response of this connection reports to.
    void set_callbacks(c_http_callbacks callbacks) { m_callbacks = std::move(callbacks); }

    // Resolves the host and connects before the deadline; throws http_error.
    void connect();
    // Closes the socket and drops every outstanding response.
    void close();
    // Starts a POST request line for url plus Host and Accept-Encoding; throws if one is started.
    void put_request(const std::string& url);
    // Adds a header line to the started request; throws if none is started.
    void put_header(const std::string& name, const std::string& value);
    // Ends the header block, connects if needed and writes it; throws http_error.
    void end_headers();
    // A whole request: request line, Content-Length unless given, headers in order, body.
    void request(const std::string& url,
                 const std::vector<std::pair<std::string, std::string>>& headers,
                 const std::string& body);
    // Writes all bytes before the deadline, connecting first if needed; throws http_error.
    void send_all(const char* bytes, size_t count);
    // Reads what has arrived without waiting and feeds it to the outstanding
    // responses; throws http_error on socket or protocol errors.
    void pump();

    int state() const { return m_state; }
    const std::string& host() const { return m_host; }
    uint16_t port() const { return m_port; }
    bool connected() const { return m_socket >= 0; }
    size_t outstanding() const { return m_responses.size(); }

private:
    // Closes the socket but keeps the responses waiting for the request being written.
    void close_socket();
    int64_t remaining_ms() const;
    // Waits until the socket is writable or the deadline passes; false on time-out.
    bool wait_writable();

    std::string m_host;  // as given, sent in the Host header
    std::string m_name;  // host without the port
    uint16_t m_port = k_default_port;
    bool m_host_valid = false;
    http_clock_ms m_clock;
    int64_t m_deadline_ms = 0;
    int m_state = k_idle;
    int m_socket = -1;
    std::vector<std::string> m_lines;
    std::deque<std::unique_ptr<c_http_response>> m_responses;
    c_http_callbacks m_callbacks;
};

}  // namespace tw
