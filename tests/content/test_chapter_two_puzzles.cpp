// Chapter two's puzzle scenes read with the game's own loaders: every file they
// name was made, the chime scene holds its eight glow-worms and the big one with
// both graphs, and each of the twenty picture tiles looks like itself turned by
// exactly the quarter turns its accepted turns allow, so a player who makes the
// picture whole by eye always meets the completion rule.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "chapters/game_puzzle_c2_p3.h"
#include "content_scene_test.h"
#include "platform/bitmap.h"
#include "scene/scene.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr char k_chime_scene[] = "c2p1.xml";
constexpr char k_tile_scene[] = "c2p3.xml";
constexpr double k_same_rms = 4;        // RGB levels: pixel noise of the rasteriser
constexpr double k_different_rms = 12;  // RGB levels: a change a player sees

bool texture_exists(const std::string& name) {
    uint16_t width = 0, height = 0;
    return read_bitmap_header((fs::path("textures") / name).string(), width, height) && width > 0;
}

// What every puzzle scene must have made: layer tiles and graphic bitmaps.
void expect_files_made(const c_scene& scene) {
    for (const auto& layer : scene.layers) {
        EXPECT_FALSE(layer->tiles.empty()) << layer->file_name;
        for (const auto& tile : layer->tiles) EXPECT_TRUE(texture_exists(tile->filename)) << tile->filename;
    }
    for (const auto& graphic : scene.graphics) EXPECT_TRUE(texture_exists(graphic->file_name)) << graphic->file_name;
    bool camera = false;
    for (const auto& c : scene.cameras) camera |= c->name == "camera1";
    EXPECT_TRUE(camera);
}

using chime_scene = tw_test::c_content_scene_test<k_chime_scene>;

TEST_F(chime_scene, holds_eight_glow_worms_and_the_big_one_with_idle_and_celebrate) {
    ASSERT_TRUE(loaded_);
    expect_files_made(scene());
    EXPECT_EQ(scene().graphics.size(), 8u);
    const c_scene_anim* big = scene().find_anim("anims/glowbig.xml");
    ASSERT_NE(big, nullptr);
    ASSERT_NE(big->anim.root, nullptr);
    EXPECT_EQ(big->graph->name, "idle");
    EXPECT_NE(big->anim.find_graph("celebrate"), nullptr);
}

// RMS difference over RGB between a square image and itself turned by quarter turns.
double turned_difference(const c_image& image, int quarter_turns) {
    const int n = image.width;
    const int bytes = image.format == k_image_32bit ? 4 : 3;
    double sum = 0;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            int tx = x, ty = y;
            for (int q = 0; q < quarter_turns; ++q) {
                const int old_x = tx;
                tx = n - 1 - ty;
                ty = old_x;
            }
            const uint8_t* a = &image.pixels[size_t(y) * image.stride + size_t(x) * bytes];
            const uint8_t* b = &image.pixels[size_t(ty) * image.stride + size_t(tx) * bytes];
            for (int c = 0; c < 3; ++c) sum += (double(a[c]) - b[c]) * (double(a[c]) - b[c]);
        }
    }
    return std::sqrt(sum / (3.0 * n * n));
}

using tile_scene = tw_test::c_content_scene_test<k_tile_scene>;

TEST_F(tile_scene, each_tile_looks_right_at_its_accepted_turns_and_only_there) {
    ASSERT_TRUE(loaded_);
    expect_files_made(scene());
    ASSERT_EQ(scene().graphics.size(), size_t(k_tile_count));
    for (int n = 0; n < k_tile_count; ++n) {
        c_image image;
        const std::string file = "textures/" + scene().graphics[size_t(n)]->file_name;
        ASSERT_TRUE(read_bitmap(file, image)) << file;
        ASSERT_EQ(image.width, image.height) << file;
        const auto& accepted = k_tile_starts[size_t(n)].accepted;
        auto accepts = [&](int turn) {
            for (uint8_t a : accepted)
                if (a == turn % 4) return true;
            return false;
        };
        // Shown at one accepted turn it looks right; k more quarter turns look the
        // same exactly when that turn is accepted too.
        for (int k = 1; k < 4; ++k) {
            const double difference = turned_difference(image, k);
            if (accepts(accepted[0] + k)) {
                EXPECT_LT(difference, k_same_rms) << "node " << n << ", " << k << " quarter turns";
            } else {
                EXPECT_GT(difference, k_different_rms) << "node " << n << ", " << k << " quarter turns";
            }
        }
    }
}

}  // namespace
}  // namespace tw
