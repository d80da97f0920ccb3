// The texture and material cache: sharing, the loading queue, upload formats,
// reloading and release of device textures.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/bmp_writer.h"
#include "platform/bitmap_test_files.h"

namespace {

using tw::e_render_call;

class c_texture_cache_test : public tw_test::c_temp_folder_test {
protected:
    // A 2x2 24-bit texture file under textures/.
    void write_rgb(const std::string& file_name) {
        tw_tools::c_image_rgba image(2, 2);
        ASSERT_TRUE(tw_tools::write_bmp("textures/" + file_name, image, 24));
    }
    // Runs the loading queue dry; returns the number of steps taken.
    int drain() {
        int steps = 0;
        while (platform_.load_next_queued()) ++steps;
        return steps;
    }
};

TEST_F(c_texture_cache_test, blend_modes_get_separate_materials_over_one_texture) {
    tw::c_material* normal = platform_.get_material("leaf.bmp", false);
    tw::c_material* additive = platform_.get_material("leaf.bmp", true);
    ASSERT_NE(normal, additive);
    EXPECT_EQ(normal->texture, additive->texture);
    EXPECT_EQ(normal->additive, 0);
    EXPECT_EQ(additive->additive, 1);
    EXPECT_EQ(normal->texture->file_name, "leaf.bmp");
    EXPECT_EQ(normal->texture->name, 0u);
    EXPECT_EQ(platform_.queued_texture_count(), 1u);
    EXPECT_EQ(platform_.queued_material_count(), 2u);

    EXPECT_EQ(platform_.get_material("leaf.bmp", false), normal);
    EXPECT_EQ(platform_.get_material("leaf.bmp", true), additive);
    EXPECT_EQ(platform_.queued_material_count(), 2u);
    EXPECT_NE(platform_.get_material("Leaf.bmp", false)->texture, normal->texture);
    EXPECT_TRUE(device_.calls.empty());
}

TEST_F(c_texture_cache_test, queue_loads_textures_before_moving_materials) {
    write_rgb("a.bmp");
    write_rgb("b.bmp");
    tw::c_material* a = platform_.get_material("a.bmp", false);
    tw::c_material* b = platform_.get_material("b.bmp", true);

    ASSERT_TRUE(platform_.load_next_queued());
    EXPECT_EQ(a->texture->name, 1u);
    EXPECT_EQ(b->texture->name, 0u);
    EXPECT_EQ(platform_.loaded_texture_count(), 1u);
    ASSERT_TRUE(platform_.load_next_queued());
    EXPECT_EQ(b->texture->name, 2u);
    EXPECT_EQ(platform_.queued_texture_count(), 0u);
    EXPECT_EQ(platform_.queued_material_count(), 2u);

    ASSERT_TRUE(platform_.load_next_queued());
    ASSERT_EQ(platform_.loaded_materials.size(), 1u);
    EXPECT_EQ(platform_.loaded_materials.front().get(), a);
    ASSERT_TRUE(platform_.load_next_queued());
    EXPECT_EQ(platform_.loaded_materials.back().get(), b);
    EXPECT_FALSE(platform_.load_next_queued());
    EXPECT_EQ(device_.count(e_render_call::create_texture), 2);
}

TEST_F(c_texture_cache_test, loaded_names_are_found_without_queueing) {
    write_rgb("a.bmp");
    tw::c_material* first = platform_.get_material("a.bmp", false);
    drain();

    EXPECT_EQ(platform_.get_material("a.bmp", false), first);
    EXPECT_EQ(platform_.queued_texture_count(), 0u);
    EXPECT_EQ(platform_.queued_material_count(), 0u);

    // A new blend mode over a loaded texture queues only the material.
    tw::c_material* glow = platform_.get_material("a.bmp", true);
    EXPECT_EQ(glow->texture, first->texture);
    EXPECT_EQ(platform_.queued_texture_count(), 0u);
    EXPECT_EQ(platform_.queued_material_count(), 1u);
}

TEST_F(c_texture_cache_test, unreadable_queued_texture_still_moves_to_loaded) {
    // A missing file, a folder, and an empty name (which reads the texture
    // folder itself) each give the error line and nothing else.
    std::filesystem::create_directories("textures/folder.bmp");
    tw::c_material* missing = platform_.get_material("missing.bmp", false);
    tw::c_material* folder = platform_.get_material("folder.bmp", false);
    tw::c_material* unnamed = platform_.get_material("", false);
    testing::internal::CaptureStdout();
    EXPECT_EQ(drain(), 6);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR : file read error : missing.bmp\nERROR : file read error : folder.bmp\n"
              "ERROR : file read error : \n");
    for (tw::c_material* material : {missing, folder, unnamed}) EXPECT_EQ(material->texture->name, 0u);
    EXPECT_EQ(platform_.loaded_texture_count(), 3u);
}

