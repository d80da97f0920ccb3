// The title screen's changes to its scene: lights, endless layers.
#include "menu/menu_scene.h"

#include <cmath>
#include <memory>

#include "scene/scene.h"

namespace tw {

c_scene_graphic* add_menu_light(c_platform& platform, c_scene& scene, c_scene_level& level,
                                const std::string& name, const std::string& file,
                                const c_rgba& colour) {
    auto light = std::make_unique<c_scene_graphic>();
    light->level_name = level.name;
    light->name = name;
    light->file_name = file;
    light->half_width = k_menu_light_half_size;
    light->half_height = k_menu_light_half_size;
    build_graphic_quad(platform, *light);
    set_graphic_colour(*light, colour);
    make_graphic_glow(platform, *light);
    // add_graphic appends to the scene's list and to the list of the level of
    // that name, which is this level.
    return scene.add_graphic(std::move(light));
}

void make_layer_endless(c_scene_layer& layer) {
    layer.transform.tx -= k_endless_entry_shift;
    // Tiles are placed at tile x * tile_scale; a layer without scale draws
    // every tile at its origin, where a copy would add nothing.
    if (layer.tile_scale == 0) return;
    const int shift = int(std::lround(k_endless_period / layer.tile_scale));
    const size_t original_count = layer.tiles.size();
    for (size_t i = 0; i < original_count; ++i) {
        auto copy = std::make_unique<c_scene_layer::c_tile>(*layer.tiles[i]);
        copy->x += shift;
        layer.tiles.push_back(std::move(copy));
    }
}

void scroll_endless_layer(c_scene_layer& layer, float speed) {
    layer.transform.tx -= speed;
    if (layer.transform.tx < k_endless_wrap_x) layer.transform.tx += k_endless_period;
}

void set_graphic_colour(c_scene_graphic& graphic, const c_rgba& colour) {
    graphic.quad.buffer.set_colour(colour);
}

}  // namespace tw
