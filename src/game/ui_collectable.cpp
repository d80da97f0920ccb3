// A collectable in flight: a short drift, then steering towards its icon that
// grows stronger every tick; at the icon it brakes, shrinks and fades out.
#include "game/ui_collectable.h"

#include <cmath>

#include "game/ui_puzzle.h"
#include "platform/math.h"

namespace tw {

namespace {

constexpr uint8_t k_collectable_anchor = 1;
constexpr uint16_t k_drift_ticks = 60;
constexpr float k_drift_lift = 0.06f;
constexpr float k_drag = 0.98f;
constexpr float k_arrival_radius = 50.0f;
constexpr float k_arrival_brake = 0.6f;
constexpr float k_arrival_shrink = 0.8f;
constexpr float k_steer_start_tick = 30.0f;
constexpr float k_steer_growth = 0.001f;

}  // namespace

c_ui_collectable::c_ui_collectable(c_material* material, float x, float y, float start_angle,
                                   float half_w, float half_h, c_ui_puzzle* target_icon,
                                   uint16_t id)
    : c_ui_element_graphic(x, y, k_collectable_anchor, material, half_w, half_h),
      target(target_icon),
      puzzle_id(id),
      current_half_width(half_w),
      current_half_height(half_h),
      angle(start_angle) {
    if (target) ++target->incoming;
    position.x = x;
    position.y = y;
    transform.tx = x;
    transform.ty = y;
    transform_set_angle(transform, angle);
}

void c_ui_collectable::detach() {
    if (!target) return;
    if (target->incoming != 0) --target->incoming;
    target = nullptr;
}

bool c_ui_collectable::advance() {
    // Without an icon to fly to there is nothing left to do.
    if (!target) return true;

    if (ticks < k_drift_ticks) velocity.y += k_drift_lift;
    velocity.x *= k_drag;
    velocity.y *= k_drag;
    velocity.z *= k_drag;

    const float dx = target->icon_position.x - position.x;
    const float dy = target->icon_position.y - position.y;
    const float r = std::sqrt(dx * dx + dy * dy);

    if (r < k_arrival_radius) {
        if (!arrived) {
            target->item_arrived();
            arrived = 1;
        }
        if (target->pulse == 0) target->pulse = k_puzzle_icon_pulse_ticks;
        velocity.x *= k_arrival_brake;
        velocity.y *= k_arrival_brake;
        velocity.z *= k_arrival_brake;
        current_half_width *= k_arrival_shrink;
        current_half_height *= k_arrival_shrink;
        quad.buffer.set_quad_rect(-current_half_width, current_half_height, current_half_width,
                                  -current_half_height);
        if (alpha != 0) {
            --alpha;
            quad.buffer.set_colour(255, 255, 255, alpha);
        }
        if (current_half_width < 1 && current_half_height < 1) return true;
    }

    // Negative during the first ticks, so the item first moves away from the icon.
    const float s = (float(ticks) - k_steer_start_tick) * k_steer_growth;
    if (r > 0) {
        velocity.x += dx / r * s;
        velocity.y += dy / r * s;
    }
    // The offset moves with the position so a later layout keeps the item where it is.
    position.x += velocity.x;
    position.y += velocity.y;
    position.offset_x += velocity.x;
    position.offset_y += velocity.y;
    transform.tx = position.x;
    transform.ty = position.y;
    ++ticks;
    return false;
}

}  // namespace tw
