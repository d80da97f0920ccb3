// Test helpers: hand-built BMP files and the temp working folder fixture.
#include "platform/bitmap_test_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/bmp_writer.h"

namespace tw_test {

using tw_tools::put_u16;
using tw_tools::put_u32;

std::vector<uint8_t> build_bmp(const c_bmp_layout& layout) {
    const size_t masks_after_header =
        layout.info_bytes == 40 ? layout.masks.size() * 4 : 0;
    const uint32_t offset =
        uint32_t(14 + layout.info_bytes + masks_after_header + layout.gap);

    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    put_u32(out, uint32_t(offset + layout.pixels.size()));
    put_u32(out, 0);
    put_u32(out, offset);
    put_u32(out, layout.info_bytes);
    put_u32(out, uint32_t(layout.width));
    put_u32(out, uint32_t(layout.height));
    put_u16(out, 1);
    put_u16(out, layout.bits);
    put_u32(out, layout.compression);
    put_u32(out, uint32_t(layout.pixels.size()));
    put_u32(out, 2835);
    put_u32(out, 2835);
    put_u32(out, 0);
    put_u32(out, 0);
    // Masks live at byte 54 either inside a larger header or right after a 40-byte one.
    for (uint32_t mask : layout.masks) put_u32(out, mask);
    while (out.size() < 14 + layout.info_bytes) out.push_back(0);
    out.insert(out.end(), layout.gap, 0xEE);
    out.insert(out.end(), layout.pixels.begin(), layout.pixels.end());
    return out;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    // An empty vector's data() may be null, which fwrite must not be given.
    if (!bytes.empty()) {
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
    }
    ASSERT_EQ(std::fclose(f), 0);
}

void c_temp_folder_test::SetUp() {
    old_cwd_ = std::filesystem::current_path().string();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tw_textures_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    std::filesystem::create_directory(std::filesystem::path(folder_) / "textures");
    std::filesystem::current_path(folder_);
}

void c_temp_folder_test::TearDown() {
    std::filesystem::current_path(old_cwd_);
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void c_temp_folder_test::write_texture(const std::string& file_name,
                                       const std::vector<uint8_t>& bytes) {
    write_file("textures/" + file_name, bytes);
}

}  // namespace tw_test
