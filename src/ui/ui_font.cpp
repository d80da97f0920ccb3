// Reading the font description: line metrics from "common", glyphs from
// "chars" and kerning pairs from "kernings"; everything else is ignored.
#include "ui/ui_font.h"

#include <cstdlib>

#include "platform/xml_document.h"

namespace tw {

namespace {

using xml_node = rapidxml::xml_node<char>;

// An attribute as a decimal integer; a missing or non-numeric one is 0.
long read_long(const xml_node* node, const char* name) {
    const rapidxml::xml_attribute<char>* attribute = node ? node->first_attribute(name) : nullptr;
    if (!attribute) return 0;
    return std::strtol(attribute->value(), nullptr, 10);
}

// An attribute kept as a 16-bit value, as the description's numbers are.
int16_t read_int16(const xml_node* node, const char* name) {
    return static_cast<int16_t>(read_long(node, name));
}

bool is_character_code(long value) { return value >= 0 && value < k_glyph_slots; }

// A texture coordinate along a sheet side; a sheet without a size (missing
// or zero) gives 0 rather than a division by zero.
float sheet_fraction(int pixels, int16_t sheet_size) {
    return sheet_size > 0 ? static_cast<float>(pixels) / sheet_size : 0.0f;
}

void read_glyph(c_ui_font& font, const xml_node* node) {
    const long id = read_long(node, "id");
    // Ids past the 256 slots (or negative ones) have no place in the table.
    if (!is_character_code(id)) return;
    auto glyph = std::make_unique<c_ui_glyph>();
    const int16_t x = read_int16(node, "x");
    const int16_t y = read_int16(node, "y");
    glyph->width = read_int16(node, "width");
    glyph->height = read_int16(node, "height");
    glyph->x_offset = read_int16(node, "xoffset");
    glyph->y_offset = read_int16(node, "yoffset");
    glyph->x_advance = read_int16(node, "xadvance");
    glyph->u_left = sheet_fraction(x, font.sheet_width);
    glyph->u_right = sheet_fraction(x + glyph->width, font.sheet_width);
    glyph->v_top = sheet_fraction(y, font.sheet_height);
    glyph->v_bottom = sheet_fraction(y + glyph->height, font.sheet_height);
    font.glyphs[id] = std::move(glyph);
}

void read_kerning(c_ui_font& font, const xml_node* node) {
    const long first = read_long(node, "first");
    const long second = read_long(node, "second");
    // A pair naming a code outside 0..255 would alias another pair's key.
    if (!is_character_code(first) || !is_character_code(second)) return;
    // A repeated pair replaces the earlier amount, as a repeated glyph does.
    font.kernings[kerning_key(static_cast<uint8_t>(first), static_cast<uint8_t>(second))] =
        static_cast<int8_t>(read_long(node, "amount"));
}

// Calls read for every element child of parent (the element names are not checked).
template <class F>
void for_each_element(const xml_node* parent, F read) {
    if (!parent) return;
    for (const xml_node* child = parent->first_node(); child; child = child->next_sibling()) {
        if (child->type() == rapidxml::node_element) read(child);
    }
}

}  // namespace

bool c_ui_font::load(const std::string& path, c_material* font_material) {
    c_xml_document doc;
    // A missing or malformed file reads as an empty document: no "font", no glyphs.
    load_document(doc, path);
    return read(doc, font_material);
}

bool c_ui_font::read(const c_xml_document& doc, c_material* font_material) {
    material = font_material;
    line_height = base = sheet_width = sheet_height = 0;
    for (auto& glyph : glyphs) glyph.reset();
    kernings.clear();

    const xml_node* root = first_element(doc, "font");
    if (!root) return false;

    const xml_node* common = root->first_node("common");
    line_height = read_int16(common, "lineHeight");
    base = read_int16(common, "base");
    sheet_width = read_int16(common, "scaleW");
    sheet_height = read_int16(common, "scaleH");

    for_each_element(root->first_node("chars"), [&](const xml_node* n) { read_glyph(*this, n); });
    for_each_element(root->first_node("kernings"),
                     [&](const xml_node* n) { read_kerning(*this, n); });
    return true;
}

int8_t c_ui_font::kerning(uint8_t previous, uint8_t current) const {
    const auto found = kernings.find(kerning_key(previous, current));
    return found == kernings.end() ? 0 : found->second;
}

}  // namespace tw
