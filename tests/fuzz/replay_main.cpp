// Runs a fuzz entry without libFuzzer: over a few valid seeds and a fixed
// number of mutations of them (bit flips, byte changes, cuts, repeats), so the
// ordinary test run exercises the same entry deterministically.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_seeds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

uint32_t g_state = 2463534242u;

uint32_t next() {  // xorshift32: any fixed sequence will do here
    g_state ^= g_state << 13;
    g_state ^= g_state >> 17;
    g_state ^= g_state << 5;
    return g_state;
}

std::vector<uint8_t> mutate(std::vector<uint8_t> bytes) {
    const int edits = 1 + next() % 4;
    for (int i = 0; i < edits && !bytes.empty(); ++i) {
        size_t at = next() % bytes.size();
        switch (next() % 6) {
            case 0: bytes[at] ^= uint8_t(1u << (next() % 8)); break;
            case 1: bytes[at] = uint8_t(next()); break;
            case 2: bytes.resize(at); break;
            case 3: bytes.insert(bytes.begin() + at, bytes.begin(), bytes.begin() + at); break;
            case 4: bytes[at] = 0xff; break;
            case 5: bytes.erase(bytes.begin() + at); break;
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10000;
    std::vector<std::vector<uint8_t>> seeds = tw_fuzz::seeds();
    for (const auto& seed : seeds) LLVMFuzzerTestOneInput(seed.data(), seed.size());
    for (int i = 0; i < runs; ++i) {
        std::vector<uint8_t> input = mutate(seeds[i % seeds.size()]);
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::printf("%d inputs ran without a fault\n", runs + int(seeds.size()));
    return 0;
}
