// A small world for the character tests: a saved two-node animation with the
// character's graphs, a path network and cameras built in code, a view and a
// headless platform whose pointer can be aimed at scene points.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "anim/anim.h"
#include "scene/scene_character.h"
#include "scene/scene_path_node.h"
#include "scene/scene_view.h"
#include "support/temp_folder.h"
#include "test_view_headless.h"

namespace tw_test {

constexpr float k_root_height = 100;  // the animation's root node sits this far above its base
constexpr float k_head_height = 60;   // its second node, above the root

// A graph moving the head node from angle 0 at time 0 to angle 1 at time 65535.
inline std::unique_ptr<tw::c_anim_graph> head_turning_graph(const std::string& name) {
    auto graph = std::make_unique<tw::c_anim_graph>();
    graph->name = name;
    auto track = std::make_unique<tw::c_anim_graph::graph_transform>();
    track->node_index = 1;
    tw::c_transform start, end;
    start.ty = end.ty = k_head_height;
    tw::transform_set_angle(end, 1);
    track->values[0] = start;
    track->values[65535] = end;
    graph->transforms.push_back(std::move(track));
    return graph;
}

// Writes the character's animation: a root and a head, both with one quad,
// the graphs walk, turn, idle, action and climb, and the pose "default".
inline void write_character_anim(const std::string& path) {
    tw::c_anim anim;
    anim.materials.push_back(std::make_unique<tw::c_anim_material>());
    anim.materials[0]->texture_file_name = "hero.bmp";
    auto graphic = std::make_unique<tw::c_anim_graphic>();
    graphic->name = "body";
    graphic->buffer.set_quad_rect(-50, 50, 50, -50);
    for (int v = 0; v < 4; ++v) graphic->buffer.uvs[v] = tw::vec2{0, 0};
    graphic->buffer.set_colour(tw::c_rgba{});
    anim.graphics.push_back(std::move(graphic));
    for (int i = 0; i < 2; ++i) {
        auto node = std::make_unique<tw::c_anim_node>();
        node->name = i == 0 ? "root" : "head";
        node->parent_index = int16_t(i - 1);
        node->transform.ty = i == 0 ? k_root_height : k_head_height;
        if (i == 0) node->child_indices.push_back(1);
        anim.nodes.push_back(std::move(node));
    }
    auto pose = std::make_unique<tw::c_anim_pose>();
    pose->name = "default";
    pose->transforms.push_back(std::make_unique<tw::c_anim_pose::node_transform>());
    pose->transforms[0]->node_index = 1;
    pose->transforms[0]->transform.ty = k_head_height;
    tw::transform_set_angle(pose->transforms[0]->transform, 0.5f);
    anim.poses.push_back(std::move(pose));
    for (const char* name : {"walk", "turn", "idle", "action", "climb"}) {
        anim.graphs.push_back(head_turning_graph(name));
    }
    ASSERT_TRUE(anim.save(path));
}

class character_world : public testing::Test {
protected:
    void SetUp() override {
        anim_file_ = folder_.path + "/hero.xml";
        write_character_anim(anim_file_);
    }

    tw::c_scene_path_node& node(float x, float y, float angle = 0) {
        auto n = std::make_unique<tw::c_scene_path_node>();
        n->transform.tx = x;
        n->transform.ty = y;
        tw::transform_set_angle(n->transform, angle);
        nodes_.push_back(std::move(n));
        return *nodes_.back();
    }
    // A one-way path between nodes given by list position; link() computes it.
    tw::c_scene_path_node::path& path(int from, int to, const std::string& animation = "",
                                      uint16_t speed = 0) {
        auto p = std::make_unique<tw::c_scene_path_node::path>();
        p->target_index = int16_t(to);
        p->animation_name = animation;
        p->animtion_speed = speed;
        nodes_[size_t(from)]->paths.push_back(std::move(p));
        return *nodes_[size_t(from)]->paths.back();
    }
    void camera(float x, float width) {
        cameras_.push_back(
            std::make_unique<tw::c_scene_camera>(tw::c_scene_camera{{x, 0, 0}, width, ""}));
    }
    void link() { tw::link_paths(nodes_, cameras_); }

    // A character on node `at`, on that node's path `path_index`.
    std::unique_ptr<tw::c_scene_character> character(int at, int path_index = 0,
                                                     float speed = 10, uint16_t rate = 100,
                                                     uint8_t art_facing = 0) {
        tw::c_scene_path_node& start = *nodes_[size_t(at)];
        return std::make_unique<tw::c_scene_character>(screen_.platform, "level1", anim_file_,
                                                        start, *start.paths[size_t(path_index)],
                                                        art_facing, speed, rate);
    }

    // Aims the pointer at a scene point (2048 x 1024 window: four units a pixel at zoom 4096).
    void aim(float x, float y) {
        const tw::vec2 eye = view_.eye();
        const float units_per_pixel = 2 * view_.zoom / screen_.platform.long_side;
        screen_.point_at(int(std::lround(1024 + (x - eye.x) / units_per_pixel)),
                         int(std::lround(512 - (y - eye.y) / units_per_pixel)));
    }
    // Presses on the character and moves the pointer twice, 8 pixels each time.
    void grab(tw::c_scene_character& c) {
        uint8_t result = 0;
        aim(c.anim.base.tx, c.anim.base.ty);
        ASSERT_TRUE(c.mouse(screen_.platform, tw::k_character_press,
                            tw::vec3{c.anim.base.tx, c.anim.base.ty, 0}, result));
        screen_.point_at(screen_.platform.mouse_x + 8, screen_.platform.mouse_y);
        c.mouse(screen_.platform, tw::k_character_move, tw::vec3{}, result);
        c.mouse(screen_.platform, tw::k_character_move, tw::vec3{}, result);
        ASSERT_TRUE(c.dragging);
    }
    void release(tw::c_scene_character& c) {
        uint8_t result = 0;
        c.mouse(screen_.platform, tw::k_character_release, tw::vec3{}, result);
    }
    void run(tw::c_scene_character& c, int frames) {
        for (int i = 0; i < frames; ++i) c.update(screen_.platform, cameras_, view_);
    }

    c_temp_folder folder_;
    std::string anim_file_;
    c_scene_test_platform screen_;
    tw::c_scene_path_node_list nodes_;
    tw::c_scene_camera_list cameras_;
    tw::c_scene_view view_;
};

}  // namespace tw_test
