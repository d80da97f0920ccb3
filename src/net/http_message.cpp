// Sending a message as one form post, and the XML form of a queued message as
// the player data file stores it.
#include "net/http_message.h"

#include <chrono>
#include <thread>

#include "net/host_lookup.h"
#include "net/http_request.h"

namespace tw {

namespace {
// Pause between polls of a request in progress.
constexpr std::chrono::milliseconds k_poll_pause{1};

// False when no network could ever carry the message: a host without a name or
// with a broken port, or a line break in the host or request target.
bool can_ever_be_sent(const std::string& host, const std::string& address) {
    std::string name;
    uint16_t port = 0;
    if (!split_host_port(host, c_http_connection::k_default_port, name, port)) return false;
    return (host + address).find_first_of("\r\n") == std::string::npos;
}
}  // namespace

e_send_outcome c_http_message::send(int64_t time_limit_ms) { return post({}, time_limit_ms); }

e_send_outcome c_http_message::post(const form_fields& extra, int64_t time_limit_ms) const {
    if (!can_ever_be_sent(host, address)) return e_send_outcome::k_undeliverable;
    c_http_request request(host, address);
    for (const auto& field : params) request.add_field(field.first, field.second);
    for (const auto& field : extra) request.add_field(field.first, field.second);
    request.send(time_limit_ms);
    while (!request.poll()) std::this_thread::sleep_for(k_poll_pause);
    if (request.status() != c_http_request::k_completed) return e_send_outcome::k_failed;
    return outcome_of_status(request.response_status());
}

int64_t c_http_message_google_analytics::queue_time() const {
    if (!clock) return 0;
    const int64_t waited = clock() - creation_ms;
    return waited < 0 ? 0 : waited;
}

e_send_outcome c_http_message_google_analytics::send(int64_t time_limit_ms) {
    return post({{"qt", std::to_string(queue_time())}}, time_limit_ms);
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
