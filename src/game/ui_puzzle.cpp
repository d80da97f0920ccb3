// The puzzle icon: its quads and count, the slide in, out and away, the pulse
// of the picture, clicks that peek or select, and the sparks of arriving items.
#include "game/ui_puzzle.h"

#include <cmath>
#include <string>

#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {

constexpr uint8_t k_icon_anchor = k_anchor_middle_left;
constexpr float k_hint_dx = -300.0f;
constexpr float k_badge_dx = 180.0f;
constexpr float k_hit_half = 96.0f;
constexpr float k_peek_slide_x = 350.0f;
constexpr float k_leave_slide_x = -350.0f;
constexpr float k_gone_slide_x = -300.0f;
constexpr float k_slide_ease = 0.05f;
constexpr float k_pulse_depth = 12.0f;
constexpr float k_pi = 3.14159265358979f;
constexpr c_rgba k_white{255, 255, 255, 255};
constexpr c_rgba k_glow_colour{255, 255, 200, 255};

// Spark tuning: launch speed, the spread of the decay and the pull downwards.
constexpr float k_spark_half = 38.0f;
constexpr float k_spark_speed = 4.0f;
constexpr float k_spark_decay_spread = 0.03f;
constexpr float k_spark_decay_min_loss = 0.01f;
constexpr float k_spark_gravity = 0.05f;
constexpr float k_spark_dead_life = 0.1f;

float random_unit(int r) { return float(r) / float(k_rand_max); }

}  // namespace

bool c_puzzle_spark::advance() {
    life *= decay;
    transform.tx += velocity.x;
    transform.ty += velocity.y;
    transform.tz += velocity.z;
    velocity.y += k_spark_gravity;
    velocity.x *= decay;
    const float half = life * base_size;
    quad.buffer.set_quad_rect(-half, half, half, -half);
    return life < k_spark_dead_life;
}

c_ui_puzzle::c_ui_puzzle(c_material* icon, c_material* hint, c_material* glow_material,
                         c_material* circle, c_ui_font* font, uint16_t remaining_items,
                         uint16_t code, float start_slide_y)
    : i_ui_element(k_puzzle_icon_offset_x, 0, k_icon_anchor),
      count_text(font),
      slide_y(start_slide_y),
      slide_y_target(start_slide_y),
      remaining(remaining_items),
      event_code(code) {
    make_textured_quad(picture, icon, k_puzzle_icon_picture_half, k_puzzle_icon_picture_half);
    make_textured_quad(hint_picture, hint, k_puzzle_icon_hint_half, k_puzzle_icon_hint_half);
    make_textured_quad(glow, glow_material, k_puzzle_icon_glow_half, k_puzzle_icon_glow_half);
    glow.buffer.set_colour(k_glow_colour);
    make_textured_quad(ring, circle, k_puzzle_icon_ring_half, k_puzzle_icon_ring_half);
    ring.buffer.set_colour(colour);
    make_textured_quad(backing, circle, k_puzzle_icon_backing_half, k_puzzle_icon_backing_half);
    backing.buffer.set_colour(colour);
    make_textured_quad(badge, circle, k_puzzle_icon_badge_half, k_puzzle_icon_badge_half);
    badge.buffer.set_colour(colour);
    count_text.anchor = 4;
    count_text.scale = 2.0f;
    count_text.set_text(std::to_string(remaining), k_white);
    // Until the first layout the offset stands for the position.
    anchored_layout(position, c_ui_context{});
    place_transforms();
}

void c_ui_puzzle::place_transforms() {
    icon_position = {position.x + slide_x, position.y + slide_y};
    main_transform = translation(icon_position.x, icon_position.y);
    hint_transform = translation(icon_position.x + k_hint_dx, icon_position.y);
    badge_transform = translation(icon_position.x + k_badge_dx, icon_position.y);
}

void c_ui_puzzle::layout(const c_ui_context& context) {
    anchored_layout(position, context);
    place_transforms();
}

