// The title screen's credits: large text blocks that glide from right to left
// through the scene one after another, in an endless loop.
#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "platform/math.h"
#include "ui/ui_component_text.h"

namespace tw {

class c_platform;
class c_ui_font;

constexpr float k_credit_text_length = 4000.0f;   // spacing of a text block
constexpr float k_credit_pause_length = 12000.0f; // the empty block before the loop restarts
constexpr float k_credit_speed = 10.0f;           // scene units per tick
constexpr float k_credit_enter_offset = 5000.0f;  // enters this far right of the camera
constexpr float k_credit_leave_offset = 5000.0f;  // leaves this far left of it
constexpr float k_credit_y = -1400.0f;            // top of every block, in scene units
constexpr float k_credit_text_scale = 5.0f;
constexpr uint16_t k_credit_max_line_width = 2000;

// One block of the credits. Its transform's translation is the block's place
// in the scene; length is its extent along the scroll, used for the spacing.
class credit_node {
public:
    explicit credit_node(float block_length) : length(block_length) {}
    virtual ~credit_node() = default;
    // Draws the block under the scene projection the caller has set.
    virtual void draw(c_platform&) const {}

    float length = 0;
    c_transform transform;
};

// A block of white text, top-left anchored at the block's place.
class credit_text : public credit_node {
public:
    credit_text(c_ui_font* font, const std::string& text, float block_length);
    void draw(c_platform& platform) const override;

    c_ui_component_text text;
};

class c_credits_manager {
public:
    // Builds the 23 text blocks and the pause block, all waiting; seed picks
    // which order the first block names its two creators in.
    void create(c_ui_font* font, uint32_t seed);
    // One tick: active blocks move left, the next block enters once the gap
    // allows, and the oldest leaves once it is far enough left of camera_x.
    void tick(float camera_x);
    // Draws the active blocks, oldest first.
    void draw(c_platform& platform) const;

    // Blocks move between these two lists and are never lost; each list owns
    // the blocks in it.
    std::list<std::unique_ptr<credit_node>> waiting;
    std::list<std::unique_ptr<credit_node>> active;  // oldest first
    float gap = 0;  // distance travelled since the last block entered
};

}  // namespace tw
