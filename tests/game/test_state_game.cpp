// The chapter state's rules over a small inline scene: the modes and both
// fades, the hint's targets in order, the click/drag boundary, discovery and
// pick-up, item use, and the drags a state change must end.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chapters/game_puzzle.h"
#include "game/state_game.h"
#include "game/ui_puzzle_bar.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "scene/test_character_world.h"
#include "support/counting_puzzle.h"
#include "scene/test_scene_fixture.h"
#include "sound/sound_device_recording.h"
#include "support/sample_walk.h"

namespace {

using tw_test::c_counting_puzzle;
using tw_test::transform_xml;

// A chapter whose hooks record what they were told.
class c_hooked_chapter : public tw::c_state_game {
public:
    c_hooked_chapter() : c_state_game(2) {}
    void on_scene_click(tw::c_platform&, tw::c_application_data&) override { ++scene_clicks; }
    void on_character_drag(tw::c_platform&, tw::c_application_data&) override {
        if (open_on_drag) start_puzzle(open_on_drag);
    }
    void on_puzzle_found(uint16_t id) override { found.push_back(id); }
    bool on_use_puzzle_item(tw::c_platform&, tw::c_application_data&, uint16_t, float, float,
                            float) override {
        return accept_item;
    }
    int scene_clicks = 0;
    std::vector<uint16_t> found;
    bool accept_item = false;
    tw::i_game_puzzle* open_on_drag = nullptr;
};

// Two spots close together at x 0 and 300, a third far right, one item per
// spot, a camera over all of them, and a short path for the character.
std::string chapter_scene_xml() {
    auto spot = [](int index, float x) {
        return "<puzzle puzzle_index=\"" + std::to_string(index) +
               "\" level_name=\"l\" click_radius=\"512\">" + transform_xml("transform", x, 0, 0) +
               "</puzzle>";
    };
    auto item = [](int index, float x, float y, float rotation) {
        return "<collectible texture_file_name=\"item.bmp\" puzzle_index=\"" +
               std::to_string(index) + "\" level_name=\"l\">" +
               transform_xml("transform", x, y, 0, rotation) + "</collectible>";
    };
    return "<levels><level name=\"l\"/></levels><puzzles>" + spot(0, 0) + spot(1, 300) +
           spot(2, 2500) + "</puzzles><collectibles>" + item(0, -2000, -1000, 0) +
           item(1, 2000, -1000, 1.5707964f) + "</collectibles>"
           "<path_nodes><path_node name=\"a\">" + transform_xml("transform", -3000, 1000, 0) +
           "<paths><path target_index=\"1\"/></paths></path_node><path_node name=\"b\">" +
           transform_xml("transform", -1000, 1000, 0) + "<paths><path target_index=\"0\"/></paths>"
           "</path_node></path_nodes><cameras><camera name=\"camera1\" scene_width=\"4096\">"
           "<position x=\"0\" y=\"0\" z=\"0\"/></camera></cameras>";
}

class game_state : public tw_test::c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        window_.init();
        window_.open_fullscreen(1280, 720);
        auto recording = std::make_unique<tw::c_sound_device_recording>();
        sounds = recording.get();
        platform_.sound_engine = std::move(recording);
        tw::fill_sound_table(data.sounds);
        write("scene.xml", chapter_scene_xml());
        tw_test::write_character_anim("hero.xml");
        chapter.on_enter(platform_, data);
        chapter.scene.load(platform_, "scene.xml");
        chapter.scene.set_camera("camera1");
        for (auto& spot : chapter.scene.puzzles) spot->trigger = true;
        tw::c_scene_path_node& a = *chapter.scene.path_nodes[0];
        chapter.scene.set_character(std::make_unique<tw::c_scene_character>(
            platform_, "l", "hero.xml", a, *a.paths[0], 0, 10.0f, 1000));
        chapter.on_resize(platform_, data);
        chapter.set_fade_alpha(0);
    }
    // Aims the pointer at a scene point and delivers one mouse event.
    void mouse_at(uint16_t kind, float x, float y, uint16_t dx = 0, uint16_t dy = 0) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform_, chapter.scene.view, x, y, px, py);
        platform_.mouse_x = uint16_t(px);
        platform_.mouse_y = uint16_t(py);
        chapter.on_mouse(platform_, kind, dx, dy, data);
    }
    void click_at(float x, float y) {
        mouse_at(tw::k_mouse_press, x, y);
        mouse_at(tw::k_mouse_release, x, y);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) chapter.on_tick(platform_, data);
    }
    tw::c_ui_puzzle* add_icon(uint16_t id, uint16_t remaining) {
        tw::c_ui_puzzle* icon = chapter.bar->add_icon(platform_, nullptr, nullptr, nullptr,
                                                      nullptr, chapter.font, remaining,
                                                      uint16_t(tw::k_game_code_first_icon + id));
        chapter.puzzle_icons[id] = icon;
        return icon;
    }
    int played(const std::string& file) const {
        int n = 0;
        for (const auto& call : sounds->calls) n += call.kind == tw::e_sound_call::play && call.file == file;
        return n;
    }
    std::string newest_tutorial() const {
        if (chapter.tutorials.tutorials.empty()) return "none";
        const tw::c_game_tutorial* t = chapter.tutorials.tutorials.rbegin()->second.get();
        if (dynamic_cast<const tw::c_game_tutorial_click_puzzle_ui*>(t)) return "icon";
        if (dynamic_cast<const tw::c_game_tutorial_click_puzzle_scene*>(t)) return "spot";
        if (dynamic_cast<const tw::c_game_tutorial_click_collectible_scene*>(t)) return "item";
        return "other";
    }

    tw::c_application_data data;
    tw::c_sound_device_recording* sounds = nullptr;
    c_hooked_chapter chapter;
};

}  // namespace

