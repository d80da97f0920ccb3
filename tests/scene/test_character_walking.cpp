// The character on the path network: walking forward and backward across nodes,
// dead ends, steering limits, camera-changing and animated paths, and the
// damaged networks (unlinked, zero-length, speedless paths) it must survive.
#include <gtest/gtest.h>

#include <cmath>

#include "test_character_world.h"

namespace {

using tw::k_character_automatic;
using tw::k_character_settling;
using tw::k_character_turning;
using tw::k_character_walking;
using tw::vec2;

class character_walking : public tw_test::character_world {
protected:
    // A line of three nodes 1000 apart with paths both ways between neighbours.
    void line() {
        node(0, 0);
        node(1000, 0);
        node(2000, 0);
        path(0, 1);
        path(1, 2);
        path(1, 0);
        path(2, 1);
        link();
    }
};

TEST_F(character_walking, a_drag_walks_the_character_towards_the_pointer) {
    line();
    auto c = character(0, 0, 10, 100);
    grab(*c);
    aim(4000, 0);
    run(*c, 1);
    EXPECT_EQ(c->state, k_character_walking);
    EXPECT_EQ(c->graph, c->graph_walk);
    EXPECT_FLOAT_EQ(c->progress, 0.01f);
    EXPECT_EQ(c->time, 100);
    run(*c, 9);
    EXPECT_NEAR(c->progress, 0.1f, 1e-5);
    EXPECT_EQ(c->time, 1000);
    EXPECT_NEAR(c->anim.base.tx, 100, 1e-3);
}

TEST_F(character_walking, crossing_a_node_continues_onto_the_chosen_path_with_the_rest) {
    line();
    auto c = character(0, 0, 300, 100);
    grab(*c);
    aim(4000, 0);
    run(*c, 4);  // 900 along the first path, then 100 more to the node and 200 beyond
    EXPECT_EQ(c->node, nodes_[1].get());
    EXPECT_EQ(c->path, nodes_[1]->paths[0].get());
    EXPECT_NEAR(c->progress, 0.2f, 1e-4);
    EXPECT_EQ(c->state, k_character_walking);
    EXPECT_NEAR(c->anim.base.tx, 1200, 0.1);
}

TEST_F(character_walking, a_dead_end_leaves_the_character_on_the_target_in_walking) {
    line();
    auto c = character(1, 0, 300, 100);  // from the middle towards the last node
    grab(*c);
    aim(6000, 0);
    run(*c, 5);
    EXPECT_EQ(c->node, nodes_[1].get());
    EXPECT_EQ(c->path, nodes_[1]->paths[0].get());
    EXPECT_FLOAT_EQ(c->progress, 1);
    EXPECT_EQ(c->state, k_character_walking);
    EXPECT_NEAR(c->anim.base.tx, 2000, 1e-3);
}

TEST_F(character_walking, walking_backward_past_the_node_keeps_it_and_walks_forward_beyond) {
    node(0, 0);
    node(1000, 0);
    node(-1000, 0);
    path(0, 1);
    path(0, 2);
    link();
    auto c = character(0, 0, 300);
    c->progress = 0.5f;
    c->facing = c->path->facing;  // turned round: facing back along the path
    c->steer(vec2{-1, 0}, cameras_, view_);
    EXPECT_NEAR(c->progress, 0.2f, 1e-5);
    c->steer(vec2{-1, 0}, cameras_, view_);  // 200 back to the node, 100 on the new path
    EXPECT_EQ(c->node, nodes_[0].get());
    EXPECT_EQ(c->path, nodes_[0]->paths[1].get());
    EXPECT_NEAR(c->progress, 0.1f, 1e-5);
    EXPECT_EQ(c->time, 200);
    // Without a path onward the character stops on the node.
    nodes_[0]->paths[1]->enabled = false;
    c->path = nodes_[0]->paths[0].get();
    c->progress = 0.1f;
    c->steer(vec2{-1, 0}, cameras_, view_);
    EXPECT_FLOAT_EQ(c->progress, 0);
    EXPECT_EQ(c->path, nodes_[0]->paths[0].get());
}

TEST_F(character_walking, steering_needs_a_drag_within_1_4_radians_of_the_path) {
    line();
    auto c = character(0, 0, 10);
    const float radians_80 = 80 * 3.14159265f / 180, radians_81 = 81 * 3.14159265f / 180;
    c->steer(vec2{std::cos(radians_81), std::sin(radians_81)}, cameras_, view_);
    EXPECT_FLOAT_EQ(c->progress, 0);
    EXPECT_EQ(c->state, tw::k_character_idle);
    c->steer(vec2{std::cos(radians_80), std::sin(radians_80)}, cameras_, view_);
    EXPECT_FLOAT_EQ(c->progress, 0.01f);
}

class character_camera_change : public character_walking {
protected:
    void SetUp() override {
        character_walking::SetUp();
        camera(0, 1500);
        camera(3000, 1500);
        node(0, 0);
        node(1000, 0);
        node(3000, 0);
        path(0, 1);
        path(1, 2);  // into the second camera's region
        link();
    }
};

TEST_F(character_camera_change, drops_the_drag_and_glides_the_view_to_the_new_camera) {
    view_.set_camera(*cameras_[0]);
    auto c = character(0, 0, 300);
    grab(*c);
    aim(4000, 0);
    run(*c, 4);
    EXPECT_EQ(c->path, nodes_[1]->paths[0].get());
    EXPECT_EQ(c->state, k_character_automatic);
    EXPECT_FALSE(c->dragging);
    EXPECT_NEAR(c->progress, 0.1f, 1e-4);
    EXPECT_FLOAT_EQ(view_.target_position.x, 3000);
    EXPECT_FLOAT_EQ(view_.target_zoom, 1500);

    // The player has to grab the character again: further moves are not its.
    uint8_t result = 0;
    EXPECT_FALSE(c->mouse(screen_.platform, tw::k_character_move, tw::vec3{}, result));
    EXPECT_FALSE(c->dragging);

    // The rest of the path is walked on its own while the view glides.
    for (int frame = 0; frame < 6; ++frame) {
        c->update(screen_.platform, cameras_, view_);
        view_.update();
    }
    EXPECT_EQ(c->state, k_character_walking);  // reached the last node: nowhere to go on
    EXPECT_FLOAT_EQ(c->progress, 1);
    EXPECT_GT(view_.position.x, 0);
    run(*c, 1);
    EXPECT_EQ(c->state, k_character_settling);
}

class character_animated_path : public character_walking {
protected:
    void SetUp() override {
        character_walking::SetUp();
        node(-1000, 0);
        node(0, 0);
        node(500, 300);
        node(1500, 300);
        path(0, 1);
        path(1, 2, "climb", 655);
        path(2, 3);
        link();
    }
};

TEST_F(character_animated_path, takes_100_frames_advancing_the_graph_time_by_655) {
    auto c = character(0, 0, 500);
    grab(*c);
    aim(4000, 0);
    run(*c, 3);  // two frames to the node, the third enters the climb
    ASSERT_EQ(c->path, nodes_[1]->paths[0].get());
    EXPECT_EQ(c->state, k_character_automatic);
    EXPECT_EQ(c->graph, c->anim.find_graph("climb"));
    EXPECT_EQ(c->time, 0);
    EXPECT_FLOAT_EQ(c->progress, 0);  // the walk's leftover distance is not spent on it
    release(*c);
    for (int frame = 1; frame <= 100; ++frame) {
        run(*c, 1);
        ASSERT_EQ(c->time, 655 * frame);
        ASSERT_EQ(c->state, k_character_automatic);
    }
    EXPECT_NEAR(c->progress, 100 * 655 / 65535.0f, 1e-4);
    run(*c, 1);
    // The climb ends and the path continuing its direction is taken.
    EXPECT_EQ(c->graph, c->graph_walk);
    EXPECT_EQ(c->time, 0);
    EXPECT_EQ(c->node, nodes_[2].get());
    EXPECT_EQ(c->path, nodes_[2]->paths[0].get());
    EXPECT_FLOAT_EQ(c->progress, 0);
    EXPECT_EQ(c->state, k_character_walking);
}

TEST_F(character_animated_path, a_path_without_speed_is_crossed_at_once) {
    nodes_[1]->paths[0]->animtion_speed = 0;
    auto c = character(0, 0, 500);
    grab(*c);
    aim(4000, 0);
    run(*c, 3);
    ASSERT_EQ(c->state, k_character_automatic);
    run(*c, 1);
    EXPECT_EQ(c->node, nodes_[2].get());
    EXPECT_EQ(c->state, k_character_walking);
}

class character_damaged_network : public character_walking {};

TEST_F(character_damaged_network, an_unlinked_start_path_leaves_the_character_on_its_node) {
    node(300, 400);
    path(0, 7);  // no such node
    link();
    auto c = character(0);
    ASSERT_EQ(c->path->target, nullptr);
    grab(*c);
    aim(4000, 400);
    run(*c, 5);
    c->steer(vec2{-1, 0}, cameras_, view_);
    c->state = k_character_automatic;
    run(*c, 2);
    c->draw(screen_.platform);
    EXPECT_FLOAT_EQ(c->anim.base.tx, 300);
    EXPECT_FLOAT_EQ(c->anim.base.ty, 400);
    EXPECT_FLOAT_EQ(c->progress, 0);
}

TEST_F(character_damaged_network, a_loop_of_zero_length_paths_ends_the_frame) {
    node(-1000, 0);
    node(0, 0);
    node(0, 0);
    path(0, 1);
    path(1, 2);
    path(2, 1);
    link();
    auto c = character(0, 0, 2000);
    grab(*c);
    aim(4000, 0);
    run(*c, 3);
    EXPECT_FALSE(std::isnan(c->progress));
    EXPECT_FALSE(std::isnan(c->anim.base.tx));
    EXPECT_NEAR(c->anim.base.tx, 0, 1e-3);
}

}  // namespace
