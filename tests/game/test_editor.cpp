// The level editor as a designer uses it: building a scene from nothing on
// every tab and reading the saved file back, what removals leave behind, the
// drags, the autosave, bad files, the way in and out, and every shipped scene
// going through the editor unchanged.
#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/xml_document.h"
#include "support/editor_fixture.h"

using namespace tw;
using tw_test::c_editor_fixture;
using tw_test::read_text;

namespace {

using editor_test = c_editor_fixture;

// Every element and attribute of the original is in the copy, in the same
// order, with the same value (numbers compared as numbers); the copy may add
// fields the original left at their defaults. Returns the first difference.
std::string missing_from(const rapidxml::xml_node<char>* original,
                         const rapidxml::xml_node<char>* copy, const std::string& where) {
    for (auto* a = original->first_attribute(); a; a = a->next_attribute()) {
        auto* b = copy->first_attribute(a->name());
        if (!b) return where + "@" + a->name() + " is gone";
        char* end_a = nullptr;
        char* end_b = nullptr;
        const double x = std::strtod(a->value(), &end_a);
        const double y = std::strtod(b->value(), &end_b);
        const bool numbers = *a->value() && !*end_a && *b->value() && !*end_b;
        if (numbers ? std::fabs(x - y) > 1e-3 : std::string(a->value()) != b->value())
            return where + "@" + a->name() + ": " + a->value() + " became " + b->value();
    }
    auto* c = copy->first_node();
    for (auto* o = original->first_node(); o; o = o->next_sibling()) {
        if (o->type() != rapidxml::node_element) continue;
        while (c && (c->type() != rapidxml::node_element || std::string(c->name()) != o->name()))
            c = c->next_sibling();
        if (!c) return where + "/" + o->name() + " is gone";
        const std::string difference = missing_from(o, c, where + "/" + o->name());
        if (!difference.empty()) return difference;
        c = c->next_sibling();
    }
    return "";
}

}  // namespace

