// Paces frames when the buffer swap does not wait for the vertical retrace
// (Xvfb, some drivers): how long to sleep so frames are one period apart.
#pragma once

namespace tw {

class c_frame_pacer {
public:
    explicit c_frame_pacer(double period_seconds = 1.0 / 60.0) : period_(period_seconds) {}
    // Given the time a swap returned, the seconds to sleep before the next frame.
    // A swap that already waited (vsync) or a frame that ran late needs none.
    double sleep_after_swap(double now);

private:
    double period_;
    double next_frame_ = -1.0;
};

}  // namespace tw
