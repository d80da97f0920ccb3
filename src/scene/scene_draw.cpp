// The scene's per-frame work: the update order (anims, particles, character,
// view) and the drawing (projection, levels kind by kind, letterbox).
#include <algorithm>

#include "platform/platform.h"
#include "scene/scene.h"

namespace tw {

namespace {

constexpr int k_band_aspect = 2;  // the scene's picture is a 2:1 band

// Narrower than 2:1: the band fills the width and black bars cover the rest.
bool needs_letterbox(const c_platform& platform) {
    return int(platform.width) < k_band_aspect * int(platform.height);
}

}  // namespace

void c_scene::update(c_platform& platform) {
    for (std::unique_ptr<c_scene_anim>& anim : anims) anim->advance();
    for (std::unique_ptr<c_scene_particle>& system : particle_systems) {
        system->update(platform, view);
    }
    if (character) character->update(platform, cameras, view);
    view.update();
}

void c_scene::draw(c_platform& platform) {
    set_projection(platform);
    for (const std::unique_ptr<c_scene_level>& level : levels) draw_level(platform, *level);
    draw_letterbox(platform);
}

void c_scene::set_projection(c_platform& platform) const {
    const vec2 eye = view.eye();
    if (needs_letterbox(platform)) {
        platform.set_view_long(view.zoom, eye.x, eye.y);
    } else {
        platform.set_view_short(view.zoom / k_band_aspect, eye.x, eye.y);
    }
}

void c_scene::draw_level(c_platform& platform, const c_scene_level& level) {
    for (const c_scene_layer* layer : level.layers) layer->draw(platform, view.position);
    for (const c_scene_collectible* collectible : level.collectibles) {
        platform.draw_quad(collectible->quad, collectible->transform);
    }
    for (c_scene_anim* anim : level.anims) {
        if (!anim->visible) continue;
        if (anim->graph) anim->anim.apply_graph(*anim->graph, anim->anim_position);
        anim->anim.draw(platform);
    }
    for (const c_scene_puzzle* puzzle : level.puzzles) puzzle->anim.draw(platform);
    for (c_scene_character* character_in_level : level.characters) {
        character_in_level->draw(platform);
    }
    for (c_scene_graphic* graphic : level.graphics) {
        if (graphic->glow) {
            graphic->glow->draw(platform, *graphic);
        } else {
            platform.draw_quad(graphic->quad, graphic->transform);
        }
    }
    for (const c_scene_particle* system : level.particle_systems) system->draw(platform);
}

void c_scene::draw_letterbox(c_platform& platform) const {
    if (!needs_letterbox(platform)) return;
    const vec2 eye = view.eye();
    c_transform placed;
    // The bars are 8192 units wide; a camera showing more than that (a puzzle
    // board wider than 4096 each side) gets them stretched to its width, so
    // nothing is left uncovered at the corners of the band.
    const float stretch = std::max(1.0f, view.zoom / k_letterbox_half_width);
    placed.m[0] = stretch;
    placed.m[4] = stretch;
    placed.tx = eye.x;
    placed.ty = eye.y + view.zoom / k_band_aspect;
    platform.draw_quad(letterbox_top, placed);
    placed.ty = eye.y - view.zoom / k_band_aspect;
    platform.draw_quad(letterbox_bottom, placed);
}

}  // namespace tw
