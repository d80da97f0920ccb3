// The sample scene with the larva on it, and a scripted player who grabs the
// larva and drags it along a route of path nodes. Shared by the headless
// scenario test and the real-window scene page, so both run the same input.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "scene/scene.h"

namespace tw_test {

constexpr const char* k_sample_scene_file = "sample.xml";
constexpr const char* k_larva_file = "anims/larva.xml";
constexpr const char* k_pollen_file = "c1/pollen.bmp";
constexpr float k_larva_walk_speed = 12.0f;       // scene units per tick
constexpr uint16_t k_larva_walk_anim_rate = 1200;  // graph time per tick of walking
constexpr uint8_t k_larva_art_facing = 0;          // the art looks right
constexpr float k_aim_ahead_distance = 700.0f;     // aim past a node this close to it

// Owns the scene and places the larva on its first path node.
class c_sample_walk {
public:
    // Loads the scene, jumps to "camera1", sets the letterbox material, adds a
    // pollen field and the larva; false if the scene has no path to stand on.
    bool enter(tw::c_platform& platform) {
        if (!scene.load(platform, k_sample_scene_file)) return false;
        scene.set_camera("camera1");
        tw::c_material* blank = platform.get_material("blank.bmp", false);
        scene.letterbox_top.material = blank;
        scene.letterbox_bottom.material = blank;
        // One pollen field is enough: it always surrounds the camera, whichever level it is in.
        if (!scene.levels.empty())
            scene.add_particle_system(std::make_unique<tw::c_scene_particle_ambient>(
                platform, k_pollen_file, scene.levels.back()->name));
        if (scene.path_nodes.empty() || scene.path_nodes.front()->paths.empty()) return false;
        tw::c_scene_path_node& start = *scene.path_nodes.front();
        auto larva = std::make_unique<tw::c_scene_character>(
            platform, level_of(start), k_larva_file, start, *start.paths.front(),
            k_larva_art_facing, k_larva_walk_speed, k_larva_walk_anim_rate);
        scene.set_character(std::move(larva));
        return true;
    }

    // A mouse event of the frame: offered to the larva first; an untaken drag pans the view.
    void mouse(tw::c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy) {
        if (!scene.character) return;
        const tw::vec2 p = scene.view.screen_to_scene(platform);
        uint8_t result = 0;
        const bool taken = scene.character->mouse(platform, static_cast<uint8_t>(kind),
                                                  {p.x, p.y, 0}, result);
        if (!taken && kind == tw::k_mouse_drag)
            scene.view.pan_by_pixels(platform, static_cast<int16_t>(dx), static_cast<int16_t>(dy));
    }

    void tick(tw::c_platform& platform) { scene.update(platform); }
    void draw(tw::c_platform& platform) { scene.draw(platform); }

    // The last level: levels draw one after another, each with its own layers,
    // so only the last one's objects stay on top wherever the larva walks.
    std::string level_of(const tw::c_scene_path_node&) const {
        return scene.levels.empty() ? std::string() : scene.levels.back()->name;
    }

    tw::c_scene scene;
};

// Window pixel position of a scene point under the current view (inverse of
// screen to scene), clamped into the window.
inline void scene_to_pixels(const tw::c_platform& platform, const tw::c_scene_view& view,
                            float x, float y, int& px, int& py) {
    const tw::vec2 eye = view.eye();
    const float pixels_per_unit = platform.long_side / (2.0f * view.zoom);
    const float sx = (x - eye.x) * pixels_per_unit + platform.width / 2.0f;
    const float sy = (y - eye.y) * pixels_per_unit + platform.height / 2.0f;
    px = static_cast<int>(std::lround(std::fmin(std::fmax(sx, 1.0f), platform.width - 2.0f)));
    py = static_cast<int>(std::lround(std::fmin(std::fmax(platform.height - sy, 1.0f),
                                                platform.height - 2.0f)));
}

// The shortest chain of path nodes (by path count) from one node to another,
// both ends included; empty if the target cannot be reached.
inline std::vector<const tw::c_scene_path_node*> find_route(const tw::c_scene_path_node* from,
                                                            const tw::c_scene_path_node* to) {
    std::map<const tw::c_scene_path_node*, const tw::c_scene_path_node*> came_from{{from, nullptr}};
    std::deque<const tw::c_scene_path_node*> open{from};
    while (!open.empty()) {
        const tw::c_scene_path_node* node = open.front();
        open.pop_front();
        if (node == to) break;
        for (const auto& path : node->paths)
            if (path->target && path->enabled && !came_from.count(path->target)) {
                came_from[path->target] = node;
                open.push_back(path->target);
            }
    }
    std::vector<const tw::c_scene_path_node*> route;
    if (!came_from.count(to)) return route;
    for (const tw::c_scene_path_node* n = to; n; n = came_from[n]) route.insert(route.begin(), n);
    return route;
}

// A player who grabs the larva and drags the pointer ahead of it along a route.
// Each frame it says where the pointer is and whether the button is down; it
// lets go when the larva reaches the end, and grabs again whenever the larva
// stands idle short of it (after a camera change drops the drag).
class c_route_player {
public:
    explicit c_route_player(std::vector<const tw::c_scene_path_node*> nodes)
        : route(std::move(nodes)) {}

