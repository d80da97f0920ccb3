// The element base: anchored layout, the pointer in UI space, hit tests and
// the textured quad every drawn element is made of.
#include "ui/ui_element.h"

#include "platform/platform.h"

namespace tw {

i_ui_element::i_ui_element(float offset_x, float offset_y, uint8_t anchor) {
    position.offset_x = offset_x;
    position.offset_y = offset_y;
    position.anchor = anchor;
}

c_ui_context ui_context(const c_platform& platform) {
    c_ui_context context;
    context.width = platform.width;
    context.height = platform.height;
    context.short_side = platform.short_side;
    context.pointer_x = platform.mouse_x;
    context.pointer_y = platform.mouse_y;
    return context;
}

void anchored_layout(c_ui_position& position, const c_ui_context& context) {
    position.x = position.offset_x;
    position.y = position.offset_y;
    // No window yet: there is no edge to keep a distance to, and e would divide by zero.
    if (context.short_side == 0) return;
    const float e = k_ui_half_extent / context.short_side;
    const float extra_x = float(int(context.width) - int(context.short_side)) * e;
    const float extra_y = float(int(context.height) - int(context.short_side)) * e;
    const int row = position.anchor / 3;
    const int column = position.anchor % 3;
    if (row == 0) position.y += extra_y;
    if (row == 2) position.y -= extra_y;
    if (column == 0) position.x -= extra_x;
    if (column == 2) position.x += extra_x;
}

vec2 pointer_to_ui(const c_ui_context& context) {
    const float w = context.width;
    const float h = context.height;
    const float m = context.short_side;
    if (context.short_side == 0) return {0, 0};
    const float qx = (context.pointer_x - (w - m) * 0.5f) / m;
    const float qy = (h - context.pointer_y - (h - m) * 0.5f) / m;
    return {(qx - 0.5f) * k_ui_extent, (qy - 0.5f) * k_ui_extent};
}

bool is_inside(const c_ui_position& position, float half_w, float half_h, float x, float y) {
    return position.x - half_w <= x && x <= position.x + half_w && position.y - half_h <= y &&
           y <= position.y + half_h;
}

void make_textured_quad(c_quad& quad, c_material* material, float half_w, float half_h) {
    quad.buffer.set_centred_rect(half_w, half_h);
    quad.material = material;
}

c_transform translation(float x, float y) {
    c_transform transform;
    transform.tx = x;
    transform.ty = y;
    return transform;
}

}  // namespace tw
