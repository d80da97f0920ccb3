// The two-way XML archive: one serialize function per record reads or writes
// its fields, depending on the archive's direction.
#pragma once
#include <cstdint>
#include <string>

#include "platform/math.h"
#include "platform/render_device.h"
#include "platform/xml_document.h"

namespace tw {

// Record types implement void serialize(c_xml_archive& ar, rapidxml::xml_node<>* node)
// and call the field operations below in a fixed order.
class c_xml_archive {
public:
    c_xml_archive(c_xml_document& document, bool is_writing)
        : doc(&document), writing(is_writing) {}

    c_xml_document* doc;
    bool writing;
};

// Reading: a scalar field is the attribute name on node, else the text of the
// first child element name, else empty or zero. Writing: an attribute.
void archive_string(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                    std::string& field);
// Decimal; leading digits count, anything else reads 0.
void archive_int(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                 int32_t& field);
// Read as an int and truncated to 16 bits.
void archive_u16(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                 uint16_t& field);
// Read as an int and truncated to 8 bits ("300" reads 44).
void archive_u8(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                uint8_t& field);
// Written with six decimals.
void archive_float(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                   float& field);

// Compound fields live in a child element name; reading leaves the field
// unchanged when that element is absent.
void archive_vec2(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name, vec2& field);
void archive_vec3(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name, vec3& field);
// Attributes r, g, b, a as 8-bit fields.
void archive_colour(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                    c_rgba& field);
// Attributes x, y, z (translation) and rotation; reading rebuilds the matrix
// as a rotation about z.
void archive_transform(c_xml_archive& ar, rapidxml::xml_node<>* node, const char* name,
                       c_transform& field);

// List support. Writing: appends a child element name under node (the document
// itself when node is null) and returns it.
rapidxml::xml_node<>* append_child(c_xml_archive& ar, rapidxml::xml_node<>* node,
                                   const char* name);
// The first child element of node called name, or null (null node gives null).
rapidxml::xml_node<>* first_child(rapidxml::xml_node<>* node, const char* name);
// The next sibling element of node called name, or null.
rapidxml::xml_node<>* next_sibling(rapidxml::xml_node<>* node, const char* name);
// True if node holds a scalar field name, as an attribute or a child element.
bool has_field(rapidxml::xml_node<>* node, const char* name);
// Writing: appends a top-level element name. Reading: the first top-level
// element called name, or null.
rapidxml::xml_node<>* archive_root(c_xml_archive& ar, const char* name);

}  // namespace tw
