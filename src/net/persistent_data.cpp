// Loading, saving and play-time accounting of the player record.
#include "net/persistent_data.h"

#include <cstdint>
#include <cstdio>

#include "platform/file.h"
#include "platform/platform.h"
#include "platform/random.h"

namespace tw {

namespace {

constexpr const char* k_root_element = "persistent_data";

void report(const char* what, const std::string& detail) {
    std::fprintf(stderr, "thistlewarp: %s%s\n", what, detail.c_str());
}

// Moves a file that holds no player record out of the way, so the next save
// starts afresh without destroying what the player had. False if it stayed.
bool keep_aside() {
    const std::string kept = keep_save_file_aside(k_player_data_file, k_player_data_bad_file);
    const std::string folder = get_save_folder();
    if (kept.empty()) {
        report("cannot move aside the damaged player data, so this run does not save over it: ",
               folder + k_player_data_file);
        return false;
    }
    report("the player data is damaged or no player record; a fresh one is started and the old file is kept as ",
           folder + kept);
    return true;
}

}  // namespace

int32_t add_saturated(int32_t a, int64_t b) {
    const int64_t sum = int64_t(a) + b;
    if (sum > INT32_MAX) return INT32_MAX;
    if (sum < INT32_MIN) return INT32_MIN;
    return int32_t(sum);
}

c_persistent_data::c_persistent_data(uint32_t calendar_seconds) {
    tw::srand(calendar_seconds);
    int32_t r1 = tw::rand();
    int32_t r2 = tw::rand();
    install_id = r1 * r2;  // at most 32767 * 32767, never negative
}

void c_persistent_data::read(c_xml_document& doc) {
    c_xml_archive ar(doc, false);
    bool first = true;
    for (auto* node = first_element(doc, k_root_element); node;
         node = next_sibling(node, k_root_element), first = false) {
        // The first record reads an absent field as 0; a later one only
        // replaces what it holds, so an empty record cannot wipe the progress.
        auto holds = [&](const char* name) { return first || has_field(node, name); };
        if (holds("install_id")) archive_int(ar, node, "install_id", install_id);
        if (holds("chapters_complete")) archive_u8(ar, node, "chapters_complete", chapters_complete);
        if (holds("total_time")) archive_int(ar, node, "total_time", total_time);
        for (auto* queue = first_child(node, "message_queue"); queue;
             queue = next_sibling(queue, "message_queue")) {
            auto* messages = first_child(queue, "messages");
            for (auto* m = first_child(messages, "message"); m; m = next_sibling(m, "message")) {
                auto message = std::make_unique<c_http_message>();
                message->serialize(ar, m);
                event_queue.push_back(std::move(message));
            }
        }
        if (holds("message_counter")) archive_int(ar, node, "message_counter", message_counter);
        if (holds("sessions_count")) archive_u16(ar, node, "sessions_count", sessions_count);
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
    if (doc.load_result == k_xml_unreadable) {
        // Saving defaults over a file that could not be read would lose the
        // player's progress for good; this run plays on without saving.
        report("cannot read the player data, so this run does not save over it: ",
               get_save_folder() + k_player_data_file);
        save_allowed = false;
    } else if (doc.load_result == k_xml_malformed ||
               (!first_element(doc, k_root_element) && first_element(doc, nullptr))) {
        // Well-formed XML of another kind is no more a player record than
        // broken text: both are kept for the player rather than overwritten.
        save_allowed = keep_aside();
        clear_document(doc);
    }
    read(doc);
    if (sessions_count < UINT16_MAX) ++sessions_count;
}

bool c_persistent_data::save() {
    if (!save_allowed) return false;
    c_xml_document doc;
    write(doc);
    return save_save_document(doc, k_player_data_file);
}

void c_persistent_data::accumulate_time(c_platform& platform) {
    uint32_t now = platform.now_ms();
    total_time = add_saturated(total_time, now - total_time_last_ms);
    total_time_last_ms = now;
    now = platform.now_ms();
    session_time = add_saturated(session_time, now - session_time_last_ms);
    session_time_last_ms = now;
}

}  // namespace tw
