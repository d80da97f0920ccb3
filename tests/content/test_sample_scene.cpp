// The shipped sample scene read with the game's own loader: two levels of tiled
// layers whose textures exist and that end transparent where the levels meet, creatures
// and items with their textures, and a path network that is linked, two-way, connected
// and crosses cameras exactly once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "app/harness.h"
#include "content_scene_test.h"
#include "platform/bitmap.h"
#include "scene/scene.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr char k_sample_scene[] = "sample.xml";
const char* const k_larva_file = "anims/larva.xml";
const char* const k_texture_folder = "textures";
const std::vector<std::string> k_level_names = {"meadow", "stones"};
constexpr size_t k_layers_per_level = 3;
constexpr int k_clear_edge_alpha = 2;  // of 255: an edge column no one can see

// A rectangle in scene units, y up.
struct c_box {
    float left = 0, right = 0, bottom = 0, top = 0;
};

bool overlaps(const c_box& a, const c_box& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

bool covers(const c_box& outer, const c_box& inner) {
    return outer.left <= inner.left && outer.right >= inner.right && outer.bottom <= inner.bottom &&
           outer.top >= inner.top;
}

// The region a camera shows and covers: half-width scene_width, half-height half that.
c_box camera_region(const c_scene_camera& camera) {
    const float w = camera.scene_width;
    return {camera.position.x - w, camera.position.x + w, camera.position.y - w / 2,
            camera.position.y + w / 2};
}

// Where a layer's tiles land with the view at (vx, vy), by the drawing rule: layer
// translation plus view times perspective factor, tile x right and tile y down, each tile
// tile_size x tile_scale wide.
c_box layer_extent(const c_scene_layer& layer, float vx, float vy) {
    const float ox = layer.transform.tx + vx * layer.perspective_factor;
    const float oy = layer.transform.ty + vy * layer.perspective_factor;
    const float h = layer.tile_size * layer.tile_scale * 0.5f;
    c_box box{1e9f, -1e9f, 1e9f, -1e9f};
    for (const auto& tile : layer.tiles) {
        const float cx = ox + tile->x * layer.tile_scale;
        const float cy = oy - tile->y * layer.tile_scale;
        box.left = std::min(box.left, cx - h);
        box.right = std::max(box.right, cx + h);
        box.bottom = std::min(box.bottom, cy - h);
        box.top = std::max(box.top, cy + h);
    }
    return box;
}

// The most opaque pixel of a layer's outermost texel column on one side, over every tile
// in that column; 255 (fully opaque) for tiles without alpha or that cannot be read.
int edge_column_alpha(const c_scene_layer& layer, bool right) {
    int edge_x = right ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    for (const auto& tile : layer.tiles) {
        edge_x = right ? std::max(edge_x, tile->x) : std::min(edge_x, tile->x);
    }
    int most = 0;
    for (const auto& tile : layer.tiles) {
        if (tile->x != edge_x) continue;
        c_image image;
        if (!read_bitmap((fs::path(k_texture_folder) / tile->filename).string(), image)) return 255;
        if (image.format != k_image_32bit) return 255;
        const size_t column = right ? image.width - 1u : 0u;
        for (size_t row = 0; row < image.height; ++row) {
            most = std::max<int>(most, image.pixels[row * image.stride + column * 4 + 3]);
        }
    }
    return most;
}

bool texture_exists(const std::string& name) {
    uint16_t width = 0;
    uint16_t height = 0;
    return read_bitmap_header((fs::path(k_texture_folder) / name).string(), width, height) &&
           width > 0 && height > 0;
}

class sample_scene : public tw_test::c_content_scene_test<k_sample_scene> {
protected:
    // The camera whose region holds the point, failing the test when none does.
    const c_scene_camera* camera_at(float x, float y) const {
        const c_scene_camera* camera = camera_containing(scene_->cameras, x, y);
        EXPECT_NE(camera, nullptr) << "no camera region holds (" << x << ", " << y << ")";
        return camera;
    }
};

TEST_F(sample_scene, loads_with_two_levels_each_seen_by_its_own_camera) {
    ASSERT_TRUE(loaded_);
    ASSERT_EQ(scene().levels.size(), k_level_names.size());
    ASSERT_EQ(scene().cameras.size(), k_level_names.size());
    for (size_t i = 0; i < k_level_names.size(); ++i) {
        EXPECT_EQ(scene().levels[i]->name, k_level_names[i]);
        EXPECT_EQ(scene().cameras[i]->name, "camera" + std::to_string(i + 1));
    }
    // The two regions touch without overlapping, so the crossing path changes camera.
    const c_box first = camera_region(*scene().cameras[0]);
    const c_box second = camera_region(*scene().cameras[1]);
    EXPECT_FALSE(overlaps(first, second));
    EXPECT_FLOAT_EQ(first.right, second.left);
}

TEST_F(sample_scene, every_layer_has_tiles_whose_textures_exist) {
    ASSERT_EQ(scene().layers.size(), k_level_names.size() * k_layers_per_level);
    for (const auto& level : scene().levels) {
        EXPECT_EQ(level->layers.size(), k_layers_per_level) << level->name;
    }
    for (const auto& layer : scene().layers) {
        SCOPED_TRACE(layer->file_name);
        EXPECT_GT(layer->tile_size, 0);
        EXPECT_GE(layer->perspective_factor, 0.0f);
        EXPECT_LE(layer->perspective_factor, 1.0f);
        ASSERT_FALSE(layer->tiles.empty());
        for (const auto& tile : layer->tiles) {
            c_image image;
            ASSERT_TRUE(read_bitmap((fs::path(k_texture_folder) / tile->filename).string(), image))
                << tile->filename;
            EXPECT_EQ(image.width, layer->texture_size) << tile->filename;
            EXPECT_EQ(image.height, layer->texture_size) << tile->filename;
            EXPECT_EQ(tile->size, layer->tile_size) << tile->filename;
        }
    }
}

TEST_F(sample_scene, each_camera_sees_its_level_fully_painted_and_no_later_level) {
    // Levels draw in list order, each with its own layers first: a later level's layer that
    // reached into an earlier camera's view would paint over that level's ground and sprites.
    ASSERT_EQ(scene().levels.size(), scene().cameras.size());
    for (size_t i = 0; i < scene().cameras.size(); ++i) {
        const c_scene_camera& camera = *scene().cameras[i];
        const c_box region = camera_region(camera);
        bool painted = false;
        for (size_t j = 0; j < scene().levels.size(); ++j) {
            for (const c_scene_layer* layer : scene().levels[j]->layers) {
                const c_box extent = layer_extent(*layer, camera.position.x, camera.position.y);
                if (j <= i && covers(extent, region)) painted = true;
                if (j > i) {
                    EXPECT_FALSE(overlaps(extent, region))
                        << layer->file_name << " shows in " << camera.name;
                }
            }
        }
        EXPECT_TRUE(painted) << "no layer fills the view of " << camera.name;
    }
}

TEST_F(sample_scene, layers_end_transparent_where_the_two_levels_meet) {
    // A later level paints over an earlier one, so each of its layers must start from nothing,
    // or its left edge shows as a straight line sliding through the picture in a glide. A layer
    // ending on the border between two cameras' regions must end in nothing too, or the border
    // cuts whatever reaches it (a blurred blade) with a straight edge.
    ASSERT_EQ(scene().levels.size(), scene().cameras.size());
    const size_t last = scene().levels.size() - 1;
    int border_edges = 0;
    for (size_t i = 0; i <= last; ++i) {
        const c_scene_camera& camera = *scene().cameras[i];
        for (const c_scene_layer* layer : scene().levels[i]->layers) {
            SCOPED_TRACE(layer->file_name);
            if (i > 0) {
                EXPECT_LE(edge_column_alpha(*layer, false), k_clear_edge_alpha) << "left edge";
            }
            const c_box extent = layer_extent(*layer, camera.position.x, camera.position.y);
            if (i < last && extent.right == camera_region(camera).right) {
                ++border_edges;
                EXPECT_LE(edge_column_alpha(*layer, true), k_clear_edge_alpha) << "right edge";
            }
        }
    }
    EXPECT_GE(border_edges, 1) << "the meadow's foreground should end on the border";
}

TEST_F(sample_scene, every_anim_collectible_and_graphic_has_its_textures) {
    ASSERT_GE(scene().anims.size(), 2u);
    for (const auto& anim : scene().anims) {
        SCOPED_TRACE(anim->anim_file_name);
        ASSERT_NE(anim->anim.root, nullptr) << "animation did not load";
        ASSERT_FALSE(anim->anim.materials.empty());
        for (const auto& material : anim->anim.materials) {
            EXPECT_TRUE(texture_exists(material->texture_file_name)) << material->texture_file_name;
        }
        EXPECT_NE(camera_at(anim->anim.base.tx, anim->anim.base.ty), nullptr);
    }
    ASSERT_FALSE(scene().collectibles.empty());
    for (const auto& item : scene().collectibles) {
        SCOPED_TRACE(item->texture_file_name);
        EXPECT_TRUE(texture_exists(item->texture_file_name));
        EXPECT_TRUE(texture_exists(item->picked_file_name));
        EXPECT_GT(item->half_width, 0.0f);
        EXPECT_GT(item->half_height, 0.0f);
        EXPECT_NE(item->picked_material, nullptr);
    }
    ASSERT_FALSE(scene().graphics.empty());
    for (const auto& graphic : scene().graphics) {
        EXPECT_TRUE(texture_exists(graphic->file_name)) << graphic->file_name;
    }
}

TEST_F(sample_scene, fireflies_wake_into_graphs_they_have_and_fly_inside_their_level) {
    int tracked = 0;
    for (const auto& anim : scene().anims) {
        SCOPED_TRACE(anim->anim_file_name);
        ASSERT_NE(anim->graph, nullptr) << "no first graph to play at load";
        for (const auto& [key, change] : anim->anim_change_graph) {
            EXPECT_NE(anim->anim.find_graph(change->anim_name_play_once), nullptr) << key;
            EXPECT_NE(anim->anim.find_graph(change->anim_name_loop), nullptr) << key;
        }
        if (anim->transform_graph.empty()) continue;
        ++tracked;
        const c_scene_level* level = scene().find_level(anim->level_name);
        ASSERT_NE(level, nullptr);
        const size_t level_index = size_t(std::find_if(scene().levels.begin(), scene().levels.end(),
                                                       [&](const auto& l) { return l.get() == level; }) -
                                          scene().levels.begin());
        for (const auto& [key, transform] : anim->transform_graph) {
            EXPECT_EQ(camera_at(transform.tx, transform.ty), scene().cameras[level_index].get())
                << "key " << key << " leaves the region of " << anim->level_name;
        }
    }
    EXPECT_GE(tracked, 1) << "one firefly should move along a transform track";
}

TEST_F(sample_scene, every_path_is_linked_and_has_a_matching_way_back) {
    ASSERT_FALSE(scene().path_nodes.empty());
    for (const auto& node : scene().path_nodes) {
        ASSERT_FALSE(node->paths.empty()) << node->name << " has no way out";
        EXPECT_NE(camera_at(node->transform.tx, node->transform.ty), nullptr) << node->name;
        for (const auto& path : node->paths) {
            ASSERT_NE(path->target, nullptr) << node->name << " -> index " << path->target_index;
            const c_scene_path_node::path* back = nullptr;
            for (const auto& reverse : path->target->paths) {
                if (reverse->target == node.get()) back = reverse.get();
            }
            ASSERT_NE(back, nullptr) << node->name << " -> " << path->target->name << " is one-way";
            EXPECT_EQ(back->animation_name, path->animation_name);
            EXPECT_EQ(back->animtion_speed, path->animtion_speed);
        }
    }
}

TEST_F(sample_scene, exactly_one_connection_changes_camera) {
    std::set<std::set<const c_scene_path_node*>> crossings;
    for (const auto& node : scene().path_nodes) {
        for (const auto& path : node->paths) {
            if (!path->camera_change) continue;
            EXPECT_EQ(path->target_camera, camera_at(path->target->transform.tx,
                                                     path->target->transform.ty));
            EXPECT_TRUE(path->animation_name.empty()) << "a camera change is walked, not animated";
            crossings.insert({node.get(), path->target});
        }
    }
    EXPECT_EQ(crossings.size(), 1u);
}

TEST_F(sample_scene, the_animated_connection_plays_a_graph_the_larva_has) {
    c_anim larva;
    larva.load(platform(), k_larva_file);
    ASSERT_NE(larva.root, nullptr) << k_larva_file;
    std::set<std::set<const c_scene_path_node*>> animated;
    for (const auto& node : scene().path_nodes) {
        for (const auto& path : node->paths) {
            if (!path->has_animation) continue;
            EXPECT_NE(larva.find_graph(path->animation_name), nullptr) << path->animation_name;
            EXPECT_GT(path->animtion_speed, 0) << "an animated path of speed 0 never ends";
            EXPECT_FALSE(path->camera_change);
            animated.insert({node.get(), path->target});
        }
    }
    EXPECT_EQ(animated.size(), 1u);
}

TEST_F(sample_scene, every_node_is_reachable_from_the_first) {
    ASSERT_FALSE(scene().path_nodes.empty());
    std::set<const c_scene_path_node*> reached{scene().path_nodes.front().get()};
    std::vector<const c_scene_path_node*> pending{scene().path_nodes.front().get()};
    while (!pending.empty()) {
        const c_scene_path_node* node = pending.back();
        pending.pop_back();
        for (const auto& path : node->paths) {
            if (path->target && reached.insert(path->target).second) pending.push_back(path->target);
        }
    }
    for (const auto& node : scene().path_nodes) {
        EXPECT_TRUE(reached.count(node.get())) << node->name << " cannot be reached";
    }
}

}  // namespace
}  // namespace tw
