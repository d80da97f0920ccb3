// The wordless tutorials and hints: a big hand that fades in, bobs over what
// to click or glides along the path to drag the character on, and fades away
// once done. The chapter keeps them in a map and deletes each when finished.
#pragma once
#include <cstdint>
#include <map>
#include <memory>

#include "game/puzzle_icon_map.h"
#include "platform/vertex_buffer.h"
#include "scene/scene_path_node.h"

namespace tw {

class c_platform;
class c_scene;
class c_scene_character;
class c_ui_element_graphic;
struct c_scene_puzzle;
struct c_scene_collectible;

constexpr float k_tutorial_hand_half = 256.0f;  // scene units
constexpr uint16_t k_tutorial_drag_hold_ticks = 100;

class c_game_tutorial {
public:
    virtual ~c_game_tutorial() = default;
    // Loads the hand; called once when the tutorial is added.
    virtual void begin(c_platform& platform);
    // One tick; true when the tutorial has faded out after a finish request.
    virtual bool update(c_platform& platform, const puzzle_icon_map& icons);
    // Draws the hand in the scene pass, in world coordinates.
    virtual void draw(c_platform& platform);

    uint8_t finish_request = 0;
    c_quad hand;
    c_transform hand_transform;  // translation = the hand's anchor point
    uint8_t alpha = 0;           // written into the hand's vertices before drawing

protected:
    // Draws the hand at point with the current alpha.
    void draw_hand_at(c_platform& platform, const vec3& point);
};

// The fade steps every tutorial uses: +4 up to 255, -4 down to 0.
uint8_t fade_in(uint8_t alpha);
uint8_t fade_out(uint8_t alpha);

// A hand bobbing over a fixed point of the scene.
class c_game_tutorial_click_scene : public c_game_tutorial {
public:
    explicit c_game_tutorial_click_scene(const vec3& point);
    bool update(c_platform& platform, const puzzle_icon_map& icons) override;
    void draw(c_platform& platform) override;

    vec3 point;
    float phase = 0;
    vec3 bob;
};

// A hand over a puzzle spot until it is discovered.
class c_game_tutorial_click_puzzle_scene : public c_game_tutorial {
public:
    explicit c_game_tutorial_click_puzzle_scene(const c_scene_puzzle& puzzle);
    bool update(c_platform& platform, const puzzle_icon_map& icons) override;
    void draw(c_platform& platform) override;

    const c_scene_puzzle* puzzle;  // read only while discovered is clear
    vec3 anchor;                   // the puzzle's position + (200, -240)
    float phase = 0;
    vec3 bob;
};

// A hand over an item until it is picked up. The item is deleted by the
// pick-up, so it is only read while it is still in the scene's list, and the
// hand keeps its last place while it fades out.
class c_game_tutorial_click_collectible_scene : public c_game_tutorial {
public:
    c_game_tutorial_click_collectible_scene(const c_scene_collectible& collectible,
                                            const c_scene& scene);
    bool update(c_platform& platform, const puzzle_icon_map& icons) override;
    void draw(c_platform& platform) override;

    const c_scene_collectible* collectible;  // compared with the scene's list, read only while in it
    const c_scene* scene;
    vec3 anchor;  // last known position + (200, -240)
    float phase = 0;
    vec3 bob;
};

// A hand in the bar pointing at an icon, which moves over to the scene spot
// where the icon is to be used once the player selects it. The icon is only
// read while it is still in the chapter's icon map (the bar deletes it later).
class c_game_tutorial_click_puzzle_ui : public c_game_tutorial {
public:
    // hand_graphic is the chapter's UI hand (not owned); point is where in the
    // scene the icon is used.
    c_game_tutorial_click_puzzle_ui(c_ui_puzzle* icon, uint16_t puzzle_id,
                                    c_ui_element_graphic* hand_graphic, const vec3& point);
    void begin(c_platform& platform) override;
    bool update(c_platform& platform, const puzzle_icon_map& icons) override;
    void draw(c_platform& platform) override;

    c_ui_puzzle* icon;
    uint16_t puzzle_id;
    c_ui_element_graphic* hand_graphic;
    vec3 point;
    uint8_t bar_alpha = 0;
    float phase = 0;
    vec3 bob;
};

// A hand gliding from the character along the path it can be dragged on,
// waiting at a dead end, then starting again at the character.
class c_game_tutorial_drag_character : public c_game_tutorial {
public:
    explicit c_game_tutorial_drag_character(c_scene& scene);
    void begin(c_platform& platform) override;
    bool update(c_platform& platform, const puzzle_icon_map& icons) override;
    void draw(c_platform& platform) override;

    c_scene* scene;  // its character and path network; the character is read each tick
    c_scene_path_node* start = nullptr;
    c_scene_path_node::path* edge = nullptr;
    float progress = 0;
    uint8_t stuck = 0;
    uint16_t hold = k_tutorial_drag_hold_ticks;

private:
    void restart();
};

// The chapter's tutorials by key; keys count up from 1.
class c_tutorial_map {
public:
    // Begins the tutorial and stores it under the next key (replacing any there);
    // returns it for the caller to keep.
    c_game_tutorial* add(c_platform& platform, std::unique_ptr<c_game_tutorial> tutorial);
    // Updates each in key order, deleting those that report finished.
    void update(c_platform& platform, const puzzle_icon_map& icons);
    // Sets every finish request.
    void finish_all();
    // Draws each in key order.
    void draw(c_platform& platform);

    uint16_t counter = 0;
    std::map<uint16_t, std::unique_ptr<c_game_tutorial>> tutorials;
};

}  // namespace tw
