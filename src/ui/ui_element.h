// The interface every UI element shares, its anchored position record, the
// context elements receive, and the geometry helpers they have in common.
#pragma once
#include <cstdint>

#include "platform/math.h"
#include "platform/vertex_buffer.h"
#include "ui/ui_callback.h"

namespace tw {

class c_platform;
struct c_material;

// The UI view: the square of the shorter window side spans -k_ui_half_extent..+k_ui_half_extent.
constexpr float k_ui_half_extent = 1024.0f;
constexpr float k_ui_extent = 2 * k_ui_half_extent;
constexpr uint8_t k_anchor_count = 9;
constexpr uint8_t k_anchor_middle_left = 3;

// What elements see of the window: its size, the shorter side and the pointer
// in window pixels (origin top-left, y downwards).
struct c_ui_context {
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t short_side = 0;
    uint16_t pointer_x = 0;
    uint16_t pointer_y = 0;
};

// Where an element sits: the creator's offset from its anchor and the UI
// position layout computed from it. Anchor: row = anchor / 3 (0 top, 1 middle,
// 2 bottom), column = anchor % 3 (0 left, 1 centre, 2 right).
struct c_ui_position {
    float offset_x = 0;
    float offset_y = 0;
    float x = 0;
    float y = 0;
    uint8_t anchor = 0;
};

class i_ui_element {
public:
    i_ui_element() = default;
    i_ui_element(float offset_x, float offset_y, uint8_t anchor);
    virtual ~i_ui_element() = default;
    i_ui_element(const i_ui_element&) = delete;
    i_ui_element& operator=(const i_ui_element&) = delete;

    // Recomputes the element's UI position from its anchor and the window size.
    virtual void layout(const c_ui_context&) {}
    // One tick of the element's own behaviour; may append codes to callback.
    virtual void update(const c_ui_context&, c_ui_callback&) {}
    // Draws the element in the UI view the caller has set.
    virtual void render(c_platform&) {}
    // Offers a mouse event (kind 0 press, 1 move while pressed, 2 release; x, y in
    // UI space); true when the element took it.
    virtual bool on_mouse_button(const c_ui_context&, uint16_t /*kind*/, uint16_t /*dx*/,
                                 uint16_t /*dy*/, float /*x*/, float /*y*/, c_ui_callback&) {
        return false;
    }
    // Offers a typed character; true when the element took it.
    virtual bool on_char(c_platform&, uint16_t /*code*/, c_ui_callback&) { return false; }
    // Drops the keyboard focus; the screen calls it on every press before
    // offering the press, so only the element pressed can hold the focus.
    virtual void drop_focus() {}

    bool visible = true;  // invisible elements are neither drawn, updated nor offered input
    c_ui_position position;
};

// The context of the platform's current window size and last delivered pointer.
c_ui_context ui_context(const c_platform& platform);
// Sets position.x and position.y from the offset so that the element keeps its
// distance to the anchor's window edge or centre. Before the window size is
// known (shorter side 0) the offset is used as it is.
void anchored_layout(c_ui_position& position, const c_ui_context& context);
// The pointer of the context in UI space, each quotient rounded to single precision.
vec2 pointer_to_ui(const c_ui_context& context);
// True when (x, y) lies in the rectangle of half sizes (half_w, half_h) around
// the computed position, borders included.
bool is_inside(const c_ui_position& position, float half_w, float half_h, float x, float y);
// A quad centred on the origin with half sizes (half_w, half_h), the whole
// texture and opaque white vertex colours, drawn with material.
void make_textured_quad(c_quad& quad, c_material* material, float half_w, float half_h);
// A transform that only moves by (x, y).
c_transform translation(float x, float y);

}  // namespace tw
