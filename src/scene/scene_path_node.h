// The path network the character walks on: nodes placed in the scene and the
// one-way paths between them, with the data derived when they are linked.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"
#include "scene/scene_camera.h"

namespace tw {

struct c_scene_path_node {
    struct path {
        int16_t target_index = -1;  // position of the target in the scene's path-node list
        c_scene_path_node* target = nullptr;       // not owned; null while unlinked
        c_scene_camera* target_camera = nullptr;   // set when the path crosses into another camera
        float length = 0;                          // scene units, x and y only
        vec2 direction{1, 0};                      // unit vector from source to target
        bool facing = false;       // the path runs along the nodes' mean axis (right when unrotated)
        bool camera_change = false;
        bool has_animation = false;
        bool automatic = false;    // walked on its own once entered
        bool enabled = true;       // chapter code closes and opens paths
        std::string animation_name;
        uint16_t animtion_speed = 0;  // graph time per frame along an animated path
    };

    std::vector<std::unique_ptr<path>> paths;
    c_transform transform;  // x, y: position; angle: the walking direction's axis
    std::string name;
};

using c_scene_path_node_list = std::vector<std::unique_ptr<c_scene_path_node>>;

// Sets the path's target and computes its direction, length, facing, camera
// change and automatic flags. Called by scene loading and by the editor.
void link_path(c_scene_path_node& source, c_scene_path_node::path& path,
               c_scene_path_node& target, const c_scene_camera_list& cameras);
// Links every path whose target_index names a node of the list; the others stay unlinked.
void link_paths(c_scene_path_node_list& nodes, const c_scene_camera_list& cameras);
// The enabled path of the node whose direction is closest to d (a unit vector),
// if that angle is below 1.4 radians; the first in list order wins ties; else null.
c_scene_path_node::path* choose_path(const c_scene_path_node& node, const vec2& d);

}  // namespace tw
