// A short line of text in the top right corner of the window (the volume, a
// screenshot's path), shown for two seconds over whatever state is drawn.
// Its font sheet is its own, so state switches do not take it away.
#pragma once
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "ui/ui_component_text.h"
#include "ui/ui_font.h"

namespace tw {

constexpr uint32_t k_corner_notice_ms = 2000;

class c_corner_notice {
public:
    c_corner_notice();
    // Reads the game's font and loads its sheet at once; without them the
    // notice keeps its text but draws nothing.
    void prepare(c_platform& platform);
    // Deletes the sheet's texture.
    void release(c_platform& platform);
    // Shows text from now for k_corner_notice_ms of the window clock.
    void show(c_platform& platform, const std::string& text);
    // True while the text is shown.
    bool visible(c_platform& platform);
    // Draws the text, with a dark shadow for any background, while it is shown.
    void draw(c_platform& platform);

    const std::string& text() const { return text_; }

private:
    c_texture sheet_;
    c_material material_;
    c_ui_font font_;
    c_ui_component_text shadow_;
    c_ui_component_text label_;
    std::string text_;
    uint32_t shown_at_ms_ = 0;
    bool shown_ = false;
};

}  // namespace tw
