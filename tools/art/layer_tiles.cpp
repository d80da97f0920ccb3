// Cutting layers into tiles. The document is rendered one row of tiles at a time
// (in chunks no wider than cairo allows), so memory stays bounded for wide scenes.
#include "art/layer_tiles.h"

#include <algorithm>
#include <cmath>

#include "art/pixels.h"
#include "platform/xml_document.h"

namespace tw_tools {

namespace {

// Tiles are named relative to this folder in the tile file; the game prefixes it.
const std::string k_texture_folder = "textures/";

std::string tile_path(const std::string& prefix, int column, int row) {
    return prefix + "_" + std::to_string(column) + "_" + std::to_string(row) + ".bmp";
}

bool write_tile_file(const c_art_item& item, const std::vector<c_layer_tile>& tiles, const std::string& path,
                     c_output_log& log, std::string& error) {
    tw::c_xml_document doc;
    tw::new_document(doc);
    rapidxml::xml_node<>* root = tw::append_element(doc, nullptr, "hd");
    tw::append_attribute(doc, root, "texture_size", std::to_string(item.texture_size));
    tw::append_attribute(doc, root, "tile_size", std::to_string(item.tile_size));
    rapidxml::xml_node<>* list = tw::append_element(doc, root, "tiles");
    for (const c_layer_tile& tile : tiles) {
        rapidxml::xml_node<>* node = tw::append_element(doc, list, "tile");
        tw::append_attribute(doc, node, "filename", tile.filename);
        tw::append_attribute(doc, node, "x", std::to_string(tile.x));
        tw::append_attribute(doc, node, "y", std::to_string(tile.y));
        tw::append_attribute(doc, node, "size", std::to_string(item.tile_size));
    }
    return write_art_xml(doc, path, log, error);
}

}  // namespace

c_layer_grid layer_grid(const c_svg_rect& bounds, int texture_size, int tile_size) {
    c_layer_grid grid;
    grid.scale = double(texture_size) / tile_size;
    grid.pixel_width = pixels_covering(bounds.width, grid.scale);
    grid.pixel_height = pixels_covering(bounds.height, grid.scale);
    grid.columns = (grid.pixel_width + texture_size - 1) / texture_size;
    grid.rows = (grid.pixel_height + texture_size - 1) / texture_size;
    return grid;
}

bool make_layer(const c_svg_document& doc, const c_art_item& item, const std::string& output_dir,
                std::vector<c_layer_tile>& tiles, c_output_log& log, std::string& error) {
    const int size = item.texture_size;
    const c_layer_grid grid = layer_grid(doc.bounds(), size, item.tile_size);
    const int chunk_columns = std::max(1, k_max_bitmap_side / size);
    const double half_width = doc.bounds().width / 2;
    const double half_height = doc.bounds().height / 2;

    for (int row = 0; row < grid.rows; ++row) {
        const int top = row * size;
        const int strip_height = std::min(size, grid.pixel_height - top);
        for (int first = 0; first < grid.columns; first += chunk_columns) {
            const int left = first * size;
            const int strip_width = std::min(chunk_columns * size, grid.pixel_width - left);
            c_image_rgba strip;
            if (!doc.render_region(grid.scale, left, top, strip_width, strip_height, strip, error)) return false;
            const int last = std::min(first + chunk_columns, grid.columns);
            for (int column = first; column < last; ++column) {
                // Pixels past the document's edge come out transparent.
                c_image_rgba tile = crop_image(strip, (column - first) * size, 0, size, size);
                if (is_fully_transparent(tile)) continue;
                const std::string path = tile_path(item.tile_prefix, column, row);
                if (!write_art_bitmap(tile, item.colour, output_dir + "/" + path, log, error)) return false;
                c_layer_tile written;
                written.column = column;
                written.row = row;
                written.filename = path.substr(k_texture_folder.size());
                written.x = std::lround((column + 0.5) * item.tile_size - half_width);
                written.y = std::lround((row + 0.5) * item.tile_size - half_height);
                tiles.push_back(written);
            }
        }
    }
    return write_tile_file(item, tiles, output_dir + "/" + item.output, log, error);
}

}  // namespace tw_tools
