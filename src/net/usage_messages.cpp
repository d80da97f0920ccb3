// Field order and values of the event-endpoint messages and the analytics hits.
#include "net/usage_messages.h"

#include <cstdint>
#include <memory>

#include "net/persistent_data.h"
#include "platform/platform.h"

namespace tw {

namespace {

constexpr int32_t k_ms_per_second = 1000;

// The common head of every analytics hit, with its creation time on the
// platform timer, which the hit reads again when it is sent.
std::unique_ptr<c_http_message_google_analytics> make_hit(c_persistent_data& data,
                                                          c_platform& platform,
                                                          const std::string& hit_type) {
    auto hit = std::make_unique<c_http_message_google_analytics>();
    hit->host = data.endpoints.collector_host;
    hit->address = data.endpoints.collector_address();
    hit->clock = [&platform] { return static_cast<int64_t>(platform.now_ms()); };
    hit->creation_ms = hit->clock();
    hit->add_param("v", k_analytics_protocol_version);
    hit->add_param("tid", data.endpoints.tracking_id);
    hit->add_param("cid", "_" + std::to_string(data.install_id));
    hit->add_param("t", hit_type);
    hit->add_param("an", k_usage_app_name);
    hit->add_param("av", k_usage_app_version);
    hit->add_param("sr", std::to_string(platform.long_side) + "x" +
                             std::to_string(platform.short_side));
    hit->add_param("cd1", k_usage_platform);
    return hit;
}

void queue_session_mark(c_persistent_data& data, c_platform& platform, const char* mark) {
    auto hit = make_hit(data, platform, "appview");
    hit->add_param("sc", mark);
    push_message(data.analytics_queue, std::move(hit));
}

}  // namespace

void queue_event(c_persistent_data& data, const std::string& name, uint16_t chapter,
                 const std::string& puzzles) {
    auto message = std::make_unique<c_http_message>();
    message->host = data.endpoints.event_host;
    message->address = data.endpoints.event_address();
    message->add_param("message_id", std::to_string(data.message_counter));
    message->add_param("install_id", std::to_string(data.install_id));
    message->add_param("platform", k_usage_platform);
    message->add_param("version", k_usage_app_version);
    message->add_param("chapters_complete", std::to_string(data.chapters_complete));
    message->add_param("total_seconds", std::to_string(data.total_time / k_ms_per_second));
    message->add_param("total_sessions", std::to_string(data.sessions_count));
    message->add_param("session_seconds", std::to_string(data.session_time / k_ms_per_second));
    message->add_param("event", name);
    message->add_param("current_chapter", std::to_string(chapter));
    message->add_param("current_puzzles", puzzles);
    push_message(data.event_queue, std::move(message));
    // At the top the counter stays put rather than wrapping to negative identifiers.
    if (data.message_counter < INT32_MAX) ++data.message_counter;
}

void queue_appview(c_persistent_data& data, c_platform& platform, const std::string& screen) {
    auto hit = make_hit(data, platform, "appview");
    hit->add_param("cd", screen);
    push_message(data.analytics_queue, std::move(hit));
}

void queue_ga_event(c_persistent_data& data, c_platform& platform, const std::string& category,
                    const std::string& action, const std::string& label,
                    const std::string& value) {
    auto hit = make_hit(data, platform, "event");
    hit->add_param("ec", category);
    hit->add_param("ea", action);
    hit->add_param("el", label);
    hit->add_param("ev", value);
    push_message(data.analytics_queue, std::move(hit));
}

void queue_session_start(c_persistent_data& data, c_platform& platform) {
    queue_session_mark(data, platform, "start");
}

void queue_session_end(c_persistent_data& data, c_platform& platform) {
    queue_session_mark(data, platform, "end");
}

}  // namespace tw
