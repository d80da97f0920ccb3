// A temporary folder for a test: made fresh, removed with everything in it at the end.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tw_test {

// The whole content of a file; empty when it cannot be read.
inline std::string read_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class c_temp_folder {
public:
    c_temp_folder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw_test_XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~c_temp_folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    c_temp_folder(const c_temp_folder&) = delete;
    c_temp_folder& operator=(const c_temp_folder&) = delete;

    std::string path;
};

// Points the save folder at a temporary XDG_DATA_HOME for the test's lifetime.
class c_temp_save_folder {
public:
    c_temp_save_folder() {
        const char* old = std::getenv("XDG_DATA_HOME");
        had_old_ = old != nullptr;
        if (old) old_ = old;
        setenv("XDG_DATA_HOME", folder.path.c_str(), 1);
    }
    ~c_temp_save_folder() {
        if (had_old_)
            setenv("XDG_DATA_HOME", old_.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }
    std::string file(const std::string& name) const {
        return folder.path + "/Thistlewarp/" + name;
    }

    c_temp_folder folder;

private:
    std::string old_;
    bool had_old_ = false;
};

}  // namespace tw_test