TEST_F(game_state, a_puzzle_opens_and_closes_through_two_85_tick_fades_and_clicks_wait_for_them) {
    c_counting_puzzle puzzle;
    add_icon(3, 0);
    chapter.start_puzzle(&puzzle);
    int to_black = 0;
    while (chapter.mode == tw::k_game_mode_scene_fading_out) {
        click_at(0, 0);  // ignored while the scene fades out
        ticks(1);
        ++to_black;
    }
    EXPECT_EQ(to_black, 85);
    EXPECT_EQ(chapter.fade_alpha(), 255);
    EXPECT_EQ(chapter.mode, tw::k_game_mode_puzzle_fading_in);
    EXPECT_TRUE(chapter.found.empty());
    EXPECT_EQ(puzzle.ticks + puzzle.mice, 0);

    // Down from 255 the fade reaches 0 on its 85th step and hands over on the next.
    ticks(86);
    EXPECT_EQ(chapter.mode, tw::k_game_mode_puzzle);
    EXPECT_EQ(puzzle.ticks, 86);
    chapter.on_draw(platform_, data);
    EXPECT_EQ(puzzle.draws, 1);
    click_at(0, 0);
    EXPECT_EQ(puzzle.mice, 2);

    puzzle.complete = 1;
    ticks(1);
    EXPECT_EQ(chapter.mode, tw::k_game_mode_puzzle_fading_out);
    EXPECT_EQ(chapter.puzzle_icons.count(3), 0u);
    click_at(0, 0);  // ignored while the puzzle fades out
    EXPECT_EQ(puzzle.mice, 2);
    ticks(85);
    EXPECT_EQ(chapter.mode, tw::k_game_mode_scene_fading_in);
    ticks(86);
    EXPECT_EQ(chapter.mode, tw::k_game_mode_scene);
    EXPECT_EQ(chapter.fade_alpha(), 0);
    bool start = false, complete = false;
    for (const auto& hit : data.persistent.analytics_queue) {
        for (const auto& [field, value] : hit->params) {
            start |= field == "ea" && value == "start_puzzle";
            complete |= field == "ev" && value == "c2_p3";
        }
    }
    EXPECT_TRUE(start && complete);
}

TEST_F(game_state, the_hint_needs_a_full_charge_and_takes_the_first_target_in_rule_order) {
    const float hint_x = 896 + (1280.0f - 720.0f) * 1024.0f / 720.0f;
    auto press_hint = [&] {
        const float unit = 720.0f / tw::k_ui_extent;
        platform_.mouse_x = uint16_t(640 + hint_x * unit);
        platform_.mouse_y = uint16_t(360 - 896 * unit);
        chapter.on_mouse(platform_, tw::k_mouse_press, 0, 0, data);
        chapter.process_ui_events(platform_, data);
    };
    for (auto& spot : chapter.scene.puzzles) spot->discovered = true;
    chapter.hint_charge = 0.99f;
    press_hint();
    EXPECT_TRUE(sounds->calls.empty());
    chapter.hint_charge = 1;
    press_hint();  // nothing to point at
    EXPECT_EQ(played("sounds/error.wav"), 1);
    EXPECT_EQ(chapter.hint_charge, 1.0f);

    // Rule 3: an item of a puzzle in the bar. Rule 2 beats it: an undiscovered spot.
    // Rule 1 beats both: an icon with every item, pointing at its spot.
    tw::c_ui_puzzle* icon = add_icon(0, 1);
    press_hint();
    EXPECT_EQ(newest_tutorial(), "item");
    chapter.scene.puzzles[1]->discovered = false;
    chapter.hint_charge = 1;
    press_hint();
    EXPECT_EQ(newest_tutorial(), "spot");
    icon->remaining = 0;
    icon->selected = 1;
    chapter.item_selected = true;
    chapter.hint_charge = 1;
    press_hint();
    EXPECT_EQ(newest_tutorial(), "icon");
    EXPECT_EQ(played("sounds/puzzle_discovery.wav"), 3);
    EXPECT_EQ(chapter.hint_charge, 0.0f);
    // Pressing the hint deselected the icon first, and every older hand was asked to go.
    EXPECT_FALSE(chapter.item_selected);
    EXPECT_EQ(icon->selected, 0);
    for (const auto& [key, tutorial] : chapter.tutorials.tutorials) {
        EXPECT_EQ(tutorial->finish_request, key == chapter.tutorials.counter ? 0 : 1) << key;
    }
    // A press the hint button took keeps its release away from a spot lying under it.
    tw::c_scene_puzzle& under = *chapter.scene.puzzles[2];
    under.discovered = false;
    const tw::vec2 below = chapter.scene.view.screen_to_scene(platform_);
    under.anim.base.tx = below.x;
    under.anim.base.ty = below.y;
    chapter.found.clear();
    chapter.on_mouse(platform_, tw::k_mouse_release, 0, 0, data);
    EXPECT_TRUE(chapter.found.empty());
    EXPECT_FALSE(under.discovered);
    // The charge never stays above 1.
    chapter.hint_charge = 3;
    ticks(1);
    EXPECT_LE(chapter.hint_charge, 1.0f + tw::k_hint_charge_per_tick);
}

