// Texture and material records, owned by the platform's lists.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/texture_regions.h"

namespace tw {

struct c_texture {
    std::string file_name;  // relative to "textures/"
    uint32_t name = 0;      // render device texture name; 0 until loaded (or unreadable)
    uint32_t format = 0;    // k_format_* used for the upload; 0 until loaded
    // Where its texels are visible; one whole region until loaded (or unreadable).
    std::vector<c_texture_region> regions = std::vector<c_texture_region>(1);
};

// Shared by everybody who asks for the same texture and blend mode.
struct c_material {
    c_texture* texture = nullptr;  // not owned
    uint8_t additive = 0;          // 1: additive blending, 0: normal alpha blending
};

}  // namespace tw
