// BMP reading: validates the headers against the file size before allocating,
// reads pixels from the header's pixel offset and honours row padding.
#include "platform/bitmap.h"

#include "platform/file.h"

namespace tw {

namespace {

constexpr size_t k_file_header_bytes = 14;
constexpr size_t k_headers_bytes = 54;  // file header + the 40-byte information header
constexpr uint32_t k_info_header_min_bytes = 40;
constexpr size_t k_bitfield_masks_bytes = 12;  // red, green, blue masks after a 40-byte header
constexpr uint32_t k_compression_rgb = 0;
constexpr uint32_t k_compression_bitfields = 3;
constexpr int64_t k_max_dimension = 65535;
constexpr uint64_t k_max_stride = 65535;  // the image record keeps the stride in 16 bits

// The only channel masks accepted with bit-field compression: plain B, G, R, A bytes.
constexpr uint32_t k_mask_red = 0x00ff0000;
constexpr uint32_t k_mask_green = 0x0000ff00;
constexpr uint32_t k_mask_blue = 0x000000ff;
constexpr uint32_t k_mask_alpha = 0xff000000;
constexpr size_t k_mask_offset = 54;
constexpr uint32_t k_info_header_with_alpha_mask_bytes = 56;

uint16_t get_u16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }

uint32_t get_u32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
           (uint32_t(p[3]) << 24);
}

int32_t get_i32(const uint8_t* p) { return int32_t(get_u32(p)); }

// Bit-field compression is accepted at 32 bits only when the masks describe the
// ordinary byte layout, so the pixels decode exactly like an uncompressed file.
bool standard_masks(const uint8_t* data, size_t size, uint32_t info_bytes) {
    if (k_mask_offset + k_bitfield_masks_bytes > size) return false;
    const uint8_t* masks = data + k_mask_offset;
    if (get_u32(masks) != k_mask_red || get_u32(masks + 4) != k_mask_green ||
        get_u32(masks + 8) != k_mask_blue) {
        return false;
    }
    if (info_bytes >= k_info_header_with_alpha_mask_bytes) {
        return get_u32(masks + 12) == k_mask_alpha;
    }
    return true;
}

uint32_t memory_stride(uint16_t bits, uint32_t width) {
    switch (bits) {
        case 4:
        case 8:
            return (width + 3) & ~3u;
        case 24:
            return ((24 * width + 31) / 32) * 4;
        default:
            return 4 * width;
    }
}

uint8_t format_for_bits(uint16_t bits) {
    switch (bits) {
        case 4:
            return k_image_4bit;
        case 8:
            return k_image_8bit;
        case 24:
            return k_image_24bit;
        default:
            return k_image_32bit;
    }
}

// Expands one file row into one memory row of the same image row.
void decode_row(uint16_t bits, const uint8_t* src, uint32_t width, uint8_t* dst) {
    switch (bits) {
        case 4:
            for (uint32_t x = 0; x < width; ++x) {
                const uint8_t byte = src[x / 2];
                dst[x] = (x % 2 == 0) ? uint8_t(byte >> 4) : uint8_t(byte & 0x0f);
            }
            break;
        case 8:
            for (uint32_t x = 0; x < width; ++x) dst[x] = src[x];
            break;
        default: {
            const uint32_t bytes_per_pixel = bits / 8;
            for (uint32_t x = 0; x < width; ++x) {
                const uint8_t* s = src + x * bytes_per_pixel;
                uint8_t* d = dst + x * bytes_per_pixel;
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
                if (bytes_per_pixel == 4) d[3] = s[3];
            }
            break;
        }
    }
}

}  // namespace

bool decode_bitmap(const uint8_t* data, size_t size, c_image& out) {
    out = c_image{};
    if (!data || size < k_headers_bytes) return false;
    if (data[0] != 'B' || data[1] != 'M') return false;

    const uint32_t pixel_offset = get_u32(data + 10);
    const uint32_t info_bytes = get_u32(data + 14);
    const int64_t width = get_i32(data + 18);
    const int64_t signed_height = get_i32(data + 22);
    const uint16_t bits = get_u16(data + 28);
    const uint32_t compression = get_u32(data + 30);

    if (info_bytes < k_info_header_min_bytes) return false;
    if (k_file_header_bytes + uint64_t(info_bytes) > size) return false;

    const bool top_down = signed_height < 0;
    const int64_t height = top_down ? -signed_height : signed_height;
    if (width <= 0 || width > k_max_dimension) return false;
    if (height <= 0 || height > k_max_dimension) return false;
    if (bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;

    uint64_t headers_end = k_file_header_bytes + uint64_t(info_bytes);
    if (compression == k_compression_bitfields && bits == 32) {
        if (!standard_masks(data, size, info_bytes)) return false;
        if (info_bytes == k_info_header_min_bytes) headers_end += k_bitfield_masks_bytes;
    } else if (compression != k_compression_rgb) {
        return false;
    }
    if (pixel_offset < headers_end) return false;

    // The last row may lack its padding; every other row must be complete.
    const uint64_t file_stride = ((uint64_t(bits) * width + 31) / 32) * 4;
    const uint64_t row_bytes = (uint64_t(bits) * width + 7) / 8;
    const uint64_t needed = file_stride * uint64_t(height - 1) + row_bytes;
    if (uint64_t(pixel_offset) + needed > size) return false;

    const uint32_t stride = memory_stride(bits, uint32_t(width));
    if (stride > k_max_stride) return false;

    out.format = format_for_bits(bits);
    out.width = uint16_t(width);
    out.height = uint16_t(height);
    out.stride = uint16_t(stride);
    out.pixels.assign(size_t(stride) * size_t(height), 0);
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* src = data + pixel_offset + file_stride * uint64_t(row);
        // Top-down files start with the top row; memory keeps the bottom row first.
        const int64_t memory_row = top_down ? height - 1 - row : row;
        decode_row(bits, src, uint32_t(width), out.pixels.data() + size_t(memory_row) * stride);
    }
    return true;
}

bool read_bitmap(const std::string& path, c_image& out) {
    std::vector<uint8_t> bytes;
    if (!read_file(path, bytes)) {
        out = c_image{};
        return false;
    }
    return decode_bitmap(bytes.data(), bytes.size(), out);
}

bool read_bitmap_header(const std::string& path, uint16_t& width, uint16_t& height) {
    std::vector<uint8_t> bytes;
    if (!read_file_head(path, k_headers_bytes, bytes)) return false;
    const uint8_t* header = bytes.data();
    const int64_t w = get_i32(header + 18);
    const int64_t h = get_i32(header + 22);
    width = uint16_t(uint32_t(w) & 0xffff);
    height = uint16_t(uint64_t(h < 0 ? -h : h) & 0xffff);
    return true;
}

}  // namespace tw
