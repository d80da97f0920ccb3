// The title screen's scene c0.xml read with the game's own loader: levels and the fixed
// camera the menu expects, endless sky layers that loop without a gap, a world painted
// opaque across the widest view, a dark credits band, foreground levels clear of the menu's
// UI and the two creatures with their "fly" graphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
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

constexpr char k_menu_scene[] = "c0.xml";
const char* const k_texture_folder = "textures";
const std::vector<std::string> k_level_names = {"focus_0", "focus_1", "focus_3"};

// What the menu does with the scene.
constexpr float k_camera_x = 0;
constexpr float k_camera_y = -900;
constexpr float k_camera_width = 3000;
constexpr size_t k_endless_layers = 3;
constexpr float k_endless_shift = 4790;        // the menu moves each endless layer left by this
constexpr float k_endless_width = 9580;        // and appends a copy this far right
constexpr float k_endless_left_edge = -4490;   // where the art starts once moved
constexpr float k_endless_wrap_below = -9880;  // a layer whose x falls below this moves right
const std::array<float, k_endless_layers> k_endless_speeds = {2, 4, 8};

// A rectangle in scene units, y up.
struct c_box {
    float left = 0, right = 0, bottom = 0, top = 0;
};

bool overlaps(const c_box& a, const c_box& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// The widest view the camera shows: a 2560 x 1080 window, the full 2:1 band's height.
const c_box k_widest_view{-3560, 3560, -2400, 600};
// The band the white credits glide through.
const c_box k_credits_band{-3000, 3000, -2400, -1350};

// The menu's UI on a 16:9 window, in scene units.
const std::map<std::string, c_box> k_ui_areas = {
    {"studio logo", {-330, 330, -340, -10}},
    {"title", {-1190, 1190, -720, -420}},
    {"chapter cards", {-1120, 1120, -1330, -800}},
    {"quit button", {2570, 3000, -390, 40}},
};

// The bands a creature may cross without hiding behind the UI.
const std::vector<std::pair<float, float>> k_creature_bands = {{-10, 600}, {-2400, -1350}};

c_box tile_box(const c_scene_layer& layer, const c_scene_layer::c_tile& tile, float layer_x) {
    const float h = layer.tile_size * layer.tile_scale * 0.5f;
    const float cx = layer_x + tile.x * layer.tile_scale;
    const float cy = layer.transform.ty - tile.y * layer.tile_scale;
    return {cx - h, cx + h, cy - h, cy + h};
}

// Where the menu puts an endless layer's x before it starts scrolling.
float shifted_x(const c_scene_layer& layer) { return layer.transform.tx - k_endless_shift; }

// Tile textures read once, by file name.
class c_texture_cache {
public:
    const c_image* get(const std::string& name) {
        auto found = images_.find(name);
        if (found != images_.end()) return found->second.format == k_image_unsupported ? nullptr : &found->second;
        c_image& image = images_[name];
        if (!read_bitmap((fs::path(k_texture_folder) / name).string(), image)) return nullptr;
        return &image;
    }

private:
    std::map<std::string, c_image> images_;
};

struct c_rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

// The nearest texel of the tile under (x, y), or nothing when no tile of the layer holds it.
c_rgba layer_texel(const c_scene_layer& layer, float layer_x, float copy_offset, float x, float y,
                   c_texture_cache& textures) {
    for (const auto& tile : layer.tiles) {
        for (float offset : {0.0f, copy_offset}) {
            const c_box box = tile_box(layer, *tile, layer_x + offset);
            if (x < box.left || x >= box.right || y < box.bottom || y >= box.top) continue;
            const c_image* image = textures.get(tile->filename);
            if (image == nullptr) return {};
            const size_t column = std::min<size_t>(image->width - 1, (x - box.left) / (box.right - box.left) * image->width);
            // Rows are stored bottom row first.
            const size_t row = std::min<size_t>(image->height - 1, (y - box.bottom) / (box.top - box.bottom) * image->height);
            const bool alpha = image->format == k_image_32bit;
            const uint8_t* p = &image->pixels[row * image->stride + column * (alpha ? 4 : 3)];
            return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, alpha ? p[3] / 255.0f : 1.0f};
        }
    }
    return {};
}

