// One form post with a time limit, polled by its caller until it completes or
// fails: the layer the usage messages send through.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "net/http_connection.h"

namespace tw {

class c_http_request {
public:
    enum : uint16_t { k_created = 0, k_sent = 1, k_completed = 2, k_failed = 3 };
    using clock_ms = std::function<int64_t()>;
    static constexpr int64_t k_time_limit_ms = 2001;          // from send to giving up
    static constexpr size_t k_max_response_bytes = 1 << 20;   // more fails the request

    // host is "name" or "name:port" (default port 80); address is the request
    // target. An empty clock means the steady clock in milliseconds.
    c_http_request(const std::string& host, const std::string& address, clock_ms clock = {});
    c_http_request(const c_http_request&) = delete;
    c_http_request& operator=(const c_http_request&) = delete;

    // Adds a form field; the first value given for a name wins.
    void add_field(const std::string& name, const std::string& text);
    // Adds a form field written in decimal; the first value given for a name wins.
    void add_field(const std::string& name, int64_t value);
    // Posts the form and gives the request time_limit_ms from now to complete,
    // never more than k_time_limit_ms; never throws, failure gives k_failed.
    // Only the first call sends.
    void send(int64_t time_limit_ms = k_time_limit_ms);
    // Reads what has arrived; true once completed or failed. Never throws.
    bool poll();
    // k_created, k_sent, k_completed or k_failed.
    uint16_t status() const { return m_status; }
    // The HTTP status code of the answer once completed, 0 before.
    int response_status() const { return m_response_status; }
    // The response body received so far.
    const std::string& response_text() const { return m_response_text; }
    // The form body: name=value pairs in name order joined by '&'.
    std::string body() const;

private:
    uint16_t m_status = k_created;
    int m_response_status = 0;
    std::string m_address;
    std::map<std::string, std::string> m_form;
    std::string m_response_text;
    clock_ms m_clock;
    int64_t m_start_ms = 0;
    int64_t m_limit_ms = k_time_limit_ms;
    c_http_connection m_connection;
};

}  // namespace tw
