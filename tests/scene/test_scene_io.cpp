// Scene files: loading every kind of item, saving and reloading without loss,
// the writer's order, path relinking, and the reader's tolerance of order,
// spelling, case and hostile or malformed input.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "common/bmp_writer.h"
#include "platform/xml_document.h"
#include "scene/test_scene_fixture.h"

namespace {

using tw_test::transform_xml;

// Every kind of item, in the writer's order; nodes a <-> b, b -> c (animated).
std::string full_scene_xml() {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<levels><level name=\"meadow\"/><level name=\"stones\"/></levels>"
           "<puzzles><puzzle anim_file_name=\"anims/puzzle.xml\" puzzle_index=\"3\""
           " level_name=\"meadow\" click_radius=\"300.5\">" +
           transform_xml("transform", 10, 20, 5, 0.25f) +
           "</puzzle></puzzles>"
           "<collectibles><collectible texture_file_name=\"seed.bmp\""
           " picked_file_name=\"seed_picked.bmp\" puzzle_index=\"-2\" level_name=\"stones\">" +
           transform_xml("transform", 1, 2, 3, 0.5f) +
           "</collectible></collectibles>"
           "<layers><layer level_name=\"meadow\" file_name=\"sky.xml\" perspective_factor=\"0.5\""
           " tile_scale=\"2\">" +
           transform_xml("transform", -100, 50, 20) +
           "</layer></layers>"
           "<anims><anim anim_file_name=\"anims/fly.xml\" level_name=\"meadow\""
           " anim_position=\"100\" anim_speed=\"512\">" +
           transform_xml("transform", 7, 8, 9) + "<transform_graph><transform index=\"0\">" +
           transform_xml("value", 5, 6, 1) + "</transform><transform index=\"1000\">" +
           transform_xml("value", 105, 6, 1, 1.5f) +
           "</transform></transform_graph><anim_change_graph><anim_change index=\"40\">"
           "<object anim_name_play_once=\"wake\" anim_speed_play_once=\"2048\""
           " anim_name_loop=\"fly\" anim_speed_loop=\"700\"/></anim_change>"
           "<anim_change index=\"7\"/></anim_change_graph>"
           "</anim></anims>"
           "<graphics><graphic level_name=\"stones\" name=\"pebble\" file_name=\"pebble.bmp\""
           " half_width=\"40\" half_height=\"30\">" +
           transform_xml("transform", 300, 400, 2, -0.5f) +
           "</graphic></graphics>"
           "<path_nodes>"
           "<path_node name=\"a\">" + transform_xml("transform", 0, 0, 0) +
           "<paths><path target_index=\"1\" animation_name=\"\" animtion_speed=\"0\"/></paths>"
           "</path_node>"
           "<path_node name=\"b\">" + transform_xml("transform", 1000, 0, 0) +
           "<paths><path target_index=\"0\" animation_name=\"\" animtion_speed=\"0\"/>"
           "<path target_index=\"2\" animation_name=\"hop\" animtion_speed=\"655\"/></paths>"
           "</path_node>"
           "<path_node name=\"c\">" + transform_xml("transform", 1000, 500, 4, 0.1f) +
           "</path_node></path_nodes>"
           "<cameras><camera scene_width=\"4096\" name=\"camera1\"><position x=\"10\" y=\"20\""
           " z=\"30\"/></camera><camera scene_width=\"2048\" name=\"camera2\"><position"
           " x=\"8192\" y=\"0\" z=\"0\"/></camera></cameras>";
}

const char* const k_sky_tiles =
    "<hd texture_size=\"256\" tile_size=\"1000\"><tiles>"
    "<tile filename=\"sky_0_0.bmp\" x=\"-500\" y=\"-250\" size=\"1000\"/>"
    "<tile filename=\"sky_1_0.bmp\" x=\"500\" y=\"-250\" size=\"1000\"/>"
    "</tiles></hd>";

class c_scene_io_test : public tw_test::c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        write("sky.xml", k_sky_tiles);
        write("anims/fly.xml", tw_test::anim_file_xml("fly.bmp", {"sleep", "wake", "fly"}));
        write("anims/puzzle.xml", tw_test::anim_file_xml("puzzle.bmp", {"idle"}));
        ASSERT_TRUE(tw_tools::write_bmp("textures/seed.bmp", tw_tools::c_image_rgba(16, 8), 32));
    }
};

