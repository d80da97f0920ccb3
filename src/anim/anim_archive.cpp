// Reading and writing animation files: one serialize function per record walks
// the same elements in both directions, so the reader and writer cannot drift.
#include <algorithm>
#include <map>

#include "anim/anim.h"
#include "platform/platform.h"
#include "platform/xml_archive.h"

namespace tw {

namespace {

using xml_node = rapidxml::xml_node<>;

const char* const k_vertex_names[4] = {"v0", "v1", "v2", "v3"};
const char* const k_uv_names[4] = {"t0", "t1", "t2", "t3"};
const char* const k_colour_names[4] = {"c0", "c1", "c2", "c3"};
constexpr int k_quad_vertices = 4;

// A 16-bit signed field, read like every integer and truncated to 16 bits.
void archive_i16(c_xml_archive& ar, xml_node* node, const char* name, int16_t& field) {
    int32_t value = field;
    archive_int(ar, node, name, value);
    if (!ar.writing) field = int16_t(value);
}

// The child element holding a list or a compound: appended when writing,
// the first one of that name when reading (null if there is none).
xml_node* child_of(c_xml_archive& ar, xml_node* node, const char* name) {
    return ar.writing ? append_child(ar, node, name) : first_child(node, name);
}

// The items of a list element, one element item_name per item in order.
// Reading appends a new item for every element found.
template <class T, class F>
void archive_items(c_xml_archive& ar, xml_node* list, const char* item_name,
                   std::vector<std::unique_ptr<T>>& items, F serialize_item) {
    if (ar.writing) {
        for (const std::unique_ptr<T>& item : items) {
            if (item) serialize_item(ar, append_child(ar, list, item_name), *item);
        }
        return;
    }
    for (xml_node* element = first_child(list, item_name); element;
         element = next_sibling(element, item_name)) {
        auto item = std::make_unique<T>();
        serialize_item(ar, element, *item);
        items.push_back(std::move(item));
    }
}

// Whether a key holds anything to write; a graphic key a generator left empty does not.
bool has_value(const c_transform&) { return true; }
bool has_value(const std::unique_ptr<c_anim_graph::graph_graphic::node>& key) {
    return key != nullptr;
}

// The keys of a track: "values" -> "value" elements with the key time in
// "index". serialize_key returns false for a key element to be skipped. When
// one time occurs twice the later key in the file wins.
template <class V, class F>
void archive_keys(c_xml_archive& ar, xml_node* track, std::map<uint16_t, V>& keys,
                  F serialize_key) {
    xml_node* values = child_of(ar, track, "values");
    if (ar.writing) {
        for (auto& key : keys) {
            if (!has_value(key.second)) continue;
            xml_node* element = append_child(ar, values, "value");
            uint16_t time = key.first;
            archive_u16(ar, element, "index", time);
            serialize_key(ar, element, key.second);
        }
        return;
    }
    for (xml_node* element = first_child(values, "value"); element;
         element = next_sibling(element, "value")) {
        uint16_t time = 0;
        archive_u16(ar, element, "index", time);
        V value{};
        if (serialize_key(ar, element, value)) keys[time] = std::move(value);
    }
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_material& material) {
    archive_string(ar, node, "texture_file_name", material.texture_file_name);
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_graphic& graphic) {
    archive_string(ar, node, "name", graphic.name);
    archive_i16(ar, node, "material_index", graphic.material_index);
    c_vertex_buffer_quad& buffer = graphic.buffer;
    const int vertices = std::min(int(buffer.count), k_quad_vertices);
    for (int i = 0; i < vertices; ++i) archive_vec3(ar, node, k_vertex_names[i], buffer.positions[i]);
    for (int i = 0; i < vertices; ++i) archive_vec2(ar, node, k_uv_names[i], buffer.uvs[i]);
    for (int i = 0; i < vertices; ++i) {
        archive_colour(ar, node, k_colour_names[i], buffer.colours[i]);
    }
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_node& anim_node) {
    archive_string(ar, node, "name", anim_node.name);
    archive_u16(ar, node, "graphic_index", anim_node.graphic_index);
    archive_i16(ar, node, "parent_index", anim_node.parent_index);
    archive_transform(ar, node, "transform", anim_node.transform);

    xml_node* children = child_of(ar, node, "children");
    if (ar.writing) {
        for (uint16_t index : anim_node.child_indices) {
            archive_u16(ar, append_child(ar, children, "index"), "value", index);
        }
        return;
    }
    for (xml_node* element = first_child(children, "index"); element;
         element = next_sibling(element, "index")) {
        uint16_t index = 0;
        archive_u16(ar, element, "value", index);
        anim_node.child_indices.push_back(index);
    }
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_pose::node_transform& entry) {
    archive_u16(ar, node, "node_index", entry.node_index);
    archive_transform(ar, node, "transform", entry.transform);
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_pose& pose) {
    archive_string(ar, node, "name", pose.name);
    archive_items(ar, child_of(ar, node, "transforms"), "transform", pose.transforms,
                  [](c_xml_archive& a, xml_node* n, c_anim_pose::node_transform& entry) {
                      serialize(a, n, entry);
                  });
}

// One key of a transform track: its transform is the inner "value" element;
// a key without one holds the identity.
bool serialize_key(c_xml_archive& ar, xml_node* node, c_transform& transform) {
    archive_transform(ar, node, "value", transform);
    return true;
}

// One key of a graphic track: the "object" element; a key without one is skipped.
bool serialize_key(c_xml_archive& ar, xml_node* node,
                   std::unique_ptr<c_anim_graph::graph_graphic::node>& key) {
    xml_node* object = child_of(ar, node, "object");
    if (!object) return false;
    if (!key) key = std::make_unique<c_anim_graph::graph_graphic::node>();
    archive_i16(ar, object, "graphic_index", key->graphic_index);
    return true;
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_graph::graph_transform& track) {
    archive_u16(ar, node, "node_index", track.node_index);
    archive_keys(ar, node, track.values, [](c_xml_archive& a, xml_node* n, c_transform& t) {
        return serialize_key(a, n, t);
    });
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_graph::graph_graphic& track) {
    archive_u16(ar, node, "node_index", track.node_index);
    archive_keys(ar, node, track.values,
                 [](c_xml_archive& a, xml_node* n,
                    std::unique_ptr<c_anim_graph::graph_graphic::node>& key) {
                     return serialize_key(a, n, key);
                 });
}

void serialize(c_xml_archive& ar, xml_node* node, c_anim_graph& graph) {
    archive_string(ar, node, "name", graph.name);
    archive_items(ar, child_of(ar, node, "transforms"), "graph", graph.transforms,
                  [](c_xml_archive& a, xml_node* n, c_anim_graph::graph_transform& track) {
                      serialize(a, n, track);
                  });
    archive_items(ar, child_of(ar, node, "graphics"), "graph", graph.graphics,
                  [](c_xml_archive& a, xml_node* n, c_anim_graph::graph_graphic& track) {
                      serialize(a, n, track);
                  });
}

// The five top-level lists, each found by name (in any order) when reading.
template <class T>
void archive_list(c_xml_archive& ar, const char* list_name, const char* item_name,
                  std::vector<std::unique_ptr<T>>& items) {
    archive_items(ar, archive_root(ar, list_name), item_name, items,
                  [](c_xml_archive& a, xml_node* n, T& item) { serialize(a, n, item); });
}

void archive_anim(c_xml_archive& ar, c_anim& anim) {
    archive_list(ar, "materials", "material", anim.materials);
    archive_list(ar, "graphics", "graphic", anim.graphics);
    archive_list(ar, "nodes", "node", anim.nodes);
    archive_list(ar, "poses", "pose", anim.poses);
    archive_list(ar, "graphs", "graph", anim.graphs);
}

}  // namespace

void c_anim::load(c_platform& platform, const std::string& file_name) {
    // A missing or malformed file gives an empty document, so every list stays empty.
    c_xml_document document;
    load_document(document, file_name);
    read(platform, document);
}

void c_anim::read(c_platform& platform, c_xml_document& document) {
    clear();
    c_xml_archive ar(document, false);
    archive_anim(ar, *this);

    for (const std::unique_ptr<c_anim_material>& material : materials) {
        material->material = platform.get_material(material->texture_file_name, false);
        if (!platform.read_bitmap_size(material->texture_file_name, material->texture_width,
                                       material->texture_height)) {
            material->texture_width = 0;
            material->texture_height = 0;
        }
    }
    resolve();
}

bool c_anim::save(const std::string& file_name) {
    c_xml_document document;
    new_document(document);
    c_xml_archive ar(document, true);
    archive_anim(ar, *this);
    return save_document(document, file_name);
}

}  // namespace tw
