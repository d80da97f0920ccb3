// Fuzz entry: any bytes parsed as a document and read as the player record
// never crash, and what is read can be written and read back the same.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "net/persistent_data.h"
#include "platform/xml_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::c_xml_document doc;
    tw::parse_document(doc, std::vector<char>(data, data + size));
    tw::c_persistent_data record(1);
    record.read(doc);

    tw::c_xml_document written;
    record.write(written);
    std::string text = tw::print_document(written);
    tw::c_xml_document again;
    if (!tw::parse_document(again, std::vector<char>(text.begin(), text.end()))) std::abort();
    tw::c_persistent_data copy(2);
    copy.read(again);
    if (copy.install_id != record.install_id || copy.total_time != record.total_time ||
        copy.chapters_complete != record.chapters_complete ||
        copy.event_queue.size() != record.event_queue.size())
        std::abort();
    return 0;
}