TEST_F(editor_test, a_scene_built_on_every_tab_is_saved_and_read_back_as_made) {
    c_state_editor& ed = *editor;
    c_scene& scene = ed.scene;
    // Nothing that needs a level happens without one.
    tab(editor_tab::layers);
    button(k_ed_layer_add);
    tab(editor_tab::anims);
    button(k_ed_anim_add);
    EXPECT_TRUE(scene.layers.empty() && scene.anims.empty());

    tab(editor_tab::levels);
    type(ed.widgets.level_name, "focus_0");
    button(k_ed_level_add);
    ASSERT_EQ(scene.levels.size(), 1u);
    EXPECT_EQ(ed.widgets.selection[size_t(editor_tab::levels)]->text.text, "focus_0");

    tab(editor_tab::layers);
    type(ed.widgets.layer_file, "c1/layer_sky.xml");
    type(ed.widgets.layer_size, "2");
    button(k_ed_layer_add);
    ASSERT_EQ(scene.layers.size(), 1u);
    EXPECT_EQ(scene.layers[0]->tile_scale, 2.0f);
    EXPECT_EQ(scene.levels[0]->layers.size(), 1u);

    tab(editor_tab::cameras);
    type(ed.widgets.camera_name, "wide");
    button(k_ed_camera_add);
    ASSERT_EQ(scene.cameras.size(), 1u);

    // The puzzle tab's placeholder file name adds nothing.
    tab(editor_tab::puzzles);
    button(k_ed_puzzle_add);
    EXPECT_TRUE(scene.puzzles.empty());
    type(ed.widgets.puzzle_file, "anims/1hover.xml");
    type(ed.widgets.puzzle_index, "3");
    button(k_ed_puzzle_add);
    ASSERT_EQ(scene.puzzles.size(), 1u);

    // Three path nodes, the view panned between them, connected into a line.
    tab(editor_tab::paths);
    for (const char* name : {"a", "b", "c"}) {
        type(ed.widgets.path_name, name);
        button(k_ed_path_add);
        tab(editor_tab::view);
        drag_scene(-300, 0);  // the view moves 600 units to the right
        tab(editor_tab::paths);
    }
    ASSERT_EQ(scene.path_nodes.size(), 3u);
    EXPECT_FLOAT_EQ(scene.path_nodes[1]->transform.tx - scene.path_nodes[0]->transform.tx, 600);
    button(k_ed_path_previous);  // at "c": to "b"
    button(k_ed_path_previous);  // "a"
    button(k_ed_path_previous);  // the first stays selected
    EXPECT_EQ(ed.path_node, scene.path_nodes[0].get());
    int x = 0, y = 0;
    for (int i : {1, 2}) {
        button(k_ed_path_connect);
        EXPECT_EQ(ed.active_mode(), editor_mode::connect);
        const c_transform& next = scene.path_nodes[size_t(i)]->transform;
        scene_pixel(next.tx + 100, next.ty - 100, x, y);  // 141 units off: within reach
        press_at(x, y);
        EXPECT_EQ(ed.active_mode(), editor_mode::none) << "connect switches itself off";
        button(k_ed_path_next);
    }
    button(k_ed_path_next);  // the last stays selected
    EXPECT_EQ(ed.path_node, scene.path_nodes[2].get());
    button(k_ed_path_connect);
    scene_pixel(scene.path_nodes[0]->transform.tx + 300, scene.path_nodes[0]->transform.ty, x, y);
    press_at(x, y);  // 300 units from both "a" and "b": out of reach, nothing connects
    EXPECT_EQ(scene.path_nodes[2]->paths.size(), 1u);
    button(k_ed_path_connect);  // off again

    // A graphic needs a bitmap that can be read.
    tab(editor_tab::graphics);
    type(ed.widgets.graphic_file, "no_such.bmp");
    button(k_ed_graphic_add);
    EXPECT_TRUE(scene.graphics.empty());
    type(ed.widgets.graphic_file, "dot.bmp");
    type(ed.widgets.graphic_name, "marker");
    button(k_ed_graphic_add);
    ASSERT_EQ(scene.graphics.size(), 1u);
    EXPECT_EQ(scene.graphics[0]->half_width, 64.0f);  // twice the 32-pixel bitmap

    tab(editor_tab::collect);
    type(ed.widgets.collect_file, "dot.bmp");
    type(ed.widgets.collect_picked, "circle.bmp");
    type(ed.widgets.collect_index, "2");
    button(k_ed_collect_add);
    ASSERT_EQ(scene.collectibles.size(), 1u);

    // An anim keyed along the timeline in route mode, with an animation change.
    tab(editor_tab::anims);
    type(ed.widgets.anim_file, "anims/1hover.xml");
    button(k_ed_anim_add);
    ASSERT_EQ(scene.anims.size(), 1u);
    c_scene_anim& placed = *scene.anims[0];
    EXPECT_GE(placed.play_once_speed, 32);
    EXPECT_LE(placed.play_once_speed, 63);
    button(k_ed_anim_move);
    button(k_ed_anim_route);
    drag_scene(40, -20);  // keyed at value 0
    c_ui_element_timeline& timeline = *ed.widgets.timelines[0];
    drag(pixel_x(timeline.value_to_x(0)), pixel_y(timeline.position.y), 200, 0);
    const uint16_t later = timeline.value;
    EXPECT_GT(later, 10000);
    EXPECT_EQ(ed.widgets.timelines[1]->value, later) << "the other timeline follows";
    drag_scene(60, 0);  // keyed at the later value
    type(ed.widgets.once_name, "hover");
    type(ed.widgets.once_speed, "900");
    button(k_ed_anim_change);
    ASSERT_EQ(placed.transform_graph.size(), 2u);
    ASSERT_EQ(placed.anim_change_graph.count(later), 1u);
    EXPECT_EQ(timeline.key_marks.size(), 3u) << "two transform keys and the change";
    const float keyed_x = placed.transform_graph.at(later).tx;
    EXPECT_FLOAT_EQ(keyed_x - placed.transform_graph.at(0).tx, 60);

    tab(editor_tab::file);
    type(ed.widgets.file_name, "made.xml");
    button(k_ed_save);
    EXPECT_EQ(ed.widgets.status->text.text, "saved made.xml");

    c_scene back;
    ASSERT_TRUE(back.load(platform, "made.xml"));
    EXPECT_EQ(back.levels.size(), 1u);
    EXPECT_EQ(back.levels[0]->layers.size(), 1u);
    EXPECT_EQ(back.layers[0]->file_name, "c1/layer_sky.xml");
    EXPECT_EQ(back.cameras[0]->name, "wide");
    EXPECT_EQ(back.puzzles[0]->puzzle_index, 3);
    EXPECT_EQ(back.graphics[0]->name, "marker");
    EXPECT_EQ(back.collectibles[0]->picked_file_name, "circle.bmp");
    ASSERT_EQ(back.path_nodes.size(), 3u);
    EXPECT_EQ(back.path_nodes[0]->paths.size(), 1u);  // a - b
    EXPECT_EQ(back.path_nodes[1]->paths.size(), 2u);  // b - a, b - c
    EXPECT_EQ(back.path_nodes[2]->paths.size(), 1u);  // c - b
    EXPECT_EQ(back.path_nodes[1]->paths[1]->target, back.path_nodes[2].get());
    ASSERT_EQ(back.anims.size(), 1u);
    EXPECT_FLOAT_EQ(back.anims[0]->transform_graph.at(later).tx, keyed_x);
    EXPECT_EQ(back.anims[0]->anim_change_graph.at(later)->anim_name_play_once, "hover");
    EXPECT_EQ(back.anims[0]->anim_change_graph.at(later)->anim_speed_play_once, 900);
}

