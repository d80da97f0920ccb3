// The corner notice: layout in the UI view, anchored to the window's top right.
#include "app/corner_notice.h"

#include "ui/ui_element.h"

namespace tw {

namespace {

constexpr float k_notice_scale = 1.0f;         // font pixels to UI units
constexpr float k_notice_margin = 40.0f;       // UI units from the window's edges
constexpr float k_notice_shadow_offset = 4.0f;  // UI units, down and to the right
constexpr uint8_t k_anchor_top_right = 2;
constexpr uint16_t k_notice_line_width = 8000;  // lines break only where the text says
constexpr c_rgba k_notice_colour{255, 244, 214, 255};
constexpr c_rgba k_shadow_colour{0, 0, 0, 170};

void set_style(c_ui_component_text& text, c_ui_font* font) {
    text.font = font;
    text.anchor = k_anchor_top_right;
    text.scale = k_notice_scale;
    text.max_line_width = k_notice_line_width;
}

}  // namespace

c_corner_notice::c_corner_notice() {
    sheet_.file_name = "font.bmp";
    material_.texture = &sheet_;
    set_style(shadow_, &font_);
    set_style(label_, &font_);
}

void c_corner_notice::prepare(c_platform& platform) {
    if (!font_.load("font/font_desc.xml", &material_)) return;
    platform.load(sheet_);
    // Laid out again with the glyphs now known.
    shadow_.set_text(text_, k_shadow_colour);
    label_.set_text(text_, k_notice_colour);
}

void c_corner_notice::release(c_platform& platform) {
    if (sheet_.name) platform.device().delete_texture(sheet_.name);
    sheet_.name = 0;
    sheet_.format = 0;
}

void c_corner_notice::show(c_platform& platform, const std::string& text) {
    text_ = text;
    shadow_.set_text(text, k_shadow_colour);
    label_.set_text(text, k_notice_colour);
    shown_at_ms_ = platform.now_ms();
    shown_ = true;
}

bool c_corner_notice::visible(c_platform& platform) {
    if (shown_ && platform.now_ms() - shown_at_ms_ >= k_corner_notice_ms) shown_ = false;
    return shown_;
}

void c_corner_notice::draw(c_platform& platform) {
    if (!visible(platform) || platform.short_side == 0) return;
    platform.set_view_short(k_ui_half_extent, 0, 0);
    // The UI view is square on the shorter side; the corner lies further out on the longer one.
    const float right = k_ui_half_extent * platform.width / platform.short_side;
    const float top = k_ui_half_extent * platform.height / platform.short_side;
    c_transform at;
    at.tx = right - k_notice_margin + k_notice_shadow_offset;
    at.ty = top - k_notice_margin - k_notice_shadow_offset;
    shadow_.draw(platform, at);
    at.tx -= k_notice_shadow_offset;
    at.ty += k_notice_shadow_offset;
    label_.draw(platform, at);
}

}  // namespace tw
