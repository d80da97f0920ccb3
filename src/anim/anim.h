// One cut-out animation: textured quads on a hierarchy of nodes, named poses and
// keyframed graphs on a 16-bit time axis, read from (and saved to) an XML file.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/math.h"
#include "platform/vertex_buffer.h"

namespace tw {

class c_platform;
class c_xml_document;
struct c_material;

// A texture the graphics are cut from; the material is shared through the platform.
struct c_anim_material {
    std::string texture_file_name;  // relative to "textures/"
    uint16_t texture_width = 0;     // pixels, from the bitmap header
    uint16_t texture_height = 0;
    c_material* material = nullptr;  // not owned
};

// One textured quad. Texture v runs downwards from the top of the texture.
struct c_anim_graphic {
    int16_t material_index = 0;
    c_vertex_buffer_quad buffer{4};
    std::string name;
    c_anim_material* material = nullptr;  // resolved; null when the index is out of range
};

struct c_anim_node {
    // Built per node for one draw: where the node's graphic goes.
    struct render_packet {
        c_transform world;
        const c_anim_graphic* graphic = nullptr;  // not owned
    };

    c_transform transform;  // local, relative to the parent
    uint16_t graphic_index = 0;
    int16_t parent_index = -1;  // -1: no parent
    std::vector<uint16_t> child_indices;  // drawing order
    std::string name;

    // Resolved on load; the graphic may be swapped by graphic tracks while playing.
    c_anim_graphic* graphic = nullptr;
    c_anim_node* parent = nullptr;
    std::vector<c_anim_node*> children;
};

// A static arrangement of some nodes' local transforms.
struct c_anim_pose {
    struct node_transform {
        uint16_t node_index = 0;
        c_anim_node* node = nullptr;  // null when the index is out of range
        c_transform transform;
    };

    std::vector<std::unique_ptr<node_transform>> transforms;
    std::string name;
};

// A keyframed clip: transform tracks and graphic-swap tracks of single nodes.
struct c_anim_graph {
    struct graph_transform {
        uint16_t node_index = 0;
        c_anim_node* node = nullptr;
        std::map<uint16_t, c_transform> values;  // key time -> local transform
    };

    struct graph_graphic {
        struct node {
            int16_t graphic_index = 0;
            c_anim_graphic* graphic = nullptr;  // null when the index is out of range
        };

        uint16_t node_index = 0;
        c_anim_node* anim_node = nullptr;  // null when the index is out of range
        std::map<uint16_t, std::unique_ptr<node>> values;  // key time -> graphic
    };

    std::vector<std::unique_ptr<graph_transform>> transforms;
    std::vector<std::unique_ptr<graph_graphic>> graphics;
    std::string name;
};

// A transform track's value at time t: between two keys the transforms are
// interpolated by (t - k_lo) / (k_hi - k_lo); before the first key or after the
// last the nearest key is held. keys must not be empty. Used by graphs and by
// the scene anims' placement tracks.
c_transform transform_track_at(const std::map<uint16_t, c_transform>& keys, uint16_t t);

class c_anim {
public:
    c_anim() = default;
    c_anim(const c_anim&) = delete;
    c_anim& operator=(const c_anim&) = delete;

    // Replaces everything with the file's content ("anims/..." relative to the
    // working folder); a missing or malformed file leaves the animation empty.
    // A key time given twice in one track keeps the later key; a graphic's
    // missing v, t or c elements leave position and uv zero and colour white.
    void load(c_platform& platform, const std::string& file_name);
    // The same from a parsed animation document.
    void read(c_platform& platform, c_xml_document& document);
    // Writes the five lists in the file format; false if the file cannot be written.
    // Used by the content generators so the format has one reader and one writer.
    // Transforms are written as translation and angle (loading rebuilds the
    // matrix from the angle) and floats with six decimals.
    bool save(const std::string& file_name);
    // Deletes every material, graphic, node, pose and graph.
    void clear();
    // Recomputes every resolved pointer from the indices (after load or after
    // a generator built the lists in code). Out-of-range indices give null (child
    // indices are skipped); a parent link that would close a loop is left null.
    void resolve();

    // First exact, case-sensitive match in file order, or null.
    c_anim_graph* find_graph(const std::string& name) const;
    c_anim_pose* find_pose(const std::string& name) const;
    c_anim_graphic* find_graphic(const std::string& name) const;

    // Playback: node transforms and graphics persist until overwritten.
    // Copies the pose's transforms onto their nodes.
    void apply_pose(const c_anim_pose& pose);
    // Moves the pose's nodes from where they are towards the pose by weight w.
    void blend_pose(const c_anim_pose& pose, float w);
    // Sets the tracked nodes' transforms and graphics for graph time t. Before
    // its first key or after its last a transform track holds the nearest key;
    // before its first key a graphic track leaves the graphic as it was.
    void apply_graph(const c_anim_graph& graph, uint16_t t);
    // Draws every quad reachable from the root, smaller world z first, equal z
    // in pre-order; a node without a graphic draws nothing but its children do.
    void draw(c_platform& platform) const;
    // The node's local transform composed up through its parents (base not included).
    c_transform node_world_transform(const c_anim_node& node) const;

    // The lists never hold null items. Pose entries and graph tracks whose node
    // is null (index out of range) are skipped by playback.
    std::vector<std::unique_ptr<c_anim_material>> materials;
    std::vector<std::unique_ptr<c_anim_graphic>> graphics;
    std::vector<std::unique_ptr<c_anim_node>> nodes;
    std::vector<std::unique_ptr<c_anim_pose>> poses;
    std::vector<std::unique_ptr<c_anim_graph>> graphs;
    c_anim_node* root = nullptr;  // nodes[0], or null without nodes
    c_transform base;             // placement of the whole animation, set by the owner
};

}  // namespace tw
