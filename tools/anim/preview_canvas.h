// Drawing an animation's current state with cairo: every quad reachable from the root,
// in depth order, as its texture under the quad's affine map, onto one frame cell.
#pragma once
#include <cairo.h>

#include <map>
#include <string>

#include "anim/anim.h"

namespace tw_tools {

// Where scene units land on the canvas: x right, y up mapped to cairo's y down.
struct c_preview_view {
    double origin_x = 0;  // canvas pixel of scene (0, 0)
    double origin_y = 0;
    double scale = 1;     // canvas pixels per scene unit
};

// Scene-space bounds of drawn quads.
struct c_preview_bounds {
    double min_x = 1e30, min_y = 1e30, max_x = -1e30, max_y = -1e30;
    bool empty() const { return min_x > max_x; }
};

// Textures read with the game's bitmap reader, kept for the whole preview.
class c_preview_textures {
public:
    c_preview_textures() = default;
    ~c_preview_textures();
    c_preview_textures(const c_preview_textures&) = delete;
    c_preview_textures& operator=(const c_preview_textures&) = delete;

    // The surface for a texture under "textures/" of the working folder; null if unreadable.
    cairo_surface_t* get(const std::string& texture_file_name);

private:
    std::map<std::string, cairo_surface_t*> m_surfaces;
};

// Grows bounds by every drawn quad of anim in its current state.
void measure_anim(const tw::c_anim& anim, c_preview_bounds& bounds);

// Draws anim in its current state, the way c_anim::draw orders it (depth, then walk order).
void draw_anim(cairo_t* cr, const tw::c_anim& anim, const c_preview_view& view, c_preview_textures& textures);

}  // namespace tw_tools