TEST_F(editor_test, removals_leave_nothing_pointing_at_what_is_gone) {
    c_state_editor& ed = *editor;
    c_scene& scene = ed.scene;
    tab(editor_tab::file);
    type(ed.widgets.file_name, "c1.xml");
    button(k_ed_load);
    EXPECT_EQ(ed.widgets.status->text.text, "loaded c1.xml");
    ASSERT_FALSE(scene.cameras.empty());

    // A node connected both ways to two neighbours.
    c_scene_path_node* middle = nullptr;
    for (auto& node : scene.path_nodes) {
        if (node->paths.size() == 2 && !middle) middle = node.get();
    }
    ASSERT_NE(middle, nullptr);
    std::vector<c_scene_path_node*> neighbours;
    for (auto& path : middle->paths) neighbours.push_back(path->target);
    tab(editor_tab::paths);
    while (ed.path_node != middle) button(k_ed_path_next);
    button(k_ed_path_remove);
    EXPECT_EQ(ed.path_node, nullptr);
    EXPECT_EQ(ed.widgets.selection[size_t(editor_tab::paths)]->text.text, "none");
    for (c_scene_path_node* n : neighbours) {
        for (auto& path : n->paths) EXPECT_NE(path->target, middle);
    }
    // Every camera removed: no path keeps one as its camera to change to.
    tab(editor_tab::cameras);
    while (!scene.cameras.empty()) {
        ASSERT_NE(ed.camera, nullptr);
        button(k_ed_camera_remove);
        button(k_ed_camera_next);
    }
    for (auto& node : scene.path_nodes) {
        for (auto& path : node->paths) EXPECT_EQ(path->target_camera, nullptr);
    }
    // The first level goes; its objects stay in the file but are drawn no more.
    tab(editor_tab::levels);
    const std::string gone = scene.levels[0]->name;
    const size_t layers = scene.layers.size();
    button(k_ed_level_remove);
    EXPECT_EQ(scene.find_level(gone), nullptr);
    EXPECT_EQ(scene.layers.size(), layers);
    frames(3);  // draws without the level

    tab(editor_tab::file);
    type(ed.widgets.file_name, "edited.xml");
    button(k_ed_save);
    c_scene back;
    ASSERT_TRUE(back.load(platform, "edited.xml"));
    EXPECT_EQ(back.path_nodes.size(), scene.path_nodes.size());
    for (size_t i = 0; i < back.path_nodes.size(); ++i) {
        ASSERT_EQ(back.path_nodes[i]->paths.size(), scene.path_nodes[i]->paths.size());
        for (auto& path : back.path_nodes[i]->paths) {
            ASSERT_GE(path->target_index, 0);
            EXPECT_EQ(path->target, back.path_nodes[size_t(path->target_index)].get());
        }
    }
}

