// The rig: a creature described by two small tables (graphics cut from rendered parts,
// nodes with joints and depths) turned into a c_anim, plus its poses and graphs,
// which are sampled from motion functions into keys.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "anim/anim_math.h"

namespace tw_tools {

// Where the art tool put one rendered part: its bitmap's rectangle in SVG units
// (y down) and its size in pixels.
struct c_part_rect {
    std::string file;  // relative to the content folder, e.g. "textures/larva/head.bmp"
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    int pixel_width = 0;
    int pixel_height = 0;
};

// Rendered parts by element id.
using c_part_geometry = std::map<std::string, c_part_rect>;

// Reads a geometry file written by make_art; false with error when it is missing,
// malformed, or an entry lacks a field or has a size of 0.
bool read_part_geometry(const std::string& path, c_part_geometry& out, std::string& error);

// One quad: the element's bitmap placed around a pivot (SVG units), grown by scale
// about the pivot and drawn with the given vertex alpha.
struct c_graphic_def {
    std::string name;
    std::string element;
    float pivot_x = 0;
    float pivot_y = 0;
    float scale = 1;
    uint8_t alpha = 255;
};

// One node: where its joint sits in the SVG (y down), its parent (empty for the root,
// which must come first), its graphic and its depth in the whole animation. Nodes
// that swap graphics get a graphic track in every graph, so each graph sets them.
struct c_node_def {
    std::string name;
    std::string parent;
    std::string graphic;
    float x = 0;
    float y = 0;
    float z = 0;
    bool swaps = false;
};

// How far one node is from its rest at one instant: translation in its parent's
// frame in scene units (y up), and extra rotation in radians.
struct c_node_offset {
    float dx = 0;
    float dy = 0;
    float angle = 0;
};

// Everything a motion sets at one instant: an offset and a graphic name per node.
struct c_rig_pose {
    std::vector<c_node_offset> offsets;
    std::vector<std::string> graphics;
};

// Moves every offset of pose towards target's by weight w (0 keeps pose, 1 gives target).
void blend_offsets(c_rig_pose& pose, const c_rig_pose& target, float w);

// Sets pose (which arrives at rest) for fraction u of the graph, 0 at time 0, 1 at 65535.
using motion_function = std::function<void(float u, c_rig_pose& pose)>;

// How a graph is sampled: transform keys at key_intervals + 1 even times, graphic
// keys wherever a graphic changes on a finer grid. A loop's last key copies its
// first, so playback wrapping from 65535 to 0 shows no jump.
struct c_graph_def {
    std::string name;
    int key_intervals = 32;
    bool loop = false;
    motion_function motion;
};

// Graphic changes are looked for at this many even steps of a graph.
constexpr int k_graphic_steps = 1024;

class c_rig {
public:
    // Fills anim's materials, graphics and nodes from the tables (anim must be empty).
    // False with error when an element has no geometry, a name is unknown or repeated,
    // or the root is not the first node.
    bool build(const std::vector<c_graphic_def>& graphics, const std::vector<c_node_def>& nodes,
               const c_part_geometry& geometry, tw::c_anim& anim, std::string& error);

    // Index of the named node or graphic; -1 when there is none.
    int node(const std::string& name) const;
    int graphic(const std::string& name) const;

    // Every node at rest with its table graphic.
    c_rig_pose rest_pose() const;

    // Adds a pose holding every node's local transform for the motion at u.
    void add_pose(tw::c_anim& anim, const std::string& name, const motion_function& motion, float u) const;

    // Adds a graph with a transform track for every node (keys at 0 and 65535 always)
    // and a graphic track, keyed at 0 and at each change, for every node that swaps.
    // False with error when the motion names an unknown graphic.
    bool add_graph(tw::c_anim& anim, const c_graph_def& def, std::string& error) const;

    // The local transform of node index for an offset from rest.
    tw::c_transform local_transform(int index, const c_node_offset& offset) const;

private:
    struct c_rig_node {
        int parent = -1;
        float rest_x = 0;  // local, scene units, y up
        float rest_y = 0;
        float rest_z = 0;
        std::string graphic;
        bool swaps = false;
    };

    std::vector<c_rig_node> m_nodes;
    std::map<std::string, int> m_node_index;
    std::map<std::string, int> m_graphic_index;
};

// Makes the quad of one graphic: the part's rectangle around the pivot, y flipped
// to point up, scaled, with texture coordinates (v down) and white vertices of alpha.
void make_part_quad(const c_part_rect& rect, const c_graphic_def& def, tw::c_anim_graphic& out);

}  // namespace tw_tools
