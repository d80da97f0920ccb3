// The font description in the BMFont XML vocabulary, writing the sheet and the
// description into the content folder, and reading them back with the game's reader.
#pragma once
#include <string>

#include "font/font_sheet.h"

namespace tw_tools {

// Where the game finds its font, relative to the content folder.
constexpr const char* k_font_sheet_file = "textures/font.bmp";
constexpr const char* k_font_description_file = "font/font_desc.xml";

// The description of the sheet: info, common, one page, chars and kernings.
// Kerning amounts are clamped to the signed byte the game keeps.
std::string font_description_xml(const c_font_sheet& sheet);

// Writes the 32-bit sheet and the description under content_dir, making their
// folders; false with a reason in error if a file cannot be written.
bool write_font_files(const c_font_sheet& sheet, const std::string& content_dir,
                      std::string& error);

// Loads the written description with the game's font reader and checks that
// every code 32..126 has a glyph inside the sheet; false with a reason otherwise.
bool check_font_files(const std::string& content_dir, std::string& error);

}  // namespace tw_tools
