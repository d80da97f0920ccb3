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

// Scans markup the way the parser does (comments, CDATA, processing
// instructions, quoted attribute values) and reports nesting beyond the limit.
bool nests_too_deep(const std::vector<char>& text) {
    int depth = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '<') {
            ++i;
            continue;
        }
        if (starts_with(text, i, "<!--")) {
            i = skip_past(text, i + 4, "-->");
        } else if (starts_with(text, i, "<![CDATA[")) {
            i = skip_past(text, i + 9, "]]>");
        } else if (starts_with(text, i, "<?")) {
            i = skip_past(text, i + 2, "?>");
        } else if (starts_with(text, i, "<!") || starts_with(text, i, "</")) {
            if (text[i + 1] == '/') --depth;
            i = skip_past(text, i + 2, ">");
        } else {
            // An opening tag: find its end outside quoted values.
            char quote = 0;
            bool self_closing = false;
            for (++i; i < text.size(); ++i) {
                const char ch = text[i];
                if (quote) {
                    if (ch == quote) quote = 0;
                } else if (ch == '"' || ch == '\'') {
                    quote = ch;
                } else if (ch == '>') {
                    self_closing = text[i - 1] == '/';
                    ++i;
                    break;
                }
            }
            if (!self_closing && ++depth > k_max_element_depth) return true;
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
    if (nests_too_deep(text)) {
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

bool parse_bytes(c_xml_document& doc, bool read_ok, const std::vector<uint8_t>& bytes) {
    if (!read_ok) {
        clear_document(doc);
        doc.load_result = k_xml_missing;
        return false;
    }
    return parse_document(doc, std::vector<char>(bytes.begin(), bytes.end()));
}

}  // namespace

bool load_document(c_xml_document& doc, const std::string& path) {
    std::vector<uint8_t> bytes;
    const bool read_ok = read_file(path, bytes);
    return parse_bytes(doc, read_ok, bytes);
}

bool load_save_document(c_xml_document& doc, const std::string& name) {
    std::vector<uint8_t> bytes;
    const bool read_ok = read_save_file(name, bytes);
    return parse_bytes(doc, read_ok, bytes);
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
