// Time-limited sending of a message queue.
#include "net/message_queue.h"

namespace tw {

void flush(message_queue& queue, uint16_t limit_ms, const message_sender& send,
           const millisecond_clock& clock) {
    if (!send || !clock) return;
    const uint32_t start = clock();
    while (!queue.empty()) {
        if (clock() - start > limit_ms) return;
        if (send(*queue.front())) queue.pop_front();
    }
}

}  // namespace tw
