// The XML document record: a rapidxml tree parsed in place from a text buffer
// it owns, its loading and saving, and helpers for building documents.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/xml.h"

namespace tw {

// Outcome of the last load; malformed files are kept aside by the player-data
// loader, missing ones are simply created, unreadable ones are never written over.
enum xml_load_result : uint8_t {
    k_xml_ok,
    k_xml_missing,
    k_xml_malformed,
    k_xml_unreadable,  // something is there but could not be read (not a file, permissions, I/O)
};

// Nodes point into buffer and into the document's pool, so they stay valid
// only while the document lives and until it is cleared or loaded again.
class c_xml_document {
public:
    c_xml_document() = default;
    c_xml_document(const c_xml_document&) = delete;
    c_xml_document& operator=(const c_xml_document&) = delete;

    rapidxml::xml_document<char> doc;
    std::vector<char> buffer;                 // zero-terminated text parsed in place
    xml_load_result load_result = k_xml_ok;  // set by every load
};

// Empties the tree and the buffer.
void clear_document(c_xml_document& doc);
// Starts a fresh document holding only <?xml version="1.0" encoding="UTF-8"?>.
void new_document(c_xml_document& doc);
// Parses text (no terminator needed) in place; on malformed text, or elements
// nested deeper than the parser's stack allows, the document is left empty,
// load_result is k_xml_malformed and false is returned.
bool parse_document(c_xml_document& doc, std::vector<char> text);
// Loads the file at path; a missing or malformed file leaves the document empty.
bool load_document(c_xml_document& doc, const std::string& path);
// Writes the indented document to path, replacing the file whole.
bool save_document(const c_xml_document& doc, const std::string& path);
// Loads a file of the save folder; a zero-byte file is an empty document.
bool load_save_document(c_xml_document& doc, const std::string& name);
// Writes the indented document to a file of the save folder, replacing it whole.
bool save_save_document(const c_xml_document& doc, const std::string& name);
// The document as indented text.
std::string print_document(const c_xml_document& doc);

// A copy of text in the document's pool, zero-terminated.
const char* pool_string(c_xml_document& doc, const std::string& text);
// Appends a new element name under parent (the document itself when null).
rapidxml::xml_node<>* append_element(c_xml_document& doc, rapidxml::xml_node<>* parent,
                                     const std::string& name);
// Appends attribute name = value to node; both are copied into the pool.
void append_attribute(c_xml_document& doc, rapidxml::xml_node<>* node, const std::string& name,
                      const std::string& value);
// Sets node's text to a pooled copy of value.
void set_element_value(c_xml_document& doc, rapidxml::xml_node<>* node, const std::string& value);
// The first top-level element called name (any element when name is null), or null.
rapidxml::xml_node<>* first_element(const c_xml_document& doc, const char* name);

}  // namespace tw
