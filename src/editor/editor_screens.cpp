// The editor's widgets: the row of tab buttons, and for each tab a column at
// the left edge with its selection, navigation, edit boxes, modes and commands.
#include "editor/editor_codes.h"
#include "editor/state_editor.h"
#include "platform/platform.h"
#include "ui/ui_element_graphic.h"
#include "ui/ui_element_group.h"

namespace tw {

namespace {

constexpr float k_label_scale = 1.4f;
constexpr float k_caption_scale = 1.1f;
constexpr float k_name_scale = 1.2f;
constexpr float k_row_half = 38.0f;        // button and box half height
constexpr float k_column_left = -1004.0f;  // the column's left edge (offset units)
constexpr float k_column_width = 560.0f;
constexpr float k_tab_half_width = 165.0f;
constexpr float k_tab_pitch = 345.0f;
constexpr float k_tab_rows_y[2] = {966.0f, 878.0f};
constexpr float k_column_top = 770.0f;
constexpr float k_timelines_x = -1024.0f + 640.0f + k_timeline_half_length;
constexpr float k_timelines_y[2] = {-740.0f, -930.0f};
constexpr c_rgba k_panel_colour{16, 12, 8, 150};
constexpr c_rgba k_box_colour{16, 12, 8, 190};
constexpr c_rgba k_caption_colour{255, 224, 160, 255};
constexpr c_rgba k_name_colour{255, 236, 120, 255};

const char* const k_tab_labels[k_editor_tab_count] = {"file",     "layers",  "cameras", "puzzles",
                                                      "collect.", "view",    "levels",  "anims",
                                                      "paths",    "graphics"};

void scale_text(c_ui_component_text& text, float scale, const c_rgba& colour) {
    text.scale = scale;
    text.set_text(text.text, colour);
}

// Adds one tab's widgets top to bottom, one row at a time, into its group.
class c_column {
public:
    c_column(c_ui_element_group& group, c_ui_font* font, c_material* face, c_material* blank)
        : group_(group), font_(font), face_(face), blank_(blank) {}

    c_ui_element_text* text(const std::string& words, float scale, const c_rgba& colour) {
        auto* t = group_.add(
            std::make_unique<c_ui_element_text>(centre(), y_, k_anchor_middle_left, font_, words));
        scale_text(t->text, scale, colour);
        t->text.max_line_width = uint16_t(k_column_width / scale * 2);
        y_ -= 70;
        return t;
    }
    c_ui_element_editbox* box(const std::string& caption, const std::string& initial) {
        text(caption, k_caption_scale, k_caption_colour);
        y_ -= 6;
        auto* b = group_.add(std::make_unique<c_ui_element_editbox>(
            centre(), y_, k_anchor_middle_left, font_, initial, blank_, k_column_width / 2,
            k_row_half));
        b->background.buffer.set_colour(k_box_colour);
        scale_text(b->text, k_label_scale, k_ui_text_colour);
        y_ -= 90;
        return b;
    }
    // Two buttons side by side; a null label leaves its half empty.
    void buttons(const char* left, uint16_t left_code, const char* right, uint16_t right_code) {
        if (left) push(left, left_code, centre() - k_column_width / 4);
        if (right) push(right, right_code, centre() + k_column_width / 4);
        y_ -= 96;
    }
    void wide_button(const char* label, uint16_t code) {
        push(label, code, centre(), k_column_width / 2);
        y_ -= 96;
    }
    // A toggle in the left or right half of a row, or across the whole row.
    enum class span { left, right, whole };
    c_ui_element_button_toggle* toggle(const char* label, uint16_t on_code, uint16_t off_code,
                                       span where) {
        const float x = where == span::whole  ? centre()
                        : where == span::left ? centre() - k_column_width / 4
                                              : centre() + k_column_width / 4;
        const float half_w = where == span::whole ? k_column_width / 2 : k_column_width / 4 - 8;
        auto* t = group_.add(std::make_unique<c_ui_element_button_toggle>(
            x, y_, face_, half_w, k_row_half, font_, label, on_code, off_code));
        scale_text(t->label, k_label_scale, k_ui_text_colour);
        if (where != span::left) y_ -= 96;
        return t;
    }
    void skip(float units) { y_ -= units; }

private:
    static float centre() { return k_column_left + k_column_width / 2; }
    void push(const char* label, uint16_t code, float x, float half_w = k_column_width / 4 - 8) {
        auto* b = group_.add(std::make_unique<c_ui_element_button_push>(
            x, y_, k_anchor_middle_left, face_, half_w, k_row_half, font_, label, code));
        scale_text(b->label, k_label_scale, k_ui_text_colour);
    }

