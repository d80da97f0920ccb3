// Reading animation files: every field of the vocabulary, reference resolving
// with hostile indices, key rules, lookups by name, replacing, bad files, and
// the save-then-load round trip.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "anim_test_support.h"
#include "common/bmp_writer.h"

namespace {

using tw::c_anim;
using tw_test::c_anim_test;

// Lists deliberately out of order; one scalar given as a child element.
const char* const k_full_file = R"(<?xml version="1.0"?>
<graphs>
  <graph name="walk">
    <transforms>
      <graph node_index="1">
        <values>
          <value index="0"><value x="1" y="2" z="3" rotation="0.5"/></value>
          <value index="65535"><value x="5" y="6" z="7" rotation="1.5"/></value>
        </values>
      </graph>
    </transforms>
    <graphics>
      <graph node_index="0">
        <values>
          <value index="100"><object graphic_index="1"/></value>
        </values>
      </graph>
    </graphics>
  </graph>
</graphs>
<materials>
  <material texture_file_name="leaf.bmp"/>
  <material><texture_file_name>stem.bmp</texture_file_name></material>
</materials>
<graphics>
  <graphic name="head" material_index="1">
    <v0 x="-1" y="2" z="0.5"/><v1 x="1" y="2" z="0"/><v2 x="1" y="-2" z="0"/><v3 x="-1" y="-2" z="0"/>
    <t0 x="0" y="0"/><t1 x="0.25" y="0"/><t2 x="0.25" y="0.75"/><t3 x="0" y="0.75"/>
    <c0 r="10" g="20" b="30" a="40"/><c1 r="1" g="2" b="3" a="4"/>
    <c2 r="5" g="6" b="7" a="8"/><c3 r="255" g="254" b="253" a="252"/>
  </graphic>
  <graphic name="tail" material_index="0"/>
</graphics>
<nodes>
  <node name="body" graphic_index="0" parent_index="-1">
    <transform x="10" y="20" z="-3" rotation="0.25"/>
    <children><index value="1"/></children>
  </node>
  <node name="tip" graphic_index="1" parent_index="0"><children/></node>
</nodes>
<poses>
  <pose name="rest">
    <transforms>
      <transform node_index="1"><transform x="4" y="5" z="6" rotation="-1"/></transform>
    </transforms>
  </pose>
</poses>
)";

void expect_transform(const tw::c_transform& t, float x, float y, float z, float angle) {
    EXPECT_FLOAT_EQ(t.tx, x);
    EXPECT_FLOAT_EQ(t.ty, y);
    EXPECT_FLOAT_EQ(t.tz, z);
    EXPECT_FLOAT_EQ(t.angle, angle);
    EXPECT_NEAR(t.m[0], std::cos(angle), 1e-6);
    EXPECT_NEAR(t.m[1], std::sin(angle), 1e-6);
}

