// Frame pacing arithmetic, kept apart from the sleeping so it can be tested.
#include "platform/frame_pacer.h"

namespace tw {

namespace {
constexpr double k_min_sleep_seconds = 0.001;  // shorter waits are not worth a sleep
}

double c_frame_pacer::sleep_after_swap(double now) {
    if (next_frame_ < 0.0 || now >= next_frame_ || now < next_frame_ - 2.0 * period_) {
        // First frame, a late frame or a clock jump: start a fresh schedule from now.
        next_frame_ = now + period_;
        return 0.0;
    }
    double wait = next_frame_ - now;
    next_frame_ += period_;
    return wait >= k_min_sleep_seconds ? wait : 0.0;
}

}  // namespace tw
