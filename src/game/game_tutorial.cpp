// The tutorial hands: fading, bobbing, the per-kind rules for when a hand is
// done, the drag hand's walk along the path network, and the chapter's map.
#include "game/game_tutorial.h"

#include <cmath>

#include "game/ui_puzzle.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "ui/ui_element_graphic.h"

namespace tw {

namespace {

// Where the pointing hands sit relative to what they point at, so the finger
// tip rather than the middle of the picture lands on the target.
constexpr float k_scene_hand_offset_x = 280.0f;
constexpr float k_scene_hand_offset_y = -320.0f;
constexpr float k_object_hand_offset_x = 200.0f;
constexpr float k_object_hand_offset_y = -240.0f;

constexpr float k_bob_phase_step = 0.1f;
constexpr float k_drag_step = 15.0f;  // scene units per tick along the path
// A network of zero-length edges would never use up the step; give up after this many.
constexpr int k_drag_max_edges_per_tick = 64;

// The wide bob of the free-standing scene hand.
vec3 bob_wide(float& phase) {
    phase += k_bob_phase_step;
    const float c = std::cos(phase);
    const float y = 40.0f * c;
    return vec3{-0.7f * y, y, 0};
}

// The tighter bob of the hands over objects and icons, lifted a little.
vec3 bob_narrow(float& phase) {
    phase += k_bob_phase_step;
    const float c = std::cos(phase);
    const float y = 24.0f * c - 60.0f;
    return vec3{-0.7f * y + 36.0f, y, 0};
}

vec3 add(const vec3& a, const vec3& b) { return vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }

}  // namespace

uint8_t fade_in(uint8_t alpha) { return alpha > 250 ? 255 : uint8_t(alpha + 4); }

uint8_t fade_out(uint8_t alpha) { return alpha < 5 ? 0 : uint8_t(alpha - 4); }

// --- Base ---

void c_game_tutorial::begin(c_platform& platform) {
    platform.set_rect(hand, platform.get_material("hand.bmp", false), k_tutorial_hand_half,
                      k_tutorial_hand_half, 0, 1, 0, 1);
    alpha = 0;
    hand.buffer.set_alpha(alpha);
}

bool c_game_tutorial::update(c_platform&, const puzzle_icon_map&) {
    if (finish_request && alpha == 0) return true;
    alpha = finish_request ? fade_out(alpha) : fade_in(alpha);
    return false;
}

void c_game_tutorial::draw(c_platform& platform) {
    draw_hand_at(platform, vec3{hand_transform.tx, hand_transform.ty, hand_transform.tz});
}

void c_game_tutorial::draw_hand_at(c_platform& platform, const vec3& point) {
    hand.buffer.set_alpha(alpha);
    hand_transform.tx = point.x;
    hand_transform.ty = point.y;
    hand_transform.tz = point.z;
    platform.draw_quad(hand, hand_transform);
}

// --- Click in the scene ---

c_game_tutorial_click_scene::c_game_tutorial_click_scene(const vec3& point) : point(point) {}

bool c_game_tutorial_click_scene::update(c_platform&, const puzzle_icon_map&) {
    if (finish_request && alpha == 0) return true;
    bob = bob_wide(phase);
    alpha = finish_request ? fade_out(alpha) : fade_in(alpha);
    return false;
}

void c_game_tutorial_click_scene::draw(c_platform& platform) {
    const vec3 anchor{point.x + k_scene_hand_offset_x, point.y + k_scene_hand_offset_y, point.z};
    draw_hand_at(platform, add(anchor, bob));
}

// --- Click a puzzle spot ---

c_game_tutorial_click_puzzle_scene::c_game_tutorial_click_puzzle_scene(const c_scene_puzzle& puzzle)
    : puzzle(&puzzle),
      anchor{puzzle.anim.base.tx + k_object_hand_offset_x,
             puzzle.anim.base.ty + k_object_hand_offset_y, puzzle.anim.base.tz} {}

bool c_game_tutorial_click_puzzle_scene::update(c_platform&, const puzzle_icon_map&) {
    if (finish_request && alpha == 0) return true;
    if (!finish_request && puzzle) {
        if (puzzle->discovered) {
            finish_request = 1;
        } else {
            anchor = vec3{puzzle->anim.base.tx + k_object_hand_offset_x,
                          puzzle->anim.base.ty + k_object_hand_offset_y, puzzle->anim.base.tz};
        }
    }
    bob = bob_narrow(phase);
    alpha = finish_request ? fade_out(alpha) : fade_in(alpha);
    return false;
}

void c_game_tutorial_click_puzzle_scene::draw(c_platform& platform) {
    draw_hand_at(platform, add(anchor, bob));
}

// --- Click an item ---

c_game_tutorial_click_collectible_scene::c_game_tutorial_click_collectible_scene(
    const c_scene_collectible& collectible, const c_scene& scene)
    : collectible(&collectible),
      scene(&scene),
      anchor{collectible.transform.tx + k_object_hand_offset_x,
             collectible.transform.ty + k_object_hand_offset_y, collectible.transform.tz} {}

bool c_game_tutorial_click_collectible_scene::update(c_platform&, const puzzle_icon_map&) {
    if (finish_request && alpha == 0) return true;
    if (collectible) {
        bool in_scene = false;
        for (const auto& item : scene->collectibles) {
            if (item.get() == collectible) {
                in_scene = true;
                break;
            }
        }
        if (in_scene) {
            anchor =
                vec3{collectible->transform.tx + k_object_hand_offset_x,
                     collectible->transform.ty + k_object_hand_offset_y, collectible->transform.tz};
        } else {
            // Picked up and deleted: forget it and fade out where it last was.
            collectible = nullptr;
            finish_request = 1;
        }
    }
    bob = bob_narrow(phase);
    alpha = finish_request ? fade_out(alpha) : fade_in(alpha);
    return false;
}

void c_game_tutorial_click_collectible_scene::draw(c_platform& platform) {
    draw_hand_at(platform, add(anchor, bob));
}

// --- Select an icon, then use it in the scene ---

c_game_tutorial_click_puzzle_ui::c_game_tutorial_click_puzzle_ui(c_ui_puzzle* icon,
                                                                 uint16_t puzzle_id,
                                                                 c_ui_element_graphic* hand_graphic,
                                                                 const vec3& point)
    : icon(icon), puzzle_id(puzzle_id), hand_graphic(hand_graphic), point(point) {}

void c_game_tutorial_click_puzzle_ui::begin(c_platform& platform) {
    c_game_tutorial::begin(platform);
    bar_alpha = 0;
    if (hand_graphic) hand_graphic->quad.buffer.set_alpha(0);
}

bool c_game_tutorial_click_puzzle_ui::update(c_platform&, const puzzle_icon_map& icons) {
    if (finish_request && alpha == 0 && bar_alpha == 0) return true;
    if (icon) {
        const auto it = icons.find(puzzle_id);
        if (it == icons.end() || it->second != icon) {
            // The bar deletes a removed icon later; never touch it again.
            icon = nullptr;
            finish_request = 1;
        }
    }
    bob = bob_narrow(phase);
    if (icon && hand_graphic) {
        hand_graphic->transform = icon->main_transform;
        hand_graphic->transform.tx += bob.x;
        hand_graphic->transform.ty += bob.y;
    }
    const bool selected = icon && icon->selected;
    bar_alpha = !finish_request && !selected ? fade_in(bar_alpha) : fade_out(bar_alpha);
    alpha = !finish_request && selected ? fade_in(alpha) : fade_out(alpha);
    if (hand_graphic) hand_graphic->quad.buffer.set_alpha(bar_alpha);
    return false;
}

void c_game_tutorial_click_puzzle_ui::draw(c_platform& platform) {
    const vec3 anchor{point.x + k_object_hand_offset_x, point.y + k_object_hand_offset_y, point.z};
    draw_hand_at(platform, add(anchor, bob));
}

// --- Drag the character ---

c_game_tutorial_drag_character::c_game_tutorial_drag_character(c_scene& scene) : scene(&scene) {}

void c_game_tutorial_drag_character::begin(c_platform& platform) {
    c_game_tutorial::begin(platform);
    restart();
}

void c_game_tutorial_drag_character::restart() {
    const c_scene_character* character = scene->character.get();
    if (!character) return;
    start = character->node;
    edge = character->path;
    progress = character->progress;
    stuck = 0;
    hold = k_tutorial_drag_hold_ticks;
}

bool c_game_tutorial_drag_character::update(c_platform&, const puzzle_icon_map&) {
    const c_scene_character* character = scene->character.get();
    if (!character) finish_request = 1;
    if (finish_request && alpha == 0) return true;

    if (!finish_request && hold != 0) {
        if (alpha <= 250) {
            alpha = uint8_t(alpha + 4);
            return false;
        }
        alpha = 255;
        if (stuck) {
            --hold;
            return false;
        }
        float distance = k_drag_step;
        for (int i = 0; distance > 0; ++i) {
            if (!start || !edge || !edge->target || i == k_drag_max_edges_per_tick) {
                stuck = 1;
                break;
            }
            if (edge->length > 0 && (1 - progress) >= distance / edge->length) {
                progress += distance / edge->length;
                break;
            }
            distance -= (1 - progress) * edge->length;
            c_scene_path_node* end = edge->target;
            vec2 d{end->transform.tx - start->transform.tx,
                   end->transform.ty - start->transform.ty};
            vec2_normalize(d);
            c_scene_path_node::path* next = choose_path(*end, d);
            if (!next) {
                // A dead end: the hand rests on the end node.
                progress = 1;
                stuck = 1;
                break;
            }
            start = end;
            edge = next;
            progress = 0;
        }
        return false;
    }

    alpha = fade_out(alpha);
    if (alpha == 0 && !finish_request && !character->dragging) restart();
    return false;
}

void c_game_tutorial_drag_character::draw(c_platform& platform) {
    if (!start) return;
    vec3 anchor{start->transform.tx, start->transform.ty, 0};
    if (edge && edge->target) {
        anchor.x += progress * (edge->target->transform.tx - start->transform.tx);
        anchor.y += progress * (edge->target->transform.ty - start->transform.ty);
    }
    draw_hand_at(platform, anchor);
}

// --- The map ---

c_game_tutorial* c_tutorial_map::add(c_platform& platform,
                                     std::unique_ptr<c_game_tutorial> tutorial) {
    if (!tutorial) return nullptr;
    ++counter;
    tutorial->begin(platform);
    c_game_tutorial* raw = tutorial.get();
    tutorials[counter] = std::move(tutorial);
    return raw;
}

void c_tutorial_map::update(c_platform& platform, const puzzle_icon_map& icons) {
    for (auto it = tutorials.begin(); it != tutorials.end();) {
        if (it->second->update(platform, icons)) {
            it = tutorials.erase(it);
        } else {
            ++it;
        }
    }
}

void c_tutorial_map::finish_all() {
    for (auto& entry : tutorials) entry.second->finish_request = 1;
}

void c_tutorial_map::draw(c_platform& platform) {
    for (auto& entry : tutorials) entry.second->draw(platform);
}

}  // namespace tw
