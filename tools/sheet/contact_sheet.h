// The contact sheet: lays decoded textures out in a labelled grid, each picture on
// a mid-grey checkerboard so its alpha shows, and draws the whole sheet with cairo.
#pragma once
#include <cairo.h>

#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace tw {

constexpr int k_sheet_cell_px = 256;   // the longer side of every picture on the sheet
constexpr int k_sheet_label_px = 40;   // room under a picture for its name and size lines
constexpr int k_sheet_gap_px = 16;     // space between cells and around the sheet
constexpr int k_sheet_max_columns = 6;
constexpr int k_checker_px = 8;        // side of one checkerboard square

// Where the cells of a sheet go and how large the whole sheet is, in pixels.
struct c_sheet_layout {
    int columns = 0;
    int rows = 0;
    int width = 0;
    int height = 0;
};

// A rectangle on the sheet, in pixels.
struct c_sheet_rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// One picture for the sheet: its name (the path under the content folder) and the
// decoded image; a format of k_image_unsupported marks a file that could not be read.
struct c_sheet_entry {
    std::string name;
    c_image image;
};

// The grid for count pictures: at most k_sheet_max_columns a row, rows as needed;
// no pictures still gives a sheet of one empty cell so the PNG is valid.
c_sheet_layout sheet_layout(size_t count);

// Where the picture of the given cell goes: the image scaled to fit the cell with its
// aspect kept, centred horizontally and resting on the label.
c_sheet_rect sheet_picture_rect(const c_sheet_layout& layout, size_t index, int image_width, int image_height);

// Converts a decoded image to a premultiplied ARGB32 surface, top row first; 4 and
// 8-bit images show their values as greys. Null for an empty or unsupported image.
// The caller destroys the surface.
cairo_surface_t* image_to_surface(const c_image& image);

// Draws all entries on one sheet; never null. The caller destroys the surface.
cairo_surface_t* draw_contact_sheet(const std::vector<c_sheet_entry>& entries);

}  // namespace tw
