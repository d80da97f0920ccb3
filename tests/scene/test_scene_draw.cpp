// Scene drawing and update against the recording device: projection and
// letterbox by window shape, parallax, the fixed order of kinds inside a level,
// objects of unknown levels, and adding and removing items.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/test_scene_fixture.h"

namespace {

using tw_test::transform_xml;

class c_scene_draw_test : public tw_test::c_scene_file_test {};

// Draws a marker quad instead of the character's art, so only the place of
// the character in the level's order is under test here.
class c_marker_character : public tw::c_scene_character {
public:
    using c_scene_character::c_scene_character;
    void draw(tw::c_platform& platform) override {
        platform.bind_material(marker);
        platform.set_vertex_buffer(&highlight.buffer);
        platform.draw_quads(tw::c_transform{}, 4);
    }
    tw::c_material* marker = nullptr;
};

struct c_window_case {
    int width;
    int height;
    bool letterbox;
};

class c_scene_window_test : public c_scene_draw_test,
                            public testing::WithParamInterface<c_window_case> {};

TEST_P(c_scene_window_test, letterbox_and_projection_follow_the_window_shape) {
    const c_window_case& c = GetParam();
    platform_.update_screen_size(c.width, c.height);
    scene_.view.position = tw::vec3{100, 200, 0};
    scene_.view.pan = tw::vec3{10, 20, 0};
    scene_.view.zoom = 3000;
    scene_.draw(platform_);

    // The same projection as the platform's own view call for that rule.
    tw::c_render_device_recording reference_device;
    tw::c_platform reference(window_, reference_device);
    reference.update_screen_size(c.width, c.height);
    if (c.letterbox) {
        reference.set_view_long(3000, 110, 220);
    } else {
        reference.set_view_short(1500, 110, 220);
    }
    ASSERT_EQ(device_.count(tw::e_render_call::load_projection), 1);
    EXPECT_EQ(device_.calls_of(tw::e_render_call::load_projection)[0].matrix,
              reference_device.calls_of(tw::e_render_call::load_projection)[0].matrix);
    EXPECT_EQ(device_.calls_of(tw::e_render_call::load_modelview)[0].matrix,
              reference_device.calls_of(tw::e_render_call::load_modelview)[0].matrix);

    const std::vector<tw::c_recorded_draw> draws = device_.draws();
    if (!c.letterbox) {
        EXPECT_TRUE(draws.empty());
        return;
    }
    ASSERT_EQ(draws.size(), 2u);
    const std::vector<tw::vec3> at = draw_translations();
    EXPECT_FLOAT_EQ(at[0].x, 110);
    EXPECT_FLOAT_EQ(at[0].y, 220 + 1500);
    EXPECT_FLOAT_EQ(at[1].x, 110);
    EXPECT_FLOAT_EQ(at[1].y, 220 - 1500);
    const float top_y[2] = {4096, 0};
    const float bottom_y[2] = {0, -4096};
    for (int q = 0; q < 2; ++q) {
        for (const tw::c_rgba& colour : draws[q].colours) {
            EXPECT_EQ(colour.r, 0);
            EXPECT_EQ(colour.a, 255);
        }
        EXPECT_FLOAT_EQ(draws[q].positions[0].x, -4096);
        EXPECT_FLOAT_EQ(draws[q].positions[1].x, 4096);
        EXPECT_FLOAT_EQ(draws[q].positions[0].y, top_y[q]);
        EXPECT_FLOAT_EQ(draws[q].positions[2].y, bottom_y[q]);
    }
}

INSTANTIATE_TEST_SUITE_P(windows, c_scene_window_test,
                         testing::Values(c_window_case{1280, 720, true},
                                         c_window_case{2000, 800, false},
                                         c_window_case{1600, 800, false},
                                         c_window_case{1599, 800, true},
                                         c_window_case{768, 1024, true}));

// One layer with one tile at (500, -250), layer at (-100, 50), tile scale 2.
class c_scene_parallax_test : public c_scene_draw_test,
                              public testing::WithParamInterface<float> {
protected:
    void load_layer(float factor, float rotation = 0) {
        write("tiles.xml", "<hd texture_size=\"512\" tile_size=\"100\"><tiles><tile "
                           "filename=\"t.bmp\" x=\"500\" y=\"-250\" size=\"100\"/></tiles></hd>");
        ASSERT_TRUE(load_text("<levels><level name=\"a\"/></levels><layers><layer level_name=\"a\""
                              " file_name=\"tiles.xml\" tile_scale=\"2\" perspective_factor=\"" +
                              std::to_string(factor) + "\">" +
                              transform_xml("transform", -100, 50, 20, rotation) +
                              "</layer></layers>"));
    }
    // The tile's translation when drawn with the view at position p and pan.
    tw::vec3 tile_at(const tw::vec3& p, const tw::vec3& pan = {}) {
        scene_.view.position = p;
        scene_.view.pan = pan;
        device_.calls.clear();
        scene_.draw(platform_);
        const std::vector<tw::vec3> at = draw_translations();
        EXPECT_EQ(at.size(), 3u);  // the tile and the two letterbox quads
        return at.empty() ? tw::vec3{} : at[0];
    }
};

TEST_P(c_scene_parallax_test, tiles_shift_by_the_view_position_times_the_factor) {
    const float f = GetParam();
    load_layer(f);
    const tw::vec3 moves[] = {{0, 0, 0}, {1000, 400, 0}, {-3000, -50, 0}};
    for (const tw::vec3& p : moves) {
        const tw::vec3 at = tile_at(p);
        EXPECT_FLOAT_EQ(at.x, -100 + 500 * 2 + p.x * f);
        EXPECT_FLOAT_EQ(at.y, 50 + 250 * 2 + p.y * f);
        EXPECT_FLOAT_EQ(at.z, 20);
    }
}

INSTANTIATE_TEST_SUITE_P(factors, c_scene_parallax_test, testing::Values(0.0f, 0.5f, 1.0f));

TEST_F(c_scene_parallax_test, factor_one_keeps_the_screen_position_unless_the_pan_moves) {
    load_layer(1);
    const tw::vec3 first = tile_at({0, 0, 0});
    const tw::vec3 moved = tile_at({1234, -567, 0});
    // Screen position: translation minus the eye (position + pan).
    EXPECT_FLOAT_EQ(moved.x - 1234, first.x);
    EXPECT_FLOAT_EQ(moved.y + 567, first.y);
    const tw::vec3 panned = tile_at({1234, -567, 0}, {300, 40, 0});
    EXPECT_FLOAT_EQ(panned.x - (1234 + 300), first.x - 300);
    EXPECT_FLOAT_EQ(panned.y - (-567 + 40), first.y - 40);
}

TEST_F(c_scene_parallax_test, factor_zero_keeps_the_scene_position) {
    load_layer(0);
    const tw::vec3 first = tile_at({0, 0, 0});
    const tw::vec3 moved = tile_at({1234, -567, 0}, {300, 40, 0});
    EXPECT_FLOAT_EQ(moved.x, first.x);
    EXPECT_FLOAT_EQ(moved.y, first.y);
}

TEST_F(c_scene_parallax_test, the_layer_rotation_turns_each_tile_but_not_the_tile_grid) {
    load_layer(0, 0.5f);
    const tw::vec3 at = tile_at({0, 0, 0});
    EXPECT_FLOAT_EQ(at.x, 900);
    EXPECT_FLOAT_EQ(at.y, 550);
    const auto turns = device_.calls_of(tw::e_render_call::multiply_modelview);
    ASSERT_FALSE(turns.empty());
    EXPECT_NEAR(turns[0].matrix[0], std::cos(0.5f), 1e-6);
    EXPECT_NEAR(turns[0].matrix[1], std::sin(0.5f), 1e-6);
}

TEST_F(c_scene_draw_test, kinds_draw_in_fixed_order_within_each_level_and_levels_in_list_order) {
    write("tiles1.xml", "<hd texture_size=\"512\" tile_size=\"100\"><tiles><tile filename="
                        "\"tile1.bmp\" x=\"0\" y=\"0\" size=\"100\"/></tiles></hd>");
    write("tiles2.xml", "<hd texture_size=\"512\" tile_size=\"100\"><tiles><tile filename="
                        "\"tile2.bmp\" x=\"0\" y=\"0\" size=\"100\"/></tiles></hd>");
    write("anims/a.xml", tw_test::anim_file_xml("anim.bmp", {"idle"}));
    write("anims/p.xml", tw_test::anim_file_xml("puzzle.bmp", {}));
    // The document lists level "two"'s layer first and every kind in reverse
    // drawing order; the drawing order must not depend on either.
    ASSERT_TRUE(load_text(
        "<levels><level name=\"one\"/><level name=\"two\"/></levels>"
        "<graphics><graphic level_name=\"one\" name=\"g\" file_name=\"graphic.bmp\"/></graphics>"
        "<puzzles><puzzle level_name=\"one\" anim_file_name=\"anims/p.xml\"/></puzzles>"
        "<anims><anim level_name=\"one\" anim_file_name=\"anims/a.xml\"/></anims>"
        "<collectibles><collectible level_name=\"one\" texture_file_name=\"coll.bmp\"/>"
        "</collectibles>"
        "<layers><layer level_name=\"two\" file_name=\"tiles2.xml\" tile_scale=\"1\"/>"
        "<layer level_name=\"one\" file_name=\"tiles1.xml\" tile_scale=\"1\"/></layers>"
        "<path_nodes><path_node name=\"s\"><paths><path target_index=\"1\"/></paths></path_node>"
        "<path_node name=\"t\">" + transform_xml("transform", 500, 0, 0) +
        "</path_node></path_nodes>"));

    auto burst = std::make_unique<tw::c_scene_particle_dampen_and_fade>(
        platform_.get_material("particle.bmp", false), "one", tw::c_rgba{});
    burst->emit(tw::vec3{}, tw::vec3{});
    scene_.add_particle_system(std::move(burst));
    auto larva = std::make_unique<c_marker_character>(platform_, "one", "anims/none.xml",
                                                      *scene_.path_nodes[0],
                                                      *scene_.path_nodes[0]->paths[0], 0, 1.0f, 0);
    larva->marker = platform_.get_material("character.bmp", false);
    scene_.set_character(std::move(larva));
    name_textures();
    platform_.update_screen_size(2000, 1000);  // no letterbox

    scene_.draw(platform_);
    const char* const order[] = {"tile1.bmp",     "coll.bmp",    "anim.bmp",
                                 "puzzle.bmp",    "character.bmp", "graphic.bmp",
                                 "particle.bmp",  "tile2.bmp"};
    std::vector<uint32_t> expected;
    for (const char* file : order) expected.push_back(texture_name(file));
    EXPECT_EQ(drawn_textures(), expected);
}

TEST_F(c_scene_draw_test, objects_of_unknown_levels_and_hidden_anims_are_loaded_but_never_drawn) {
    write("anims/a.xml", tw_test::anim_file_xml("shown.bmp", {}));
    write("anims/lost.xml", tw_test::anim_file_xml("lost.bmp", {}));
    write("anims/hidden.xml", tw_test::anim_file_xml("hidden.bmp", {}));
    ASSERT_TRUE(load_text("<levels><level name=\"a\"/></levels><anims>"
                          "<anim level_name=\"a\" anim_file_name=\"anims/a.xml\"/>"
                          "<anim level_name=\"b\" anim_file_name=\"anims/lost.xml\"/>"
                          "<anim level_name=\"A\" anim_file_name=\"anims/lost.xml\"/>"
                          "<anim level_name=\"a\" anim_file_name=\"anims/hidden.xml\"/></anims>"
                          "<graphics><graphic level_name=\"\" name=\"g\" file_name=\"lost.bmp\"/>"
                          "</graphics>"));
    ASSERT_NE(scene_.find_anim("anims/lost.xml"), nullptr);
    scene_.find_anim("anims/hidden.xml")->visible = false;
    name_textures();
    platform_.update_screen_size(2000, 1000);

    scene_.draw(platform_);
    EXPECT_EQ(drawn_textures(), std::vector<uint32_t>{texture_name("shown.bmp")});
}

TEST_F(c_scene_draw_test, an_anim_draws_its_current_graph_at_its_time_and_the_update_advances_it) {
    write("anims/a.xml", tw_test::anim_file_xml("a.bmp", {"idle"}));
    ASSERT_TRUE(load_text("<levels><level name=\"a\"/></levels><anims><anim level_name=\"a\""
                          " anim_file_name=\"anims/a.xml\" anim_position=\"1000\" anim_speed=\"500\">" +
                          transform_xml("transform", 7, 3, 0) + "</anim></anims>"));
    platform_.update_screen_size(2000, 1000);

    scene_.draw(platform_);
    scene_.update(platform_);
    scene_.draw(platform_);
    const std::vector<tw::vec3> at = draw_translations();
    ASSERT_EQ(at.size(), 2u);
    EXPECT_NEAR(at[0].x, 7 + 10, 1e-3);  // the graph puts the node at x = time / 100
    EXPECT_NEAR(at[1].x, 7 + 15, 1e-3);
    EXPECT_FLOAT_EQ(at[0].y, 3);
}

TEST_F(c_scene_draw_test, update_moves_particles_and_glides_the_view) {
    auto burst = std::make_unique<tw::c_scene_particle_dampen_and_fade>(nullptr, "a",
                                                                        tw::c_rgba{});
    burst->emit(tw::vec3{}, tw::vec3{10, 0, 0});
    tw::c_scene_particle* added = scene_.add_particle_system(std::move(burst));
    scene_.view.target_position = tw::vec3{1000, 0, 0};

    scene_.update(platform_);
    EXPECT_FLOAT_EQ(added->particles[0]->transform.tx, 10);
    EXPECT_GT(scene_.view.position.x, 0);
}

TEST_F(c_scene_draw_test, removing_items_takes_them_out_of_their_level_and_the_scene) {
    ASSERT_TRUE(load_text(
        "<levels><level name=\"x\"/><level name=\"a\"/></levels>"
        "<puzzles><puzzle level_name=\"a\"/><puzzle level_name=\"a\"/></puzzles>"
        "<collectibles><collectible level_name=\"a\" texture_file_name=\"c.bmp\"/></collectibles>"
        "<layers><layer level_name=\"a\"/></layers>"
        "<anims><anim level_name=\"a\"/></anims>"
        "<graphics><graphic level_name=\"a\" name=\"g\"/></graphics>"));
    tw::c_scene_level& level = *scene_.levels[1];
    tw::c_scene_puzzle* kept = scene_.puzzles[1].get();

    EXPECT_TRUE(scene_.remove_puzzle(scene_.puzzles[0].get()));
    EXPECT_TRUE(scene_.remove_collectible(scene_.find_collectible("c.bmp")));
    EXPECT_TRUE(scene_.remove_layer(scene_.layers[0].get()));
    EXPECT_TRUE(scene_.remove_anim(scene_.anims[0].get()));
    EXPECT_TRUE(scene_.remove_graphic(scene_.find_graphic("g")));

    EXPECT_EQ(level.puzzles, std::vector<tw::c_scene_puzzle*>{kept});
    ASSERT_EQ(scene_.puzzles.size(), 1u);
    EXPECT_EQ(scene_.puzzles[0].get(), kept);
    EXPECT_TRUE(level.collectibles.empty() && scene_.collectibles.empty());
    EXPECT_TRUE(level.layers.empty() && scene_.layers.empty());
    EXPECT_TRUE(level.anims.empty() && scene_.anims.empty());
    EXPECT_TRUE(level.graphics.empty() && scene_.graphics.empty());

    tw::c_scene_graphic stranger;
    EXPECT_FALSE(scene_.remove_graphic(&stranger));
    EXPECT_FALSE(scene_.remove_puzzle(nullptr));
}

TEST_F(c_scene_draw_test, removing_a_path_node_also_removes_the_paths_leading_into_it) {
    ASSERT_TRUE(load_text(
        "<path_nodes>"
        "<path_node name=\"a\"><paths><path target_index=\"1\"/><path target_index=\"2\"/></paths>"
        "</path_node>"
        "<path_node name=\"b\">" + transform_xml("transform", 100, 0, 0) +
        "<paths><path target_index=\"0\"/></paths></path_node>"
        "<path_node name=\"c\">" + transform_xml("transform", 0, 100, 0) +
        "<paths><path target_index=\"1\"/></paths></path_node></path_nodes>"));

    EXPECT_TRUE(scene_.remove_path_node(scene_.find_path_node("b")));
    ASSERT_EQ(scene_.path_nodes.size(), 2u);
    ASSERT_EQ(scene_.path_nodes[0]->paths.size(), 1u);
    EXPECT_EQ(scene_.path_nodes[0]->paths[0]->target->name, "c");
    EXPECT_TRUE(scene_.path_nodes[1]->paths.empty());
    EXPECT_FALSE(scene_.remove_path_node(scene_.find_path_node("b")));

    // Saved indices follow the shortened list.
    ASSERT_TRUE(scene_.save("saved.xml"));
    tw::c_scene reloaded;
    ASSERT_TRUE(reloaded.load(platform_, "saved.xml"));
    EXPECT_NE(reloaded.find_path("a", "c"), nullptr);
}

TEST_F(c_scene_draw_test, added_items_join_the_level_named_by_them_and_a_new_character_replaces_the_old) {
    ASSERT_TRUE(load_text("<levels><level name=\"a\"/><level name=\"b\"/></levels>"
                          "<path_nodes><path_node name=\"s\"><paths><path target_index=\"1\"/>"
                          "</paths></path_node><path_node name=\"t\">" +
                          transform_xml("transform", 100, 0, 0) + "</path_node></path_nodes>"));
    auto graphic = std::make_unique<tw::c_scene_graphic>();
    graphic->level_name = "b";
    tw::c_scene_graphic* added = scene_.add_graphic(std::move(graphic));
    EXPECT_EQ(scene_.levels[1]->graphics, std::vector<tw::c_scene_graphic*>{added});
    EXPECT_TRUE(scene_.levels[0]->graphics.empty());

    tw::c_scene_path_node& start = *scene_.path_nodes[0];
    tw::c_scene_character* first = scene_.set_character(std::make_unique<tw::c_scene_character>(
        platform_, "a", "anims/none.xml", start, *start.paths[0], 0, 1.0f, 0));
    EXPECT_EQ(scene_.levels[0]->characters, std::vector<tw::c_scene_character*>{first});
    tw::c_scene_character* second = scene_.set_character(std::make_unique<tw::c_scene_character>(
        platform_, "b", "anims/none.xml", start, *start.paths[0], 0, 1.0f, 0));
    EXPECT_TRUE(scene_.levels[0]->characters.empty());
    EXPECT_EQ(scene_.levels[1]->characters, std::vector<tw::c_scene_character*>{second});
    scene_.set_character(nullptr);
    EXPECT_TRUE(scene_.levels[1]->characters.empty());
    EXPECT_EQ(scene_.character, nullptr);
}

}  // namespace

namespace {

TEST_F(c_scene_draw_test, letterbox_bars_stretch_to_a_camera_wider_than_their_8192_units) {
    platform_.update_screen_size(1280, 1024);
    scene_.view.zoom = 5120;
    scene_.draw(platform_);
    const auto matrices = device_.calls_of(tw::e_render_call::multiply_modelview);
    ASSERT_EQ(matrices.size(), 2u);
    for (const auto& call : matrices) {
        EXPECT_FLOAT_EQ(call.matrix[0], 1.25f);
        EXPECT_FLOAT_EQ(call.matrix[5], 1.25f);
    }
}

}  // namespace
