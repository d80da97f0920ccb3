// The title screen's entry, ticks, drawing and input.
#include "menu/state_menu.h"

#include <string>

#include "app/music.h"
#include "menu/menu_scene.h"
#include "net/usage_messages.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "platform/window.h"
#include "scene/scene_particle.h"
#include "ui/ui_element_graphic.h"

namespace tw {

namespace {

constexpr const char* k_menu_scene_file = "c0.xml";
constexpr const char* k_menu_camera = "camera1";
constexpr const char* k_blank_texture = "blank.bmp";
constexpr const char* k_font_description = "font/font_desc.xml";
constexpr const char* k_font_texture = "font.bmp";
constexpr const char* k_light_texture = "c1/light0.bmp";
constexpr const char* k_pollen_texture = "c1/pollen.bmp";
constexpr const char* k_creature1_file = "anims/1hover.xml";
constexpr const char* k_creature2_file = "anims/3dragonfly.xml";
constexpr const char* k_creature_graph = "fly";
constexpr uint16_t k_creature_graph_speed = 2048;
constexpr const char* k_ui_level = "focus_0";
constexpr const char* k_light1_level = "focus_1";
constexpr const char* k_light2_level = "focus_3";

constexpr float k_fade_half_size = 4096.0f;
constexpr float k_fade_step = 0.01f;

const c_rgba k_light_start_colour{255, 255, 255, 32};
constexpr uint8_t k_light1_rgb[3] = {255, 255, 255};
constexpr uint8_t k_light2_rgb[3] = {160, 180, 255};

// A creature crosses the view when its countdown restarts: x = countdown * speed + start.
constexpr uint16_t k_countdown_minimum = 300;
constexpr int k_countdown_range = 1000;
constexpr float k_creature1_units_per_count = 70.0f;
constexpr float k_creature2_units_per_count = 50.0f;
constexpr float k_creature_start_x = -4000.0f;

constexpr const char* k_menu_screen_name = "main_menu";
constexpr const char* k_event_start_menu = "start_menu";
constexpr const char* k_event_leave_menu = "leave_menu";
constexpr uint16_t k_menu_chapter = 0;

struct c_element_place {
    const char* texture;
    float x, y;
    uint8_t anchor;
    float half_w, half_h;
};

const c_element_place k_title{"title_big.bmp", 0, 200, 4, 720, 90};
const c_element_place k_quit{"main_menu_1.bmp", 896, 440, 2, 128, 128};
const c_element_place k_logo{"zelt.bmp", 0, 440, 4, 200, 100};
constexpr const char* k_card_textures[k_menu_chapter_count] = {
    "chapter01.bmp", "chapter02.bmp", "chapter03.bmp", "chapter04.bmp", "chapter05.bmp"};
constexpr float k_card_x[k_menu_chapter_count] = {-600, -300, 0, 300, 600};
constexpr float k_card_y = -100;
constexpr uint8_t k_card_anchor = 4;
constexpr float k_card_half_w = 80;
constexpr float k_card_half_h = 160;

void tint_light(c_scene_graphic* light, const c_flicker_generator& flicker, const uint8_t* rgb,
                const c_scene_view& view) {
    if (!light) return;
    const uint8_t alpha = uint8_t(flicker.alpha() * k_menu_light_alpha_share);
    set_graphic_colour(*light, c_rgba{rgb[0], rgb[1], rgb[2], alpha});
    light->transform.tx = view.position.x;
    light->transform.ty = view.position.y;
    light->transform.tz = view.position.z;
}

// Restarts a finished countdown at a random length, else counts it down.
void count_down(uint16_t& countdown) {
    if (countdown == 0) {
        countdown = uint16_t(k_countdown_minimum + tw::rand() % k_countdown_range);
    } else {
        --countdown;
    }
}

}  // namespace

void c_state_menu::on_enter(c_platform& platform, c_application_data& data) {
    request_music(platform.sound_engine.get(), data, data.sounds[k_sound_music_menu]);

    c_material* blank = platform.get_material(k_blank_texture, false);
    platform.set_rect(fade_quad, blank, k_fade_half_size, k_fade_half_size, 0, 1, 0, 1);
    fade_quad.buffer.set_colour(0, 0, 0, 255);
    scene.load(platform, k_menu_scene_file);
    scene.letterbox_top.material = blank;
    scene.letterbox_bottom.material = blank;
    scene.set_camera(k_menu_camera);
    fade_level = 1.0f;

    add_lights(platform);
    for (size_t i = 0; i < endless_layers.size() && i < scene.layers.size(); ++i) {
        endless_layers[i] = scene.layers[i].get();
        make_layer_endless(*endless_layers[i]);
    }
    find_creatures();

    c_material* font_material = platform.get_material(k_font_texture, false);
    font = ui.create_font(k_font_description, font_material);
    menu_screen = ui.create_screen();
    ui.current = menu_screen;
    credits.create(font, credits_seed);
    build_screen(platform, data);

    queue_appview(data.persistent, platform, k_menu_screen_name);
    queue_event(data.persistent, k_event_start_menu, k_menu_chapter, "");
}

void c_state_menu::add_lights(c_platform& platform) {
    if (c_scene_level* level = scene.find_level(k_light1_level)) {
        light1 = add_menu_light(platform, scene, *level, "light0", k_light_texture,
                                k_light_start_colour);
    }
    if (c_scene_level* level = scene.find_level(k_light2_level)) {
        light2 = add_menu_light(platform, scene, *level, "light1", k_light_texture,
                                k_light_start_colour);
        pollen = scene.add_particle_system(
            std::make_unique<c_scene_particle_ambient>(platform, k_pollen_texture, level->name));
    }
}

void c_state_menu::find_creatures() {
    creature1 = scene.find_anim(k_creature1_file);
    creature2 = scene.find_anim(k_creature2_file);
    for (c_scene_anim* creature : {creature1, creature2}) {
        if (!creature) continue;
        creature->change_animation(k_creature_graph, k_creature_graph_speed, k_creature_graph,
                                   k_creature_graph_speed);
    }
}

void c_state_menu::build_screen(c_platform& platform, c_application_data& data) {
    auto graphic = [&](const c_element_place& place) {
        ui.add_element(menu_screen, std::make_unique<c_ui_element_graphic>(
                                        place.x, place.y, place.anchor,
                                        platform.get_material(place.texture, false),
                                        place.half_w, place.half_h));
    };
    graphic(k_title);
    ui.add_element(menu_screen, std::make_unique<c_ui_element_button_push>(
                                    k_quit.x, k_quit.y, k_quit.anchor,
                                    platform.get_material(k_quit.texture, false), k_quit.half_w,
                                    k_quit.half_h, font, "", k_menu_event_quit));
    for (int i = 0; i < k_menu_chapter_count; ++i) {
        chapter_buttons[i] = ui.add_element(
            menu_screen, std::make_unique<c_ui_element_button_push>(
                             k_card_x[i], k_card_y, k_card_anchor,
                             platform.get_material(k_card_textures[i], false), k_card_half_w,
                             k_card_half_h, font, "", uint16_t(k_menu_event_chapter_1 + i)));
    }
    graphic(k_logo);

    // Chapter k + 1 opens once k chapters are complete; the first is always open.
    const int complete = data.persistent.chapters_complete;
    for (int k = 1; k < k_menu_chapter_count; ++k) {
        if (complete >= k) continue;
        chapter_buttons[k]->background.buffer.set_alpha(k_menu_locked_alpha);
        chapter_buttons[k]->event_code = k_menu_event_locked;
    }
}

void c_state_menu::on_leave(c_platform&, c_application_data& data) {
    queue_event(data.persistent, k_event_leave_menu, k_menu_chapter, "");
}

void c_state_menu::on_resize(c_platform& platform, c_application_data&) {
    ui.layout(ui_context(platform));
}

void c_state_menu::on_tick(c_platform& platform, c_application_data& data) {
    credits.tick(scene.view.position.x);

    if (fade_level > 0) {
        fade_level -= k_fade_step;
        if (fade_level < 0) fade_level = 0;
        fade_quad.buffer.set_alpha(uint8_t(fade_level * 255.0f));
    }

    step_lights();
    scene.update(platform);
    for (size_t i = 0; i < endless_layers.size(); ++i) {
        if (endless_layers[i]) scroll_endless_layer(*endless_layers[i], k_menu_layer_speeds[i]);
    }
    move_creatures();

    data.persistent.accumulate_time(platform);
    ui.update(ui_context(platform), *this);
    process_ui_events(platform, data);
}

void c_state_menu::step_lights() {
    if (light1) {
        flicker1.step();
        tint_light(light1, flicker1, k_light1_rgb, scene.view);
    }
    if (light2) {
        flicker2.step();
        tint_light(light2, flicker2, k_light2_rgb, scene.view);
    }
}

void c_state_menu::move_creatures() {
    count_down(countdown1);
    count_down(countdown2);
    if (creature1) {
        creature1->anim.base.tx = float(countdown1) * k_creature1_units_per_count + k_creature_start_x;
    }
    if (creature2) {
        creature2->anim.base.tx = float(countdown2) * k_creature2_units_per_count + k_creature_start_x;
    }
}

void c_state_menu::on_draw(c_platform& platform, c_application_data&) {
    scene.set_projection(platform);
    bool ui_drawn = false;
    for (const std::unique_ptr<c_scene_level>& level : scene.levels) {
        scene.draw_level(platform, *level);
        if (level->name == k_ui_level) {
            ui.render(platform);
            scene.set_projection(platform);
            ui_drawn = true;
        }
    }
    scene.draw_letterbox(platform);
    credits.draw(platform);
    // A scene without its UI level (a damaged or missing file) still gets
    // working buttons on top, so the player can at least quit.
    if (!ui_drawn) ui.render(platform);

    platform.set_view_short(k_ui_half_extent, 0, 0);
    if (fade_quad.buffer.colours[0].a != 0) platform.draw_quad(fade_quad, c_transform());
}

void c_state_menu::on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                            c_application_data&) {
    ui.on_mouse_button(ui_context(platform), kind, dx, dy, *this);
}

void c_state_menu::on_char(c_platform& platform, uint16_t code, c_application_data&) {
    ui.on_char(platform, code, *this);
}

void c_state_menu::on_key(c_platform&, int key, c_application_data&) {
    if (key == k_key_f2) push_ui_event(k_menu_event_editor);
}

bool c_state_menu::on_ui_event(c_platform& platform, uint16_t code, c_application_data& data) {
    if (code == k_menu_event_editor) {
        data.request_state(k_state_editor);
    } else if (code >= k_menu_event_chapter_1 && code <= k_menu_event_chapter_5) {
        data.request_state(uint16_t(k_state_chapter_1 + (code - k_menu_event_chapter_1)));
    } else if (code == k_menu_event_quit) {
        // Ends the program the way closing the window does: the loop stops after
        // this frame, and the shutdown sends the session's end, flushes the
        // queues and saves the player's record, play time included.
        platform.window().request_close();
    }
    return false;
}

}  // namespace tw