std::string read_text(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The content of k_full_file, as loaded (also after a save and a second load).
void expect_full_file_content(const c_anim& anim, tw::c_platform& platform) {
    ASSERT_EQ(anim.materials.size(), 2u);
    EXPECT_EQ(anim.materials[0]->texture_file_name, "leaf.bmp");
    EXPECT_EQ(anim.materials[0]->texture_width, 8);
    EXPECT_EQ(anim.materials[0]->texture_height, 4);
    EXPECT_EQ(anim.materials[0]->material, platform.get_material("leaf.bmp", false));
    EXPECT_EQ(anim.materials[1]->texture_file_name, "stem.bmp");
    EXPECT_EQ(anim.materials[1]->texture_width, 0) << "no such texture";
    EXPECT_EQ(anim.materials[1]->material, platform.get_material("stem.bmp", false));

    ASSERT_EQ(anim.graphics.size(), 2u);
    const tw::c_anim_graphic& head = *anim.graphics[0];
    EXPECT_EQ(head.name, "head");
    EXPECT_EQ(head.material, anim.materials[1].get());
    EXPECT_FLOAT_EQ(head.buffer.positions[0].x, -1);
    EXPECT_FLOAT_EQ(head.buffer.positions[0].z, 0.5);
    EXPECT_FLOAT_EQ(head.buffer.positions[2].y, -2);
    EXPECT_FLOAT_EQ(head.buffer.uvs[2].x, 0.25);
    EXPECT_FLOAT_EQ(head.buffer.uvs[2].y, 0.75);
    EXPECT_EQ(head.buffer.colours[0].g, 20);
    EXPECT_EQ(head.buffer.colours[3].a, 252);
    EXPECT_EQ(anim.graphics[1]->material, anim.materials[0].get());

    ASSERT_EQ(anim.nodes.size(), 2u);
    const tw::c_anim_node& body = *anim.nodes[0];
    const tw::c_anim_node& tip = *anim.nodes[1];
    EXPECT_EQ(anim.root, &body);
    EXPECT_EQ(body.name, "body");
    expect_transform(body.transform, 10, 20, -3, 0.25f);
    EXPECT_EQ(body.graphic, &head);
    EXPECT_EQ(body.parent, nullptr);
    EXPECT_EQ(body.children, std::vector<tw::c_anim_node*>{anim.nodes[1].get()});
    EXPECT_EQ(tip.parent, &body);
    EXPECT_EQ(tip.graphic, anim.graphics[1].get());
    expect_transform(tip.transform, 0, 0, 0, 0);

    ASSERT_EQ(anim.poses.size(), 1u);
    ASSERT_EQ(anim.poses[0]->transforms.size(), 1u);
    EXPECT_EQ(anim.poses[0]->transforms[0]->node, &tip);
    expect_transform(anim.poses[0]->transforms[0]->transform, 4, 5, 6, -1);

    ASSERT_EQ(anim.graphs.size(), 1u);
    const tw::c_anim_graph& walk = *anim.graphs[0];
    ASSERT_EQ(walk.transforms.size(), 1u);
    EXPECT_EQ(walk.transforms[0]->node, &tip);
    ASSERT_EQ(walk.transforms[0]->values.size(), 2u);
    expect_transform(walk.transforms[0]->values.at(0), 1, 2, 3, 0.5f);
    expect_transform(walk.transforms[0]->values.at(65535), 5, 6, 7, 1.5f);
    ASSERT_EQ(walk.graphics.size(), 1u);
    EXPECT_EQ(walk.graphics[0]->anim_node, &body);
    EXPECT_EQ(walk.graphics[0]->values.at(100)->graphic, anim.graphics[1].get());
}

TEST_F(c_anim_test, full_file_reads_every_field_and_resolves_references) {
    ASSERT_TRUE(tw_tools::write_bmp("textures/leaf.bmp", tw_tools::c_image_rgba(8, 4), 24));
    c_anim anim;
    load_text(anim, k_full_file);
    expect_full_file_content(anim, platform_);
}

TEST_F(c_anim_test, out_of_range_indices_resolve_to_null_or_are_skipped) {
    c_anim anim;
    load_text(anim, "<materials><material texture_file_name=\"a.bmp\"/></materials>"
                    "<graphics><graphic material_index=\"1\"/><graphic material_index=\"-1\"/>"
                    "<graphic material_index=\"0\"/></graphics>"
                    "<nodes><node graphic_index=\"3\" parent_index=\"-1\"><children>"
                    "<index value=\"2\"/><index value=\"1\"/><index value=\"65535\"/>"
                    "</children></node>"
                    "<node graphic_index=\"2\" parent_index=\"2\"/></nodes>"
                    "<poses><pose><transforms><transform node_index=\"2\"/>"
                    "<transform node_index=\"1\"/></transforms></pose></poses>"
                    "<graphs><graph><transforms><graph node_index=\"2\"/></transforms>"
                    "<graphics><graph node_index=\"9\"><values>"
                    "<value index=\"1\"><object graphic_index=\"3\"/></value>"
                    "<value index=\"2\"><object graphic_index=\"-1\"/></value>"
                    "<value index=\"3\"><object graphic_index=\"2\"/></value>"
                    "</values></graph></graphics></graph></graphs>");

    EXPECT_EQ(anim.graphics[0]->material, nullptr);
    EXPECT_EQ(anim.graphics[1]->material, nullptr);
    EXPECT_EQ(anim.graphics[2]->material, anim.materials[0].get());
    EXPECT_EQ(anim.nodes[0]->graphic, nullptr);
    EXPECT_EQ(anim.nodes[0]->child_indices, (std::vector<uint16_t>{2, 1, 65535}));
    EXPECT_EQ(anim.nodes[0]->children, std::vector<tw::c_anim_node*>{anim.nodes[1].get()});
    EXPECT_EQ(anim.nodes[1]->parent, nullptr);
    ASSERT_EQ(anim.poses[0]->transforms.size(), 2u) << "an entry out of range is kept";
    EXPECT_EQ(anim.poses[0]->transforms[0]->node, nullptr);
    EXPECT_EQ(anim.poses[0]->transforms[1]->node, anim.nodes[1].get());
    EXPECT_EQ(anim.graphs[0]->transforms[0]->node, nullptr);
    const auto& keys = anim.graphs[0]->graphics[0]->values;
    EXPECT_EQ(anim.graphs[0]->graphics[0]->anim_node, nullptr);
    EXPECT_EQ(keys.at(1)->graphic, nullptr);
    EXPECT_EQ(keys.at(2)->graphic, nullptr);
    EXPECT_EQ(keys.at(3)->graphic, anim.graphics[2].get());
}

TEST_F(c_anim_test, missing_fields_read_as_zero_and_vertices_default_to_zero_and_white) {
    c_anim anim;
    load_text(anim, "<graphics><graphic/></graphics><nodes><node/><node/></nodes>");
    const tw::c_vertex_buffer_quad& buffer = anim.graphics[0]->buffer;
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(buffer.positions[v].x, 0);
        EXPECT_EQ(buffer.uvs[v].y, 0);
        EXPECT_EQ(buffer.colours[v].r, 255);
        EXPECT_EQ(buffer.colours[v].a, 255);
    }
    EXPECT_EQ(anim.graphics[0]->material_index, 0);
    EXPECT_EQ(anim.nodes[1]->parent_index, 0) << "a missing parent index reads 0";
    EXPECT_EQ(anim.nodes[1]->parent, anim.nodes[0].get());
    // Node 0 reads as its own parent; that loop is not followed.
    EXPECT_EQ(anim.nodes[0]->parent, nullptr);
}

