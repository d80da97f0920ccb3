// The loading screen: the studio logo above a one-pixel progress bar across
// the middle of the window. Its textures are its own, not the platform's cache.
#pragma once
#include "platform/platform.h"

namespace tw {

class c_loading_screen {
public:
    c_loading_screen();
    // Loads both textures at once (not through the loading queue).
    void prepare(c_platform& platform);
    // Deletes the two textures; materials go with them.
    void release(c_platform& platform);
    // Draws the bar for progress 0..1 and the logo, one unit per pixel.
    void draw(c_platform& platform, float progress);

private:
    c_texture logo_texture_;
    c_texture bar_texture_;
    c_material logo_material_;
    c_material bar_material_;
    c_vertex_buffer_quad logo_{4};
    c_vertex_buffer_quad bar_{4};
};

}  // namespace tw
