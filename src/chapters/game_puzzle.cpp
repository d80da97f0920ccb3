// The mechanics every puzzle shares: where the pointer is in the puzzle's
// scene, which candidate is nearest, and draining the puzzle's own UI codes.
#include "chapters/game_puzzle.h"

#include "app/application_data.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "ui/ui_screen.h"

namespace tw {

vec2 puzzle_pointer(const c_platform& platform, const c_scene& scene) {
    return scene.view.screen_to_scene(platform);
}

int nearest_index(const std::vector<vec2>& candidates, const vec2& point, float limit) {
    int best = -1;
    float best_distance = 0;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const float d = vec2_distance_sq(candidates[i], point);
        // Strictly less: on equal distances the earlier candidate stays.
        if (best < 0 || d < best_distance) {
            best = int(i);
            best_distance = d;
        }
    }
    return best >= 0 && best_distance < limit ? best : -1;
}

void update_puzzle_ui(c_platform& platform, c_application_data& data, c_ui_screen_set& ui,
                      i_game_puzzle& puzzle) {
    ui.update(ui_context(platform), puzzle);
    while (!puzzle.ui_events.empty()) {
        const uint16_t code = puzzle.ui_events.front();
        if (puzzle.on_ui_event(platform, data, code)) {
            puzzle.ui_events.clear();
            return;
        }
        if (!puzzle.ui_events.empty()) puzzle.ui_events.pop_front();
    }
}

bool offer_puzzle_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                        c_ui_screen_set& ui, i_game_puzzle& puzzle) {
    return ui.on_mouse_button(ui_context(platform), kind, dx, dy, puzzle);
}

c_ui_screen* open_puzzle_scene(c_platform& platform, c_scene& scene, c_ui_screen_set& ui,
                               const char* scene_file) {
    scene.load(platform, scene_file);
    scene.set_camera("camera1");
    c_ui_screen* screen = ui.create_screen();
    ui.current = screen;
    return screen;
}

void draw_puzzle_scene(c_platform& platform, c_scene& scene, c_ui_screen_set& ui) {
    scene.draw(platform);
    ui.render(platform);
}

}  // namespace tw
