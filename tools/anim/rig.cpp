// Building a c_anim from a creature's tables and sampling its motions into poses and
// graphs; also reading the art tool's geometry file.
#include "anim/rig.h"

#include <cstdlib>

#include "platform/xml_document.h"

namespace tw_tools {

namespace {

// The art tool names textures from the content folder; the animation names them
// from the texture folder.
const std::string k_texture_folder = "textures/";

bool read_number(rapidxml::xml_node<>* node, const char* name, double& out) {
    rapidxml::xml_attribute<>* attribute = node->first_attribute(name);
    if (!attribute) return false;
    char* end = nullptr;
    out = std::strtod(attribute->value(), &end);
    return end != attribute->value() && *end == '\0';
}

tw::c_transform transform_at(float x, float y, float z, float angle) {
    tw::c_transform t;
    tw::transform_set_angle(t, angle);
    t.tx = x;
    t.ty = y;
    t.tz = z;
    return t;
}

}  // namespace

bool read_part_geometry(const std::string& path, c_part_geometry& out, std::string& error) {
    tw::c_xml_document doc;
    if (!tw::load_document(doc, path)) {
        error = path + ": cannot be read as XML";
        return false;
    }
    rapidxml::xml_node<>* root = tw::first_element(doc, "geometry");
    if (!root) {
        error = path + ": no <geometry> element";
        return false;
    }
    for (rapidxml::xml_node<>* node = root->first_node("element"); node; node = node->next_sibling("element")) {
        rapidxml::xml_attribute<>* id = node->first_attribute("id");
        rapidxml::xml_attribute<>* file = node->first_attribute("file");
        c_part_rect rect;
        double pixel_width = 0;
        double pixel_height = 0;
        if (!id || !file || !read_number(node, "x", rect.x) || !read_number(node, "y", rect.y) ||
            !read_number(node, "width", rect.width) || !read_number(node, "height", rect.height) ||
            !read_number(node, "pixel_width", pixel_width) || !read_number(node, "pixel_height", pixel_height) ||
            !(rect.width > 0) || !(rect.height > 0) || pixel_width < 1 || pixel_height < 1) {
            error = path + ": an element lacks id, file, a position or a size";
            return false;
        }
        rect.file = file->value();
        rect.pixel_width = int(pixel_width);
        rect.pixel_height = int(pixel_height);
        out[id->value()] = rect;
    }
    return true;
}

void blend_offsets(c_rig_pose& pose, const c_rig_pose& target, float w) {
    for (size_t i = 0; i < pose.offsets.size() && i < target.offsets.size(); ++i) {
        c_node_offset& o = pose.offsets[i];
        const c_node_offset& t = target.offsets[i];
        o.dx = mix(o.dx, t.dx, w);
        o.dy = mix(o.dy, t.dy, w);
        o.angle = mix(o.angle, t.angle, w);
    }
}

void make_part_quad(const c_part_rect& rect, const c_graphic_def& def, tw::c_anim_graphic& out) {
    // Corners in SVG units around the pivot; the scene's y points up.
    const float left = float(rect.x) - def.pivot_x;
    const float right = float(rect.x + rect.width) - def.pivot_x;
    const float top = -(float(rect.y) - def.pivot_y);
    const float bottom = -(float(rect.y + rect.height) - def.pivot_y);
    const float s = def.scale;
    tw::c_vertex_buffer_quad& quad = out.buffer;
    quad.positions[0] = {left * s, top * s, 0};
    quad.positions[1] = {right * s, top * s, 0};
    quad.positions[2] = {right * s, bottom * s, 0};
    quad.positions[3] = {left * s, bottom * s, 0};
    quad.uvs[0] = {0, 0};
    quad.uvs[1] = {1, 0};
    quad.uvs[2] = {1, 1};
    quad.uvs[3] = {0, 1};
    quad.set_colour(255, 255, 255, def.alpha);
    out.name = def.name;
}

bool c_rig::build(const std::vector<c_graphic_def>& graphics, const std::vector<c_node_def>& nodes,
                  const c_part_geometry& geometry, tw::c_anim& anim, std::string& error) {
    std::map<std::string, int> material_index;
    for (const c_graphic_def& def : graphics) {
        const auto part = geometry.find(def.element);
        if (part == geometry.end()) {
            error = "graphic \"" + def.name + "\": no rendered element \"" + def.element + "\"";
            return false;
        }
        if (m_graphic_index.count(def.name)) {
            error = "graphic \"" + def.name + "\" is listed twice";
            return false;
        }
        const c_part_rect& rect = part->second;
        std::string texture = rect.file;
        if (texture.compare(0, k_texture_folder.size(), k_texture_folder) == 0) {
            texture = texture.substr(k_texture_folder.size());
        }
        if (!material_index.count(texture)) {
            auto material = std::make_unique<tw::c_anim_material>();
            material->texture_file_name = texture;
            material->texture_width = uint16_t(rect.pixel_width);
            material->texture_height = uint16_t(rect.pixel_height);
            material_index[texture] = int(anim.materials.size());
            anim.materials.push_back(std::move(material));
        }
        auto graphic = std::make_unique<tw::c_anim_graphic>();
        graphic->material_index = int16_t(material_index[texture]);
        make_part_quad(rect, def, *graphic);
        m_graphic_index[def.name] = int(anim.graphics.size());
        anim.graphics.push_back(std::move(graphic));
    }

    for (size_t i = 0; i < nodes.size(); ++i) {
        const c_node_def& def = nodes[i];
        if (m_node_index.count(def.name)) {
            error = "node \"" + def.name + "\" is listed twice";
            return false;
        }
        if (!m_graphic_index.count(def.graphic)) {
            error = "node \"" + def.name + "\": unknown graphic \"" + def.graphic + "\"";
            return false;
        }
        if ((i == 0) != def.parent.empty()) {
            error = "node \"" + def.name + "\": only the first node is the root, without a parent";
            return false;
        }
        c_rig_node node;
        node.graphic = def.graphic;
        node.swaps = def.swaps;
        node.rest_x = def.x;
        node.rest_y = -def.y;
        node.rest_z = def.z;
        if (i > 0) {
            const auto parent = m_node_index.find(def.parent);
            if (parent == m_node_index.end()) {
                error = "node \"" + def.name + "\": its parent \"" + def.parent + "\" is not listed before it";
                return false;
            }
            node.parent = parent->second;
            const c_node_def& up = nodes[size_t(node.parent)];
            node.rest_x = def.x - up.x;
            node.rest_y = -(def.y - up.y);
            node.rest_z = def.z - up.z;
        }
        m_node_index[def.name] = int(i);
        m_nodes.push_back(node);

        auto anim_node = std::make_unique<tw::c_anim_node>();
        anim_node->name = def.name;
        anim_node->graphic_index = uint16_t(m_graphic_index[def.graphic]);
        anim_node->parent_index = int16_t(node.parent);
        anim_node->transform = local_transform(int(i), c_node_offset{});
        if (node.parent >= 0) anim.nodes[size_t(node.parent)]->child_indices.push_back(uint16_t(i));
        anim.nodes.push_back(std::move(anim_node));
    }
    return true;
}

int c_rig::node(const std::string& name) const {
    const auto found = m_node_index.find(name);
    return found == m_node_index.end() ? -1 : found->second;
}

int c_rig::graphic(const std::string& name) const {
    const auto found = m_graphic_index.find(name);
    return found == m_graphic_index.end() ? -1 : found->second;
}

c_rig_pose c_rig::rest_pose() const {
    c_rig_pose pose;
    pose.offsets.resize(m_nodes.size());
    for (const c_rig_node& node : m_nodes) pose.graphics.push_back(node.graphic);
    return pose;
}

tw::c_transform c_rig::local_transform(int index, const c_node_offset& offset) const {
    const c_rig_node& node = m_nodes[size_t(index)];
    return transform_at(node.rest_x + offset.dx, node.rest_y + offset.dy, node.rest_z, offset.angle);
}

void c_rig::add_pose(tw::c_anim& anim, const std::string& name, const motion_function& motion, float u) const {
    c_rig_pose pose = rest_pose();
    if (motion) motion(u, pose);
    auto out = std::make_unique<tw::c_anim_pose>();
    out->name = name;
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        auto entry = std::make_unique<tw::c_anim_pose::node_transform>();
        entry->node_index = uint16_t(i);
        entry->transform = local_transform(int(i), pose.offsets[i]);
        out->transforms.push_back(std::move(entry));
    }
    anim.poses.push_back(std::move(out));
}

