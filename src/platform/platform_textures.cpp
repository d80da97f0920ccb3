// The platform's texture and material cache: shared materials per file and blend
// mode, the loading queue, bitmap upload through the render device, release.
#include <cstdio>

#include "platform/bitmap.h"
#include "platform/platform.h"

namespace tw {

namespace {

const char* const k_texture_folder = "textures/";

// The upload format for an image's format code; 4-bit images become alpha masks.
uint32_t upload_format(uint8_t image_format) {
    switch (image_format) {
        case k_image_8bit:
            return k_format_luminance;
        case k_image_24bit:
            return k_format_rgb;
        case k_image_32bit:
            return k_format_rgba;
        default:
            return k_format_alpha;
    }
}

template <class T, class P>
T* find_in(const std::list<std::unique_ptr<T>>& list, P matches) {
    for (const std::unique_ptr<T>& item : list) {
        if (matches(*item)) return item.get();
    }
    return nullptr;
}

}  // namespace

c_material* c_platform::get_material(const std::string& file_name, bool additive) {
    auto same_file = [&](const c_texture& t) { return t.file_name == file_name; };
    c_texture* texture = find_in(queued_textures, same_file);
    if (!texture) texture = find_in(loaded_textures, same_file);
    if (!texture) {
        auto created = std::make_unique<c_texture>();
        created->file_name = file_name;
        texture = created.get();
        queued_textures.push_back(std::move(created));
    }

    const uint8_t flag = additive ? 1 : 0;
    auto same_material = [&](const c_material& m) {
        return m.texture == texture && m.additive == flag;
    };
    c_material* material = find_in(queued_materials, same_material);
    if (!material) material = find_in(loaded_materials, same_material);
    if (!material) {
        auto created = std::make_unique<c_material>();
        created->texture = texture;
        created->additive = flag;
        material = created.get();
        queued_materials.push_back(std::move(created));
    }
    return material;
}

void c_platform::load(c_texture& texture) {
    c_image image;
    if (!read_bitmap(k_texture_folder + texture.file_name, image)) {
        std::printf("ERROR : file read error : %s\n", texture.file_name.c_str());
        std::fflush(stdout);
        return;
    }
    // Loading again replaces the earlier upload instead of leaking it.
    if (texture.name != 0) device().delete_texture(texture.name);
    texture.format = upload_format(image.format);
    texture.regions = visible_regions(image);
    texture.name =
        device().create_texture(texture.format, image.width, image.height, image.pixels.data());
}

bool c_platform::read_texture_image(const std::string& file_name, c_image& image) const {
    return read_bitmap(k_texture_folder + file_name, image);
}

bool c_platform::read_bitmap_size(const std::string& file_name, uint16_t& width,
                                  uint16_t& height) {
    return read_bitmap_header(k_texture_folder + file_name, width, height);
}

void c_platform::release_all() {
    loaded_materials.clear();
    queued_materials.clear();
    for (auto* list : {&loaded_textures, &queued_textures}) {
        for (const std::unique_ptr<c_texture>& texture : *list) {
            if (texture->name != 0) device().delete_texture(texture->name);
        }
        list->clear();
    }
}

bool c_platform::load_next_queued() {
    if (!queued_textures.empty()) {
        load(*queued_textures.front());
        loaded_textures.splice(loaded_textures.end(), queued_textures, queued_textures.begin());
        return true;
    }
    if (!queued_materials.empty()) {
        loaded_materials.splice(loaded_materials.end(), queued_materials,
                                queued_materials.begin());
        return true;
    }
    return false;
}

}  // namespace tw
