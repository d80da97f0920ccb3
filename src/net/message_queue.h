// The queues of outgoing messages, their cap and their time-limited flush.
// Messages go out oldest first; one that fails stays at the head for the next
// flush.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>

#include "net/http_message.h"
#include "net/send_outcome.h"

namespace tw {

using message_queue = std::list<std::unique_ptr<c_http_message>>;

// Most messages a queue keeps; a game left offline for long drops its oldest.
constexpr size_t k_max_queued_messages = 10000;

// Sends one message within time_ms milliseconds and says what became of it.
using message_sender = std::function<e_send_outcome(c_http_message&, uint32_t time_ms)>;
// Milliseconds of a monotonic clock.
using millisecond_clock = std::function<uint32_t()>;

// The sender the game uses: the message's own send().
e_send_outcome send_by_message(c_http_message& message, uint32_t time_ms);

// Drops the oldest messages until at most cap are left.
void trim_queue(message_queue& queue, size_t cap = k_max_queued_messages);
// Appends a message, then trims the queue to the cap.
void push_message(message_queue& queue, std::unique_ptr<c_http_message> message);

// Sends queued messages oldest first, giving each the time left of limit_ms,
// until the queue is empty, no time is left, or a send fails; a failed message
// stays at the head, a rejected or undeliverable one is dropped. Returns how
// many were delivered. Without a sender or clock nothing is sent or lost.
size_t flush(message_queue& queue, uint16_t limit_ms, const message_sender& send,
             const millisecond_clock& clock);

}  // namespace tw
