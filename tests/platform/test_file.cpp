// Tests of whole-file reading, the save folder location and crash-safe saving.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/file.h"

namespace tw {
namespace {

// Restores an environment variable when the test ends.
class c_env_guard {
public:
    explicit c_env_guard(const char* name) : name_(name) {
        const char* value = std::getenv(name);
        had_value_ = value != nullptr;
        if (had_value_) value_ = value;
    }
    ~c_env_guard() {
        if (had_value_) {
            setenv(name_, value_.c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_value_ = false;
    std::string value_;
};

std::vector<uint8_t> bytes_of(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

void write_plain(const std::string& path, const std::string& text) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

bool exists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// Each test gets a fresh temporary folder used as XDG_DATA_HOME.
class file_test : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tw_file_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        setenv("XDG_DATA_HOME", root.c_str(), 1);
    }
    void TearDown() override {
        const std::string command = "chmod -R u+w '" + root + "' && rm -rf '" + root + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }

    c_env_guard xdg_guard{"XDG_DATA_HOME"};
    c_env_guard home_guard{"HOME"};
    std::string root;
};

TEST_F(file_test, read_file_returns_every_byte_including_zeros) {
    const std::string text("ab\0cd\n\xff", 7);
    write_plain(root + "/blob", text);
    std::vector<uint8_t> out{9, 9};
    EXPECT_TRUE(read_file(root + "/blob", out));
    EXPECT_EQ(out, bytes_of(text));

    write_plain(root + "/empty", "");
    EXPECT_TRUE(read_file(root + "/empty", out));
    EXPECT_TRUE(out.empty());
}

TEST_F(file_test, only_regular_files_are_read_and_nothing_else_blocks_or_throws) {
    const std::vector<uint8_t> before{1, 2, 3};
    std::vector<uint8_t> out = before;
    ASSERT_EQ(mkfifo((root + "/pipe").c_str(), 0644), 0);  // opening it plainly would wait for a writer
    struct c_case {
        std::string path;
        file_read_result result;
    };
    const c_case cases[] = {
        {root + "/absent", k_read_missing},
        {root + "/absent/inner", k_read_missing},
        {root, k_read_unreadable},
        {root + "/", k_read_unreadable},  // what an empty texture name reads
        {root + "/pipe", k_read_unreadable},
        {"/dev/zero", k_read_unreadable},  // a device of endless bytes
    };
    for (const c_case& c : cases) {
        EXPECT_EQ(read_whole_file(c.path, out), c.result) << c.path;
        EXPECT_FALSE(read_file(c.path, out)) << c.path;
        EXPECT_EQ(out, before) << c.path;
    }
    write_plain(root + "/head", "BM1234");
    EXPECT_TRUE(read_file_head(root + "/head", 2, out));
    EXPECT_EQ(out, bytes_of("BM"));
    EXPECT_FALSE(read_file_head(root + "/head", 7, out));
    EXPECT_FALSE(read_file_head(root + "/pipe", 2, out));
}

TEST_F(file_test, saving_through_a_symbolic_link_replaces_its_target_and_keeps_the_link) {
    ASSERT_TRUE(ensure_save_folder());
    const std::string folder = get_save_folder();
    ASSERT_EQ(mkdir((root + "/synced").c_str(), 0755), 0);
    write_plain(root + "/synced/data.xml", "old");
    ASSERT_EQ(symlink("../synced/data.xml", (folder + "data.xml").c_str()), 0);
    ASSERT_TRUE(write_save_file("data.xml", "new", 3));
    struct stat info;
    ASSERT_EQ(lstat((folder + "data.xml").c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    std::vector<uint8_t> out;
    EXPECT_TRUE(read_file(root + "/synced/data.xml", out));
    EXPECT_EQ(out, bytes_of("new"));
    EXPECT_FALSE(exists(folder + "data.xml.tmp"));
    EXPECT_FALSE(exists(root + "/synced/data.xml.tmp"));
}

TEST_F(file_test, save_folder_comes_from_absolute_xdg_data_home_else_home) {
    setenv("XDG_DATA_HOME", "/data/x", 1);
    setenv("HOME", "/home/p", 1);
    EXPECT_EQ(get_save_folder(), "/data/x/Thistlewarp/");
    setenv("XDG_DATA_HOME", "/data/x/", 1);
    EXPECT_EQ(get_save_folder(), "/data/x/Thistlewarp/");
    setenv("XDG_DATA_HOME", "relative/path", 1);
    EXPECT_EQ(get_save_folder(), "/home/p/.local/share/Thistlewarp/");
    setenv("XDG_DATA_HOME", "", 1);
    EXPECT_EQ(get_save_folder(), "/home/p/.local/share/Thistlewarp/");
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(get_save_folder(), "/home/p/.local/share/Thistlewarp/");
    unsetenv("HOME");
    EXPECT_EQ(get_save_folder(), "");
    EXPECT_FALSE(ensure_save_folder());
    EXPECT_FALSE(write_save_file("data.xml", "x", 1));
}

TEST_F(file_test, ensure_save_folder_creates_missing_parents) {
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", root.c_str(), 1);
    EXPECT_TRUE(ensure_save_folder());
    EXPECT_TRUE(exists(root + "/.local/share/Thistlewarp"));
    EXPECT_TRUE(ensure_save_folder());
}

TEST_F(file_test, ensure_save_folder_fails_when_a_file_is_in_the_way) {
    write_plain(root + "/Thistlewarp", "not a folder");
    EXPECT_FALSE(ensure_save_folder());
    EXPECT_FALSE(write_save_file("data.xml", "x", 1));
}

TEST_F(file_test, save_file_round_trip_and_replacement_leave_no_temporary) {
    ASSERT_TRUE(write_save_file("data.xml", "first version", 13));
    ASSERT_TRUE(write_save_file("data.xml", "second", 6));
    std::vector<uint8_t> out;
    EXPECT_TRUE(read_save_file("data.xml", out));
    EXPECT_EQ(out, bytes_of("second"));
    EXPECT_FALSE(exists(root + "/Thistlewarp/data.xml.tmp"));

    ASSERT_TRUE(write_save_file("empty", nullptr, 0));
    EXPECT_TRUE(read_save_file("empty", out));
    EXPECT_TRUE(out.empty());
}

TEST_F(file_test, failed_rename_keeps_old_content_and_removes_temporary) {
    ASSERT_TRUE(ensure_save_folder());
    // A non-empty folder under the final name makes the rename fail.
    ASSERT_EQ(mkdir((root + "/Thistlewarp/data.xml").c_str(), 0755), 0);
    write_plain(root + "/Thistlewarp/data.xml/keep", "old");
    EXPECT_FALSE(write_save_file("data.xml", "new", 3));
    EXPECT_FALSE(exists(root + "/Thistlewarp/data.xml.tmp"));
    std::vector<uint8_t> out;
    EXPECT_TRUE(read_file(root + "/Thistlewarp/data.xml/keep", out));
    EXPECT_EQ(out, bytes_of("old"));
}

TEST_F(file_test, unwritable_temporary_keeps_old_content) {
    ASSERT_TRUE(write_save_file("data.xml", "old", 3));
    // A folder where the temporary file would go cannot be opened for writing.
    ASSERT_EQ(mkdir((root + "/Thistlewarp/data.xml.tmp").c_str(), 0755), 0);
    EXPECT_FALSE(write_save_file("data.xml", "new", 3));
    std::vector<uint8_t> out;
    EXPECT_TRUE(read_save_file("data.xml", out));
    EXPECT_EQ(out, bytes_of("old"));
}

TEST_F(file_test, read_only_save_folder_keeps_old_content) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    ASSERT_TRUE(write_save_file("data.xml", "old", 3));
    ASSERT_EQ(chmod((root + "/Thistlewarp").c_str(), 0555), 0);
    EXPECT_FALSE(write_save_file("data.xml", "new", 3));
    std::vector<uint8_t> out;
    EXPECT_TRUE(read_save_file("data.xml", out));
    EXPECT_EQ(out, bytes_of("old"));
}

TEST_F(file_test, move_save_file_renames_inside_the_save_folder) {
    ASSERT_TRUE(write_save_file("data.xml", "<broken", 7));
    EXPECT_TRUE(move_save_file("data.xml", "data.xml.bad"));
    std::vector<uint8_t> out;
    EXPECT_FALSE(read_save_file("data.xml", out));
    EXPECT_TRUE(read_save_file("data.xml.bad", out));
    EXPECT_EQ(out, bytes_of("<broken"));
    EXPECT_FALSE(move_save_file("data.xml", "other"));
}

TEST_F(file_test, save_file_names_cannot_leave_the_save_folder) {
    const char* bad_names[] = {"", ".", "..", "../escape", "sub/file", "/etc/passwd"};
    std::vector<uint8_t> out;
    for (const char* name : bad_names) {
        EXPECT_FALSE(is_save_file_name(name)) << name;
        EXPECT_FALSE(write_save_file(name, "x", 1)) << name;
        EXPECT_FALSE(read_save_file(name, out)) << name;
        EXPECT_FALSE(move_save_file(name, "ok")) << name;
    }
    EXPECT_FALSE(exists(root + "/escape"));
    EXPECT_TRUE(is_save_file_name("data.xml.bad"));
}

}  // namespace
}  // namespace tw