    // Pointer position (window pixels) and button for this frame.
    void step(const tw::c_platform& platform, const tw::c_scene& scene, int& px, int& py,
              bool& button) {
        const tw::c_scene_character& larva = *scene.character;
        const tw::vec2 at = larva_position(larva);
        if (arrived(larva)) {
            done = true;
            holding_ = false;
        } else if (holding_) {
            if (larva.dragging) {
                saw_drag_ = true;
            } else if (saw_drag_) {
                // A camera change dropped the drag: let go while the larva walks on by itself.
                holding_ = false;
                saw_drag_ = false;
            }
        } else if (larva.state == tw::k_character_idle) {
            // Press on the larva itself; the drag starts with the following moves.
            holding_ = true;
            grabs += 1;
            scene_to_pixels(platform, scene.view, at.x, at.y, px, py);
            button = true;
            return;
        }
        const tw::vec2 aim = aim_point(larva, at);
        scene_to_pixels(platform, scene.view, aim.x, aim.y, px, py);
        button = holding_;
    }

    // Where the larva stands: between its node and its path's target by progress.
    static tw::vec2 larva_position(const tw::c_scene_character& larva) {
        const tw::c_transform& a = larva.node->transform;
        const tw::c_transform& b =
            larva.path && larva.path->target ? larva.path->target->transform : a;
        return {a.tx + (b.tx - a.tx) * larva.progress, a.ty + (b.ty - a.ty) * larva.progress};
    }

    bool arrived(const tw::c_scene_character& larva) const {
        const tw::c_scene_path_node* last = route.back();
        // Reaching a node may carry the larva straight on to a path leaving it.
        return larva.node == last ||
               (larva.path && larva.path->target == last && larva.progress >= 1.0f);
    }

    std::vector<const tw::c_scene_path_node*> route;
    bool done = false;
    int grabs = 0;

private:
    // The point k_aim_ahead_distance ahead of the larva along the route, as a
    // player leads the larva round bends; past the last node, a point beyond it.
    tw::vec2 aim_point(const tw::c_scene_character& larva, const tw::vec2& at) const {
        size_t next = 0;
        for (size_t i = 0; i < route.size(); ++i) {
            if (larva.path && route[i] == larva.path->target) next = i;
            if (route[i] == larva.node && i + 1 < route.size()) next = std::max(next, i + 1);
        }
        tw::vec2 from = at;
        float left = k_aim_ahead_distance;
        for (size_t i = next; i < route.size(); ++i) {
            const tw::vec2 to{route[i]->transform.tx, route[i]->transform.ty};
            const float length = std::hypot(to.x - from.x, to.y - from.y);
            if (length >= left) {
                const float f = left / length;
                return {from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f};
            }
            left -= length;
            from = to;
        }
        const tw::c_transform& node = route.back()->transform;
        const tw::c_transform& before = route[route.size() > 1 ? route.size() - 2 : 0]->transform;
        tw::vec2 d{node.tx - before.tx, node.ty - before.ty};
        tw::vec2_normalize(d);
        return {node.tx + d.x * k_aim_ahead_distance, node.ty + d.y * k_aim_ahead_distance};
    }

    bool holding_ = false;
    bool saw_drag_ = false;
};

}  // namespace tw_test
