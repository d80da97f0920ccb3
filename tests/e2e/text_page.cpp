// A page of text in the real window: the game's font at the title and body
// scales, in all nine anchor positions, on a warm dark background. For looking
// at the font and for the text page e2e test; quits on F10, escape or a frame count.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "platform/platform.h"
#include "support/real_window.h"
#include "ui/ui_component_text.h"
#include "ui/ui_font.h"

namespace {

constexpr const char* k_window_title = "Text page";
constexpr const char* k_font_description = "font/font_desc.xml";
constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)

constexpr float k_view_half = 1024.0f;
constexpr float k_title_scale = 5.0f;
constexpr float k_title_y = 980.0f;
// Where the paragraphs' anchor points sit: columns at the sides and centre,
// rows near the top, at the middle and near the bottom (16:9 spans x to 1820).
constexpr float k_column_x[3] = {-1780.0f, 0.0f, 1780.0f};
constexpr float k_row_y[3] = {660.0f, 0.0f, -980.0f};

constexpr tw::c_rgba k_background{46, 28, 22, 255};
constexpr tw::c_rgba k_title_colour{255, 200, 110, 255};
constexpr tw::c_rgba k_body_colour{255, 238, 210, 255};

// One paragraph per anchor, top-left first, row by row.
const char* const k_paragraphs[9] = {
    "The ferry to Thistlewarp leaves at dusk. Bring a lantern, a warm coat and your own "
    "good sense.",
    "AVATAR Toyota WAVE Type\nTo Vo Wa Ya LT AV yo",
    "Lines of a right column end flush with its edge, however long each one turns out.",
    "Middle row, left column: the block is centred on its anchor point, top to bottom.",
    "Kerning: AVATAR, Toyota, WAVE, Type. \"Quotes\", {braces} & 100% [brackets] @ #7.",
    "Glyphs: 0123456789 +-*/= <> ?! ;: ~ ^ | _ ` ' $",
    "The quick brown fox jumps over the lazy dog.\nPACK MY BOX WITH FIVE DOZEN JUGS.",
    "Bottom row, centre column: a short line\r\nand an empty one above this.",
    "Press F10 or Escape to leave the page.",
};

struct c_placed_text {
    tw::c_ui_component_text text;
    tw::c_transform place;
};

void add_text(std::vector<c_placed_text>& texts, tw::c_ui_font& font, const char* words,
              uint8_t anchor, float scale, float x, float y, const tw::c_rgba& colour) {
    c_placed_text& placed = texts.emplace_back();
    placed.text.font = &font;
    placed.text.anchor = anchor;
    placed.text.scale = scale;
    placed.text.set_text(words, colour);
    placed.place.tx = x;
    placed.place.ty = y;
}

// A rectangle over the whole view in the plain material's colour.
void draw_background(tw::c_platform& platform, tw::c_material* plain,
                     tw::c_vertex_buffer_quad& quad) {
    const float half_w = k_view_half * platform.long_side / platform.short_side + 8;
    quad.set_quad_rect(-half_w, -half_w, half_w, half_w);
    quad.set_colour(k_background);
    for (int i = 0; i < 4; ++i) quad.uvs[i] = {0.5f, 0.5f};
    platform.bind_material(plain);
    platform.set_vertex_buffer(&quad);
    platform.draw_quads(tw::c_transform{}, 4);
}

}  // namespace

int main(int argc, char** argv) {
    // Frames to show before quitting; 0 shows the page until F10 or escape.
    const long frame_limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;

    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, k_window_title)) {
        std::fputs("text_page: cannot open the window\n", stderr);
        return 1;
    }
    tw::c_material* font_material = platform.get_material("font.bmp", false);
    tw::c_material* plain = platform.get_material("blank.bmp", false);
    while (platform.load_next_queued()) {
    }
    tw::c_ui_font font;
    if (!font.load(k_font_description, font_material)) {
        std::fprintf(stderr, "text_page: cannot read %s\n", k_font_description);
        window.terminate();
        return 2;
    }

    std::vector<c_placed_text> texts;
    texts.reserve(10);
    add_text(texts, font, "Thistlewarp", 1, k_title_scale, 0, k_title_y, k_title_colour);
    for (uint8_t anchor = 0; anchor < 9; ++anchor)
        add_text(texts, font, k_paragraphs[anchor], anchor, tw::k_text_default_scale,
                 k_column_x[anchor % 3], k_row_y[anchor / 3], k_body_colour);

    tw::c_vertex_buffer_quad quad;
    for (long frame = 0; frame_limit == 0 || frame < frame_limit; ++frame) {
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) ||
            window.key_pressed(k_key_escape))
            break;
        int width = 0, height = 0;
        window.window_size(width, height);
        device.viewport(0, 0, width, height);
        platform.update_screen_size(width, height);
        device.clear(0, 0, 0, 0);
        platform.set_view_short(k_view_half, 0, 0);
        draw_background(platform, plain, quad);
        for (const c_placed_text& placed : texts) placed.text.draw(platform, placed.place);
        platform.clear_key_events();
        window.swap_buffers();
    }
    platform.release_all();
    window.terminate();
    return 0;
}
