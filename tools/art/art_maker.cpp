// Running an art manifest item by item. SVG files are loaded once per run; the
// geometry lists are kept in memory and written when the manifest ends.
#include "art/art_maker.h"

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "art/art_output.h"
#include "art/layer_tiles.h"
#include "art/manifest.h"
#include "art/pixels.h"
#include "art/svg_render.h"
#include "platform/xml_document.h"

namespace tw_tools {

namespace {

// An open geometry file: the line that started it and the element records so far.
struct c_geometry_file {
    int line = 0;
    std::string path;
    std::unique_ptr<tw::c_xml_document> doc;
    rapidxml::xml_node<>* root = nullptr;
};

class c_manifest_run {
public:
    c_manifest_run(const std::string& source_dir, const std::string& output_dir)
        : m_source_dir(source_dir), m_output_dir(output_dir) {}

    bool run(const std::vector<c_art_item>& items, int& failed_line, std::string& reason);
    const c_art_totals& totals() const { return m_totals; }
    c_output_log& log() { return m_log; }

private:
    const c_svg_document* document(const std::string& svg, std::string& reason);
    bool make_image(const c_art_item& item, std::string& reason);
    bool make_element(const c_art_item& item, std::string& reason);
    bool make_layer_item(const c_art_item& item, std::string& reason);
    bool make_tile(const c_art_item& item, std::string& reason);
    bool make_region(const c_art_item& item, std::string& reason);
    void start_geometry(const c_art_item& item);

