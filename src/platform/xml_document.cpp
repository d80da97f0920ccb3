// Loading, parsing, printing and building XML documents on top of rapidxml,
// with malformed or hostile input turned into an empty document.
#include "platform/xml_document.h"

#include <cstring>
#include <iterator>

#include "platform/file.h"

namespace tw {

namespace {

// rapidxml parses elements recursively; far deeper nesting than any game file
// uses would exhaust the stack, so such text is rejected as malformed first.
constexpr int k_max_element_depth = 1000;

// Index just past the first occurrence of token at or after i, or the end.
size_t skip_past(const std::vector<char>& text, size_t i, const char* token) {
    const size_t token_length = std::strlen(token);
    for (; i + token_length <= text.size(); ++i) {
        if (std::memcmp(&text[i], token, token_length) == 0) return i + token_length;
    }
    return text.size();
}

bool starts_with(const std::vector<char>& text, size_t i, const char* token) {
    const size_t token_length = std::strlen(token);
    return i + token_length <= text.size() && std::memcmp(&text[i], token, token_length) == 0;
}

bool is_space(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// "<!DOCTYPE" followed by white space, the only form the parser reads as a
// document type declaration.
bool starts_with_doctype(const std::vector<char>& text, size_t i) {
    return starts_with(text, i, "<!DOCTYPE") && i + 9 < text.size() && is_space(text[i + 9]);
}

// Index just past a document type declaration whose body starts at i: the
// parser skips everything up to its '>', and inside square brackets (the
// internal subset, which may nest them) it skips even '>'. Markup in there is
// never parsed, so none of it may count towards the depth.
size_t skip_doctype(const std::vector<char>& text, size_t i) {
    while (i < text.size() && text[i] != '>') {
        if (text[i] == '[') {
            int brackets = 1;
            for (++i; i < text.size() && brackets > 0; ++i) {
                if (text[i] == '[') ++brackets;
                if (text[i] == ']') --brackets;
            }
        } else {
            ++i;
        }
    }
    return i < text.size() ? i + 1 : i;
}

// The parser's own character classes, so a tag is split exactly as it splits it.
bool is_name_char(char ch) {
    return rapidxml::internal::lookup_tables<0>::lookup_node_name[static_cast<unsigned char>(ch)];
}
bool is_attribute_name_char(char ch) {
    return rapidxml::internal::lookup_tables<0>::lookup_attribute_name[static_cast<unsigned char>(ch)];
}

size_t skip_spaces(const std::vector<char>& text, size_t i) {
    while (i < text.size() && is_space(text[i])) ++i;
    return i;
}

// How an element's start tag beginning after '<' at i ends.
enum class tag_end { k_opens, k_self_closing, k_broken };

// Reads a start tag as the parser does (name, then name="value" pairs with
// either quote) and sets i past it. A quote only delimits a value after '=';
// elsewhere it is part of the name or breaks the tag, as it does for the parser.
tag_end read_start_tag(const std::vector<char>& text, size_t& i) {
    const size_t name_start = i;
    while (i < text.size() && is_name_char(text[i])) ++i;
    if (i == name_start) return tag_end::k_broken;
    i = skip_spaces(text, i);
    while (i < text.size() && is_attribute_name_char(text[i])) {
        while (i < text.size() && is_attribute_name_char(text[i])) ++i;
        i = skip_spaces(text, i);
        if (i >= text.size() || text[i] != '=') return tag_end::k_broken;
        i = skip_spaces(text, i + 1);
        if (i >= text.size() || (text[i] != '"' && text[i] != '\'')) return tag_end::k_broken;
        const char quote = text[i++];
        while (i < text.size() && text[i] != quote && text[i] != '\0') ++i;
        if (i >= text.size() || text[i] != quote) return tag_end::k_broken;
        i = skip_spaces(text, i + 1);
    }
    if (i < text.size() && text[i] == '>') {
        ++i;
        return tag_end::k_opens;
    }
    if (starts_with(text, i, "/>")) {
        i += 2;
        return tag_end::k_self_closing;
    }
    return tag_end::k_broken;
}

// Scans markup the way the parser does (comments, CDATA, processing
// instructions, document type declarations, start tags) and reports nesting
// beyond the limit. A broken start tag is malformed anyway and is reported
// too, so the parser is never handed text this scan could not follow.
bool too_deep_or_broken(const std::vector<char>& text) {
    int depth = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '<') {
            ++i;
        } else if (starts_with(text, i, "<!--")) {
            i = skip_past(text, i + 4, "-->");
        } else if (starts_with(text, i, "<![CDATA[")) {
            i = skip_past(text, i + 9, "]]>");
        } else if (starts_with(text, i, "<?")) {
            i = skip_past(text, i + 2, "?>");
        } else if (starts_with_doctype(text, i)) {
            i = skip_doctype(text, i + 10);
        } else if (starts_with(text, i, "<!") || starts_with(text, i, "</")) {
            // Depth never goes below zero, so closing tags the parser would
            // reject cannot pay for deeper nesting later.
            if (text[i + 1] == '/' && depth > 0) --depth;
            i = skip_past(text, i + 2, ">");
        } else {
            ++i;
            const tag_end end = read_start_tag(text, i);
            if (end == tag_end::k_broken) return true;
            if (end == tag_end::k_opens && ++depth > k_max_element_depth) return true;
        }
    }
    return false;
}

}  // namespace

