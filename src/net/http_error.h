// The one exception type of the HTTP client: a formatted message of at most
// 255 characters held in a fixed buffer, so throwing never allocates.
#pragma once
#include <cstddef>
#include <exception>

namespace tw {

class http_error : public std::exception {
public:
    static constexpr size_t k_message_size = 256;  // text plus terminator

    // Formats the message printf-style; longer text is cut at 255 characters.
    explicit http_error(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The formatted message.
    const char* what() const noexcept override { return m_message; }

private:
    char m_message[k_message_size];
};

// Throws "<operation>: <text>" with the text of a POSIX socket error number.
[[noreturn]] void throw_socket_error(const char* operation, int error_number);

}  // namespace tw
