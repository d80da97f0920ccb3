// Path linking (direction, length, facing, camera crossings, automatic paths)
// and the choice of the path that best follows a drag at a node.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "scene/scene_path_node.h"

namespace {

using tw::c_scene_camera;
using tw::c_scene_path_node;
using tw::c_scene_path_node_list;
using tw::vec2;

c_scene_path_node& add_node(c_scene_path_node_list& nodes, float x, float y, float angle = 0) {
    nodes.push_back(std::make_unique<c_scene_path_node>());
    nodes.back()->transform.tx = x;
    nodes.back()->transform.ty = y;
    tw::transform_set_angle(nodes.back()->transform, angle);
    return *nodes.back();
}

c_scene_path_node::path& add_path(c_scene_path_node& from, int16_t target, const char* anim = "") {
    from.paths.push_back(std::make_unique<c_scene_path_node::path>());
    from.paths.back()->target_index = target;
    from.paths.back()->animation_name = anim;
    return *from.paths.back();
}

vec2 at_degrees(float degrees) {
    const float radians = degrees * 3.14159265f / 180;
    return {std::cos(radians), std::sin(radians)};
}

TEST(path_link, computes_direction_length_and_facing_along_the_nodes_mean_axis) {
    c_scene_path_node_list nodes;
    add_node(nodes, 100, 100);
    add_node(nodes, 400, 500);
    add_node(nodes, 80, 600, 3.0f);  // mean axis with node 0: 1.5, nearly straight up
    add_path(*nodes[0], 1);
    add_path(*nodes[1], 0);
    add_path(*nodes[0], 2);
    add_path(*nodes[0], 3);  // equal to the node count: stays unlinked
    tw::link_paths(nodes, {});
    const auto& there = *nodes[0]->paths[0];
    EXPECT_EQ(there.target, nodes[1].get());
    EXPECT_FLOAT_EQ(there.length, 500);
    EXPECT_FLOAT_EQ(there.direction.x, 0.6f);
    EXPECT_FLOAT_EQ(there.direction.y, 0.8f);
    EXPECT_TRUE(there.facing);
    EXPECT_FALSE(there.automatic);
    EXPECT_FALSE(nodes[1]->paths[0]->facing);
    EXPECT_TRUE(nodes[0]->paths[1]->facing);  // leftwards, but up along the mean axis
    EXPECT_EQ(nodes[0]->paths[2]->target, nullptr);
}

TEST(path_link, crossing_cameras_or_naming_an_animation_makes_a_path_automatic) {
    tw::c_scene_camera_list cameras;
    cameras.push_back(std::make_unique<c_scene_camera>(c_scene_camera{{0, 0, 0}, 1000, ""}));
    cameras.push_back(std::make_unique<c_scene_camera>(c_scene_camera{{2000, 0, 0}, 1000, ""}));
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    add_node(nodes, 2000, 0);
    add_node(nodes, 5000, 0);  // in no camera's region
    add_node(nodes, 300, 0);
    add_path(*nodes[0], 1);
    add_path(*nodes[1], 2);
    add_path(*nodes[0], 3);
    add_path(*nodes[3], 0, "climb");
    tw::link_paths(nodes, cameras);
    EXPECT_TRUE(nodes[0]->paths[0]->automatic);
    EXPECT_EQ(nodes[0]->paths[0]->target_camera, cameras[1].get());
    EXPECT_TRUE(nodes[1]->paths[0]->automatic);
    EXPECT_EQ(nodes[1]->paths[0]->target_camera, nullptr);
    EXPECT_FALSE(nodes[0]->paths[1]->automatic);
    EXPECT_TRUE(nodes[3]->paths[0]->automatic);
    EXPECT_EQ(nodes[3]->paths[0]->target_camera, nullptr);

    nodes[1]->transform.tx = 500;  // moved into the first region and linked again
    tw::link_paths(nodes, cameras);
    EXPECT_FALSE(nodes[0]->paths[0]->automatic);
    EXPECT_EQ(nodes[0]->paths[0]->target_camera, nullptr);
}

TEST(path_link, two_nodes_at_one_spot_give_a_zero_length_path_without_nan) {
    c_scene_path_node_list nodes;
    add_node(nodes, 7, 7);
    add_node(nodes, 7, 7);
    tw::link_path(*nodes[0], add_path(*nodes[0], 1), *nodes[1], {});
    EXPECT_FLOAT_EQ(nodes[0]->paths[0]->length, 0);
    EXPECT_FALSE(std::isnan(nodes[0]->paths[0]->direction.x));
}

// A node at the origin with one path per angle (degrees) to nodes 100 away.
c_scene_path_node_list fan(std::initializer_list<float> angles) {
    c_scene_path_node_list nodes;
    add_node(nodes, 0, 0);
    for (float degrees : angles) {
        add_node(nodes, 100 * at_degrees(degrees).x, 100 * at_degrees(degrees).y);
        add_path(*nodes[0], int16_t(nodes.size() - 1));
    }
    tw::link_paths(nodes, {});
    return nodes;
}

TEST(path_choice, takes_a_path_only_within_1_4_radians_of_the_drag) {
    const c_scene_path_node_list nodes = fan({0});
    using choice = std::pair<float, const c_scene_path_node::path*>;
    const auto* only = nodes[0]->paths[0].get();
    for (const auto& [degrees, chosen] : {choice{80, only}, choice{-80, only},
                                          choice{81, nullptr}, choice{180, nullptr}}) {
        EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(degrees)), chosen) << degrees;
    }
}

TEST(path_choice, takes_the_closest_and_on_a_tie_the_first_in_the_list) {
    const c_scene_path_node_list nodes = fan({45, -45, 150});  // 45 and -45 tie for 0
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(0)), nodes[0]->paths[0].get());
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(-10)), nodes[0]->paths[1].get());
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(120)), nodes[0]->paths[2].get());
    const c_scene_path_node_list swapped = fan({-45, 45});
    EXPECT_EQ(tw::choose_path(*swapped[0], at_degrees(0)), swapped[0]->paths[0].get());
}

TEST(path_choice, passes_over_closed_and_unlinked_paths) {
    c_scene_path_node_list nodes = fan({0, 20});
    nodes[0]->paths[0]->enabled = false;
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(0)), nodes[0]->paths[1].get());
    nodes[0]->paths[1]->target = nullptr;
    EXPECT_EQ(tw::choose_path(*nodes[0], at_degrees(0)), nullptr);
    EXPECT_EQ(tw::choose_path(c_scene_path_node{}, at_degrees(0)), nullptr);
}

}  // namespace
