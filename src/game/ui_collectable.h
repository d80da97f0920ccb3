// An item just picked up in the scene, flying in the UI view to its puzzle's
// icon: it drifts away first, then homes in ever harder and shrinks into it.
#pragma once
#include <cstdint>

#include "ui/ui_element_graphic.h"

namespace tw {

class c_ui_puzzle;

class c_ui_collectable : public c_ui_element_graphic {
public:
    // At UI position (x, y) (anchor 1), rotated by angle (radians), heading for
    // target (not owned; counted as incoming until detach).
    c_ui_collectable(c_material* material, float x, float y, float angle, float half_w,
                     float half_h, c_ui_puzzle* target, uint16_t puzzle_id);

    // One tick of flight; true once it has shrunk away at the icon.
    bool advance();
    // Stops counting as incoming on the target; called before it is deleted.
    void detach();

    c_ui_puzzle* target = nullptr;  // not owned; null after detach
    vec3 velocity;
    uint16_t ticks = 0;
    uint16_t puzzle_id = 0;
    float current_half_width = 0;
    float current_half_height = 0;
    uint8_t alpha = 255;
    uint8_t arrived = 0;
    float angle = 0;
};

}  // namespace tw
