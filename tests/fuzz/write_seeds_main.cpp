// Writes a fuzz target's seeds into a folder, one file each, as libFuzzer's
// starting corpus.
#include <cstdio>
#include <string>

#include "fuzz_seeds.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    int n = 0;
    for (const auto& seed : tw_fuzz::seeds()) {
        std::string path = std::string(argv[1]) + "/seed_" + std::to_string(n++);
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) return 1;
        std::fwrite(seed.data(), 1, seed.size(), f);
        std::fclose(f);
    }
    return 0;
}
