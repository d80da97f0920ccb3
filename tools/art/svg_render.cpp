// SVG rendering through librsvg and cairo into straight-alpha RGBA images; every
// render goes to a fresh transparent ARGB32 surface that is then un-premultiplied.
#include "art/svg_render.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>

#include "art/pixels.h"

namespace tw_tools {

namespace {

// Scaled lengths within this much of a whole pixel count as that count, so
// 100 units at 0.5 px per unit give 50 pixels, not 51.
constexpr double k_pixel_rounding_slack = 1e-6;

// Takes the message out of a GError and frees it.
std::string take_error(GError* error, const char* fallback) {
    if (!error) return fallback;
    std::string message = error->message ? error->message : fallback;
    g_error_free(error);
    return message;
}

// A cleared ARGB32 surface with its context; releases both on destruction.
class c_canvas {
public:
    c_canvas(int width, int height) {
        m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        m_context = cairo_create(m_surface);
    }
    ~c_canvas() {
        cairo_destroy(m_context);
        cairo_surface_destroy(m_surface);
    }
    c_canvas(const c_canvas&) = delete;
    c_canvas& operator=(const c_canvas&) = delete;

    bool ok() const {
        return cairo_surface_status(m_surface) == CAIRO_STATUS_SUCCESS &&
               cairo_status(m_context) == CAIRO_STATUS_SUCCESS;
    }
    cairo_t* context() const { return m_context; }

    // The surface's pixels, straight alpha.
    c_image_rgba pixels() const {
        cairo_surface_flush(m_surface);
        return image_from_premultiplied(cairo_image_surface_get_data(m_surface),
                                        cairo_image_surface_get_width(m_surface),
                                        cairo_image_surface_get_height(m_surface),
                                        cairo_image_surface_get_stride(m_surface));
    }

private:
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_context = nullptr;
};

bool valid_size(int width, int height, std::string& error) {
    if (width < 1 || height < 1 || width > k_max_bitmap_side || height > k_max_bitmap_side) {
        error = "bitmap size " + std::to_string(width) + "x" + std::to_string(height) + " is outside 1.." +
                std::to_string(k_max_bitmap_side);
        return false;
    }
    return true;
}

}  // namespace

int pixels_covering(double length, double scale) {
    return int(std::ceil(length * scale - k_pixel_rounding_slack));
}

c_svg_document::~c_svg_document() {
    if (m_handle) g_object_unref(m_handle);
}

bool c_svg_document::load(const std::string& path, std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), &gerror);
    if (!handle) {
        error = "cannot load " + path + ": " + take_error(gerror, "unreadable SVG");
        return false;
    }
    gboolean has_width = FALSE;
    gboolean has_height = FALSE;
    gboolean has_viewbox = FALSE;
    RsvgLength width_length{};
    RsvgLength height_length{};
    RsvgRectangle viewbox{};
    rsvg_handle_get_intrinsic_dimensions(handle, &has_width, &width_length, &has_height, &height_length,
                                         &has_viewbox, &viewbox);
    c_svg_rect bounds;
    double width_px = 0;
    double height_px = 0;
    if (has_viewbox) {
        bounds = c_svg_rect{viewbox.x, viewbox.y, viewbox.width, viewbox.height};
    } else if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width_px, &height_px)) {
        bounds = c_svg_rect{0, 0, width_px, height_px};
    }
    if (!(bounds.width > 0) || !(bounds.height > 0)) {
        g_object_unref(handle);
        error = path + " has no size: give it a viewBox or an absolute width and height";
        return false;
    }
    if (m_handle) g_object_unref(m_handle);
    m_handle = handle;
    m_bounds = bounds;
    return true;
}

bool c_svg_document::render_stretched(int width, int height, c_image_rgba& out, std::string& error) const {
    // The viewport equals the user space's size, so rsvg maps user units 1:1 (shifted by
    // the viewBox origin) and the scale here alone stretches the picture to the bitmap.
    const c_placement place{0, 0, width / m_bounds.width, height / m_bounds.height, 0, 0};
    return render_placed(width, height, place, "", out, error);
}

bool c_svg_document::render_region(double scale, int left, int top, int width, int height, c_image_rgba& out,
                                   std::string& error) const {
    const c_placement place{-double(left), -double(top), scale, scale, 0, 0};
    return render_placed(width, height, place, "", out, error);
}

bool c_svg_document::render_placed(int width, int height, const c_placement& place, const std::string& id,
                                   c_image_rgba& out, std::string& error) const {
    if (!valid_size(width, height, error)) return false;
    c_canvas canvas(width, height);
    if (!canvas.ok()) {
        error = "cannot make a cairo surface";
        return false;
    }
    cairo_translate(canvas.context(), place.x, place.y);
    cairo_scale(canvas.context(), place.scale_x, place.scale_y);
    cairo_translate(canvas.context(), place.shift_x, place.shift_y);
    const RsvgRectangle viewport{0, 0, m_bounds.width, m_bounds.height};
    GError* gerror = nullptr;
    if (id.empty()) {
        if (!rsvg_handle_render_document(m_handle, canvas.context(), &viewport, &gerror)) {
            error = take_error(gerror, "rendering failed");
            return false;
        }
    } else {
        const std::string fragment = "#" + id;
        if (!rsvg_handle_render_layer(m_handle, canvas.context(), fragment.c_str(), &viewport, &gerror)) {
            error = "cannot render element \"" + id + "\": " + take_error(gerror, "unknown error");
            return false;
        }
    }
    out = canvas.pixels();
    return true;
}

bool c_svg_document::element_ink_rect(const std::string& id, c_svg_rect& out, std::string& error) const {
    const std::string fragment = "#" + id;
    if (!rsvg_handle_has_sub(m_handle, fragment.c_str())) {
        error = "no element with id \"" + id + "\"";
        return false;
    }
    const RsvgRectangle viewport{0, 0, m_bounds.width, m_bounds.height};
    RsvgRectangle ink{};
    GError* gerror = nullptr;
    if (!rsvg_handle_get_geometry_for_layer(m_handle, fragment.c_str(), &viewport, &ink, nullptr, &gerror)) {
        error = "cannot measure element \"" + id + "\": " + take_error(gerror, "unknown error");
        return false;
    }
    // The viewport sits at the origin; user space starts at the viewBox corner.
    out = c_svg_rect{ink.x + m_bounds.x, ink.y + m_bounds.y, ink.width, ink.height};
    return true;
}

bool c_svg_document::render_element(const std::string& id, const c_svg_rect& ink, double scale, int pad,
                                    c_image_rgba& out, std::string& error) const {
    const int width = pixels_covering(ink.width, scale) + 2 * pad;
    const int height = pixels_covering(ink.height, scale) + 2 * pad;
    // The element is drawn where it sits in the document, with the document moved so
    // that the element's ink rectangle starts pad pixels in from the corner.
    const c_placement place{double(pad), double(pad), scale, scale, m_bounds.x - ink.x, m_bounds.y - ink.y};
    return render_placed(width, height, place, id, out, error);
}

}  // namespace tw_tools
