// Layer tiles: reading the layer's tile file, the shared tile quad with its
// half-texel inset, and drawing the tiles with parallax.
#include "scene/scene_layer.h"

#include "platform/platform.h"
#include "platform/xml_archive.h"

namespace tw {

namespace {

constexpr float k_half = 0.5f;

}  // namespace

bool c_scene_layer::load_tiles(c_platform& platform) {
    c_xml_document document;
    load_document(document, file_name);
    return read_tiles(platform, document);
}

bool c_scene_layer::read_tiles(c_platform& platform, c_xml_document& document) {
    tiles.clear();
    c_xml_archive ar(document, false);

    // Content always has "hd". Without it (a missing or malformed file too)
    // there is nothing to draw: no tiles, both sizes 0 and a quad of size 0.
    rapidxml::xml_node<>* header = archive_root(ar, "hd");
    if (!header) {
        texture_size = 0;
        tile_size = 0;
        build_tile_quad();
        return false;
    }
    archive_int(ar, header, "texture_size", texture_size);
    archive_int(ar, header, "tile_size", tile_size);
    rapidxml::xml_node<>* list = first_child(header, "tiles");
    for (rapidxml::xml_node<>* node = first_child(list, "tile"); node;
         node = next_sibling(node, "tile")) {
        auto tile = std::make_unique<c_tile>();
        archive_string(ar, node, "filename", tile->filename);
        archive_int(ar, node, "x", tile->x);
        archive_int(ar, node, "y", tile->y);
        archive_int(ar, node, "size", tile->size);
        tile->material = platform.get_material(tile->filename, false);
        tiles.push_back(std::move(tile));
    }
    build_tile_quad();
    return true;
}

void c_scene_layer::build_tile_quad() {
    const float h = float(tile_size) * tile_scale * k_half;
    // Half a texel inside the edges so neighbouring tiles do not bleed into
    // each other; a size of 0 or less (no header) has no texels to inset.
    const float m = texture_size > 0 ? k_half / float(texture_size) : 0.0f;
    tile_quad.set_centred_rect(h, h, m, 1 - m, m, 1 - m);
}

void c_scene_layer::draw(c_platform& platform, const vec3& view_position) const {
    // The layer's rotation applies to each tile's quad, not to the tile
    // offsets: tiles sit on the layer's unrotated grid.
    c_transform placed = transform;
    const float origin_x = transform.tx + view_position.x * perspective_factor;
    const float origin_y = transform.ty + view_position.y * perspective_factor;
    for (const std::unique_ptr<c_tile>& tile : tiles) {
        placed.tx = origin_x + float(tile->x) * tile_scale;
        placed.ty = origin_y - float(tile->y) * tile_scale;
        platform.bind_material(tile->material);
        platform.set_vertex_buffer(&tile_quad);
        platform.draw_quads(placed, 4);
    }
}

}  // namespace tw