// The scene as the writer prints it; every field the file carries shows in it.
std::string saved_text(tw::c_scene& scene, const std::string& path) {
    EXPECT_TRUE(scene.save(path));
    tw::c_xml_document doc;
    EXPECT_TRUE(tw::load_document(doc, path));
    return tw::print_document(doc);
}

TEST_F(c_scene_io_test, loads_every_kind_of_item_with_its_fields) {
    ASSERT_TRUE(load_text(full_scene_xml()));

    ASSERT_EQ(scene_.levels.size(), 2u);
    ASSERT_EQ(scene_.puzzles.size(), 1u);
    const tw::c_scene_puzzle& puzzle = *scene_.puzzles[0];
    EXPECT_FLOAT_EQ(puzzle.anim.base.angle, 0.25f);
    EXPECT_EQ(puzzle.puzzle_index, 3);
    EXPECT_FLOAT_EQ(puzzle.click_radius, 300.5f);
    EXPECT_EQ(puzzle.anim.nodes.size(), 1u);

    // The quad is twice the 16 x 8 bitmap each way, over the whole texture.
    const tw::c_scene_collectible& seed = *scene_.collectibles[0];
    EXPECT_EQ(seed.puzzle_index, -2);
    EXPECT_FLOAT_EQ(seed.half_width, 32);
    EXPECT_FLOAT_EQ(seed.half_height, 16);
    EXPECT_FLOAT_EQ(seed.quad.buffer.positions[1].x, 32);
    EXPECT_FLOAT_EQ(seed.quad.buffer.positions[1].y, 16);
    EXPECT_FLOAT_EQ(seed.quad.buffer.uvs[2].x, 1);
    EXPECT_EQ(seed.quad.material, platform_.get_material("seed.bmp", false));
    EXPECT_EQ(seed.picked_material, platform_.get_material("seed_picked.bmp", false));

    const tw::c_scene_graphic& pebble = *scene_.graphics[0];
    EXPECT_FLOAT_EQ(pebble.quad.buffer.positions[0].x, -40);
    EXPECT_FLOAT_EQ(pebble.quad.buffer.positions[0].y, 30);
    EXPECT_EQ(pebble.quad.material, platform_.get_material("pebble.bmp", false));

    // The anim starts free-running on the file's first graph, placed at its first key.
    const tw::c_scene_anim& fly = *scene_.anims[0];
    EXPECT_EQ(fly.graph, fly.anim.find_graph("sleep"));
    ASSERT_NE(fly.graph, nullptr);
    EXPECT_EQ(fly.anim_position, 100);
    EXPECT_EQ(fly.play_state, tw::k_scene_anim_free);
    EXPECT_FLOAT_EQ(fly.anim.base.tx, 5);
    EXPECT_FLOAT_EQ(fly.anim.base.ty, 6);
    ASSERT_EQ(fly.anim_change_graph.size(), 1u);  // the key without "object" is skipped
    ASSERT_EQ(fly.anim_change_graph.count(40), 1u);
    EXPECT_EQ(fly.anim_change_graph.at(40)->anim_name_loop, "fly");
    EXPECT_EQ(fly.anim_change_graph.at(40)->anim_speed_play_once, 2048);

    ASSERT_EQ(scene_.path_nodes.size(), 3u);
    const tw::c_scene_path_node::path* hop = scene_.find_path("b", "c");
    ASSERT_NE(hop, nullptr);
    EXPECT_EQ(hop->target, scene_.path_nodes[2].get());
    EXPECT_EQ(hop->animation_name, "hop");
    EXPECT_EQ(hop->animtion_speed, 655);
    EXPECT_EQ(scene_.find_path("a", "b")->target, scene_.path_nodes[1].get());

    EXPECT_FLOAT_EQ(scene_.cameras[1]->scene_width, 2048);
}

