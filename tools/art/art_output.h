// Writing the art tool's files: bitmaps after the pixel treatment, XML documents,
// the folders they need, and removal of a failed run's files.
#pragma once
#include <string>
#include <vector>

#include "art/manifest.h"
#include "common/bmp_writer.h"

namespace tw {
class c_xml_document;
}

namespace tw_tools {

// The files one run has written, so a failing run can take them back.
struct c_output_log {
    std::vector<std::string> written;
};

// Bits per pixel for image in this colour format: 32 when asked or, by default, when
// some pixel is not opaque; else 24.
int bits_for_colour(const c_image_rgba& image, art_colour_format colour);

// Bleeds colour under transparent pixels, then writes image as a BMP at path (making
// its folders) in the chosen colour format; false with error when it cannot be written.
bool write_art_bitmap(c_image_rgba image, art_colour_format colour, const std::string& path, c_output_log& log,
                      std::string& error);

// Writes image as an RGBA PNG at path (making its folders), for files that
// leave the game's content, such as the desktop icon; false with error on failure.
bool write_art_png(const c_image_rgba& image, const std::string& path, c_output_log& log, std::string& error);

// Writes doc to path, making its folders; false with error when it cannot be written.
bool write_art_xml(const tw::c_xml_document& doc, const std::string& path, c_output_log& log, std::string& error);

// Removes every file the log lists, so a failed run leaves no half-made content behind.
void remove_written(c_output_log& log);

// A number for XML attributes: at most four decimals, trailing zeros dropped.
std::string format_units(double value);

}  // namespace tw_tools
