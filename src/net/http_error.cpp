// Formatting of the HTTP client's exception messages.
#include "net/http_error.h"

#include <cstdarg>
#include <cstdio>

#include "net/socket_error_text.h"

namespace tw {

http_error::http_error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(m_message, sizeof m_message, format, args);
    va_end(args);
    if (written < 0) m_message[0] = '\0';
}

void throw_socket_error(const char* operation, int error_number) {
    throw http_error("%s: %s", operation, socket_error_text(socket_error_code(error_number)));
}

}  // namespace tw
