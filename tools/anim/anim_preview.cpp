// anim_preview <content folder> <anims/file.xml> <out.png> [frames] [graph ...]: draws
// frames of each graph (all graphs when none are named) as one row of a PNG strip, so
// an animation can be looked over without a window.
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "anim/anim_math.h"
#include "anim/preview_canvas.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"

namespace {

constexpr int k_default_frames = 8;
constexpr double k_pixels_per_unit = 0.5;
constexpr double k_margin_units = 30;
constexpr int k_label_px = 22;
constexpr double k_background[3] = {0.62, 0.74, 0.50};  // a meadow green, so glows and outlines show
constexpr double k_ground[3] = {0.45, 0.56, 0.34};

// Frame i of count: both ends of the graph are included.
uint16_t frame_time(int i, int count) { return count < 2 ? 0 : uint16_t(int64_t(i) * 65535 / (count - 1)); }

void show_frame(tw::c_anim& anim, const tw::c_anim_graph& graph, uint16_t t) {
    if (const tw::c_anim_pose* rest = anim.find_pose("default")) anim.apply_pose(*rest);
    anim.apply_graph(graph, t);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: anim_preview <content folder> <anims/file.xml> <out.png> [frames] [graph ...]\n");
        return 2;
    }
    const std::string out_path = std::filesystem::absolute(argv[3]).string();
    const int frames = argc > 4 ? std::max(1, std::atoi(argv[4])) : k_default_frames;
    std::filesystem::current_path(argv[1]);

    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);
    tw::c_anim anim;
    anim.load(platform, argv[2]);
    if (!anim.root) {
        std::fprintf(stderr, "anim_preview: %s has no nodes\n", argv[2]);
        return 1;
    }
    std::vector<const tw::c_anim_graph*> graphs;
    for (int i = 5; i < argc; ++i) {
        const tw::c_anim_graph* graph = anim.find_graph(argv[i]);
        if (!graph) {
            std::fprintf(stderr, "anim_preview: no graph \"%s\"\n", argv[i]);
            return 1;
        }
        graphs.push_back(graph);
    }
    if (argc <= 5) {
        for (const auto& graph : anim.graphs) graphs.push_back(graph.get());
    }

    // One cell size for every frame: the bounds of all of them.
    tw_tools::c_preview_bounds bounds;
    for (const tw::c_anim_graph* graph : graphs) {
        for (int i = 0; i < frames; ++i) {
            show_frame(anim, *graph, frame_time(i, frames));
            tw_tools::measure_anim(anim, bounds);
        }
    }
    const double s = k_pixels_per_unit;
    const int cell_w = int((bounds.max_x - bounds.min_x + 2 * k_margin_units) * s);
    const int cell_h = int((bounds.max_y - bounds.min_y + 2 * k_margin_units) * s) + k_label_px;
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cell_w * frames, cell_h * int(graphs.size()));
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, k_background[0], k_background[1], k_background[2]);
    cairo_paint(cr);

    tw_tools::c_preview_textures textures;
    for (size_t row = 0; row < graphs.size(); ++row) {
        for (int i = 0; i < frames; ++i) {
            const uint16_t t = frame_time(i, frames);
            tw_tools::c_preview_view view;
            view.scale = s;
            view.origin_x = i * cell_w + (k_margin_units - bounds.min_x) * s;
            view.origin_y = double(row) * cell_h + k_label_px + (bounds.max_y + k_margin_units) * s;
            // The ground line through the animation's origin.
            cairo_set_source_rgb(cr, k_ground[0], k_ground[1], k_ground[2]);
            cairo_rectangle(cr, i * cell_w, view.origin_y, cell_w, 2);
            cairo_fill(cr);
            show_frame(anim, *graphs[row], t);
            tw_tools::draw_anim(cr, anim, view, textures);
            const std::string label = graphs[row]->name + " " + std::to_string(t);
            cairo_set_source_rgb(cr, 0.1, 0.12, 0.08);
            cairo_set_font_size(cr, 14);
            cairo_move_to(cr, i * cell_w + 6, double(row) * cell_h + 16);
            cairo_show_text(cr, label.c_str());
        }
    }
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, out_path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "anim_preview: cannot write %s\n", out_path.c_str());
        return 1;
    }
    std::printf("anim_preview: %s: %zu graphs x %d frames\n", out_path.c_str(), graphs.size(), frames);
    return 0;
}
