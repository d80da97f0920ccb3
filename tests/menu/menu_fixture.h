// Fixture for the title screen tests: a working folder with a small menu scene
// (three endless layers, a world layer, dressing in the later levels, the two
// creatures), a headless 1280 x 720 platform on a recording device and the menu.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/application_data.h"
#include "menu/state_menu.h"
#include "scene/test_scene_fixture.h"

namespace tw_test {

// Every text block enters on a tick of its own: the first after 201 ticks,
// later ones 401 ticks apart, the pause block 801 after the last text.
constexpr int k_first_credit_tick = 201;
constexpr int k_credit_interval = 401;

inline std::string layer_xml(const std::string& level, const std::string& tiles, float x,
                             float scale = 1) {
    return "<layer level_name=\"" + level + "\" file_name=\"" + tiles +
           "\" perspective_factor=\"0\" tile_scale=\"" + std::to_string(scale) + "\">" +
           transform_xml("transform", x, 0, 0) + "</layer>";
}

// A menu scene; levels lists the level elements so tests can leave some out.
inline std::string menu_scene_xml(
    const std::string& levels = "<level name=\"focus_0\"/><level name=\"focus_1\"/>"
                                "<level name=\"focus_3\"/>") {
    return "<levels>" + levels + "</levels><layers>" + layer_xml("focus_0", "sky.xml", 300) +
           layer_xml("focus_0", "cloud.xml", 300, 2) + layer_xml("focus_0", "haze.xml", 300) +
           layer_xml("focus_0", "world.xml", 0) + layer_xml("focus_1", "dressing.xml", 0) +
           "</layers><anims>"
           "<anim level_name=\"focus_0\" anim_file_name=\"anims/1hover.xml\">" +
           transform_xml("transform", 0, 150, 0) +
           "</anim><anim level_name=\"focus_0\" anim_file_name=\"anims/3dragonfly.xml\">" +
           transform_xml("transform", 0, -1900, 0) +
           "</anim></anims><cameras><camera name=\"camera1\" scene_width=\"3000\">"
           "<position x=\"0\" y=\"-900\" z=\"0\"/></camera></cameras>";
}

inline std::string tile_file_xml(int tile_size,
                                 const std::string& tiles) {
    return "<hd texture_size=\"512\" tile_size=\"" + std::to_string(tile_size) +
           "\"><tiles>" + tiles + "</tiles></hd>";
}

inline std::string tile_xml(const std::string& texture, int x, int size) {
    return "<tile filename=\"" + texture + "\" x=\"" + std::to_string(x) +
           "\" y=\"0\" size=\"" + std::to_string(size) + "\"/>";
}

class c_menu_test : public c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        window_.init();
        window_.open_fullscreen(1280, 720);
        write("sky.xml", tile_file_xml(958, tile_xml("sky.bmp", 479, 958) +
                                                       tile_xml("sky.bmp", 1437, 958)));
        write("cloud.xml", tile_file_xml(958, tile_xml("cloud.bmp", 479, 958)));
        write("haze.xml", tile_file_xml(958, tile_xml("haze.bmp", 479, 958)));
        write("world.xml", tile_file_xml(1000, tile_xml("world.bmp", 0, 1000)));
        write("dressing.xml", tile_file_xml(1000, tile_xml("dressing.bmp", 0, 1000)));
        write("anims/1hover.xml", anim_file_xml("fly.bmp", {"rest", "fly"}));
        write("anims/3dragonfly.xml", anim_file_xml("dragonfly.bmp", {"fly"}));
        write("c0.xml", menu_scene_xml());
    }

    // Makes the menu with a fixed credits seed and enters it as the machine does.
    void enter(uint8_t chapters_complete = 0) {
        data.persistent.chapters_complete = chapters_complete;
        menu = std::make_unique<tw::c_state_menu>(k_seed);
        menu->on_enter(platform_, data);
        menu->on_resize(platform_, data);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) menu->on_tick(platform_, data);
    }
    // A press at a point given in UI units, delivered as the frame loop does.
    void click_ui(float x, float y) {
        const float pixels_per_unit = float(platform_.short_side) / tw::k_ui_extent;
        platform_.mouse_x = uint16_t(platform_.width / 2 + x * pixels_per_unit);
        platform_.mouse_y = uint16_t(platform_.height / 2 - y * pixels_per_unit);
        menu->on_mouse(platform_, 0, 0, 0, data);
        menu->on_mouse(platform_, 2, 0, 0, data);
    }
    // The "event" field of every queued event message, oldest first.
    std::vector<std::string> queued_events() const {
        std::vector<std::string> names;
        for (const auto& message : data.persistent.event_queue) {
            for (const auto& param : message->params) {
                if (param.first == "event") names.push_back(param.second);
            }
        }
        return names;
    }

    static constexpr uint32_t k_seed = 12345;
    tw::c_application_data data;
    std::unique_ptr<tw::c_state_menu> menu;
};

}  // namespace tw_test
