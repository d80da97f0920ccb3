// Parsing of the art manifest: '#' comments, blank lines, space-separated fields,
// strict numbers, and output paths that stay inside the output folder.
#include "art/manifest.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace tw_tools {

namespace {

// Upper bounds that catch typos long before cairo or the game would choke.
constexpr int k_max_pixels = 16384;
constexpr int k_max_pad = 1024;
constexpr double k_max_scale = 1024;
// Tile textures are referred to relative to this folder by the game.
const std::string k_texture_folder = "textures/";

std::vector<std::string> split_fields(const std::string& line) {
    const std::string text = line.substr(0, line.find('#'));
    std::istringstream stream(text);
    std::vector<std::string> fields;
    std::string field;
    while (stream >> field) fields.push_back(field);
    return fields;
}

bool parse_int(const std::string& text, int low, int high, const char* what, int& out, std::string& reason) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < low || value > high) {
        reason = std::string(what) + " \"" + text + "\" is not a whole number in " + std::to_string(low) + ".." +
                 std::to_string(high);
        return false;
    }
    out = int(value);
    return true;
}

bool parse_scale(const std::string& text, double& out, std::string& reason) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || value <= 0 || value > k_max_scale) {
        reason = "scale \"" + text + "\" is not a number above 0";
        return false;
    }
    out = value;
    return true;
}

bool parse_colour(const std::string& text, art_colour_format& out, std::string& reason) {
    if (text == "rgb") {
        out = k_colour_rgb;
    } else if (text == "rgba") {
        out = k_colour_rgba;
    } else {
        reason = "colour format \"" + text + "\" is neither rgb nor rgba";
        return false;
    }
    return true;
}

// Relative, not empty, and never climbing out of the folder it is relative to.
bool parse_output_path(const std::string& text, std::string& out, std::string& reason) {
    if (text.empty() || text[0] == '/') {
        reason = "output path \"" + text + "\" must be relative to the output folder";
        return false;
    }
    std::istringstream parts(text);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part == "..") {
            reason = "output path \"" + text + "\" leaves the output folder";
            return false;
        }
    }
    out = text;
    return true;
}

bool parse_svg_path(const std::string& text, std::string& out, std::string& reason) {
    if (text.empty() || text[0] == '/') {
        reason = "SVG path \"" + text + "\" must be relative to the content source folder";
        return false;
    }
    out = text;
    return true;
}

bool expect_fields(const std::vector<std::string>& fields, size_t low, size_t high, const char* usage,
                   std::string& reason) {
    if (fields.size() < low || fields.size() > high) {
        reason = std::string("expected: ") + usage;
        return false;
    }
    return true;
}

bool parse_image(const std::vector<std::string>& f, c_art_item& item, std::string& reason) {
    if (!expect_fields(f, 5, 6, "image <out.bmp|out.png> <file.svg> <width> <height> [rgb|rgba]", reason)) return false;
    item.kind = k_art_image;
    return parse_output_path(f[1], item.output, reason) && parse_svg_path(f[2], item.svg, reason) &&
           parse_int(f[3], 1, k_max_pixels, "width", item.width, reason) &&
           parse_int(f[4], 1, k_max_pixels, "height", item.height, reason) &&
           (f.size() < 6 || parse_colour(f[5], item.colour, reason));
}

bool parse_element(const std::vector<std::string>& f, c_art_item& item, std::string& reason) {
    const char* usage = "element <out.bmp> <file.svg> <element id> <pixels per svg unit> [pad] [rgb|rgba]";
    if (!expect_fields(f, 5, 7, usage, reason)) return false;
    item.kind = k_art_element;
    if (!parse_output_path(f[1], item.output, reason) || !parse_svg_path(f[2], item.svg, reason) ||
        !parse_scale(f[4], item.scale, reason)) {
        return false;
    }
    item.element_id = f[3];
    size_t next = 5;
    if (next < f.size() && f[next] != "rgb" && f[next] != "rgba") {
        if (!parse_int(f[next], 0, k_max_pad, "pad", item.pad, reason)) return false;
        ++next;
    }
    if (next < f.size()) {
        if (!parse_colour(f[next], item.colour, reason)) return false;
        ++next;
    }
    if (next != f.size()) {
        reason = std::string("expected: ") + usage;
        return false;
    }
    return true;
}

