// Scene anims: the three play states, play-once then loop, animation changes
// fired by the position axis, and the clamped transform track.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/scene_anim.h"

namespace {

using tw::c_scene_anim;

// A scene anim whose c_anim holds empty graphs with the given names.
class c_scene_anim_test : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"sleep", "wake", "fly", "land"}) {
            auto graph = std::make_unique<tw::c_anim_graph>();
            graph->name = name;
            anim_.anim.graphs.push_back(std::move(graph));
        }
        anim_.graph = graph("sleep");
    }
    tw::c_anim_graph* graph(const std::string& name) { return anim_.anim.find_graph(name); }

    static tw::c_transform at(float x, float y, float angle = 0) {
        tw::c_transform t;
        t.tx = x;
        t.ty = y;
        tw::transform_set_angle(t, angle);
        return t;
    }

    c_scene_anim anim_;
};

TEST_F(c_scene_anim_test, play_once_at_speed_1024_switches_to_the_loop_in_the_64th_frame) {
    anim_.anim_position = 5000;
    anim_.change_animation("wake", 1024, "fly", 300);
    EXPECT_EQ(anim_.graph, graph("wake"));
    EXPECT_EQ(anim_.anim_position, 0);
    EXPECT_EQ(anim_.play_state, tw::k_scene_anim_play_once);

    for (int frame = 1; frame <= 63; ++frame) anim_.advance();
    EXPECT_EQ(anim_.anim_position, 63 * 1024);
    EXPECT_EQ(anim_.graph, graph("wake"));

    anim_.advance();
    EXPECT_EQ(anim_.graph, graph("fly"));
    EXPECT_EQ(anim_.anim_position, 0);
    EXPECT_EQ(anim_.play_state, tw::k_scene_anim_loop);

    // Looping wraps at the loop speed.
    for (int frame = 0; frame < 219; ++frame) anim_.advance();
    EXPECT_EQ(anim_.anim_position, uint16_t(219 * 300));
    anim_.advance();
    EXPECT_EQ(anim_.anim_position, uint16_t(220 * 300));
    EXPECT_EQ(anim_.graph, graph("fly"));
}

TEST_F(c_scene_anim_test, a_play_once_that_lands_exactly_on_65535_plays_that_frame) {
    anim_.change_animation("wake", 65535, "fly", 1);
    anim_.advance();
    EXPECT_EQ(anim_.anim_position, 65535);
    EXPECT_EQ(anim_.play_state, tw::k_scene_anim_play_once);
    anim_.advance();
    EXPECT_EQ(anim_.play_state, tw::k_scene_anim_loop);
}

TEST_F(c_scene_anim_test, an_empty_play_once_name_while_looping_changes_the_speed_now_and_the_graph_later) {
    anim_.change_animation("wake", 65535, "fly", 100);
    anim_.advance();
    anim_.advance();
    ASSERT_EQ(anim_.graph, graph("fly"));
    ASSERT_EQ(anim_.play_state, tw::k_scene_anim_loop);

    anim_.change_animation("", 1024, "land", 700);
    EXPECT_EQ(anim_.graph, graph("fly"));
    EXPECT_EQ(anim_.play_state, tw::k_scene_anim_loop);
    anim_.advance();
    EXPECT_EQ(anim_.anim_position, 700);
    EXPECT_EQ(anim_.graph, graph("fly"));

    // A later play-once ends in the new loop graph.
    anim_.change_animation("wake", 65535, "land", 700);
    anim_.advance();
    anim_.advance();
    EXPECT_EQ(anim_.graph, graph("land"));
}

TEST_F(c_scene_anim_test, an_unknown_play_once_name_keeps_the_current_graph_and_state) {
    anim_.anim_position = 1234;
    anim_.change_animation("dance", 1024, "fly", 1024);
    EXPECT_EQ(anim_.graph, graph("sleep"));
    EXPECT_EQ(anim_.anim_position, 1234);
    EXPECT_EQ(anim_.play_state, tw::k_scene_anim_free);
    EXPECT_EQ(anim_.graph_loop, graph("fly"));
}

// Changes at 50, 100 and 150 loop "fly", "land" and "sleep" at speeds 1, 2
// and 3, so the loop graph and speed tell which change fired last.
class c_scene_anim_position_test : public c_scene_anim_test {
protected:
    void SetUp() override {
        c_scene_anim_test::SetUp();
        anim_.set_animation_change(50, "wake", 10, "fly", 1);
        anim_.set_animation_change(100, "wake", 20, "land", 2);
        anim_.set_animation_change(150, "wake", 30, "sleep", 3);
    }
};

