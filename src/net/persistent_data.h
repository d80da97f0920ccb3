// The player's record kept in "data.xml" in the save folder: installation
// identifier, progress, play time, session count and the unsent event messages.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

#include "net/message_queue.h"
#include "net/usage_endpoints.h"
#include "platform/xml_archive.h"

namespace tw {

class c_platform;

constexpr const char* k_player_data_file = "data.xml";
constexpr const char* k_player_data_bad_file = "data.xml.bad";

class c_persistent_data {
public:
    // Defaults, with a new installation identifier drawn from the shared
    // generator seeded with the calendar time in seconds.
    explicit c_persistent_data(uint32_t calendar_seconds =
                                   static_cast<uint32_t>(std::time(nullptr)));

    // Reads "data.xml", then counts this session. A file that is not a player
    // record is kept aside as "data.xml.bad" (".2", ".3" ... when earlier copies
    // exist); one that exists but cannot be read is never saved over this run.
    void load();
    // Writes "data.xml" whole; a failed save is skipped and tried again next
    // time. False without writing when load() found a file it must not replace.
    bool save();
    // Reads every "persistent_data" element of a document; a later one replaces
    // the fields it holds and appends its message queue.
    void read(c_xml_document& doc);
    // Builds the document "data.xml" holds.
    void write(c_xml_document& doc);
    // Adds the timer's progress since the last call to total and session time;
    // called once per tick by the menu and the chapters.
    void accumulate_time(c_platform& platform);

    int32_t install_id = 0;
    uint8_t chapters_complete = 0;
    int32_t total_time = 0;  // milliseconds of play over all runs
    uint32_t total_time_last_ms = 0;
    int32_t session_time = 0;  // milliseconds of play in this run; not stored
    uint32_t session_time_last_ms = 0;
    uint16_t sessions_count = 1;
    message_queue event_queue;      // stored in the file
    message_queue analytics_queue;  // never stored
    int32_t message_counter = 0;    // identifier of the next event message
    c_usage_endpoints endpoints;    // where the messages go; not stored
    bool save_allowed = true;       // false once load() met a file it could not read or keep aside
};

// a + b, held within the range of a signed 32-bit counter.
int32_t add_saturated(int32_t a, int64_t b);

}  // namespace tw
