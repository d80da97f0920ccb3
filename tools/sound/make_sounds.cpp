// Content tool: renders the game's sound effects and glow-worm chimes from the
// recipe file into WAV files under the content folder.
#include <cstdio>
#include <string>
#include <vector>

#include "sound/recipe.h"
#include "sound/render.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_sounds <recipe file> <output content dir>\n");
        return 2;
    }
    std::vector<tw::sfx::c_recipe> recipes;
    std::string error;
    size_t count = 0;
    if (!tw::sfx::load_recipes(argv[1], recipes, error) || !tw::sfx::make_sounds(recipes, argv[2], count, error)) {
        std::fprintf(stderr, "make_sounds: %s\n", error.c_str());
        return 1;
    }
    std::printf("make_sounds: %zu sounds into %s\n", count, argv[2]);
    return 0;
}
