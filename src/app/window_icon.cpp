// Bitmap rows to the window library's icon pixels.
#include "app/window_icon.h"

namespace tw {

bool image_to_rgba(const c_image& image, std::vector<uint8_t>& rgba) {
    const bool has_alpha = image.format == k_image_32bit;
    if (!has_alpha && image.format != k_image_24bit) return false;
    const int source_bytes = has_alpha ? 4 : 3;
    rgba.assign(size_t(image.width) * image.height * 4, 255);
    for (int y = 0; y < image.height; ++y) {
        // Bitmap rows are stored bottom row first.
        const uint8_t* row = image.pixels.data() + size_t(image.height - 1 - y) * image.stride;
        uint8_t* out = rgba.data() + size_t(y) * image.width * 4;
        for (int x = 0; x < image.width; ++x) {
            for (int c = 0; c < source_bytes; ++c) out[x * 4 + c] = row[x * source_bytes + c];
        }
    }
    return true;
}

void set_window_icon(c_platform& platform) {
    c_image image;
    std::vector<uint8_t> rgba;
    if (!platform.read_texture_image(k_window_icon_file, image) || !image_to_rgba(image, rgba))
        return;
    platform.window().set_icon(image.width, image.height, rgba.data());
}

}  // namespace tw