class menu_scene : public tw_test::c_content_scene_test<k_menu_scene> {
protected:
    // The first level's picture at (x, y) with the endless layers where the menu starts
    // them: every layer of focus_0 blended over the ones before it.
    c_rgba focus_0_colour(float x, float y) {
        c_rgba out;
        const c_scene_level* level = scene_->find_level(k_level_names[0]);
        for (size_t i = 0; i < level->layers.size(); ++i) {
            const c_scene_layer& layer = *level->layers[i];
            const bool endless = i < k_endless_layers;
            const float layer_x = endless ? shifted_x(layer) : layer.transform.tx;
            const c_rgba t = layer_texel(layer, layer_x, endless ? k_endless_width : 0, x, y, textures_);
            out.r = t.r * t.a + out.r * (1 - t.a);
            out.g = t.g * t.a + out.g * (1 - t.a);
            out.b = t.b * t.a + out.b * (1 - t.a);
            out.a = t.a + out.a * (1 - t.a);
        }
        return out;
    }

private:
    c_texture_cache textures_;
};

TEST_F(menu_scene, loads_three_levels_in_draw_order_and_the_fixed_camera) {
    ASSERT_TRUE(loaded_);
    ASSERT_EQ(scene().levels.size(), k_level_names.size());
    for (size_t i = 0; i < k_level_names.size(); ++i) EXPECT_EQ(scene().levels[i]->name, k_level_names[i]);
    ASSERT_EQ(scene().cameras.size(), 1u);
    const c_scene_camera& camera = *scene().cameras[0];
    EXPECT_EQ(camera.name, "camera1");
    EXPECT_FLOAT_EQ(camera.position.x, k_camera_x);
    EXPECT_FLOAT_EQ(camera.position.y, k_camera_y);
    EXPECT_FLOAT_EQ(camera.position.z, 0);
    EXPECT_FLOAT_EQ(camera.scene_width, k_camera_width);
    EXPECT_TRUE(scene().path_nodes.empty());
    EXPECT_TRUE(scene().puzzles.empty());
    EXPECT_TRUE(scene().collectibles.empty());
}

TEST_F(menu_scene, every_layer_is_fixed_and_has_tiles_whose_textures_exist) {
    ASSERT_FALSE(scene().layers.empty());
    for (const auto& layer : scene().layers) {
        SCOPED_TRACE(layer->file_name);
        EXPECT_EQ(layer->perspective_factor, 0.0f) << "the camera never moves, so no layer needs parallax";
        EXPECT_NE(scene().find_level(layer->level_name), nullptr);
        ASSERT_FALSE(layer->tiles.empty());
        for (const auto& tile : layer->tiles) {
            uint16_t width = 0;
            uint16_t height = 0;
            EXPECT_TRUE(read_bitmap_header((fs::path(k_texture_folder) / tile->filename).string(), width, height))
                << tile->filename;
            EXPECT_EQ(width, layer->texture_size) << tile->filename;
            EXPECT_EQ(height, layer->texture_size) << tile->filename;
        }
    }
}

TEST_F(menu_scene, endless_layers_are_whole_tiles_one_loop_wide_from_the_left_edge) {
    ASSERT_GE(scene().layers.size(), k_endless_layers);
    for (size_t i = 0; i < k_endless_layers; ++i) {
        const c_scene_layer& layer = *scene().layers[i];
        SCOPED_TRACE(layer.file_name);
        EXPECT_EQ(layer.level_name, k_level_names[0]);
        ASSERT_FALSE(layer.tiles.empty());
        const float tile_width = layer.tile_size * layer.tile_scale;
        const float columns = k_endless_width / tile_width;
        EXPECT_FLOAT_EQ(columns, std::round(columns)) << "the copy must start on a whole tile";
        // The copy goes 9580 / tile_scale tile-file units further right: whole units only.
        const float copy_units = k_endless_width / layer.tile_scale;
        EXPECT_FLOAT_EQ(copy_units, std::round(copy_units));

        c_box span{1e9f, -1e9f, 1e9f, -1e9f};
        std::set<int> tile_columns;
        for (const auto& tile : layer.tiles) {
            const c_box box = tile_box(layer, *tile, shifted_x(layer));
            span.left = std::min(span.left, box.left);
            span.right = std::max(span.right, box.right);
            tile_columns.insert(tile->x);
        }
        EXPECT_FLOAT_EQ(span.left, k_endless_left_edge);
        EXPECT_FLOAT_EQ(span.right - span.left, k_endless_width);
        EXPECT_EQ(tile_columns.size(), static_cast<size_t>(std::round(columns))) << "a column without art leaves a gap";
    }
}

