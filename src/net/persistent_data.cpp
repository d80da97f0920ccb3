// Loading, saving and play-time accounting of the player record.
#include "net/persistent_data.h"

#include "platform/file.h"
#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {
constexpr const char* k_root_element = "persistent_data";
}

c_persistent_data::c_persistent_data(uint32_t calendar_seconds) {
    tw::srand(calendar_seconds);
    int32_t r1 = tw::rand();
    int32_t r2 = tw::rand();
    install_id = r1 * r2;  // at most 32767 * 32767, never negative
}

void c_persistent_data::read(c_xml_document& doc) {
    c_xml_archive ar(doc, false);
    for (auto* node = first_element(doc, k_root_element); node;
         node = next_sibling(node, k_root_element)) {
        archive_int(ar, node, "install_id", install_id);
        archive_u8(ar, node, "chapters_complete", chapters_complete);
        archive_int(ar, node, "total_time", total_time);
        for (auto* queue = first_child(node, "message_queue"); queue;
             queue = next_sibling(queue, "message_queue")) {
            auto* messages = first_child(queue, "messages");
            for (auto* m = first_child(messages, "message"); m; m = next_sibling(m, "message")) {
                auto message = std::make_unique<c_http_message>();
                message->serialize(ar, m);
                event_queue.push_back(std::move(message));
            }
        }
        archive_int(ar, node, "message_counter", message_counter);
        archive_u16(ar, node, "sessions_count", sessions_count);
    }
    // A file from a long time offline, or from a build without the cap, may hold more.
    trim_queue(event_queue);
}

void c_persistent_data::write(c_xml_document& doc) {
    new_document(doc);
    c_xml_archive ar(doc, true);
    auto* node = archive_root(ar, k_root_element);
    archive_int(ar, node, "install_id", install_id);
    archive_u8(ar, node, "chapters_complete", chapters_complete);
    archive_int(ar, node, "total_time", total_time);
    archive_int(ar, node, "message_counter", message_counter);
    archive_u16(ar, node, "sessions_count", sessions_count);
    auto* queue = append_child(ar, node, "message_queue");
    auto* messages = append_child(ar, queue, "messages");
    for (auto& message : event_queue) message->serialize(ar, append_child(ar, messages, "message"));
}

void c_persistent_data::load() {
    c_xml_document doc;
    load_save_document(doc, k_player_data_file);
    if (doc.load_result == k_xml_malformed) {
        // Keep the unreadable file for the player instead of overwriting it
        // with defaults at the next save.
        move_save_file(k_player_data_file, k_player_data_bad_file);
    }
    read(doc);
    ++sessions_count;
}

bool c_persistent_data::save() {
    c_xml_document doc;
    write(doc);
    return save_save_document(doc, k_player_data_file);
}

void c_persistent_data::accumulate_time(c_platform& platform) {
    uint32_t now = platform.now_ms();
    total_time += static_cast<int32_t>(now - total_time_last_ms);
    total_time_last_ms = now;
    now = platform.now_ms();
    session_time += static_cast<int32_t>(now - session_time_last_ms);
    session_time_last_ms = now;
}

}  // namespace tw
