// Seeds for the bitmap decoder: small images at 24 and 32 bits with padded rows,
// and hand-built 4- and 8-bit files.
#include "common/bmp_writer.h"
#include "fuzz_seeds.h"

namespace tw_fuzz {

namespace {

std::vector<uint8_t> indexed(int bits, int width, int height) {
    using tw_tools::put_u16;
    using tw_tools::put_u32;
    const uint32_t stride = ((uint32_t(bits) * width + 31) / 32) * 4;
    const uint32_t palette = 4u << bits;
    const uint32_t offset = 54 + palette;
    std::vector<uint8_t> out = {'B', 'M'};
    put_u32(out, offset + stride * height);
    put_u32(out, 0);
    put_u32(out, offset);
    put_u32(out, 40);
    put_u32(out, uint32_t(width));
    put_u32(out, uint32_t(height));
    put_u16(out, 1);
    put_u16(out, uint32_t(bits));
    for (int field = 0; field < 6; ++field) put_u32(out, 0);
    out.resize(offset + stride * height, 0x5a);  // palette and pixels
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
