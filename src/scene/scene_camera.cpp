// Which camera region of a scene holds a point; path linking uses it to find
// the paths that cross from one camera's region into another's.
#include "scene/scene_camera.h"

#include <cmath>

namespace tw {

c_scene_camera* camera_containing(const c_scene_camera_list& cameras, float x, float y) {
    for (const auto& camera : cameras) {
        if (std::fabs(x - camera->position.x) < camera->scene_width &&
            std::fabs(y - camera->position.y) < camera->scene_width / 2) {
            return camera.get();
        }
    }
    return nullptr;
}

}  // namespace tw
