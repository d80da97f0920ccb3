// The art manifest: one line per thing to render (image, element, layer) or per
// geometry file to start, parsed into plain records.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw_tools {

enum art_item_kind : uint8_t {
    k_art_image,     // the whole document stretched to a size
    k_art_element,   // one element by id at a scale, padded
    k_art_layer,     // the whole document cut into tiles, with a tile file
    k_art_geometry,  // later elements are also listed in this XML file
    k_art_tile,      // one cell of the document split into a grid, turned by quarter turns
    k_art_region,    // one element alone, inside a rectangle of the document given in units
};

enum art_colour_format : uint8_t {
    k_colour_auto,  // 32-bit when some pixel is not opaque, else 24-bit
    k_colour_rgb,   // 24-bit
    k_colour_rgba,  // 32-bit
};

// Padding around an element when the line gives none, in pixels.
constexpr int k_default_element_pad = 2;

// One manifest line. Paths are as written: outputs relative to the output
// content folder, SVG files relative to the content source folder.
struct c_art_item {
    art_item_kind kind = k_art_image;
    int line = 0;
    std::string output;       // the .bmp, the tile .xml or the geometry .xml
    std::string svg;
    std::string element_id;   // element: id without '#'
    std::string tile_prefix;  // layer: tiles are <prefix>_<col>_<row>.bmp
    int width = 0;            // image
    int height = 0;           // image
    double scale = 0;         // element: pixels per SVG unit
    int pad = k_default_element_pad;
    int texture_size = 0;     // layer: tile side in pixels
    int tile_size = 0;        // layer: tile side in SVG units
    int grid_columns = 0;     // tile: the document's grid
    int grid_rows = 0;
    int column = 0;           // tile: which cell, from the top left
    int row = 0;
    int quarter_turns = 0;    // tile: clockwise quarter turns applied to the cell's pixels
    double left = 0, top = 0;  // region: the rectangle in SVG units, from its top left
    double region_width = 0, region_height = 0;
    art_colour_format colour = k_colour_auto;
};

// Where and why a manifest is malformed.
struct c_manifest_error {
    int line = 0;
    std::string reason;
};

// Parses the whole manifest text; on the first malformed line returns false with error set.
bool parse_manifest(const std::string& text, std::vector<c_art_item>& items, c_manifest_error& error);

// Parses one line (comments and blank lines give no item); false with reason when malformed.
bool parse_manifest_line(const std::string& line, int line_number, std::vector<c_art_item>& items,
                         std::string& reason);

}  // namespace tw_tools
