// A test suite over one scene of the content folder: the scene is loaded once
// for the suite, from the content folder, which is the game's working folder.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>

#include "app/harness.h"
#include "scene/scene.h"

namespace tw_test {

// SceneFile names the scene file relative to the content folder.
template <const char* SceneFile>
class c_content_scene_test : public testing::Test {
protected:
    static void SetUpTestSuite() {
        old_dir_ = new std::filesystem::path(std::filesystem::current_path());
        std::filesystem::current_path(TW_CONTENT_DIR);
        headless_ = new c_headless_platform;
        scene_ = new tw::c_scene;
        loaded_ = scene_->load(headless_->platform, SceneFile);
    }
    static void TearDownTestSuite() {
        delete scene_;
        delete headless_;
        std::filesystem::current_path(*old_dir_);
        delete old_dir_;
    }

    const tw::c_scene& scene() const { return *scene_; }
    tw::c_platform& platform() const { return headless_->platform; }

    inline static bool loaded_ = false;
    inline static tw::c_scene* scene_ = nullptr;

private:
    inline static std::filesystem::path* old_dir_ = nullptr;
    inline static c_headless_platform* headless_ = nullptr;
};

}  // namespace tw_test
