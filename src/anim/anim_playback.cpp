// Animation playback and drawing: poses and graphs set node transforms and
// graphics; drawing walks the hierarchy and draws the quads sorted by world depth.
#include <cmath>
#include <iterator>
#include <map>
#include <vector>

#include "anim/anim.h"
#include "platform/platform.h"

namespace tw {

namespace {

constexpr int k_quad_vertices = 4;

// A node waiting to be visited by the draw walk, with its parent's world transform.
struct c_pending_visit {
    const c_anim_node* node;
    c_transform parent_world;
};

}  // namespace

c_transform transform_track_at(const std::map<uint16_t, c_transform>& keys, uint16_t t) {
    auto hi = keys.lower_bound(t);
    if (hi == keys.end()) return std::prev(hi)->second;
    if (hi->first == t || hi == keys.begin()) return hi->second;
    auto lo = std::prev(hi);
    const float weight = float(t - lo->first) / float(hi->first - lo->first);
    return transform_lerp(lo->second, hi->second, weight);
}

void c_anim::apply_pose(const c_anim_pose& pose) {
    for (const std::unique_ptr<c_anim_pose::node_transform>& entry : pose.transforms) {
        if (entry && entry->node) entry->node->transform = entry->transform;
    }
}

void c_anim::blend_pose(const c_anim_pose& pose, float w) {
    for (const std::unique_ptr<c_anim_pose::node_transform>& entry : pose.transforms) {
        if (!entry || !entry->node) continue;
        entry->node->transform = transform_lerp(entry->node->transform, entry->transform, w);
    }
}

void c_anim::apply_graph(const c_anim_graph& graph, uint16_t t) {
    for (const std::unique_ptr<c_anim_graph::graph_transform>& track : graph.transforms) {
        if (!track || !track->node || track->values.empty()) continue;
        track->node->transform = transform_track_at(track->values, t);
    }
    // The last key at or before t decides; before the first key the graphic stays.
    for (const std::unique_ptr<c_anim_graph::graph_graphic>& track : graph.graphics) {
        if (!track || !track->anim_node) continue;
        auto after = track->values.upper_bound(t);
        if (after == track->values.begin()) continue;
        const std::unique_ptr<c_anim_graph::graph_graphic::node>& key = std::prev(after)->second;
        if (key) track->anim_node->graphic = key->graphic;
    }
}

// Pre-order walk from the root: a parent is queued before its children and
// earlier children before later ones; the multimap keeps equal depths in that
// order. A node without a graphic draws nothing, but its children do. A NaN
// depth cannot be ordered (and would be clipped anyway), so it is not queued.
// At most one visit per node of the file is made, so child lists that loop
// or name one node twice cannot make a draw run away.
void c_anim::draw(c_platform& platform) const {
    if (!root) return;
    std::multimap<float, c_anim_node::render_packet> queue;
    std::vector<c_pending_visit> pending{{root, base}};
    size_t visits_left = nodes.size();
    while (!pending.empty() && visits_left > 0) {
        const c_pending_visit visit = pending.back();
        pending.pop_back();
        --visits_left;
        const c_transform world = transform_compose(visit.node->transform, visit.parent_world);
        if (visit.node->graphic && !std::isnan(world.tz)) {
            queue.emplace(world.tz, c_anim_node::render_packet{world, visit.node->graphic});
        }
        const std::vector<c_anim_node*>& children = visit.node->children;
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            pending.push_back(c_pending_visit{*child, world});
        }
    }

    for (const auto& entry : queue) {
        const c_anim_graphic& graphic = *entry.second.graphic;
        platform.bind_material(graphic.material ? graphic.material->material : nullptr);
        platform.set_vertex_buffer(&graphic.buffer);
        platform.draw_quads(entry.second.world, k_quad_vertices);
    }
    platform.set_vertex_buffer(nullptr);
}

// Composed from the top of the parent chain down, as the draw walk does, so
// both give the same numbers. The chain is cut after as many steps as there
// are nodes (resolve already breaks parent loops read from a file).
c_transform c_anim::node_world_transform(const c_anim_node& node) const {
    std::vector<const c_anim_node*> chain{&node};
    while (chain.back()->parent && chain.size() <= nodes.size()) {
        chain.push_back(chain.back()->parent);
    }
    c_transform world;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        world = transform_compose((*it)->transform, world);
    }
    return world;
}

}  // namespace tw
