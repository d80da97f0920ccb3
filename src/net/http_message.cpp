// The XML form of a queued message, as the player data file stores it.
#include "net/http_message.h"

namespace tw {

void c_http_message::serialize(c_xml_archive& ar, rapidxml::xml_node<>* node) {
    archive_string(ar, node, "host", host);
    archive_string(ar, node, "address", address);
    if (ar.writing) {
        rapidxml::xml_node<>* list = append_child(ar, node, "params");
        for (auto& param : params) {
            rapidxml::xml_node<>* item = append_child(ar, list, "param");
            archive_string(ar, item, "name", param.first);
            archive_string(ar, item, "value", param.second);
        }
        return;
    }
    params.clear();
    rapidxml::xml_node<>* list = first_child(node, "params");
    for (auto* item = first_child(list, "param"); item; item = next_sibling(item, "param")) {
        std::pair<std::string, std::string> param;
        archive_string(ar, item, "name", param.first);
        archive_string(ar, item, "value", param.second);
        params.push_back(std::move(param));
    }
}

}  // namespace tw
