// A page of every UI element kind in the real window: pictures, texts, an edit
// box, push buttons, toggles alone and in a radio group, a group, a timeline and
// anchored paragraphs. Takes clicks and typing, prints each UI event code, and
// quits on Quit, F10, escape or a frame count. For looking and for the ui_page e2e test.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "platform/platform.h"
#include "support/real_window.h"
#include "ui/ui_element_button_push.h"
#include "ui/ui_element_button_toggle.h"
#include "ui/ui_element_editbox.h"
#include "ui/ui_element_graphic.h"
#include "ui/ui_element_group.h"
#include "ui/ui_element_text.h"
#include "ui/ui_element_timeline.h"
#include "ui/ui_screen.h"

namespace {

constexpr const char* k_window_title = "UI page";
constexpr const char* k_font_description = "font/font_desc.xml";
constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)

constexpr tw::c_rgba k_background{46, 28, 22, 255};
constexpr tw::c_rgba k_title_colour{255, 200, 110, 255};
constexpr tw::c_rgba k_body_colour{255, 238, 210, 255};
constexpr tw::c_rgba k_caption_colour{240, 180, 120, 255};
constexpr tw::c_rgba k_spark_colour{255, 190, 90, 255};
constexpr float k_title_scale = 3.0f;

// The event codes of the page's elements.
enum e_code : uint16_t {
    k_play = 1,
    k_options = 2,
    k_quit = 3,
    k_easy = 11,
    k_normal = 12,
    k_hard = 13,
    k_music_on = 21,
    k_music_off = 22,
    k_hints_on = 23,
    k_hints_off = 24,
    k_timeline = 30,
};

// Where things sit, in UI units relative to their anchors.
constexpr float k_left_column_x = -684;  // middle-left anchor: 340 units in from the left edge
constexpr float k_toggle_half_w = 240;
constexpr float k_toggle_half_h = 56;
constexpr float k_button_half_w = 210;
constexpr float k_button_half_h = 60;
constexpr float k_icon_half = 110;
constexpr float k_paragraph_margin = 990;
constexpr float k_timeline_x = -1024 + 80 + tw::k_timeline_half_length;  // 80 in from the left
constexpr float k_timeline_y = -680;
constexpr float k_spark_half = 19;

// A texture the page draws itself and the material that shows it.
struct c_painted_material {
    tw::c_texture texture;
    tw::c_material material;
};

// One pixel colour with straight alpha.
struct c_paint {
    float r, g, b, a;
};

