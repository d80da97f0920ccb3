// The rig and the creatures built from it, on made-up part geometry: quads keep their
// texture's aspect around the pivot, tables with mistakes are refused, and every graph
// brackets its keys, loops seamlessly, ends at rest where it must and stays in depth.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "anim/creatures.h"
#include "support/temp_folder.h"

namespace tw_tools {
namespace {

constexpr float k_min_visible_depth = -96;
constexpr float k_max_visible_depth = 128;

// A part per element id, each of a different size, as the art tool would list them.
c_part_geometry fake_geometry(const std::vector<std::string>& ids) {
    c_part_geometry geometry;
    int n = 0;
    for (const std::string& id : ids) {
        c_part_rect rect;
        rect.file = "textures/test/" + id + ".bmp";
        rect.x = -20.0 * n;
        rect.y = -10.0 * n;
        rect.width = 40 + 10 * n;
        rect.height = 30 + 3 * n;
        rect.pixel_width = int(rect.width);
        rect.pixel_height = int(rect.height);
        geometry[id] = rect;
        ++n;
    }
    return geometry;
}

const std::vector<std::string> k_larva_elements = {
    "larva_shadow",      "larva_glow",     "larva_leg",  "larva_seg0",       "larva_seg1",
    "larva_seg2",        "larva_seg3",     "larva_seg4", "larva_antenna_far", "larva_mandible",
    "larva_head",        "larva_eye",      "larva_eye_closed", "larva_eye_happy", "larva_antenna_near",
    "larva_petal"};
const std::vector<std::string> k_firefly_elements = {
    "firefly_halo", "firefly_wing_far", "firefly_antenna_far", "firefly_legs",         "firefly_abdomen",
    "firefly_lantern", "firefly_body",  "firefly_head",        "firefly_eye",          "firefly_eye_closed",
    "firefly_antenna_near", "firefly_wing_near"};

const std::vector<std::string> k_fly_elements = {
    "fly_wing_far", "fly_wing_far_blur", "fly_legs_far", "fly_abdomen",  "fly_thorax",   "fly_head",     "fly_eye_far",
    "fly_eye",      "fly_antenna",       "fly_leg_front", "fly_leg_mid", "fly_leg_back", "fly_wing_near", "fly_wing_near_blur"};
const std::vector<std::string> k_dragonfly_elements = {
    "dragonfly_glow",  "dragonfly_wing_fore_far", "dragonfly_wing_hind_far", "dragonfly_seg0", "dragonfly_seg1",
    "dragonfly_seg2",  "dragonfly_seg3",          "dragonfly_seg4",          "dragonfly_thorax", "dragonfly_legs",
    "dragonfly_head",  "dragonfly_eye_far",       "dragonfly_eye",           "dragonfly_wing_hind_near",
    "dragonfly_wing_fore_near"};

// The chapter one set: its cocoons and puzzle-spot props share this naming.
std::vector<std::string> part_ids(const std::string& prefix, const std::vector<std::string>& parts) {
    std::vector<std::string> ids;
    for (const std::string& part : parts) ids.push_back(prefix + "_" + part);
    return ids;
}
const std::vector<std::string> k_cocoon_a_elements =
    part_ids("cocoon_a", {"pad", "glow", "body", "band1", "band2", "band3", "band4", "face"});
const std::vector<std::string> k_cocoon_b_elements =
    part_ids("cocoon_b", {"pad", "glow", "body", "band1", "band2", "band3", "band4", "strands"});
const std::vector<std::string> k_rose_elements = part_ids("c1rose", {"glow", "stalk", "back", "centre", "front"});
const std::vector<std::string> k_silk_elements = part_ids("c1silk", {"glow", "back", "front", "glints"});
const std::vector<std::string> k_seedhead_elements =
    part_ids("c1seedhead", {"glow", "stalk", "back", "disc", "front"});

bool same_transform(const tw::c_transform& a, const tw::c_transform& b) {
    return a.tx == b.tx && a.ty == b.ty && a.tz == b.tz && a.angle == b.angle;
}

TEST(anim_rig_quads, keep_the_texture_aspect_around_the_pivot) {
    struct c_case {
        c_part_rect rect;
        float pivot_x, pivot_y, scale;
    };
    const c_case cases[] = {
        {{"t.bmp", 10, 20, 100, 50, 100, 50}, 10, 20, 1},
        {{"t.bmp", -30, -80, 87, 81, 87, 81}, 0, 0, 1},
        {{"t.bmp", -283, -155, 226, 226, 113, 113}, -170, -42, 0.85f},
    };
    for (const c_case& c : cases) {
        tw::c_anim_graphic graphic;
        make_part_quad(c.rect, {"g", "e", c.pivot_x, c.pivot_y, c.scale, 200}, graphic);
        const tw::vec3* p = graphic.buffer.positions.get();
        const float width = p[1].x - p[0].x;
        const float height = p[0].y - p[3].y;
        EXPECT_NEAR(width / height, float(c.rect.pixel_width) / float(c.rect.pixel_height), 1e-4f);
        // The top-left corner sits where the rectangle's corner is seen from the pivot, y up.
        EXPECT_NEAR(p[0].x, (c.rect.x - c.pivot_x) * c.scale, 1e-3f);
        EXPECT_NEAR(p[0].y, -(c.rect.y - c.pivot_y) * c.scale, 1e-3f);
        EXPECT_FLOAT_EQ(graphic.buffer.uvs[0].y, 0);  // v runs down from the texture's top
        EXPECT_FLOAT_EQ(graphic.buffer.uvs[2].y, 1);
        EXPECT_EQ(graphic.buffer.colours[3].a, 200);
    }
}

TEST(anim_rig_tables, mistakes_are_refused_with_a_reason) {
    const c_part_geometry geometry = fake_geometry({"a", "b"});
    const std::vector<c_graphic_def> graphics = {{"ga", "a", 0, 0, 1, 255}, {"gb", "b", 0, 0, 1, 255}};
    struct c_case {
        const char* what;
        std::vector<c_graphic_def> graphics;
        std::vector<c_node_def> nodes;
    };
    const c_case cases[] = {
        {"missing element", {{"gx", "x", 0, 0, 1, 255}}, {}},
        {"graphic twice", {{"ga", "a", 0, 0, 1, 255}, {"ga", "b", 0, 0, 1, 255}}, {}},
        {"root with parent", graphics, {{"n", "m", "ga", 0, 0, 0, false}}},
        {"second root", graphics, {{"n", "", "ga", 0, 0, 0, false}, {"m", "", "gb", 0, 0, 0, false}}},
        {"parent later", graphics,
         {{"n", "", "ga", 0, 0, 0, false}, {"m", "k", "gb", 0, 0, 0, false}, {"k", "n", "gb", 0, 0, 0, false}}},
        {"unknown graphic", graphics, {{"n", "", "gz", 0, 0, 0, false}}},
    };
    for (const c_case& c : cases) {
        SCOPED_TRACE(c.what);
        c_rig rig;
        tw::c_anim anim;
        std::string error;
        EXPECT_FALSE(rig.build(c.graphics, c.nodes, geometry, anim, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(anim_rig_tables, children_sit_relative_to_their_parent_with_y_up) {
    const c_part_geometry geometry = fake_geometry({"a"});
    c_rig rig;
    tw::c_anim anim;
    std::string error;
    ASSERT_TRUE(rig.build({{"g", "a", 0, 0, 1, 255}},
                          {{"root", "", "g", 10, -5, -10, false}, {"arm", "root", "g", 40, -25, 3, false}}, geometry,
                          anim, error))
        << error;
    anim.resolve();
    EXPECT_EQ(anim.nodes[0]->parent_index, -1);
    ASSERT_EQ(anim.nodes[0]->child_indices, std::vector<uint16_t>{1});
    const tw::c_transform world = anim.node_world_transform(*anim.nodes[1]);
    EXPECT_FLOAT_EQ(world.tx, 40);
    EXPECT_FLOAT_EQ(world.ty, 25);
    EXPECT_FLOAT_EQ(world.tz, 3);
}

TEST(anim_part_geometry, reads_the_art_tools_file_and_refuses_incomplete_entries) {
    tw_test::c_temp_folder folder;
    const std::string good = folder.path + "/good.xml";
    std::ofstream(good) << "<geometry><element id=\"seg\" file=\"textures/x/seg.bmp\" x=\"-211.5\" y=\"-80.5\" "
                           "width=\"87\" height=\"81\" pixel_width=\"87\" pixel_height=\"81\"/></geometry>";
    c_part_geometry geometry;
    std::string error;
    ASSERT_TRUE(read_part_geometry(good, geometry, error)) << error;
    ASSERT_EQ(geometry.count("seg"), 1u);
    EXPECT_DOUBLE_EQ(geometry["seg"].x, -211.5);
    EXPECT_EQ(geometry["seg"].pixel_height, 81);
    EXPECT_EQ(geometry["seg"].file, "textures/x/seg.bmp");

    const std::string bad = folder.path + "/bad.xml";
    std::ofstream(bad) << "<geometry><element id=\"seg\" file=\"a.bmp\" x=\"1\" y=\"2\" width=\"0\" height=\"3\" "
                          "pixel_width=\"1\" pixel_height=\"1\"/></geometry>";
    EXPECT_FALSE(read_part_geometry(bad, geometry, error));
    EXPECT_FALSE(read_part_geometry(folder.path + "/missing.xml", geometry, error));
}

TEST(anim_levels, level_names_round_to_the_nearest_and_clamp) {
    EXPECT_EQ(level_graphic("glow", 0, 8), "glow_0");
    EXPECT_EQ(level_graphic("glow", 1, 8), "glow_7");
    EXPECT_EQ(level_graphic("glow", 0.5f, 5), "glow_2");
    EXPECT_EQ(level_graphic("glow", 3, 5), "glow_4");
    EXPECT_EQ(level_graphic("glow", -1, 5), "glow_0");
}

struct c_creature_case {
    const char* name;
    bool (*build)(const c_part_geometry&, tw::c_anim&, std::string&);
    const std::vector<std::string>* elements;
    std::vector<std::string> graphs;
    std::vector<std::string> loops;
    std::vector<std::string> end_at_rest;
};

class anim_creature : public testing::TestWithParam<c_creature_case> {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(GetParam().build(fake_geometry(*GetParam().elements), anim, error)) << error;
        anim.resolve();
    }
    tw::c_anim anim;
};

TEST_P(anim_creature, has_its_graphs_and_a_default_pose_over_a_rooted_tree) {
    ASSERT_NE(anim.find_pose("default"), nullptr);
    for (const std::string& name : GetParam().graphs) EXPECT_NE(anim.find_graph(name), nullptr) << name;
    ASSERT_NE(anim.root, nullptr);
    EXPECT_EQ(anim.root->parent_index, -1);
    for (const auto& node : anim.nodes) {
        ASSERT_NE(node->graphic, nullptr) << node->name;
        EXPECT_NE(node->graphic->material, nullptr) << node->name;
        if (node.get() != anim.root) {
            EXPECT_NE(node->parent, nullptr) << node->name;
        }
    }
}

TEST_P(anim_creature, every_track_brackets_the_whole_time_range) {
    for (const auto& graph : anim.graphs) {
        EXPECT_EQ(graph->transforms.size(), anim.nodes.size()) << graph->name;
        for (const auto& track : graph->transforms) {
            ASSERT_FALSE(track->values.empty());
            EXPECT_EQ(track->values.begin()->first, 0) << graph->name;
            EXPECT_EQ(track->values.rbegin()->first, 65535) << graph->name;
        }
        for (const auto& track : graph->graphics) {
            ASSERT_FALSE(track->values.empty());
            EXPECT_EQ(track->values.begin()->first, 0) << graph->name;
            EXPECT_EQ(track->values.rbegin()->first, 65535) << graph->name;
            for (const auto& key : track->values) EXPECT_NE(key.second->graphic, nullptr) << graph->name;
        }
    }
}

TEST_P(anim_creature, loops_end_exactly_where_they_start) {
    for (const std::string& name : GetParam().loops) {
        const tw::c_anim_graph* graph = anim.find_graph(name);
        ASSERT_NE(graph, nullptr) << name;
        for (const auto& track : graph->transforms) {
            EXPECT_TRUE(same_transform(track->values.at(0), track->values.at(65535)))
                << name << " node " << track->node_index;
        }
        // A graphic shown at the end is the one the loop starts with again.
        for (const auto& track : graph->graphics) {
            EXPECT_EQ(track->values.rbegin()->second->graphic, track->values.begin()->second->graphic) << name;
        }
    }
}

TEST_P(anim_creature, played_once_graphs_end_in_the_default_pose) {
    const tw::c_anim_pose* rest = anim.find_pose("default");
    ASSERT_NE(rest, nullptr);
    for (const std::string& name : GetParam().end_at_rest) {
        const tw::c_anim_graph* graph = anim.find_graph(name);
        ASSERT_NE(graph, nullptr) << name;
        for (const auto& entry : rest->transforms) {
            const tw::c_transform& end = graph->transforms[entry->node_index]->values.at(65535);
            EXPECT_NEAR(end.tx, entry->transform.tx, 1e-3f) << name << " node " << entry->node_index;
            EXPECT_NEAR(end.ty, entry->transform.ty, 1e-3f) << name << " node " << entry->node_index;
            EXPECT_NEAR(end.angle, entry->transform.angle, 1e-4f) << name << " node " << entry->node_index;
        }
    }
}

TEST_P(anim_creature, every_depth_stays_visible_throughout_every_graph) {
    for (const auto& graph : anim.graphs) {
        for (uint32_t t = 0; t <= 65535; t += 1021) {
            anim.apply_graph(*graph, uint16_t(t));
            for (const auto& node : anim.nodes) {
                const float z = anim.node_world_transform(*node).tz;
                EXPECT_GE(z, k_min_visible_depth) << graph->name << " " << node->name;
                EXPECT_LE(z, k_max_visible_depth) << graph->name << " " << node->name;
            }
        }
    }
}

TEST_P(anim_creature, every_graphic_keeps_its_texture_aspect) {
    for (const auto& graphic : anim.graphics) {
        ASSERT_NE(graphic->material, nullptr) << graphic->name;
        const tw::vec3* p = graphic->buffer.positions.get();
        const float quad_aspect = (p[1].x - p[0].x) / (p[0].y - p[3].y);
        const float texture_aspect = float(graphic->material->texture_width) / graphic->material->texture_height;
        EXPECT_NEAR(quad_aspect, texture_aspect, 1e-3f * texture_aspect) << graphic->name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    creatures, anim_creature,
    testing::Values(c_creature_case{"larva", build_larva, &k_larva_elements,
                                    {"walk", "turn", "idle", "action", "hop", "thread", "hang", "chrysalis"},
                                    {"walk", "idle", "hang"}, {"action", "hop"}},
                    c_creature_case{"firefly", build_firefly, &k_firefly_elements,
                                    {"sleep", "wake", "fly"}, {"sleep", "fly"}, {}},
                    c_creature_case{"fly", build_fly, &k_fly_elements, {"fly"}, {"fly"}, {}},
                    c_creature_case{"dragonfly", build_dragonfly, &k_dragonfly_elements, {"fly"}, {"fly"}, {}},
                    c_creature_case{"cocoon_a", build_cocoon_a, &k_cocoon_a_elements, {"idle", "build"}, {"idle"}, {}},
                    c_creature_case{"cocoon_b", build_cocoon_b, &k_cocoon_b_elements, {"idle", "build"}, {"idle"}, {}},
                    c_creature_case{"rose", build_c1rose, &k_rose_elements, {"idle"}, {"idle"}, {}},
                    c_creature_case{"silk", build_c1silk, &k_silk_elements, {"idle"}, {"idle"}, {}},
                    c_creature_case{"seedhead", build_c1seedhead, &k_seedhead_elements, {"idle"}, {"idle"}, {}}),
    [](const testing::TestParamInfo<c_creature_case>& info) { return std::string(info.param.name); });

// Graphs played one after another: the first ends exactly where the second starts.
TEST(anim_handover, a_played_once_graph_ends_in_the_first_pose_of_the_next) {
    struct c_case {
        bool (*build)(const c_part_geometry&, tw::c_anim&, std::string&);
        const std::vector<std::string>* elements;
        const char* from;
        const char* to;
    };
    const c_case cases[] = {
        {build_firefly, &k_firefly_elements, "wake", "fly"},
        {build_larva, &k_larva_elements, "thread", "hang"},
        {build_cocoon_a, &k_cocoon_a_elements, "build", "idle"},
        {build_cocoon_b, &k_cocoon_b_elements, "build", "idle"},
    };
    for (const c_case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " to " + c.to);
        tw::c_anim anim;
        std::string error;
        ASSERT_TRUE(c.build(fake_geometry(*c.elements), anim, error)) << error;
        const tw::c_anim_graph* from = anim.find_graph(c.from);
        const tw::c_anim_graph* to = anim.find_graph(c.to);
        ASSERT_TRUE(from && to);
        for (size_t i = 0; i < anim.nodes.size(); ++i) {
            const tw::c_transform& end = from->transforms[i]->values.at(65535);
            const tw::c_transform& start = to->transforms[i]->values.at(0);
            EXPECT_NEAR(end.tx, start.tx, 1e-3f) << anim.nodes[i]->name;
            EXPECT_NEAR(end.ty, start.ty, 1e-3f) << anim.nodes[i]->name;
            EXPECT_NEAR(end.angle, start.angle, 1e-4f) << anim.nodes[i]->name;
        }
    }
}

// Under the cane the larva hangs from its tail at the origin along +y; the petal it
// wraps itself in shows only in "chrysalis".
TEST(anim_larva, hangs_from_its_tail_and_shows_the_petal_only_when_wrapping) {
    tw::c_anim anim;
    std::string error;
    ASSERT_TRUE(build_larva(fake_geometry(k_larva_elements), anim, error)) << error;
    anim.resolve();
    anim.apply_graph(*anim.find_graph("hang"), 0);
    const tw::c_transform tail = anim.node_world_transform(*anim.nodes[1]);
    const tw::c_transform head = anim.node_world_transform(*anim.nodes[11]);
    EXPECT_LT(std::hypot(tail.tx, tail.ty), 60);
    EXPECT_GT(head.ty - tail.ty, 250);
    EXPECT_LT(std::fabs(head.tx - tail.tx), 0.5f * (head.ty - tail.ty));
    const tw::c_anim_node* petal = anim.nodes.back().get();
    ASSERT_EQ(petal->name, "petal");
    for (const auto& graph : anim.graphs) {
        for (uint32_t t = 0; t <= 65535; t += 4369) {
            anim.apply_graph(*graph, uint16_t(t));
            const bool shown = petal->graphic->buffer.colours[0].a > 0;
            if (graph->name != "chrysalis") {
                EXPECT_FALSE(shown) << graph->name << " at " << t;
            }
        }
    }
    EXPECT_GT(petal->graphic->buffer.colours[0].a, 200) << "wrapped at the end of chrysalis";
}

TEST(anim_larva, the_turn_is_most_gathered_where_the_facing_flips) {
    tw::c_anim anim;
    std::string error;
    ASSERT_TRUE(build_larva(fake_geometry(k_larva_elements), anim, error)) << error;
    anim.resolve();
    const tw::c_anim_graph* turn = anim.find_graph("turn");
    ASSERT_NE(turn, nullptr);
    // The character's turn plays up to 9 * 6553 and back; the body is shortest there.
    const auto length_at = [&](uint16_t t) {
        anim.apply_graph(*turn, t);
        const tw::c_anim_node* tail = anim.nodes[1].get();
        const tw::c_anim_node* head = anim.nodes[11].get();
        return anim.node_world_transform(*head).tx - anim.node_world_transform(*tail).tx;
    };
    ASSERT_EQ(anim.nodes[1]->name, "seg0");
    ASSERT_EQ(anim.nodes[11]->name, "head");
    EXPECT_LT(length_at(9 * 6553), 0.85f * length_at(0));
    EXPECT_GE(length_at(9 * 6553), length_at(65535) - 1e-3f);
}

// The node's angle in a graph at t, found by playing it.
float angle_at(tw::c_anim& anim, const tw::c_anim_graph& graph, const std::string& node, uint16_t t) {
    anim.apply_graph(graph, t);
    for (const auto& n : anim.nodes) {
        if (n->name == node) return n->transform.angle;
    }
    ADD_FAILURE() << "no node " << node;
    return 0;
}

TEST(anim_fly, wings_smear_mid_stroke_and_show_sharp_at_the_stroke_ends) {
    tw::c_anim anim;
    std::string error;
    ASSERT_TRUE(build_fly(fake_geometry(k_fly_elements), anim, error)) << error;
    anim.resolve();
    const tw::c_anim_graph* fly = anim.find_graph("fly");
    ASSERT_NE(fly, nullptr);
    // Four beats a loop: the top of the first stroke is an eighth in, the middle of it at 0.
    const uint16_t top = 65535 / 16;
    const uint16_t mid = 65535 / 8;
    for (const char* wing : {"wing_near", "wing_far"}) {
        SCOPED_TRACE(wing);
        const tw::c_anim_node* node = nullptr;
        for (const auto& n : anim.nodes) {
            if (n->name == wing) node = n.get();
        }
        ASSERT_NE(node, nullptr);
        anim.apply_graph(*fly, mid);
        EXPECT_EQ(node->graphic->name, std::string(wing) + "_blur");
        anim.apply_graph(*fly, top);
        EXPECT_EQ(node->graphic->name, wing);
        // The stroke sweeps the wing well up and down about its rest.
        EXPECT_GT(angle_at(anim, *fly, wing, top), 0.4f);
        EXPECT_LT(angle_at(anim, *fly, wing, uint16_t(3 * top)), -0.4f);
    }
}

TEST(anim_dragonfly, wing_pairs_beat_against_each_other_and_the_glow_pulses) {
    tw::c_anim anim;
    std::string error;
    ASSERT_TRUE(build_dragonfly(fake_geometry(k_dragonfly_elements), anim, error)) << error;
    anim.resolve();
    const tw::c_anim_graph* fly = anim.find_graph("fly");
    ASSERT_NE(fly, nullptr);
    // Three beats a loop: the forewings' first top is a twelfth in.
    const uint16_t fore_top = 65535 / 12;
    EXPECT_GT(angle_at(anim, *fly, "wing_fore_near", fore_top), 0.3f);
    EXPECT_LT(angle_at(anim, *fly, "wing_hind_near", fore_top), -0.3f);
    EXPECT_GT(angle_at(anim, *fly, "wing_fore_far", fore_top), 0.3f);
    EXPECT_LT(angle_at(anim, *fly, "wing_hind_far", fore_top), -0.3f);
    // Every halo steps through several strengths, none fully out, and the pulse runs
    // along the body, so the thorax and the tail do not peak together.
    std::set<std::string> thorax_levels;
    int thorax_peak = -1;
    int tail_peak = -1;
    for (int step = 0; step <= 64; ++step) {
        const uint16_t t = uint16_t(step * 65535 / 64);
        anim.apply_graph(*fly, t);
        for (const auto& n : anim.nodes) {
            if (n->name.compare(0, 4, "glow") != 0) continue;
            ASSERT_NE(n->graphic, nullptr);
            EXPECT_NE(n->graphic->name, "glow_0") << n->name;
            if (n->name == "glow_thorax") {
                thorax_levels.insert(n->graphic->name);
                if (n->graphic->name == "glow_9" && thorax_peak < 0) thorax_peak = step;
            }
            if (n->name == "glow4" && n->graphic->name == "glow_9" && tail_peak < 0) tail_peak = step;
        }
    }
    EXPECT_GE(thorax_levels.size(), 4u);
    EXPECT_NE(thorax_peak, tail_peak);
}

}  // namespace
}  // namespace tw_tools
