// A chapter-sized scene for the benchmarks: the sample scene copied side by
// side until it holds hundreds of tiles and tens of anims, and a headless
// platform over a given render device.
#pragma once
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/window_headless.h"
#include "scene/scene.h"

namespace tw_bench {

constexpr size_t k_min_tiles = 400;
constexpr size_t k_min_anims = 30;
constexpr float k_copy_spacing = 16384.0f;  // scene units between copies of the sample
constexpr int k_window_w = 1920;
constexpr int k_window_h = 1080;

inline size_t tile_count(const tw::c_scene& scene) {
    size_t n = 0;
    for (const auto& layer : scene.layers) n += layer->tiles.size();
    return n;
}

inline tw::c_transform shifted(tw::c_transform t, float dx) {
    t.tx += dx;
    return t;
}

// Appends `copies` copies of the loaded sample, each shifted right and in levels
// of its own; only the fields the file keeps are copied, the reload does the rest.
inline void add_copies(tw::c_scene& scene, int copies) {
    const size_t levels = scene.levels.size(), layers = scene.layers.size(),
                 anims = scene.anims.size(), graphics = scene.graphics.size();
    for (int k = 1; k <= copies; ++k) {
        const std::string suffix = "_" + std::to_string(k);
        const float dx = k * k_copy_spacing;
        for (size_t i = 0; i < levels; ++i) {
            auto level = std::make_unique<tw::c_scene_level>();
            level->name = scene.levels[i]->name + suffix;
            scene.add_level(std::move(level));
        }
        for (size_t i = 0; i < layers; ++i) {
            const tw::c_scene_layer& from = *scene.layers[i];
            auto layer = std::make_unique<tw::c_scene_layer>();
            layer->level_name = from.level_name + suffix;
            layer->transform = shifted(from.transform, dx);
            layer->file_name = from.file_name;
            layer->perspective_factor = from.perspective_factor;
            layer->tile_scale = from.tile_scale;
            scene.add_layer(std::move(layer));
        }
        for (size_t i = 0; i < anims; ++i) {
            const tw::c_scene_anim& from = *scene.anims[i];
            auto anim = std::make_unique<tw::c_scene_anim>();
            anim->level_name = from.level_name + suffix;
            anim->anim.base = shifted(from.anim.base, dx);
            anim->anim_file_name = from.anim_file_name;
            anim->anim_position = from.anim_position;
            anim->anim_speed = from.anim_speed;
            scene.add_anim(std::move(anim));
        }
        for (size_t i = 0; i < graphics; ++i) {
            const tw::c_scene_graphic& from = *scene.graphics[i];
            auto graphic = std::make_unique<tw::c_scene_graphic>();
            graphic->level_name = from.level_name + suffix;
            graphic->name = from.name + suffix;
            graphic->file_name = from.file_name;
            graphic->transform = shifted(from.transform, dx);
            graphic->half_width = from.half_width;
            graphic->half_height = from.half_height;
            scene.add_graphic(std::move(graphic));
        }
    }
}

// A headless 1920 x 1080 window and platform over device.
struct c_headless {
    explicit c_headless(tw::i_render_device& device) : platform(window, device) {
        window.set_receiver(&platform);
        window.init();
        window.open_fullscreen(k_window_w, k_window_h);
        platform.update_screen_size(k_window_w, k_window_h);
    }
    tw::c_window_headless window;
    tw::c_platform platform;
};

// Writes the chapter-sized file made from the sample file; false if it cannot.
inline bool make_chapter_file(tw::c_platform& platform, const char* sample_file,
                              const char* chapter_file) {
    tw::c_scene sample;
    if (!sample.load(platform, sample_file)) {
        std::fprintf(stderr, "cannot load %s\n", sample_file);
        return false;
    }
    const size_t tiles = std::max<size_t>(tile_count(sample), 1);
    const size_t anims = std::max<size_t>(sample.anims.size(), 1);
    const int copies = static_cast<int>(std::max((k_min_tiles + tiles - 1) / tiles,
                                                 (k_min_anims + anims - 1) / anims)) - 1;
    add_copies(sample, copies);
    if (!sample.save(chapter_file)) {
        std::fprintf(stderr, "cannot write %s\n", chapter_file);
        return false;
    }
    return true;
}

}  // namespace tw_bench