c_paint mix(const c_paint& a, const c_paint& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

// A rounded rectangle filling a w x h texture: a vertical gradient from top to
// bottom inside a rim, with edges smoothed over one pixel. Rows bottom first.
std::vector<uint8_t> paint_rounded_rect(int w, int h, float radius, float rim, const c_paint& top,
                                        const c_paint& bottom, const c_paint& rim_paint) {
    std::vector<uint8_t> pixels(size_t(w) * h * 4);
    const float half_w = w * 0.5f, half_h = h * 0.5f;
    for (int row = 0; row < h; ++row) {
        const float height_up = (row + 0.5f) / h;  // 0 at the bottom row
        const c_paint fill = mix(bottom, top, height_up);
        for (int column = 0; column < w; ++column) {
            // Signed distance from the pixel centre to the rounded outline.
            const float qx = std::fabs(column + 0.5f - half_w) - (half_w - radius);
            const float qy = std::fabs(row + 0.5f - half_h) - (half_h - radius);
            const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
            const float d = outside + std::min(std::max(qx, qy), 0.0f) - radius;
            const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
            const float on_rim = std::clamp(d + rim + 0.5f, 0.0f, 1.0f);
            const c_paint p = mix(fill, rim_paint, on_rim);
            uint8_t* out = &pixels[(size_t(row) * w + column) * 4];
            out[0] = uint8_t(p.r);
            out[1] = uint8_t(p.g);
            out[2] = uint8_t(p.b);
            out[3] = uint8_t(p.a * coverage);
        }
    }
    return pixels;
}

void paint_material(tw::c_platform& platform, c_painted_material& painted, int w, int h,
                    const std::vector<uint8_t>& pixels) {
    painted.texture.file_name = "painted";
    painted.texture.format = tw::k_format_rgba;
    painted.texture.name =
        platform.device().create_texture(tw::k_format_rgba, w, h, pixels.data());
    painted.material.texture = &painted.texture;
}

// A rectangle over the whole view in the plain material's colour.
void draw_background(tw::c_platform& platform, tw::c_material* plain,
                     tw::c_vertex_buffer_quad& quad) {
    const float half_w = tw::k_ui_half_extent * platform.long_side / platform.short_side + 8;
    quad.set_quad_rect(-half_w, -half_w, half_w, half_w);
    quad.set_colour(k_background);
    for (int i = 0; i < 4; ++i) quad.uvs[i] = {0.5f, 0.5f};
    platform.set_view_short(tw::k_ui_half_extent, 0, 0);
    platform.bind_material(plain);
    platform.set_vertex_buffer(&quad);
    platform.draw_quads(tw::c_transform{}, 4);
    platform.set_vertex_buffer(nullptr);
}

// The materials the page uses: content textures and the painted boxes.
struct c_page_materials {
    tw::c_material* font = nullptr;
    tw::c_material* plain = nullptr;
    tw::c_material* dot = nullptr;
    tw::c_material* circle = nullptr;
    tw::c_material* icons[4] = {};
    c_painted_material button;
    c_painted_material field;
    c_painted_material panel;
};

void make_materials(tw::c_platform& platform, c_page_materials& m) {
    m.font = platform.get_material("font.bmp", false);
    m.plain = platform.get_material("blank.bmp", false);
    m.dot = platform.get_material("dot.bmp", false);
    m.circle = platform.get_material("circle.bmp", true);
    const char* icon_files[4] = {"home.bmp", "question_mark.bmp", "resume_1.bmp",
                                 "main_menu_1.bmp"};
    for (int i = 0; i < 4; ++i) m.icons[i] = platform.get_material(icon_files[i], false);
    while (platform.load_next_queued()) {
    }
    // Buttons: warm clay with a honey rim; toggles tint it (on keeps it warm, off darkens it).
    paint_material(platform, m.button, 256, 64,
                   paint_rounded_rect(256, 64, 18, 3, {196, 122, 70, 255}, {140, 78, 42, 255},
                                      {250, 200, 130, 255}));
    // The edit field: a cream box, shown at quarter alpha, with a stronger rim.
    paint_material(platform, m.field, 512, 64,
                   paint_rounded_rect(512, 64, 16, 4, {255, 240, 215, 255}, {255, 240, 215, 255},
                                      {255, 250, 240, 255}));
    // The group's panel: a slightly lighter, slightly translucent board.
    paint_material(platform, m.panel, 128, 256,
                   paint_rounded_rect(128, 256, 12, 2, {82, 52, 38, 235}, {66, 40, 30, 235},
                                      {130, 88, 60, 255}));
}

// Sets a text element's words again after changing its look.
void restyle(tw::c_ui_element_text& element, uint8_t text_anchor, float scale,
             const tw::c_rgba& colour) {
    element.text.anchor = text_anchor;
    element.text.scale = scale;
    element.text.set_text(element.text.text, colour);
}

// Makes the page's one screen and shows it; difficulty collects the radio group.
void build_screen(tw::c_ui_screen_set& set, tw::c_ui_font* font, c_page_materials& m,
                  tw::c_ui_radio_group& difficulty) {
    using namespace tw;
    c_ui_screen* screen = set.current = set.create_screen();
    auto text = [&](float x, float y, uint8_t anchor, const char* words, uint8_t text_anchor,
                    float scale, const c_rgba& colour) {
        auto* t = set.add_element(screen, std::make_unique<c_ui_element_text>(x, y, anchor, font,
                                                                             words));
        restyle(*t, text_anchor, scale, colour);
    };

    // Title between two pairs of sparks.
    text(0, 930, 1, "Thistlewarp", 4, k_title_scale, k_title_colour);
    for (const float x : {-640.0f, -580.0f, 580.0f, 640.0f}) {
        auto* spark = set.add_element(screen, std::make_unique<c_ui_element_graphic>(
                                                  x, std::fabs(x) > 600 ? 930 : 950, 1, m.circle,
                                                  k_spark_half, k_spark_half));
        spark->quad.buffer.set_colour(k_spark_colour);
    }

    // Left: the difficulty radio group on its panel, held by one group.
    auto* group = set.add_element(screen, std::make_unique<c_ui_element_group>());
    group->add(std::make_unique<c_ui_element_graphic>(k_left_column_x, 90, 3, &m.panel.material,
                                                      300, 500));
    auto* caption = group->add(
        std::make_unique<c_ui_element_text>(k_left_column_x, 490, 3, font, "Difficulty"));
    restyle(*caption, 4, 2, k_caption_colour);
    const char* levels[3] = {"Easy", "Normal", "Hard"};
    const uint16_t level_codes[3] = {k_easy, k_normal, k_hard};
    for (int i = 0; i < 3; ++i) {
        group->add(std::make_unique<c_ui_element_button_toggle>(
            k_left_column_x, 360 - 140 * i, &m.button.material, k_toggle_half_w, k_toggle_half_h,
            font, levels[i], level_codes[i], 0, &difficulty));
    }
    difficulty[1]->set_toggled(true);

    // Left, below the group: two lone toggles, one on and one off.
    text(k_left_column_x, -70, 3, "Options", 4, 2, k_caption_colour);
    auto* music = set.add_element(screen, std::make_unique<c_ui_element_button_toggle>(
                                              k_left_column_x, -200, &m.button.material,
                                              k_toggle_half_w, k_toggle_half_h, font, "Music",
                                              k_music_on, k_music_off));
    music->set_toggled(true);
    set.add_element(screen, std::make_unique<c_ui_element_button_toggle>(
                                k_left_column_x, -340, &m.button.material, k_toggle_half_w,
                                k_toggle_half_h, font, "Hints", k_hints_on, k_hints_off));

    // Centre: the icons, the name field and the push buttons.
    for (int i = 0; i < 4; ++i) {
        set.add_element(screen, std::make_unique<c_ui_element_graphic>(
                                    -420 + 280 * i, 520, 4, m.icons[i], k_icon_half, k_icon_half));
    }
    text(0, 330, 4, "Who is travelling?", 4, 2, k_caption_colour);
    set.add_element(screen, std::make_unique<c_ui_element_editbox>(
                                0, 210, 4, font, "Bramble", &m.field.material, 440, 60));
    const char* labels[3] = {"Play", "Options", "Quit"};
    const uint16_t button_codes[3] = {k_play, k_options, k_quit};
    for (int i = 0; i < 3; ++i) {
        set.add_element(screen, std::make_unique<c_ui_element_button_push>(
                                    -470 + 470 * i, 20, 4, &m.button.material, k_button_half_w,
                                    k_button_half_h, font, labels[i], button_codes[i]));
    }

    // Bottom: the timeline with a caption.
    text(k_left_column_x, -560, 3, "Timeline", 4, 2, k_caption_colour);
    auto* timeline = set.add_element(
        screen, std::make_unique<c_ui_element_timeline>(k_timeline_x, k_timeline_y, m.dot, font,
                                                        k_timeline));
    timeline->key_marks = {6000, 21000, 44000, 60000};
    timeline->set_value(30000);

    // Paragraphs at the corners and the right edge, each aligned to its side.
    text(-k_paragraph_margin, 990, 0, "A larva's guide to\nthe interface kit", 0, 2,
         k_body_colour);
    text(k_paragraph_margin, 990, 2, "Anchored to the\ntop right corner", 2, 2, k_body_colour);
    text(k_paragraph_margin, 120, 5,
         "Pick a difficulty:\nonly one stays lit.\nType to rename the\ntraveller. Drag the\n"
         "red cursor, or click\nnear an orange mark.",
         5, 2, k_body_colour);
    text(k_paragraph_margin, -990, 8, "Escape closes the page.", 8, 2, k_body_colour);
    text(-k_paragraph_margin, -990, 6, "Values run from 0 to 65535.", 6, 2, k_body_colour);
}

}  // namespace