void clear_document(c_xml_document& doc) {
    doc.doc.clear();
    doc.buffer.clear();
    doc.buffer.shrink_to_fit();
}

void new_document(c_xml_document& doc) {
    clear_document(doc);
    doc.load_result = k_xml_ok;
    rapidxml::xml_node<>* declaration = doc.doc.allocate_node(rapidxml::node_declaration);
    doc.doc.append_node(declaration);
    append_attribute(doc, declaration, "version", "1.0");
    append_attribute(doc, declaration, "encoding", "UTF-8");
}

bool parse_document(c_xml_document& doc, std::vector<char> text) {
    clear_document(doc);
    if (too_deep_or_broken(text)) {
        doc.load_result = k_xml_malformed;
        return false;
    }
    doc.buffer = std::move(text);
    doc.buffer.push_back('\0');
    try {
        doc.doc.parse<0>(doc.buffer.data());
    } catch (const rapidxml::parse_error&) {
        clear_document(doc);
        doc.load_result = k_xml_malformed;
        return false;
    }
    doc.load_result = k_xml_ok;
    return true;
}

namespace {

bool parse_bytes(c_xml_document& doc, file_read_result read, const std::vector<uint8_t>& bytes) {
    if (read != k_read_ok) {
        clear_document(doc);
        doc.load_result = read == k_read_missing ? k_xml_missing : k_xml_unreadable;
        return false;
    }
    return parse_document(doc, std::vector<char>(bytes.begin(), bytes.end()));
}

}  // namespace

bool load_document(c_xml_document& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    return parse_bytes(doc, read_whole_file(path, bytes), bytes);
}

bool load_save_document(c_xml_document& doc, const std::string& name) {
    std::vector<uint8_t> bytes;
    return parse_bytes(doc, read_whole_save_file(name, bytes), bytes);
}

std::string print_document(const c_xml_document& doc) {
    std::string text;
    rapidxml::print(std::back_inserter(text), doc.doc);
    return text;
}

bool save_document(const c_xml_document& doc, const std::string& path) {
    const std::string text = print_document(doc);
    return write_file_atomic(path, text.data(), text.size());
}

bool save_save_document(const c_xml_document& doc, const std::string& name) {
    const std::string text = print_document(doc);
    return write_save_file(name, text.data(), text.size());
}

const char* pool_string(c_xml_document& doc, const std::string& text) {
    char* copy = doc.doc.allocate_string(nullptr, text.size() + 1);
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

rapidxml::xml_node<>* append_element(c_xml_document& doc, rapidxml::xml_node<>* parent,
                                     const std::string& name) {
    rapidxml::xml_node<>* node = doc.doc.allocate_node(
        rapidxml::node_element, pool_string(doc, name), nullptr, name.size(), 0);
    (parent ? parent : &doc.doc)->append_node(node);
    return node;
}

void append_attribute(c_xml_document& doc, rapidxml::xml_node<>* node, const std::string& name,
                      const std::string& value) {
    rapidxml::xml_attribute<>* attribute = doc.doc.allocate_attribute(
        pool_string(doc, name), pool_string(doc, value), name.size(), value.size());
    node->append_attribute(attribute);
}

void set_element_value(c_xml_document& doc, rapidxml::xml_node<>* node, const std::string& value) {
    node->value(pool_string(doc, value), value.size());
}

rapidxml::xml_node<>* first_element(const c_xml_document& doc, const char* name) {
    for (rapidxml::xml_node<>* node = doc.doc.first_node(name); node;
         node = node->next_sibling(name)) {
        if (node->type() == rapidxml::node_element) return node;
    }
    return nullptr;
}

}  // namespace tw
