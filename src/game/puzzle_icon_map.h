// The chapter's map from puzzle id to its icon in the bar.
#pragma once
#include <cstdint>
#include <map>

namespace tw {

class c_ui_puzzle;

using puzzle_icon_map = std::map<uint16_t, c_ui_puzzle*>;  // icons owned by the bar

}  // namespace tw