TEST_F(c_scene_io_test, setting_a_camera_by_name_jumps_the_view_and_an_unknown_name_does_nothing) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    scene_.view.pan = tw::vec3{5, 6, 0};

    EXPECT_EQ(scene_.set_camera("camera2"), scene_.cameras[1].get());
    EXPECT_FLOAT_EQ(scene_.view.position.x, 8192);
    EXPECT_FLOAT_EQ(scene_.view.zoom, 2048);
    EXPECT_FLOAT_EQ(scene_.view.pan.x, 0);

    EXPECT_EQ(scene_.set_camera("camera3"), nullptr);
    EXPECT_FLOAT_EQ(scene_.view.position.x, 8192);
}

TEST_F(c_scene_io_test, save_and_reload_keeps_every_list_field_and_path_link) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    const std::string first = saved_text(scene_, "saved.xml");

    tw::c_scene reloaded;
    ASSERT_TRUE(reloaded.load(platform_, "saved.xml"));
    EXPECT_EQ(saved_text(reloaded, "saved_again.xml"), first);
    // What loading derives comes back too: tiles, quads, animations, links.
    EXPECT_EQ(reloaded.layers[0]->tiles.size(), 2u);
    EXPECT_FLOAT_EQ(reloaded.collectibles[0]->half_width, 32);
    EXPECT_EQ(reloaded.anims[0]->graph, reloaded.anims[0]->anim.find_graph("sleep"));
    EXPECT_EQ(reloaded.puzzles[0]->anim.nodes.size(), 1u);
    EXPECT_EQ(reloaded.find_path("b", "c")->target, reloaded.path_nodes[2].get());
    EXPECT_EQ(reloaded.levels[0]->anims.size(), 1u);
}

TEST_F(c_scene_io_test, save_recomputes_target_indices_so_reordered_nodes_relink_to_the_same_nodes) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    std::swap(scene_.path_nodes[0], scene_.path_nodes[2]);  // c, b, a
    ASSERT_TRUE(scene_.save("saved.xml"));

    tw::c_scene reloaded;
    ASSERT_TRUE(reloaded.load(platform_, "saved.xml"));
    ASSERT_EQ(reloaded.path_nodes[0]->name, "c");
    ASSERT_NE(reloaded.find_path("a", "b"), nullptr);
    ASSERT_NE(reloaded.find_path("b", "a"), nullptr);
    ASSERT_NE(reloaded.find_path("b", "c"), nullptr);
    EXPECT_EQ(reloaded.find_path("b", "c")->target_index, 0);
    EXPECT_EQ(reloaded.find_path("b", "c")->animtion_speed, 655);
}

// The top-level lists and every item's attributes and child elements, in document order.
TEST_F(c_scene_io_test, writer_emits_lists_and_fields_in_their_fixed_order) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    ASSERT_TRUE(scene_.save("saved.xml"));
    tw::c_xml_document doc;
    ASSERT_TRUE(tw::load_document(doc, "saved.xml"));

    struct c_expected {
        const char* list;
        const char* item;
        std::vector<std::string> attributes;
        std::vector<std::string> children;
    };
    const c_expected expected[] = {
        {"levels", "level", {"name"}, {}},
        {"puzzles", "puzzle", {"anim_file_name", "puzzle_index", "level_name", "click_radius"},
         {"transform"}},
        {"collectibles", "collectible",
         {"texture_file_name", "picked_file_name", "puzzle_index", "level_name"}, {"transform"}},
        {"layers", "layer", {"level_name", "file_name", "perspective_factor", "tile_scale"},
         {"transform"}},
        {"anims", "anim", {"anim_file_name", "level_name", "anim_position", "anim_speed"},
         {"transform", "transform_graph", "anim_change_graph"}},
        {"graphics", "graphic", {"level_name", "name", "file_name", "half_width", "half_height"},
         {"transform"}},
        {"path_nodes", "path_node", {"name"}, {"transform", "paths"}},
        {"cameras", "camera", {"scene_width", "name"}, {"position"}},
    };
    rapidxml::xml_node<>* list = tw::first_element(doc, nullptr);
    for (const c_expected& e : expected) {
        ASSERT_NE(list, nullptr) << e.list;
        EXPECT_STREQ(list->name(), e.list);
        rapidxml::xml_node<>* item = list->first_node();
        ASSERT_NE(item, nullptr) << e.list;
        EXPECT_STREQ(item->name(), e.item);
        std::vector<std::string> attributes, children;
        for (auto* a = item->first_attribute(); a; a = a->next_attribute()) {
            attributes.push_back(a->name());
        }
        for (auto* c = item->first_node(); c; c = c->next_sibling()) children.push_back(c->name());
        EXPECT_EQ(attributes, e.attributes) << e.item;
        EXPECT_EQ(children, e.children) << e.item;
        list = list->next_sibling();
    }
    EXPECT_EQ(list, nullptr);

    // Floats print with six decimals; the transform's attributes come in x, y, z, rotation order.
    rapidxml::xml_node<>* layer = tw::first_element(doc, "layers")->first_node("layer");
    EXPECT_STREQ(layer->first_attribute("perspective_factor")->value(), "0.500000");
    std::vector<std::string> transform_attributes;
    for (auto* a = layer->first_node("transform")->first_attribute(); a; a = a->next_attribute()) {
        transform_attributes.push_back(a->name());
    }
    EXPECT_EQ(transform_attributes, (std::vector<std::string>{"x", "y", "z", "rotation"}));
}

