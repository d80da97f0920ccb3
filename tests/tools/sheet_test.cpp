// The contact sheet tool: grid size for any number of pictures, the decoded image
// reaching the sheet the right way up and in the right colours, alpha showing the
// checkerboard, and which files of a content folder are picked.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/bmp_writer.h"
#include "sheet/contact_sheet.h"
#include "sheet/sheet_files.h"

namespace tw {
namespace {

struct c_rgb {
    int r, g, b;
};

// The colour of one pixel of an RGB24 or ARGB32 cairo surface.
c_rgb sheet_pixel(cairo_surface_t* surface, int x, int y) {
    const uint8_t* data = cairo_image_surface_get_data(surface);
    const uint32_t value =
        *reinterpret_cast<const uint32_t*>(data + size_t(y) * cairo_image_surface_get_stride(surface) + 4 * size_t(x));
    return {int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)};
}

// A decoded 32-bit image of one colour, as tw::read_bitmap would give it.
c_image solid_image(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    c_image image;
    image.format = k_image_32bit;
    image.width = uint16_t(width);
    image.height = uint16_t(height);
    image.stride = uint16_t(4 * width);
    for (int i = 0; i < width * height; ++i) image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

TEST(sheet_layout, grid_grows_by_rows_once_a_row_is_full) {
    struct c_case {
        size_t count;
        int columns;
        int rows;
    };
    const c_case cases[] = {
        {0, 1, 1},
        {1, 1, 1},
        {size_t(k_sheet_max_columns), k_sheet_max_columns, 1},
        {size_t(k_sheet_max_columns) + 1, k_sheet_max_columns, 2},
        {size_t(k_sheet_max_columns) * 3, k_sheet_max_columns, 3},
    };
    for (const c_case& c : cases) {
        const c_sheet_layout layout = sheet_layout(c.count);
        EXPECT_EQ(layout.columns, c.columns) << c.count;
        EXPECT_EQ(layout.rows, c.rows) << c.count;
        EXPECT_GE(size_t(layout.columns * layout.rows), c.count);
        EXPECT_EQ(layout.width, k_sheet_gap_px + c.columns * (k_sheet_cell_px + k_sheet_gap_px)) << c.count;
        EXPECT_EQ(layout.height, k_sheet_gap_px + c.rows * (k_sheet_cell_px + k_sheet_label_px + k_sheet_gap_px))
            << c.count;
    }
}

TEST(sheet_layout, pictures_keep_their_aspect_and_stay_inside_their_cell) {
    const c_sheet_layout layout = sheet_layout(8);
    const c_sheet_rect wide = sheet_picture_rect(layout, 7, 1024, 128);
    EXPECT_DOUBLE_EQ(wide.width, k_sheet_cell_px);
    EXPECT_DOUBLE_EQ(wide.height, k_sheet_cell_px / 8.0);
    const c_sheet_rect tall = sheet_picture_rect(layout, 7, 128, 256);
    EXPECT_DOUBLE_EQ(tall.height, k_sheet_cell_px);
    EXPECT_DOUBLE_EQ(tall.width, k_sheet_cell_px / 2.0);
    // Cell 7 is the second cell of the second row.
    for (const c_sheet_rect& r : {wide, tall}) {
        EXPECT_GE(r.x, k_sheet_gap_px * 2 + k_sheet_cell_px);
        EXPECT_LE(r.x + r.width, 2.0 * (k_sheet_gap_px + k_sheet_cell_px));
        EXPECT_GE(r.y, 2 * k_sheet_gap_px + k_sheet_cell_px + k_sheet_label_px);
    }
}

TEST(contact_sheet, transparent_pixels_show_the_grey_checkerboard) {
    std::vector<c_sheet_entry> entries(1);
    entries[0].name = "clear.bmp";
    entries[0].image = solid_image(4, 4, 255, 0, 0, 0);
    cairo_surface_t* sheet = draw_contact_sheet(entries);
    const c_sheet_rect rect = sheet_picture_rect(sheet_layout(1), 0, 4, 4);
    // Two neighbouring checker squares inside the picture.
    const int x = int(rect.x) + 2 * k_checker_px + k_checker_px / 2;
    const int y = int(rect.y) + 2 * k_checker_px + k_checker_px / 2;
    const c_rgb a = sheet_pixel(sheet, x, y);
    const c_rgb b = sheet_pixel(sheet, x + k_checker_px, y);
    cairo_surface_destroy(sheet);
    for (const c_rgb& p : {a, b}) {
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
        EXPECT_GT(p.r, 80);
        EXPECT_LT(p.r, 200);
    }
    EXPECT_NE(a.r, b.r);
}

TEST(contact_sheet, opaque_pictures_keep_their_colours_and_come_out_top_row_first) {
    // Bottom row blue, top row red, stored bottom row first like the game's reader.
    c_image image = solid_image(2, 2, 0, 0, 255, 255);
    for (int x = 0; x < 2; ++x) {
        uint8_t* p = image.pixels.data() + image.stride + 4 * x;
        p[0] = 255;
        p[2] = 0;
    }
    std::vector<c_sheet_entry> entries(1);
    entries[0].name = "two.bmp";
    entries[0].image = image;
    cairo_surface_t* sheet = draw_contact_sheet(entries);
    const c_sheet_rect rect = sheet_picture_rect(sheet_layout(1), 0, 2, 2);
    const c_rgb top = sheet_pixel(sheet, int(rect.x + rect.width / 2), int(rect.y + rect.height / 4));
    const c_rgb bottom = sheet_pixel(sheet, int(rect.x + rect.width / 2), int(rect.y + rect.height * 3 / 4));
    cairo_surface_destroy(sheet);
    EXPECT_EQ(top.r, 255);
    EXPECT_EQ(top.b, 0);
    EXPECT_EQ(bottom.r, 0);
    EXPECT_EQ(bottom.b, 255);
}

TEST(contact_sheet, half_transparent_pixels_reach_cairo_premultiplied) {
    cairo_surface_t* surface = image_to_surface(solid_image(1, 1, 200, 100, 50, 128));
    ASSERT_NE(surface, nullptr);
    const uint32_t value = *reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface));
    cairo_surface_destroy(surface);
    EXPECT_EQ(value >> 24, 128u);
    EXPECT_EQ((value >> 16) & 0xff, 100u);  // premultiplied: 200 * 128 / 255
    EXPECT_EQ(value & 0xff, 25u);
    EXPECT_EQ(image_to_surface(c_image{}), nullptr);
}