int main(int argc, char** argv) {
    // Frames to show before quitting; 0 shows the page until Quit, F10 or escape.
    const long frame_limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 0;

    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, k_window_title)) {
        std::fputs("ui_page: cannot open the window\n", stderr);
        return 1;
    }
    c_page_materials materials;
    make_materials(platform, materials);

    tw::c_ui_radio_group difficulty;  // outlives the screen set, which holds its members
    tw::c_ui_screen_set set;
    tw::c_ui_font* font = set.create_font(k_font_description, materials.font);
    if (!font->glyph('A')) {
        std::fprintf(stderr, "ui_page: cannot read %s\n", k_font_description);
        window.terminate();
        return 2;
    }
    build_screen(set, font, materials, difficulty);

    tw::c_ui_callback events;
    tw::c_vertex_buffer_quad background;
    bool quit = false;
    for (long frame = 0; !quit && (frame_limit == 0 || frame < frame_limit); ++frame) {
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) ||
            window.key_pressed(k_key_escape))
            break;
        int width = 0, height = 0;
        window.window_size(width, height);
        device.viewport(0, 0, width, height);
        if (platform.update_screen_size(width, height)) set.layout(tw::ui_context(platform));

        tw::c_mouse_event mouse;
        if (platform.take_mouse_event(mouse))
            set.on_mouse_button(tw::ui_context(platform), mouse.kind, mouse.dx, mouse.dy, events);
        uint16_t character = 0;
        if (platform.take_character(character)) set.on_char(platform, character, events);
        while (!events.ui_events.empty()) {
            const uint16_t code = events.ui_events.front();
            events.ui_events.pop_front();
            std::printf("ui event %d\n", int(code));
            quit = quit || code == k_quit;
        }
        std::fflush(stdout);

        device.clear(0, 0, 0, 0);
        draw_background(platform, materials.plain, background);
        set.render(platform);
        platform.clear_key_events();
        window.swap_buffers();
    }
    for (c_painted_material* painted : {&materials.button, &materials.field, &materials.panel})
        device.delete_texture(painted->texture.name);
    platform.release_all();
    window.terminate();
    return 0;
}
