// contact_sheet: draws the given textures (or every texture of the content folder
// but layer tiles) on one labelled PNG for looking the art over.
#include <cstdio>
#include <string>
#include <vector>

#include "sheet/sheet_files.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <png out> <content dir> [bitmap paths relative to it...]\n", argv[0]);
        return 2;
    }
    const std::string png_path = argv[1];
    const std::string content_dir = argv[2];
    std::vector<std::string> paths(argv + 3, argv + argc);
    if (paths.empty()) paths = tw::find_textures(content_dir);

    const tw::c_sheet_result result = tw::make_contact_sheet(png_path, content_dir, paths);
    for (const std::string& path : result.unreadable) {
        std::fprintf(stderr, "contact_sheet: cannot read %s\n", path.c_str());
    }
    if (!result.written) {
        std::fprintf(stderr, "contact_sheet: cannot write %s\n", png_path.c_str());
        return 1;
    }
    std::printf("contact_sheet: %zu textures on %s\n", paths.size(), png_path.c_str());
    return result.unreadable.empty() ? 0 : 1;
}
