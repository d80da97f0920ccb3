// The chapter state's entry, ticks, modes and fades, drawing, UI codes, the
// hint, and leaving; the scene's verbs live in state_game_input.cpp.
#include "game/state_game.h"

#include <cstdio>

#include "chapters/game_puzzle.h"
#include "game/ui_collectable.h"
#include "game/ui_puzzle_bar.h"
#include "net/usage_messages.h"
#include "platform/random.h"
#include "sound/sound_table.h"
#include "ui/ui_element_button_push.h"
#include "ui/ui_element_graphic.h"
#include "ui/ui_font.h"

namespace tw {

namespace {

constexpr const char* k_font_description = "font/font_desc.xml";
constexpr const char* k_font_texture = "font.bmp";
constexpr const char* k_blank_texture = "blank.bmp";
constexpr const char* k_glow_texture = "glow.bmp";
constexpr const char* k_circle_texture = "circle.bmp";

// Overlay of the main screen: UI units, anchors 0 top left, 2 top right, 3 middle left.
constexpr float k_corner_button_x = 896.0f;
constexpr float k_corner_button_y = 896.0f;
constexpr float k_corner_button_half = 128.0f;
constexpr float k_hand_half = 80.0f;
constexpr uint8_t k_anchor_top_left = 0;
constexpr uint8_t k_anchor_top_right = 2;
constexpr uint8_t k_anchor_centre = 4;

// The pause screen: a dimming sheet and two buttons.
constexpr float k_pause_sheet_half = 4000.0f;
constexpr uint8_t k_pause_sheet_alpha = 180;
constexpr float k_pause_button_x = 400.0f;
constexpr float k_pause_button_half = 128.0f;

constexpr float k_fade_half = 4096.0f;
constexpr float k_zoom_step = 0.9f;

// Path highlight sparks.
constexpr float k_highlight_step_units = 16.0f;
constexpr int k_highlight_scatter = 24;  // emitted within +-24 units of the spark
constexpr int k_highlight_speed = 3;     // velocity within +-3 units per tick

// A uniform integer in -range..range from the shared generator.
float random_within(int range) { return float(tw::rand() % (2 * range + 1) - range); }

void add_corner_button(c_ui_screen_set& ui, c_ui_screen* screen, c_platform& platform,
                       c_ui_font* font, const char* texture, float x, float y, uint8_t anchor,
                       float half, uint16_t code) {
    ui.add_element(screen, std::make_unique<c_ui_element_button_push>(
                               x, y, anchor, platform.get_material(texture, false), half, half,
                               font, "", code));
}

}  // namespace

c_state_game::c_state_game(uint16_t chapter_number) : chapter(chapter_number) {}

c_state_game::~c_state_game() = default;

// --- Entry and leaving ---

void c_state_game::on_enter(c_platform& platform, c_application_data& data) {
    queue_appview(data.persistent, platform, "chapter_" + std::to_string(chapter));
    queue_event(data.persistent, "start_chapter", chapter, puzzle_summary());

    hint_charge = 0;
    puzzle = nullptr;
    mode = k_game_mode_scene;
    item_selected = false;
    selected_id = 0;
    paused = false;

    font = ui.create_font(k_font_description, platform.get_material(k_font_texture, false));
    main_screen = ui.create_screen();
    pause_screen = ui.create_screen();
    ui.current = main_screen;
    glow_material = platform.get_material(k_glow_texture, false);
    circle_material = platform.get_material(k_circle_texture, false);
    build_main_screen(platform);

    c_material* blank = platform.get_material(k_blank_texture, false);
    platform.set_rect(fade_quad, blank, k_fade_half, k_fade_half, 0, 1, 0, 1);
    fade_quad.buffer.set_colour(0, 0, 0, 255);
    scene.letterbox_top.material = blank;
    scene.letterbox_bottom.material = blank;
    build_pause_screen(platform);
    update_hint_fill();
}

void c_state_game::build_main_screen(c_platform& platform) {
    bar = ui.add_element(main_screen, std::make_unique<c_ui_puzzle_bar>());
    bar->layout(ui_context(platform));
    hand = ui.add_element(main_screen,
                          std::make_unique<c_ui_element_graphic>(
                              0, 0, k_anchor_middle_left, platform.get_material("hand.bmp", false),
                              k_hand_half, k_hand_half));
    hand->quad.buffer.set_alpha(0);
    add_corner_button(ui, main_screen, platform, font, "home.bmp", -k_corner_button_x,
                      k_corner_button_y, k_anchor_top_left, k_corner_button_half,
                      k_game_code_pause);
    add_corner_button(ui, main_screen, platform, font, "question_mark.bmp", k_corner_button_x,
                      k_corner_button_y, k_anchor_top_right, k_corner_button_half,
                      k_game_code_hint);
    auto corner_graphic = [&](const char* texture) {
        return ui.add_element(main_screen, std::make_unique<c_ui_element_graphic>(
                                               k_corner_button_x, k_corner_button_y,
                                               k_anchor_top_right,
                                               platform.get_material(texture, false),
                                               k_corner_button_half, k_corner_button_half));
    };
    hint_fill = corner_graphic("question_mark_fill.bmp");
    hint_highlight = corner_graphic("question_mark_highlight.bmp");
}

void c_state_game::build_pause_screen(c_platform& platform) {
    auto* sheet = ui.add_element(
        pause_screen, std::make_unique<c_ui_element_graphic>(
                          0, 0, k_anchor_centre, platform.get_material(k_blank_texture, false),
                          k_pause_sheet_half, k_pause_sheet_half));
    sheet->quad.buffer.set_colour(0, 0, 0, k_pause_sheet_alpha);
    add_corner_button(ui, pause_screen, platform, font, "home.bmp", -k_pause_button_x, 0,
                      k_anchor_centre, k_pause_button_half, k_game_code_home);
    add_corner_button(ui, pause_screen, platform, font, "resume_1.bmp", k_pause_button_x, 0,
                      k_anchor_centre, k_pause_button_half, k_game_code_resume);
}

void c_state_game::on_leave(c_platform&, c_application_data& data) {
    queue_event(data.persistent, "leave_chapter", chapter, puzzle_summary());
}

void c_state_game::on_resize(c_platform& platform, c_application_data&) {
    ui.layout(ui_context(platform));
}

std::string c_state_game::puzzle_summary() const {
    std::string summary;
    for (const auto& [id, icon] : puzzle_icons) {
        summary += "p" + std::to_string(id) + "r" + std::to_string(icon->remaining);
    }
    return summary;
}

// --- Ticks ---

void c_state_game::on_tick(c_platform& platform, c_application_data& data) {
    data.persistent.accumulate_time(platform);
    update_hint_fill();
    if (highlight) run_path_highlight();
    if (leave_requested) data.request_state(k_state_menu);
    if (puzzle_on_screen() && paused) {
        // The puzzle and its fade wait for the pause screen to close.
        tick_paused_puzzle(platform, data);
        return;
    }
    if (puzzle_on_screen()) {
        if (puzzle) puzzle->on_tick(platform, data);
    } else {
        tick_scene_side(platform, data);
    }
    check_puzzle_complete(platform, data);
    fade_step(platform, data);
}

bool c_state_game::puzzle_on_screen() const {
    return mode == k_game_mode_puzzle_fading_in || mode == k_game_mode_puzzle ||
           mode == k_game_mode_puzzle_fading_out;
}

void c_state_game::tick_paused_puzzle(c_platform& platform, c_application_data& data) {
    ui.update(ui_context(platform), *this);
    process_ui_events(platform, data);
}

void c_state_game::set_paused(bool on) {
    paused = on;
    ui.current = on ? pause_screen : main_screen;
}

void c_state_game::on_key(c_platform&, int key, c_application_data&) {
    if (key == k_key_esc) set_paused(!paused);
}

void c_state_game::on_focus(c_platform&, bool focused, c_application_data&) {
    if (!focused) set_paused(true);
}

void c_state_game::tick_scene_side(c_platform& platform, c_application_data& data) {
    for (auto it = collectables.begin(); it != collectables.end();) {
        c_ui_collectable* flying = *it;
        if (!flying->advance()) {
            ++it;
            continue;
        }
        const uint16_t id = flying->puzzle_id;
        flying->detach();
        it = collectables.erase(it);
        ui.remove_element(main_screen, flying);
        on_collectable_arrived(platform, id);
    }
    hint_charge += k_hint_charge_per_tick;
    tutorials.update(platform, puzzle_icons);
    scene.update(platform);
    ui.update(ui_context(platform), *this);
    process_ui_events(platform, data);
}

void c_state_game::check_puzzle_complete(c_platform& platform, c_application_data& data) {
    if (mode != k_game_mode_puzzle || !puzzle || !puzzle->complete) return;
    mode = k_game_mode_puzzle_fading_out;
    const uint16_t id = puzzle->number();
    remove_icon(id);
    on_puzzle_complete(platform, data, id);
    const std::string name = "c" + std::to_string(chapter) + "_p" + std::to_string(id);
    queue_ga_event(data.persistent, platform, "gameplay", "complete_puzzle", "puzzle_name", name);
    queue_event(data.persistent, "complete_puzzle", chapter, puzzle_summary());
}

void c_state_game::fade_step(c_platform& platform, c_application_data& data) {
    const uint8_t a = fade_alpha();
    switch (mode) {
        case k_game_mode_scene_fading_out:
        case k_game_mode_puzzle_fading_out:
            if (a < 255 - k_fade_step) {
                set_fade_alpha(uint8_t(a + k_fade_step));
            } else {
                set_fade_alpha(255);
                mode = mode == k_game_mode_scene_fading_out ? k_game_mode_puzzle_fading_in
                                                             : k_game_mode_scene_fading_in;
            }
            break;
        case k_game_mode_puzzle_fading_in:
        case k_game_mode_scene_fading_in:
            if (a > k_fade_step - 1) {
                set_fade_alpha(uint8_t(a - k_fade_step));
            } else {
                set_fade_alpha(0);
                if (mode == k_game_mode_scene_fading_in) {
                    mode = k_game_mode_scene;
                    break;
                }
                mode = k_game_mode_puzzle;
                const uint16_t id = puzzle ? puzzle->number() : 0;
                const std::string name = "c" + std::to_string(chapter) + "_p" + std::to_string(id);
                queue_ga_event(data.persistent, platform, "gameplay", "start_puzzle",
                               "puzzle_name", name);
                queue_event(data.persistent, "start_puzzle", chapter, puzzle_summary());
            }
            break;
        default:
            break;
    }
}

void c_state_game::set_fade_alpha(uint8_t alpha) { fade_quad.buffer.set_alpha(alpha); }

uint8_t c_state_game::fade_alpha() const { return fade_quad.buffer.colours[0].a; }

void c_state_game::update_hint_fill() {
    if (hint_charge > 1) hint_charge = 1;
    const float c = hint_charge;
    if (hint_fill) {
        // The fill rises from the bottom of the button as the charge grows.
        c_vertex_buffer_quad& b = hint_fill->quad.buffer;
        const float top = 2 * k_corner_button_half * c - k_corner_button_half;
        b.set_quad_rect(-k_corner_button_half, -k_corner_button_half, k_corner_button_half, top);
        b.uvs[0] = {0, 1};
        b.uvs[1] = {1, 1};
        b.uvs[2] = {1, 1 - c};
        b.uvs[3] = {0, 1 - c};
    }
    if (hint_highlight) hint_highlight->quad.buffer.set_alpha(c == 1 ? 255 : 0);
}

void c_state_game::start_puzzle(i_game_puzzle* shown) {
    puzzle = shown;
    mode = k_game_mode_scene_fading_out;
    end_character_drag();
}

void c_state_game::start_path_highlight(c_scene_path_node* start, c_scene_path_node::path* edge) {
    if (!start || !edge || !edge->target) return;
    highlight_sparks.push_back({k_highlight_life, start, edge, 0.0f});
}

void c_state_game::run_path_highlight() {
    for (auto it = highlight_sparks.begin(); it != highlight_sparks.end();) {
        c_highlight_spark& spark = *it;
        const float length = spark.edge->length > 0 ? spark.edge->length : k_highlight_step_units;
        const float step = k_highlight_step_units / length;
        if (1 - spark.progress < step) {
            // At the end node the spark splits onto every edge that does not lead back.
            c_scene_path_node* end = spark.edge->target;
            for (auto& next : end->paths) {
                if (next->target && next->target != spark.start) {
                    highlight_sparks.push_back({spark.life, end, next.get(), 0.0f});
                }
            }
            it = highlight_sparks.erase(it);
            continue;
        }
        spark.progress += step;
        if (tw::rand() % k_highlight_life < spark.life) {
            const c_transform& a = spark.start->transform;
            const c_transform& b = spark.edge->target->transform;
            const float t = spark.progress;
            const vec3 at{a.tx + (b.tx - a.tx) * t + random_within(k_highlight_scatter),
                          a.ty + (b.ty - a.ty) * t + random_within(k_highlight_scatter), 0};
            highlight->emit(at, {random_within(k_highlight_speed),
                                 random_within(k_highlight_speed), 0});
        }
        if (spark.life > 0) {
            --spark.life;
            ++it;
        } else {
            it = highlight_sparks.erase(it);
        }
    }
}

// --- Drawing ---

void c_state_game::on_draw(c_platform& platform, c_application_data& data) {
    if (puzzle_on_screen()) {
        if (puzzle) puzzle->on_draw(platform, data);
    } else {
        scene.draw(platform);
        scene.set_projection(platform);
        tutorials.draw(platform);
        ui.render(platform);
    }
    if (fade_alpha() != 0) {
        platform.set_view_short(k_ui_half_extent, 0, 0);
        platform.draw_quad(fade_quad, c_transform());
    }
    // Paused, the pause screen lies over the puzzle, and over a fade that waits with it.
    if (puzzle_on_screen() && paused) ui.render(platform);
}

// --- UI codes and the hint ---

bool c_state_game::on_ui_event(c_platform& platform, uint16_t code, c_application_data& data) {
    if (code == k_game_code_zoom_in || code == k_game_code_zoom_out) {
        const float factor = code == k_game_code_zoom_in ? k_zoom_step : 1 / k_zoom_step;
        scene.view.set_zoom_target(platform, scene.view.target_zoom * factor);
    } else if (code >= k_game_code_first_icon && code <= k_game_code_last_icon) {
        item_selected = true;
        selected_id = uint16_t(code - k_game_code_first_icon);
    } else if (code == k_game_code_hint) {
        hint(platform, data);
    } else if (code == k_game_code_pause) {
        set_paused(true);
    } else if (code == k_game_code_resume) {
        set_paused(false);
    } else if (code == k_game_code_home) {
        data.request_state(k_state_menu);
    }
    return false;
}

void c_state_game::hint(c_platform& platform, c_application_data& data) {
    if (hint_charge < 1) return;
    const c_scene_view& view = scene.view;
    std::unique_ptr<c_game_tutorial> found;
    // 1. An icon with every item found: show where it is used.
    for (const auto& [id, icon] : puzzle_icons) {
        if (found || icon->remaining != 0) continue;
        for (const auto& spot : scene.puzzles) {
            const c_transform& at = spot->anim.base;
            if (spot->puzzle_index == int16_t(id) && view.point_in_view(at.tx, at.ty)) {
                found = std::make_unique<c_game_tutorial_click_puzzle_ui>(
                    icon, id, hand, vec3{at.tx, at.ty, at.tz});
                break;
            }
        }
    }
    // 2. A puzzle spot still to be discovered.
    for (const auto& spot : scene.puzzles) {
        if (found) break;
        const c_transform& at = spot->anim.base;
        if (spot->trigger && !spot->discovered && view.point_in_view(at.tx, at.ty)) {
            found = std::make_unique<c_game_tutorial_click_puzzle_scene>(*spot);
        }
    }
    // 3. An item that belongs to a puzzle in the bar.
    for (const auto& item : scene.collectibles) {
        if (found) break;
        const c_transform& at = item->transform;
        if (item->collectable && puzzle_icons.count(uint16_t(item->puzzle_index)) &&
            view.point_in_view(at.tx, at.ty)) {
            found = std::make_unique<c_game_tutorial_click_collectible_scene>(*item, scene);
        }
    }
    if (!found) {
        play_sound(platform.sound_engine.get(), data.sounds[k_sound_error]);
        return;
    }
    play_sound(platform.sound_engine.get(), data.sounds[k_sound_puzzle_discovery]);
    tutorials.finish_all();
    add_tutorial(platform, std::move(found));
    hint_charge = 0;
}

// --- Tutorials ---

c_game_tutorial* c_state_game::add_tutorial(c_platform& platform,
                                            std::unique_ptr<c_game_tutorial> tutorial) {
    return tutorials.add(platform, std::move(tutorial));
}

c_game_tutorial* c_state_game::tutorial_click_scene(c_platform& platform, const vec3& point) {
    return add_tutorial(platform, std::make_unique<c_game_tutorial_click_scene>(point));
}

c_game_tutorial* c_state_game::tutorial_click_puzzle_ui(c_platform& platform, uint16_t puzzle_id,
                                                        const vec3& point) {
    auto icon = puzzle_icons.find(puzzle_id);
    if (icon == puzzle_icons.end()) return nullptr;
    return add_tutorial(platform, std::make_unique<c_game_tutorial_click_puzzle_ui>(
                                      icon->second, puzzle_id, hand, point));
}

c_game_tutorial* c_state_game::tutorial_click_puzzle_scene(c_platform& platform,
                                                           const c_scene_puzzle& spot) {
    return add_tutorial(platform, std::make_unique<c_game_tutorial_click_puzzle_scene>(spot));
}

c_game_tutorial* c_state_game::tutorial_click_collectible_scene(
    c_platform& platform, const c_scene_collectible& collectible) {
    return add_tutorial(platform,
                        std::make_unique<c_game_tutorial_click_collectible_scene>(collectible, scene));
}

void c_state_game::remove_icon(uint16_t puzzle_id) {
    auto icon = puzzle_icons.find(puzzle_id);
    if (icon == puzzle_icons.end()) return;
    if (bar) bar->remove_icon(icon->second);
    puzzle_icons.erase(icon);
}

}  // namespace tw