TEST(sheet_files, layer_tiles_are_told_apart_from_other_names) {
    struct c_case {
        const char* name;
        bool tile;
    };
    const c_case cases[] = {
        {"meadow_0_3.bmp", true},   {"c1/back_12_40.bmp", true}, {"chapter01.bmp", false},
        {"resume_1.bmp", false},    {"a_1_.bmp", false},         {"_1_2.bmp", true},
        {"x_1_2.xml", false},       {"1_2.bmp", false},          {"x_a_2.bmp", false},
    };
    for (const c_case& c : cases) EXPECT_EQ(is_layer_tile(c.name), c.tile) << c.name;
}

class sheet_folder : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("tw_sheet_test_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "textures" / "c1");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void write_texture(const std::string& relative, int width, int height) {
        tw_tools::c_image_rgba image(width, height);
        ASSERT_TRUE(tw_tools::write_bmp((root_ / relative).string(), image, 32));
    }

    std::filesystem::path root_;
};

TEST_F(sheet_folder, finds_bitmaps_in_subfolders_sorted_without_tiles_or_other_files) {
    write_texture("textures/b.bmp", 2, 2);
    write_texture("textures/a.bmp", 2, 2);
    write_texture("textures/c1/pollen.bmp", 2, 2);
    write_texture("textures/c1/meadow_0_1.bmp", 2, 2);
    std::ofstream(root_ / "textures" / "notes.txt") << "not a texture";
    const std::vector<std::string> expected = {"textures/a.bmp", "textures/b.bmp", "textures/c1/pollen.bmp"};
    EXPECT_EQ(find_textures(root_.string()), expected);
    EXPECT_TRUE(find_textures((root_ / "missing").string()).empty());
}

TEST_F(sheet_folder, unreadable_files_are_reported_and_the_sheet_is_still_written) {
    write_texture("textures/a.bmp", 3, 2);
    std::ofstream(root_ / "textures" / "broken.bmp") << "BM but nothing more";
    const std::string png = (root_ / "sheet.png").string();
    const c_sheet_result result =
        make_contact_sheet(png, root_.string(), {"textures/a.bmp", "textures/broken.bmp", "textures/gone.bmp"});
    EXPECT_TRUE(result.written);
    const std::vector<std::string> unreadable = {"textures/broken.bmp", "textures/gone.bmp"};
    EXPECT_EQ(result.unreadable, unreadable);
    cairo_surface_t* back = cairo_image_surface_create_from_png(png.c_str());
    EXPECT_EQ(cairo_surface_status(back), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(back), sheet_layout(3).width);
    cairo_surface_destroy(back);
}

TEST_F(sheet_folder, a_png_that_cannot_be_written_is_reported) {
    write_texture("textures/a.bmp", 2, 2);
    const c_sheet_result result =
        make_contact_sheet((root_ / "no_such_folder" / "sheet.png").string(), root_.string(), {"textures/a.bmp"});
    EXPECT_FALSE(result.written);
}

}  // namespace
}  // namespace tw
