// The game's table of states: which state each requested identifier installs.
#pragma once
#include <cstdint>
#include <memory>

#include "app/application.h"

namespace tw {

// The state for an identifier; null for identifiers without a state yet, which
// the application drops, keeping the current state.
std::unique_ptr<c_state> make_game_state(uint16_t id);

}  // namespace tw
