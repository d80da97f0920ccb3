// Turning the host text of a request into an IPv4 address and port: the
// "name:port" form, numeric addresses, and name lookup with a bounded wait.
#pragma once
#include <netinet/in.h>

#include <cstdint>
#include <string>

namespace tw {

// Splits "name:port" (decimal digits after the colon) into name and port; a
// text without a colon keeps default_port. False for an empty name, a second
// colon, or anything after the colon but a port in 1..65535.
bool split_host_port(const std::string& text, uint16_t default_port, std::string& name,
                     uint16_t& port);

enum class e_lookup_result { k_found, k_not_found, k_timed_out };

// Finds the IPv4 address of a numeric address or host name, waiting at most
// wait_ms for a name server; a lookup still running then is left to finish
// on its own thread.
e_lookup_result lookup_ipv4(const std::string& name, int64_t wait_ms, in_addr& address);

}  // namespace tw
