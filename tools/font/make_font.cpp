// Content tool: renders the game's font into textures/font.bmp and writes
// font/font_desc.xml, then reads both back as the game would.
#include <cstdio>
#include <string>

#include "font/font_description.h"
#include "font/font_sheet.h"

namespace {

// The game draws text at scale 2 in a view whose short side spans 2048 units,
// so at 1080p one sheet pixel is about one screen pixel; 38 pixels give a
// line height of 44.
constexpr int k_font_pixel_size = 38;

int fail(const std::string& reason) {
    std::fprintf(stderr, "make_font: %s\n", reason.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_font <font.ttf> <content folder>\n");
        return 2;
    }
    const std::string font_path = argv[1];
    const std::string content_dir = argv[2];

    tw_tools::c_font_sheet sheet;
    std::string error;
    if (!tw_tools::render_font_sheet(font_path, k_font_pixel_size, sheet, error)) return fail(error);
    if (!tw_tools::write_font_files(sheet, content_dir, error)) return fail(error);
    if (!tw_tools::check_font_files(content_dir, error)) return fail(error);

    std::printf("make_font: %s %d px, %zu glyphs on %dx%d, %zu kerning pairs -> %s, %s\n",
                sheet.face_name.c_str(), sheet.pixel_size, sheet.glyphs.size(),
                sheet.image.width, sheet.image.height, sheet.kernings.size(),
                tw_tools::k_font_sheet_file, tw_tools::k_font_description_file);
    return 0;
}
