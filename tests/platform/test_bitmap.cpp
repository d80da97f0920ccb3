// Bitmap reading: decoding at every depth with padding, palettes, larger
// headers and top-down rows; rejection of broken files, also through the platform.
#include <gtest/gtest.h>

#include <cstring>

#include "common/bmp_writer.h"
#include "platform/bitmap.h"
#include "platform/bitmap_test_files.h"

namespace {

using tw_test::build_bmp;
using tw_test::c_bmp_layout;

struct c_decode_case {
    std::string name;
    std::vector<uint8_t> file;
    uint8_t format;
    uint16_t width;
    uint16_t height;
    uint16_t stride;
    std::vector<uint8_t> pixels;  // memory rows, bottom row first
};

void PrintTo(const c_decode_case& c, std::ostream* os) { *os << c.name; }

c_bmp_layout layout(int32_t w, int32_t h, uint16_t bits, std::vector<uint8_t> pixels) {
    c_bmp_layout l;
    l.width = w;
    l.height = h;
    l.bits = bits;
    l.pixels = std::move(pixels);
    return l;
}

// A 3x2 24-bit file whose rows carry junk padding; bottom row first.
const std::vector<uint8_t> k_rows_24 = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0xAA, 0xAA, 0xAA,
                                        11, 12, 13, 14, 15, 16, 17, 18, 19, 0xAA, 0xAA, 0xAA};
const std::vector<uint8_t> k_expected_24 = {3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0,
                                            13, 12, 11, 16, 15, 14, 19, 18, 17, 0, 0, 0};

std::vector<c_decode_case> decode_cases() {
    std::vector<c_decode_case> cases;

    // 4 bits, width 5: high nibble first, junk in the unused nibble and the
    // padding, a 16-colour palette before the pixels.
    c_bmp_layout four = layout(5, 2, 4, {0x12, 0x34, 0x5F, 0xAB, 0xFE, 0xDC, 0xB7, 0xAB});
    four.gap = 64;
    cases.push_back({"four_bit_with_palette", build_bmp(four), tw::k_image_4bit, 5, 2, 8,
                     {1, 2, 3, 4, 5, 0, 0, 0, 15, 14, 13, 12, 11, 0, 0, 0}});

    // 8 bits, width 3: each file row padded to 4 with junk, 256-colour palette.
    c_bmp_layout eight = layout(3, 3, 8, {10, 20, 30, 0xAA, 40, 50, 60, 0xAA, 70, 80, 90, 0xAA});
    eight.gap = 1024;
    cases.push_back({"eight_bit_padded_with_palette", build_bmp(eight), tw::k_image_8bit, 3, 3,
                     4, {10, 20, 30, 0, 40, 50, 60, 0, 70, 80, 90, 0}});

    // The historical layout: pixels right at byte 54, no padding needed.
    cases.push_back({"eight_bit_at_offset_54", build_bmp(layout(4, 2, 8, {1, 2, 3, 4, 5, 6, 7, 8})),
                     tw::k_image_8bit, 4, 2, 4, {1, 2, 3, 4, 5, 6, 7, 8}});

    // The final row may omit its padding.
    cases.push_back({"eight_bit_last_row_unpadded",
                     build_bmp(layout(3, 2, 8, {1, 2, 3, 0xAA, 4, 5, 6})), tw::k_image_8bit, 3,
                     2, 4, {1, 2, 3, 0, 4, 5, 6, 0}});

    cases.push_back({"twenty_four_bit_width_3", build_bmp(layout(3, 2, 24, k_rows_24)),
                     tw::k_image_24bit, 3, 2, 12, k_expected_24});

    // Top-down: the file's first row is the top one; memory still starts at the bottom.
    std::vector<uint8_t> flipped(k_rows_24.begin() + 12, k_rows_24.end());
    flipped.insert(flipped.end(), k_rows_24.begin(), k_rows_24.begin() + 12);
    cases.push_back({"twenty_four_bit_top_down", build_bmp(layout(3, -2, 24, flipped)),
                     tw::k_image_24bit, 3, 2, 12, k_expected_24});

    cases.push_back({"thirty_two_bit", build_bmp(layout(2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8})),
                     tw::k_image_32bit, 2, 1, 8, {3, 2, 1, 4, 7, 6, 5, 8}});

    // A 124-byte header with the standard BGRA bit fields and a gap before the pixels.
    c_bmp_layout v5 = layout(2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8});
    v5.info_bytes = 124;
    v5.compression = 3;
    v5.masks = {0x00ff0000, 0x0000ff00, 0x000000ff, 0xff000000};
    v5.gap = 16;
    cases.push_back({"thirty_two_bit_124_byte_header", build_bmp(v5), tw::k_image_32bit, 2, 1,
                     8, {3, 2, 1, 4, 7, 6, 5, 8}});

    // Bit fields after a 40-byte header: three masks, pixels after them.
    c_bmp_layout fields = layout(1, 1, 32, {9, 8, 7, 6});
    fields.compression = 3;
    fields.masks = {0x00ff0000, 0x0000ff00, 0x000000ff};
    cases.push_back({"thirty_two_bit_fields_after_40_byte_header", build_bmp(fields),
                     tw::k_image_32bit, 1, 1, 4, {7, 8, 9, 6}});
    return cases;
}

