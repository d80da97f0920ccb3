// Incremental parser of one HTTP/1.x response: status line, headers, and a
// plain, length-delimited or chunked body, fed with bytes as they arrive.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

namespace tw {

class c_http_response;

// What a response reports while it is parsed; any member may be empty.
struct c_http_callbacks {
    std::function<void(const c_http_response&)> on_begin;     // headers parsed, body follows
    std::function<void(const char*, size_t)> on_data;         // body bytes, chunk framing removed
    std::function<void(const c_http_response&)> on_complete;  // the whole response arrived
};

class c_http_response {
public:
    enum : int {
        k_status_line = 0,
        k_headers = 1,
        k_body = 2,
        k_chunk_length = 3,
        k_chunk_end = 4,
        k_trailers = 5,
        k_complete = 6
    };
    static constexpr size_t k_max_line_bytes = 64 * 1024;     // longest status, header or chunk line
    static constexpr size_t k_max_header_bytes = 256 * 1024;  // all headers of one response together

    // callbacks may be null; when given it must outlive the response.
    explicit c_http_response(const c_http_callbacks* callbacks, std::string method = "POST");

    // Parses up to count bytes; returns how many it used (fewer only once complete).
    // Throws http_error on a malformed or oversized response.
    size_t feed(const char* bytes, size_t count);
    // The peer closed the connection: completes a body that runs until close,
    // does nothing when already complete, otherwise throws http_error.
    void connection_closed();

    int state() const { return m_state; }
    bool complete() const { return m_state == k_complete; }
    const std::string& method() const { return m_method; }
    const std::string& version_text() const { return m_version_text; }
    int version() const { return m_version; }  // 10 or 11
    int status() const { return m_status; }
    const std::string& reason() const { return m_reason; }
    // Header values by lower-case name; a later header of a name replaces an earlier one.
    const std::map<std::string, std::string>& headers() const { return m_headers; }
    // The value of a header by lower-case name, or nullptr.
    const std::string* header(const std::string& name) const;
    int64_t body_received() const { return m_body_received; }
    bool chunked() const { return m_chunked; }
    int64_t content_length() const { return m_content_length; }  // -1 while unknown
    bool will_close() const { return m_will_close; }

private:
    size_t feed_body(const char* bytes, size_t count);
    void process_line(const std::string& line);
    void parse_status_line(const std::string& line);
    void parse_chunk_length(const std::string& line);
    void store_pending_header();
    void begin_body();
    void finish();

    const c_http_callbacks* m_callbacks;
    int m_state = k_status_line;
    std::string m_method;
    std::string m_version_text;
    int m_version = 11;
    int m_status = 0;
    std::string m_reason;
    std::map<std::string, std::string> m_headers;
    size_t m_header_bytes = 0;
    int64_t m_body_received = 0;
    bool m_chunked = false;
    int64_t m_chunk_left = -1;
    int64_t m_content_length = -1;
    bool m_will_close = false;
    std::string m_line;
    std::string m_pending_header;
};

}  // namespace tw
