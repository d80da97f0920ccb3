// Layer tiles: reading the layer's tile file, the shared tile quad with its
// half-texel inset, and drawing the tiles with parallax.
#include "scene/scene_layer.h"

#include <algorithm>

#include "platform/platform.h"
#include "platform/texture.h"
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
        const c_texture* texture = tile->material ? tile->material->texture : nullptr;
        // A tile with nothing visible costs nothing; a mostly empty one only its visible parts.
        if (texture && texture->regions.empty()) continue;
        const bool parts = texture && trim(*texture);
        platform.bind_material(tile->material);
        platform.set_vertex_buffer(parts ? &trimmed : &tile_quad);
        platform.draw_quads(placed, parts ? int(texture->regions.size()) * 4 : 4);
    }
    platform.set_vertex_buffer(nullptr);
}

bool c_scene_layer::trim(const c_texture& texture) const {
    const size_t count = texture.regions.size();
    if (count > size_t(k_trimmed_quads)) return false;
    if (count == 1) {
        const c_texture_region& r = texture.regions.front();
        if (r.u0 <= 0 && r.v0 <= 0 && r.u1 >= 1 && r.v1 >= 1) return false;
    }
    // The tile quad maps its corners to the texture inset by half a texel; a
    // region's part of the quad keeps that mapping, so it draws the same texels.
    const vec3* corner = tile_quad.positions.get();  // top left, top right, bottom right, bottom left
    const float m = tile_quad.uvs[0].x;
    const float span = 1 - 2 * m;
    auto at = [&](float u, float v, int i) {
        const float s = span > 0 ? std::clamp((u - m) / span, 0.0f, 1.0f) : 0;
        const float t = span > 0 ? std::clamp((v - m) / span, 0.0f, 1.0f) : 0;
        trimmed.positions[i] = {corner[0].x + (corner[1].x - corner[0].x) * s,
                                corner[0].y + (corner[3].y - corner[0].y) * t, 0};
        trimmed.uvs[i] = {m + span * s, m + span * t};
        trimmed.colours[i] = tile_quad.colours[0];
    };
    int i = 0;
    for (const c_texture_region& r : texture.regions) {
        at(r.u0, r.v0, i++);
        at(r.u1, r.v0, i++);
        at(r.u1, r.v1, i++);
        at(r.u0, r.v1, i++);
    }
    return true;
}

}  // namespace tw
