// Pixel treatment of rendered art: un-premultiplying, bleeding colour under
// transparent pixels so filtered and mipmapped sprites show no dark fringes, cropping.
#include "art/pixels.h"

#include <algorithm>
#include <cstring>

namespace tw_tools {

namespace {

constexpr int k_channels = 4;
constexpr int k_alpha = 3;

struct c_neighbour_offset {
    int dx = 0;
    int dy = 0;
};

// Edge neighbours are nearer than corner ones, so they are asked first.
constexpr c_neighbour_offset k_edge_neighbours[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr c_neighbour_offset k_corner_neighbours[] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

struct c_pending_colour {
    size_t pixel = 0;
    uint8_t rgb[3] = {0, 0, 0};
};

// Averages the colours of the filled neighbours among offsets; false if there are none.
template <size_t n>
bool average_filled_neighbours(const c_image_rgba& image, const std::vector<uint8_t>& filled, int x, int y,
                               const c_neighbour_offset (&offsets)[n], uint8_t rgb[3]) {
    int sum[3] = {0, 0, 0};
    int count = 0;
    for (const c_neighbour_offset& offset : offsets) {
        const int nx = x + offset.dx;
        const int ny = y + offset.dy;
        if (nx < 0 || ny < 0 || nx >= image.width || ny >= image.height) continue;
        if (!filled[size_t(ny) * image.width + nx]) continue;
        const uint8_t* p = image.at(nx, ny);
        for (int c = 0; c < 3; ++c) sum[c] += p[c];
        ++count;
    }
    if (count == 0) return false;
    for (int c = 0; c < 3; ++c) rgb[c] = uint8_t((sum[c] + count / 2) / count);
    return true;
}

}  // namespace

uint8_t unpremultiply(uint8_t value, uint8_t alpha) {
    if (alpha == 0) return 0;
    const unsigned straight = (unsigned(value) * 255 + alpha / 2) / alpha;
    return uint8_t(std::min(straight, 255u));
}

c_image_rgba image_from_premultiplied(const uint8_t* data, int width, int height, int stride) {
    c_image_rgba image(width, height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = data + size_t(y) * stride;
        for (int x = 0; x < width; ++x) {
            uint32_t argb = 0;
            std::memcpy(&argb, row + size_t(x) * 4, 4);
            const uint8_t a = uint8_t(argb >> 24);
            uint8_t* out = image.at(x, y);
            out[0] = unpremultiply(uint8_t(argb >> 16), a);
            out[1] = unpremultiply(uint8_t(argb >> 8), a);
            out[2] = unpremultiply(uint8_t(argb), a);
            out[k_alpha] = a;
        }
    }
    return image;
}

void bleed_transparent_colour(c_image_rgba& image, int passes) {
    const size_t count = size_t(image.width) * image.height;
    std::vector<uint8_t> filled(count, 0);
    std::vector<size_t> unfilled;
    uint64_t sum[3] = {0, 0, 0};
    size_t visible = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = &image.pixels[i * k_channels];
        if (p[k_alpha] > 0) {
            filled[i] = 1;
            for (int c = 0; c < 3; ++c) sum[c] += p[c];
            ++visible;
        } else {
            unfilled.push_back(i);
        }
    }
    if (unfilled.empty()) return;

    // Each pass fills the transparent pixels that touch a pixel filled before the pass,
    // so colour travels one pixel per pass, nearest source first.
    std::vector<c_pending_colour> pending;
    for (int pass = 0; pass < passes && !unfilled.empty() && visible > 0; ++pass) {
        pending.clear();
        std::vector<size_t> still_unfilled;
        for (size_t i : unfilled) {
            const int x = int(i % image.width);
            const int y = int(i / image.width);
            c_pending_colour colour;
            colour.pixel = i;
            if (average_filled_neighbours(image, filled, x, y, k_edge_neighbours, colour.rgb) ||
                average_filled_neighbours(image, filled, x, y, k_corner_neighbours, colour.rgb)) {
                pending.push_back(colour);
            } else {
                still_unfilled.push_back(i);
            }
        }
        if (pending.empty()) break;
        for (const c_pending_colour& colour : pending) {
            std::memcpy(&image.pixels[colour.pixel * k_channels], colour.rgb, 3);
            filled[colour.pixel] = 1;
        }
        unfilled.swap(still_unfilled);
    }

    uint8_t average[3] = {0, 0, 0};
    if (visible > 0) {
        for (int c = 0; c < 3; ++c) average[c] = uint8_t((sum[c] + visible / 2) / visible);
    }
    for (size_t i : unfilled) std::memcpy(&image.pixels[i * k_channels], average, 3);
}

bool has_transparency(const c_image_rgba& image) {
    for (size_t i = k_alpha; i < image.pixels.size(); i += k_channels) {
        if (image.pixels[i] < 255) return true;
    }
    return false;
}

bool is_fully_transparent(const c_image_rgba& image) {
    for (size_t i = k_alpha; i < image.pixels.size(); i += k_channels) {
        if (image.pixels[i] != 0) return false;
    }
    return true;
}

c_image_rgba crop_image(const c_image_rgba& image, int x, int y, int width, int height) {
    c_image_rgba piece(width, height);
    const int x0 = std::max(x, 0);
    const int x1 = std::min(x + width, image.width);
    if (x1 <= x0) return piece;
    for (int row = 0; row < height; ++row) {
        const int source_y = y + row;
        if (source_y < 0 || source_y >= image.height) continue;
        std::memcpy(piece.at(x0 - x, row), image.at(x0, source_y), size_t(x1 - x0) * k_channels);
    }
    return piece;
}

c_image_rgba turn_image(const c_image_rgba& image, int quarter_turns) {
    c_image_rgba turned = image;
    for (int turn = 0; turn < ((quarter_turns % 4) + 4) % 4; ++turn) {
        const c_image_rgba from = turned;
        turned = c_image_rgba(from.height, from.width);
        // One clockwise quarter: the source's left column becomes the top row.
        for (int y = 0; y < turned.height; ++y)
            for (int x = 0; x < turned.width; ++x)
                std::memcpy(turned.at(x, y), from.at(y, from.height - 1 - x), k_channels);
    }
    return turned;
}

}  // namespace tw_tools