    std::string m_source_dir;
    std::string m_output_dir;
    std::map<std::string, std::unique_ptr<c_svg_document>> m_documents;
    std::vector<c_geometry_file> m_geometry;
    c_output_log m_log;
    c_art_totals m_totals;
};

const c_svg_document* c_manifest_run::document(const std::string& svg, std::string& reason) {
    auto found = m_documents.find(svg);
    if (found != m_documents.end()) return found->second.get();
    auto doc = std::make_unique<c_svg_document>();
    if (!doc->load(m_source_dir + "/" + svg, reason)) return nullptr;
    return (m_documents[svg] = std::move(doc)).get();
}

bool c_manifest_run::make_image(const c_art_item& item, std::string& reason) {
    const c_svg_document* doc = document(item.svg, reason);
    c_image_rgba image;
    if (!doc || !doc->render_stretched(item.width, item.height, image, reason)) return false;
    const std::string path = m_output_dir + "/" + item.output;
    // A ".png" output is a picture for the desktop (the icon), not a texture.
    const bool png = path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    if (png ? !write_art_png(image, path, m_log, reason)
            : !write_art_bitmap(image, item.colour, path, m_log, reason))
        return false;
    ++m_totals.images;
    return true;
}

bool c_manifest_run::make_element(const c_art_item& item, std::string& reason) {
    const c_svg_document* doc = document(item.svg, reason);
    c_svg_rect ink;
    if (!doc || !doc->element_ink_rect(item.element_id, ink, reason)) return false;
    if (!(ink.width > 0) || !(ink.height > 0)) {
        reason = "element \"" + item.element_id + "\" paints nothing";
        return false;
    }
    c_image_rgba image;
    if (!doc->render_element(item.element_id, ink, item.scale, item.pad, image, reason)) return false;
    if (!write_art_bitmap(image, item.colour, m_output_dir + "/" + item.output, m_log, reason)) return false;
    ++m_totals.elements;

    if (m_geometry.empty()) return true;
    // The bitmap's rectangle in document units: the ink rectangle grown by the pad
    // (and on the right and bottom by the rounding up to whole pixels).
    const double pad_units = item.pad / item.scale;
    const double left = ink.x - pad_units;
    const double top = ink.y - pad_units;
    c_geometry_file& geometry = m_geometry.back();
    tw::c_xml_document& xml = *geometry.doc;
    rapidxml::xml_node<>* node = tw::append_element(xml, geometry.root, "element");
    tw::append_attribute(xml, node, "id", item.element_id);
    tw::append_attribute(xml, node, "file", item.output);
    tw::append_attribute(xml, node, "x", format_units(left));
    tw::append_attribute(xml, node, "y", format_units(top));
    tw::append_attribute(xml, node, "width", format_units(image.width / item.scale));
    tw::append_attribute(xml, node, "height", format_units(image.height / item.scale));
    tw::append_attribute(xml, node, "pixel_width", std::to_string(image.width));
    tw::append_attribute(xml, node, "pixel_height", std::to_string(image.height));
    return true;
}

bool c_manifest_run::make_layer_item(const c_art_item& item, std::string& reason) {
    const c_svg_document* doc = document(item.svg, reason);
    std::vector<c_layer_tile> tiles;
    if (!doc || !make_layer(*doc, item, m_output_dir, tiles, m_log, reason)) return false;
    ++m_totals.layers;
    m_totals.tiles += int(tiles.size());
    return true;
}

bool c_manifest_run::make_tile(const c_art_item& item, std::string& reason) {
    const c_svg_document* doc = document(item.svg, reason);
    if (!doc) return false;
    // The whole document scaled so one grid cell is item.width pixels across; cells
    // are square in pixels, so a document whose cells are not square is stretched.
    const double scale = double(item.width) * item.grid_columns / doc->bounds().width;
    const double scale_y = double(item.width) * item.grid_rows / doc->bounds().height;
    if (std::fabs(scale - scale_y) > 1e-6 * scale) {
        reason = "the grid's cells are not square";
        return false;
    }
    c_image_rgba image;
    if (!doc->render_region(scale, item.column * item.width, item.row * item.width, item.width, item.width,
                            image, reason)) {
        return false;
    }
    image = turn_image(image, item.quarter_turns);
    if (!write_art_bitmap(image, item.colour, m_output_dir + "/" + item.output, m_log, reason)) return false;
    ++m_totals.images;
    return true;
}

// The element drawn alone where it sits in the document, cut to the rectangle: pieces
// cut from one picture keep the picture's own coordinates, so a scene can place them.
bool c_manifest_run::make_region(const c_art_item& item, std::string& reason) {
    const c_svg_document* doc = document(item.svg, reason);
    c_svg_rect rect;
    rect.x = item.left;
    rect.y = item.top;
    rect.width = item.region_width;
    rect.height = item.region_height;
    c_image_rgba image;
    if (!doc || !doc->render_element(item.element_id, rect, item.scale, 0, image, reason)) return false;
    if (!write_art_bitmap(image, item.colour, m_output_dir + "/" + item.output, m_log, reason)) return false;
    ++m_totals.elements;
    return true;
}

void c_manifest_run::start_geometry(const c_art_item& item) {
    c_geometry_file geometry;
    geometry.line = item.line;
    geometry.path = m_output_dir + "/" + item.output;
    geometry.doc = std::make_unique<tw::c_xml_document>();
    tw::new_document(*geometry.doc);
    geometry.root = tw::append_element(*geometry.doc, nullptr, "geometry");
    m_geometry.push_back(std::move(geometry));
}

bool c_manifest_run::run(const std::vector<c_art_item>& items, int& failed_line, std::string& reason) {
    for (const c_art_item& item : items) {
        failed_line = item.line;
        bool ok = true;
        switch (item.kind) {
            case k_art_image:
                ok = make_image(item, reason);
                break;
            case k_art_element:
                ok = make_element(item, reason);
                break;
            case k_art_layer:
                ok = make_layer_item(item, reason);
                break;
            case k_art_geometry:
                start_geometry(item);
                break;
            case k_art_tile:
                ok = make_tile(item, reason);
                break;
            case k_art_region:
                ok = make_region(item, reason);
                break;
        }
        if (!ok) return false;
    }
    for (const c_geometry_file& geometry : m_geometry) {
        failed_line = geometry.line;
        if (!write_art_xml(*geometry.doc, geometry.path, m_log, reason)) return false;
    }
    return true;
}

}  // namespace

bool run_art_manifest(const std::string& manifest_path, const std::string& source_dir,
                      const std::string& output_dir, c_art_totals& totals, std::string& error) {
    std::ifstream file(manifest_path, std::ios::binary);
    if (!file) {
        error = manifest_path + ":0: cannot read the manifest";
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();

    std::vector<c_art_item> items;
    c_manifest_error parse_error;
    if (!parse_manifest(text.str(), items, parse_error)) {
        error = manifest_path + ":" + std::to_string(parse_error.line) + ": " + parse_error.reason;
        return false;
    }
    c_manifest_run run(source_dir, output_dir);
    int failed_line = 0;
    std::string reason;
    if (!run.run(items, failed_line, reason)) {
        remove_written(run.log());
        error = manifest_path + ":" + std::to_string(failed_line) + ": " + reason;
        return false;
    }
    totals = run.totals();
    return true;
}

std::string art_summary(const std::string& manifest_path, const c_art_totals& totals) {
    return manifest_path + ": " + std::to_string(totals.images) + " images, " + std::to_string(totals.elements) +
           " elements, " + std::to_string(totals.layers) + " layers (" + std::to_string(totals.tiles) + " tiles)";
}

}  // namespace tw_tools
