// Test helper: the text of the http_error a call throws.
#pragma once
#include <string>

#include "net/http_error.h"

namespace tw {

// Runs fn and returns the http_error text it throws, or "" when it does not throw.
template <typename fn_type>
std::string error_of(fn_type fn) {
    try {
        fn();
    } catch (const http_error& error) {
        return error.what();
    }
    return "";
}

}  // namespace tw
