// Field operations of the two-way XML archive: text formats for writing and
// the attribute-then-child-element lookup for reading.
#include "platform/xml_archive.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace tw {

namespace {

// Wide enough for "%f" of the largest float (39 digits before the point).
constexpr size_t k_number_text_size = 64;

// The text of a scalar field: the attribute, else the first child element's
// value, else null when neither exists.
const char* lookup(rapidxml::xml_node<>* node, const char* name) {
    if (!node) return nullptr;
    if (rapidxml::xml_attribute<>* attribute = node->first_attribute(name)) {
        return attribute->value();
    }
    if (rapidxml::xml_node<>* child = first_child(node, name)) return child->value();
    return nullptr;
}

// Like atoi, but saturating instead of overflowing.
int32_t text_to_int(const char* text) {
    if (!text) return 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

float text_to_float(const char* text) { return text ? std::strtof(text, nullptr) : 0.0f; }

void write_text(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                const std::string& text) {
    if (node) append_attribute(*ar.doc, node, name, text);
}

void write_int(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name, int value) {
    char text[k_number_text_size];
    std::snprintf(text, sizeof text, "%d", value);
    write_text(ar, node, name, text);
}

// The compound field's element: appended when writing, looked up when reading.
rapidxml::xml_node<>* compound_node(c_xml_archive& ar, rapidxml::xml_node<>* node,
                                    const char* name) {
    if (!node) return nullptr;
    return ar.writing ? append_child(ar, node, name) : first_child(node, name);
}

}  // namespace

void archive_string(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                    std::string& field) {
    if (ar.writing) {
        write_text(ar, node, name, field);
        return;
    }
    const char* text = lookup(node, name);
    field = text ? text : "";
}

void archive_int(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                 int32_t& field) {
    if (ar.writing) {
        write_int(ar, node, name, field);
        return;
    }
    field = text_to_int(lookup(node, name));
}

void archive_u16(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                 uint16_t& field) {
    if (ar.writing) {
        write_int(ar, node, name, field);
        return;
    }
    field = static_cast<uint16_t>(text_to_int(lookup(node, name)));
}

void archive_u8(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                uint8_t& field) {
    if (ar.writing) {
        write_int(ar, node, name, field);
        return;
    }
    field = static_cast<uint8_t>(text_to_int(lookup(node, name)));
}

void archive_float(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                   float& field) {
    if (ar.writing) {
        char text[k_number_text_size];
        std::snprintf(text, sizeof text, "%f", static_cast<double>(field));
        write_text(ar, node, name, text);
        return;
    }
    field = text_to_float(lookup(node, name));
}

void archive_vec2(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name, vec2& field) {
    rapidxml::xml_node<>* child = compound_node(ar, node, name);
    if (!child) return;
    archive_float(ar, child, "x", field.x);
    archive_float(ar, child, "y", field.y);
}

void archive_vec3(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name, vec3& field) {
    rapidxml::xml_node<>* child = compound_node(ar, node, name);
    if (!child) return;
    archive_float(ar, child, "x", field.x);
    archive_float(ar, child, "y", field.y);
    archive_float(ar, child, "z", field.z);
}

void archive_colour(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                    c_rgba& field) {
    rapidxml::xml_node<>* child = compound_node(ar, node, name);
    if (!child) return;
    archive_u8(ar, child, "r", field.r);
    archive_u8(ar, child, "g", field.g);
    archive_u8(ar, child, "b", field.b);
    archive_u8(ar, child, "a", field.a);
}

void archive_transform(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                       c_transform& field) {
    rapidxml::xml_node<>* child = compound_node(ar, node, name);
    if (!child) return;
    archive_float(ar, child, "x", field.tx);
    archive_float(ar, child, "y", field.ty);
    archive_float(ar, child, "z", field.tz);
    archive_float(ar, child, "rotation", field.angle);
    if (!ar.writing) transform_set_angle(field, field.angle);
}

rapidxml::xml_node<>* append_child(c_xml_archive& ar, rapidxml::xml_node<>* node,
                                   const char* name) {
    return append_element(*ar.doc, node, name);
}

bool has_field(rapidxml::xml_node<>* node, const char* name) { return lookup(node, name) != nullptr; }

rapidxml::xml_node<>* first_child(rapidxml::xml_node<>* node, const char* name) {
    if (!node) return nullptr;
    rapidxml::xml_node<>* child = node->first_node(name);
    while (child && child->type() != rapidxml::node_element) child = child->next_sibling(name);
    return child;
}

rapidxml::xml_node<>* next_sibling(rapidxml::xml_node<>* node, const char* name) {
    if (!node) return nullptr;
    rapidxml::xml_node<>* sibling = node->next_sibling(name);
    while (sibling && sibling->type() != rapidxml::node_element) {
        sibling = sibling->next_sibling(name);
    }
    return sibling;
}

rapidxml::xml_node<>* archive_root(c_xml_archive& ar, const char* name) {
    if (ar.writing) return append_element(*ar.doc, nullptr, name);
    return first_element(*ar.doc, name);
}

}  // namespace tw
