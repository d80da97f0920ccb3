// Layers: a whole SVG document rendered at texture_size / tile_size pixels per unit,
// cut into square tiles, the empty ones skipped, and listed in a tile file.
#pragma once
#include <string>
#include <vector>

#include "art/art_output.h"
#include "art/manifest.h"
#include "art/svg_render.h"

namespace tw_tools {

// One written tile: grid place, file name relative to textures/, centre in SVG units
// from the document's centre (y down), rounded.
struct c_layer_tile {
    int column = 0;
    int row = 0;
    std::string filename;
    long x = 0;
    long y = 0;
};

// The grid a layer is cut into.
struct c_layer_grid {
    double scale = 0;  // pixels per SVG unit
    int pixel_width = 0;
    int pixel_height = 0;
    int columns = 0;
    int rows = 0;
};

// The grid for a document of bounds at the item's texture and tile sizes.
c_layer_grid layer_grid(const c_svg_rect& bounds, int texture_size, int tile_size);

// Renders the layer item of doc, writes its non-empty tiles and its tile file under
// output_dir; tiles receives what was written. False with error on failure.
bool make_layer(const c_svg_document& doc, const c_art_item& item, const std::string& output_dir,
                std::vector<c_layer_tile>& tiles, c_output_log& log, std::string& error);

}  // namespace tw_tools
