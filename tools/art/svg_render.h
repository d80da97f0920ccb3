// SVG rendering through librsvg and cairo: the document's size in user units, whole
// documents and regions of them at a scale, and single elements with their ink rectangles.
#pragma once
#include <string>

#include "common/bmp_writer.h"

typedef struct _RsvgHandle RsvgHandle;

namespace tw_tools {

// The largest bitmap side the tool makes; cairo's own limit is 32767.
constexpr int k_max_bitmap_side = 16384;

// A rectangle in SVG user units.
struct c_svg_rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// One SVG file, loaded whole. The user space is the viewBox when there is one,
// else the document's width and height in pixels with the origin at the corner.
class c_svg_document {
public:
    c_svg_document() = default;
    ~c_svg_document();
    c_svg_document(const c_svg_document&) = delete;
    c_svg_document& operator=(const c_svg_document&) = delete;

    // Loads and measures the file; on failure error says why and the document stays empty.
    bool load(const std::string& path, std::string& error);

    // The document's extent in user units (valid after a successful load).
    const c_svg_rect& bounds() const { return m_bounds; }

    // Renders the whole document stretched to exactly width x height pixels, straight alpha.
    bool render_stretched(int width, int height, c_image_rgba& out, std::string& error) const;

    // Renders the document at scale pixels per user unit and keeps the width x height
    // pixels whose top-left is pixel (left, top) of the whole picture, straight alpha.
    bool render_region(double scale, int left, int top, int width, int height, c_image_rgba& out,
                       std::string& error) const;

    // The ink rectangle of the element with this id (no '#') as it sits in the document
    // (its own and its ancestors' transforms applied), in user units.
    bool element_ink_rect(const std::string& id, c_svg_rect& out, std::string& error) const;

    // Renders the element alone, as it sits in the document: its ink rectangle ink at
    // scale pixels per unit with pad transparent pixels on each side; the bitmap is
    // ceil(ink * scale) + 2 * pad pixels per axis.
    bool render_element(const std::string& id, const c_svg_rect& ink, double scale, int pad, c_image_rgba& out,
                        std::string& error) const;

private:
    // Where the document lands on the bitmap: translate by (x, y) pixels, scale, then
    // shift by (shift_x, shift_y) user units.
    struct c_placement {
        double x, y, scale_x, scale_y, shift_x, shift_y;
    };
    // Renders the whole document, or only the element id when it is not empty.
    bool render_placed(int width, int height, const c_placement& place, const std::string& id,
                       c_image_rgba& out, std::string& error) const;

    RsvgHandle* m_handle = nullptr;
    c_svg_rect m_bounds;
};

// The pixel count covering length units at scale, rounded up (tiny float noise ignored).
int pixels_covering(double length, double scale);

}  // namespace tw_tools