bool c_rig::add_graph(tw::c_anim& anim, const c_graph_def& def, std::string& error) const {
    auto graph = std::make_unique<tw::c_anim_graph>();
    graph->name = def.name;
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        auto track = std::make_unique<tw::c_anim_graph::graph_transform>();
        track->node_index = uint16_t(i);
        graph->transforms.push_back(std::move(track));
    }

    const std::vector<uint16_t> times = even_key_times(def.key_intervals);
    for (size_t k = 0; k < times.size(); ++k) {
        // A loop ends where it starts, exactly.
        const uint16_t sample_time = (def.loop && k + 1 == times.size()) ? times.front() : times[k];
        c_rig_pose pose = rest_pose();
        def.motion(key_fraction(sample_time), pose);
        for (size_t i = 0; i < m_nodes.size(); ++i) {
            graph->transforms[i]->values[times[k]] = local_transform(int(i), pose.offsets[i]);
        }
    }
    // A node that never moves keeps only its two bracketing keys.
    for (auto& track : graph->transforms) {
        const tw::c_transform first = track->values.begin()->second;
        bool still = true;
        for (const auto& key : track->values) {
            const tw::c_transform& t = key.second;
            still = still && t.tx == first.tx && t.ty == first.ty && t.tz == first.tz && t.angle == first.angle;
        }
        if (still) {
            const tw::c_transform last = track->values.rbegin()->second;
            track->values.clear();
            track->values[k_first_key] = first;
            track->values[k_last_key] = last;
        }
    }

    std::vector<std::string> shown(m_nodes.size());
    std::map<size_t, tw::c_anim_graph::graph_graphic*> tracks;
    for (int step = 0; step <= k_graphic_steps; ++step) {
        const uint16_t t = uint16_t(int64_t(step) * k_last_key / k_graphic_steps);
        c_rig_pose pose = rest_pose();
        def.motion(key_fraction(t), pose);
        for (size_t i = 0; i < m_nodes.size(); ++i) {
            if (!m_nodes[i].swaps || pose.graphics[i] == shown[i]) continue;
            const int index = graphic(pose.graphics[i]);
            if (index < 0) {
                error = "graph \"" + def.name + "\": unknown graphic \"" + pose.graphics[i] + "\"";
                return false;
            }
            shown[i] = pose.graphics[i];
            if (!tracks.count(i)) {
                auto track = std::make_unique<tw::c_anim_graph::graph_graphic>();
                track->node_index = uint16_t(i);
                tracks[i] = track.get();
                graph->graphics.push_back(std::move(track));
            }
            auto key = std::make_unique<tw::c_anim_graph::graph_graphic::node>();
            key->graphic_index = int16_t(index);
            tracks[i]->values[t] = std::move(key);
        }
    }
    // Both ends keyed, like the transform tracks, so no reader has to hold a value.
    for (auto& entry : tracks) {
        if (entry.second->values.count(k_last_key)) continue;
        auto key = std::make_unique<tw::c_anim_graph::graph_graphic::node>();
        key->graphic_index = int16_t(graphic(shown[entry.first]));
        entry.second->values[k_last_key] = std::move(key);
    }
    anim.graphs.push_back(std::move(graph));
    return true;
}

}  // namespace tw_tools
