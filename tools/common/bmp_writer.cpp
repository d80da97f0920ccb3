// BMP encoding for the content tools.
#include "common/bmp_writer.h"

#include <cstdio>

namespace tw_tools {

void put_u16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    put_u16(out, v & 0xffff);
    put_u16(out, v >> 16);
}

std::vector<uint8_t> encode_bmp(const c_image_rgba& image, int bits_per_pixel) {
    const int bytes_per_pixel = bits_per_pixel == 32 ? 4 : 3;
    const uint32_t stride = ((uint32_t(bits_per_pixel) * image.width + 31) / 32) * 4;
    const uint32_t pixel_bytes = stride * image.height;
    const uint32_t header_bytes = 54;

    std::vector<uint8_t> out;
    out.reserve(header_bytes + pixel_bytes);
    out.push_back('B');
    out.push_back('M');
    put_u32(out, header_bytes + pixel_bytes);
    put_u32(out, 0);
    put_u32(out, header_bytes);
    put_u32(out, 40);
    put_u32(out, uint32_t(image.width));
    put_u32(out, uint32_t(image.height));  // positive: bottom-up rows
    put_u16(out, 1);
    put_u16(out, uint32_t(bytes_per_pixel * 8));
    put_u32(out, 0);  // uncompressed
    put_u32(out, pixel_bytes);
    put_u32(out, 2835);  // 72 dpi
    put_u32(out, 2835);
    put_u32(out, 0);
    put_u32(out, 0);

    for (int y = image.height - 1; y >= 0; --y) {
        size_t row_start = out.size();
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.at(x, y);
            out.push_back(p[2]);
            out.push_back(p[1]);
            out.push_back(p[0]);
            if (bytes_per_pixel == 4) out.push_back(p[3]);
        }
        while (out.size() - row_start < stride) out.push_back(0);
    }
    return out;
}

bool write_bmp(const std::string& path, const c_image_rgba& image, int bits_per_pixel) {
    std::vector<uint8_t> bytes = encode_bmp(image, bits_per_pixel);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace tw_tools
