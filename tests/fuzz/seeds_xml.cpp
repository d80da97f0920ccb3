// Seeds for the XML readers: one small document of each kind the game reads
// (scene, layer tile file, animation, font description, player record), all
// kinds in one document, and hostile shapes the parser must turn away or
// survive. The shipped content files are added by run_libfuzzer.sh.
#include <string>

#include "fuzz_seeds.h"

namespace tw_fuzz {

namespace {

std::string repeat(const std::string& text, int times) {
    std::string out;
    out.reserve(text.size() * size_t(times));
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

const char* const k_scene =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<levels><level name=\"meadow\"/><level name=\"stones\"/></levels>\n"
    "<puzzles><puzzle anim_file_name=\"anims/p.xml\" puzzle_index=\"1\" level_name=\"meadow\" "
    "click_radius=\"90\"><transform x=\"5\" y=\"6\" z=\"1\" rotation=\"0\"/></puzzle></puzzles>\n"
    "<collectibles><collectible texture_file_name=\"sample/seed.bmp\" "
    "picked_file_name=\"sample/seed_picked.bmp\" puzzle_index=\"0\" level_name=\"stones\">"
    "<transform x=\"6750\" y=\"-650\" z=\"4\" rotation=\"0\"/></collectible></collectibles>\n"
    "<layers><layer level_name=\"meadow\" file_name=\"textures/sample/meadow_far.xml\" "
    "perspective_factor=\"0.7\" tile_scale=\"4\"><transform x=\"1536\" y=\"0\" z=\"-64\" "
    "rotation=\"0\"/></layer></layers>\n"
    "<anims><anim anim_file_name=\"anims/firefly.xml\" level_name=\"meadow\" anim_position=\"0\" "
    "anim_speed=\"256\"><transform x=\"1700\" y=\"-320\" z=\"10\" rotation=\"0\"/>"
    "<transform_graph><transform index=\"0\"><value x=\"1\" y=\"2\" z=\"3\" rotation=\"0\"/>"
    "</transform><transform index=\"1200\"><value x=\"4\" y=\"5\" z=\"6\" rotation=\"0.15\"/>"
    "</transform></transform_graph><anim_change_graph><anim_change index=\"0\"><object "
    "anim_name_play_once=\"wake\" anim_speed_play_once=\"1024\" anim_name_loop=\"fly\" "
    "anim_speed_loop=\"1024\"/></anim_change><anim_change index=\"9\"/></anim_change_graph>"
    "</anim></anims>\n"
    "<graphics><graphic level_name=\"stones\" name=\"pebble\" file_name=\"sample/pebble.bmp\" "
    "half_width=\"256\" half_height=\"128\"><transform x=\"9300\" y=\"-1354\" z=\"20\" "
    "rotation=\"0\"/></graphic></graphics>\n"
    "<path_nodes><path_node name=\"a\"><transform x=\"-3000\" y=\"-1029\" z=\"5\" rotation=\"0\"/>"
    "<paths><path target_index=\"1\" animation_name=\"\" animtion_speed=\"0\"/></paths>"
    "</path_node><path_node name=\"b\"><transform x=\"-2200\" y=\"-1050\" z=\"5\" rotation=\"0\"/>"
    "<paths><path target_index=\"0\" animation_name=\"hop\" animtion_speed=\"512\"/>"
    "<path target_index=\"40000\"/><path target_index=\"-1\"/></paths></path_node></path_nodes>\n"
    "<cameras><camera scene_width=\"4096\" name=\"camera1\"><position x=\"0\" y=\"0\" z=\"0\"/>"
    "</camera><camera scene_width=\"4096\" name=\"camera2\"><position x=\"8192\" y=\"0\" z=\"0\"/>"
    "</camera></cameras>\n";

const char* const k_layer_tiles =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<hd texture_size=\"512\" tile_size=\"1024\"><tiles>"
    "<tile filename=\"sample/meadow_far_0_0.bmp\" x=\"-512\" y=\"-512\" size=\"1024\"/>"
    "<tile filename=\"sample/meadow_far_1_0.bmp\" x=\"512\" y=\"-512\" size=\"1024\"/>"
    "<tile><filename>sample/meadow_far_1_1.bmp</filename><x>512</x><y>512</y></tile>"
    "</tiles></hd>\n";

const char* const k_anim =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<materials><material texture_file_name=\"larva/body.bmp\"/><material>"
    "<texture_file_name>larva/leg.bmp</texture_file_name></material></materials>\n"
    "<graphics><graphic name=\"body\" material_index=\"0\">"
    "<v0 x=\"-1\" y=\"2\" z=\"0.5\"/><v1 x=\"1\" y=\"2\" z=\"0\"/><v2 x=\"1\" y=\"-2\" z=\"0\"/>"
    "<v3 x=\"-1\" y=\"-2\" z=\"0\"/><t0 x=\"0\" y=\"0\"/><t1 x=\"1\" y=\"0\"/>"
    "<t2 x=\"1\" y=\"1\"/><t3 x=\"0\" y=\"1\"/><c0 r=\"255\" g=\"255\" b=\"255\" a=\"255\"/>"
    "</graphic><graphic name=\"leg\" material_index=\"7\"/></graphics>\n"
    "<nodes><node name=\"body\" graphic_index=\"0\" parent_index=\"-1\">"
    "<transform x=\"10\" y=\"20\" z=\"-3\" rotation=\"0.25\"/><children><index value=\"1\"/>"
    "<index value=\"2\"/><index value=\"9\"/></children></node>"
    "<node name=\"leg\" graphic_index=\"1\" parent_index=\"0\"><children><index value=\"2\"/>"
    "</children></node><node name=\"foot\" graphic_index=\"1\" parent_index=\"1\"><children>"
    "<index value=\"0\"/></children></node></nodes>\n"
    "<poses><pose name=\"rest\"><transforms><transform node_index=\"1\"><transform x=\"4\" "
    "y=\"5\" z=\"6\" rotation=\"-1\"/></transform><transform node_index=\"30\"/></transforms>"
    "</pose></poses>\n"
    "<graphs><graph name=\"walk\"><transforms><graph node_index=\"1\"><values>"
    "<value index=\"0\"><value x=\"1\" y=\"2\" z=\"3\" rotation=\"0.5\"/></value>"
    "<value index=\"65535\"><value x=\"5\" y=\"6\" z=\"7\" rotation=\"1.5\"/></value>"
    "</values></graph></transforms><graphics><graph node_index=\"2\"><values>"
    "<value index=\"100\"><object graphic_index=\"1\"/></value><value index=\"200\"/>"
    "</values></graph></graphics></graph></graphs>\n";

const char* const k_font =
    "<?xml version=\"1.0\"?>\n"
    "<font><info face=\"DejaVu Sans Bold\" size=\"48\"/>"
    "<common lineHeight=\"56\" base=\"45\" scaleW=\"512\" scaleH=\"512\" pages=\"1\"/>"
    "<pages><page id=\"0\" file=\"font.bmp\"/></pages><chars count=\"3\">"
    "<char id=\"65\" x=\"0\" y=\"0\" width=\"30\" height=\"35\" xoffset=\"0\" yoffset=\"10\" "
    "xadvance=\"31\"/><char id=\"86\" x=\"32\" y=\"0\" width=\"30\" height=\"35\" xoffset=\"0\" "
    "yoffset=\"10\" xadvance=\"30\"/><char id=\"300\" x=\"1\"/></chars>"
    "<kernings count=\"3\"><kerning first=\"65\" second=\"86\" amount=\"-3\"/>"
    "<kerning first=\"86\" second=\"65\" amount=\"-3\"/>"
    "<kerning first=\"-1\" second=\"65\" amount=\"200\"/></kernings></font>\n";

const char* const k_player_record =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<persistent_data install_id=\"12\" chapters_complete=\"2\" total_time=\"9000\" "
    "message_counter=\"3\" sessions_count=\"4\"><message_queue><messages>"
    "<message host=\"127.0.0.1\" address=\"http://127.0.0.1/e\"><params>"
    "<param name=\"event\" value=\"start_menu\"/><param name=\"chapter\" value=\"1\"/>"
    "</params></message></messages></message_queue></persistent_data>\n";

// Deep nesting hidden from a depth check that does not read markup exactly as
// the parser does; far past the stack the parser's recursion has.
constexpr int k_stack_exhausting_depth = 100000;

// Closing tags inside a DOCTYPE internal subset, which the parser skips.
std::string doctype_seed() {
    const int depth = k_stack_exhausting_depth;
    return "<!DOCTYPE d [" + repeat("</x>", depth) + "]>" + repeat("<a>", depth) +
           repeat("</a>", depth);
}

// A quote inside an element name: the parser takes it as part of the name,
// the depth check as the start of a quoted value running to the end.
std::string quote_name_seed() {
    return "<a\"b>" + repeat("<a>", k_stack_exhausting_depth);
}

}  // namespace

std::vector<std::vector<uint8_t>> seeds() {
    std::vector<std::string> texts = {
        k_scene, k_layer_tiles, k_anim, k_font, k_player_record,
        // Every kind in one document, so each reader finds its own part.
        std::string(k_scene) + k_layer_tiles + k_anim + k_font + k_player_record,
        // Nesting far past the parser's limit.
        repeat("<a>", 2000) + repeat("</a>", 2000),
        "<levels><level name=\"x\"/><!-- never closed <level name=\"y\"/></levels>",
        "<hd texture_size=\"512\" tile_size=\"" + repeat("9", 60000) + "\"/>",
        // A second root element of the same name.
        "<font><common lineHeight=\"1\"/></font><font><chars><char id=\"1\"/></chars></font>"
        "<persistent_data install_id=\"1\"/><persistent_data install_id=\"2\"/>",
    };
    texts.push_back(doctype_seed());
    texts.push_back(quote_name_seed());
    std::vector<std::vector<uint8_t>> out;
    for (const std::string& t : texts) out.emplace_back(t.begin(), t.end());
    return out;
}

}  // namespace tw_fuzz
