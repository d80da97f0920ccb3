// Playback and drawing: depth order of the draw queue, world transforms, material
// binding, poses, graph tracks at and between keys, and hostile hierarchies.
#include <gtest/gtest.h>

#include <cmath>

#include "anim_test_support.h"
#include "common/bmp_writer.h"

namespace {

using tw::c_anim;
using tw::e_render_call;
using tw_test::c_anim_test;
using tw_test::graphic_xml;
using tw_test::node_xml;

constexpr float k_half_pi = 1.5707963f;

// n graphics whose first vertex colours have red 10, 11, 12, ... in order.
std::string graphics_xml(int n) {
    std::string text = "<graphics>";
    for (int i = 0; i < n; ++i) text += graphic_xml(10 + i, "g" + std::to_string(i));
    return text + "</graphics>";
}

std::vector<float> translated_z(const tw::c_render_device_recording& device) {
    std::vector<float> z;
    for (const tw::c_render_call& call : device.calls_of(e_render_call::translate)) {
        z.push_back(call.values[2]);
    }
    return z;
}

TEST_F(c_anim_test, equal_depths_draw_in_walk_order_and_lower_depths_first) {
    // 0 -> {1, 2, 4}, 1 -> {3}; node 4 sits one unit below its parent.
    c_anim anim;
    load_text(anim, graphics_xml(5) + "<nodes>" + node_xml(0, -1, 0, 0, {1, 2, 4}) +
                        node_xml(1, 0, 1, 0, {3}) + node_xml(2, 0, 2, 0, {}) +
                        node_xml(3, 1, 3, 0, {}) + node_xml(4, 0, 4, -1, {}) + "</nodes>");
    anim.draw(platform_);
    EXPECT_EQ(drawn_ids(), (std::vector<int>{14, 10, 11, 13, 12}));
    EXPECT_EQ(translated_z(device_), (std::vector<float>{-1, 0, 0, 0, 0}));
}

TEST_F(c_anim_test, depth_is_the_world_z_of_the_node) {
    // Node 1 lifts itself and its child by 2; the child's -2 brings it back
    // level with the root and with node 2, which is visited after it.
    c_anim anim;
    load_text(anim, graphics_xml(4) + "<nodes>" + node_xml(0, -1, 0, 1, {1, 2}) +
                        node_xml(1, 0, 0, 2, {3}) + node_xml(2, 0, 0, 0, {}) +
                        node_xml(3, 1, 0, -2, {}) + "</nodes>");
    anim.draw(platform_);
    EXPECT_EQ(drawn_ids(), (std::vector<int>{10, 13, 12, 11}));
    EXPECT_EQ(translated_z(device_), (std::vector<float>{1, 1, 1, 3}));
}

TEST_F(c_anim_test, drawing_places_quads_under_the_base_and_parent_transforms) {
    c_anim anim;
    load_text(anim, graphics_xml(2) + "<nodes>" + node_xml(0, -1, 10, 0, {1}, k_half_pi) +
                        node_xml(1, 0, 1, 0, {}, 0.5f) + "</nodes>");
    anim.base.tx = 100;
    anim.draw(platform_);

    const auto translations = device_.calls_of(e_render_call::translate);
    ASSERT_EQ(translations.size(), 2u);
    EXPECT_FLOAT_EQ(translations[0].values[0], 110);
    EXPECT_NEAR(translations[1].values[0], 110, 1e-5);
    EXPECT_NEAR(translations[1].values[1], 1, 1e-5);
    const auto matrices = device_.calls_of(e_render_call::multiply_modelview);
    ASSERT_EQ(matrices.size(), 2u);
    EXPECT_NEAR(matrices[1].matrix[0], std::cos(k_half_pi + 0.5f), 1e-5);
    EXPECT_NEAR(matrices[1].matrix[1], std::sin(k_half_pi + 0.5f), 1e-5);

    const tw::c_transform world = anim.node_world_transform(*anim.nodes[1]);
    EXPECT_NEAR(world.tx, 10, 1e-5) << "the base is not part of a node's world transform";
    EXPECT_NEAR(world.ty, 1, 1e-5);
    EXPECT_FLOAT_EQ(world.angle, k_half_pi + 0.5f);
    EXPECT_EQ(device_.calls_of(e_render_call::draw_quads)[1].positions.size(), 4u);
}

TEST_F(c_anim_test, each_quad_binds_its_graphic_material_and_a_bad_index_binds_none) {
    ASSERT_TRUE(tw_tools::write_bmp("textures/a.bmp", tw_tools::c_image_rgba(2, 2), 24));
    ASSERT_TRUE(tw_tools::write_bmp("textures/b.bmp", tw_tools::c_image_rgba(2, 2), 24));
    c_anim anim;
    load_text(anim, "<materials><material texture_file_name=\"a.bmp\"/>"
                    "<material texture_file_name=\"b.bmp\"/></materials><graphics>"
                    "<graphic material_index=\"1\"/><graphic material_index=\"0\"/>"
                    "<graphic material_index=\"2\"/></graphics><nodes>" +
                        node_xml(0, -1, 0, 0, {1, 2}) + node_xml(1, 0, 0, 0, {}) +
                        node_xml(2, 0, 0, 0, {}) + "</nodes>");
    while (platform_.load_next_queued()) {
    }
    const uint32_t a = anim.materials[0]->material->texture->name;
    const uint32_t b = anim.materials[1]->material->texture->name;
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);

