// The live camera: its per-frame glide and zoom easing, pan clamping, zoom
// limits, and the mappings between window pixels, scene units and the UI view.
#include "scene/scene_view.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace tw {

namespace {

constexpr float k_velocity_keep = 0.985f;      // share of the velocity kept each frame
constexpr float k_spring_strength = 0.0001f;   // pull towards the target per unit of distance
constexpr float k_zoom_easing = 0.01f;         // share of the zoom gap closed each frame
constexpr float k_zoom_floor_pixels = 2048.0f; // long side at which the zoom floor equals the limit
constexpr float k_ui_half_extent = 1024.0f;    // UI view: half extent of the shorter side

constexpr int k_band_aspect = 2;               // the scene's picture is a 2:1 band

// Scene units per window pixel, as the scene's projection draws them: narrower
// than 2:1 the long side spans twice the zoom; from 2:1 on the height spans the
// zoom (and the band runs past the sides). Sizes before the first frame count as 1.
float units_per_pixel(const c_platform& platform, float zoom) {
    const int width = std::max<int>(platform.width, 1), height = std::max<int>(platform.height, 1);
    if (width < k_band_aspect * height) return 2 * zoom / float(std::max(width, height));
    return zoom / float(height);
}

}  // namespace

void c_scene_view::update() {
    velocity.x *= k_velocity_keep;
    velocity.y *= k_velocity_keep;
    velocity.z *= k_velocity_keep;
    velocity.x += (target_position.x - position.x) * k_spring_strength;
    velocity.y += (target_position.y - position.y) * k_spring_strength;
    velocity.z += (target_position.z - position.z) * k_spring_strength;
    position.x += velocity.x;
    position.y += velocity.y;
    position.z += velocity.z;
    zoom += (target_zoom - zoom) * k_zoom_easing;
    clamp_pan();
}

void c_scene_view::clamp_pan() {
    // While the zoom eases out past the limit (a camera change to a wider
    // camera) there is no room to pan; a negative room would push the pan off centre.
    const float room = std::max(0.0f, limit - zoom);
    pan.x = std::min(room, std::max(-room, pan.x));
    pan.y = std::min(room / 2, std::max(-room / 2, pan.y));
    pan.z = 0;
}

void c_scene_view::pan_by_pixels(const c_platform& platform, int16_t dx, int16_t dy) {
    const float scale = units_per_pixel(platform, zoom);
    pan.x -= scale * dx;
    pan.y += scale * dy;
    clamp_pan();
}

void c_scene_view::set_zoom_target(const c_platform& platform, float z) {
    const float floor = float(platform.long_side) * limit / k_zoom_floor_pixels;
    target_zoom = std::min(limit, std::max(floor, z));
}

bool c_scene_view::point_in_view(float x, float y) const {
    return std::fabs(x - position.x) < zoom && std::fabs(y - position.y) < zoom / 2;
}

void c_scene_view::set_camera(const c_scene_camera& camera) {
    position = camera.position;
    target_position = camera.position;
    limit = camera.scene_width;
    target_zoom = camera.scene_width;
    zoom = camera.scene_width;
    pan = vec3{};
}

vec2 c_scene_view::screen_to_scene(const c_platform& platform) const {
    const float scale = units_per_pixel(platform, zoom);
    const float sx = float(platform.mouse_x) - float(platform.width) / 2;
    const float sy = float(platform.height - platform.mouse_y) - float(platform.height) / 2;
    const vec2 e = eye();
    return {sx * scale + e.x, sy * scale + e.y};
}

vec2 c_scene_view::scene_to_ui(const c_platform& platform, float x, float y) const {
    // A view without extent (a camera of width 0) maps everything to the centre.
    if (zoom == 0 || platform.short_side == 0) return {0, 0};
    // Scene units to pixels, then pixels to the UI view's units.
    const float scale = 2 * k_ui_half_extent / float(platform.short_side) / units_per_pixel(platform, zoom);
    const vec2 e = eye();
    return {(x - e.x) * scale, (y - e.y) * scale};
}

}  // namespace tw