TEST_F(c_anim_test, parent_loops_are_cut_so_world_transforms_end) {
    c_anim anim;
    load_text(anim, "<nodes>" + tw_test::node_xml(0, -1, 0, 0, {}) +
                        tw_test::node_xml(0, 2, 1, 0, {}) + tw_test::node_xml(0, 1, 2, 0, {}) +
                        "</nodes>");
    // Walking up from node 1 reaches 2, whose link back to 1 closes the loop.
    EXPECT_EQ(anim.nodes[1]->parent, anim.nodes[2].get());
    EXPECT_EQ(anim.nodes[2]->parent, nullptr);
    EXPECT_FLOAT_EQ(anim.node_world_transform(*anim.nodes[1]).tx, 3);
    EXPECT_FLOAT_EQ(anim.node_world_transform(*anim.nodes[2]).tx, 2);
}

TEST_F(c_anim_test, track_keys_later_duplicate_wins_and_empty_keys_follow_the_rules) {
    c_anim anim;
    load_text(anim, "<graphs><graph><transforms><graph node_index=\"0\"><values>"
                    "<value index=\"5\"><value x=\"1\"/></value>"
                    "<value index=\"5\"><value x=\"2\"/></value>"
                    "<value index=\"9\"/>"
                    "</values></graph></transforms>"
                    "<graphics><graph node_index=\"0\"><values>"
                    "<value index=\"7\"><object graphic_index=\"1\"/></value>"
                    "<value index=\"7\"><object graphic_index=\"2\"/></value>"
                    "<value index=\"8\"/>"
                    "</values></graph></graphics></graph></graphs>");
    const auto& transforms = anim.graphs[0]->transforms[0]->values;
    ASSERT_EQ(transforms.size(), 2u);
    EXPECT_FLOAT_EQ(transforms.at(5).tx, 2);
    expect_transform(transforms.at(9), 0, 0, 0, 0);
    const auto& graphics = anim.graphs[0]->graphics[0]->values;
    ASSERT_EQ(graphics.size(), 1u) << "a key without an object is skipped";
    EXPECT_EQ(graphics.at(7)->graphic_index, 2);
}

