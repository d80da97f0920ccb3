// Valid inputs to start fuzzing from; each fuzz target defines its own.
#pragma once
#include <cstdint>
#include <vector>

namespace tw_fuzz {
std::vector<std::vector<uint8_t>> seeds();
}
