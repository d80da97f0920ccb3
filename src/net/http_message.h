// An outgoing HTTP form post: host, request target and ordered form fields, and
// its blocking send. Event messages are kept in the player data until sent.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "net/send_outcome.h"
#include "platform/xml_archive.h"

namespace tw {

using form_fields = std::vector<std::pair<std::string, std::string>>;

class c_http_message {
public:
    virtual ~c_http_message() = default;

    // Posts the fields to host and address, waiting at most time_limit_ms (and
    // never more than a request's own limit) for the answer; what the answer's
    // status says, k_failed without one, k_undeliverable without a usable host.
    virtual e_send_outcome send(int64_t time_limit_ms);

    void add_param(const std::string& name, const std::string& value) {
        params.emplace_back(name, value);
    }
    // Reads or writes "host", "address" and the "params" element with one
    // "param" (name, value) child per field, in order.
    void serialize(c_xml_archive& ar, rapidxml::xml_node<>* node);

    std::string host;     // server host name, optionally with ":port"; port 80 otherwise
    std::string address;  // request target: an absolute URL
    form_fields params;   // in the order added

protected:
    // Posts params followed by the extra fields; the request orders them by name.
    e_send_outcome post(const form_fields& extra, int64_t time_limit_ms) const;
};

// Signed milliseconds of the game timer.
using timer_ms = std::function<int64_t()>;

// An analytics hit: also tells the collector how long it waited in the queue.
// Only ever held in memory; saved as a plain message if it were ever written.
class c_http_message_google_analytics : public c_http_message {
public:
    // Posts params plus "qt", the milliseconds since creation.
    e_send_outcome send(int64_t time_limit_ms) override;
    // now - creation time, never negative (a timer that went back gives 0).
    int64_t queue_time() const;

    int64_t creation_ms = 0;  // timer reading when the message was built
    timer_ms clock;           // the same timer, read again at send; must outlive the message's sends
};

}  // namespace tw