TEST_F(c_anim_test, lookups_by_name_return_the_first_exact_match) {
    c_anim anim;
    load_text(anim, "<graphics><graphic name=\"a\"/><graphic name=\"b\"/><graphic name=\"b\"/>"
                    "</graphics><poses><pose name=\"p\"/><pose name=\"p\"/></poses>"
                    "<graphs><graph name=\"walk\"/><graph name=\"walk\"/></graphs>");
    EXPECT_EQ(anim.find_graphic("b"), anim.graphics[1].get());
    EXPECT_EQ(anim.find_pose("p"), anim.poses[0].get());
    EXPECT_EQ(anim.find_graph("walk"), anim.graphs[0].get());
    EXPECT_EQ(anim.find_graph("Walk"), nullptr);
    EXPECT_EQ(anim.find_graphic(""), nullptr);
    EXPECT_EQ(anim.find_pose("q"), nullptr);
}

TEST_F(c_anim_test, loading_a_second_file_replaces_everything) {
    c_anim anim;
    load_text(anim, k_full_file);
    load_text(anim, "<nodes><node name=\"only\" parent_index=\"-1\"/></nodes>");
    EXPECT_TRUE(anim.materials.empty());
    EXPECT_TRUE(anim.graphics.empty());
    EXPECT_TRUE(anim.poses.empty());
    EXPECT_TRUE(anim.graphs.empty());
    ASSERT_EQ(anim.nodes.size(), 1u);
    EXPECT_EQ(anim.root, anim.nodes[0].get());
    EXPECT_EQ(anim.root->graphic, nullptr);
    EXPECT_EQ(anim.find_graph("walk"), nullptr);
}

struct c_bad_file_case {
    const char* name;
    std::string text;  // written to the file unless missing
    bool missing;
};

void PrintTo(const c_bad_file_case& c, std::ostream* out) { *out << c.name; }

class anim_bad_file : public c_anim_test, public testing::WithParamInterface<c_bad_file_case> {};

