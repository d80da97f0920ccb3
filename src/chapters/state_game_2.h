// Chapter two, the night pond. The aphid walks the bank past a sundew that
// wakes and snaps, to a weevil on a twig that flicks it back until it is given
// seeds. Glow jelly fed to the big glow-worm opens the chime puzzle, reed tubes
// at the twig frame the tile puzzle; each gives back one of a sleeping
// cricket's lost legs. Whole again, the cricket wants glowing spores, and then
// glows and sings while the aphid climbs the reed to the moon.
#pragma once
#include <cstdint>

#include "chapters/game_puzzle_c2_p1.h"
#include "chapters/game_puzzle_c2_p3.h"
#include "chapters/state_game_chapter.h"

namespace tw {

constexpr const char* k_c2_scene_file = "c2.xml";
constexpr const char* k_c2_character_file = "anims/aphida.xml";
constexpr const char* k_c2_character_level = "focus_0";
constexpr const char* k_c2_start_node = "start";
constexpr uint16_t k_c2_drop_speed = 800;        // graph time per tick: the fall takes 82 ticks
constexpr float k_c2_catch_distance_sq = 10;     // at the gate
constexpr float k_c2_catcher_distance_sq = 400;  // the sundew's two nodes

class c_state_game_2 : public c_state_game_chapter {
public:
    c_state_game_2();

    void on_enter(c_platform& platform, c_application_data& data) override;
    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_character_click(c_platform& platform, c_application_data& data) override;
    void on_puzzle_complete(c_platform& platform, c_application_data& data,
                            uint16_t puzzle_id) override;
    bool on_use_puzzle_item(c_platform& platform, c_application_data& data, uint16_t item,
                            float x, float y, float z) override;

    c_game_puzzle_c2_p1 chimes;
    c_game_puzzle_c2_p3 tiles;
    c_scene_anim* cricket_asleep = nullptr;  // "anims/2cricketb.xml"
    c_scene_anim* cricket = nullptr;         // "anims/2cricket.xml"
    c_scene_anim* weevil = nullptr;          // "anims/weavel.xml"
    c_scene_anim* catcher = nullptr;         // "anims/2bugcatcher.xml"
    c_scene_graphic* cricket_glow = nullptr;
    c_scene_path_node* gate = nullptr;       // "weavel_gate"
    c_scene_path_node::path* drop = nullptr; // from the gate back to "e", made at entry
    bool item_5_used = false;
    bool catcher_woken = false;
    bool catcher_fed = false;

private:
    void tick_guard();
    void tick_catcher();
    bool near_node(const char* name, float distance_sq) const;
};

}  // namespace tw
