// Seeds for the bitmap decoder: small images at 24 and 32 bits with padded rows,
// and hand-built 4- and 8-bit files.
#include "common/bmp_writer.h"
#include "fuzz_seeds.h"

namespace tw_fuzz {

namespace {

std::vector<uint8_t> indexed(int bits, int width, int height) {
    const uint32_t stride = ((uint32_t(bits) * width + 31) / 32) * 4;
    const uint32_t palette = 4u << bits;
    const uint32_t offset = 54 + palette;
    std::vector<uint8_t> out(offset + stride * height, 0x5a);
    auto u32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = uint8_t(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    u32(2, uint32_t(out.size()));
    u32(6, 0);
    u32(10, offset);
    u32(14, 40);
    u32(18, uint32_t(width));
    u32(22, uint32_t(height));
    out[26] = 1;
    out[27] = 0;
    out[28] = uint8_t(bits);
    out[29] = 0;
    for (size_t at = 30; at < 54; ++at) out[at] = 0;
    return out;
}

}  // namespace

std::vector<std::vector<uint8_t>> seeds() {
    tw_tools::c_image_rgba image(3, 2);
    for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = uint8_t(i * 37);
    return {tw_tools::encode_bmp(image, 24), tw_tools::encode_bmp(image, 32),
            indexed(4, 5, 3), indexed(8, 3, 3)};
}

}  // namespace tw_fuzz
