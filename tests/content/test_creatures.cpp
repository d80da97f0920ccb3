// The shipped creature animations, read with the game's loader from the content
// folder: their graphs and pose, textures behind every drawn node, quads shaped like
// their textures, and depths that stay visible whatever graph plays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "app/harness.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr float k_min_visible_depth = -96;
constexpr float k_max_visible_depth = 128;
constexpr uint32_t k_time_step = 257;

struct c_creature_file {
    const char* file;
    std::vector<std::string> graphs;
};

// Test logs name the file instead of dumping the record's bytes.
void PrintTo(const c_creature_file& creature, std::ostream* out) { *out << creature.file; }

// The game reads content relative to its working folder.
class creature_content : public testing::TestWithParam<c_creature_file> {
protected:
    void SetUp() override {
        old_dir_ = fs::current_path();
        fs::current_path(TW_CONTENT_DIR);
        anim.load(headless.platform, GetParam().file);
    }
    void TearDown() override { fs::current_path(old_dir_); }

    // Nodes drawing reaches: the root and, through child lists, everything under it.
    std::vector<const c_anim_node*> reachable() const {
        std::vector<const c_anim_node*> found;
        std::vector<const c_anim_node*> pending;
        if (anim.root) pending.push_back(anim.root);
        std::set<const c_anim_node*> seen;
        while (!pending.empty()) {
            const c_anim_node* node = pending.back();
            pending.pop_back();
            if (!seen.insert(node).second) continue;
            found.push_back(node);
            for (const c_anim_node* child : node->children) pending.push_back(child);
        }
        return found;
    }

    tw_test::c_headless_platform headless;
    c_anim anim;

private:
    fs::path old_dir_;
};

TEST_P(creature_content, loads_with_its_graphs_and_default_pose) {
    ASSERT_NE(anim.root, nullptr) << GetParam().file;
    EXPECT_EQ(anim.root->parent_index, -1);
    EXPECT_NE(anim.find_pose("default"), nullptr);
    for (const std::string& name : GetParam().graphs) EXPECT_NE(anim.find_graph(name), nullptr) << name;
}

TEST_P(creature_content, every_drawn_node_has_a_graphic_on_an_existing_texture_of_its_shape) {
    const std::vector<const c_anim_node*> nodes = reachable();
    ASSERT_EQ(nodes.size(), anim.nodes.size()) << "every node is drawn";
    for (const c_anim_node* node : nodes) {
        SCOPED_TRACE(node->name);
        ASSERT_NE(node->graphic, nullptr);
        const c_anim_material* material = node->graphic->material;
        ASSERT_NE(material, nullptr);
        EXPECT_NE(material->material, nullptr);
        EXPECT_TRUE(fs::is_regular_file(fs::path("textures") / material->texture_file_name))
            << material->texture_file_name;
        ASSERT_GT(material->texture_height, 0);
    }
    // Every graphic, including those graphs swap in, keeps its texture's aspect.
    for (const auto& graphic : anim.graphics) {
        SCOPED_TRACE(graphic->name);
        ASSERT_NE(graphic->material, nullptr);
        const vec3* p = graphic->buffer.positions.get();
        const float quad_aspect = std::fabs((p[1].x - p[0].x) / (p[0].y - p[3].y));
        const float texture_aspect = float(graphic->material->texture_width) / graphic->material->texture_height;
        EXPECT_NEAR(quad_aspect, texture_aspect, 0.01f * texture_aspect);
    }
}

