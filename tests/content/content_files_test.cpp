// Every generated sound and XML file loads with the game's own readers, and
// every content file the game's code names in a string literal exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/wav.h"
#include "platform/xml_document.h"
#include "sound/backend/sound_device_sdl.h"
#include "sound/sound_table.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path k_content = TW_CONTENT_DIR;
const fs::path k_sources = TW_SOURCE_DIR;

std::vector<fs::path> files_with_extension(const fs::path& root, const std::string& extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) found.push_back(entry.path());
    }
    return found;
}

TEST(content_sounds, every_sound_of_the_table_is_16_bit_44100_hz_and_plays_as_a_loop) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::shared_ptr<i_sound_device> device = create_sound_device();
    ASSERT_NE(device, nullptr);
    sound_table table;
    fill_sound_table(table);
    for (const c_sound& sound : table) {
        SCOPED_TRACE(sound.file);
        const fs::path path = k_content / sound.file;
        tw_tools::c_sound_buffer buffer;
        ASSERT_TRUE(tw_tools::read_wav(path.string(), buffer));
        EXPECT_EQ(buffer.sample_rate, 44100);
        EXPECT_GT(buffer.frames(), 0u);
        // The device loads files relative to the working folder, as the game does.
        const sound_id id = device->play_2d(path.string(), true);
        EXPECT_NE(id, 0u);
        device->stop(id);
        device->drop(id);
    }
}

TEST(content_xml, every_generated_xml_file_parses_with_a_root_element) {
    const std::vector<fs::path> found = files_with_extension(k_content, ".xml");
    ASSERT_FALSE(found.empty());
    for (const fs::path& path : found) {
        SCOPED_TRACE(path.string());
        c_xml_document doc;
        EXPECT_TRUE(load_document(doc, path.string()));
        EXPECT_EQ(doc.load_result, k_xml_ok);
        EXPECT_NE(doc.doc.first_node(), nullptr);
    }
}

// String literals of the game's code that name content files. Textures are
// named relative to "textures/"; sounds, fonts, scenes and animations relative
// to the working folder. Names in the save folder are not content, nor are
// the files the editor writes (its autosave and its file box's first name).
std::set<std::string> content_names_in_code() {
    const std::regex literal(R"re("([A-Za-z0-9_./-]+\.(bmp|wav|xml))")re");
    const std::set<std::string> save_files = {"data.xml", "settings.xml", "autosave.xml",
                                              "file.xml"};
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(k_sources / "src")) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h")) continue;
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        const std::string code = text.str();
        for (std::sregex_iterator it(code.begin(), code.end(), literal), end; it != end; ++it) {
            const std::string name = (*it)[1];
            if (!save_files.count(name)) names.insert(name);
        }
    }
    return names;
}

TEST(content_names, every_file_the_code_names_exists_in_the_content_folder) {
    const std::set<std::string> names = content_names_in_code();
    ASSERT_TRUE(names.count("blank.bmp")) << "the scan of the sources found nothing";
    for (const std::string& name : names) {
        const bool texture = fs::path(name).extension() == ".bmp";
        const fs::path path = texture ? k_content / "textures" / name : k_content / name;
        EXPECT_TRUE(fs::is_regular_file(path)) << name << " is named in the code but " << path
                                               << " was not made";
    }
}

}  // namespace
}  // namespace tw
