// Time-limited sending of a message queue.
#include "net/message_queue.h"

namespace tw {

bool send_by_message(c_http_message& message) { return message.send(); }

size_t flush(message_queue& queue, uint16_t limit_ms, const message_sender& send,
             const millisecond_clock& clock) {
    if (!send || !clock) return 0;
    const uint32_t start = clock();
    size_t sent = 0;
    while (!queue.empty()) {
        if (clock() - start > limit_ms) break;
        // A failure means no network, a refused port or a silent server; the
        // next message would most likely fail the same way, so trying again now
        // (or trying the rest) would only hold up the loading screen.
        if (!send(*queue.front())) break;
        queue.pop_front();
        ++sent;
    }
    return sent;
}

}  // namespace tw
