// The scarab rings puzzle of chapter five: a scarab picture cut into three
// rings of quarters and a spare set. A press on a ring turns it a quarter; a
// press on the spare button exchanges the top quarter of every ring with the
// spare set. Whole when every quarter and the spare set hold three pieces of
// one number. The pieces glide and turn to their places.
#pragma once
#include <array>
#include <cstdint>

#include "chapters/game_puzzle.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

constexpr int k_scarab_rings = 3;      // 0 outer, 1 middle, 2 inner
constexpr int k_scarab_positions = 5;  // four quarters and the spare
constexpr int k_scarab_spare = 4;
constexpr int k_scarab_slots = k_scarab_rings * k_scarab_positions;
constexpr float k_scarab_centre_drop = 550;     // the rings' centre below the camera
constexpr float k_scarab_spare_rise = 1100;     // the spare set above the rings' centre
constexpr float k_scarab_button_rise = 1500;    // the spare button above the rings' centre
constexpr float k_scarab_button_radius = 500;
constexpr float k_scarab_inner_radius = 700;    // inner ring below, middle from here
constexpr float k_scarab_middle_radius = 860;   // outer ring from here
constexpr float k_scarab_outer_radius = 1200;   // nothing turns from here
constexpr int k_scarab_shuffle_moves = 32;
constexpr float k_scarab_glide_step = 20;       // units per tick
constexpr float k_scarab_settled_sq = 10;       // squared distance that counts as there
constexpr float k_scarab_turn_step = 0.04f;     // radians per tick
constexpr const char* k_scarab_scene_file = "c5p7.xml";
constexpr const char* k_scarab_level = "focus_3";

class c_game_puzzle_c5_p7 : public i_game_puzzle {
public:
    struct slot {
        c_scene_graphic* graphic = nullptr;  // owned by the scene
        uint16_t number = 0;                 // 1 to 5; the position it belongs to, plus one
    };

    // Loads "c5p7.xml", snaps to "camera1", creates the UI screen, the fifteen
    // pieces in the level "focus_3", shuffles them with the game's generator and
    // puts each where it stands; called from the chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 7; }

    // The piece at position k (0..4) of ring r (0..2).
    slot*& at(int k, int r) { return arrangement[size_t(k * k_scarab_rings + r)]; }
    slot* at(int k, int r) const { return arrangement[size_t(k * k_scarab_rings + r)]; }
    // A quarter turn of one ring: each quarter takes the piece of the next.
    void turn(int ring);
    // The top quarter of every ring changes places with the spare set.
    void exchange();
    // True when every position holds three pieces of one number.
    bool whole() const;
    // Where position k's pieces stand and how they are turned.
    vec3 target_position(int k) const;
    static float target_angle(int k);

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_screen* screen = nullptr;
    std::array<slot, k_scarab_slots> slots{};
    std::array<slot*, k_scarab_slots> arrangement{};
    vec3 centre{}, spare{};
    vec2 button{};

private:
    void create_pieces(c_platform& platform);
    void ease_pieces();
};

}  // namespace tw
