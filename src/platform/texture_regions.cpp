// Visible regions: a block grid of the image marks blocks holding a texel with
// alpha, grows the marks by the margin, then joins marked blocks into row runs
// and stacks runs that repeat in the next row into one rectangle.
#include "platform/texture_regions.h"

#include <algorithm>

#include "platform/bitmap.h"

namespace tw {

namespace {

constexpr float k_worth_trimming = 5.0f / 6.0f;  // keep whole above this share

struct c_run {
    int x0, x1, y0, y1;  // blocks, inclusive
};

}  // namespace

std::vector<c_texture_region> visible_regions(const c_image& image) {
    const std::vector<c_texture_region> whole{c_texture_region{}};
    if (image.format != k_image_32bit || image.width == 0 || image.height == 0) return whole;
    const int bw = (image.width + k_region_block - 1) / k_region_block;
    const int bh = (image.height + k_region_block - 1) / k_region_block;
    // Block rows counted from the top of the picture; the image's rows are stored bottom first.
    std::vector<char> seen(size_t(bw) * bh, 0);
    for (int row = 0; row < image.height; ++row) {
        const uint8_t* texel = image.pixels.data() + size_t(row) * image.stride;
        const int by = (image.height - 1 - row) / k_region_block;
        for (int x = 0; x < image.width; ++x) {
            if (texel[size_t(x) * 4 + 3] != 0) seen[size_t(by) * bw + x / k_region_block] = 1;
        }
    }
    std::vector<char> marked(seen.size(), 0);
    for (int by = 0; by < bh; ++by) {
        for (int bx = 0; bx < bw; ++bx) {
            if (!seen[size_t(by) * bw + bx]) continue;
            for (int y = std::max(0, by - k_region_margin); y <= std::min(bh - 1, by + k_region_margin); ++y)
                for (int x = std::max(0, bx - k_region_margin); x <= std::min(bw - 1, bx + k_region_margin); ++x)
                    marked[size_t(y) * bw + x] = 1;
        }
    }
    const size_t kept = size_t(std::count(marked.begin(), marked.end(), 1));
    if (kept > marked.size() * k_worth_trimming) return whole;

    std::vector<c_run> runs;  // finished rectangles
    std::vector<c_run> open;  // runs of the previous block row, still growing
    for (int by = 0; by < bh; ++by) {
        std::vector<c_run> row;
        for (int bx = 0; bx < bw;) {
            if (!marked[size_t(by) * bw + bx]) {
                ++bx;
                continue;
            }
            int end = bx;
            while (end + 1 < bw && marked[size_t(by) * bw + end + 1]) ++end;
            row.push_back({bx, end, by, by});
            bx = end + 1;
        }
        std::vector<c_run> next;
        for (c_run& run : row) {
            auto same = std::find_if(open.begin(), open.end(), [&](const c_run& o) {
                return o.x0 == run.x0 && o.x1 == run.x1;
            });
            if (same != open.end()) {
                run.y0 = same->y0;
                open.erase(same);
            }
            next.push_back(run);
        }
        runs.insert(runs.end(), open.begin(), open.end());
        open = std::move(next);
    }
    runs.insert(runs.end(), open.begin(), open.end());

    std::vector<c_texture_region> regions;
    for (const c_run& run : runs) {
        const float w = float(image.width), h = float(image.height);
        regions.push_back({std::min(1.0f, float(run.x0 * k_region_block) / w),
                           std::min(1.0f, float(run.y0 * k_region_block) / h),
                           std::min(1.0f, float((run.x1 + 1) * k_region_block) / w),
                           std::min(1.0f, float((run.y1 + 1) * k_region_block) / h)});
    }
    return regions;
}

}  // namespace tw
