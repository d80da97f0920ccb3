// The queues of outgoing messages and their time-limited flush. Messages go
// out oldest first; one that fails stays at the head for the next flush.
#pragma once
#include <cstddef>
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

// The sender the game uses: the message's own send().
bool send_by_message(c_http_message& message);

// Sends queued messages oldest first until the queue is empty, more than
// limit_ms have passed, or a send fails; a failed message stays at the head.
// Returns how many were sent. Without a sender or clock nothing is sent or lost.
size_t flush(message_queue& queue, uint16_t limit_ms, const message_sender& send,
             const millisecond_clock& clock);

}  // namespace tw
