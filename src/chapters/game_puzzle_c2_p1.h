// The glow-worm chime puzzle of chapter two: eight glow-worms by a pond light up
// and chime one after another, and the player presses them back in the same
// order. Three stages of growing length must be repeated in a row; a wrong press,
// or a press while the glow-worms are still showing, starts again from the first.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "chapters/game_puzzle.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

constexpr uint8_t k_chime_phase_showing = 0;
constexpr uint8_t k_chime_phase_player = 1;
constexpr uint8_t k_chime_phase_wrong = 3;  // a wrong press waits for the next tick

constexpr uint16_t k_chime_stage_count = 3;
constexpr uint16_t k_chime_glow_ticks = 200;         // a lit glow-worm fades out over this
constexpr uint16_t k_chime_step_pause = 50;          // ticks between two shown chimes
constexpr uint16_t k_chime_first_pause = 500;        // before the first showing (the fade-in)
constexpr uint16_t k_chime_won_pause = 200;          // before the next stage's showing
constexpr uint16_t k_chime_wrong_pause = 100;        // before the showing after a wrong press
constexpr float k_chime_pick_limit = 300000.0f;      // squared press distance, about 548 units
constexpr uint16_t k_chime_idle_speed = 128;         // big glow-worm, anim units (1024 normal)
constexpr uint16_t k_chime_celebrate_speed = 256;
constexpr const char* k_chime_scene_file = "c2p1.xml";
constexpr const char* k_chime_big_file = "anims/glowbig.xml";

class c_game_puzzle_c2_p1 : public i_game_puzzle {
public:
    // One glow-worm: a graphic of the puzzle scene whose vertex alpha is its light.
    struct node {
        c_scene_graphic* graphic = nullptr;  // owned by the scene
        float x = 0, y = 0, z = 0;           // the graphic's position at setup
        uint16_t glow = 0;                   // ticks of light left, 0 when dark
    };
    // One step of the sequence to repeat.
    struct chime {
        uint16_t node = 0;   // index into nodes
        uint16_t pause = 0;  // ticks to wait after this chime before the next
    };

    // Loads "c2p1.xml", takes camera "camera1", creates the empty screen, makes
    // one dark node per scene graphic, builds stage 0's sequence to show after
    // 500 ticks and sets the big glow-worm idling; called from the chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 1; }

    // Empties the sequence, rewinds to its start and appends the current stage's chimes.
    void build_sequence();

    c_scene scene;
    c_ui_screen_set ui;
    c_ui_screen* screen = nullptr;
    std::vector<std::unique_ptr<node>> nodes;    // in scene graphic order
    std::vector<std::unique_ptr<chime>> chimes;  // the current sequence
    uint8_t phase = k_chime_phase_showing;
    uint16_t pause = 0;     // ticks left before the next step of the showing
    uint16_t position = 0;  // next chime to show, or to be pressed
    uint16_t stage = 0;     // 0..2 while playing, 3 once won
    c_scene_anim* big = nullptr;  // the celebrating glow-worm; owned by the scene

private:
    // Lights a node for the full glow and plays its chime.
    void light(c_platform& platform, c_application_data& data, uint16_t index);
};

}  // namespace tw
