// Tests of XML document loading and saving and of the two-way archive.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/xml_archive.h"
#include "platform/xml_document.h"

namespace tw {
namespace {

std::vector<char> chars(const std::string& text) {
    return std::vector<char>(text.begin(), text.end());
}

// A record with one field of every kind, as game records use the archive.
struct every_field {
    std::string name = "default";
    int32_t count = 17;
    uint16_t id = 0;
    uint8_t level = 0;
    float speed = 0;
    vec2 position;
    vec3 offset;
    c_rgba tint;
    c_transform placement;

    void serialize(c_xml_archive& ar, rapidxml::xml_node<>* node) {
        archive_string(ar, node, "name", name);
        archive_int(ar, node, "count", count);
        archive_u16(ar, node, "id", id);
        archive_u8(ar, node, "level", level);
        archive_float(ar, node, "speed", speed);
        archive_vec2(ar, node, "position", position);
        archive_vec3(ar, node, "offset", offset);
        archive_colour(ar, node, "tint", tint);
        archive_transform(ar, node, "placement", placement);
    }
};

// Parses text and reads an every_field from its <item> element.
every_field read_item(const std::string& text) {
    c_xml_document doc;
    EXPECT_TRUE(parse_document(doc, chars(text))) << text;
    c_xml_archive ar(doc, false);
    every_field item;
    item.serialize(ar, archive_root(ar, "item"));
    return item;
}

// Temporary XDG_DATA_HOME and content folder for the file-backed cases.
class xml_file_test : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("XDG_DATA_HOME");
        had_xdg = old != nullptr;
        if (had_xdg) old_xdg = old;
        char pattern[] = "/tmp/tw_xml_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        setenv("XDG_DATA_HOME", root.c_str(), 1);
    }
    void TearDown() override {
        if (had_xdg) {
            setenv("XDG_DATA_HOME", old_xdg.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(std::system(("rm -rf '" + root + "'").c_str()), 0);
    }

    std::string root;
    bool had_xdg = false;
    std::string old_xdg;
};

TEST(xml_archive, written_text_formats) {
    c_xml_document doc;
    new_document(doc);
    c_xml_archive ar(doc, true);
    every_field item;
    item.name = "a \"quoted\" <name> & more";
    item.count = -42;
    item.id = 65535;
    item.level = 255;
    item.speed = 0.1f;
    item.serialize(ar, archive_root(ar, "item"));

    rapidxml::xml_node<>* node = first_element(doc, "item");
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(node->first_attribute("count")->value(), "-42");
    EXPECT_STREQ(node->first_attribute("id")->value(), "65535");
    EXPECT_STREQ(node->first_attribute("level")->value(), "255");
    EXPECT_STREQ(node->first_attribute("speed")->value(), "0.100000");
    rapidxml::xml_node<>* tint = first_child(node, "tint");
    ASSERT_NE(tint, nullptr);
    EXPECT_STREQ(tint->first_attribute("a")->value(), "255");

    const std::string text = print_document(doc);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << text;
}

TEST(xml_archive, scalar_lookup_prefers_attribute_then_child_element) {
    const every_field item = read_item(
        "<item count=\"5\" level=\"300\"><count>9</count><name>from child</name>"
        "<speed>2.5</speed><id>70000</id></item>");
    EXPECT_EQ(item.count, 5);
    EXPECT_EQ(item.level, 44);  // 300 truncated to 8 bits
    EXPECT_EQ(item.name, "from child");
    EXPECT_FLOAT_EQ(item.speed, 2.5f);
    EXPECT_EQ(item.id, 70000 - 65536);
}

struct int_text_case {
    const char* text;
    int32_t expected;
};

TEST(xml_archive, integers_read_leading_digits_like_atoi) {
    const int_text_case cases[] = {
        {"12abc", 12}, {"abc", 0}, {"", 0}, {"  -7", -7}, {"+3", 3}, {"99999999999", INT32_MAX},
    };
    for (const int_text_case& c : cases) {
        const every_field item = read_item(std::string("<item count=\"") + c.text + "\"/>");
        EXPECT_EQ(item.count, c.expected) << c.text;
    }
}

TEST(xml_archive, missing_scalars_read_zero_but_missing_compounds_stay) {
    every_field item;
    item.position = {3, 4};
    item.tint = {1, 2, 3, 4};
    transform_set_angle(item.placement, 1);
    c_xml_document doc;
    ASSERT_TRUE(parse_document(doc, chars("<item><name/></item>")));
    c_xml_archive ar(doc, false);
    item.serialize(ar, archive_root(ar, "item"));
    EXPECT_EQ(item.name, "");
    EXPECT_EQ(item.count, 0);  // the constructor default is overridden
    EXPECT_EQ(item.speed, 0);
    EXPECT_EQ(item.position.x, 3);
    EXPECT_EQ(item.tint.a, 4);
    EXPECT_EQ(item.placement.angle, 1);

    // A missing record node reads all scalars as zero and touches no compound.
    every_field absent;
    absent.offset = {7, 8, 9};
    absent.serialize(ar, archive_root(ar, "nothing"));
    EXPECT_EQ(absent.name, "");
    EXPECT_EQ(absent.count, 0);
    EXPECT_EQ(absent.offset.z, 9);
}

TEST(xml_archive, transform_is_rebuilt_from_rotation) {
    const every_field item =
        read_item("<item><placement x=\"1\" y=\"2\" z=\"3\" rotation=\"1.5\"/></item>");
    EXPECT_FLOAT_EQ(item.placement.tx, 1);
    EXPECT_FLOAT_EQ(item.placement.ty, 2);
    EXPECT_FLOAT_EQ(item.placement.tz, 3);
    EXPECT_FLOAT_EQ(item.placement.angle, 1.5f);
    EXPECT_FLOAT_EQ(item.placement.m[0], std::cos(1.5f));
    EXPECT_FLOAT_EQ(item.placement.m[1], std::sin(1.5f));
    EXPECT_FLOAT_EQ(item.placement.m[3], -std::sin(1.5f));
}

TEST(xml_archive, lists_are_written_and_read_in_order) {
    c_xml_document doc;
    new_document(doc);
    c_xml_archive writer(doc, true);
    rapidxml::xml_node<>* list = archive_root(writer, "list");
    for (int32_t i = 0; i < 3; ++i) {
        archive_int(writer, append_child(writer, list, "entry"), "value", i);
        // Other elements between the entries must not break the iteration.
        append_child(writer, list, "other");
    }

    c_xml_archive reader(doc, false);
    std::vector<int32_t> values;
    for (rapidxml::xml_node<>* entry = first_child(archive_root(reader, "list"), "entry"); entry;
         entry = next_sibling(entry, "entry")) {
        int32_t value = -1;
        archive_int(reader, entry, "value", value);
        values.push_back(value);
    }
    EXPECT_EQ(values, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(first_child(nullptr, "entry"), nullptr);
}

TEST(xml_document, malformed_text_gives_empty_document) {
    const std::string cases[] = {
        "<root><child a=\"1\"/>",        // truncated
        "<root><child></root>",          // unclosed tag
        std::string("\x01\xff<<>>&\0zz", 10),  // garbage bytes
        "<root a=\"1></root>",           // unterminated attribute
    };
    for (const std::string& text : cases) {
        c_xml_document doc;
        new_document(doc);
        EXPECT_FALSE(parse_document(doc, chars(text)));
        EXPECT_EQ(doc.load_result, k_xml_malformed);
        EXPECT_EQ(doc.doc.first_node(), nullptr);
    }
}

TEST(xml_document, hostile_nesting_is_malformed_not_a_crash) {
    std::string text;
    const int depth = 200000;
    for (int i = 0; i < depth; ++i) text += "<a x='/>'>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    // Closing tags hidden in a document type's internal subset are never
    // parsed, and quotes inside element names delimit nothing: neither may
    // hide the depth of what follows.
    std::string behind_doctype = "<!DOCTYPE d [ " ;
    for (int i = 0; i < 5000; ++i) behind_doctype += "</x>";
    behind_doctype += " ]>";
    std::string quoted_names = "<a\">";
    for (int i = 0; i < depth; ++i) {
        behind_doctype += "<a>";
        quoted_names += "<b>";
    }
    quoted_names += "<c\">";
    for (const std::string& hostile : {text, behind_doctype, quoted_names}) {
        c_xml_document doc;
        EXPECT_FALSE(parse_document(doc, chars(hostile)));
        EXPECT_EQ(doc.load_result, k_xml_malformed);
    }

    // Ordinary nesting with comments, CDATA and a document type still parses.
    c_xml_document doc;
    std::string with_doctype = "<!DOCTYPE r [ <!ENTITY e \"x\"> [</x>] ]><r>";
    for (int i = 0; i < 990; ++i) with_doctype += "<a>";
    for (int i = 0; i < 990; ++i) with_doctype += "</a>";
    EXPECT_TRUE(parse_document(doc, chars(with_doctype + "</r>")));
    std::string fine;
    for (int i = 0; i < 100; ++i) fine += "<a><!-- <b> --><![CDATA[<c>]]>";
    for (int i = 0; i < 100; ++i) fine += "</a>";
    EXPECT_TRUE(parse_document(doc, chars(fine)));
    EXPECT_EQ(doc.load_result, k_xml_ok);
}

TEST_F(xml_file_test, every_field_round_trips_through_a_file) {
    every_field written;
    written.name = "Wren & <Co>";
    written.count = -123456;
    written.id = 40000;
    written.level = 200;
    written.speed = -2.25f;
    written.position = {1.5f, -2.5f};
    written.offset = {0.25f, 8, -16};
    written.tint = {10, 20, 30, 40};
    transform_set_angle(written.placement, 0.75f);
    written.placement.tx = 100;
    written.placement.ty = -50;
    written.placement.tz = 3;

    c_xml_document out_doc;
    new_document(out_doc);
    c_xml_archive writer(out_doc, true);
    written.serialize(writer, archive_root(writer, "item"));
    const std::string path = root + "/content.xml";
    ASSERT_TRUE(save_document(out_doc, path));

    c_xml_document in_doc;
    ASSERT_TRUE(load_document(in_doc, path));
    EXPECT_EQ(in_doc.load_result, k_xml_ok);
    c_xml_archive reader(in_doc, false);
    every_field read;
    read.serialize(reader, archive_root(reader, "item"));

    // Writing what was read gives the same text, so every field survived.
    c_xml_document again;
    new_document(again);
    c_xml_archive rewriter(again, true);
    read.serialize(rewriter, archive_root(rewriter, "item"));
    EXPECT_EQ(print_document(again), print_document(out_doc));
    EXPECT_EQ(read.name, written.name);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(read.placement.m[i], written.placement.m[i], 1e-6f);
}

TEST_F(xml_file_test, save_document_round_trips_through_the_save_folder) {
    c_xml_document out_doc;
    new_document(out_doc);
    c_xml_archive writer(out_doc, true);
    std::string name = "player one";
    archive_string(writer, archive_root(writer, "player"), "name", name);
    ASSERT_TRUE(save_save_document(out_doc, "data.xml"));

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_save_file("data.xml", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), print_document(out_doc));

    c_xml_document in_doc;
    ASSERT_TRUE(load_save_document(in_doc, "data.xml"));
    c_xml_archive reader(in_doc, false);
    std::string read_name;
    archive_string(reader, archive_root(reader, "player"), "name", read_name);
    EXPECT_EQ(read_name, "player one");
}

TEST_F(xml_file_test, load_results_tell_missing_from_malformed) {
    c_xml_document doc;
    new_document(doc);
    EXPECT_FALSE(load_save_document(doc, "data.xml"));
    EXPECT_EQ(doc.load_result, k_xml_missing);
    EXPECT_EQ(doc.doc.first_node(), nullptr);

    EXPECT_FALSE(load_document(doc, root + "/absent.xml"));
    EXPECT_EQ(doc.load_result, k_xml_missing);

    ASSERT_TRUE(write_save_file("data.xml", "<data><unclosed>", 16));
    EXPECT_FALSE(load_save_document(doc, "data.xml"));
    EXPECT_EQ(doc.load_result, k_xml_malformed);
    EXPECT_EQ(doc.doc.first_node(), nullptr);

    ASSERT_TRUE(write_save_file("empty.xml", nullptr, 0));
    EXPECT_TRUE(load_save_document(doc, "empty.xml"));
    EXPECT_EQ(doc.load_result, k_xml_ok);
    EXPECT_EQ(doc.doc.first_node(), nullptr);
}

TEST_F(xml_file_test, loading_again_replaces_the_previous_tree) {
    const std::string path = root + "/a.xml";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<first/><second/>", file);
    std::fclose(file);
    c_xml_document doc;
    ASSERT_TRUE(load_document(doc, path));
    ASSERT_NE(first_element(doc, "second"), nullptr);
    ASSERT_TRUE(write_save_file("b.xml", "<third/>", 8));
    ASSERT_TRUE(load_save_document(doc, "b.xml"));
    EXPECT_EQ(first_element(doc, "first"), nullptr);
    EXPECT_NE(first_element(doc, "third"), nullptr);
}

}  // namespace
}  // namespace tw
