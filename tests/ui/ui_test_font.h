// A small hand-made font for layout tests: a description written into a
// temporary folder with round numbers, loaded with the game's reader.
#pragma once
#include <fstream>
#include <string>

#include "support/temp_folder.h"
#include "ui/ui_font.h"

namespace tw_test {

// Line height 21 and base 16: the half gap (16 - 21) / 2 truncates to -2.
constexpr int k_test_line_height = 21;
constexpr int k_test_base = 16;
constexpr int k_test_sheet_width = 256;
constexpr int k_test_sheet_height = 128;

// Glyphs: space advances 5; 'A' 8x10 at (0,0), offsets (1,2), advance 10;
// 'V' 9x10 at (16,0), offsets (0,2), advance 9; 'T' at (32,0) advance 10;
// 'o' at (48,0) advance 8; id 200 (a byte above 127) exists on purpose.
inline const char* k_test_chars =
    "<char id=\"32\" x=\"0\" y=\"0\" width=\"0\" height=\"0\" xoffset=\"0\" yoffset=\"0\" "
    "xadvance=\"5\"/>"
    "<char id=\"65\" x=\"0\" y=\"0\" width=\"8\" height=\"10\" xoffset=\"1\" yoffset=\"2\" "
    "xadvance=\"10\"/>"
    "<char id=\"86\" x=\"16\" y=\"0\" width=\"9\" height=\"10\" xoffset=\"0\" yoffset=\"2\" "
    "xadvance=\"9\"/>"
    "<char id=\"84\" x=\"32\" y=\"0\" width=\"9\" height=\"10\" xoffset=\"0\" yoffset=\"2\" "
    "xadvance=\"10\"/>"
    "<char id=\"111\" x=\"48\" y=\"16\" width=\"7\" height=\"7\" xoffset=\"0\" yoffset=\"5\" "
    "xadvance=\"8\"/>"
    "<char id=\"200\" x=\"64\" y=\"0\" width=\"8\" height=\"10\" xoffset=\"0\" yoffset=\"2\" "
    "xadvance=\"10\"/>";

// A-V tighten by 2 and T-o by 1.
inline const char* k_test_kernings =
    "<kerning first=\"65\" second=\"86\" amount=\"-2\"/>"
    "<kerning first=\"84\" second=\"111\" amount=\"-1\"/>";

// The description text: common metrics, then the given chars and kernings;
// a null kernings leaves the element out altogether.
inline std::string test_font_xml(const std::string& chars, const char* kernings) {
    std::string xml = "<?xml version=\"1.0\"?><font><info face=\"test\" size=\"12\"/>";
    xml += "<common lineHeight=\"" + std::to_string(k_test_line_height) + "\" base=\"" +
           std::to_string(k_test_base) + "\" scaleW=\"" + std::to_string(k_test_sheet_width) +
           "\" scaleH=\"" + std::to_string(k_test_sheet_height) + "\" pages=\"1\"/>";
    xml += "<pages><page id=\"0\" file=\"font.bmp\"/></pages>";
    xml += "<chars count=\"9\">" + chars + "</chars>";
    if (kernings) xml += std::string("<kernings>") + kernings + "</kernings>";
    return xml + "</font>";
}

// Writes text to a file in the folder and returns its path.
inline std::string write_file(const c_temp_folder& folder, const std::string& name,
                              const std::string& text) {
    const std::string path = folder.path + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// The test font loaded with the given material.
struct c_test_font {
    explicit c_test_font(tw::c_material* material = nullptr, bool with_kernings = true) {
        const std::string path = write_file(
            folder, "font_desc.xml",
            test_font_xml(k_test_chars, with_kernings ? k_test_kernings : nullptr));
        font.load(path, material);
    }
    c_temp_folder folder;
    tw::c_ui_font font;
};

}  // namespace tw_test
