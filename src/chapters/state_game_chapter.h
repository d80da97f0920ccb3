// What chapters two to five share on top of the chapter core: item icons and
// hints by item number, the two flickering lights and the pollen, the third
// flicker that makes one element glow, the character and its path highlight,
// the puzzle spots by item, paths closed and opened by name, collectibles made
// ready, and the ending.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "game/state_game.h"
#include "menu/flicker.h"

namespace tw {

class c_scene_character;
struct c_scene_graphic;

// The wait, the fade and the chapter's end, queued once the character gets to the end.
constexpr uint16_t k_chapter_ending_wait = 200;
constexpr float k_chapter_ending_fade_step = 0.0015f;
constexpr float k_chapter_walk_speed = 12;           // scene units per tick
constexpr uint16_t k_chapter_walk_anim_rate = 1200;  // graph time per tick of walking
constexpr uint8_t k_chapter_art_facing = 0;          // characters' art looks right

class c_state_game_chapter : public c_state_game {
public:
    // One item's bar art: its number, icon and hint bitmaps.
    struct c_item_art {
        uint16_t item;
        const char* icon;
        const char* hint;
    };
    // A big soft light over a level whose alpha flickers.
    struct c_light {
        c_scene_graphic* graphic = nullptr;
        c_flicker_generator flicker;
        c_rgba colour;
    };

    c_state_game_chapter(uint16_t chapter, const std::vector<c_item_art>& items);

    void on_puzzle_found(uint16_t item) override;
    void on_draw(c_platform& platform, c_application_data& data) override;

    // The first spot of the scene for an item, or null.
    c_scene_puzzle* spot(uint16_t item) const;
    // Whether a use point lies within the item's spot's click radius.
    bool at_spot(uint16_t item, float x, float y) const;
    // The enabled flag of the path from node a to node b, when there is one.
    void set_path_open(const char* a, const char* b, bool open);
    bool path_open(const char* a, const char* b) const;
    // A collectible (by texture) that may now be taken; opaque also shows it fully.
    void make_collectable(const char* texture, bool opaque);

    std::map<uint16_t, c_material*> icons, hints;
    std::array<c_light, 2> lights;
    c_flicker_generator glow_flicker{8, 12, 96, 128};  // drives one element's alpha once lit
    c_scene_particle_dampen_and_fade* pollen = nullptr;  // owned by the scene
    c_scene_character* character = nullptr;              // owned by the scene
    bool ended = false;

protected:
    // Requests the music, loads the item art and runs the base entering; chapters
    // then set up their puzzles and call enter_scene.
    void enter_chapter(c_platform& platform, c_application_data& data, int music);
    // Loads the scene at camera "camera1", creates the lights, the pollen, the
    // character on its start node and the path highlight, finds the spots and
    // queues the opening fade.
    void enter_scene(c_platform& platform, const char* scene_file, const char* character_file,
                     const char* character_level, const char* start_node);
    // Each tick: the lights flicker, following the camera when asked.
    void tick_lights(bool follow_camera);
    // Sets the alpha of every vertex of the graphic from the glow flicker; a step each call.
    void tick_glow(c_scene_graphic* graphic);
    // Plays the chapter's sound for a poke (none: k_sound_music_none) and, with the
    // path highlight on, sends sparks both ways from where the character stands.
    void poke_character(c_platform& platform, c_application_data& data, int sound);
    // True the first tick the character walks the path from a to b; then queues the ending.
    bool check_ending(const char* a, const char* b);
    // A new enabled path from one node to another whose walk plays the named graph.
    c_scene_path_node::path* add_animated_path(const char* from, const char* to,
                                               const char* animation, uint16_t speed);

private:
    std::vector<c_item_art> item_art_;
    std::map<uint16_t, c_scene_puzzle*> spots_;
};

}  // namespace tw