TEST_F(editor_test, every_list_tab_removes_its_current_item_and_says_none) {
    c_state_editor& ed = *editor;
    c_scene& scene = ed.scene;
    tab(editor_tab::levels);
    button(k_ed_level_add);
    tab(editor_tab::puzzles);
    type(ed.widgets.puzzle_file, "anims/1hover.xml");
    tab(editor_tab::graphics);
    type(ed.widgets.graphic_file, "dot.bmp");
    struct list_tab {
        editor_tab tab;
        uint16_t add, remove;
        std::function<size_t()> count;
    };
    const list_tab tabs[] = {
        {editor_tab::layers, k_ed_layer_add, k_ed_layer_remove,
         [&] { return scene.layers.size(); }},
        {editor_tab::cameras, k_ed_camera_add, k_ed_camera_remove,
         [&] { return scene.cameras.size(); }},
        {editor_tab::puzzles, k_ed_puzzle_add, k_ed_puzzle_remove,
         [&] { return scene.puzzles.size(); }},
        {editor_tab::collect, k_ed_collect_add, k_ed_collect_remove,
         [&] { return scene.collectibles.size(); }},
        {editor_tab::anims, k_ed_anim_add, k_ed_anim_remove, [&] { return scene.anims.size(); }},
        {editor_tab::paths, k_ed_path_add, k_ed_path_remove,
         [&] { return scene.path_nodes.size(); }},
        {editor_tab::graphics, k_ed_graphic_add, k_ed_graphic_remove,
         [&] { return scene.graphics.size(); }},
        {editor_tab::levels, k_ed_level_add, k_ed_level_remove,
         [&] { return scene.levels.size(); }},
    };
    for (const list_tab& each : tabs) {
        tab(each.tab);
        const size_t before = each.count();
        button(each.add);
        EXPECT_EQ(each.count(), before + 1) << int(each.tab);
        EXPECT_NE(ed.widgets.selection[size_t(each.tab)]->text.text, "none") << int(each.tab);
        button(each.remove);
        EXPECT_EQ(each.count(), before) << int(each.tab);
        EXPECT_EQ(ed.widgets.selection[size_t(each.tab)]->text.text, "none") << int(each.tab);
        button(each.remove);  // nothing current: nothing happens
        EXPECT_EQ(each.count(), before) << int(each.tab);
    }
    frames(2);
    EXPECT_EQ(scene.levels[0]->puzzles.size() + scene.levels[0]->anims.size() +
                  scene.levels[0]->graphics.size() + scene.levels[0]->layers.size() +
                  scene.levels[0]->collectibles.size(),
              0u);

    // "disconnect all" takes the node's paths and the ones back to it.
    tab(editor_tab::paths);
    for (int i = 0; i < 3; ++i) {
        button(k_ed_path_add);
        tab(editor_tab::view);
        drag_scene(-100, 0);
        tab(editor_tab::paths);
    }
    c_scene_path_node* first = scene.path_nodes[0].get();
    c_scene_path_node* second = scene.path_nodes[1].get();
    int x = 0, y = 0;
    button(k_ed_path_previous);  // the second
    for (c_scene_path_node* other : {first, scene.path_nodes[2].get()}) {
        button(k_ed_path_connect);
        scene_pixel(other->transform.tx, other->transform.ty, x, y);
        press_at(x, y);
    }
    ASSERT_EQ(second->paths.size(), 2u);
    button(k_ed_path_disconnect);
    EXPECT_TRUE(second->paths.empty());
    EXPECT_TRUE(first->paths.empty() && scene.path_nodes[2]->paths.empty());
}

