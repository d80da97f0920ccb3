// The walking character: dragged by the player along the path network, turning,
// settling, playing its action on a click, and drawn with a soft highlight.
#pragma once
#include <cstdint>
#include <string>

#include "anim/anim.h"
#include "platform/math.h"
#include "platform/vertex_buffer.h"
#include "scene/scene_camera.h"
#include "scene/scene_path_node.h"

namespace tw {

class c_platform;
struct c_scene_view;

// Character states.
constexpr uint8_t k_character_idle = 0;
constexpr uint8_t k_character_walking = 1;
constexpr uint8_t k_character_automatic = 2;
constexpr uint8_t k_character_turning = 3;
constexpr uint8_t k_character_settling = 4;
constexpr uint8_t k_character_action = 5;

// Mouse event kinds offered to the character, and what they started.
constexpr uint8_t k_character_press = 0;
constexpr uint8_t k_character_move = 1;
constexpr uint8_t k_character_release = 2;
constexpr uint8_t k_character_result_none = 0;
constexpr uint8_t k_character_result_action = 1;
constexpr uint8_t k_character_result_drag = 2;

class c_scene_character {
public:
    // Loads the animation, finds its graphs and the pose "default", applies the
    // pose and stands on start_node facing against start_path.
    c_scene_character(c_platform& platform, const std::string& level, const std::string& anim_file,
                      c_scene_path_node& start_node, c_scene_path_node::path& start_path,
                      uint8_t art_facing, float speed, uint16_t animation_rate);
    virtual ~c_scene_character() = default;
    c_scene_character(const c_scene_character&) = delete;
    c_scene_character& operator=(const c_scene_character&) = delete;

    // One frame of behaviour; called by the scene update.
    virtual void update(c_platform& platform, const c_scene_camera_list& cameras,
                        c_scene_view& view);
    // Places and draws the highlight and the animation; called by the level draw.
    virtual void draw(c_platform& platform);
    // Offers a mouse event (press, move, release) at a scene point; result says
    // whether a click or a drag started. Returns whether the character took it.
    virtual bool mouse(c_platform& platform, uint8_t kind, const vec3& point, uint8_t& result);
    // Moves along the network according to a unit drag direction.
    virtual void steer(const vec2& direction, const c_scene_camera_list& cameras,
                       c_scene_view& view);

    // Whether the point is within the click radius of the character's placement.
    bool hit(const vec3& point) const;

    uint8_t state = k_character_idle;
    uint16_t countdown = 0;  // frames
    std::string level_name;
    c_anim anim;
    c_quad highlight;
    c_anim_graph* graph = nullptr;  // current; null or one of the four below
    c_anim_graph* graph_walk = nullptr;
    c_anim_graph* graph_turn = nullptr;
    c_anim_graph* graph_idle = nullptr;
    c_anim_graph* graph_action = nullptr;
    c_anim_pose* pose_default = nullptr;
    std::string anim_file_name;
    uint16_t time = 0;            // graph time of the current graph
    uint16_t walk_anim_rate = 0;  // graph time per frame of walking
    uint16_t turn_length = 20;    // frames
    c_scene_path_node* node = nullptr;        // current node; not owned
    c_scene_path_node::path* path = nullptr;  // current path, leaving node; not owned
    float progress = 0;  // 0 at node, 1 at the path's target
    float click_radius = 512;
    float walk_speed = 0;  // scene units per frame
    uint8_t art_facing = 0;
    uint8_t facing = 0;
    uint8_t pressed = 0;
    uint8_t dragging = 0;
    uint16_t press_x = 0, press_y = 0;  // window pixels
    uint16_t drag_accumulator = 0;      // pixels moved since the press

protected:
    // Walks walk_speed scene units along the current path, forward or backward,
    // continuing onto the path chosen for d at each node reached.
    void walk(const vec2& d, bool forward, c_scene_view& view);
    // Makes p current: camera change, automatic traversal or plain walking.
    void enter_path(c_scene_path_node::path& p, c_scene_view& view);
    // One frame along an animated path, then on to the path that continues it.
    void run_path_animation(c_scene_view& view);
    // Starts the turn graph; the facing flips half way through.
    void turn();
    // One frame of the turn, the settling or the action countdown.
    void update_turn();
    void update_settle();
    void update_action();
    // Base transform from the current node towards the path's target by
    // progress, mirrored in the art's own frame when facing differs from the art's.
    void place();
    // Draws the highlight under the root node.
    void draw_highlight(c_platform& platform) const;
};

}  // namespace tw
