// The contact sheet's files: finding the textures in a content folder, reading
// them with tw::read_bitmap and saving the drawn sheet as a PNG.
#include "sheet/sheet_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/bitmap.h"
#include "sheet/contact_sheet.h"

namespace tw {

namespace {

namespace fs = std::filesystem;

const std::string k_bitmap_suffix = ".bmp";

bool ends_with(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Steps back over the digits ending at end (exclusive); returns where they start,
// or end itself when there are none.
size_t digits_start(const std::string& text, size_t end) {
    size_t start = end;
    while (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1]))) --start;
    return start;
}

}  // namespace

bool is_layer_tile(const std::string& file_name) {
    if (!ends_with(file_name, k_bitmap_suffix)) return false;
    const size_t second_end = file_name.size() - k_bitmap_suffix.size();
    const size_t second_start = digits_start(file_name, second_end);
    if (second_start == second_end || second_start == 0 || file_name[second_start - 1] != '_') return false;
    const size_t first_end = second_start - 1;
    const size_t first_start = digits_start(file_name, first_end);
    return first_start != first_end && first_start > 0 && file_name[first_start - 1] == '_';
}

std::vector<std::string> find_textures(const std::string& content_dir) {
    std::vector<std::string> found;
    const fs::path root(content_dir);
    std::error_code error;
    fs::recursive_directory_iterator it(root / "textures", error);
    if (error) return found;
    for (const fs::recursive_directory_iterator end; it != end; it.increment(error)) {
        if (error) break;
        if (!it->is_regular_file(error)) continue;
        const std::string name = it->path().filename().string();
        if (!ends_with(name, k_bitmap_suffix) || is_layer_tile(name)) continue;
        found.push_back(it->path().lexically_relative(root).generic_string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

c_sheet_result make_contact_sheet(const std::string& png_path, const std::string& content_dir,
                                  const std::vector<std::string>& relative_paths) {
    c_sheet_result result;
    std::vector<c_sheet_entry> entries;
    for (const std::string& path : relative_paths) {
        c_sheet_entry entry;
        entry.name = path;
        if (!read_bitmap((fs::path(content_dir) / path).string(), entry.image)) result.unreadable.push_back(path);
        entries.push_back(std::move(entry));
    }
    cairo_surface_t* sheet = draw_contact_sheet(entries);
    result.written = cairo_surface_write_to_png(sheet, png_path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return result;
}

}  // namespace tw
