// make_art: renders the SVG art a manifest lists into BMP textures, sprite parts,
// layer tiles and geometry files in the game's content folder.
#include <cstdio>
#include <string>

#include "art/art_maker.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_art <manifest> <content source dir> <output content dir>\n");
        return 1;
    }
    tw_tools::c_art_totals totals;
    std::string error;
    if (!tw_tools::run_art_manifest(argv[1], argv[2], argv[3], totals, error)) {
        std::fprintf(stderr, "make_art: %s\n", error.c_str());
        return 1;
    }
    std::printf("make_art: %s\n", tw_tools::art_summary(argv[1], totals).c_str());
    return 0;
}
