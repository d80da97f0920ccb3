// Host text splitting and name lookup. getaddrinfo cannot be interrupted, so
// a name is looked up on a detached worker thread that the caller waits for
// with a deadline; the shared record outlives whichever side finishes last.
#include "net/host_lookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace tw {

namespace {

constexpr size_t k_max_port_digits = 5;

struct c_lookup_record {
    std::mutex mutex;
    std::condition_variable done_signal;
    bool done = false;
    bool found = false;
    in_addr address{};
};

void run_lookup(std::shared_ptr<c_lookup_record> record, std::string name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* results = nullptr;
    bool found = false;
    in_addr address{};
    if (getaddrinfo(name.c_str(), nullptr, &hints, &results) == 0) {
        for (const addrinfo* entry = results; entry; entry = entry->ai_next) {
            if (entry->ai_family == AF_INET && entry->ai_addr) {
                address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr;
                found = true;
                break;
            }
        }
        freeaddrinfo(results);
    }
    {
        std::lock_guard<std::mutex> lock(record->mutex);
        record->done = true;
        record->found = found;
        record->address = address;
    }
    record->done_signal.notify_all();
}

}  // namespace

bool split_host_port(const std::string& text, uint16_t default_port, std::string& name,
                     uint16_t& port) {
    name = text;
    port = default_port;
    const size_t colon = text.rfind(':');
    if (colon != std::string::npos) {
        // Only IPv4 addresses and host names are looked up, and neither holds a
        // colon, so whatever follows the last one has to be the port.
        const std::string digits = text.substr(colon + 1);
        const bool all_digits = !digits.empty() &&
                                digits.find_first_not_of("0123456789") == std::string::npos;
        if (!all_digits || digits.size() > k_max_port_digits) return false;
        const long value = std::stol(digits);
        if (value < 1 || value > 65535) return false;
        name = text.substr(0, colon);
        port = uint16_t(value);
    }
    return !name.empty() && name.find(':') == std::string::npos;
}

e_lookup_result lookup_ipv4(const std::string& name, int64_t wait_ms, in_addr& address) {
    if (inet_pton(AF_INET, name.c_str(), &address) == 1) return e_lookup_result::k_found;
    if (wait_ms <= 0) return e_lookup_result::k_timed_out;
    auto record = std::make_shared<c_lookup_record>();
    try {
        std::thread(run_lookup, record, name).detach();
    } catch (const std::system_error&) {
        return e_lookup_result::k_not_found;
    }
    std::unique_lock<std::mutex> lock(record->mutex);
    if (!record->done_signal.wait_for(lock, std::chrono::milliseconds(wait_ms),
                                      [&] { return record->done; })) {
        return e_lookup_result::k_timed_out;
    }
    if (!record->found) return e_lookup_result::k_not_found;
    address = record->address;
    return e_lookup_result::k_found;
}

}  // namespace tw
