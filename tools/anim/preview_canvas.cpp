// The previewer's drawing: the depth-ordered walk of the node tree and each quad's
// texture mapped onto its corners with an affine cairo matrix.
#include "anim/preview_canvas.h"

#include <algorithm>
#include <vector>

#include "platform/bitmap.h"
#include "sheet/contact_sheet.h"

namespace tw_tools {

namespace {

struct c_drawn_quad {
    float depth;
    const tw::c_anim_graphic* graphic;
    tw::c_transform world;
};

// The same walk as c_anim::draw: pre-order from the root, stable-sorted by world z.
std::vector<c_drawn_quad> drawn_quads(const tw::c_anim& anim) {
    std::vector<c_drawn_quad> quads;
    if (!anim.root) return quads;
    std::vector<const tw::c_anim_node*> stack = {anim.root};
    std::vector<const tw::c_anim_node*> visited;
    while (!stack.empty()) {
        const tw::c_anim_node* node = stack.back();
        stack.pop_back();
        if (std::find(visited.begin(), visited.end(), node) != visited.end()) continue;
        visited.push_back(node);
        if (node->graphic) {
            const tw::c_transform world = anim.node_world_transform(*node);
            quads.push_back({world.tz, node->graphic, world});
        }
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child) stack.push_back(*child);
    }
    std::stable_sort(quads.begin(), quads.end(),
                     [](const c_drawn_quad& a, const c_drawn_quad& b) { return a.depth < b.depth; });
    return quads;
}

// A vertex of the quad in scene space.
tw::vec2 world_vertex(const c_drawn_quad& quad, int i) {
    const tw::vec3& p = quad.graphic->buffer.positions[i];
    const float* m = quad.world.m;
    return {quad.world.tx + m[0] * p.x + m[3] * p.y, quad.world.ty + m[1] * p.x + m[4] * p.y};
}

}  // namespace

c_preview_textures::~c_preview_textures() {
    for (auto& entry : m_surfaces) {
        if (entry.second) cairo_surface_destroy(entry.second);
    }
}

cairo_surface_t* c_preview_textures::get(const std::string& texture_file_name) {
    const auto found = m_surfaces.find(texture_file_name);
    if (found != m_surfaces.end()) return found->second;
    tw::c_image image;
    cairo_surface_t* surface = nullptr;
    if (tw::read_bitmap("textures/" + texture_file_name, image)) surface = tw::image_to_surface(image);
    m_surfaces[texture_file_name] = surface;
    return surface;
}

void measure_anim(const tw::c_anim& anim, c_preview_bounds& bounds) {
    for (const c_drawn_quad& quad : drawn_quads(anim)) {
        for (int i = 0; i < 4; ++i) {
            const tw::vec2 v = world_vertex(quad, i);
            bounds.min_x = std::min(bounds.min_x, double(v.x));
            bounds.max_x = std::max(bounds.max_x, double(v.x));
            bounds.min_y = std::min(bounds.min_y, double(v.y));
            bounds.max_y = std::max(bounds.max_y, double(v.y));
        }
    }
}

void draw_anim(cairo_t* cr, const tw::c_anim& anim, const c_preview_view& view, c_preview_textures& textures) {
    for (const c_drawn_quad& quad : drawn_quads(anim)) {
        const tw::c_anim_material* material = quad.graphic->material;
        cairo_surface_t* surface = material ? textures.get(material->texture_file_name) : nullptr;
        if (!surface) continue;
        const double w = cairo_image_surface_get_width(surface);
        const double h = cairo_image_surface_get_height(surface);
        // Canvas positions of vertices 0, 1 and 3 and their texture pixels fix the affine map.
        double cx[3], cy[3], px[3], py[3];
        const int corners[3] = {0, 1, 3};
        for (int k = 0; k < 3; ++k) {
            const int i = corners[k];
            const tw::vec2 v = world_vertex(quad, i);
            cx[k] = view.origin_x + v.x * view.scale;
            cy[k] = view.origin_y - v.y * view.scale;
            px[k] = quad.graphic->buffer.uvs[i].x * w;
            py[k] = quad.graphic->buffer.uvs[i].y * h;
        }
        // Solve canvas = A * pixel + b from the three pairs.
        const double du1 = px[1] - px[0], dv1 = py[1] - py[0];
        const double du2 = px[2] - px[0], dv2 = py[2] - py[0];
        const double det = du1 * dv2 - du2 * dv1;
        if (det == 0) continue;
        const double ex1 = cx[1] - cx[0], ey1 = cy[1] - cy[0];
        const double ex2 = cx[2] - cx[0], ey2 = cy[2] - cy[0];
        cairo_matrix_t m;
        m.xx = (ex1 * dv2 - ex2 * dv1) / det;
        m.xy = (ex2 * du1 - ex1 * du2) / det;
        m.yx = (ey1 * dv2 - ey2 * dv1) / det;
        m.yy = (ey2 * du1 - ey1 * du2) / det;
        m.x0 = cx[0] - m.xx * px[0] - m.xy * py[0];
        m.y0 = cy[0] - m.yx * px[0] - m.yy * py[0];
        cairo_save(cr);
        cairo_transform(cr, &m);
        cairo_set_source_surface(cr, surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_rectangle(cr, 0, 0, w, h);
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, quad.graphic->buffer.colours[0].a / 255.0);
        cairo_restore(cr);
    }
}

}  // namespace tw_tools
