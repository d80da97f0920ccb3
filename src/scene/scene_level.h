// A named screen region of a scene and the non-owning lists of what it draws,
// filled when the scene is loaded and by whoever adds objects afterwards.
#pragma once
#include <string>
#include <vector>

namespace tw {

struct c_scene_puzzle;
struct c_scene_collectible;
class c_scene_layer;
class c_scene_anim;
struct c_scene_graphic;
class c_scene_particle;
class c_scene_character;

struct c_scene_level {
    // Empties the seven lists; the objects stay owned by the scene.
    void clear_lists() {
        puzzles.clear();
        collectibles.clear();
        layers.clear();
        anims.clear();
        graphics.clear();
        particle_systems.clear();
        characters.clear();
    }

    std::string name;
    std::vector<c_scene_puzzle*> puzzles;
    std::vector<c_scene_collectible*> collectibles;
    std::vector<c_scene_layer*> layers;
    std::vector<c_scene_anim*> anims;
    std::vector<c_scene_graphic*> graphics;
    std::vector<c_scene_particle*> particle_systems;
    std::vector<c_scene_character*> characters;
};

}  // namespace tw
