// Checks the generated content folder: its layout, and that every bitmap in it
// loads with the game's own reader and looks like what the game expects.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path k_content_dir = TW_CONTENT_DIR;

// Pixel x, y (top row 0) of a 32-bit image, whose rows are stored bottom row first.
const uint8_t* pixel_at(const c_image& image, int x, int y) {
    return &image.pixels[size_t(image.height - 1 - y) * image.stride + size_t(x) * 4];
}

c_image load(const std::string& relative) {
    c_image image;
    EXPECT_TRUE(read_bitmap((k_content_dir / relative).string(), image)) << relative;
    return image;
}

TEST(content_layout, has_the_folders_the_game_reads_from) {
    for (const char* folder : {"textures", "sounds", "font", "anims"}) {
        EXPECT_TRUE(fs::is_directory(k_content_dir / folder)) << folder;
    }
}

TEST(content_bitmaps, every_generated_bitmap_loads_with_the_game_reader) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(k_content_dir)) {
        if (entry.is_regular_file() && entry.path().extension() == ".bmp") found.push_back(entry.path());
    }
    ASSERT_GE(found.size(), 2u) << "no generated bitmaps in " << k_content_dir;
    for (const fs::path& path : found) {
        SCOPED_TRACE(path.string());
        c_image image;
        ASSERT_TRUE(read_bitmap(path.string(), image));
        EXPECT_NE(image.format, k_image_unsupported);
        EXPECT_GT(image.width, 0);
        EXPECT_GT(image.height, 0);
        EXPECT_GE(image.pixels.size(), size_t(image.stride) * image.height);
    }
}

struct c_expected_bitmap {
    const char* path;
    int width;
    int height;
};

TEST(content_bitmaps, loading_art_has_the_drawn_size_and_an_alpha_channel) {
    const c_expected_bitmap expected[] = {
        {"textures/zelt_small.bmp", 128, 64},
        {"textures/blank.bmp", 16, 16},
    };
    for (const c_expected_bitmap& e : expected) {
        SCOPED_TRACE(e.path);
        c_image image = load(e.path);
        EXPECT_EQ(image.format, k_image_32bit);
        EXPECT_EQ(image.width, e.width);
        EXPECT_EQ(image.height, e.height);
    }
}

TEST(content_bitmaps, blank_is_opaque_white_everywhere) {
    c_image image = load("textures/blank.bmp");
    ASSERT_EQ(image.format, k_image_32bit);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = pixel_at(image, x, y);
            ASSERT_EQ(p[0] & p[1] & p[2] & p[3], 255) << "pixel " << x << "," << y;
        }
    }
}

TEST(content_bitmaps, logo_is_a_warm_shape_with_soft_edges_on_a_clear_ground) {
    c_image image = load("textures/zelt_small.bmp");
    ASSERT_EQ(image.format, k_image_32bit);
    const int w = image.width;
    const int h = image.height;
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
        EXPECT_EQ(pixel_at(image, x, y)[3], 0) << "corner " << x << "," << y << " is not clear";
    }
    int opaque = 0;
    int partial = 0;
    long red = 0;
    long blue = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = pixel_at(image, x, y);
            if (p[3] == 255) {
                ++opaque;
                red += p[0];
                blue += p[2];
            } else if (p[3] > 0) {
                ++partial;
            }
        }
    }
    // A solid figure, whose outline is blended rather than stepped, in warm colours.
    EXPECT_GT(opaque, w * h / 10);
    EXPECT_GT(partial, w + h);
    EXPECT_GT(red, blue * 3 / 2);
}

}  // namespace
}  // namespace tw