TEST_F(editor_test, drags_move_turn_and_deepen_and_the_view_commands) {
    c_state_editor& ed = *editor;
    tab(editor_tab::levels);
    button(k_ed_level_add);
    tab(editor_tab::layers);
    button(k_ed_layer_add);
    c_scene_layer& made = *ed.scene.layers[0];
    button(k_ed_layer_move);
    drag_scene(30, 40);
    EXPECT_FLOAT_EQ(made.transform.tx, 30);
    EXPECT_FLOAT_EQ(made.transform.ty, -40);
    button(k_ed_layer_depth);  // switches move off
    EXPECT_EQ(ed.active_mode(), editor_mode::depth);
    drag_scene(50, 0);
    EXPECT_NEAR(made.perspective_factor, 1.0f, 1e-5);
    EXPECT_FLOAT_EQ(made.transform.tx, 30);
    button(k_ed_layer_depth);  // off: the drag pans the view instead
    const float before = ed.scene.view.position.x;
    drag_scene(-10, 0);
    EXPECT_FLOAT_EQ(ed.scene.view.position.x, before + 20);

    tab(editor_tab::graphics);
    type(ed.widgets.graphic_file, "dot.bmp");
    button(k_ed_graphic_add);
    button(k_ed_graphic_rotate);
    drag_scene(25, 0);
    EXPECT_NEAR(ed.scene.graphics[0]->transform.angle, 0.5f, 1e-5);

    tab(editor_tab::cameras);
    button(k_ed_camera_add);
    tab(editor_tab::view);
    const float zoom = ed.scene.view.zoom;
    for (int i = 0; i < 10; ++i) button(k_ed_zoom_in);
    EXPECT_NEAR(ed.scene.view.zoom, zoom * std::pow(0.9f, 10), 0.01f);
    drag_scene(-100, 50);
    tab(editor_tab::cameras);
    button(k_ed_camera_center);
    EXPECT_FLOAT_EQ(ed.scene.view.position.x, ed.scene.cameras[0]->position.x);
    EXPECT_FLOAT_EQ(ed.scene.view.position.y, ed.scene.cameras[0]->position.y);
    EXPECT_NEAR(ed.scene.view.zoom, zoom * std::pow(0.9f, 10), 0.01f) << "zoom untouched";
}

TEST_F(editor_test, autosave_comes_on_tick_6001_and_not_before) {
    editor->autosave_countdown = k_editor_autosave_ticks;
    for (int i = 0; i < 6000; ++i) editor->on_tick(platform, app.data);
    EXPECT_FALSE(std::filesystem::exists("autosave.xml"));
    editor->on_tick(platform, app.data);
    EXPECT_TRUE(std::filesystem::exists("autosave.xml"));
    EXPECT_EQ(editor->autosave_countdown, k_editor_autosave_ticks);
}

