// Test helpers for the bitmap and texture tests: hand-built BMP bytes of any
// depth and header size, file writing, and a fixture running in a temp folder.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace tw_test {

// The layout of a hand-built BMP file. Pixel rows are given exactly as stored
// in the file (padding included); `gap` bytes of filler (a palette, say) sit
// between the headers and the pixels, so the pixel offset is beyond them.
struct c_bmp_layout {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t info_bytes = 40;
    std::vector<uint32_t> masks;  // written right after the file header's info fields at 54
    size_t gap = 0;
    std::vector<uint8_t> pixels;
};

// Encodes the layout; filler bytes are 0xEE so a reader starting at the wrong
// place sees them.
std::vector<uint8_t> build_bmp(const c_bmp_layout& layout);

// Writes bytes to path; fails the current test if it cannot.
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);

// Runs each test in a fresh temp folder with a "textures" subfolder as the
// working directory, and gives it a platform on a headless window and a
// recording device.
class c_temp_folder_test : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Writes bytes to textures/<file_name>.
    void write_texture(const std::string& file_name, const std::vector<uint8_t>& bytes);

    std::string old_cwd_;
    std::string folder_;
    tw::c_window_headless window_;
    tw::c_render_device_recording device_;
    tw::c_platform platform_{window_, device_};
};

}  // namespace tw_test
