// make_anims <content folder>: builds the creatures' animations from the geometry of
// their rendered parts and saves them as anims/<creature>.xml with the game's writer.
#include <cstdio>
#include <string>

#include "anim/creatures.h"

namespace {

struct c_creature {
    const char* name;
    bool (*build)(const tw_tools::c_part_geometry&, tw::c_anim&, std::string&);
};

const c_creature k_creatures[] = {
    {"larva", tw_tools::build_larva},
    {"firefly", tw_tools::build_firefly},
};

bool make_creature(const std::string& content, const c_creature& creature) {
    const std::string geometry_path = content + "/textures/" + creature.name + "/parts.xml";
    const std::string anim_path = content + "/anims/" + creature.name + ".xml";
    tw_tools::c_part_geometry geometry;
    std::string error;
    tw::c_anim anim;
    if (!tw_tools::read_part_geometry(geometry_path, geometry, error) ||
        !creature.build(geometry, anim, error)) {
        std::fprintf(stderr, "make_anims: %s: %s\n", creature.name, error.c_str());
        return false;
    }
    anim.resolve();
    if (!anim.save(anim_path)) {
        std::fprintf(stderr, "make_anims: cannot write %s\n", anim_path.c_str());
        return false;
    }
    std::printf("make_anims: %s: %zu nodes, %zu graphics, %zu graphs\n", anim_path.c_str(), anim.nodes.size(),
                anim.graphics.size(), anim.graphs.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_anims <content folder>\n");
        return 2;
    }
    for (const c_creature& creature : k_creatures) {
        if (!make_creature(argv[1], creature)) return 1;
    }
    return 0;
}