    c_ui_element_group& group_;
    c_ui_font* font_;
    c_material* face_;
    c_material* blank_;
    float y_ = k_column_top;
};

}  // namespace

void c_state_editor::build_screens(c_platform& platform) {
    c_ui_screen* screen = ui.create_screen();
    ui.current = screen;
    button_face = platform.get_material("editor_button.bmp", false);
    // Dark panels behind the tab rows and the column keep the labels readable
    // over any scene.
    auto* column_panel =
        ui.add_element(screen, std::make_unique<c_ui_element_graphic>(
                                   k_column_left + k_column_width / 2, 0, k_anchor_middle_left,
                                   blank, k_column_width / 2 + 20, 1024));
    column_panel->quad.buffer.set_colour(k_panel_colour);
    for (int i = 0; i < k_editor_tab_count; ++i) {
        const float x = -1024.0f + 20 + k_tab_half_width + (i % 5) * k_tab_pitch;
        auto* button = ui.add_element(
            screen, std::make_unique<c_ui_element_button_toggle>(
                        x, k_tab_rows_y[i / 5], button_face, k_tab_half_width, k_row_half, font,
                        k_tab_labels[i], uint16_t(i + 1), uint16_t(i + 1), &tab_buttons));
        scale_text(button->label, k_label_scale, k_ui_text_colour);
    }
    for (int i = 0; i < k_editor_tab_count; ++i) {
        auto* group = ui.add_element(screen, std::make_unique<c_ui_element_group>());
        widgets.screens[size_t(i)] = group;
        build_tab(editor_tab(i));
    }
}

void c_state_editor::build_tab(editor_tab which) {
    c_ui_element_group& group = *widgets.screens[size_t(which)];
    c_column column(group, font, button_face, blank);
    using span = c_column::span;
    auto& modes = widgets.modes[size_t(which)];
    auto& selection = widgets.selection[size_t(which)];
    auto list_rows = [&](uint16_t add, uint16_t remove, uint16_t previous, uint16_t next) {
        selection = column.text("none", k_name_scale, k_name_colour);
        column.buttons("<", previous, ">", next);
        column.buttons("add", add, "remove", remove);
    };
    // A mode toggle in a row's half (or across it) and the mode it stands for.
    auto mode = [&](const char* label, uint16_t on, uint16_t off, span where, editor_mode m) {
        modes.push_back({column.toggle(label, on, off, where), m});
    };
    switch (which) {
        case editor_tab::file:
            column.text("scene file", k_caption_scale, k_caption_colour);
            widgets.file_name = column.box("in the working folder", k_editor_default_file);
            column.buttons("save", k_ed_save, "load", k_ed_load);
            widgets.status = column.text("", k_caption_scale, k_caption_colour);
            column.skip(40);
            column.text("F2: title screen", k_caption_scale, k_caption_colour);
            break;
        case editor_tab::layers:
            list_rows(k_ed_layer_add, k_ed_layer_remove, k_ed_layer_previous, k_ed_layer_next);
            widgets.layer_file = column.box("tile file", "layer_file");
            widgets.layer_size = column.box("tile scale", "size");
            mode("move", k_ed_layer_move, k_ed_layer_none, span::left, editor_mode::move);
            mode("depth", k_ed_layer_depth, k_ed_layer_none, span::right, editor_mode::depth);
            break;
        case editor_tab::cameras:
            list_rows(k_ed_camera_add, k_ed_camera_remove, k_ed_camera_previous, k_ed_camera_next);
            widgets.camera_name = column.box("name", "camera name");
            mode("move", k_ed_camera_move, k_ed_camera_none, span::left, editor_mode::move);
            column.skip(96);
            column.wide_button("center camera", k_ed_camera_center);
            break;
        case editor_tab::puzzles:
            list_rows(k_ed_puzzle_add, k_ed_puzzle_remove, k_ed_puzzle_previous, k_ed_puzzle_next);
            widgets.puzzle_file = column.box("anim file", k_editor_puzzle_placeholder);
            widgets.puzzle_index = column.box("index", "puzzle index");
            mode("move", k_ed_puzzle_move, k_ed_puzzle_none, span::left, editor_mode::move);
            break;
        case editor_tab::collect:
            list_rows(k_ed_collect_add, k_ed_collect_remove, k_ed_collect_previous,
                      k_ed_collect_next);
            widgets.collect_file = column.box("texture", "file name");
            widgets.collect_picked = column.box("texture once picked", "picked file name");
            widgets.collect_index = column.box("index", "puzzle index");
            mode("move", k_ed_collect_move, k_ed_collect_none, span::left, editor_mode::move);
            mode("rotate", k_ed_collect_rotate, k_ed_collect_none, span::right,
                 editor_mode::rotate);
            break;
        case editor_tab::view:
            column.buttons("zoom in", k_ed_zoom_in, "zoom out", k_ed_zoom_out);
            column.text("drag the scene to pan", k_caption_scale, k_caption_colour);
            break;
        case editor_tab::levels:
            list_rows(k_ed_level_add, k_ed_level_remove, k_ed_level_previous, k_ed_level_next);
            widgets.level_name = column.box("name", "level name");
            break;
        case editor_tab::anims:
            list_rows(k_ed_anim_add, k_ed_anim_remove, k_ed_anim_previous, k_ed_anim_next);
            widgets.anim_file = column.box("anim file", "anim file name");
            mode("move", k_ed_anim_move, k_ed_anim_none, span::left, editor_mode::move);
            mode("rotate", k_ed_anim_rotate, k_ed_anim_none, span::right, editor_mode::rotate);
            widgets.route_mode =
                column.toggle("route mode", k_ed_anim_route, k_ed_anim_route, span::whole);
            widgets.once_name = column.box("play once animation:", "name");
            widgets.once_speed = column.box("speed", "1024");
            widgets.loop_name = column.box("loop animation:", "name");
            widgets.loop_speed = column.box("speed", "1024");
            column.wide_button("add anim change", k_ed_anim_change);
            for (size_t i = 0; i < widgets.timelines.size(); ++i) {
                widgets.timelines[i] = group.add(std::make_unique<c_ui_element_timeline>(
                    k_timelines_x, k_timelines_y[i], blank, font,
                    uint16_t(k_ed_timeline_first + i)));
            }
            break;
        case editor_tab::paths:
            list_rows(k_ed_path_add, k_ed_path_remove, k_ed_path_previous, k_ed_path_next);
            widgets.path_name = column.box("name", "path name");
            widgets.path_anim = column.box("walk animation", "");
            widgets.path_speed = column.box("speed", "0");
            mode("move", k_ed_path_move, k_ed_path_none, span::left, editor_mode::move);
            mode("rotate", k_ed_path_rotate, k_ed_path_none, span::right, editor_mode::rotate);
            mode("connect", k_ed_path_connect, k_ed_path_none, span::whole, editor_mode::connect);
            column.wide_button("disconnect all", k_ed_path_disconnect);
            break;
        case editor_tab::graphics:
            list_rows(k_ed_graphic_add, k_ed_graphic_remove, k_ed_graphic_previous,
                      k_ed_graphic_next);
            widgets.graphic_file = column.box("bitmap", "file name.bmp");
            widgets.graphic_name = column.box("name", "graphic name");
            mode("move", k_ed_graphic_move, k_ed_graphic_none, span::left, editor_mode::move);
            mode("rotate", k_ed_graphic_rotate, k_ed_graphic_none, span::right,
                 editor_mode::rotate);
            break;
    }
}

}  // namespace tw