TEST_F(game_state, a_release_is_a_click_below_32_pixels_of_drag_and_longer_drags_pan) {
    struct c_case {
        std::vector<int> moves;  // pointer x offsets from the press, one move each
        bool discovers;
        bool pans;
    };
    const c_case cases[] = {
        {{31}, true, true},
        {{32}, false, true},
        {{10, 5}, true, false},   // 10 + 5 = 15: neither
        {{40}, false, true},
        {{30000, 30000, 5546}, false, true},  // saturates instead of wrapping round to 10
    };
    // Zoomed in, so the view has room to pan.
    chapter.scene.view.zoom = chapter.scene.view.target_zoom = 2048;
    for (const c_case& c : cases) {
        chapter.scene.puzzles[0]->discovered = false;
        chapter.found.clear();
        chapter.scene.view.pan = {};
        mouse_at(tw::k_mouse_press, 0, 0);
        const uint16_t press_x = platform_.mouse_x;
        for (int offset : c.moves) {
            platform_.mouse_x = uint16_t(press_x + offset);
            chapter.on_mouse(platform_, tw::k_mouse_drag, uint16_t(offset), 0, data);
        }
        platform_.mouse_x = press_x;
        chapter.on_mouse(platform_, tw::k_mouse_release, 0, 0, data);
        EXPECT_EQ(!chapter.found.empty(), c.discovers) << c.moves.front();
        EXPECT_EQ(chapter.scene.view.pan.x != 0, c.pans) << c.moves.front();
    }
}

TEST_F(game_state, discovery_takes_the_nearer_spot_and_items_have_a_turned_box_of_200) {
    click_at(200, 0);  // within reach of both spots, nearer the one at 300
    EXPECT_EQ(chapter.found, std::vector<uint16_t>{1});
    click_at(100, 0);
    EXPECT_EQ(chapter.found, (std::vector<uint16_t>{1, 0}));
    click_at(120, 0);  // both discovered: a plain scene click
    EXPECT_EQ(chapter.scene_clicks, 1);

    // Items are taken only for puzzles in the bar, within a box of at least 200
    // half size turned with the item (the second lies turned by a quarter).
    add_icon(0, 1);
    add_icon(1, 1);
    click_at(-2000 + 250, -1000);
    EXPECT_EQ(chapter.scene.collectibles.size(), 2u);
    click_at(-2000 + 190, -1000 + 190);
    EXPECT_EQ(chapter.scene.collectibles.size(), 1u);
    EXPECT_EQ(chapter.collectables.size(), 1u);
    EXPECT_EQ(played("sounds/item_found.wav"), 1);
    click_at(2000 + 190, -1000 + 190);
    EXPECT_EQ(chapter.scene.collectibles.size(), 0u);
}

TEST_F(game_state, a_selected_item_is_used_or_refused_and_state_changes_end_the_characters_drag) {
    tw::c_ui_puzzle* icon = add_icon(2, 0);
    chapter.on_ui_event(platform_, tw::k_game_code_first_icon + 2, data);
    EXPECT_TRUE(chapter.item_selected);
    click_at(1000, 1500);
    EXPECT_EQ(played("sounds/error.wav"), 1);
    EXPECT_EQ(chapter.puzzle_icons.count(2), 1u);
    chapter.accept_item = true;
    chapter.on_ui_event(platform_, tw::k_game_code_first_icon + 2, data);
    click_at(1000, 1500);
    EXPECT_EQ(played("sounds/puzzle_complete.wav"), 1);
    EXPECT_EQ(chapter.puzzle_icons.count(2), 0u);
    EXPECT_EQ(icon->leaving, 1);

    // A hook that opens a puzzle in the middle of a drag lets go of the character.
    c_counting_puzzle puzzle;
    chapter.open_on_drag = &puzzle;
    tw::c_scene_character& hero = *chapter.scene.character;
    const tw::vec2 at = tw_test::c_route_player::larva_position(hero);
    mouse_at(tw::k_mouse_press, at.x, at.y + 100);
    ASSERT_EQ(hero.pressed, 1);
    mouse_at(tw::k_mouse_drag, at.x + 600, at.y + 100, 60, 0);
    EXPECT_EQ(chapter.mode, tw::k_game_mode_scene_fading_out);
    EXPECT_EQ(hero.pressed, 0);
    EXPECT_EQ(hero.dragging, 0);
}
