// Reading and writing the scene file: one two-way serialize per record, the
// eight lists, and the work done when an item is read (animations, tiles,
// materials and quads), then distribution into levels and path linking.
#include <climits>
#include <cstdio>

#include "platform/file.h"
#include "platform/platform.h"
#include "platform/xml_archive.h"
#include "scene/scene.h"

namespace tw {

namespace {

using xml_node = rapidxml::xml_node<>;

// Texture coordinates of a whole texture, as set_rect takes them.
constexpr float k_whole_left_u = 0.0f;
constexpr float k_whole_right_u = 1.0f;
constexpr float k_whole_top_v = 0.0f;
constexpr float k_whole_bottom_v = 1.0f;
// A collectible's quad is this many scene units per texture pixel, each way.
constexpr float k_collectible_units_per_pixel = 2.0f;
constexpr int16_t k_unlinked_index = -1;

// A 16-bit signed field: read as an int and truncated, written with "%d".
void archive_i16(c_xml_archive& ar, xml_node* node, const char* name, int16_t& field) {
    int32_t value = field;
    archive_int(ar, node, name, value);
    if (!ar.writing) field = static_cast<int16_t>(value);
}

// The platform material of a texture; none for an empty name, so an item
// without a texture does not queue a load of the texture folder itself.
c_material* material_of(c_platform& platform, const std::string& file_name) {
    return file_name.empty() ? nullptr : platform.get_material(file_name, false);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_level& level) {
    archive_string(ar, node, "name", level.name);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_puzzle& puzzle) {
    archive_transform(ar, node, "transform", puzzle.anim.base);
    archive_string(ar, node, "anim_file_name", puzzle.anim_file_name);
    archive_i16(ar, node, "puzzle_index", puzzle.puzzle_index);
    archive_string(ar, node, "level_name", puzzle.level_name);
    archive_float(ar, node, "click_radius", puzzle.click_radius);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_collectible& collectible) {
    archive_string(ar, node, "texture_file_name", collectible.texture_file_name);
    archive_string(ar, node, "picked_file_name", collectible.picked_file_name);
    archive_transform(ar, node, "transform", collectible.transform);
    archive_i16(ar, node, "puzzle_index", collectible.puzzle_index);
    archive_string(ar, node, "level_name", collectible.level_name);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_layer& layer) {
    archive_string(ar, node, "level_name", layer.level_name);
    archive_transform(ar, node, "transform", layer.transform);
    archive_string(ar, node, "file_name", layer.file_name);
    archive_float(ar, node, "perspective_factor", layer.perspective_factor);
    archive_float(ar, node, "tile_scale", layer.tile_scale);
}

// "transform_graph": one "transform" per key with "index" and the value "value".
void serialize_transform_graph(c_xml_archive& ar, xml_node* node, c_scene_anim& anim) {
    if (ar.writing) {
        xml_node* graph = append_child(ar, node, "transform_graph");
        for (auto& [key, transform] : anim.transform_graph) {
            xml_node* item = append_child(ar, graph, "transform");
            uint16_t index = key;
            archive_u16(ar, item, "index", index);
            archive_transform(ar, item, "value", transform);
        }
        return;
    }
    xml_node* graph = first_child(node, "transform_graph");
    for (xml_node* item = first_child(graph, "transform"); item;
         item = next_sibling(item, "transform")) {
        uint16_t index = 0;
        archive_u16(ar, item, "index", index);
        c_transform transform;
        archive_transform(ar, item, "value", transform);
        anim.transform_graph[index] = transform;
    }
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_anim::change_anims_node& change) {
    archive_string(ar, node, "anim_name_play_once", change.anim_name_play_once);
    archive_u16(ar, node, "anim_speed_play_once", change.anim_speed_play_once);
    archive_string(ar, node, "anim_name_loop", change.anim_name_loop);
    archive_u16(ar, node, "anim_speed_loop", change.anim_speed_loop);
}

// "anim_change_graph": one "anim_change" per key with "index" and an "object";
// a key without "object" is skipped on reading.
void serialize_change_graph(c_xml_archive& ar, xml_node* node, c_scene_anim& anim) {
    if (ar.writing) {
        xml_node* graph = append_child(ar, node, "anim_change_graph");
        for (auto& [key, change] : anim.anim_change_graph) {
            xml_node* item = append_child(ar, graph, "anim_change");
            uint16_t index = key;
            archive_u16(ar, item, "index", index);
            serialize(ar, append_child(ar, item, "object"), *change);
        }
        return;
    }
    xml_node* graph = first_child(node, "anim_change_graph");
    for (xml_node* item = first_child(graph, "anim_change"); item;
         item = next_sibling(item, "anim_change")) {
        xml_node* object = first_child(item, "object");
        if (!object) continue;
        uint16_t index = 0;
        archive_u16(ar, item, "index", index);
        auto change = std::make_unique<c_scene_anim::change_anims_node>();
        serialize(ar, object, *change);
        anim.anim_change_graph[index] = std::move(change);
    }
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_anim& anim) {
    archive_transform(ar, node, "transform", anim.anim.base);
    archive_string(ar, node, "anim_file_name", anim.anim_file_name);
    archive_string(ar, node, "level_name", anim.level_name);
    archive_u16(ar, node, "anim_position", anim.anim_position);
    archive_u16(ar, node, "anim_speed", anim.anim_speed);
    serialize_transform_graph(ar, node, anim);
    serialize_change_graph(ar, node, anim);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_graphic& graphic) {
    archive_string(ar, node, "level_name", graphic.level_name);
    archive_string(ar, node, "name", graphic.name);
    archive_string(ar, node, "file_name", graphic.file_name);
    archive_transform(ar, node, "transform", graphic.transform);
    archive_float(ar, node, "half_width", graphic.half_width);
    archive_float(ar, node, "half_height", graphic.half_height);
}

// A target index outside the 16-bit range reads as unlinked rather than
// wrapping onto some unrelated node.
void serialize_target_index(c_xml_archive& ar, xml_node* node, int16_t& field) {
    int32_t value = field;
    archive_int(ar, node, "target_index", value);
    if (ar.writing) return;
    field = (value < INT16_MIN || value > INT16_MAX) ? k_unlinked_index
                                                     : static_cast<int16_t>(value);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_path_node::path& path) {
    serialize_target_index(ar, node, path.target_index);
    archive_string(ar, node, "animation_name", path.animation_name);
    archive_u16(ar, node, "animtion_speed", path.animtion_speed);
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_path_node& path_node) {
    archive_transform(ar, node, "transform", path_node.transform);
    archive_string(ar, node, "name", path_node.name);
    if (ar.writing) {
        xml_node* list = append_child(ar, node, "paths");
        for (auto& path : path_node.paths) serialize(ar, append_child(ar, list, "path"), *path);
        return;
    }
    xml_node* list = first_child(node, "paths");
    for (xml_node* item = first_child(list, "path"); item; item = next_sibling(item, "path")) {
        auto path = std::make_unique<c_scene_path_node::path>();
        serialize(ar, item, *path);
        path_node.paths.push_back(std::move(path));
    }
}

void serialize(c_xml_archive& ar, xml_node* node, c_scene_camera& camera) {
    archive_vec3(ar, node, "position", camera.position);
    archive_float(ar, node, "scene_width", camera.scene_width);
    archive_string(ar, node, "name", camera.name);
}

// Appends every item of the first top-level element list_name, in document
// order; finish does the work that follows reading an item's fields.
template <class T, class F>
void read_list(c_xml_archive& ar, const char* list_name, const char* item_name,
               c_scene_list<T>& list, F finish) {
    xml_node* root = archive_root(ar, list_name);
    for (xml_node* node = first_child(root, item_name); node;
         node = next_sibling(node, item_name)) {
        auto item = std::make_unique<T>();
        serialize(ar, node, *item);
        finish(*item);
        list.push_back(std::move(item));
    }
}

template <class T>
void write_list(c_xml_archive& ar, const char* list_name, const char* item_name,
                c_scene_list<T>& list) {
    xml_node* root = archive_root(ar, list_name);
    for (auto& item : list) serialize(ar, append_child(ar, root, item_name), *item);
}

// Loads an animation file while keeping the placement read from the scene
// file, whatever the animation's loading does to its base transform.
void load_placed_anim(c_platform& platform, c_anim& anim, const std::string& file_name) {
    const c_transform placement = anim.base;
    if (!file_name.empty()) anim.load(platform, file_name);
    anim.base = placement;
}

}  // namespace

void build_collectible_quad(c_platform& platform, c_scene_collectible& collectible) {
    c_material* material = material_of(platform, collectible.texture_file_name);
    collectible.picked_material = material_of(platform, collectible.picked_file_name);
    uint16_t width = 0;
    uint16_t height = 0;
    if (collectible.texture_file_name.empty() ||
        !platform.read_bitmap_size(collectible.texture_file_name, width, height)) {
        width = height = 0;
    }
    collectible.half_width = k_collectible_units_per_pixel * width;
    collectible.half_height = k_collectible_units_per_pixel * height;
    platform.set_rect(collectible.quad, material, collectible.half_width, collectible.half_height,
                      k_whole_left_u, k_whole_right_u, k_whole_top_v, k_whole_bottom_v);
}

void load_scene_anim(c_platform& platform, c_scene_anim& anim) {
    load_placed_anim(platform, anim.anim, anim.anim_file_name);
    anim.graph = anim.anim.graphs.empty() ? nullptr : anim.anim.graphs.front().get();
    if (!anim.transform_graph.empty()) anim.anim.base = anim.transform_graph.begin()->second;
}

void load_puzzle_anim(c_platform& platform, c_scene_puzzle& puzzle) {
    load_placed_anim(platform, puzzle.anim, puzzle.anim_file_name);
}

namespace {

// The position of node in the list as a 16-bit index; -1 when it is not there
// (an unlinked path) or does not fit.
int16_t index_of(const c_scene_path_node_list& nodes, const c_scene_path_node* node) {
    if (!node) return k_unlinked_index;
    for (size_t i = 0; i < nodes.size() && i <= size_t(INT16_MAX); ++i) {
        if (nodes[i].get() == node) return static_cast<int16_t>(i);
    }
    return k_unlinked_index;
}

// A scene that cannot be read leaves the screen empty; one line on standard
// error says which file and from which folder, so the cause can be found.
void report_unloaded_scene(const std::string& file_name, xml_load_result result) {
    const char* why = result == k_xml_missing     ? "it is missing"
                      : result == k_xml_malformed ? "it is not well-formed XML"
                                                  : "it cannot be read";
    std::fprintf(stderr, "thistlewarp: cannot load the scene \"%s\" in %s: %s\n",
                 file_name.c_str(), current_folder().c_str(), why);
}

}  // namespace

void build_graphic_quad(c_platform& platform, c_scene_graphic& graphic) {
    platform.set_rect(graphic.quad, material_of(platform, graphic.file_name), graphic.half_width,
                      graphic.half_height, k_whole_left_u, k_whole_right_u, k_whole_top_v,
                      k_whole_bottom_v);
}

bool c_scene::load(c_platform& platform, const std::string& file_name) {
    c_xml_document document;
    const bool loaded = load_document(document, file_name);
    if (!loaded) report_unloaded_scene(file_name, document.load_result);
    read(platform, document);
    return loaded;
}

void c_scene::read(c_platform& platform, c_xml_document& document) {
    clear();
    c_xml_archive ar(document, false);

    read_list(ar, "levels", "level", levels, [](c_scene_level&) {});
    read_list(ar, "puzzles", "puzzle", puzzles,
              [&](c_scene_puzzle& puzzle) { load_puzzle_anim(platform, puzzle); });
    read_list(ar, "collectibles", "collectible", collectibles,
              [&](c_scene_collectible& collectible) {
                  build_collectible_quad(platform, collectible);
              });
    read_list(ar, "layers", "layer", layers,
              [&](c_scene_layer& layer) { layer.load_tiles(platform); });
    read_list(ar, "anims", "anim", anims, [&](c_scene_anim& anim) { load_scene_anim(platform, anim); });
    read_list(ar, "graphics", "graphic", graphics,
              [&](c_scene_graphic& graphic) { build_graphic_quad(platform, graphic); });
    read_list(ar, "path_nodes", "path_node", path_nodes, [](c_scene_path_node&) {});
    read_list(ar, "cameras", "camera", cameras, [](c_scene_camera&) {});

    distribute();
    link_paths(path_nodes, cameras);
}

bool c_scene::save(const std::string& file_name) {
    for (auto& node : path_nodes) {
        for (auto& path : node->paths) path->target_index = index_of(path_nodes, path->target);
    }

    c_xml_document document;
    new_document(document);
    c_xml_archive ar(document, true);
    write_list(ar, "levels", "level", levels);
    write_list(ar, "puzzles", "puzzle", puzzles);
    write_list(ar, "collectibles", "collectible", collectibles);
    write_list(ar, "layers", "layer", layers);
    write_list(ar, "anims", "anim", anims);
    write_list(ar, "graphics", "graphic", graphics);
    write_list(ar, "path_nodes", "path_node", path_nodes);
    write_list(ar, "cameras", "camera", cameras);
    return save_document(document, file_name);
}

}  // namespace tw