TEST_F(c_scene_anim_position_test, setting_the_position_back_fires_nothing_and_forward_fires_from_the_last_position) {
    anim_.set_position(100);
    EXPECT_EQ(anim_.graph_loop, graph("land"));
    EXPECT_EQ(anim_.play_once_speed, 20);

    anim_.play_once_speed = 0;
    anim_.graph_loop = nullptr;
    anim_.set_position(50);
    EXPECT_EQ(anim_.graph_loop, nullptr);
    EXPECT_EQ(anim_.play_once_speed, 0);
    EXPECT_EQ(anim_.transform_graph_position, 50);

    // From 50 to 200: the keys 50, 100 and 150 fire in order; 150 is last.
    anim_.set_position(200);
    EXPECT_EQ(anim_.graph_loop, graph("sleep"));
    EXPECT_EQ(anim_.loop_speed, 3);
    EXPECT_EQ(anim_.transform_graph_position, 200);
}

TEST_F(c_scene_anim_position_test, changes_fire_in_key_order_up_to_the_new_position) {
    // Record the order through the loop speeds: each change overwrites the last.
    std::vector<uint16_t> speeds;
    for (uint16_t b : {uint16_t(49), uint16_t(50), uint16_t(149), uint16_t(65535)}) {
        anim_.loop_speed = 0;
        anim_.set_position(b);
        speeds.push_back(anim_.loop_speed);
    }
    // 0..49 none; 49..50 fires 50; 50..149 fires 50 again (at the last position) and 100; 149..65535 fires 150.
    EXPECT_EQ(speeds, (std::vector<uint16_t>{0, 1, 2, 3}));
}

TEST_F(c_scene_anim_position_test, a_change_at_the_last_position_fires_again) {
    anim_.set_position(100);
    anim_.graph_loop = nullptr;
    anim_.set_position(100);
    EXPECT_EQ(anim_.graph_loop, graph("land"));
}

TEST_F(c_scene_anim_test, the_transform_track_interpolates_between_keys_and_clamps_outside) {
    anim_.set_transform_key(0, at(0, 0));
    anim_.set_transform_key(1000, at(100, 200, 1));
    struct c_case {
        uint16_t position;
        float x, y, angle;
    };
    const c_case cases[] = {
        {0, 0, 0, 0}, {250, 25, 50, 0.25f}, {1000, 100, 200, 1}, {2000, 100, 200, 1},
        {65535, 100, 200, 1}, {500, 50, 100, 0.5f},
    };
    for (const c_case& c : cases) {
        anim_.set_position(c.position);
        EXPECT_FLOAT_EQ(anim_.anim.base.tx, c.x) << c.position;
        EXPECT_FLOAT_EQ(anim_.anim.base.ty, c.y) << c.position;
        EXPECT_FLOAT_EQ(anim_.anim.base.angle, c.angle) << c.position;
    }
}

TEST_F(c_scene_anim_test, before_the_first_key_the_track_holds_the_first_key) {
    anim_.set_transform_key(100, at(10, 0));
    anim_.set_transform_key(200, at(20, 0));
    anim_.set_position(50);
    EXPECT_FLOAT_EQ(anim_.anim.base.tx, 10);
}

TEST_F(c_scene_anim_test, setting_an_existing_key_replaces_its_value) {
    anim_.set_transform_key(0, at(0, 0));
    anim_.set_transform_key(1000, at(100, 0));
    anim_.set_transform_key(1000, at(300, 0));
    EXPECT_EQ(anim_.transform_graph.size(), 2u);
    anim_.set_position(1000);
    EXPECT_FLOAT_EQ(anim_.anim.base.tx, 300);

    anim_.set_animation_change(5, "wake", 1, "fly", 2);
    anim_.set_animation_change(5, "land", 3, "sleep", 4);
    ASSERT_EQ(anim_.anim_change_graph.size(), 1u);
    const c_scene_anim::change_anims_node& change = *anim_.anim_change_graph.at(5);
    EXPECT_EQ(change.anim_name_play_once, "land");
    EXPECT_EQ(change.anim_speed_play_once, 3);
    EXPECT_EQ(change.anim_name_loop, "sleep");
    EXPECT_EQ(change.anim_speed_loop, 4);
}

}  // namespace
