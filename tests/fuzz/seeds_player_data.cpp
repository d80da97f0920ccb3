// Seeds for the player record: a full record with a queued message, and two records.
#include <string>

#include "fuzz_seeds.h"

namespace tw_fuzz {

std::vector<std::vector<uint8_t>> seeds() {
    const std::string texts[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<persistent_data install_id=\"12\" chapters_complete=\"2\" total_time=\"9000\" "
        "message_counter=\"3\" sessions_count=\"4\"><message_queue><messages>"
        "<message host=\"h\" address=\"http://h/e\"><params><param name=\"a\" value=\"1\"/>"
        "</params></message></messages></message_queue></persistent_data>",
        "<persistent_data install_id=\"1\"><install_id>7</install_id></persistent_data>"
        "<persistent_data total_time=\"-5\"/><!-- c --><![CDATA[x]]>",
    };
    std::vector<std::vector<uint8_t>> out;
    for (const std::string& t : texts) out.emplace_back(t.begin(), t.end());
    return out;
}

}  // namespace tw_fuzz
