// Path linking (direction, length, facing, camera crossings, automatic paths)
// and the choice of the path that best follows a drag at a node.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "scene/scene_path_node.h"

namespace {

using tw::c_scene_camera;
using tw::c_scene_camera_list;
using tw::c_scene_path_node;
using tw::c_scene_path_node_list;
using tw::vec2;

constexpr float k_degree = 3.14159265f / 180;

c_scene_path_node& add_node(c_scene_path_node_list& nodes, float x, float y, float angle = 0) {
    auto node = std::make_unique<c_scene_path_node>();
    node->transform.tx = x;
    node->transform.ty = y;
    tw::transform_set_angle(node->transform, angle);
    nodes.push_back(std::move(node));
    return *nodes.back();
}

c_scene_path_node::path& add_path(c_scene_path_node& from, int16_t target_index,
                                  const char* animation = "") {
    from.paths.push_back(std::make_unique<c_scene_path_node::path>());
    from.paths.back()->target_index = target_index;
    from.paths.back()->animation_name = animation;
    return *from.paths.back();
}

void add_camera(c_scene_camera_list& cameras, float x, float width) {
    cameras.push_back(std::make_unique<c_scene_camera>(c_scene_camera{{x, 0, 0}, width, ""}));
}

vec2 at_degrees(float degrees) {
    return {std::cos(degrees * k_degree), std::sin(degrees * k_degree)};
}

TEST(path_link, computes_direction_length_and_facing_from_the_two_nodes) {
    c_scene_path_node_list nodes;
    add_node(nodes, 100, 100);
    add_node(nodes, 400, 500, 0.2f);
    add_path(*nodes[0], 1);
    add_path(*nodes[1], 0);
    tw::link_paths(nodes, {});
    const c_scene_path_node::path& there = *nodes[0]->paths[0];
    const c_scene_path_node::path& back = *nodes[1]->paths[0];
    EXPECT_EQ(there.target, nodes[1].get());
    EXPECT_FLOAT_EQ(there.length, 500);
    EXPECT_FLOAT_EQ(there.direction.x, 0.6f);
    EXPECT_FLOAT_EQ(there.direction.y, 0.8f);
    EXPECT_FLOAT_EQ(back.direction.x, -0.6f);
    EXPECT_TRUE(there.facing);
    EXPECT_FALSE(back.facing);
    EXPECT_FALSE(there.automatic);
    EXPECT_FALSE(there.camera_change);
}

struct c_facing_case {
    const char* name;
    float source_angle, target_angle;
    float to_x, to_y;  // target position; the source is at the origin
    bool facing;
};

class path_facing : public testing::TestWithParam<c_facing_case> {};

TEST_P(path_facing, follows_the_nodes_mean_axis) {
    const c_facing_case& c = GetParam();
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0, c.source_angle);
    add_node(nodes, c.to_x, c.to_y, c.target_angle);
    tw::link_path(*nodes[0], add_path(*nodes[0], 1), *nodes[1], {});
    EXPECT_EQ(nodes[0]->paths[0]->facing, c.facing);
}

INSTANTIATE_TEST_SUITE_P(
    cases, path_facing,
    testing::Values(c_facing_case{"right_on_level_nodes", 0, 0, 100, 0, true},
                    c_facing_case{"left_on_level_nodes", 0, 0, -100, 0, false},
                    c_facing_case{"straight_up_on_level_nodes", 0, 0, 0, 100, false},
                    c_facing_case{"up_a_wall_of_upright_nodes", 1.5f, 1.6f, 10, 100, true},
                    c_facing_case{"left_on_nodes_turned_round", 3.0f, 3.2f, -100, 5, true},
                    c_facing_case{"mean_axis_not_the_source_axis", 0, 3.0f, -20, 100, true}),
    [](const testing::TestParamInfo<c_facing_case>& info) { return info.param.name; });

TEST(path_link, a_path_into_another_cameras_region_changes_camera_and_is_automatic) {
    c_scene_camera_list cameras;
    add_camera(cameras, 0, 1000);
    add_camera(cameras, 2000, 1000);
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    add_node(nodes, 2000, 0);
    add_node(nodes, 5000, 0);  // in no camera's region
    add_node(nodes, 300, 0);
    add_path(*nodes[0], 1);
    add_path(*nodes[1], 2);
    add_path(*nodes[0], 3);
    tw::link_paths(nodes, cameras);
    const auto& into_second = *nodes[0]->paths[0];
    EXPECT_TRUE(into_second.camera_change);
    EXPECT_TRUE(into_second.automatic);
    EXPECT_EQ(into_second.target_camera, cameras[1].get());
    const auto& into_nothing = *nodes[1]->paths[0];
    EXPECT_TRUE(into_nothing.automatic);
    EXPECT_EQ(into_nothing.target_camera, nullptr);
    const auto& inside = *nodes[0]->paths[1];
    EXPECT_FALSE(inside.automatic);
    EXPECT_EQ(inside.target_camera, nullptr);
}

