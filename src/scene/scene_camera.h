// A named camera preset of a scene: where the view looks and how wide a region it covers.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"

namespace tw {

struct c_scene_camera {
    vec3 position;
    float scene_width = 0;  // half-width of the view it shows and of the region it covers
    std::string name;
};

using c_scene_camera_list = std::vector<std::unique_ptr<c_scene_camera>>;

// The first camera in list order whose region holds (x, y) strictly:
// |x - cx| < scene_width and |y - cy| < scene_width / 2; null if none does.
c_scene_camera* camera_containing(const c_scene_camera_list& cameras, float x, float y);

}  // namespace tw
