// One parallax layer of a scene: a grid of textured tiles read from the layer's
// own tile file, all drawn with one shared quad.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"
#include "platform/vertex_buffer.h"

namespace tw {

class c_platform;
class c_xml_document;
struct c_material;
struct c_texture;

constexpr int k_layer_texture_size = 512;  // pixels, for layers made in code
constexpr int k_trimmed_quads = 63;        // visible parts of one tile drawn one by one, at most

class c_scene_layer {
public:
    struct c_tile {
        std::string filename;  // texture, relative to "textures/"
        int x = 0;             // tile-file units; y grows downwards
        int y = 0;
        int size = 0;
        c_material* material = nullptr;  // not owned
    };

    // Replaces the tiles with those of the tile file file_name and rebuilds the
    // shared quad; called by scene loading and the editor. A missing or
    // malformed file, or one without "hd", leaves no tiles and both sizes 0.
    // Returns whether tiles were read.
    bool load_tiles(c_platform& platform);
    // The same from a parsed tile file document.
    bool read_tiles(c_platform& platform, c_xml_document& document);
    // Rebuilds the shared quad from tile_size, tile_scale and texture_size.
    void build_tile_quad();
    // Draws every tile, shifted by the view position times perspective_factor;
    // called by the level draw each frame.
    void draw(c_platform& platform, const vec3& view_position) const;

    std::string level_name;
    c_transform transform;
    std::string file_name;  // the tile file
    float perspective_factor = 0;  // 0 fixed in the scene, 1 fixed on screen
    float tile_scale = 1;
    int texture_size = k_layer_texture_size;  // pixels of one tile texture
    int tile_size = 0;                        // scene units of one tile before tile_scale
    std::vector<std::unique_ptr<c_tile>> tiles;
    c_vertex_buffer_quad tile_quad{4};

private:
    // Fills trimmed with the parts of the tile quad over the texture's visible
    // regions; false when the whole quad is to be drawn.
    bool trim(const c_texture& texture) const;
    mutable c_vertex_buffer_quad trimmed{k_trimmed_quads * 4};
};

}  // namespace tw
