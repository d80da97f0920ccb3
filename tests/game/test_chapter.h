// A chapter that exists only for tests: the sample scene with the larva, two
// puzzle spots with items for each, and the timed view as its puzzle. It
// overrides the hooks the way a real chapter does, so scenario tests and the
// real-window page drive the whole chapter core through the real input path.
#pragma once
#include <memory>
#include <string>

#include "chapters/game_puzzle_c5_p4.h"
#include "game/game_event.h"
#include "game/state_game.h"
#include "support/sample_walk.h"

namespace tw_test {

constexpr uint16_t k_test_chapter_number = 1;
constexpr uint16_t k_gather_puzzle = 0;  // spot near the start; two items
constexpr uint16_t k_view_puzzle = 4;    // the timed view's number; one item, opens the view
constexpr const char* k_view_scene_file = "sample.xml";  // any scene will do for the view

// Where the two spots stand, in scene units, and the item of each that is moved next to it.
struct c_test_spot {
    uint16_t puzzle_index;
    float x, y;
};
constexpr c_test_spot k_test_spots[] = {{k_gather_puzzle, -1500, -700}, {k_view_puzzle, 1200, -650}};
constexpr c_test_spot k_test_items[] = {
    {k_gather_puzzle, -900, -486}, {k_gather_puzzle, 2300, -600}, {k_view_puzzle, -2300, -560}};

class c_test_chapter : public tw::c_state_game {
public:
    c_test_chapter() : c_state_game(k_test_chapter_number) {}

    void on_enter(tw::c_platform& platform, tw::c_application_data& data) override {
        c_state_game::on_enter(platform, data);
        scene.load(platform, k_sample_scene_file);
        scene.set_camera("camera1");
        if (!scene.path_nodes.empty() && !scene.path_nodes.front()->paths.empty()) {
            tw::c_scene_path_node& start = *scene.path_nodes.front();
            scene.set_character(std::make_unique<tw::c_scene_character>(
                platform, scene.levels.back()->name, k_larva_file, start,
                *start.paths.front(), k_larva_art_facing, k_larva_walk_speed,
                k_larva_walk_anim_rate));
        }
        for (const c_test_spot& spot : k_test_spots) {
            auto puzzle = std::make_unique<tw::c_scene_puzzle>();
            puzzle->level_name = scene.levels.front()->name;
            puzzle->anim_file_name = "anims/firefly.xml";
            puzzle->anim.load(platform, puzzle->anim_file_name);
            puzzle->anim.base.tx = spot.x;
            puzzle->anim.base.ty = spot.y;
            puzzle->puzzle_index = int16_t(spot.puzzle_index);
            puzzle->trigger = true;
            scene.add_puzzle(std::move(puzzle));
        }
        // The sample's three items, all brought into the first camera's view:
        // the first two belong to the gathering spot, the last to the view.
        for (size_t i = 0; i < scene.collectibles.size() && i < 3; ++i) {
            tw::c_scene_collectible& item = *scene.collectibles[i];
            item.puzzle_index = int16_t(i < 2 ? k_gather_puzzle : k_view_puzzle);
            item.transform.tx = k_test_items[i].x;
            item.transform.ty = k_test_items[i].y;
        }
        highlight = static_cast<tw::c_scene_particle_dampen_and_fade*>(scene.add_particle_system(
            std::make_unique<tw::c_scene_particle_dampen_and_fade>(
                platform.get_material("particle1.bmp", true), scene.levels.back()->name,
                tw::c_rgba{255, 230, 150, 255})));
        for (const char* texture : {"sample/dewdrop_picked.bmp", "sample/petal_picked.bmp"}) {
            icon_materials.push_back(platform.get_material(texture, false));
        }
        view.setup(platform, k_view_scene_file);
        // The opening: black, then the picture fades in, and the drag hand shows the larva.
        append_event(events, std::make_unique<tw::c_game_event_wait>(50));
        append_event(events, std::make_unique<tw::c_game_event_fill_fade_in>(1.0f, 0.002f));
        append_event(events, std::make_unique<tw::c_game_event_hint_character_drag>(&drag_hand));
    }

    void on_tick(tw::c_platform& platform, tw::c_application_data& data) override {
        run_events(events, platform, *this, data);
        c_state_game::on_tick(platform, data);
    }

    void on_character_click(tw::c_platform&, tw::c_application_data&) override {
        ++character_clicks;
        if (scene.character) start_path_highlight(scene.character->node, scene.character->path);
    }
    void on_character_drag(tw::c_platform&, tw::c_application_data&) override {
        // The player has found out how to drag: the hand may go.
        if (drag_hand) drag_hand->finish_request = 1;
        drag_hand = nullptr;
    }
    void on_scene_click(tw::c_platform&, tw::c_application_data&) override { ++scene_clicks; }
    void on_puzzle_found(uint16_t id) override {
        tw::c_material* picture = icon_materials[id == k_gather_puzzle ? 0 : 1];
        append_event(events, std::make_unique<tw::c_game_event_add_puzzle>(
                                 id, picture, picture, glow_material, circle_material, font,
                                 uint16_t(tw::k_game_code_first_icon + id)));
    }
    void on_collectable_found(tw::c_platform&, tw::c_application_data&,
                              tw::c_scene_collectible&) override {
        ++items_found;
    }
    void on_collectable_arrived(tw::c_platform&, uint16_t) override { ++items_arrived; }
    bool on_use_puzzle_item(tw::c_platform&, tw::c_application_data&, uint16_t id, float x,
                            float y, float) override {
        for (const auto& spot : scene.puzzles) {
            const float dx = spot->anim.base.tx - x, dy = spot->anim.base.ty - y;
            if (spot->puzzle_index != int16_t(id) ||
                dx * dx + dy * dy >= spot->click_radius * spot->click_radius) {
                continue;
            }
            if (id == k_view_puzzle) start_puzzle(&view);
            return true;
        }
        return false;
    }
    void on_puzzle_complete(tw::c_platform&, tw::c_application_data&, uint16_t id) override {
        completed_puzzle = id;
    }

    tw::c_game_puzzle_c5_p4 view;
    std::vector<tw::c_material*> icon_materials;
    tw::c_game_tutorial* drag_hand = nullptr;
    int character_clicks = 0;
    int scene_clicks = 0;
    int items_found = 0;
    int items_arrived = 0;
    int completed_puzzle = -1;
};

}  // namespace tw_test