    anim.draw(platform_);
    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 3u);
    EXPECT_EQ(draws[0].texture, b);
    EXPECT_EQ(draws[1].texture, a);
    EXPECT_EQ(draws[2].texture, 0u);
    for (const auto& draw : draws) EXPECT_FALSE(draw.additive);
}

TEST_F(c_anim_test, node_without_graphic_is_skipped_but_its_children_draw) {
    c_anim anim;
    load_text(anim, graphics_xml(2) + "<nodes>" + node_xml(0, -1, 0, 0, {1}) +
                        node_xml(7, 0, 0, 0, {2}) + node_xml(1, 1, 0, 0, {}) + "</nodes>");
    anim.draw(platform_);
    EXPECT_EQ(drawn_ids(), (std::vector<int>{10, 11}));
}

TEST_F(c_anim_test, looping_child_lists_draw_each_node_at_most_once_per_node_of_the_file) {
    c_anim anim;
    load_text(anim, graphics_xml(1) + "<nodes>" + node_xml(0, -1, 0, 0, {0, 1, 1}) +
                        node_xml(0, 0, 0, 0, {0, 1}) + "</nodes>");
    anim.draw(platform_);
    EXPECT_EQ(device_.count(e_render_call::draw_quads), 2);
}

TEST_F(c_anim_test, deep_hierarchy_draws_without_exhausting_the_stack) {
    constexpr int k_depth = 20000;
    std::string nodes = "<nodes>";
    for (int i = 0; i < k_depth; ++i) {
        nodes += "<node parent_index=\"" + std::to_string(i - 1) +
                 "\"><transform x=\"1\"/><children><index value=\"" + std::to_string(i + 1) +
                 "\"/></children></node>";
    }
    c_anim anim;
    load_text(anim, graphics_xml(1) + nodes + "</nodes>");
    anim.draw(platform_);
    EXPECT_EQ(device_.count(e_render_call::draw_quads), k_depth);
    EXPECT_FLOAT_EQ(anim.node_world_transform(*anim.nodes.back()).tx, float(k_depth));
}

TEST_F(c_anim_test, a_depth_that_is_not_a_number_is_not_drawn) {
    c_anim anim;
    load_text(anim, graphics_xml(2) +
                        "<nodes><node parent_index=\"-1\"><transform z=\"nan\"/><children>"
                        "<index value=\"1\"/></children></node>" +
                        node_xml(1, 0, 0, 0, {}) + "<node/></nodes>");
    anim.draw(platform_);
    EXPECT_TRUE(drawn_ids().empty()) << "the child's world depth is not a number either";
    anim.nodes[0]->transform.tz = 0;
    anim.draw(platform_);
    EXPECT_EQ(drawn_ids(), (std::vector<int>{10, 11}));
}

// One node at x 2, angle 0.2, and a pose moving it to x 6, angle 1; the pose
// also names a node that does not exist.
const char* const k_pose_file =
    "<nodes><node parent_index=\"-1\"><transform x=\"2\" y=\"-1\" rotation=\"0.2\"/></node>"
    "<node parent_index=\"0\"><transform x=\"9\"/></node></nodes>"
    "<poses><pose name=\"reach\"><transforms>"
    "<transform node_index=\"2\"><transform x=\"50\"/></transform>"
    "<transform node_index=\"0\"><transform x=\"6\" y=\"3\" rotation=\"1\"/></transform>"
    "</transforms></pose></poses>";

// A weight below 0 stands for apply_pose, which must land where weight 1 does.
constexpr float k_apply = -1;

class anim_pose_weight : public c_anim_test, public testing::WithParamInterface<float> {};

TEST_P(anim_pose_weight, moves_the_posed_nodes_by_the_weight_and_skips_missing_ones) {
    c_anim anim;
    load_text(anim, k_pose_file);
    const tw::c_anim_pose& reach = *anim.find_pose("reach");
    const float w = GetParam() == k_apply ? 1 : GetParam();
    if (GetParam() == k_apply) {
        anim.apply_pose(reach);
    } else {
        anim.blend_pose(reach, w);
    }
    const tw::c_transform& t = anim.nodes[0]->transform;
    EXPECT_FLOAT_EQ(t.tx, 2 + 4 * w);
    EXPECT_FLOAT_EQ(t.ty, -1 + 4 * w);
    EXPECT_FLOAT_EQ(t.angle, 0.2f + 0.8f * w);
    EXPECT_NEAR(t.m[1], std::sin(0.2f + 0.8f * w), 1e-6);
    EXPECT_FLOAT_EQ(anim.nodes[1]->transform.tx, 9);
}

