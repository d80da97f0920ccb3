// Windows BMP reading: header validation and decoding of 4, 8, 24 and 32-bit
// uncompressed images into upload-ready rows (bottom row first, 4-byte aligned).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Format codes of a decoded image.
constexpr uint8_t k_image_unsupported = 0;
constexpr uint8_t k_image_4bit = 1;   // one byte per pixel, values 0..15
constexpr uint8_t k_image_8bit = 2;   // one byte per pixel, the palette index
constexpr uint8_t k_image_24bit = 3;  // R, G, B
constexpr uint8_t k_image_32bit = 4;  // R, G, B, A

// A decoded image. Rows are stored bottom row first, each `stride` bytes long
// (padded to a multiple of 4), because the device flips v when drawing.
struct c_image {
    uint8_t format = k_image_unsupported;
    uint16_t width = 0;
    uint16_t height = 0;
    uint16_t stride = 0;
    std::vector<uint8_t> pixels;
};

// Decodes the BMP file at path into out; false (and out emptied) if the file
// cannot be opened, is malformed, truncated or of an unsupported kind.
bool read_bitmap(const std::string& path, c_image& out);

// Decodes a BMP file already in memory; same rules as read_bitmap.
bool decode_bitmap(const uint8_t* data, size_t size, c_image& out);

// Reads only the headers: the low 16 bits of the width and of |height|. False if
// the file cannot be opened or is too short for the headers.
bool read_bitmap_header(const std::string& path, uint16_t& width, uint16_t& height);

}  // namespace tw