TEST_F(menu_scene, scrolling_endless_layers_always_cover_the_widest_view) {
    for (size_t i = 0; i < k_endless_layers; ++i) {
        const c_scene_layer& layer = *scene().layers[i];
        SCOPED_TRACE(layer.file_name);
        ASSERT_FALSE(layer.tiles.empty());
        // Offsets of the painted span from the layer's x, original and copy together.
        float left = 1e9f;
        float right = -1e9f;
        for (const auto& tile : layer.tiles) {
            const c_box box = tile_box(layer, *tile, 0);
            left = std::min(left, box.left);
            right = std::max(right, box.right + k_endless_width);
        }
        // Two whole loops of the menu's scrolling, tick by tick.
        float x = shifted_x(layer);
        const int ticks = static_cast<int>(2 * k_endless_width / k_endless_speeds[i]) + 2;
        for (int tick = 0; tick < ticks; ++tick) {
            x -= k_endless_speeds[i];
            if (x < k_endless_wrap_below) x += k_endless_width;
            ASSERT_LE(x + left, k_widest_view.left) << "tick " << tick;
            ASSERT_GE(x + right, k_widest_view.right) << "tick " << tick;
        }
    }
}

TEST_F(menu_scene, first_level_is_painted_opaque_across_the_widest_view) {
    ASSERT_NE(scene().find_level(k_level_names[0]), nullptr);
    constexpr int k_steps_x = 48;
    constexpr int k_steps_y = 24;
    for (int i = 0; i <= k_steps_x; ++i) {
        for (int j = 0; j <= k_steps_y; ++j) {
            const float x = k_widest_view.left + (k_widest_view.right - k_widest_view.left) * i / k_steps_x;
            const float y = k_widest_view.bottom + (k_widest_view.top - k_widest_view.bottom) * j / k_steps_y;
            EXPECT_GT(focus_0_colour(x, y).a, 0.99f) << "hole at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(menu_scene, credits_band_is_dark_enough_for_white_text) {
    ASSERT_NE(scene().find_level(k_level_names[0]), nullptr);
    constexpr int k_steps = 40;
    constexpr float k_most_mean_luminance = 0.35f;
    constexpr float k_bright_luminance = 0.6f;
    constexpr float k_most_bright_share = 0.03f;
    float sum = 0;
    int bright = 0;
    int count = 0;
    for (int i = 0; i <= k_steps; ++i) {
        for (int j = 0; j <= k_steps; ++j) {
            const float x = k_credits_band.left + (k_credits_band.right - k_credits_band.left) * i / k_steps;
            const float y = k_credits_band.bottom + (k_credits_band.top - k_credits_band.bottom) * j / k_steps;
            const c_rgba c = focus_0_colour(x, y);
            const float luminance = 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
            sum += luminance;
            bright += luminance > k_bright_luminance ? 1 : 0;
            ++count;
        }
    }
    EXPECT_LT(sum / count, k_most_mean_luminance);
    EXPECT_LT(static_cast<float>(bright) / count, k_most_bright_share);
}

TEST_F(menu_scene, levels_drawn_over_the_menu_hold_only_layers_clear_of_its_ui) {
    for (size_t i = 1; i < k_level_names.size(); ++i) {
        const c_scene_level* level = scene().find_level(k_level_names[i]);
        ASSERT_NE(level, nullptr);
        SCOPED_TRACE(level->name);
        EXPECT_FALSE(level->layers.empty());
        EXPECT_TRUE(level->anims.empty());
        EXPECT_TRUE(level->graphics.empty());
        for (const c_scene_layer* layer : level->layers) {
            for (const auto& tile : layer->tiles) {
                const c_box box = tile_box(*layer, *tile, layer->transform.tx);
                for (const auto& [name, area] : k_ui_areas) {
                    EXPECT_FALSE(overlaps(box, area)) << tile->filename << " covers the " << name;
                }
            }
        }
    }
}

TEST_F(menu_scene, both_creatures_fly_in_the_first_level_through_free_bands) {
    for (const char* name : {"anims/1hover.xml", "anims/3dragonfly.xml"}) {
        SCOPED_TRACE(name);
        const c_scene_anim* anim = scene().find_anim(name);
        ASSERT_NE(anim, nullptr) << "not placed in the scene";
        EXPECT_EQ(anim->level_name, k_level_names[0]);
        ASSERT_NE(anim->anim.root, nullptr) << "animation did not load";
        EXPECT_NE(anim->anim.find_graph("fly"), nullptr);
        EXPECT_TRUE(anim->transform_graph.empty()) << "the menu moves the creature itself";
        EXPECT_TRUE(anim->anim_change_graph.empty());
        const float y = anim->anim.base.ty;
        const bool free = std::any_of(k_creature_bands.begin(), k_creature_bands.end(),
                                      [y](const auto& band) { return y > band.first && y < band.second; });
        EXPECT_TRUE(free) << "y " << y << " is behind the menu's UI";
    }
}

}  // namespace
}  // namespace tw
