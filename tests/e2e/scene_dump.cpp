// Reads a scene file with the game's own loader on a headless platform and
// prints what it holds, one line per object, so a test can check a scene
// made in the editor. Run from the content folder. Usage: scene_dump <file>
#include <cstdio>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "scene/scene.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scene_dump <scene file>\n");
        return 2;
    }
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform{window, device};
    tw::c_scene scene;
    if (!scene.load(platform, argv[1])) return 1;
    for (const auto& level : scene.levels) {
        std::printf("level %s layers %zu anims %zu graphics %zu\n", level->name.c_str(),
                    level->layers.size(), level->anims.size(), level->graphics.size());
    }
    for (const auto& layer : scene.layers) {
        std::printf("layer %s %s %g tiles %zu\n", layer->level_name.c_str(),
                    layer->file_name.c_str(), layer->tile_scale, layer->tiles.size());
    }
    for (const auto& camera : scene.cameras) std::printf("camera %s\n", camera->name.c_str());
    for (const auto& node : scene.path_nodes) {
        std::printf("node %s ->", node->name.c_str());
        for (const auto& path : node->paths)
            std::printf(" %s", path->target ? path->target->name.c_str() : "?");
        std::printf("\n");
    }
    for (const auto& graphic : scene.graphics) {
        std::printf("graphic %s %s %g\n", graphic->name.c_str(), graphic->file_name.c_str(),
                    graphic->half_width);
    }
    for (const auto& anim : scene.anims) {
        std::printf("anim %s keys %zu changes %zu", anim->anim_file_name.c_str(),
                    anim->transform_graph.size(), anim->anim_change_graph.size());
        for (const auto& [key, change] : anim->anim_change_graph)
            std::printf(" %u:%s", unsigned(key), change->anim_name_play_once.c_str());
        std::printf("\n");
    }
    return 0;
}