struct c_format_case {
    const char* name;
    std::vector<uint8_t> file;
    uint32_t format;
    int width;
    int height;
    std::vector<uint8_t> pixels;
};

void PrintTo(const c_format_case& c, std::ostream* os) { *os << c.name; }

c_format_case format_case(const char* name, int32_t w, int32_t h, uint16_t bits,
                          std::vector<uint8_t> file_pixels, uint32_t format,
                          std::vector<uint8_t> uploaded) {
    tw_test::c_bmp_layout l;
    l.width = w;
    l.height = h;
    l.bits = bits;
    l.pixels = std::move(file_pixels);
    return {name, tw_test::build_bmp(l), format, w, h < 0 ? -h : h, std::move(uploaded)};
}

class c_upload_format_test : public tw_test::c_temp_folder_test,
                             public testing::WithParamInterface<c_format_case> {};

TEST_P(c_upload_format_test, uploads_decoded_rows_in_the_matching_format) {
    const c_format_case& c = GetParam();
    write_texture("t.bmp", c.file);
    tw::c_texture texture;
    texture.file_name = "t.bmp";
    platform_.load(texture);

    const auto uploads = device_.calls_of(e_render_call::create_texture);
    ASSERT_EQ(uploads.size(), 1u);
    EXPECT_EQ(uploads[0].format, c.format);
    EXPECT_EQ(uploads[0].ints[0], c.width);
    EXPECT_EQ(uploads[0].ints[1], c.height);
    EXPECT_EQ(uploads[0].pixels, c.pixels);
    EXPECT_EQ(texture.name, uploads[0].texture);
    EXPECT_NE(texture.name, 0u);
    EXPECT_EQ(texture.format, c.format);
}

INSTANTIATE_TEST_SUITE_P(
    textures, c_upload_format_test,
    testing::Values(
        format_case("four_bit_as_alpha", 2, 1, 4, {0x9A, 0, 0, 0}, tw::k_format_alpha,
                    {9, 10, 0, 0}),
        format_case("eight_bit_as_luminance", 1, 2, 8, {5, 0, 0, 0, 6, 0, 0, 0},
                    tw::k_format_luminance, {5, 0, 0, 0, 6, 0, 0, 0}),
        format_case("twenty_four_bit_as_rgb", 1, 1, 24, {1, 2, 3, 0}, tw::k_format_rgb,
                    {3, 2, 1, 0}),
        format_case("thirty_two_bit_as_rgba", 1, 1, 32, {1, 2, 3, 4}, tw::k_format_rgba,
                    {3, 2, 1, 4})),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(c_texture_cache_test, reloading_replaces_the_device_texture) {
    write_rgb("a.bmp");
    tw::c_texture texture;
    texture.file_name = "a.bmp";
    platform_.load(texture);
    platform_.load(texture);
    EXPECT_EQ(texture.name, 2u);
    EXPECT_EQ(device_.deleted_textures, std::vector<uint32_t>{1});

    // A failed reload keeps the texture that is there.
    texture.file_name = "gone.bmp";
    testing::internal::CaptureStdout();
    platform_.load(texture);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(texture.name, 2u);
    EXPECT_EQ(device_.live_textures(), std::vector<uint32_t>{2});
}

TEST_F(c_texture_cache_test, release_all_deletes_every_uploaded_texture_and_empties_lists) {
    write_rgb("a.bmp");
    write_rgb("b.bmp");
    platform_.get_material("a.bmp", false);
    platform_.get_material("b.bmp", true);
    platform_.get_material("missing.bmp", false);
    testing::internal::CaptureStdout();
    platform_.load_next_queued();
    platform_.load_next_queued();
    platform_.load_next_queued();
    testing::internal::GetCapturedStdout();
    platform_.get_material("queued.bmp", false);

    platform_.release_all();
    EXPECT_EQ(device_.deleted_textures, (std::vector<uint32_t>{1, 2}));
    EXPECT_TRUE(device_.live_textures().empty());
    EXPECT_TRUE(platform_.loaded_textures.empty());
    EXPECT_TRUE(platform_.queued_textures.empty());
    EXPECT_TRUE(platform_.loaded_materials.empty());
    EXPECT_TRUE(platform_.queued_materials.empty());
}

}  // namespace