TEST(path_link, a_named_animation_makes_the_path_automatic) {
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    add_node(nodes, 0, 300);
    add_path(*nodes[0], 1, "climb");
    tw::link_paths(nodes, {});
    EXPECT_TRUE(nodes[0]->paths[0]->has_animation);
    EXPECT_TRUE(nodes[0]->paths[0]->automatic);
    EXPECT_FALSE(nodes[0]->paths[0]->camera_change);
}

TEST(path_link, relinking_after_the_nodes_move_recomputes_every_flag) {
    c_scene_camera_list cameras;
    add_camera(cameras, 0, 1000);
    add_camera(cameras, 3000, 1000);
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    add_node(nodes, 3000, 0);
    add_path(*nodes[0], 1);
    tw::link_paths(nodes, cameras);
    ASSERT_TRUE(nodes[0]->paths[0]->automatic);
    nodes[1]->transform.tx = 500;
    tw::link_paths(nodes, cameras);
    EXPECT_FALSE(nodes[0]->paths[0]->automatic);
    EXPECT_EQ(nodes[0]->paths[0]->target_camera, nullptr);
}

TEST(path_link, indices_outside_the_node_list_leave_the_path_unlinked) {
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    add_node(nodes, 10, 0);
    add_path(*nodes[0], 2);   // equal to the node count
    add_path(*nodes[0], -1);
    add_path(*nodes[0], 1);
    tw::link_paths(nodes, {});
    EXPECT_EQ(nodes[0]->paths[0]->target, nullptr);
    EXPECT_EQ(nodes[0]->paths[1]->target, nullptr);
    EXPECT_EQ(nodes[0]->paths[2]->target, nodes[1].get());
}

TEST(path_link, two_nodes_at_one_spot_give_a_zero_length_path_without_nan) {
    c_scene_path_node_list nodes;
    add_node(nodes, 7, 7);
    add_node(nodes, 7, 7);
    tw::link_path(*nodes[0], add_path(*nodes[0], 1), *nodes[1], {});
    const auto& p = *nodes[0]->paths[0];
    EXPECT_FLOAT_EQ(p.length, 0);
    EXPECT_FALSE(std::isnan(p.direction.x) || std::isnan(p.direction.y));
}

// A node at the origin with one path per angle (degrees), linked to nodes 100 away.
c_scene_path_node_list fan(std::initializer_list<float> angles) {
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    int16_t index = 1;
    for (float degrees : angles) {
        const vec2 d = at_degrees(degrees);
        add_node(nodes, 100 * d.x, 100 * d.y);
        add_path(*nodes[0], index++);
    }
    tw::link_paths(nodes, {});
    return nodes;
}

struct c_choice_case {
    const char* name;
    float drag_degrees;
    int chosen;  // index in the node's path list, -1 for none
};

class path_choice_of_one : public testing::TestWithParam<c_choice_case> {};

TEST_P(path_choice_of_one, takes_the_path_only_within_1_4_radians) {
    const c_scene_path_node_list nodes = fan({0});
    const auto* chosen = tw::choose_path(*nodes[0], at_degrees(GetParam().drag_degrees));
    EXPECT_EQ(chosen, GetParam().chosen < 0 ? nullptr : nodes[0]->paths[0].get());
}

INSTANTIATE_TEST_SUITE_P(
    drags, path_choice_of_one,
    testing::Values(c_choice_case{"straight_along", 0, 0}, c_choice_case{"at_80_degrees", 80, 0},
                    c_choice_case{"at_minus_80_degrees", -80, 0},
                    c_choice_case{"at_81_degrees", 81, -1},
                    c_choice_case{"straight_back", 180, -1}),
    [](const testing::TestParamInfo<c_choice_case>& info) { return info.param.name; });

TEST(path_choice, takes_the_closest_direction) {
    const c_scene_path_node_list nodes = fan({0, 90, 180});
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(60)), nodes[0]->paths[1].get());
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(150)), nodes[0]->paths[2].get());
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(-30)), nodes[0]->paths[0].get());
}

TEST(path_choice, ties_go_to_the_first_path_in_the_list) {
    const c_scene_path_node_list nodes = fan({60, 0});
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(30)), nodes[0]->paths[0].get());
    const c_scene_path_node_list swapped = fan({0, 60});
    EXPECT_EQ(tw::choose_path(*swapped[0], at_degrees(30)), swapped[0]->paths[0].get());
}

TEST(path_choice, passes_over_closed_and_unlinked_paths) {
    c_scene_path_node_list nodes = fan({0, 20});
    nodes[0]->paths[0]->enabled = false;
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(0)), nodes[0]->paths[1].get());
    nodes[0]->paths[1]->target = nullptr;
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(0)), nullptr);
    nodes[0]->paths[0]->enabled = true;
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(0)), nodes[0]->paths[0].get());
}

TEST(path_choice, a_node_without_paths_offers_none) {
    c_scene_path_node node;
    EXPECT_EQ(tw::choose_path(node, vec2{1, 0}), nullptr);
}

}  // namespace