bool parse_layer(const std::vector<std::string>& f, c_art_item& item, std::string& reason) {
    const char* usage = "layer <out tile file .xml> <tile texture prefix> <file.svg> <texture_size> <tile_size> [rgb|rgba]";
    if (!expect_fields(f, 6, 7, usage, reason)) return false;
    item.kind = k_art_layer;
    if (!parse_output_path(f[1], item.output, reason) || !parse_output_path(f[2], item.tile_prefix, reason) ||
        !parse_svg_path(f[3], item.svg, reason) ||
        !parse_int(f[4], 1, k_max_pixels, "texture size", item.texture_size, reason) ||
        !parse_int(f[5], 1, 1 << 24, "tile size", item.tile_size, reason) ||
        (f.size() == 7 && !parse_colour(f[6], item.colour, reason))) {
        return false;
    }
    if (item.tile_prefix.compare(0, k_texture_folder.size(), k_texture_folder) != 0 ||
        item.tile_prefix.size() == k_texture_folder.size()) {
        reason = "tile prefix \"" + item.tile_prefix + "\" must name files inside " + k_texture_folder;
        return false;
    }
    return true;
}

bool parse_tile(const std::vector<std::string>& f, c_art_item& item, std::string& reason) {
    const char* usage =
        "tile <out.bmp> <file.svg> <columns> <rows> <column> <row> <pixels> <clockwise quarter turns> [rgb|rgba]";
    if (!expect_fields(f, 9, 10, usage, reason)) return false;
    item.kind = k_art_tile;
    return parse_output_path(f[1], item.output, reason) && parse_svg_path(f[2], item.svg, reason) &&
           parse_int(f[3], 1, k_max_pixels, "columns", item.grid_columns, reason) &&
           parse_int(f[4], 1, k_max_pixels, "rows", item.grid_rows, reason) &&
           parse_int(f[5], 0, item.grid_columns - 1, "column", item.column, reason) &&
           parse_int(f[6], 0, item.grid_rows - 1, "row", item.row, reason) &&
           parse_int(f[7], 1, k_max_pixels, "pixels", item.width, reason) &&
           parse_int(f[8], 0, 3, "quarter turns", item.quarter_turns, reason) &&
           (f.size() < 10 || parse_colour(f[9], item.colour, reason));
}

bool parse_units(const std::string& text, bool positive, const char* what, double& out, std::string& reason) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value) || (positive && value <= 0)) {
        reason = std::string(what) + " \"" + text + "\" is not a number" + (positive ? " above 0" : "");
        return false;
    }
    out = value;
    return true;
}

bool parse_region(const std::vector<std::string>& f, c_art_item& item, std::string& reason) {
    const char* usage =
        "region <out.bmp> <file.svg> <element id> <left> <top> <width> <height> <pixels per svg unit> [rgb|rgba]";
    if (!expect_fields(f, 9, 10, usage, reason)) return false;
    item.kind = k_art_region;
    item.element_id = f[3];
    if (!parse_output_path(f[1], item.output, reason) || !parse_svg_path(f[2], item.svg, reason) ||
        !parse_units(f[4], false, "left", item.left, reason) || !parse_units(f[5], false, "top", item.top, reason) ||
        !parse_units(f[6], true, "width", item.region_width, reason) ||
        !parse_units(f[7], true, "height", item.region_height, reason) || !parse_scale(f[8], item.scale, reason) ||
        (f.size() == 10 && !parse_colour(f[9], item.colour, reason))) {
        return false;
    }
    if (item.region_width * item.scale > k_max_pixels || item.region_height * item.scale > k_max_pixels) {
        reason = "the region is more than " + std::to_string(k_max_pixels) + " pixels across";
        return false;
    }
    return true;
}

bool parse_geometry(const std::vector<std::string>& f, c_art_item& item, std::string& reason) {
    if (!expect_fields(f, 2, 2, "geometry <out .xml>", reason)) return false;
    item.kind = k_art_geometry;
    return parse_output_path(f[1], item.output, reason);
}

}  // namespace

bool parse_manifest_line(const std::string& line, int line_number, std::vector<c_art_item>& items,
                         std::string& reason) {
    const std::vector<std::string> fields = split_fields(line);
    if (fields.empty()) return true;
    c_art_item item;
    item.line = line_number;
    bool ok = false;
    if (fields[0] == "image") {
        ok = parse_image(fields, item, reason);
    } else if (fields[0] == "element") {
        ok = parse_element(fields, item, reason);
    } else if (fields[0] == "layer") {
        ok = parse_layer(fields, item, reason);
    } else if (fields[0] == "geometry") {
        ok = parse_geometry(fields, item, reason);
    } else if (fields[0] == "tile") {
        ok = parse_tile(fields, item, reason);
    } else if (fields[0] == "region") {
        ok = parse_region(fields, item, reason);
    } else {
        reason = "unknown kind \"" + fields[0] + "\" (image, element, region, layer, geometry or tile)";
    }
    if (ok) items.push_back(item);
    return ok;
}

bool parse_manifest(const std::string& text, std::vector<c_art_item>& items, c_manifest_error& error) {
    std::istringstream stream(text);
    std::string line;
    int line_number = 0;
    while (std::getline(stream, line)) {
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string reason;
        if (!parse_manifest_line(line, line_number, items, reason)) {
            error.line = line_number;
            error.reason = reason;
            return false;
        }
    }
    return true;
}

}  // namespace tw_tools
