// Parsing of one HTTP/1.x response, line by line for the framing and in
// ranges for the body; every size read from the peer is checked before use.
#include "net/http_response.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "net/http_error.h"

namespace tw {

namespace {

constexpr size_t k_max_status_digits = 9;        // more cannot be a three-digit code
constexpr size_t k_max_length_digits = 18;       // stays below 2^63
constexpr size_t k_max_chunk_hex_digits = 15;    // stays below 2^60

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool equals_ignoring_case(const std::string* text, const char* word) {
    return text && lower(*text) == word;
}

std::string trim_blanks(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_blank(text[begin])) ++begin;
    while (end > begin && is_blank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// Decimal digits only; false when empty, not a number or too long.
bool parse_decimal(const std::string& text, size_t max_digits, int64_t& value) {
    if (text.empty() || text.size() > max_digits) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

c_http_response::c_http_response(const c_http_callbacks* callbacks, std::string method)
    : m_callbacks(callbacks), m_method(std::move(method)) {}

const std::string* c_http_response::header(const std::string& name) const {
    const auto found = m_headers.find(name);
    return found == m_headers.end() ? nullptr : &found->second;
}

size_t c_http_response::feed(const char* bytes, size_t count) {
    size_t used = 0;
    while (used < count && m_state != k_complete) {
        if (m_state == k_body) {
            used += feed_body(bytes + used, count - used);
            continue;
        }
        const char* start = bytes + used;
        const void* found = std::memchr(start, '\n', count - used);
        const size_t take = found ? size_t(static_cast<const char*>(found) - start) : count - used;
        for (size_t i = 0; i < take; ++i) {
            if (start[i] != '\r') m_line.push_back(start[i]);
        }
        if (m_line.size() > k_max_line_bytes) throw http_error("Line too long");
        used += take;
        if (!found) break;
        ++used;  // the line feed
        std::string line;
        line.swap(m_line);
        process_line(line);
    }
    return used;
}

size_t c_http_response::feed_body(const char* bytes, size_t count) {
    size_t take = count;
    if (m_chunked) {
        take = size_t(std::min<int64_t>(int64_t(count), m_chunk_left));
    } else if (m_content_length >= 0) {
        take = size_t(std::min<int64_t>(int64_t(count), m_content_length - m_body_received));
    }
    m_body_received += int64_t(take);
    if (take > 0 && m_callbacks && m_callbacks->on_data) m_callbacks->on_data(bytes, take);
    if (m_chunked) {
        m_chunk_left -= int64_t(take);
        if (m_chunk_left == 0) m_state = k_chunk_end;
    } else if (m_content_length >= 0 && m_body_received == m_content_length) {
        finish();
    }
    return take;
}

void c_http_response::process_line(const std::string& line) {
    switch (m_state) {
        case k_status_line:
            parse_status_line(line);
            m_state = k_headers;
            break;
        case k_headers:
            m_header_bytes += line.size();
            if (m_header_bytes > k_max_header_bytes) throw http_error("Headers too long");
            if (line.empty()) {
                store_pending_header();
                if (m_status == 100) {
                    // An interim answer: the real status line follows.
                    m_state = k_status_line;
                    m_headers.clear();
                    m_header_bytes = 0;
                } else {
                    begin_body();
                }
            } else if (is_blank(line[0])) {
                size_t first = 0;
                while (first < line.size() && is_blank(line[first])) ++first;
                m_pending_header += ' ';
                m_pending_header.append(line, first, std::string::npos);
            } else {
                store_pending_header();
                m_pending_header = line;
            }
            break;
        case k_chunk_length:
            parse_chunk_length(line);
            break;
        case k_chunk_end:
            m_state = k_chunk_length;
            break;
        case k_trailers:
            if (line.empty()) finish();
            break;
        default:
            break;
    }
}

void c_http_response::parse_status_line(const std::string& line) {
    const size_t version_end = std::min(line.find(' '), line.size());
    size_t status_begin = version_end;
    while (status_begin < line.size() && line[status_begin] == ' ') ++status_begin;
    const size_t status_end = std::min(line.find(' ', status_begin), line.size());
    size_t reason_begin = status_end;
    while (reason_begin < line.size() && line[reason_begin] == ' ') ++reason_begin;

    int64_t status = 0;
    if (!parse_decimal(line.substr(status_begin, status_end - status_begin), k_max_status_digits,
                       status) ||
        status < 100 || status > 999) {
        throw http_error("BadStatusLine (%s)", line.c_str());
    }
    const std::string version = line.substr(0, version_end);
    if (version == "HTTP/1.0") {
        m_version = 10;
    } else if (version.compare(0, 7, "HTTP/1.") == 0) {
        m_version = 11;
    } else {
        throw http_error("UnknownProtocol (%s)", version.c_str());
    }
    m_version_text = version;
    m_status = int(status);
    m_reason = line.substr(reason_begin);
}

void c_http_response::parse_chunk_length(const std::string& line) {
    const std::string digits = trim_blanks(line.substr(0, line.find(';')));
    size_t first = 0;
    while (first + 1 < digits.size() && digits[first] == '0') ++first;
    if (digits.empty() || digits.size() - first > k_max_chunk_hex_digits) {
        throw http_error("Bad chunk length (%s)", line.c_str());
    }
    int64_t length = 0;
    for (size_t i = first; i < digits.size(); ++i) {
        const int digit = hex_digit(digits[i]);
        if (digit < 0) throw http_error("Bad chunk length (%s)", line.c_str());
        length = length * 16 + digit;
    }
    if (length == 0) {
        m_state = k_trailers;
    } else {
        m_chunk_left = length;
        m_state = k_body;
    }
}

void c_http_response::store_pending_header() {
    if (m_pending_header.empty()) return;
    const size_t colon = m_pending_header.find(':');
    if (colon != std::string::npos) {
        m_headers[lower(m_pending_header.substr(0, colon))] =
            trim_blanks(m_pending_header.substr(colon + 1));
    }
    m_pending_header.clear();
}

void c_http_response::begin_body() {
    m_content_length = -1;
    m_chunked = equals_ignoring_case(header("transfer-encoding"), "chunked");
    if (m_chunked) m_chunk_left = -1;
    m_will_close = m_version == 11 ? equals_ignoring_case(header("connection"), "close")
                                   : header("keep-alive") == nullptr;
    const std::string* length = header("content-length");
    if (length && !m_chunked &&
        !parse_decimal(*length, k_max_length_digits, m_content_length)) {
        throw http_error("Bad Content-Length (%s)", length->c_str());
    }
    if ((m_status >= 100 && m_status <= 199) || m_status == 204 || m_status == 304 ||
        m_method == "HEAD") {
        m_content_length = 0;
    }
    if (!m_will_close && !m_chunked && m_content_length < 0) m_will_close = true;
    if (m_callbacks && m_callbacks->on_begin) m_callbacks->on_begin(*this);
    m_state = m_chunked ? k_chunk_length : k_body;
    // An empty body is complete at once; no further byte will arrive for it.
    if (!m_chunked && m_content_length == 0) finish();
}

void c_http_response::finish() {
    m_state = k_complete;
    if (m_callbacks && m_callbacks->on_complete) m_callbacks->on_complete(*this);
}

void c_http_response::connection_closed() {
    if (m_state == k_complete) return;
    if (m_state == k_body && !m_chunked && m_content_length < 0) {
        finish();
        return;
    }
    throw http_error("Connection closed unexpectedly");
}

}  // namespace tw
