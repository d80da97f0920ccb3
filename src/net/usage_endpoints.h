// Where usage messages go: the event endpoint's host, the analytics collector's
// host and the tracking identifier. Build settings give the defaults.
#pragma once
#include <string>

// The build passes these to tw_net; the fallbacks keep a stray compile local.
#ifndef TW_EVENT_HOST
#define TW_EVENT_HOST "127.0.0.1"
#endif
#ifndef TW_COLLECTOR_HOST
#define TW_COLLECTOR_HOST "127.0.0.1"
#endif
#ifndef TW_TRACKING_ID
#define TW_TRACKING_ID "UA-00000000-0"
#endif

namespace tw {

constexpr const char* k_event_path = "/thistlewarp/event.php";
constexpr const char* k_collector_path = "/collect";

// Runtime copy of the endpoints; never saved. Hosts may carry a port
// ("127.0.0.1:8080"), which is how tests point messages at a local server.
struct c_usage_endpoints {
    std::string event_host = TW_EVENT_HOST;
    std::string collector_host = TW_COLLECTOR_HOST;
    std::string tracking_id = TW_TRACKING_ID;

    std::string event_address() const { return "http://" + event_host + k_event_path; }
    std::string collector_address() const { return "http://" + collector_host + k_collector_path; }
};

}  // namespace tw
