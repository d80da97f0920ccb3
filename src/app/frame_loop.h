// Program start-up and the frame loop: input, loading frames or fixed 60 Hz
// ticks, drawing, and the orderly shutdown.
#pragma once
#include "app/state_machine.h"

namespace tw {

// Loading frames spend at most this much wall time loading textures.
constexpr uint32_t k_loading_budget_ms = 15;
// After a stall, at most this many ticks are caught up in one frame.
constexpr uint32_t k_max_ticks_per_frame = 5;

// Opens the window, sets the fixed drawing state, runs the machine until F10,
// the window closes or a termination signal arrives, then shuts down. Returns the process exit code: 0
// after an orderly shutdown, 1 when the window or its context cannot be made.
int run(c_platform& platform, i_platform_state_machine& machine);

// One displayed frame of the loop (steps 2 to 8); exposed for tests and tools.
void run_frame(c_platform& platform, i_platform_state_machine& machine);

}  // namespace tw
