// Writing bitmaps and XML for the art tool, with folders made on the way and a
// record of what was written.
#include "art/art_output.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "art/pixels.h"
#include "platform/png_file.h"
#include "platform/xml_document.h"

namespace tw_tools {

namespace {

constexpr int k_bits_rgb = 24;
constexpr int k_bits_rgba = 32;

bool make_parent_folder(const std::string& path, std::string& error) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (parent.empty()) return true;
    std::error_code code;
    std::filesystem::create_directories(parent, code);
    if (code) {
        error = "cannot make folder " + parent.string() + ": " + code.message();
        return false;
    }
    return true;
}

}  // namespace

int bits_for_colour(const c_image_rgba& image, art_colour_format colour) {
    switch (colour) {
        case k_colour_rgb:
            return k_bits_rgb;
        case k_colour_rgba:
            return k_bits_rgba;
        case k_colour_auto:
            break;
    }
    return has_transparency(image) ? k_bits_rgba : k_bits_rgb;
}

bool write_art_bitmap(c_image_rgba image, art_colour_format colour, const std::string& path, c_output_log& log,
                      std::string& error) {
    const int bits = bits_for_colour(image, colour);
    bleed_transparent_colour(image);
    if (!make_parent_folder(path, error)) return false;
    log.written.push_back(path);
    if (!write_bmp(path, image, bits)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool write_art_png(const c_image_rgba& image, const std::string& path, c_output_log& log, std::string& error) {
    if (!make_parent_folder(path, error)) return false;
    log.written.push_back(path);
    if (!tw::write_png(path, image.width, image.height, image.pixels.data(), false)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool write_art_xml(const tw::c_xml_document& doc, const std::string& path, c_output_log& log, std::string& error) {
    if (!make_parent_folder(path, error)) return false;
    log.written.push_back(path);
    if (!tw::save_document(doc, path)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

void remove_written(c_output_log& log) {
    for (const std::string& path : log.written) {
        std::error_code code;
        std::filesystem::remove(path, code);
    }
    log.written.clear();
}

std::string format_units(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string result = text;
    while (!result.empty() && result.back() == '0') result.pop_back();
    if (!result.empty() && result.back() == '.') result.pop_back();
    if (result == "-0") result = "0";
    return result;
}

}  // namespace tw_tools
