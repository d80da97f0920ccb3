// Construction and the clock of the platform object.
#include "platform/platform.h"

#include <cmath>

namespace tw {

c_platform::c_platform(i_window& window, i_render_device& device)
    : window_(window), device_(device) {}

c_platform::~c_platform() { release_all(); }

uint32_t c_platform::now_ms() {
    if (!window_.is_initialised()) return 0;
    // Truncated towards zero to 64 bits; only the low 32 bits are used further.
    int64_t ms = static_cast<int64_t>(window_.time() * 1000.0);
    return static_cast<uint32_t>(ms);
}

uint32_t c_platform::now_ticks() {
    // Wraps after about 19.9 hours of timer time; the frame loop's step clamp absorbs the jump.
    return (now_ms() * 60u) / 1000u;
}

}  // namespace tw