class c_decode_test : public testing::TestWithParam<c_decode_case> {};

TEST_P(c_decode_test, decodes_to_bottom_up_rows_padded_to_four) {
    const c_decode_case& c = GetParam();
    tw::c_image image;
    ASSERT_TRUE(tw::decode_bitmap(c.file.data(), c.file.size(), image));
    EXPECT_EQ(image.format, c.format);
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.stride, c.stride);
    EXPECT_EQ(image.pixels, c.pixels);
}

INSTANTIATE_TEST_SUITE_P(bitmap, c_decode_test, testing::ValuesIn(decode_cases()),
                         [](const auto& info) { return info.param.name; });

// Files from the project's writer decode to the image written, top row last in memory.
class c_writer_round_trip_test : public tw_test::c_temp_folder_test,
                                 public testing::WithParamInterface<std::tuple<int, int, int>> {};

TEST_P(c_writer_round_trip_test, reads_back_what_the_writer_wrote) {
    const auto [w, h, bits] = GetParam();
    tw_tools::c_image_rgba source(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = source.at(x, y);
            p[0] = uint8_t(x * 7 + y);
            p[1] = uint8_t(y * 13 + 1);
            p[2] = uint8_t(x + y * 31 + 2);
            p[3] = uint8_t(255 - x);
        }
    }
    ASSERT_TRUE(tw_tools::write_bmp("image.bmp", source, bits));

    tw::c_image image;
    ASSERT_TRUE(tw::read_bitmap("image.bmp", image));
    const int bytes_per_pixel = bits / 8;
    EXPECT_EQ(image.format, bits == 32 ? tw::k_image_32bit : tw::k_image_24bit);
    EXPECT_EQ(image.stride, ((bits * w + 31) / 32) * 4);
    ASSERT_EQ(image.pixels.size(), size_t(image.stride) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const size_t row = size_t(h - 1 - y) * image.stride;
            const uint8_t* got = &image.pixels[row + x * bytes_per_pixel];
            EXPECT_EQ(0, std::memcmp(got, source.at(x, y), bytes_per_pixel))
                << "pixel " << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(bitmap, c_writer_round_trip_test,
                         testing::Values(std::make_tuple(3, 2, 24), std::make_tuple(5, 3, 24),
                                         std::make_tuple(4, 4, 24), std::make_tuple(3, 2, 32),
                                         std::make_tuple(7, 5, 32)));

struct c_broken_case {
    std::string name;
    bool exists;
    std::vector<uint8_t> file;
};

void PrintTo(const c_broken_case& c, std::ostream* os) { *os << c.name; }

std::vector<uint8_t> with_u32(std::vector<uint8_t> file, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
    return file;
}

// Files of `bits` and the given size with `bytes` of (otherwise valid) pixel data.
std::vector<uint8_t> sized(int32_t w, int32_t h, uint16_t bits, size_t bytes) {
    return build_bmp(layout(w, h, bits, std::vector<uint8_t>(bytes, 1)));
}

std::vector<uint8_t> prefix(const std::vector<uint8_t>& file, size_t n) {
    return std::vector<uint8_t>(file.begin(), file.begin() + n);
}

std::vector<c_broken_case> broken_cases() {
    const std::vector<uint8_t> good = sized(2, 2, 24, 16);
    std::vector<c_broken_case> cases;
    cases.push_back({"missing", false, {}});
    cases.push_back({"empty", true, {}});
    cases.push_back({"shorter_than_headers", true, prefix(good, 30)});
    cases.push_back({"header_only", true, prefix(good, 54)});
    cases.push_back({"truncated_pixels", true, prefix(good, good.size() - 4)});
    std::vector<uint8_t> not_bmp = good;
    not_bmp[0] = 'P';
    not_bmp[1] = 'K';
    cases.push_back({"not_a_bmp", true, not_bmp});
    cases.push_back({"sixteen_bit", true, sized(2, 2, 16, 8)});
    c_bmp_layout rle = layout(2, 2, 8, std::vector<uint8_t>(8, 1));
    rle.compression = 1;
    cases.push_back({"rle8", true, build_bmp(rle)});
    c_bmp_layout odd_masks = layout(1, 1, 32, {1, 2, 3, 4});
    odd_masks.compression = 3;
    odd_masks.masks = {0x0000f800, 0x000007e0, 0x0000001f};
    cases.push_back({"bit_fields_other_masks", true, build_bmp(odd_masks)});
    c_bmp_layout fields_24 = layout(1, 1, 24, {1, 2, 3, 0});
    fields_24.compression = 3;
    fields_24.masks = {0x00ff0000, 0x0000ff00, 0x000000ff};
    cases.push_back({"bit_fields_at_24_bits", true, build_bmp(fields_24)});
    cases.push_back({"zero_width", true, sized(0, 2, 24, 16)});
    cases.push_back({"zero_height", true, sized(2, 0, 24, 16)});
    cases.push_back({"negative_width", true, sized(-2, 2, 24, 16)});
    cases.push_back({"absurd_height", true, sized(2, 70000, 24, 16)});
    cases.push_back({"more_pixels_than_file", true, sized(2000, 2000, 32, 64)});
    cases.push_back({"offset_inside_headers", true, with_u32(good, 10, 20)});
    // 16384 pixels of 4 bytes: a row that the 16-bit stride cannot describe.
    cases.push_back({"stride_over_16_bits", true, sized(16384, 1, 32, 65536)});
    return cases;
}

class c_broken_bitmap_test : public tw_test::c_temp_folder_test,
                             public testing::WithParamInterface<c_broken_case> {
protected:
    void SetUp() override {
        c_temp_folder_test::SetUp();
        if (GetParam().exists) write_texture("broken.bmp", GetParam().file);
    }
};

TEST_P(c_broken_bitmap_test, is_unreadable_and_leaves_the_image_empty) {
    tw::c_image image;
    image.format = tw::k_image_24bit;
    image.pixels.assign(12, 7);
    EXPECT_FALSE(tw::read_bitmap("textures/broken.bmp", image));
    EXPECT_EQ(image.format, tw::k_image_unsupported);
    EXPECT_TRUE(image.pixels.empty());
}

TEST_P(c_broken_bitmap_test, platform_load_prints_error_and_keeps_name_zero) {
    tw::c_texture texture;
    texture.file_name = "broken.bmp";
    testing::internal::CaptureStdout();
    platform_.load(texture);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "ERROR : file read error : broken.bmp\n");
    EXPECT_EQ(texture.name, 0u);
    EXPECT_EQ(device_.count(tw::e_render_call::create_texture), 0);
}

