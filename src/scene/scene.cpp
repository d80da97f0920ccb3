// The scene's ownership: construction with the letterbox quads, clearing,
// distribution into levels, the lookups by name, and adding and removing items.
#include "scene/scene.h"

#include <algorithm>

namespace tw {

namespace {

const c_rgba k_letterbox_colour{0, 0, 0, 255};

// A black quad spanning the letterbox width between y top and y bottom, whole texture.
void build_letterbox(c_quad& quad, float top, float bottom) {
    quad.buffer.set_quad_rect(-k_letterbox_half_width, top, k_letterbox_half_width, bottom);
    quad.buffer.uvs[0] = vec2{0, 0};
    quad.buffer.uvs[1] = vec2{1, 0};
    quad.buffer.uvs[2] = vec2{1, 1};
    quad.buffer.uvs[3] = vec2{0, 1};
    quad.buffer.set_colour(k_letterbox_colour);
    quad.material = nullptr;
}

template <class T, class P>
T* find_first(const c_scene_list<T>& list, P matches) {
    for (const std::unique_ptr<T>& item : list) {
        if (matches(*item)) return item.get();
    }
    return nullptr;
}

// Appends the item to the scene list and, when its level exists, to that level's list.
template <class T>
T* add_item(c_scene_list<T>& list, std::unique_ptr<T> item, c_scene_level* level,
            std::vector<T*> c_scene_level::*level_list) {
    if (!item) return nullptr;
    T* added = item.get();
    list.push_back(std::move(item));
    if (level) (level->*level_list).push_back(added);
    return added;
}

// Takes the item out of the first level list holding it, then deletes it.
template <class T>
bool remove_item(c_scene_list<T>& list, const T* item, const c_scene_list<c_scene_level>& levels,
                 std::vector<T*> c_scene_level::*level_list) {
    auto owned = std::find_if(list.begin(), list.end(),
                              [item](const std::unique_ptr<T>& p) { return p.get() == item; });
    if (owned == list.end()) return false;
    for (const std::unique_ptr<c_scene_level>& level : levels) {
        std::vector<T*>& held = (*level).*level_list;
        auto entry = std::find(held.begin(), held.end(), item);
        if (entry != held.end()) {
            held.erase(entry);
            break;
        }
    }
    list.erase(owned);
    return true;
}

// Appends to out every item of list whose level name is name, in list order.
template <class T>
void collect(const c_scene_list<T>& list, const std::string& name, std::vector<T*>& out) {
    for (const std::unique_ptr<T>& item : list) {
        if (item->level_name == name) out.push_back(item.get());
    }
}

}  // namespace

c_scene::c_scene() {
    build_letterbox(letterbox_top, k_letterbox_height, 0);
    build_letterbox(letterbox_bottom, 0, -k_letterbox_height);
}

c_scene::~c_scene() = default;

void c_scene::clear() {
    // Levels go first: their lists point into the others.
    levels.clear();
    puzzles.clear();
    collectibles.clear();
    layers.clear();
    anims.clear();
    graphics.clear();
    particle_systems.clear();
    path_nodes.clear();
    cameras.clear();
    character.reset();
}

void c_scene::distribute() {
    for (std::unique_ptr<c_scene_level>& level : levels) {
        level->clear_lists();
        collect(layers, level->name, level->layers);
        collect(puzzles, level->name, level->puzzles);
        collect(collectibles, level->name, level->collectibles);
        collect(anims, level->name, level->anims);
        collect(graphics, level->name, level->graphics);
        collect(particle_systems, level->name, level->particle_systems);
        if (character && character->level_name == level->name) {
            level->characters.push_back(character.get());
        }
    }
}

c_scene_level* c_scene::find_level(const std::string& name) const {
    return find_first(levels, [&](const c_scene_level& l) { return l.name == name; });
}

c_scene_path_node* c_scene::find_path_node(const std::string& name) const {
    return find_first(path_nodes, [&](const c_scene_path_node& n) { return n.name == name; });
}

c_scene_path_node::path* c_scene::find_path(const std::string& a, const std::string& b) const {
    const c_scene_path_node* from = find_path_node(a);
    if (!from) return nullptr;
    for (const std::unique_ptr<c_scene_path_node::path>& path : from->paths) {
        if (path->target && path->target->name == b) return path.get();
    }
    return nullptr;
}

c_scene_anim* c_scene::find_anim(const std::string& anim_file_name) const {
    return find_first(anims,
                      [&](const c_scene_anim& a) { return a.anim_file_name == anim_file_name; });
}

c_scene_collectible* c_scene::find_collectible(const std::string& texture_file_name) const {
    return find_first(collectibles, [&](const c_scene_collectible& c) {
        return c.texture_file_name == texture_file_name;
    });
}

c_scene_graphic* c_scene::find_graphic(const std::string& name) const {
    return find_first(graphics, [&](const c_scene_graphic& g) { return g.name == name; });
}

c_scene_camera* c_scene::set_camera(const std::string& name) {
    c_scene_camera* camera =
        find_first(cameras, [&](const c_scene_camera& c) { return c.name == name; });
    if (camera) view.set_camera(*camera);
    return camera;
}

c_scene_level* c_scene::add_level(std::unique_ptr<c_scene_level> level) {
    if (!level) return nullptr;
    levels.push_back(std::move(level));
    return levels.back().get();
}

c_scene_puzzle* c_scene::add_puzzle(std::unique_ptr<c_scene_puzzle> puzzle) {
    c_scene_level* level = puzzle ? find_level(puzzle->level_name) : nullptr;
    return add_item(puzzles, std::move(puzzle), level, &c_scene_level::puzzles);
}

c_scene_collectible* c_scene::add_collectible(std::unique_ptr<c_scene_collectible> collectible) {
    c_scene_level* level = collectible ? find_level(collectible->level_name) : nullptr;
    return add_item(collectibles, std::move(collectible), level, &c_scene_level::collectibles);
}

c_scene_layer* c_scene::add_layer(std::unique_ptr<c_scene_layer> layer) {
    c_scene_level* level = layer ? find_level(layer->level_name) : nullptr;
    return add_item(layers, std::move(layer), level, &c_scene_level::layers);
}

c_scene_anim* c_scene::add_anim(std::unique_ptr<c_scene_anim> anim) {
    c_scene_level* level = anim ? find_level(anim->level_name) : nullptr;
    return add_item(anims, std::move(anim), level, &c_scene_level::anims);
}

c_scene_graphic* c_scene::add_graphic(std::unique_ptr<c_scene_graphic> graphic) {
    c_scene_level* level = graphic ? find_level(graphic->level_name) : nullptr;
    return add_item(graphics, std::move(graphic), level, &c_scene_level::graphics);
}

c_scene_particle* c_scene::add_particle_system(std::unique_ptr<c_scene_particle> system) {
    c_scene_level* level = system ? find_level(system->level_name) : nullptr;
    return add_item(particle_systems, std::move(system), level,
                    &c_scene_level::particle_systems);
}

c_scene_path_node* c_scene::add_path_node(std::unique_ptr<c_scene_path_node> node) {
    if (!node) return nullptr;
    path_nodes.push_back(std::move(node));
    return path_nodes.back().get();
}

c_scene_camera* c_scene::add_camera(std::unique_ptr<c_scene_camera> camera) {
    if (!camera) return nullptr;
    cameras.push_back(std::move(camera));
    return cameras.back().get();
}

c_scene_character* c_scene::set_character(std::unique_ptr<c_scene_character> new_character) {
    if (character) {
        for (std::unique_ptr<c_scene_level>& level : levels) {
            auto entry = std::find(level->characters.begin(), level->characters.end(),
                                   character.get());
            if (entry != level->characters.end()) {
                level->characters.erase(entry);
                break;
            }
        }
    }
    character = std::move(new_character);
    if (character) {
        if (c_scene_level* level = find_level(character->level_name)) {
            level->characters.push_back(character.get());
        }
    }
    return character.get();
}

bool c_scene::remove_puzzle(const c_scene_puzzle* puzzle) {
    return remove_item(puzzles, puzzle, levels, &c_scene_level::puzzles);
}

bool c_scene::remove_collectible(const c_scene_collectible* collectible) {
    return remove_item(collectibles, collectible, levels, &c_scene_level::collectibles);
}

bool c_scene::remove_layer(const c_scene_layer* layer) {
    return remove_item(layers, layer, levels, &c_scene_level::layers);
}

bool c_scene::remove_anim(const c_scene_anim* anim) {
    return remove_item(anims, anim, levels, &c_scene_level::anims);
}

bool c_scene::remove_graphic(const c_scene_graphic* graphic) {
    return remove_item(graphics, graphic, levels, &c_scene_level::graphics);
}

bool c_scene::remove_path_node(const c_scene_path_node* node) {
    auto owned = std::find_if(path_nodes.begin(), path_nodes.end(),
                              [node](const std::unique_ptr<c_scene_path_node>& n) {
                                  return n.get() == node;
                              });
    if (owned == path_nodes.end()) return false;
    // One-way paths leading into the node would otherwise point at freed memory.
    for (std::unique_ptr<c_scene_path_node>& other : path_nodes) {
        auto& paths = other->paths;
        paths.erase(std::remove_if(paths.begin(), paths.end(),
                                   [node](const std::unique_ptr<c_scene_path_node::path>& p) {
                                       return p->target == node;
                                   }),
                    paths.end());
    }
    path_nodes.erase(owned);
    return true;
}

bool c_scene::remove_level(const c_scene_level* level) {
    auto owned = std::find_if(levels.begin(), levels.end(),
                              [level](const std::unique_ptr<c_scene_level>& l) {
                                  return l.get() == level;
                              });
    if (owned == levels.end()) return false;
    levels.erase(owned);
    return true;
}

bool c_scene::remove_camera(const c_scene_camera* camera) {
    auto owned = std::find_if(cameras.begin(), cameras.end(),
                              [camera](const std::unique_ptr<c_scene_camera>& c) {
                                  return c.get() == camera;
                              });
    if (owned == cameras.end()) return false;
    cameras.erase(owned);
    relink_paths();
    return true;
}

void c_scene::relink_paths() {
    for (std::unique_ptr<c_scene_path_node>& node : path_nodes) {
        for (auto& path : node->paths) {
            if (path->target) link_path(*node, *path, *path->target, cameras);
        }
    }
}

}  // namespace tw