TEST_P(anim_bad_file, gives_an_empty_animation_that_draws_nothing) {
    c_anim anim;
    load_text(anim, k_full_file);
    const c_bad_file_case& bad = GetParam();
    if (bad.missing) {
        anim.load(platform_, "anims/none.xml");
    } else {
        load_text(anim, bad.text);
    }
    EXPECT_TRUE(anim.materials.empty());
    EXPECT_TRUE(anim.graphics.empty());
    EXPECT_TRUE(anim.nodes.empty());
    EXPECT_TRUE(anim.poses.empty());
    EXPECT_TRUE(anim.graphs.empty());
    EXPECT_EQ(anim.root, nullptr);
    EXPECT_EQ(anim.find_graph("walk"), nullptr);
    device_.calls.clear();
    anim.draw(platform_);
    EXPECT_TRUE(device_.calls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    cases, anim_bad_file,
    testing::Values(c_bad_file_case{"missing", "", true},
                    c_bad_file_case{"empty", "", false},
                    c_bad_file_case{"truncated", std::string(k_full_file).substr(0, 900), false},
                    c_bad_file_case{"unclosed", "<nodes><node parent_index=\"-1\">", false},
                    c_bad_file_case{"binary", std::string("\x01\xff<\0>&", 6), false}),
    [](const testing::TestParamInfo<c_bad_file_case>& info) { return info.param.name; });

TEST_F(c_anim_test, file_without_nodes_loads_with_null_root_and_draws_nothing) {
    c_anim anim;
    load_text(anim, "<materials><material texture_file_name=\"a.bmp\"/></materials><graphics>" +
                        tw_test::graphic_xml(1) + "</graphics>");
    EXPECT_EQ(anim.graphics.size(), 1u);
    EXPECT_EQ(anim.root, nullptr);
    anim.draw(platform_);
    EXPECT_EQ(device_.count(tw::e_render_call::draw_quads), 0);
}

TEST_F(c_anim_test, saved_file_loads_back_every_list_field_and_index) {
    ASSERT_TRUE(tw_tools::write_bmp("textures/leaf.bmp", tw_tools::c_image_rgba(8, 4), 24));
    c_anim original;
    load_text(original, k_full_file);
    ASSERT_TRUE(original.save("anims/copy.xml"));
    c_anim copy;
    copy.load(platform_, "anims/copy.xml");
    expect_full_file_content(copy, platform_);
}

TEST_F(c_anim_test, animation_built_in_code_saves_and_loads_back) {
    c_anim built;
    built.materials.push_back(std::make_unique<tw::c_anim_material>());
    built.materials[0]->texture_file_name = "grub.bmp";
    built.graphics.push_back(std::make_unique<tw::c_anim_graphic>());
    built.graphics[0]->material_index = -1;
    built.graphics[0]->buffer.set_quad_rect(-8, -4, 8, 4);
    built.graphics[0]->buffer.uvs[2] = tw::vec2{0.125f, 0.875f};
    built.graphics[0]->buffer.set_colour(1, 2, 3, 4);
    for (int i = 0; i < 3; ++i) {
        auto node = std::make_unique<tw::c_anim_node>();
        node->parent_index = int16_t(i - 1);
        if (i < 2) node->child_indices.push_back(uint16_t(i + 1));
        tw::transform_set_angle(node->transform, 0.125f * float(i));
        built.nodes.push_back(std::move(node));
    }
    auto graph = std::make_unique<tw::c_anim_graph>();
    graph->name = "crawl";
    graph->transforms.push_back(std::make_unique<tw::c_anim_graph::graph_transform>());
    graph->transforms[0]->node_index = 1;
    graph->transforms[0]->values[40000].ty = -1;
    graph->graphics.push_back(std::make_unique<tw::c_anim_graph::graph_graphic>());
    graph->graphics[0]->node_index = 2;
    graph->graphics[0]->values[300] = std::make_unique<tw::c_anim_graph::graph_graphic::node>();
    graph->graphics[0]->values[300]->graphic_index = -7;
    graph->graphics[0]->values[301] = nullptr;  // an empty key has nothing to write
    built.graphs.push_back(std::move(graph));
    built.resolve();
    ASSERT_TRUE(built.save("anims/built.xml"));

    c_anim loaded;
    loaded.load(platform_, "anims/built.xml");
    EXPECT_EQ(loaded.graphics[0]->material_index, -1);
    EXPECT_FLOAT_EQ(loaded.graphics[0]->buffer.positions[2].x, 8);
    EXPECT_FLOAT_EQ(loaded.graphics[0]->buffer.uvs[2].y, 0.875f);
    EXPECT_EQ(loaded.graphics[0]->buffer.colours[3].b, 3);
    EXPECT_EQ(loaded.nodes[2]->parent, loaded.nodes[1].get());
    EXPECT_EQ(loaded.root->children, std::vector<tw::c_anim_node*>{loaded.nodes[1].get()});
    EXPECT_FLOAT_EQ(loaded.nodes[2]->transform.angle, 0.25f);
    EXPECT_FLOAT_EQ(loaded.graphs[0]->transforms[0]->values.at(40000).ty, -1);
    const auto& keys = loaded.graphs[0]->graphics[0]->values;
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys.at(300)->graphic_index, -7);
    // Saving what was loaded writes the same file again.
    ASSERT_TRUE(loaded.save("anims/again.xml"));
    EXPECT_EQ(read_text("anims/again.xml"), read_text("anims/built.xml"));
}

TEST_F(c_anim_test, save_reports_an_unwritable_file) {
    c_anim anim;
    EXPECT_FALSE(anim.save("no_such_folder/anim.xml"));
}

}  // namespace
