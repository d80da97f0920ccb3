// The character's construction, mouse handling (press, drag threshold, click),
// its timed states (turning, settling, action, idle) and its drawing: placement
// between nodes, the mirror for the art's facing, and the highlight.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "test_character_world.h"

namespace {

using tw::e_render_call;
using tw::vec3;

class character_states : public tw_test::character_world {
protected:
    void SetUp() override {
        character_world::SetUp();
        node(0, 0);
        node(1000, 0);
        path(0, 1);
        path(1, 0);
        link();
    }
    uint8_t offer(tw::c_scene_character& c, uint8_t kind, bool* taken = nullptr) {
        uint8_t result = 99;
        const bool t = c.mouse(screen_.platform, kind, vec3{}, result);
        if (taken) *taken = t;
        return result;
    }
};

TEST_F(character_states, construction_finds_the_graphs_applies_the_pose_and_stands_on_the_node) {
    nodes_[0]->transform.tx = 30;
    auto c = character(0);
    EXPECT_EQ(c->graph_walk, c->anim.find_graph("walk"));
    EXPECT_EQ(c->graph_action, c->anim.find_graph("action"));
    EXPECT_FLOAT_EQ(c->anim.nodes[1]->transform.angle, 0.5f);  // the pose "default"
    EXPECT_EQ(c->graph, nullptr);
    EXPECT_EQ(c->facing, nodes_[0]->paths[0]->facing ? 0 : 1);
    EXPECT_FLOAT_EQ(c->anim.base.tx, 30);
    EXPECT_EQ(c->highlight.material, screen_.platform.get_material("glow.bmp", false));
}

TEST_F(character_states, a_missing_animation_file_gives_a_character_without_graphs) {
    tw::c_scene_character c(screen_.platform, "level1", folder_.path + "/none.xml", *nodes_[0],
                            *nodes_[0]->paths[0], 0, 10, 100);
    EXPECT_EQ(c.graph_walk, nullptr);
    EXPECT_EQ(c.pose_default, nullptr);
    grab(c);
    aim(3000, 0);
    run(c, 3);
    release(c);
    run(c, 40);
    EXPECT_EQ(c.state, tw::k_character_idle);
    c.draw(screen_.platform);
    EXPECT_EQ(screen_.device.count(e_render_call::draw_quads), 0);
}

TEST_F(character_states, a_press_outside_the_click_radius_is_not_taken) {
    auto c = character(0);
    EXPECT_TRUE(c->hit(vec3{300, 300, 0}));
    EXPECT_FALSE(c->hit(vec3{300, 300, 300}));  // the radius is measured in 3D
    uint8_t result = 99;
    EXPECT_FALSE(c->mouse(screen_.platform, tw::k_character_press, vec3{512, 0, 0}, result));
    EXPECT_EQ(result, tw::k_character_result_none);
    bool taken = true;
    offer(*c, tw::k_character_move, &taken);
    EXPECT_FALSE(taken);
    offer(*c, tw::k_character_release, &taken);
    EXPECT_FALSE(taken);
    EXPECT_EQ(c->state, tw::k_character_idle);
}

struct c_drag_case {
    const char* name;
    std::vector<std::pair<int, int>> moves;  // pointer offsets from the press point
    bool drags;
};

class character_drag : public character_states,
                       public testing::WithParamInterface<c_drag_case> {};

TEST_P(character_drag, starts_once_the_summed_distances_from_the_press_pass_15_pixels) {
    auto c = character(0);
    screen_.point_at(500, 500);
    uint8_t result = 99;
    ASSERT_TRUE(c->mouse(screen_.platform, tw::k_character_press, vec3{}, result));
    EXPECT_EQ(result, tw::k_character_result_none);
    for (const auto& [dx, dy] : GetParam().moves) {
        screen_.point_at(500 + dx, 500 + dy);
        result = offer(*c, tw::k_character_move);
    }
    const bool drags = GetParam().drags;
    EXPECT_EQ(bool(c->dragging), drags);
    EXPECT_EQ(result, drags ? tw::k_character_result_drag : tw::k_character_result_none);
    // A click happens only without a drag.
    EXPECT_EQ(offer(*c, tw::k_character_release),
              drags ? tw::k_character_result_none : tw::k_character_result_action);
    EXPECT_FALSE(c->pressed);
    EXPECT_FALSE(c->dragging);
}

INSTANTIATE_TEST_SUITE_P(
    moves, character_drag,
    testing::Values(c_drag_case{"two_moves_of_8", {{8, 0}, {8, 0}}, true},
                    c_drag_case{"one_move_of_15", {{15, 0}}, false},
                    c_drag_case{"one_move_of_16", {{0, -16}}, true},
                    c_drag_case{"diagonal_counts_both_axes", {{8, 8}}, true},
                    c_drag_case{"small_jitter", {{3, 0}, {-3, 0}, {0, 3}}, false},
                    c_drag_case{"out_and_back", {{10, 0}, {0, 0}, {6, 0}}, true},
                    c_drag_case{"no_move", {}, false}),
    [](const testing::TestParamInfo<c_drag_case>& info) { return info.param.name; });

TEST_F(character_states, a_release_while_walking_starts_no_action) {
    auto c = character(0);
    grab(*c);
    aim(3000, 0);
    run(*c, 1);
    ASSERT_EQ(c->state, tw::k_character_walking);
    // Pressed again and released without moving: walking is not idle.
    uint8_t result = 99;
    c->mouse(screen_.platform, tw::k_character_press, vec3{c->anim.base.tx, 0, 0}, result);
    EXPECT_EQ(offer(*c, tw::k_character_release), tw::k_character_result_none);
    EXPECT_EQ(c->state, tw::k_character_walking);
    EXPECT_EQ(c->graph, c->graph_walk);
}

TEST_F(character_states, the_action_plays_for_200_frames_then_the_character_idles) {
    auto c = character(0);
    uint8_t result = 99;
    c->mouse(screen_.platform, tw::k_character_press, vec3{}, result);
    ASSERT_EQ(offer(*c, tw::k_character_release), tw::k_character_result_action);
    EXPECT_EQ(c->state, tw::k_character_action);
    EXPECT_EQ(c->graph, c->graph_action);
    EXPECT_EQ(c->countdown, 200);
    run(*c, 1);
    EXPECT_EQ(c->time, 327);
    run(*c, 199);
    EXPECT_EQ(c->state, tw::k_character_action);
    EXPECT_EQ(c->time, 200 * 327);
    run(*c, 1);
    EXPECT_EQ(c->state, tw::k_character_idle);
    EXPECT_EQ(c->graph, c->graph_idle);
}

TEST_F(character_states, a_turn_flips_the_facing_at_frame_10_and_walks_after_20) {
    auto c = character(0);
    c->progress = 0.5f;
    c->steer(tw::vec2{-1, 0}, cameras_, view_);
    ASSERT_EQ(c->state, tw::k_character_turning);
    const uint8_t before = c->facing;
    run(*c, 1);
    EXPECT_EQ(c->time, 6553);  // the turn graph plays to its middle and back
    run(*c, 8);
    EXPECT_EQ(c->facing, before);
    EXPECT_EQ(c->time, 9 * 6553);
    run(*c, 1);
    EXPECT_NE(c->facing, before);
    run(*c, 10);
    EXPECT_EQ(c->time, 0);
    EXPECT_EQ(c->state, tw::k_character_turning);
    run(*c, 1);
    EXPECT_EQ(c->state, tw::k_character_walking);
    EXPECT_EQ(c->graph, c->graph_walk);
    // Turned round, the same drag now walks back along the path.
    c->steer(tw::vec2{-1, 0}, cameras_, view_);
    EXPECT_NEAR(c->progress, 0.49f, 1e-5);
}

TEST_F(character_states, letting_go_settles_into_the_pose_for_32_frames_then_idles) {
    auto c = character(0);
    grab(*c);
    aim(200, 0);  // close: no steering
    run(*c, 1);
    release(*c);
    c->anim.nodes[1]->transform.angle = 0;
    run(*c, 1);
    EXPECT_EQ(c->state, tw::k_character_settling);
    EXPECT_EQ(c->graph, nullptr);
    EXPECT_NEAR(c->anim.nodes[1]->transform.angle, 0.09f * 0.5f, 1e-5);
    run(*c, 31);
    EXPECT_EQ(c->state, tw::k_character_settling);
    EXPECT_EQ(c->countdown, 0);
    EXPECT_NEAR(c->anim.nodes[1]->transform.angle, 0.5f * (1 - std::pow(0.91f, 32.0f)), 1e-4);
    run(*c, 1);
    EXPECT_EQ(c->state, tw::k_character_idle);
    EXPECT_EQ(c->graph, c->graph_idle);
}

class character_drawing : public character_states {
protected:
    std::vector<tw::c_render_call> drawn(tw::c_scene_character& c, e_render_call kind) {
        screen_.device.calls.clear();
        c.draw(screen_.platform);
        return screen_.device.calls_of(kind);
    }
};

TEST_F(character_drawing, draws_the_highlight_under_the_root_then_the_animation) {
    nodes_[1]->transform.ty = 500;
    link();
    auto c = character(0);
    c->progress = 0.25f;
    const auto moves = drawn(*c, e_render_call::translate);
    const auto draws = screen_.device.draws();
    ASSERT_EQ(draws.size(), 3u);  // highlight, root, head
    EXPECT_EQ(draws[0].colours[0].r, 0);
    EXPECT_EQ(draws[0].colours[0].b, 96);
    EXPECT_FLOAT_EQ(draws[0].positions[1].x, 480);
    EXPECT_EQ(draws[1].colours[0].r, 255);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_FLOAT_EQ(moves[0].values[0], 250);
    EXPECT_FLOAT_EQ(moves[0].values[1], 125 + tw_test::k_root_height);
    EXPECT_FLOAT_EQ(moves[1].values[1], 125 + tw_test::k_root_height);
}

TEST_F(character_drawing, applies_the_current_graph_at_the_characters_time) {
    auto c = character(0);
    c->graph = c->graph_walk;
    c->time = 65535;
    const auto matrices = drawn(*c, e_render_call::multiply_modelview);
    ASSERT_EQ(matrices.size(), 3u);
    EXPECT_NEAR(matrices[2].matrix[0], std::cos(1.0f), 1e-5);
    EXPECT_NEAR(matrices[2].matrix[1], std::sin(1.0f), 1e-5);
}

TEST_F(character_drawing, mirrors_the_art_in_its_own_frame_when_facing_differs) {
    for (auto& n : nodes_) tw::transform_set_angle(n->transform, 0.3f);
    link();
    const float c3 = std::cos(0.3f), s3 = std::sin(0.3f);
    auto unmirrored = character(0, 0, 10, 100, 0);
    unmirrored->facing = 0;
    auto mirrored = character(0, 0, 10, 100, 0);
    mirrored->facing = 1;

    const auto plain = drawn(*unmirrored, e_render_call::multiply_modelview);
    EXPECT_NEAR(plain[1].matrix[0], c3, 1e-5);
    const auto flipped = drawn(*mirrored, e_render_call::multiply_modelview);
    // The art's x axis turns round; its up axis stays square to the sloped path.
    EXPECT_NEAR(flipped[1].matrix[0], -c3, 1e-5);
    EXPECT_NEAR(flipped[1].matrix[1], -s3, 1e-5);
    EXPECT_NEAR(flipped[1].matrix[4], -s3, 1e-5);
    EXPECT_NEAR(flipped[1].matrix[5], c3, 1e-5);
    const auto moves = screen_.device.calls_of(e_render_call::translate);
    EXPECT_NEAR(moves[0].values[0], -tw_test::k_root_height * s3, 1e-3);
    EXPECT_NEAR(moves[0].values[1], tw_test::k_root_height * c3, 1e-3);
}

}  // namespace
