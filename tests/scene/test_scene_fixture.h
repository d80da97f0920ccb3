// Fixture for the scene tests: a temp working folder with anims/ and textures/,
// a headless platform on a recording device, and small scene-document builders.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "scene/scene.h"
#include "support/temp_folder.h"

namespace tw_test {

class c_scene_file_test : public testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_.path);
        std::filesystem::create_directory("anims");
        std::filesystem::create_directory("textures");
        platform_.update_screen_size(1280, 720);
    }
    void TearDown() override { std::filesystem::current_path(old_dir_); }

    // Writes text to a file of the working folder.
    static void write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    // Writes the document to "scene.xml" and loads it into scene_; returns load's result.
    bool load_text(const std::string& text) {
        write("scene.xml", text);
        return scene_.load(platform_, "scene.xml");
    }
    // Gives every queued texture a distinct device name, without reading files,
    // so recorded draws can be told apart by the texture they were made with.
    void name_textures() {
        for (auto& texture : platform_.queued_textures) {
            if (texture->name == 0) texture->name = next_texture_name_++;
        }
    }
    // The device name given to a texture file by name_textures, 0 if none.
    uint32_t texture_name(const std::string& file_name) const {
        for (auto& texture : platform_.queued_textures) {
            if (texture->file_name == file_name) return texture->name;
        }
        return 0;
    }

    // The translation each recorded draw was made under, in draw order.
    std::vector<tw::vec3> draw_translations() const {
        std::vector<tw::vec3> out;
        tw::vec3 last;
        for (const tw::c_render_call& call : device_.calls) {
            if (call.kind == tw::e_render_call::translate) {
                last = tw::vec3{call.values[0], call.values[1], call.values[2]};
            } else if (call.kind == tw::e_render_call::draw_quads) {
                out.push_back(last);
            }
        }
        return out;
    }
    // The texture of every recorded draw, in draw order.
    std::vector<uint32_t> drawn_textures() const {
        std::vector<uint32_t> out;
        for (const tw::c_recorded_draw& draw : device_.draws()) out.push_back(draw.texture);
        return out;
    }

    c_temp_folder folder_;
    std::filesystem::path old_dir_;
    tw::c_window_headless window_;
    tw::c_render_device_recording device_;
    tw::c_platform platform_{window_, device_};
    tw::c_scene scene_;
    uint32_t next_texture_name_ = 1;
};

inline std::string transform_xml(const std::string& element, float x, float y, float z,
                                 float rotation = 0) {
    return "<" + element + " x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
           "\" z=\"" + std::to_string(z) + "\" rotation=\"" + std::to_string(rotation) + "\"/>";
}

// An animation file of one quad (half size 10) on one node with texture
// `texture`, and one graph per name, each moving the node's x linearly from 0
// at time 0 to 655.35 at time 65535 (so x = time / 100).
inline std::string anim_file_xml(const std::string& texture,
                                 const std::vector<std::string>& graphs) {
    std::string text = "<materials><material texture_file_name=\"" + texture +
                       "\"/></materials><graphics><graphic name=\"q\" material_index=\"0\">"
                       "<v0 x=\"-10\" y=\"10\" z=\"0\"/><v1 x=\"10\" y=\"10\" z=\"0\"/>"
                       "<v2 x=\"10\" y=\"-10\" z=\"0\"/><v3 x=\"-10\" y=\"-10\" z=\"0\"/>"
                       "<t0 x=\"0\" y=\"0\"/><t1 x=\"1\" y=\"0\"/><t2 x=\"1\" y=\"1\"/>"
                       "<t3 x=\"0\" y=\"1\"/></graphic></graphics><nodes>"
                       "<node name=\"root\" graphic_index=\"0\" parent_index=\"-1\"/></nodes><graphs>";
    for (const std::string& name : graphs) {
        text += "<graph name=\"" + name +
                "\"><transforms><graph node_index=\"0\"><values><value index=\"0\">" +
                transform_xml("value", 0, 0, 0) + "</value><value index=\"65535\">" +
                transform_xml("value", 655.35f, 0, 0) + "</value></values></graph></transforms></graph>";
    }
    return text + "</graphs>";
}

}  // namespace tw_test
