// Texts of socket errors: the classic socket error codes (10004...11004) with
// their fixed texts, and the mapping of POSIX errno values onto those codes.
#pragma once

namespace tw {

// The classic socket code for a POSIX errno value; 0 for 0; -1 when it has no counterpart.
int socket_error_code(int error_number);

// The fixed text of a classic socket code; "unknown" for a code not in the table.
const char* socket_error_text(int code);

}  // namespace tw
