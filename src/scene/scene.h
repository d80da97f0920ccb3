// A chapter's world: levels with their layers, anims, puzzles, collectibles and
// graphics, particle systems, the path network, cameras, the character and the
// live view; loaded from and saved to one scene file, updated and drawn per frame.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/vertex_buffer.h"
#include "scene/scene_anim.h"
#include "scene/scene_camera.h"
#include "scene/scene_character.h"
#include "scene/scene_collectible.h"
#include "scene/scene_graphic.h"
#include "scene/scene_layer.h"
#include "scene/scene_level.h"
#include "scene/scene_particle.h"
#include "scene/scene_path_node.h"
#include "scene/scene_puzzle.h"
#include "scene/scene_view.h"
#include "ui/ui_callback.h"

namespace tw {

class c_platform;
class c_xml_document;

// The work that follows reading an object's fields, for scene loading and for
// the editor, which makes objects from a few fields: a collectible's quad from
// its bitmap's size, and the animations of anims and puzzle spots (keeping
// their placement).
void build_collectible_quad(c_platform& platform, c_scene_collectible& collectible);
void load_scene_anim(c_platform& platform, c_scene_anim& anim);
void load_puzzle_anim(c_platform& platform, c_scene_puzzle& puzzle);

template <class T>
using c_scene_list = std::vector<std::unique_ptr<T>>;

constexpr float k_letterbox_half_width = 4096.0f;  // scene units; the quads are 8192 wide
constexpr float k_letterbox_height = 4096.0f;      // scene units

class c_scene : public c_ui_callback {
public:
    // Empty lists, no character, the view at rest, the letterbox quads built
    // (without material: the owning state sets it).
    c_scene();
    ~c_scene() override;
    c_scene(const c_scene&) = delete;
    c_scene& operator=(const c_scene&) = delete;

    // --- Files ---
    // Deletes every item of the nine lists and the character.
    void clear();
    // Clears, then reads the scene file: items, their animations, tiles and
    // materials, distributes them into levels and links the paths. A missing
    // or malformed file leaves the scene empty and returns false.
    bool load(c_platform& platform, const std::string& file_name);
    // Clears, then reads a parsed scene document the same way (load's second half).
    void read(c_platform& platform, c_xml_document& document);
    // Recomputes every path's target_index and writes the scene file; false if
    // it cannot be written.
    bool save(const std::string& file_name);

    // --- Per frame ---
    // Advances anims, updates particle systems, the character and the view;
    // called by the owning state once per tick.
    void update(c_platform& platform);
    // Sets the projection, draws every level in order and the letterbox;
    // called by the owning state once per displayed frame.
    void draw(c_platform& platform);
    // The parts of draw, for owners that draw something between levels: the
    // projection from the view, one level's objects kind by kind, and the
    // letterbox bars (drawn only for windows narrower than 2:1).
    void set_projection(c_platform& platform) const;
    void draw_level(c_platform& platform, const c_scene_level& level);
    void draw_letterbox(c_platform& platform) const;

    // --- Lookups: first exact match in list order, or null ---
    c_scene_level* find_level(const std::string& name) const;
    c_scene_path_node* find_path_node(const std::string& name) const;
    // The first path of node a whose target node is called b.
    c_scene_path_node::path* find_path(const std::string& a, const std::string& b) const;
    c_scene_anim* find_anim(const std::string& anim_file_name) const;
    c_scene_collectible* find_collectible(const std::string& texture_file_name) const;
    c_scene_graphic* find_graphic(const std::string& name) const;
    // Finds the camera and, when found, jumps the view to it.
    c_scene_camera* set_camera(const std::string& name);

    // --- Adding (to the scene list and to the list of the level named by the object) ---
    // Each takes ownership and returns the object.
    c_scene_level* add_level(std::unique_ptr<c_scene_level> level);
    c_scene_puzzle* add_puzzle(std::unique_ptr<c_scene_puzzle> puzzle);
    c_scene_collectible* add_collectible(std::unique_ptr<c_scene_collectible> collectible);
    c_scene_layer* add_layer(std::unique_ptr<c_scene_layer> layer);
    c_scene_anim* add_anim(std::unique_ptr<c_scene_anim> anim);
    c_scene_graphic* add_graphic(std::unique_ptr<c_scene_graphic> graphic);
    c_scene_particle* add_particle_system(std::unique_ptr<c_scene_particle> system);
    c_scene_path_node* add_path_node(std::unique_ptr<c_scene_path_node> node);
    c_scene_camera* add_camera(std::unique_ptr<c_scene_camera> camera);
    // Replaces (and deletes) the current character; null leaves none.
    c_scene_character* set_character(std::unique_ptr<c_scene_character> new_character);

    // --- Removing: deletes the object and takes it out of the first level list holding it ---
    // Each returns false when the object is not in the scene.
    bool remove_puzzle(const c_scene_puzzle* puzzle);
    bool remove_collectible(const c_scene_collectible* collectible);
    bool remove_layer(const c_scene_layer* layer);
    bool remove_anim(const c_scene_anim* anim);
    bool remove_graphic(const c_scene_graphic* graphic);
    // Deletes the node; paths of other nodes that lead into it are deleted too,
    // so no path is left pointing at a deleted node. The character must not
    // stand on the node or on a path into it (the editor has no character).
    bool remove_path_node(const c_scene_path_node* node);
    // Deletes the level with its draw lists; its objects stay in the scene
    // lists (and in the file) but are no longer drawn.
    bool remove_level(const c_scene_level* level);
    // Deletes the camera and links every path again, so no path keeps the
    // removed camera as the one it changes to.
    bool remove_camera(const c_scene_camera* camera);
    // Links every linked path to its target again, after nodes or cameras moved
    // or a camera went: directions, lengths and camera changes follow.
    void relink_paths();

    c_scene_list<c_scene_level> levels;
    c_scene_list<c_scene_puzzle> puzzles;
    c_scene_list<c_scene_collectible> collectibles;
    c_scene_list<c_scene_layer> layers;
    c_scene_list<c_scene_anim> anims;
    c_scene_list<c_scene_graphic> graphics;
    c_scene_list<c_scene_particle> particle_systems;  // never in the file
    c_scene_path_node_list path_nodes;
    c_scene_camera_list cameras;
    std::unique_ptr<c_scene_character> character;
    c_scene_view view;
    c_quad letterbox_top;     // y 0 .. 4096, black
    c_quad letterbox_bottom;  // y -4096 .. 0, black

private:
    // Refills every level's lists from the scene lists by exact level name.
    void distribute();
};

}  // namespace tw
