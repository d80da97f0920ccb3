// Sending a message as one form post, and the XML form of a queued message as
// the player data file stores it.
#include "net/http_message.h"

#include <chrono>
#include <thread>

#include "net/http_request.h"

namespace tw {

namespace {
// Pause between polls of a request in progress.
constexpr std::chrono::milliseconds k_poll_pause{1};
}  // namespace

bool c_http_message::send() { return post({}); }

bool c_http_message::post(const form_fields& extra) const {
    c_http_request request(host, address);
    for (const auto& field : params) request.add_field(field.first, field.second);
    for (const auto& field : extra) request.add_field(field.first, field.second);
    request.send();
    while (!request.poll()) std::this_thread::sleep_for(k_poll_pause);
    return request.status() == c_http_request::k_completed;
}

int64_t c_http_message_google_analytics::queue_time() const {
    if (!clock) return 0;
    const int64_t waited = clock() - creation_ms;
    return waited < 0 ? 0 : waited;
}

bool c_http_message_google_analytics::send() {
    return post({{"qt", std::to_string(queue_time())}});
}

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
