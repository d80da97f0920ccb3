// Fixture for the animation tests: a temp working folder with anims/ and
// textures/, a headless platform on a recording device, and small XML builders.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "anim/anim.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "support/temp_folder.h"

namespace tw_test {

class c_anim_test : public testing::Test {
protected:
    void SetUp() override {
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_.path);
        std::filesystem::create_directory("anims");
        std::filesystem::create_directory("textures");
    }
    void TearDown() override { std::filesystem::current_path(old_dir_); }

    // Writes text to anims/<name> and returns that path.
    std::string write_anim(const std::string& text, const std::string& name = "test.xml") {
        const std::string path = "anims/" + name;
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    // Writes the text and loads it into anim.
    void load_text(tw::c_anim& anim, const std::string& text) {
        anim.load(platform_, write_anim(text));
    }
    // The red byte of the first vertex colour of every draw, in draw order;
    // the tests give each graphic its own red value to tell the quads apart.
    std::vector<int> drawn_ids() const {
        std::vector<int> ids;
        for (const tw::c_recorded_draw& draw : device_.draws()) {
            ids.push_back(draw.colours.empty() ? -1 : draw.colours[0].r);
        }
        return ids;
    }

    c_temp_folder folder_;
    std::filesystem::path old_dir_;
    tw::c_window_headless window_;
    tw::c_render_device_recording device_;
    tw::c_platform platform_{window_, device_};
};

// A graphic element whose first vertex colour has red = id, over material 0.
inline std::string graphic_xml(int id, const std::string& name = "") {
    const std::string r = std::to_string(id);
    return "<graphic name=\"" + name + "\" material_index=\"0\"><c0 r=\"" + r +
           "\" g=\"0\" b=\"0\" a=\"255\"/></graphic>";
}

// A node element; children is the text of its "index" elements' values.
inline std::string node_xml(int graphic, int parent, float x, float z,
                            const std::vector<int>& children, float rotation = 0) {
    std::string text = "<node graphic_index=\"" + std::to_string(graphic) + "\" parent_index=\"" +
                       std::to_string(parent) + "\"><transform x=\"" + std::to_string(x) +
                       "\" y=\"0\" z=\"" + std::to_string(z) + "\" rotation=\"" +
                       std::to_string(rotation) + "\"/><children>";
    for (int child : children) text += "<index value=\"" + std::to_string(child) + "\"/>";
    return text + "</children></node>";
}

}  // namespace tw_test
