// PNG writing with libpng; errors come back through setjmp as libpng requires.
#include "platform/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace tw {

namespace {

// Everything that libpng's longjmp may skip lives outside the function that
// calls setjmp, so no destructor is jumped over.
bool encode(std::FILE* file, int width, int height, const std::vector<png_bytep>& rows, bool opaque) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    // The pixels are RGBA in memory either way; an opaque picture drops the A byte.
    if (opaque) png_set_filler(png, 0, PNG_FILLER_AFTER);
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool write_png(const std::string& path, int width, int height, const uint8_t* rgba, bool opaque) {
    if (width <= 0 || height <= 0 || !rgba) return false;
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[size_t(y)] = const_cast<png_bytep>(rgba + size_t(y) * size_t(width) * 4);
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = encode(file, width, height, rows, opaque);
    ok = std::fclose(file) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

}  // namespace tw