TEST_P(creature_content, every_depth_stays_visible_throughout_every_graph) {
    for (const auto& graph : anim.graphs) {
        if (const c_anim_pose* rest = anim.find_pose("default")) anim.apply_pose(*rest);
        for (uint32_t t = 0; t <= 65535; t += k_time_step) {
            anim.apply_graph(*graph, uint16_t(t));
            for (const auto& node : anim.nodes) {
                const float z = anim.node_world_transform(*node).tz;
                ASSERT_GE(z, k_min_visible_depth) << graph->name << " " << node->name << " at " << t;
                ASSERT_LE(z, k_max_visible_depth) << graph->name << " " << node->name << " at " << t;
            }
            ASSERT_NE(anim.root->graphic, nullptr) << graph->name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(shipped, creature_content,
                         testing::Values(c_creature_file{"anims/larva.xml", {"walk", "turn", "idle", "action", "hop", "thread", "hang",
                                                                              "chrysalis"}},
                                         c_creature_file{"anims/firefly.xml", {"sleep", "wake", "fly"}},
                                         c_creature_file{"anims/1hover.xml", {"fly"}},
                                         c_creature_file{"anims/3dragonfly.xml", {"fly"}},
                                         c_creature_file{"anims/cacoona.xml", {"idle", "build"}},
                                         c_creature_file{"anims/cacoonb.xml", {"idle", "build"}},
                                         c_creature_file{"anims/1rose.xml", {"idle"}},
                                         c_creature_file{"anims/1silk.xml", {"idle"}},
                                         c_creature_file{"anims/1seedhead.xml", {"idle"}},
                                         c_creature_file{"anims/aphida.xml", {"walk", "turn", "idle", "action", "drop"}},
                                         c_creature_file{"anims/2glint.xml", {"idle"}},
                                         c_creature_file{"anims/2cricketb.xml", {"idle"}},
                                         c_creature_file{"anims/2cricket.xml", {"idle", "twitch"}},
                                         c_creature_file{"anims/weavel.xml", {"idle", "tongue", "retreat", "retreat_idle"}},
                                         c_creature_file{"anims/2bugcatcher.xml", {"idle", "wake", "wake_idle", "eat"}},
                                         c_creature_file{"anims/cricket.xml", {"walk", "turn", "idle", "action"}},
                                         c_creature_file{"anims/3balance.xml", {"idle", "tilt", "tilt_idle"}},
                                         c_creature_file{"anims/3bee.xml", {"idle"}},
                                         c_creature_file{"anims/3beea.xml", {"idle", "twitch"}},
                                         c_creature_file{"anims/3pod.xml", {"closed", "open", "blank"}},
                                         c_creature_file{"anims/4bee.xml", {"walk", "turn", "idle", "action", "jump"}},
                                         c_creature_file{"anims/4stag.xml", {"idle", "snap", "retreat", "retreat_idle"}},
                                         c_creature_file{"anims/4bigbug.xml", {"idle", "twitch"}},
                                         c_creature_file{"anims/4stick.xml", {"idle"}},
                                         c_creature_file{"anims/4maggotb.xml", {"idle", "curl", "curl_idle"}},
                                         c_creature_file{"anims/5bug.xml", {"walk", "turn", "idle", "action"}},
                                         c_creature_file{"anims/fern.xml", {"idle", "unroll", "idle_unrolled"}},
                                         c_creature_file{"anims/moth.xml", {"idle", "flutter", "takeoff", "fly"}}),
                         [](const testing::TestParamInfo<c_creature_file>& info) {
                             return fs::path(info.param.file).stem().string();
                         });

// The title screen's flyers cross the view leftwards, so their heads lead on the left;
// the menu plans their places from these lengths, halos aside.
struct c_flyer_file {
    const char* file;
    float min_length;
    float max_length;
};

void PrintTo(const c_flyer_file& flyer, std::ostream* out) { *out << flyer.file; }

class flyer_content : public testing::TestWithParam<c_flyer_file> {
protected:
    void SetUp() override {
        old_dir_ = fs::current_path();
        fs::current_path(TW_CONTENT_DIR);
        anim.load(headless.platform, GetParam().file);
    }
    void TearDown() override { fs::current_path(old_dir_); }

    tw_test::c_headless_platform headless;
    c_anim anim;

private:
    fs::path old_dir_;
};

TEST_P(flyer_content, faces_left_at_its_planned_length) {
    const c_anim_pose* rest = anim.find_pose("default");
    ASSERT_NE(rest, nullptr);
    anim.apply_pose(*rest);
    float head_x = 0;
    float left = 1e9f;
    float right = -1e9f;
    for (const auto& node : anim.nodes) {
        const c_transform world = anim.node_world_transform(*node);
        if (node->name == "head") head_x = world.tx;
        ASSERT_NE(node->graphic, nullptr);
        if (node->graphic->name.compare(0, 4, "glow") == 0) continue;
        // The default pose turns nothing, so quads sit unrotated at their nodes.
        for (int i = 0; i < 4; ++i) {
            left = std::min(left, world.tx + node->graphic->buffer.positions[i].x);
            right = std::max(right, world.tx + node->graphic->buffer.positions[i].x);
        }
    }
    EXPECT_LT(head_x, anim.node_world_transform(*anim.root).tx - 50);
    EXPECT_GE(right - left, GetParam().min_length);
    EXPECT_LE(right - left, GetParam().max_length);
}

INSTANTIATE_TEST_SUITE_P(shipped, flyer_content,
                         testing::Values(c_flyer_file{"anims/1hover.xml", 450, 650},
                                         c_flyer_file{"anims/3dragonfly.xml", 1000, 1300}),
                         [](const testing::TestParamInfo<c_flyer_file>& info) {
                             return fs::path(info.param.file).stem().string();
                         });

}  // namespace
}  // namespace tw
