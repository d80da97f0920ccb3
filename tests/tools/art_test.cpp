// The art tool end to end: manifests written by the tests render SVGs into BMPs the
// game reads, layers are cut into the right tiles, and mistakes fail the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "art/art_maker.h"
#include "art/manifest.h"
#include "platform/bitmap.h"
#include "platform/xml_document.h"
#include "support/temp_folder.h"

namespace tw_tools {
namespace {

struct c_rgba {
    int r = 0;
    int g = 0;
    int b = 0;
    int a = 255;
};

// The pixel at (x, y), top row first, of an image from the game's reader.
c_rgba pixel_at(const tw::c_image& image, int x, int y) {
    const int bytes = image.format == tw::k_image_32bit ? 4 : 3;
    const uint8_t* p = &image.pixels[size_t(image.height - 1 - y) * image.stride + size_t(x) * bytes];
    return c_rgba{p[0], p[1], p[2], bytes == 4 ? p[3] : 255};
}

class art_run : public ::testing::Test {
protected:
    void write_text(const std::string& name, const std::string& text) {
        std::ofstream(source + "/" + name) << text;
    }
    bool run(const std::string& manifest_text) {
        write_text("test.art", manifest_text);
        error.clear();
        return run_art_manifest(source + "/test.art", source, output, totals, error);
    }
    tw::c_image bitmap(const std::string& name) {
        tw::c_image image;
        EXPECT_TRUE(tw::read_bitmap(output + "/" + name, image)) << name;
        return image;
    }

    tw_test::c_temp_folder folder;
    std::string source = folder.path + "/src";
    std::string output = folder.path + "/out";
    c_art_totals totals;
    std::string error;

    void SetUp() override { std::filesystem::create_directories(source); }
};

// Left half red, right half blue, in a 10 x 10 user space.
const char* const k_halves_svg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="40" height="40" viewBox="0 0 10 10">)svg"
    R"svg(<rect x="0" y="0" width="5" height="10" fill="#ff0000"/>)svg"
    R"svg(<rect x="5" y="0" width="5" height="10" fill="#0000ff"/></svg>)svg";

TEST_F(art_run, image_stretches_the_whole_document_and_is_24_bit_when_opaque) {
    write_text("halves.svg", k_halves_svg);
    ASSERT_TRUE(run("image textures/halves.bmp halves.svg 8 2\n")) << error;
    const tw::c_image image = bitmap("textures/halves.bmp");
    ASSERT_EQ(image.width, 8);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.format, tw::k_image_24bit);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 8; ++x) {
            const c_rgba p = pixel_at(image, x, y);
            EXPECT_EQ(p.r, x < 4 ? 255 : 0) << x;
            EXPECT_EQ(p.b, x < 4 ? 0 : 255) << x;
        }
    }
    EXPECT_EQ(totals.images, 1);
}

TEST_F(art_run, a_colour_format_on_the_line_overrides_the_default) {
    write_text("halves.svg", k_halves_svg);
    ASSERT_TRUE(run("image a.bmp halves.svg 4 4 rgba\n")) << error;
    EXPECT_EQ(bitmap("a.bmp").format, tw::k_image_32bit);
}

// A 30 x 15 rect at (10, 20) inside a group moved by (100, 0), and a tiny dot.
const char* const k_parts_svg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 200 100">)svg"
    R"svg(<g transform="translate(100 0)"><rect id="box" x="10" y="20" width="30" height="15" fill="#20c040"/></g>)svg"
    R"svg(<circle id="dot" cx="5" cy="5" r="1" fill="#fff"/></svg>)svg";

