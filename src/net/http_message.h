// An outgoing HTTP form post: host, request target and ordered form fields.
// Event messages are kept in the player data until they are sent.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/xml_archive.h"

namespace tw {

class c_http_message {
public:
    virtual ~c_http_message() = default;

    void add_param(const std::string& name, const std::string& value) {
        params.emplace_back(name, value);
    }
    // Reads or writes "host", "address" and the "params" element with one
    // "param" (name, value) child per field, in order.
    void serialize(c_xml_archive& ar, rapidxml::xml_node<>* node);

    std::string host;     // server host name; port 80
    std::string address;  // request target: an absolute URL
    std::vector<std::pair<std::string, std::string>> params;  // in the order added
};

}  // namespace tw
