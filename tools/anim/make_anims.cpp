// make_anims <content folder> [creature ...]: builds the creatures' animations (all, or
// the named ones) from the geometry of their rendered parts, textures/<creature>/parts.xml,
// and saves each as anims/<file>.xml with the game's writer.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "anim/creatures.h"

namespace {

struct c_creature {
    const char* name;  // also the folder of its textures
    const char* file;  // the animation's file name under anims/, without ".xml"
    bool (*build)(const tw_tools::c_part_geometry&, tw::c_anim&, std::string&);
};

const c_creature k_creatures[] = {
    {"larva", "larva", tw_tools::build_larva},
    {"firefly", "firefly", tw_tools::build_firefly},
    {"fly", "1hover", tw_tools::build_fly},
    {"dragonfly", "3dragonfly", tw_tools::build_dragonfly},
    {"cocoon_a", "cacoona", tw_tools::build_cocoon_a},
    {"cocoon_b", "cacoonb", tw_tools::build_cocoon_b},
    {"c1rose", "1rose", tw_tools::build_c1rose},
    {"c1silk", "1silk", tw_tools::build_c1silk},
    {"c1seedhead", "1seedhead", tw_tools::build_c1seedhead},
    {"glowbig", "glowbig", tw_tools::build_glowbig},
    {"2cricketb", "2cricketb", tw_tools::build_cricket_asleep},
    {"2cricket", "2cricket", tw_tools::build_cricket_awake},
    {"weavel", "weavel", tw_tools::build_weavel},
    {"2bugcatcher", "2bugcatcher", tw_tools::build_2bugcatcher},
    {"aphida", "aphida", tw_tools::build_aphida},
    {"2glint", "2glint", tw_tools::build_c2glint},
    {"3bee", "3bee", tw_tools::build_bee_asleep},
    {"3beea", "3beea", tw_tools::build_bee_awake},
    {"3pod", "3pod", tw_tools::build_pod},
    {"cricket", "cricket", tw_tools::build_c3cricket},
    {"3balance", "3balance", tw_tools::build_3balance},
    {"4bee", "4bee", tw_tools::build_c4bee},
    {"4stag", "4stag", tw_tools::build_4stag},
    {"4bigbug", "4bigbug", tw_tools::build_4bigbug},
    {"4stick", "4stick", tw_tools::build_4stick},
    {"4maggotb", "4maggotb", tw_tools::build_4maggotb},
    {"5bug", "5bug", tw_tools::build_c5bug},
    {"fern", "fern", tw_tools::build_c5fern},
    {"moth", "moth", tw_tools::build_c5moth},
};

const c_creature* find_creature(const char* name) {
    for (const c_creature& creature : k_creatures) {
        if (std::strcmp(creature.name, name) == 0) return &creature;
    }
    return nullptr;
}

bool make_creature(const std::string& content, const c_creature& creature) {
    const std::string geometry_path = content + "/textures/" + creature.name + "/parts.xml";
    const std::string anim_path = content + "/anims/" + creature.file + ".xml";
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_anims <content folder> [creature ...]\n");
        return 2;
    }
    // Each content set makes only its own creatures, so it waits only for its own parts.
    std::vector<const c_creature*> chosen;
    for (int i = 2; i < argc; ++i) {
        const c_creature* creature = find_creature(argv[i]);
        if (!creature) {
            std::fprintf(stderr, "make_anims: no creature \"%s\"\n", argv[i]);
            return 2;
        }
        chosen.push_back(creature);
    }
    if (chosen.empty()) {
        for (const c_creature& creature : k_creatures) chosen.push_back(&creature);
    }
    for (const c_creature* creature : chosen) {
        if (!make_creature(argv[1], *creature)) return 1;
    }
    return 0;
}
