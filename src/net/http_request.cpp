// The form post: body building, sending within the time limit, and polling
// that turns every transport or protocol error into a failed request.
#include "net/http_request.h"

#include <algorithm>
#include <exception>

#include "net/http_error.h"

namespace tw {

c_http_request::c_http_request(const std::string& host, const std::string& address,
                               clock_ms clock)
    : m_address(address),
      m_clock(clock ? std::move(clock) : clock_ms(steady_clock_ms)),
      m_start_ms(m_clock()),
      m_connection(host, m_clock) {}

void c_http_request::add_field(const std::string& name, const std::string& text) {
    m_form.emplace(name, text);
}

void c_http_request::add_field(const std::string& name, int64_t value) {
    add_field(name, std::to_string(value));
}

std::string c_http_request::body() const {
    std::string text;
    for (const auto& field : m_form) {
        if (!text.empty()) text += '&';
        text += field.first + '=' + field.second;
    }
    return text;
}

void c_http_request::send(int64_t time_limit_ms) {
    if (m_status != k_created) return;
    m_start_ms = m_clock();
    m_limit_ms = std::clamp<int64_t>(time_limit_ms, 0, k_time_limit_ms);
    m_connection.set_deadline(m_start_ms + m_limit_ms);
    c_http_callbacks callbacks;
    callbacks.on_data = [this](const char* bytes, size_t count) {
        if (m_response_text.size() + count > k_max_response_bytes) {
            throw http_error("Response too long");
        }
        m_response_text.append(bytes, count);
    };
    callbacks.on_complete = [this](const c_http_response& response) {
        m_response_status = response.status();
        m_status = k_completed;
    };
    m_connection.set_callbacks(std::move(callbacks));
    try {
        m_connection.request(m_address,
                             {{"Connection", "close"},
                              {"Content-type", "application/x-www-form-urlencoded"},
                              {"Accept", "text/plain"}},
                             body());
        if (m_status == k_created) m_status = k_sent;
    } catch (const std::exception&) {  // http_error, or memory running out
        m_status = k_failed;
    }
}

bool c_http_request::poll() {
    // A request never sent cannot complete; one already finished keeps its result.
    if (m_status == k_created) m_status = k_failed;
    if (m_status == k_completed || m_status == k_failed) return true;
    if (m_clock() - m_start_ms >= m_limit_ms) {
        m_status = k_failed;
        return true;
    }
    try {
        // Only the complete callback marks success: an empty queue alone
        // proves nothing about the response.
        m_connection.pump();
    } catch (const std::exception&) {  // http_error, or memory running out
        m_status = k_failed;
    }
    if (m_status == k_completed || m_status == k_failed) m_connection.close();
    return m_status == k_completed || m_status == k_failed;
}

}  // namespace tw
