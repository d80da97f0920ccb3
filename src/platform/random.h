// The one pseudo-random generator of the game. Every piece of game code draws
// from it, because some layouts (the seed puzzle) depend on its exact sequence.
#pragma once
#include <cstdint>

namespace tw {

constexpr int k_rand_max = 32767;

// Sets the generator's 32-bit state to seed.
void srand(uint32_t seed);
// state = state * 214013 + 2531011 (mod 2^32); returns bits 16..30, 0..32767.
int rand();

}  // namespace tw