TEST_F(art_run, element_covers_its_ink_rect_at_the_scale_plus_the_pad) {
    write_text("parts.svg", k_parts_svg);
    ASSERT_TRUE(run("geometry anims/parts.xml\nelement textures/box.bmp parts.svg box 2 3\n")) << error;
    const tw::c_image image = bitmap("textures/box.bmp");
    ASSERT_EQ(image.width, 30 * 2 + 2 * 3);
    ASSERT_EQ(image.height, 15 * 2 + 2 * 3);
    EXPECT_EQ(image.format, tw::k_image_32bit);
    const c_rgba inside = pixel_at(image, 3, 3);
    EXPECT_EQ(inside.a, 255);
    EXPECT_EQ(inside.g, 0xc0);
    const c_rgba pad = pixel_at(image, 2, 2);
    EXPECT_EQ(pad.a, 0);
    EXPECT_EQ(pad.g, 0xc0);  // bled from the rect, so filtering shows no dark fringe
    EXPECT_EQ(pixel_at(image, 62, 32).a, 255);
    EXPECT_EQ(pixel_at(image, 63, 33).a, 0);

    tw::c_xml_document doc;
    ASSERT_TRUE(tw::load_document(doc, output + "/anims/parts.xml"));
    rapidxml::xml_node<>* element = tw::first_element(doc, "geometry")->first_node("element");
    ASSERT_NE(element, nullptr);
    EXPECT_STREQ(element->first_attribute("id")->value(), "box");
    EXPECT_STREQ(element->first_attribute("file")->value(), "textures/box.bmp");
    EXPECT_DOUBLE_EQ(std::atof(element->first_attribute("x")->value()), 110 - 1.5);
    EXPECT_DOUBLE_EQ(std::atof(element->first_attribute("y")->value()), 20 - 1.5);
    EXPECT_DOUBLE_EQ(std::atof(element->first_attribute("width")->value()), 33);
    EXPECT_DOUBLE_EQ(std::atof(element->first_attribute("height")->value()), 18);
    EXPECT_STREQ(element->first_attribute("pixel_width")->value(), "66");
    EXPECT_STREQ(element->first_attribute("pixel_height")->value(), "36");
}

TEST_F(art_run, element_sizes_round_up_to_whole_pixels) {
    write_text("parts.svg", k_parts_svg);
    ASSERT_TRUE(run("element dot.bmp parts.svg dot 1.25 0\n")) << error;
    const tw::c_image image = bitmap("dot.bmp");
    EXPECT_EQ(image.width, 3);  // 2 units * 1.25 = 2.5 pixels
    EXPECT_EQ(image.height, 3);
}

// 250 x 200 units: the top tile row is full, the bottom row has art only in its first tile.
const char* const k_layer_svg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 250 200">)svg"
    R"svg(<rect x="0" y="0" width="250" height="100" fill="#8040c0"/>)svg"
    R"svg(<rect x="0" y="100" width="100" height="100" fill="#40c080"/></svg>)svg";

TEST_F(art_run, layer_is_cut_into_tiles_skipping_empty_ones) {
    write_text("layer.svg", k_layer_svg);
    ASSERT_TRUE(run("layer textures/c0/sky.xml textures/c0/sky layer.svg 16 100\n")) << error;
    EXPECT_EQ(totals.layers, 1);
    EXPECT_EQ(totals.tiles, 4);
    EXPECT_FALSE(std::filesystem::exists(output + "/textures/c0/sky_1_1.bmp"));
    EXPECT_FALSE(std::filesystem::exists(output + "/textures/c0/sky_2_1.bmp"));

    // The last column sticks out past the document's right edge: padded, transparent.
    const tw::c_image edge = bitmap("textures/c0/sky_2_0.bmp");
    ASSERT_EQ(edge.width, 16);
    ASSERT_EQ(edge.height, 16);
    EXPECT_EQ(pixel_at(edge, 7, 8).a, 255);
    EXPECT_EQ(pixel_at(edge, 8, 8).a, 0);
    EXPECT_EQ(pixel_at(edge, 15, 8).r, 0x80);
    EXPECT_EQ(bitmap("textures/c0/sky_0_1.bmp").format, tw::k_image_24bit);

    tw::c_xml_document doc;
    ASSERT_TRUE(tw::load_document(doc, output + "/textures/c0/sky.xml"));
    rapidxml::xml_node<>* hd = tw::first_element(doc, "hd");
    ASSERT_NE(hd, nullptr);
    EXPECT_STREQ(hd->first_attribute("texture_size")->value(), "16");
    EXPECT_STREQ(hd->first_attribute("tile_size")->value(), "100");
    struct c_expected_tile {
        const char* filename;
        const char* x;
        const char* y;
    };
    const c_expected_tile expected[] = {
        {"c0/sky_0_0.bmp", "-75", "-50"},
        {"c0/sky_1_0.bmp", "25", "-50"},
        {"c0/sky_2_0.bmp", "125", "-50"},
        {"c0/sky_0_1.bmp", "-75", "50"},
    };
    rapidxml::xml_node<>* tile = hd->first_node("tiles")->first_node("tile");
    for (const c_expected_tile& want : expected) {
        ASSERT_NE(tile, nullptr);
        EXPECT_STREQ(tile->first_attribute("filename")->value(), want.filename);
        EXPECT_STREQ(tile->first_attribute("x")->value(), want.x);
        EXPECT_STREQ(tile->first_attribute("y")->value(), want.y);
        EXPECT_STREQ(tile->first_attribute("size")->value(), "100");
        tile = tile->next_sibling("tile");
    }
    EXPECT_EQ(tile, nullptr);
}

