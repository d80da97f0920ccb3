// The project's own BMP writer: 54-byte header, bottom-up rows padded to four
// bytes, 24-bit (no alpha) or 32-bit (with alpha). Used by the content tools and tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tw_tools {

// An image in memory, top row first, 4 bytes per pixel in R, G, B, A order.
struct c_image_rgba {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    c_image_rgba() = default;
    c_image_rgba(int w, int h) : width(w), height(h), pixels(size_t(w) * h * 4, 0) {}
    uint8_t* at(int x, int y) { return &pixels[(size_t(y) * width + x) * 4]; }
    const uint8_t* at(int x, int y) const { return &pixels[(size_t(y) * width + x) * 4]; }
};

// Appends a little-endian 16- or 32-bit value, as BMP headers store them.
void put_u16(std::vector<uint8_t>& out, uint32_t v);
void put_u32(std::vector<uint8_t>& out, uint32_t v);

// Encodes the image as a BMP file of 24 or 32 bits per pixel.
std::vector<uint8_t> encode_bmp(const c_image_rgba& image, int bits_per_pixel);
// Writes the encoded image to path, creating nothing else; false if it cannot be written.
bool write_bmp(const std::string& path, const c_image_rgba& image, int bits_per_pixel);

}  // namespace tw_tools
