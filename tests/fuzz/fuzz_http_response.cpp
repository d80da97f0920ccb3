// Fuzz entry: any bytes, arriving in pieces of any size, give a parsed response
// or a clean http_error, never a crash; the parser never claims more bytes than
// it was given and never reports more body than arrived.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "net/http_error.h"
#include "net/http_response.h"

namespace {

constexpr size_t k_max_piece = 64;

void check(bool condition) {
    if (!condition) std::abort();
}

// The size of the piece starting at position, taken from the bytes themselves
// so every input also chooses its own split points.
size_t piece_size(const uint8_t* data, size_t size, size_t position) {
    const size_t key = data[size - 1] + data[position] + position * 31;
    return 1 + key % k_max_piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    tw::c_http_callbacks callbacks;
    size_t body_bytes = 0;
    int completes = 0;
    callbacks.on_data = [&](const char*, size_t count) { body_bytes += count; };
    callbacks.on_complete = [&](const tw::c_http_response&) { ++completes; };
    tw::c_http_response response(&callbacks, data[0] % 2 ? "POST" : "HEAD");
    const char* bytes = reinterpret_cast<const char*>(data);
    size_t used_total = 0;
    try {
        for (size_t at = 0; at < size;) {
            const size_t count = std::min(piece_size(data, size, at), size - at);
            const size_t used = response.feed(bytes + at, count);
            check(used <= count);
            check(used == count || response.complete());
            used_total += used;
            if (response.complete()) break;
            at += count;
        }
        response.connection_closed();
    } catch (const tw::http_error&) {
    }
    check(used_total <= size);
    check(body_bytes <= size);
    check(int64_t(body_bytes) == response.body_received());
    check(completes == (response.complete() ? 1 : 0));
    if (response.complete() && !response.chunked() && response.content_length() >= 0) {
        check(response.body_received() == response.content_length());
    }
    return 0;
}
