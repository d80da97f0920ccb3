// The title screen: the living painted scene "c0.xml" with drifting clouds,
// flickering lights, pollen, passing creatures and the credits, and over it the
// title, the five chapter cards and the quit button.
#pragma once
#include <array>
#include <cstdint>
#include <ctime>

#include "app/application.h"
#include "menu/credits.h"
#include "menu/flicker.h"
#include "scene/scene.h"
#include "ui/ui_element_button_push.h"
#include "ui/ui_screen.h"

namespace tw {

// UI event codes of the menu.
constexpr uint16_t k_menu_event_locked = 0;
constexpr uint16_t k_menu_event_editor = 1;
constexpr uint16_t k_menu_event_chapter_1 = 2;  // chapters 1..5 are 2..6
constexpr uint16_t k_menu_event_chapter_5 = 6;
constexpr uint16_t k_menu_event_quit = 7;

constexpr int k_menu_chapter_count = 5;
constexpr int k_menu_endless_layers = 3;
constexpr float k_menu_layer_speeds[k_menu_endless_layers] = {2, 4, 8};  // units per tick
constexpr uint8_t k_menu_locked_alpha = 64;

class c_state_menu : public c_state {
public:
    // calendar_seconds seeds the choice of the credits' first block.
    explicit c_state_menu(uint32_t calendar_seconds = uint32_t(std::time(nullptr)))
        : credits_seed(calendar_seconds) {}

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_leave(c_platform& platform, c_application_data& data) override;
    // Lays out every screen for the new window size.
    void on_resize(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    // Mouse and characters go to the menu screen only, never to the scene.
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    void on_char(c_platform& platform, uint16_t code, c_application_data& data) override;
    // F2 opens the level editor, as the editor code does.
    void on_key(c_platform& platform, int key, c_application_data& data) override;
    // Chapter codes request their chapter, 1 the editor; quit closes the window
    // so the game shuts down in order. Always false.
    bool on_ui_event(c_platform& platform, uint16_t code, c_application_data& data) override;

    c_scene scene;
    c_quad fade_quad;
    float fade_level = 1.0f;  // 1 black, 0 clear
    c_scene_graphic* light1 = nullptr;  // into the scene; null without "focus_1"
    c_scene_graphic* light2 = nullptr;  // into the scene; null without "focus_3"
    c_scene_particle* pollen = nullptr;  // into the scene; null without "focus_3"
    c_flicker_generator flicker1{16, 20, 16, 48};
    c_flicker_generator flicker2{12, 14, 38, 32};
    c_ui_screen_set ui;
    c_ui_font* font = nullptr;
    c_ui_screen* menu_screen = nullptr;
    std::array<c_ui_element_button_push*, k_menu_chapter_count> chapter_buttons{};
    c_credits_manager credits;
    c_scene_anim* creature1 = nullptr;  // the hovering fly; into the scene
    c_scene_anim* creature2 = nullptr;  // the dragonfly; into the scene
    uint16_t countdown1 = 0;
    uint16_t countdown2 = 0;
    // The scene's first three layers (fewer if it has fewer), made endless.
    std::array<c_scene_layer*, k_menu_endless_layers> endless_layers{};
    uint32_t credits_seed = 0;

private:
    void add_lights(c_platform& platform);
    void find_creatures();
    void build_screen(c_platform& platform, c_application_data& data);
    void step_lights();
    void move_creatures();
};

}  // namespace tw
