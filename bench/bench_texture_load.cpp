// Texture loading benchmark: compares reading bitmap files into memory with the
// full load (read, decode, upload, GLU mipmaps) through the OpenGL device.
#include <GL/glew.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/bmp_writer.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "platform/platform.h"

namespace {

constexpr int k_default_repetitions = 5;
constexpr int k_window_width = 1280;
constexpr int k_window_height = 1024;

struct c_bench_file {
    std::string name;
    int width;
    int height;
    int bits;
};

// 20 files: power-of-two RGBA and RGB sizes, and odd sizes GLU has to rescale.
std::vector<c_bench_file> bench_files() {
    const c_bench_file kinds[] = {{"rgba512", 512, 512, 32},
                                  {"rgb1024", 1024, 1024, 24},
                                  {"rgb300", 300, 200, 24},
                                  {"rgba333", 333, 127, 32}};
    const int copies[] = {8, 4, 4, 4};
    std::vector<c_bench_file> files;
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < copies[k]; ++i) {
            c_bench_file file = kinds[k];
            file.name += "_" + std::to_string(i) + ".bmp";
            files.push_back(file);
        }
    }
    return files;
}

bool write_pattern(const c_bench_file& file, int seed) {
    tw_tools::c_image_rgba image(file.width, file.height);
    for (int y = 0; y < file.height; ++y) {
        for (int x = 0; x < file.width; ++x) {
            uint8_t* p = image.at(x, y);
            p[0] = uint8_t(x + seed);
            p[1] = uint8_t(y * 3);
            p[2] = uint8_t((x ^ y) + seed * 17);
            p[3] = uint8_t(255 - (x & y));
        }
    }
    return tw_tools::write_bmp("textures/" + file.name, image, file.bits);
}

size_t read_whole(const std::string& path, std::vector<uint8_t>& buffer) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    buffer.resize(size_t(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    const size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
    std::fclose(f);
    return got;
}

double ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The texture exists with a mipmap chain: level 0 at the power-of-two size GLU
// rescaled to and level 1 half of it; no GL error.
bool check_upload(const tw::c_texture& texture, const c_bench_file& file) {
    if (texture.name == 0) return false;
    GLint width0 = 0;
    GLint width1 = 0;
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width0);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &width1);
    glBindTexture(GL_TEXTURE_2D, 0);
    const bool ok = glGetError() == GL_NO_ERROR && width0 > 0 && width1 == width0 / 2;
    if (!ok) std::printf("%s: level widths %d, %d\n", file.name.c_str(), width0, width1);
    return ok;
}

// A 4-bit file uploads as an alpha texture that keeps its values (0..15) in the
// alpha channel; a luminance internal format would lose them.
bool check_alpha_upload(tw::c_platform& platform) {
    // 2x1 pixels, values 9 and 10: 54 header bytes then one 4-byte row.
    const std::vector<uint8_t> file = {
        'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0,
        1,   0,   4,  0, 0, 0, 0, 0, 4, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0,   0,   0x9A, 0, 0, 0};
    FILE* f = std::fopen("textures/alpha.bmp", "wb");
    if (!f) return false;
    std::fwrite(file.data(), 1, file.size(), f);
    std::fclose(f);

    tw::c_texture texture;
    texture.file_name = "alpha.bmp";
    platform.load(texture);
    if (texture.name == 0) return false;
    uint8_t rgba[8] = {};
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glBindTexture(GL_TEXTURE_2D, 0);
    platform.device().delete_texture(texture.name);
    return rgba[3] == 9 && rgba[7] == 10;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : k_default_repetitions;

    tw::c_window_glfw window;
    if (!window.init() || !window.open_fullscreen(k_window_width, k_window_height)) {
        std::fprintf(stderr, "no window or GL context (run under xvfb-run)\n");
        return 1;
    }
    tw::c_render_device_gl device;
    if (!device.init_extensions()) {
        std::fprintf(stderr, "GLEW initialisation failed\n");
        return 1;
    }
    device.set_fixed_state();
    std::printf("GL renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    const std::filesystem::path old_cwd = std::filesystem::current_path();
    std::string folder = (std::filesystem::temp_directory_path() / "tw_bench_XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    std::filesystem::current_path(folder);
    std::filesystem::create_directory("textures");

    const std::vector<c_bench_file> files = bench_files();
    size_t total_bytes = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!write_pattern(files[i], int(i))) return 1;
        total_bytes += std::filesystem::file_size("textures/" + files[i].name);
    }

    // One untimed pass so both measurements read from the page cache.
    std::vector<uint8_t> buffer;
    for (const c_bench_file& file : files) read_whole("textures/" + file.name, buffer);

    // Per-file totals over all repetitions, so each kind of file can be reported.
    std::vector<double> read_ms(files.size(), 0.0);
    std::vector<double> load_ms(files.size(), 0.0);
    for (int r = 0; r < repetitions; ++r) {
        for (size_t i = 0; i < files.size(); ++i) {
            const auto start = std::chrono::steady_clock::now();
            read_whole("textures/" + files[i].name, buffer);
            read_ms[i] += ms_since(start);
        }
    }

    int failures = 0;
    {
        tw::c_platform platform(window, device);
        for (int r = 0; r < repetitions; ++r) {
            for (size_t i = 0; i < files.size(); ++i) {
                tw::c_texture texture;
                texture.file_name = files[i].name;
                const auto start = std::chrono::steady_clock::now();
                platform.load(texture);
                glFinish();  // the upload and mipmaps are done, not just queued
                load_ms[i] += ms_since(start);
                if (r == 0) failures += check_upload(texture, files[i]) ? 0 : 1;
                device.delete_texture(texture.name);
            }
        }
    }
    if (failures > 0) std::printf("uploads failed: %d\n", failures);
    bool alpha_ok = false;
    {
        tw::c_platform platform(window, device);
        alpha_ok = check_alpha_upload(platform);
    }
    std::printf("4-bit alpha upload keeps its values: %s\n", alpha_ok ? "yes" : "NO");

    std::printf("files: %zu (%.1f MB), repetitions: %d\n", files.size(),
                double(total_bytes) / (1024.0 * 1024.0), repetitions);
    std::printf("%-22s %12s %12s %8s\n", "kind", "read ms", "load ms", "ratio");
    double all_read = 0;
    double all_load = 0;
    for (size_t first = 0; first < files.size();) {
        size_t last = first;
        double kind_read = 0;
        double kind_load = 0;
        while (last < files.size() && files[last].width == files[first].width &&
               files[last].bits == files[first].bits) {
            kind_read += read_ms[last];
            kind_load += load_ms[last];
            ++last;
        }
        const double n = double(repetitions) * double(last - first);
        char kind[32];
        std::snprintf(kind, sizeof kind, "%dx%d %d-bit", files[first].width, files[first].height,
                      files[first].bits);
        std::printf("%-22s %12.3f %12.3f %8.1f\n", kind, kind_read / n, kind_load / n,
                    kind_load / kind_read);
        all_read += kind_read;
        all_load += kind_load;
        first = last;
    }
    const double loads = double(repetitions) * double(files.size());
    std::printf("%-22s %12.3f %12.3f %8.1f\n", "all files (per file)", all_read / loads,
                all_load / loads, all_load / all_read);

    std::filesystem::current_path(old_cwd);
    std::filesystem::remove_all(folder);
    window.terminate();
    return failures == 0 && alpha_ok ? 0 : 1;
}