TEST_F(c_scene_io_test, lists_in_any_document_order_load_the_same) {
    const std::string text = full_scene_xml();
    ASSERT_TRUE(load_text(text));
    // Move the anims list in front of everything else.
    const size_t begin = text.find("<anims>");
    const size_t end = text.find("</anims>") + std::string("</anims>").size();
    const size_t first = text.find("<levels>");
    std::string reordered = text.substr(begin, end - begin);
    reordered = text.substr(0, first) + reordered + text.substr(first, begin - first) +
                text.substr(end);
    ASSERT_LT(reordered.find("<anims>"), reordered.find("<levels>"));

    tw::c_scene other;
    write("reordered.xml", reordered);
    ASSERT_TRUE(other.load(platform_, "reordered.xml"));
    EXPECT_EQ(saved_text(other, "b.xml"), saved_text(scene_, "a.xml"));
    EXPECT_EQ(other.levels[0]->anims.size(), 1u);
}

TEST_F(c_scene_io_test, only_the_first_list_element_of_a_name_is_read) {
    ASSERT_TRUE(load_text("<levels><level name=\"a\"/></levels><layers/>"
                          "<levels><level name=\"b\"/><level name=\"c\"/></levels>"));
    ASSERT_EQ(scene_.levels.size(), 1u);
    EXPECT_EQ(scene_.levels[0]->name, "a");
}

TEST_F(c_scene_io_test, path_speed_is_read_only_under_the_name_animtion_speed) {
    ASSERT_TRUE(load_text("<path_nodes><path_node name=\"a\"><paths>"
                          "<path target_index=\"0\" animtion_speed=\"655\"/>"
                          "<path target_index=\"0\" animation_speed=\"655\"/>"
                          "<path target_index=\"0\"><animtion_speed>300</animtion_speed></path>"
                          "</paths></path_node></path_nodes>"));
    const auto& paths = scene_.path_nodes[0]->paths;
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[0]->animtion_speed, 655);
    EXPECT_EQ(paths[1]->animtion_speed, 0);
    EXPECT_EQ(paths[2]->animtion_speed, 300);  // a child element of that name counts too
}

TEST_F(c_scene_io_test, a_field_missing_from_the_file_reads_zero_over_the_default) {
    ASSERT_TRUE(load_text("<puzzles><puzzle level_name=\"a\"/></puzzles>"
                          "<layers><layer level_name=\"a\"/></layers>"));
    EXPECT_FLOAT_EQ(scene_.puzzles[0]->click_radius, 0);
    EXPECT_FLOAT_EQ(scene_.layers[0]->tile_scale, 0);
    EXPECT_FLOAT_EQ(scene_.puzzles[0]->anim.base.tx, 0);  // no transform: identity
    EXPECT_FLOAT_EQ(scene_.puzzles[0]->anim.base.m[0], 1);
}

// A node list of three; each case is one path of node "a" with that target_index.
struct c_target_case {
    const char* target_index;
    int linked_node;  // -1: stays unlinked
};

class c_scene_target_test : public c_scene_io_test,
                            public testing::WithParamInterface<c_target_case> {};

