// Writing the font description and glyph sheet, and checking them with the game's reader.
#include "font/font_description.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ui/ui_font.h"

namespace tw_tools {

namespace {

constexpr int k_sheet_bits = 32;
constexpr int k_all_channels = 15;
constexpr int k_min_kerning = -128;
constexpr int k_max_kerning = 127;

// One line of a glyph entry: eight integers into the pattern.
std::string format(const char* pattern, int a, int b, int c, int d, int e, int f, int g,
                   int h) {
    char line[256];
    std::snprintf(line, sizeof line, pattern, a, b, c, d, e, f, g, h);
    return line;
}

// Escapes the characters XML gives a meaning to inside attribute values.
std::string xml_escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

std::string font_description_xml(const c_font_sheet& sheet) {
    std::string xml = "<?xml version=\"1.0\"?>\n<font>\n";
    xml += "  <info face=\"" + xml_escape(sheet.face_name) + "\" size=\"" +
           std::to_string(sheet.pixel_size) +
           "\" bold=\"1\" italic=\"0\" unicode=\"0\" stretchH=\"100\" smooth=\"1\" aa=\"1\" "
           "padding=\"0,0,0,0\" spacing=\"2,2\" outline=\"0\"/>\n";
    // Alpha holds the glyphs (channel use 0); red, green and blue are all one (4).
    xml += "  <common lineHeight=\"" + std::to_string(sheet.line_height) + "\" base=\"" +
           std::to_string(sheet.base) + "\" scaleW=\"" + std::to_string(sheet.image.width) +
           "\" scaleH=\"" + std::to_string(sheet.image.height) +
           "\" pages=\"1\" packed=\"0\" alphaChnl=\"0\" redChnl=\"4\" greenChnl=\"4\" "
           "blueChnl=\"4\"/>\n";
    xml += "  <pages>\n    <page id=\"0\" file=\"font.bmp\"/>\n  </pages>\n";
    xml += "  <chars count=\"" + std::to_string(sheet.glyphs.size()) + "\">\n";
    for (const c_sheet_glyph& g : sheet.glyphs) {
        xml += format("    <char id=\"%d\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" "
                      "xoffset=\"%d\" yoffset=\"%d\" xadvance=\"%d\"",
                      g.id, g.x, g.y, g.width, g.height, g.x_offset, g.y_offset, g.x_advance);
        xml += " page=\"0\" chnl=\"" + std::to_string(k_all_channels) + "\"/>\n";
    }
    xml += "  </chars>\n";
    xml += "  <kernings count=\"" + std::to_string(sheet.kernings.size()) + "\">\n";
    for (const c_kerning_pair& k : sheet.kernings) {
        const int amount = std::clamp(k.amount, k_min_kerning, k_max_kerning);
        xml += "    <kerning first=\"" + std::to_string(k.first) + "\" second=\"" +
               std::to_string(k.second) + "\" amount=\"" + std::to_string(amount) + "\"/>\n";
    }
    xml += "  </kernings>\n</font>\n";
    return xml;
}

bool write_font_files(const c_font_sheet& sheet, const std::string& content_dir,
                      std::string& error) {
    const std::string sheet_path = content_dir + "/" + k_font_sheet_file;
    const std::string description_path = content_dir + "/" + k_font_description_file;
    std::error_code ignored;
    for (const std::string& path : {sheet_path, description_path})
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    if (!write_bmp(sheet_path, sheet.image, k_sheet_bits)) {
        error = "cannot write " + sheet_path;
        return false;
    }
    std::ofstream file(description_path, std::ios::binary | std::ios::trunc);
    file << font_description_xml(sheet);
    file.close();
    if (!file) {
        error = "cannot write " + description_path;
        return false;
    }
    return true;
}

bool check_font_files(const std::string& content_dir, std::string& error) {
    tw::c_ui_font font;
    const std::string path = content_dir + "/" + k_font_description_file;
    if (!font.load(path, nullptr)) {
        error = "the game cannot read " + path;
        return false;
    }
    for (int code = k_first_font_code; code <= k_last_font_code; ++code) {
        const tw::c_ui_glyph* g = font.glyph(static_cast<uint8_t>(code));
        const bool inside = g && g->u_left >= 0 && g->u_right <= 1 && g->v_top >= 0 &&
                            g->v_bottom <= 1 && g->u_left <= g->u_right &&
                            g->v_top <= g->v_bottom;
        if (!inside) {
            error = "character " + std::to_string(code) + " has no glyph inside the sheet";
            return false;
        }
    }
    return true;
}

}  // namespace tw_tools
