// Reading and writing the settings file.
#include "app/settings.h"

#include <string>

#include "platform/xml_archive.h"
#include "platform/xml_document.h"

namespace tw {

namespace {

constexpr const char* k_root = "settings";

// The attribute as a whole decimal number in [low, high], else fallback.
int read_field(rapidxml::xml_node<>* node, const char* name, int low, int high, int fallback) {
    auto* attribute = node->first_attribute(name);
    if (!attribute) return fallback;
    const std::string text(attribute->value(), attribute->value_size());
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return fallback;
    const int value = std::stoi(text);
    return value >= low && value <= high ? value : fallback;
}

}  // namespace

c_settings load_settings() {
    c_settings settings;
    c_xml_document doc;
    load_save_document(doc, k_settings_file);
    auto* node = first_element(doc, k_root);
    if (!node) return settings;
    settings.fullscreen = read_field(node, "fullscreen", 0, 1, settings.fullscreen) == 1;
    settings.sound.level = static_cast<uint8_t>(
        read_field(node, "volume", 0, k_master_level_max, settings.sound.level));
    settings.sound.muted = read_field(node, "muted", 0, 1, settings.sound.muted) == 1;
    return settings;
}

bool save_settings(const c_settings& settings) {
    c_xml_document doc;
    new_document(doc);
    auto* node = append_element(doc, nullptr, k_root);
    append_attribute(doc, node, "fullscreen", settings.fullscreen ? "1" : "0");
    append_attribute(doc, node, "volume", std::to_string(settings.sound.level));
    append_attribute(doc, node, "muted", settings.sound.muted ? "1" : "0");
    return save_save_document(doc, k_settings_file);
}

}  // namespace tw