TEST_P(c_scene_target_test, links_only_indices_inside_the_node_list) {
    ASSERT_TRUE(load_text(std::string("<path_nodes><path_node name=\"a\"><paths><path target_index=\"") +
                          GetParam().target_index +
                          "\"/></paths></path_node><path_node name=\"b\">" +
                          transform_xml("transform", 100, 0, 0) +
                          "</path_node><path_node name=\"c\">" +
                          transform_xml("transform", 0, 100, 0) + "</path_node></path_nodes>"));
    const tw::c_scene_path_node::path& path = *scene_.path_nodes[0]->paths[0];
    if (GetParam().linked_node < 0) {
        EXPECT_EQ(path.target, nullptr);
    } else {
        EXPECT_EQ(path.target, scene_.path_nodes[GetParam().linked_node].get());
    }
}

INSTANTIATE_TEST_SUITE_P(indices, c_scene_target_test,
                         testing::Values(c_target_case{"2", 2}, c_target_case{"1", 1},
                                         c_target_case{"3", -1}, c_target_case{"-1", -1},
                                         c_target_case{"-32768", -1}, c_target_case{"65537", -1},
                                         c_target_case{"99999999999", -1}));

TEST_F(c_scene_io_test, levels_take_objects_by_exact_case_sensitive_name_in_list_order) {
    ASSERT_TRUE(load_text(
        "<layers><layer level_name=\"meadow\" file_name=\"l1\"/>"
        "<layer level_name=\"Meadow\" file_name=\"l2\"/>"
        "<layer level_name=\"meadow \" file_name=\"l3\"/>"
        "<layer level_name=\"meadow\" file_name=\"l4\"/></layers>"
        "<graphics><graphic level_name=\"MEADOW\" name=\"g1\"/>"
        "<graphic level_name=\"meadow\" name=\"g2\"/></graphics>"
        "<levels><level name=\"meadow\"/><level name=\"Meadow\"/></levels>"));
    ASSERT_EQ(scene_.layers.size(), 4u);
    const tw::c_scene_level& lower = *scene_.levels[0];
    const tw::c_scene_level& upper = *scene_.levels[1];
    ASSERT_EQ(lower.layers.size(), 2u);
    EXPECT_EQ(lower.layers[0]->file_name, "l1");
    EXPECT_EQ(lower.layers[1]->file_name, "l4");
    ASSERT_EQ(upper.layers.size(), 1u);
    EXPECT_EQ(upper.layers[0]->file_name, "l2");
    ASSERT_EQ(lower.graphics.size(), 1u);
    EXPECT_EQ(lower.graphics[0]->name, "g2");
    EXPECT_TRUE(upper.graphics.empty());
}

TEST_F(c_scene_io_test, layer_tiles_and_their_shared_quad_come_from_the_tile_file) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    const tw::c_scene_layer& sky = *scene_.layers[0];
    EXPECT_EQ(sky.texture_size, 256);
    EXPECT_EQ(sky.tile_size, 1000);
    ASSERT_EQ(sky.tiles.size(), 2u);
    EXPECT_EQ(sky.tiles[1]->filename, "sky_1_0.bmp");
    EXPECT_EQ(sky.tiles[1]->x, 500);
    EXPECT_EQ(sky.tiles[1]->y, -250);
    EXPECT_EQ(sky.tiles[1]->size, 1000);
    EXPECT_EQ(sky.tiles[1]->material, platform_.get_material("sky_1_0.bmp", false));

    // Half-extent 1000 x 2 / 2; texture coordinates inset by half a texel of 256.
    const tw::c_vertex_buffer_quad& quad = sky.tile_quad;
    const float h = 1000.0f;
    const float m = 0.5f / 256;
    const tw::vec2 corners[4] = {{-h, h}, {h, h}, {h, -h}, {-h, -h}};
    const tw::vec2 uvs[4] = {{m, m}, {1 - m, m}, {1 - m, 1 - m}, {m, 1 - m}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(quad.positions[i].x, corners[i].x) << i;
        EXPECT_FLOAT_EQ(quad.positions[i].y, corners[i].y) << i;
        EXPECT_FLOAT_EQ(quad.positions[i].z, 0) << i;
        EXPECT_FLOAT_EQ(quad.uvs[i].x, uvs[i].x) << i;
        EXPECT_FLOAT_EQ(quad.uvs[i].y, uvs[i].y) << i;
        EXPECT_EQ(quad.colours[i].r, 255);
        EXPECT_EQ(quad.colours[i].a, 255);
    }
}

