// Building, moving and drawing the credit blocks.
#include "menu/credits.h"

#include "menu/credit_texts.h"
#include "platform/random.h"
#include "ui/ui_font.h"

namespace tw {

namespace {

const c_rgba k_credit_colour{255, 255, 255, 255};
constexpr uint8_t k_credit_anchor = 0;  // top row, left column

}  // namespace

credit_text::credit_text(c_ui_font* font, const std::string& block_text, float block_length)
    : credit_node(block_length), text(font) {
    text.anchor = k_credit_anchor;
    text.scale = k_credit_text_scale;
    text.max_line_width = k_credit_max_line_width;
    text.set_text(block_text, k_credit_colour);
}

void credit_text::draw(c_platform& platform) const { text.draw(platform, transform); }

void c_credits_manager::create(c_ui_font* font, uint32_t seed) {
    waiting.clear();
    active.clear();
    gap = 0;
    tw::srand(seed);
    const bool first_variant = tw::rand() % 2 == 0;
    for (const std::string& block : credit_block_texts(first_variant)) {
        waiting.push_back(std::make_unique<credit_text>(font, block, k_credit_text_length));
    }
    waiting.push_back(std::make_unique<credit_text>(font, std::string(), k_credit_pause_length));
}

void c_credits_manager::tick(float camera_x) {
    for (std::unique_ptr<credit_node>& node : active) node->transform.tx -= k_credit_speed;
    gap += k_credit_speed;

    if (!waiting.empty()) {
        const float newest = active.empty() ? 0.0f : active.back()->length;
        const float needed = newest * 0.5f + waiting.front()->length * 0.5f;
        if (gap > needed) {
            active.splice(active.end(), waiting, waiting.begin());
            c_transform& placed = active.back()->transform;
            placed.tx = camera_x + k_credit_enter_offset;
            placed.ty = k_credit_y;
            gap = 0;
        }
    }

    if (!active.empty() && active.front()->transform.tx < camera_x - k_credit_leave_offset) {
        waiting.splice(waiting.end(), active, active.begin());
    }
}

void c_credits_manager::draw(c_platform& platform) const {
    for (const std::unique_ptr<credit_node>& node : active) node->draw(platform);
}

}  // namespace tw
