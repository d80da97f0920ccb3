// What a chapter state needs of a puzzle, and the mechanics every puzzle
// shares: the pointer in puzzle-scene coordinates, nearest-object picking and
// draining its own UI screen.
#pragma once
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/math.h"
#include "ui/ui_callback.h"

namespace tw {

class c_platform;
class c_scene;
class c_ui_screen;
class c_ui_screen_set;
struct c_application_data;

class i_game_puzzle : public c_ui_callback {
public:
    ~i_game_puzzle() override = default;
    // Once per tick while the puzzle fades in, shows or fades out.
    virtual void on_tick(c_platform& platform, c_application_data& data) = 0;
    // Once per drawn frame in the same modes; the chapter draws its fade over it.
    virtual void on_draw(c_platform& platform, c_application_data& data) = 0;
    // One UI code raised inside the puzzle; true empties the rest of the queue.
    virtual bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) = 0;
    // At most once a frame while the puzzle fades in or shows (kind 0 press,
    // 1 drag, 2 release; dx, dy in window pixels).
    virtual void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                          c_application_data& data) = 0;
    // The puzzle's number within its chapter.
    virtual uint16_t number() const = 0;

    uint8_t complete = 0;  // set by the puzzle once solved; read by the chapter
};

// The platform's pointer in the coordinates of a puzzle's scene.
vec2 puzzle_pointer(const c_platform& platform, const c_scene& scene);

// The index of the candidate nearest to point (squared distance in x and y,
// earlier wins ties) if that distance is below limit, else -1.
int nearest_index(const std::vector<vec2>& candidates, const vec2& point,
                  float limit = std::numeric_limits<float>::infinity());

// Updates the screen set with the puzzle as callback, then hands its queued
// codes to on_ui_event as a state drains its own.
void update_puzzle_ui(c_platform& platform, c_application_data& data, c_ui_screen_set& ui,
                      i_game_puzzle& puzzle);

// Loads the puzzle's scene file, takes its camera "camera1" and makes a new,
// empty UI screen current; returns the screen.
c_ui_screen* open_puzzle_scene(c_platform& platform, c_scene& scene, c_ui_screen_set& ui,
                               const char* scene_file);

// Draws the puzzle's scene, then its UI screen.
void draw_puzzle_scene(c_platform& platform, c_scene& scene, c_ui_screen_set& ui);

// Offers a mouse event to the puzzle's screen set; true when an element took it.
bool offer_puzzle_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                        c_ui_screen_set& ui, i_game_puzzle& puzzle);

}  // namespace tw