// Tile files without the "hd" header, unreadable, malformed, or with hostile sizes.
TEST_F(c_scene_io_test, a_tile_file_without_header_gives_no_tiles_and_no_nan) {
    const char* const files[] = {
        "<tiles><tile filename=\"a.bmp\" x=\"0\" y=\"0\" size=\"1\"/></tiles>",
        "<hd texture_size=\"512\" tile_size=\"64\"><tiles><tile filename=\"a.bmp\"",
        "",
    };
    for (const char* file : files) {
        write("tiles.xml", file);
        tw::c_scene_layer layer;
        layer.file_name = "tiles.xml";
        layer.tile_scale = 3;
        EXPECT_FALSE(layer.load_tiles(platform_)) << file;
        EXPECT_TRUE(layer.tiles.empty()) << file;
        EXPECT_EQ(layer.texture_size, 0) << file;
        EXPECT_EQ(layer.tile_size, 0) << file;
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(layer.tile_quad.positions[i].x, 0) << file;
            EXPECT_FALSE(std::isnan(layer.tile_quad.uvs[i].x)) << file;
        }
    }

    write("tiles.xml", "<hd texture_size=\"0\" tile_size=\"-64\"><tiles>"
                       "<tile filename=\"a.bmp\" x=\"-99999\" y=\"abc\"/></tiles></hd>");
    tw::c_scene_layer hostile;
    hostile.file_name = "tiles.xml";
    EXPECT_TRUE(hostile.load_tiles(platform_));
    ASSERT_EQ(hostile.tiles.size(), 1u);
    EXPECT_EQ(hostile.tiles[0]->x, -99999);
    EXPECT_EQ(hostile.tiles[0]->y, 0);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(std::isfinite(hostile.tile_quad.uvs[i].y));
}

TEST_F(c_scene_io_test, a_missing_or_malformed_scene_file_loads_empty_and_clears_the_old_scene) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    scene_.add_particle_system(std::make_unique<tw::c_scene_particle_dampen_and_fade>(
        nullptr, "meadow", tw::c_rgba{}));

    EXPECT_FALSE(load_text("<levels><level name=\"a\"></levels><cameras>"));
    EXPECT_TRUE(scene_.levels.empty());
    EXPECT_TRUE(scene_.puzzles.empty());
    EXPECT_TRUE(scene_.collectibles.empty());
    EXPECT_TRUE(scene_.layers.empty());
    EXPECT_TRUE(scene_.anims.empty());
    EXPECT_TRUE(scene_.graphics.empty());
    EXPECT_TRUE(scene_.particle_systems.empty());
    EXPECT_TRUE(scene_.path_nodes.empty());
    EXPECT_TRUE(scene_.cameras.empty());
    EXPECT_EQ(scene_.character, nullptr);

    EXPECT_FALSE(scene_.load(platform_, "no_such_scene.xml"));
    EXPECT_TRUE(scene_.levels.empty());
}

TEST_F(c_scene_io_test, missing_item_files_leave_those_items_empty_and_loading_goes_on) {
    ASSERT_TRUE(load_text(
        "<levels><level name=\"a\"/></levels>"
        "<collectibles><collectible texture_file_name=\"gone.bmp\" level_name=\"a\"/></collectibles>"
        "<layers><layer level_name=\"a\" file_name=\"gone.xml\"/></layers>"
        "<anims><anim anim_file_name=\"anims/gone.xml\" level_name=\"a\"/></anims>"
        "<cameras><camera name=\"camera1\"/></cameras>"));
    EXPECT_FLOAT_EQ(scene_.collectibles[0]->half_width, 0);
    EXPECT_TRUE(scene_.layers[0]->tiles.empty());
    EXPECT_TRUE(scene_.anims[0]->anim.nodes.empty());
    EXPECT_EQ(scene_.anims[0]->graph, nullptr);
    EXPECT_EQ(scene_.cameras.size(), 1u);
}

TEST_F(c_scene_io_test, saving_to_an_unwritable_path_reports_failure) {
    ASSERT_TRUE(load_text(full_scene_xml()));
    EXPECT_FALSE(scene_.save("no_such_folder/scene.xml"));
}

}  // namespace