void c_ui_puzzle::update(const c_ui_context&, c_ui_callback&) {
    if (leaving) {
        slide_x_target = k_leave_slide_x;
        if (slide_x < k_gone_slide_x) gone = 1;
    } else {
        // A selected icon keeps renewing a short peek, so it stays out until deselected.
        if (selected) peek_timer = k_puzzle_icon_selected_peek_ticks;
        if (peek_timer != 0) {
            --peek_timer;
            slide_x_target = k_peek_slide_x;
        } else {
            slide_x_target = 0;
        }
    }
    slide_x += (slide_x_target - slide_x) * k_slide_ease;
    slide_y += (slide_y_target - slide_y) * k_slide_ease;
    place_transforms();

    if (pulse != 0) {
        const float h = (0.5f - std::cos(float(pulse) * k_pi * 4.0f /
                                         float(k_puzzle_icon_pulse_ticks))) *
                            k_pulse_depth +
                        k_puzzle_icon_picture_half;
        picture.buffer.set_quad_rect(-h, h, h, -h);
        --pulse;
    }

    for (size_t i = 0; i < sparks.size();) {
        if (sparks[i]->advance()) {
            sparks.erase(sparks.begin() + long(i));
        } else {
            ++i;
        }
    }
}

void c_ui_puzzle::render(c_platform& platform) {
    if (gone) return;
    for (const auto& spark : sparks) platform.draw_quad(spark->quad, spark->transform);
    platform.draw_quad(ring, main_transform);
    platform.draw_quad(backing, hint_transform);
    if (remaining != 0) {
        platform.draw_quad(badge, badge_transform);
    } else {
        platform.draw_quad(glow, main_transform);
    }
    platform.draw_quad(picture, main_transform);
    platform.draw_quad(hint_picture, hint_transform);
    if (remaining != 0) count_text.draw(platform, badge_transform);
}

bool c_ui_puzzle::on_mouse_button(const c_ui_context&, uint16_t kind, uint16_t, uint16_t,
                                  float x, float y, c_ui_callback& callback) {
    if (leaving || gone || kind != k_mouse_press) return false;
    if (std::fabs(x - icon_position.x) > k_hit_half || std::fabs(y - icon_position.y) > k_hit_half)
        return false;
    if (remaining != 0) {
        // Items still missing: slide out to show the hint for a while.
        peek_timer = k_puzzle_icon_peek_ticks;
    } else {
        selected = 1;
        ring.buffer.set_colour(k_white);
        callback.push_ui_event(event_code);
    }
    return true;
}

void c_ui_puzzle::item_arrived() {
    if (remaining != 0) --remaining;
    count_text.set_text(std::to_string(remaining), k_white);
    for (int i = 0; i < k_puzzle_icon_sparks_per_item; ++i) {
        auto spark = std::make_unique<c_puzzle_spark>();
        spark->transform = badge_transform;
        int r = tw::rand();
        spark->velocity.x = (random_unit(r) - 0.5f) * k_spark_speed;
        r = tw::rand();
        spark->velocity.y = (random_unit(r) - 0.5f) * k_spark_speed;
        spark->velocity.z = 0;
        spark->decay = 1.0f - (float(r) * k_spark_decay_spread / float(k_rand_max) +
                               k_spark_decay_min_loss);
        spark->life = 1.0f;
        spark->base_size = k_spark_half;
        make_textured_quad(spark->quad, ring.material, k_spark_half, k_spark_half);
        spark->quad.buffer.set_colour(colour);
        sparks.push_back(std::move(spark));
    }
}

void c_ui_puzzle::start_leaving() {
    peek_timer = 0;
    selected = 0;
    leaving = 1;
    glow.buffer.set_colour(0, 0, 0, 0);
}

void c_ui_puzzle::deselect() {
    selected = 0;
    ring.buffer.set_colour(colour);
}

}  // namespace tw
