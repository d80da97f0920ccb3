// The live camera of a scene: a damped spring towards a target position, an
// eased zoom, a clamped pan offset, and the window-to-scene mappings.
#pragma once
#include <cstdint>

#include "platform/math.h"
#include "scene/scene_camera.h"

namespace tw {

class c_platform;

constexpr float k_view_initial_extent = 4096.0f;  // limit, zoom and target zoom at start

struct c_scene_view {
    vec3 position;
    float limit = k_view_initial_extent;  // half-width of the region the camera covers
    vec3 target_position;
    float target_zoom = k_view_initial_extent;
    vec3 pan;  // pan.z is always 0
    float zoom = k_view_initial_extent;  // half the visible width, scene units
    vec3 velocity;  // scene units per frame

    // One frame: glide the position, ease the zoom, clamp the pan. Called last in the scene update.
    void update();
    // Keeps the pan inside the room the zoom leaves within the limit.
    void clamp_pan();
    // Moves the pan so the picture follows a drag of (dx, dy) window pixels.
    void pan_by_pixels(const c_platform& platform, int16_t dx, int16_t dy);
    // Target zoom = z clamped to [long side * limit / 2048, limit].
    void set_zoom_target(const c_platform& platform, float z);
    // Whether (x, y) lies strictly inside the visible region around the position (pan ignored).
    bool point_in_view(float x, float y) const;
    // Jumps to the camera: position, target, limit, zoom and target zoom; pan 0.
    void set_camera(const c_scene_camera& camera);
    // The eye point used for drawing and picking: position + pan.
    vec2 eye() const { return {position.x + pan.x, position.y + pan.y}; }
    // The platform's last mouse position in scene coordinates.
    vec2 screen_to_scene(const c_platform& platform) const;
    // A scene point in the coordinates of the UI view (half extent 1024 on the shorter side).
    vec2 scene_to_ui(const c_platform& platform, float x, float y) const;
};

}  // namespace tw
