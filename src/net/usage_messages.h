// Builders of the usage messages: event-endpoint posts with the player's
// progress, and analytics hits (screen views, gameplay events, session marks).
#pragma once
#include <cstdint>
#include <string>

namespace tw {

class c_persistent_data;
class c_platform;

constexpr const char* k_usage_app_name = "Thistlewarp";
constexpr const char* k_usage_app_version = "3";
// The platform name stored files and the collector's reports are keyed by.
constexpr const char* k_usage_platform = "windows";
constexpr const char* k_analytics_protocol_version = "1";

// Appends an event-endpoint message (progress counters, the event name, the
// chapter and its puzzles text) to the event queue and counts message_counter up.
// Every queue keeps only its newest k_max_queued_messages.
void queue_event(c_persistent_data& data, const std::string& name, uint16_t chapter,
                 const std::string& puzzles);
// Appends an "appview" hit for a screen ("cd") to the analytics queue.
void queue_appview(c_persistent_data& data, c_platform& platform, const std::string& screen);
// Appends an "event" hit (category, action, label, value) to the analytics queue.
void queue_ga_event(c_persistent_data& data, c_platform& platform, const std::string& category,
                    const std::string& action, const std::string& label,
                    const std::string& value);
// Appends the "appview" hit that opens a session ("sc" = "start").
void queue_session_start(c_persistent_data& data, c_platform& platform);
// Appends the "appview" hit that closes a session ("sc" = "end").
void queue_session_end(c_persistent_data& data, c_platform& platform);

}  // namespace tw
