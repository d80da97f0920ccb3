// What element tests share: a platform over a recording device, two textured
// materials, the small test font, and window contexts with a pointer.
#pragma once
#include <cstdint>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "ui/ui_element.h"
#include "ui_test_font.h"

namespace tw_test {

// A window context of the given size with the pointer at pixel (px, py).
inline tw::c_ui_context window_context(uint16_t width, uint16_t height, uint16_t px = 0,
                                       uint16_t py = 0) {
    tw::c_ui_context context;
    context.width = width;
    context.height = height;
    context.short_side = width < height ? width : height;
    context.pointer_x = px;
    context.pointer_y = py;
    return context;
}

constexpr uint32_t k_box_texture = 5;
constexpr uint32_t k_font_texture = 9;

class c_ui_test : public testing::Test {
protected:
    c_ui_test() {
        box_texture_.name = k_box_texture;
        font_texture_.name = k_font_texture;
        platform_.update_screen_size(1920, 1080);
    }
    // A 1920 x 1080 context (m = 1080) with no particular pointer.
    tw::c_ui_context context_ = window_context(1920, 1080);
    tw::c_window_headless window_;
    tw::c_render_device_recording device_;
    tw::c_platform platform_{window_, device_};
    tw::c_texture box_texture_{"box.bmp"};
    tw::c_texture font_texture_{"font.bmp"};
    tw::c_material box_{&box_texture_, 0};
    tw::c_material font_material_{&font_texture_, 0};
    c_test_font test_font_{&font_material_};
    tw::c_ui_callback events_;
};

}  // namespace tw_test
