// Fuzz entry: any bytes parsed as a document and read by each of the game's
// XML readers (scene, layer tile file, animation, font description, player
// record) never crash. The animation read is also played (poses, graphs at a
// few times, a draw) since playback follows the indices the reader resolved.
#include <cstdint>
#include <vector>

#include "anim/anim.h"
#include "net/persistent_data.h"
#include "platform/platform.h"
#include "platform/render_device_recording.h"
#include "platform/window_headless.h"
#include "platform/xml_document.h"
#include "scene/scene.h"
#include "ui/ui_font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tw::c_xml_document doc;
    if (!tw::parse_document(doc, std::vector<char>(data, data + size))) return 0;

    // A platform without a screen; every read only names materials and
    // looks for files relative to the working folder.
    tw::c_window_headless window;
    tw::c_render_device_recording device;
    tw::c_platform platform(window, device);

    tw::c_scene scene;
    scene.read(platform, doc);

    tw::c_scene_layer layer;
    layer.read_tiles(platform, doc);

    tw::c_anim anim;
    anim.read(platform, doc);
    for (const auto& pose : anim.poses) anim.apply_pose(*pose);
    for (const auto& graph : anim.graphs) {
        for (uint16_t t : {uint16_t(0), uint16_t(1000), uint16_t(65535)}) anim.apply_graph(*graph, t);
    }
    anim.draw(platform);

    tw::c_ui_font font;
    font.read(doc, nullptr);

    tw::c_persistent_data record(1);
    record.read(doc);
    return 0;
}