INSTANTIATE_TEST_SUITE_P(weights, anim_pose_weight, testing::Values(0.0f, 0.5f, 1.0f, k_apply));

// Node 0 has a transform track with keys at 1000 (x 10, angle 0) and 3000
// (x 30, angle 1) and a graphic track switching to graphic 1 at 1000 and to
// a missing graphic at 2000. Node 1 is tracked by a second graph only. A
// third track names a node that does not exist.
const std::string k_graph_file =
    graphics_xml(3) + "<nodes>" + node_xml(0, -1, 0, 0, {1}) + node_xml(2, 0, 5, 0, {}) +
    "</nodes><graphs><graph name=\"swing\"><transforms>"
    "<graph node_index=\"0\"><values>"
    "<value index=\"3000\"><value x=\"30\" rotation=\"1\"/></value>"
    "<value index=\"1000\"><value x=\"10\"/></value>"
    "</values></graph>"
    "<graph node_index=\"5\"><values><value index=\"0\"><value x=\"1\"/></value></values></graph>"
    "</transforms><graphics><graph node_index=\"0\"><values>"
    "<value index=\"1000\"><object graphic_index=\"1\"/></value>"
    "<value index=\"2000\"><object graphic_index=\"9\"/></value>"
    "</values></graph><graph node_index=\"5\"><values>"
    "<value index=\"0\"><object graphic_index=\"0\"/></value></values></graph>"
    "</graphics></graph>"
    "<graph name=\"full\"><transforms><graph node_index=\"1\"><values>"
    "<value index=\"0\"><value x=\"0\"/></value>"
    "<value index=\"65535\"><value x=\"65535\" rotation=\"2\"/></value>"
    "</values></graph></transforms></graph></graphs>";

struct c_track_case {
    const char* name;
    uint16_t t;
    float x;
    float angle;
};

void PrintTo(const c_track_case& c, std::ostream* out) { *out << c.name; }

class anim_transform_track : public c_anim_test,
                             public testing::WithParamInterface<c_track_case> {};

TEST_P(anim_transform_track, interpolates_between_keys_and_holds_the_nearest_outside) {
    c_anim anim;
    load_text(anim, k_graph_file);
    anim.apply_graph(*anim.find_graph("swing"), GetParam().t);
    EXPECT_FLOAT_EQ(anim.nodes[0]->transform.tx, GetParam().x);
    EXPECT_FLOAT_EQ(anim.nodes[0]->transform.angle, GetParam().angle);
    EXPECT_NEAR(anim.nodes[0]->transform.m[0], std::cos(GetParam().angle), 1e-6);
    EXPECT_FLOAT_EQ(anim.nodes[1]->transform.tx, 5) << "untracked nodes keep their transform";
}

INSTANTIATE_TEST_SUITE_P(
    times, anim_transform_track,
    testing::Values(c_track_case{"before_first_key", 0, 10, 0},
                    c_track_case{"at_first_key", 1000, 10, 0},
                    c_track_case{"quarter_way", 1500, 15, 0.25f},
                    c_track_case{"midway", 2000, 20, 0.5f},
                    c_track_case{"at_last_key", 3000, 30, 1},
                    c_track_case{"after_last_key", 65535, 30, 1}),
    [](const testing::TestParamInfo<c_track_case>& info) { return info.param.name; });

TEST_F(c_anim_test, track_from_time_0_to_65535_weighs_by_the_whole_axis) {
    c_anim anim;
    load_text(anim, k_graph_file);
    anim.apply_graph(*anim.find_graph("full"), 32768);
    // Weight 32768 / 65535, not one half: x lands on 32768, not 32767.5.
    EXPECT_FLOAT_EQ(anim.nodes[1]->transform.tx, 32768);
    EXPECT_FLOAT_EQ(anim.nodes[1]->transform.angle, 2 * (32768.0f / 65535.0f));
    EXPECT_FLOAT_EQ(anim.nodes[0]->transform.tx, 0) << "untracked nodes keep their transform";
}

TEST_F(c_anim_test, graphic_track_keeps_the_graphic_before_its_first_key_and_switches_at_keys) {
    c_anim anim;
    load_text(anim, k_graph_file);
    const tw::c_anim_graph& swing = *anim.find_graph("swing");
    tw::c_anim_node& node = *anim.nodes[0];

    anim.apply_graph(swing, 500);
    EXPECT_EQ(node.graphic, anim.graphics[0].get());
    anim.apply_graph(swing, 1000);
    EXPECT_EQ(node.graphic, anim.graphics[1].get());
    anim.apply_graph(swing, 1999);
    EXPECT_EQ(node.graphic, anim.graphics[1].get());

    // The key at 2000 names a missing graphic: the node is hidden, its child is not.
    anim.apply_graph(swing, 2000);
    EXPECT_EQ(node.graphic, nullptr);
    anim.draw(platform_);
    EXPECT_EQ(drawn_ids(), std::vector<int>{12});

    anim.apply_graph(swing, 500);
    EXPECT_EQ(node.graphic, nullptr) << "before the first key the last graphic stays";
}

}  // namespace
