// Chapter one's scene c1.xml read with the game's own loader: every file it
// names was made, the opaque far layer fills each camera's view at 16:9 and
// 21:9, and every spot, bud and seed lies inside the cane camera's view,
// where the player is once the larva hangs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "content_scene_test.h"
#include "platform/bitmap.h"
#include "scene/scene.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr char k_chapter_one_scene[] = "c1.xml";
constexpr float k_wide_half_width = 4779;  // a 21:9 window shows this much either side
constexpr float k_tall_half_height = 2304;  // a 16:9 window before its letterbox

bool texture_exists(const std::string& name) {
    uint16_t width = 0, height = 0;
    return read_bitmap_header((fs::path("textures") / name).string(), width, height) && width > 0;
}

using chapter_one_scene = tw_test::c_content_scene_test<k_chapter_one_scene>;

TEST_F(chapter_one_scene, names_only_files_that_were_made) {
    ASSERT_TRUE(loaded_);
    for (const auto& layer : scene().layers) {
        EXPECT_FALSE(layer->tiles.empty()) << layer->file_name;
        for (const auto& tile : layer->tiles) EXPECT_TRUE(texture_exists(tile->filename)) << tile->filename;
    }
    for (const auto& anim : scene().anims) EXPECT_NE(anim->anim.root, nullptr) << anim->anim_file_name;
    for (const auto& spot : scene().puzzles) EXPECT_NE(spot->anim.root, nullptr) << spot->anim_file_name;
    for (const auto& item : scene().collectibles) {
        EXPECT_TRUE(texture_exists(item->texture_file_name)) << item->texture_file_name;
        EXPECT_TRUE(texture_exists(item->picked_file_name)) << item->picked_file_name;
    }
}

TEST_F(chapter_one_scene, the_far_layer_fills_every_view_and_the_play_lies_in_the_cane_view) {
    const c_scene_layer* far = scene().layers.front().get();
    ASSERT_FALSE(far->tiles.empty());
    for (const auto& camera : scene().cameras) {
        SCOPED_TRACE(camera->name);
        const float ox = far->transform.tx + camera->position.x * far->perspective_factor;
        const float oy = far->transform.ty + camera->position.y * far->perspective_factor;
        const float h = far->tile_size * far->tile_scale * 0.5f;
        float left = 1e9f, right = -1e9f, bottom = 1e9f, top = -1e9f;
        for (const auto& tile : far->tiles) {
            left = std::min(left, ox + tile->x * far->tile_scale - h);
            right = std::max(right, ox + tile->x * far->tile_scale + h);
            bottom = std::min(bottom, oy - tile->y * far->tile_scale - h);
            top = std::max(top, oy - tile->y * far->tile_scale + h);
        }
        EXPECT_LE(left, camera->position.x - k_wide_half_width);
        EXPECT_GE(right, camera->position.x + k_wide_half_width);
        EXPECT_LE(bottom, camera->position.y - k_tall_half_height);
        EXPECT_GE(top, camera->position.y + k_tall_half_height);
    }
    const c_scene_camera* cane = nullptr;
    for (const auto& camera : scene().cameras)
        if (camera->name == "cane") cane = camera.get();
    ASSERT_NE(cane, nullptr);
    auto in_cane_view = [&](const c_transform& t) {
        return std::fabs(t.tx - cane->position.x) < cane->scene_width &&
               std::fabs(t.ty - cane->position.y) < cane->scene_width / 2;
    };
    for (const auto& spot : scene().puzzles) EXPECT_TRUE(in_cane_view(spot->anim.base)) << spot->anim_file_name;
    for (const auto& item : scene().collectibles)
        EXPECT_TRUE(in_cane_view(item->transform)) << item->texture_file_name;
}

}  // namespace
}  // namespace tw
