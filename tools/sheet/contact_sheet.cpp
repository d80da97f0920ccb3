// Drawing the contact sheet: grid layout, the decoded image to cairo conversion,
// the checkerboard behind each picture and the two label lines under it.
#include "sheet/contact_sheet.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace tw {

namespace {

constexpr double k_background_grey = 0.16;
constexpr double k_checker_light = 0.60;
constexpr double k_checker_dark = 0.44;
constexpr double k_label_grey = 0.92;
constexpr double k_detail_grey = 0.65;
constexpr double k_name_font_px = 14;
constexpr double k_detail_font_px = 12;
constexpr int k_grey_levels_4bit = 17;  // spreads 0..15 over 0..255

const char* format_name(uint8_t format) {
    switch (format) {
        case k_image_4bit:
            return "4-bit";
        case k_image_8bit:
            return "8-bit";
        case k_image_24bit:
            return "24-bit";
        case k_image_32bit:
            return "32-bit";
        default:
            return "unreadable";
    }
}

uint32_t premultiplied_argb(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    const auto scale = [a](uint8_t c) { return uint32_t((c * a + 127) / 255); };
    return (uint32_t(a) << 24) | (scale(r) << 16) | (scale(g) << 8) | scale(b);
}

uint32_t pixel_at(const c_image& image, const uint8_t* row, int x) {
    switch (image.format) {
        case k_image_4bit: {
            const uint8_t grey = uint8_t(row[x] * k_grey_levels_4bit);
            return premultiplied_argb(grey, grey, grey, 255);
        }
        case k_image_8bit:
            return premultiplied_argb(row[x], row[x], row[x], 255);
        case k_image_24bit: {
            const uint8_t* p = row + 3 * x;
            return premultiplied_argb(p[0], p[1], p[2], 255);
        }
        default: {
            const uint8_t* p = row + 4 * x;
            return premultiplied_argb(p[0], p[1], p[2], p[3]);
        }
    }
}

void fill_checker(cairo_t* cr, const c_sheet_rect& rect) {
    cairo_save(cr);
    cairo_rectangle(cr, rect.x, rect.y, rect.width, rect.height);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, k_checker_light, k_checker_light, k_checker_light);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, k_checker_dark, k_checker_dark, k_checker_dark);
    // Squares are anchored to the sheet, so neighbouring pictures share one pattern.
    const int first_col = int(rect.x) / k_checker_px;
    const int first_row = int(rect.y) / k_checker_px;
    const int last_col = int(rect.x + rect.width) / k_checker_px;
    const int last_row = int(rect.y + rect.height) / k_checker_px;
    for (int row = first_row; row <= last_row; ++row) {
        for (int col = first_col; col <= last_col; ++col) {
            if ((row + col) % 2 == 0) continue;
            cairo_rectangle(cr, col * k_checker_px, row * k_checker_px, k_checker_px, k_checker_px);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

void draw_picture(cairo_t* cr, const c_sheet_rect& rect, const c_image& image) {
    cairo_surface_t* surface = image_to_surface(image);
    if (!surface) return;
    cairo_save(cr);
    cairo_translate(cr, rect.x, rect.y);
    cairo_scale(cr, rect.width / image.width, rect.height / image.height);
    cairo_set_source_surface(cr, surface, 0, 0);
    // Enlarged small textures keep their square pixels so they are judged as they are.
    const bool enlarged = rect.width > image.width;
    cairo_pattern_set_filter(cairo_get_source(cr), enlarged ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_rectangle(cr, 0, 0, image.width, image.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}

void draw_unreadable_mark(cairo_t* cr, const c_sheet_rect& cell) {
    cairo_save(cr);
    cairo_set_source_rgb(cr, 0.85, 0.2, 0.2);
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, cell.x, cell.y);
    cairo_line_to(cr, cell.x + cell.width, cell.y + cell.height);
    cairo_move_to(cr, cell.x + cell.width, cell.y);
    cairo_line_to(cr, cell.x, cell.y + cell.height);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// Writes text centred on centre_x, shrunk to fit max_width when the name is long.
void draw_label_line(cairo_t* cr, const std::string& text, double centre_x, double baseline, double font_px,
                     double max_width) {
    cairo_set_font_size(cr, font_px);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    if (extents.x_advance > max_width) {
        cairo_set_font_size(cr, font_px * max_width / extents.x_advance);
        cairo_text_extents(cr, text.c_str(), &extents);
    }
    cairo_move_to(cr, centre_x - extents.x_advance / 2, baseline);
    cairo_show_text(cr, text.c_str());
}

void draw_label(cairo_t* cr, const c_sheet_rect& cell, const c_sheet_entry& entry) {
    const double centre_x = cell.x + cell.width / 2;
    const double top = cell.y + cell.height;
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_source_rgb(cr, k_label_grey, k_label_grey, k_label_grey);
    draw_label_line(cr, entry.name, centre_x, top + 16, k_name_font_px, cell.width);

    char detail[64];
    std::snprintf(detail, sizeof detail, "%d x %d  %s", int(entry.image.width), int(entry.image.height),
                  format_name(entry.image.format));
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_source_rgb(cr, k_detail_grey, k_detail_grey, k_detail_grey);
    draw_label_line(cr, detail, centre_x, top + 33, k_detail_font_px, cell.width);
}

c_sheet_rect cell_rect(const c_sheet_layout& layout, size_t index) {
    const int column = int(index % size_t(layout.columns));
    const int row = int(index / size_t(layout.columns));
    c_sheet_rect cell;
    cell.x = k_sheet_gap_px + column * (k_sheet_cell_px + k_sheet_gap_px);
    cell.y = k_sheet_gap_px + row * (k_sheet_cell_px + k_sheet_label_px + k_sheet_gap_px);
    cell.width = k_sheet_cell_px;
    cell.height = k_sheet_cell_px;
    return cell;
}

}  // namespace

c_sheet_layout sheet_layout(size_t count) {
    c_sheet_layout layout;
    const size_t cells = std::max<size_t>(count, 1);
    layout.columns = int(std::min<size_t>(cells, k_sheet_max_columns));
    layout.rows = int((cells + size_t(layout.columns) - 1) / size_t(layout.columns));
    layout.width = k_sheet_gap_px + layout.columns * (k_sheet_cell_px + k_sheet_gap_px);
    layout.height = k_sheet_gap_px + layout.rows * (k_sheet_cell_px + k_sheet_label_px + k_sheet_gap_px);
    return layout;
}

c_sheet_rect sheet_picture_rect(const c_sheet_layout& layout, size_t index, int image_width, int image_height) {
    const c_sheet_rect cell = cell_rect(layout, index);
    if (image_width <= 0 || image_height <= 0) return {cell.x, cell.y, 0, 0};
    const double scale = std::min(cell.width / image_width, cell.height / image_height);
    c_sheet_rect rect;
    rect.width = image_width * scale;
    rect.height = image_height * scale;
    rect.x = cell.x + (cell.width - rect.width) / 2;
    rect.y = cell.y + cell.height - rect.height;
    return rect;
}

cairo_surface_t* image_to_surface(const c_image& image) {
    if (image.format == k_image_unsupported || image.width == 0 || image.height == 0) return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    cairo_surface_flush(surface);
    uint8_t* data = cairo_image_surface_get_data(surface);
    const int surface_stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height; ++y) {
        // The decoded image keeps its bottom row first; the surface wants the top row first.
        const uint8_t* row = image.pixels.data() + size_t(image.height - 1 - y) * image.stride;
        auto* out = reinterpret_cast<uint32_t*>(data + size_t(y) * surface_stride);
        for (int x = 0; x < image.width; ++x) out[x] = pixel_at(image, row, x);
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

cairo_surface_t* draw_contact_sheet(const std::vector<c_sheet_entry>& entries) {
    const c_sheet_layout layout = sheet_layout(entries.size());
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, layout.width, layout.height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, k_background_grey, k_background_grey, k_background_grey);
    cairo_paint(cr);
    for (size_t i = 0; i < entries.size(); ++i) {
        const c_sheet_entry& entry = entries[i];
        const c_sheet_rect cell = cell_rect(layout, i);
        if (entry.image.format == k_image_unsupported) {
            draw_unreadable_mark(cr, cell);
        } else {
            const c_sheet_rect rect = sheet_picture_rect(layout, i, entry.image.width, entry.image.height);
            fill_checker(cr, rect);
            draw_picture(cr, rect, entry.image);
        }
        draw_label(cr, cell, entry);
    }
    cairo_destroy(cr);
    cairo_surface_flush(sheet);
    return sheet;
}

}  // namespace tw