INSTANTIATE_TEST_SUITE_P(bitmap, c_broken_bitmap_test, testing::ValuesIn(broken_cases()),
                         [](const auto& info) { return info.param.name; });

using c_bitmap_header_test = tw_test::c_temp_folder_test;

TEST_F(c_bitmap_header_test, reports_width_and_absolute_height_from_headers_alone) {
    // Header of a top-down 300x200 file with no pixel data behind it.
    std::vector<uint8_t> file = build_bmp(layout(300, -200, 24, {}));
    tw_test::write_file("textures/head.bmp", file);
    uint16_t w = 0, h = 0;
    ASSERT_TRUE(platform_.read_bitmap_size("head.bmp", w, h));
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);

    tw_test::write_file("textures/wide.bmp", build_bmp(layout(70000, 3, 24, {})));
    ASSERT_TRUE(platform_.read_bitmap_size("wide.bmp", w, h));
    EXPECT_EQ(w, 70000 & 0xffff);
    EXPECT_EQ(h, 3);
}

TEST_F(c_bitmap_header_test, fails_for_missing_or_short_files) {
    uint16_t w = 5, h = 6;
    EXPECT_FALSE(platform_.read_bitmap_size("absent.bmp", w, h));
    std::vector<uint8_t> file = build_bmp(layout(4, 4, 24, {}));
    file.resize(40);
    tw_test::write_file("textures/short.bmp", file);
    EXPECT_FALSE(platform_.read_bitmap_size("short.bmp", w, h));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 6);
}

}  // namespace
