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

namespace tw {
namespace {

// The shared UI art with the half-size it is shown at: its bitmap must have the
// same shape so it is not stretched, a power-of-two size for clean mipmaps, and alpha.
struct c_ui_art {
    const char* path;
    int shown_width;
    int shown_height;
};

const c_ui_art k_ui_art[] = {
    {"textures/glow.bmp", 480, 480},          {"textures/circle.bmp", 38, 38},
    {"textures/hand.bmp", 80, 80},            {"textures/home.bmp", 128, 128},
    {"textures/question_mark.bmp", 128, 128}, {"textures/question_mark_fill.bmp", 128, 128},
    {"textures/question_mark_highlight.bmp", 128, 128},
    {"textures/resume_1.bmp", 128, 128},      {"textures/title_big.bmp", 720, 90},
    {"textures/main_menu_1.bmp", 128, 128},   {"textures/chapter01.bmp", 80, 160},
    {"textures/chapter02.bmp", 80, 160},      {"textures/chapter03.bmp", 80, 160},
    {"textures/chapter04.bmp", 80, 160},      {"textures/chapter05.bmp", 80, 160},
    {"textures/zelt.bmp", 200, 100},          {"textures/dot.bmp", 1, 1},
    {"textures/transform.bmp", 1, 1},         {"textures/particle1.bmp", 12, 12},
    {"textures/c1/pollen.bmp", 1, 1},         {"textures/c1/light0.bmp", 5000, 5000},
};

bool power_of_two(int n) { return n > 0 && (n & (n - 1)) == 0; }

TEST(content_ui_art, every_piece_has_alpha_a_power_of_two_size_and_the_shape_it_is_shown_at) {
    for (const c_ui_art& art : k_ui_art) {
        SCOPED_TRACE(art.path);
        c_image image = load(art.path);
        EXPECT_EQ(image.format, k_image_32bit);
        EXPECT_TRUE(power_of_two(image.width) && power_of_two(image.height))
            << image.width << "x" << image.height;
        EXPECT_EQ(image.width * art.shown_height, image.height * art.shown_width)
            << image.width << "x" << image.height;
    }
}

// Alpha of the cell (column, row) of a square atlas cut into n x n cells, summed.
long cell_alpha(const c_image& image, int n, int column, int row) {
    const int size = image.width / n;
    long sum = 0;
    for (int y = row * size; y < (row + 1) * size; ++y) {
        for (int x = column * size; x < (column + 1) * size; ++x) sum += pixel_at(image, x, y)[3];
    }
    return sum;
}

TEST(content_ui_art, pollen_atlas_has_a_mote_in_every_cell_growing_with_the_size_class) {
    c_image image = load("textures/c1/pollen.bmp");
    ASSERT_EQ(image.format, k_image_32bit);
    ASSERT_EQ(image.width, image.height);
    long previous_row = 0;
    for (int row = 0; row < 4; ++row) {
        long row_sum = 0;
        for (int column = 0; column < 4; ++column) {
            const long alpha = cell_alpha(image, 4, column, row);
            EXPECT_GT(alpha, 0) << "cell " << column << "," << row << " is empty";
            row_sum += alpha;
        }
        // Larger motes use later rows; each row covers more than the one before.
        EXPECT_GT(row_sum, previous_row) << "row " << row;
        previous_row = row_sum;
    }
}

TEST(content_ui_art, glows_fade_from_a_bright_centre_to_clear_edges) {
    for (const char* path : {"textures/glow.bmp", "textures/c1/light0.bmp", "textures/circle.bmp"}) {
        SCOPED_TRACE(path);
        c_image image = load(path);
        ASSERT_EQ(image.format, k_image_32bit);
        const int w = image.width;
        const int h = image.height;
        EXPECT_GT(pixel_at(image, w / 2, h / 2)[3], 100);
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, 0}, {0, h / 2}}) {
            EXPECT_EQ(pixel_at(image, x, y)[3], 0) << "edge " << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace tw