TEST_F(editor_test, bad_files_leave_an_empty_scene_and_nothing_is_written_outside) {
    c_state_editor& ed = *editor;
    std::ofstream("broken.xml") << "<levels><level name=\"x\"";
    tab(editor_tab::file);
    for (const char* name : {"missing.xml", "broken.xml"}) {
        type(ed.widgets.file_name, "c1.xml");
        button(k_ed_load);
        ASSERT_FALSE(ed.scene.levels.empty());
        type(ed.widgets.file_name, name);
        button(k_ed_load);
        EXPECT_TRUE(ed.scene.levels.empty() && ed.scene.path_nodes.empty()) << name;
        EXPECT_EQ(ed.level, nullptr);
        frames(3);
    }
    for (const char* name : {"../escaped.xml", "/tmp/escaped.xml", "a/../../escaped.xml", ""}) {
        type(ed.widgets.file_name, name);
        button(k_ed_save);
        EXPECT_EQ(ed.widgets.status->text.text.rfind("not saved", 0), 0u) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(work.path) / ".." / "escaped.xml"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/escaped.xml"));
}

TEST_F(editor_test, widgets_keep_focus_and_drags_to_themselves) {
    c_state_editor& ed = *editor;
    tab(editor_tab::paths);
    click(*ed.widgets.path_name);
    EXPECT_TRUE(ed.widgets.path_name->focused);
    button(k_ed_path_add);  // the button takes the press: the box lets go
    EXPECT_FALSE(ed.widgets.path_name->focused);
    window.queue_character('z');
    frames(2);  // input queued now arrives in this frame's swap, the next frame takes it
    EXPECT_EQ(ed.widgets.path_name->text.text, "path name");
    // M is the sound key while no box has the keyboard, and a letter while one has.
    window.queue_key('M', k_action_press);
    frames(2);
    EXPECT_TRUE(app.desktop.settings.sound.muted);
    click(*ed.widgets.path_name);
    window.queue_key('M', k_action_press);
    frames(2);
    EXPECT_TRUE(app.desktop.settings.sound.muted) << "typing m does not unmute";

    // A timeline drag whose release never came (the tab switched mid-drag).
    tab(editor_tab::anims);
    c_ui_element_timeline& timeline = *ed.widgets.timelines[0];
    window.queue_mouse_position(pixel_x(timeline.value_to_x(0)), pixel_y(timeline.position.y));
    window.queue_mouse_button(0, k_action_press);
    frames(2);
    EXPECT_TRUE(timeline.dragging);
    c_ui_element_group& anims = *ed.widgets.screens[size_t(editor_tab::anims)];
    anims.visible = false;  // hidden mid-drag: the release goes elsewhere
    window.queue_mouse_button(0, k_action_release);
    frames(2);
    anims.visible = true;
    press_at(pixel_x(timeline.value_to_x(30000)), pixel_y(timeline.position.y + 300));
    EXPECT_EQ(timeline.value, 0) << "a press elsewhere is no drag step";
}

TEST_F(editor_test, f2_leads_from_the_title_screen_into_the_editor_and_back) {
    app.change_state(platform, make_game_state(k_state_menu));
    frames(2);
    window.queue_key(k_key_f2, k_action_press);
    window.queue_key(k_key_f2, k_action_release);
    for (int i = 0; i < 200 && !dynamic_cast<c_state_editor*>(app.state()); ++i) frames(1);
    ASSERT_NE(dynamic_cast<c_state_editor*>(app.state()), nullptr);
    window.queue_key(k_key_f2, k_action_press);
    window.queue_key(k_key_f2, k_action_release);
    for (int i = 0; i < 200 && dynamic_cast<c_state_editor*>(app.state()); ++i) frames(1);
    EXPECT_EQ(dynamic_cast<c_state_editor*>(app.state()), nullptr);
    editor = nullptr;
}

// Every shipped scene loaded in the editor and saved under a new name is the
// same file: same objects, fields, paths and keys in the same order.
TEST_F(editor_test, every_shipped_scene_goes_through_the_editor_unchanged) {
    c_state_editor& ed = *editor;
    tab(editor_tab::file);
    int scenes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TW_CONTENT_DIR)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".xml" || name.rfind('c', 0) != 0) continue;
        type(ed.widgets.file_name, name);
        button(k_ed_load);
        ASSERT_EQ(ed.widgets.status->text.text, "loaded " + name);
        type(ed.widgets.file_name, "again_" + name);
        button(k_ed_save);
        // Written by the same archive, the copy is byte for byte the scene
        // saved straight from the loader.
        c_scene straight;
        straight.load(platform, name);
        straight.save("straight_" + name);
        EXPECT_EQ(read_text("again_" + name), read_text("straight_" + name)) << name;
        c_xml_document original;
        c_xml_document copy;
        ASSERT_TRUE(load_document(original, name) && load_document(copy, "again_" + name));
        EXPECT_EQ(missing_from(&original.doc, &copy.doc, name), "");
        EXPECT_FALSE(read_text("again_" + name).empty());
        ++scenes;
    }
    EXPECT_GE(scenes, 12);
}
