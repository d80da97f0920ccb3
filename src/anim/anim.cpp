// The animation model's bookkeeping: clearing, turning indices into pointers
// (out-of-range indices become null or are skipped), and lookups by name.
#include "anim/anim.h"

#include <vector>

namespace tw {

namespace {

// The element at index, or null when the index is outside the list.
template <class T>
T* at_index(const std::vector<std::unique_ptr<T>>& items, int index) {
    if (index < 0 || size_t(index) >= items.size()) return nullptr;
    return items[size_t(index)].get();
}

template <class T>
T* find_named(const std::vector<std::unique_ptr<T>>& items, const std::string& name) {
    for (const std::unique_ptr<T>& item : items) {
        if (item && item->name == name) return item.get();
    }
    return nullptr;
}

// Parent indices of a hostile file can form loops (a node 0 without its "-1"
// reads as its own parent). Walking up from every node, the link that would
// close a loop is left null, so every parent chain ends and world transforms
// are finite to compute.
void break_parent_loops(std::vector<std::unique_ptr<c_anim_node>>& nodes) {
    enum : uint8_t { k_unseen, k_on_path, k_done };
    std::vector<uint8_t> state(nodes.size(), k_unseen);
    std::vector<size_t> path;
    for (size_t start = 0; start < nodes.size(); ++start) {
        path.clear();
        size_t i = start;
        while (state[i] == k_unseen) {
            state[i] = k_on_path;
            path.push_back(i);
            const int parent = nodes[i]->parent_index;
            if (!nodes[i]->parent) break;
            if (state[size_t(parent)] == k_on_path) {
                nodes[i]->parent = nullptr;
                break;
            }
            i = size_t(parent);
        }
        for (size_t on_path : path) state[on_path] = k_done;
    }
}

}  // namespace

void c_anim::clear() {
    root = nullptr;
    graphs.clear();
    poses.clear();
    nodes.clear();
    graphics.clear();
    materials.clear();
}

void c_anim::resolve() {
    for (const std::unique_ptr<c_anim_graphic>& graphic : graphics) {
        graphic->material = at_index(materials, graphic->material_index);
    }
    for (const std::unique_ptr<c_anim_node>& node : nodes) {
        node->graphic = at_index(graphics, node->graphic_index);
        node->parent = at_index(nodes, node->parent_index);
        node->children.clear();
        for (uint16_t child : node->child_indices) {
            if (c_anim_node* resolved = at_index(nodes, child)) node->children.push_back(resolved);
        }
    }
    break_parent_loops(nodes);
    root = nodes.empty() ? nullptr : nodes.front().get();

    for (const std::unique_ptr<c_anim_pose>& pose : poses) {
        for (const std::unique_ptr<c_anim_pose::node_transform>& entry : pose->transforms) {
            entry->node = at_index(nodes, entry->node_index);
        }
    }
    for (const std::unique_ptr<c_anim_graph>& graph : graphs) {
        for (const std::unique_ptr<c_anim_graph::graph_transform>& track : graph->transforms) {
            track->node = at_index(nodes, track->node_index);
        }
        for (const std::unique_ptr<c_anim_graph::graph_graphic>& track : graph->graphics) {
            track->anim_node = at_index(nodes, track->node_index);
            for (auto& key : track->values) {
                if (key.second) key.second->graphic = at_index(graphics, key.second->graphic_index);
            }
        }
    }
}

c_anim_graph* c_anim::find_graph(const std::string& name) const {
    return find_named(graphs, name);
}

c_anim_pose* c_anim::find_pose(const std::string& name) const { return find_named(poses, name); }

c_anim_graphic* c_anim::find_graphic(const std::string& name) const {
    return find_named(graphics, name);
}

}  // namespace tw