TEST_F(art_run, a_failing_line_names_the_manifest_line_and_takes_back_earlier_files) {
    write_text("parts.svg", k_parts_svg);
    EXPECT_FALSE(run("# parts\nelement box.bmp parts.svg box 1\n\nelement gone.bmp parts.svg nowhere 1\n"));
    EXPECT_EQ(error.rfind(source + "/test.art:4: ", 0), 0u) << error;
    EXPECT_NE(error.find("nowhere"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(output + "/box.bmp"));

    EXPECT_FALSE(run("image a.bmp missing.svg 4 4\n"));
    EXPECT_EQ(error.rfind(source + "/test.art:1: ", 0), 0u) << error;
}

struct c_bad_line_case {
    const char* line;
    const char* reason_part;
};

// Four quarters, red, green / blue, white, in a 10 x 10 user space.
const char* const k_quarters_svg =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10" viewBox="0 0 10 10">)svg"
    R"svg(<rect x="0" y="0" width="5" height="5" fill="#ff0000"/><rect x="5" y="0" width="5" height="5" fill="#00ff00"/>)svg"
    R"svg(<rect x="0" y="5" width="5" height="5" fill="#0000ff"/><rect x="5" y="5" width="5" height="5" fill="#ffffff"/></svg>)svg";

TEST_F(art_run, tile_cuts_one_grid_cell_turned_clockwise_and_wants_square_cells) {
    write_text("quarters.svg", k_quarters_svg);
    ASSERT_TRUE(run("tile textures/whole.bmp quarters.svg 1 1 0 0 8 1\n"
                    "tile textures/cell.bmp quarters.svg 2 2 1 1 4 3 rgba\n")) << error;
    // One clockwise quarter: blue comes up to the top left, red goes to the top right.
    const tw::c_image whole = bitmap("textures/whole.bmp");
    ASSERT_EQ(whole.width, 8);
    EXPECT_EQ(pixel_at(whole, 1, 1).b, 255);
    EXPECT_EQ(pixel_at(whole, 6, 1).r, 255);
    EXPECT_EQ(pixel_at(whole, 6, 6).g, 255);
    EXPECT_EQ(pixel_at(whole, 1, 6).r, 255);
    EXPECT_EQ(pixel_at(whole, 1, 6).g, 255);
    const tw::c_image cell = bitmap("textures/cell.bmp");
    EXPECT_EQ(cell.width, 4);
    EXPECT_EQ(cell.format, tw::k_image_32bit);
    EXPECT_EQ(pixel_at(cell, 2, 2).r, 255);  // the white quarter alone
    EXPECT_EQ(pixel_at(cell, 2, 2).b, 255);
    EXPECT_EQ(totals.images, 2);

    EXPECT_FALSE(run("tile textures/tall.bmp quarters.svg 2 1 0 0 4 0\n"));
    EXPECT_NE(error.find("not square"), std::string::npos) << error;
}

TEST_F(art_run, region_draws_one_element_alone_inside_a_rectangle_of_the_document) {
    write_text("quarters.svg", k_quarters_svg);
    write_text("ids.svg", std::string(k_quarters_svg).replace(std::string(k_quarters_svg).find("<rect"), 5,
                                                              "<rect id=\"red\""));
    // The red quarter alone, in a rectangle reaching past it to the right and below.
    ASSERT_TRUE(run("region textures/red.bmp ids.svg red 2.5 2.5 5 5 2\n")) << error;
    const tw::c_image red = bitmap("textures/red.bmp");
    ASSERT_EQ(red.width, 10);
    ASSERT_EQ(red.height, 10);
    EXPECT_EQ(pixel_at(red, 1, 1).r, 255);
    EXPECT_EQ(pixel_at(red, 1, 1).a, 255);
    EXPECT_EQ(pixel_at(red, 8, 8).a, 0);  // where the white quarter is, nothing: drawn alone
}

TEST(art_manifest, malformed_lines_are_refused_with_a_reason) {
    const c_bad_line_case cases[] = {
        {"sprite a.bmp a.svg 4 4", "unknown kind"},
        {"image a.bmp a.svg 4", "expected"},
        {"image a.bmp a.svg 0 4", "width"},
        {"image a.bmp a.svg 4x 4", "width"},
        {"image a.bmp a.svg 4 4 cmyk", "colour"},
        {"image ../a.bmp a.svg 4 4", "leaves"},
        {"image /tmp/a.bmp a.svg 4 4", "relative"},
        {"element a.bmp a.svg box 0", "scale"},
        {"element a.bmp a.svg box 1 -1", "pad"},
        {"element a.bmp a.svg box 1 2 rgb extra", "expected"},
        {"layer sky.xml sky a.svg 512 2048", "textures/"},
        {"layer sky.xml textures/sky a.svg 512 0", "tile size"},
        {"geometry", "expected"},
        {"tile a.bmp a.svg 2 2 2 0 64 0", "column"},
        {"tile a.bmp a.svg 2 2 0 0 64 4", "quarter turns"},
        {"region a.bmp a.svg box 0 0 0 4 1", "width"},
        {"region a.bmp a.svg box 0 0 40 4 1000", "pixels across"},
    };
    for (const c_bad_line_case& c : cases) {
        std::vector<c_art_item> items;
        std::string reason;
        EXPECT_FALSE(parse_manifest_line(c.line, 1, items, reason)) << c.line;
        EXPECT_NE(reason.find(c.reason_part), std::string::npos) << c.line << " -> " << reason;
        EXPECT_TRUE(items.empty());
    }
}

TEST(art_manifest, optional_fields_and_comments_are_read) {
    std::vector<c_art_item> items;
    c_manifest_error error;
    ASSERT_TRUE(parse_manifest("# art\n\n  element a.bmp a.svg arm 0.5 rgba  # no pad\r\n"
                               "element b.bmp a.svg leg 2 7\nlayer t.xml textures/t a.svg 512 2048 rgb\n",
                               items, error))
        << error.reason;
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].line, 3);
    EXPECT_EQ(items[0].element_id, "arm");
    EXPECT_DOUBLE_EQ(items[0].scale, 0.5);
    EXPECT_EQ(items[0].pad, k_default_element_pad);
    EXPECT_EQ(items[0].colour, k_colour_rgba);
    EXPECT_EQ(items[1].pad, 7);
    EXPECT_EQ(items[1].colour, k_colour_auto);
    EXPECT_EQ(items[2].texture_size, 512);
    EXPECT_EQ(items[2].tile_size, 2048);
    EXPECT_EQ(items[2].colour, k_colour_rgb);
}

TEST(art_sample, the_sample_manifest_renders_everything_it_lists) {
    tw_test::c_temp_folder folder;
    c_art_totals totals;
    std::string error;
    const std::string sample = TW_ART_SAMPLE_DIR;
    ASSERT_TRUE(run_art_manifest(sample + "/meadow.art", sample, folder.path, totals, error)) << error;
    EXPECT_EQ(totals.images, 2);
    EXPECT_EQ(totals.elements, 2);
    EXPECT_EQ(totals.layers, 1);
    EXPECT_EQ(totals.tiles, 8);
    tw::c_image kite;
    ASSERT_TRUE(tw::read_bitmap(folder.path + "/textures/sample/kite.bmp", kite));
    // The kite's body is drawn with opacity; its middle must be there, red and nearly opaque.
    const c_rgba body = pixel_at(kite, kite.width / 2, 60);
    EXPECT_GT(body.a, 200);
    EXPECT_GT(body.r, 180);
    tw::c_xml_document doc;
    EXPECT_TRUE(tw::load_document(doc, folder.path + "/anims/sample/meadow_parts.xml"));
    EXPECT_NE(tw::first_element(doc, "geometry"), nullptr);
}

}  // namespace
}  // namespace tw_tools
