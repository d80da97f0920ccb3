// The queues of outgoing messages and their time-limited flush. Messages go
// out oldest first; one that fails stays at the head for the next pass.
#pragma once
#include <cstdint>
#include <functional>
#include <list>
#include <memory>

#include "net/http_message.h"

namespace tw {

using message_queue = std::list<std::unique_ptr<c_http_message>>;

// Sends one message; true if the request completed.
using message_sender = std::function<bool(c_http_message&)>;
// Milliseconds of a monotonic clock.
using millisecond_clock = std::function<uint32_t()>;

// Sends queued messages oldest first until the queue is empty or more than
// limit_ms have passed. Without a sender nothing is sent and nothing is lost.
void flush(message_queue& queue, uint16_t limit_ms, const message_sender& send,
           const millisecond_clock& clock);

}  // namespace tw
