// Capping and time-limited sending of a message queue.
#include "net/message_queue.h"

namespace tw {

e_send_outcome send_by_message(c_http_message& message, uint32_t time_ms) {
    return message.send(time_ms);
}

void trim_queue(message_queue& queue, size_t cap) {
    while (queue.size() > cap) queue.pop_front();
}

void push_message(message_queue& queue, std::unique_ptr<c_http_message> message) {
    queue.push_back(std::move(message));
    trim_queue(queue);
}

size_t flush(message_queue& queue, uint16_t limit_ms, const message_sender& send,
             const millisecond_clock& clock) {
    if (!send || !clock) return 0;
    const uint32_t start = clock();
    size_t delivered = 0;
    while (!queue.empty()) {
        // Each send gets only what is left, so the flush as a whole keeps to
        // its limit even when the server takes every connection and never answers.
        const uint32_t used = clock() - start;
        if (used >= limit_ms) break;
        const e_send_outcome outcome = send(*queue.front(), limit_ms - used);
        // A failure means no network, a refused port, a silent server or one
        // that answers for the endpoint but is not it; the next message would
        // most likely fail the same way, so trying the rest now would only hold
        // up the loading screen.
        if (outcome == e_send_outcome::k_failed) break;
        // Rejected and undeliverable messages would fail the same way for ever
        // and hold up every message behind them.
        if (outcome == e_send_outcome::k_delivered) ++delivered;
        queue.pop_front();
    }
    return delivered;
}

}  // namespace tw
