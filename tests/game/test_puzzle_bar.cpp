// The puzzle bar and its icons: the column, peeking and selecting by click,
// removal that waits for collectables in flight, a collectable's flight into
// its icon with the sparks it throws off, and the drawing order of an icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "game/ui_collectable.h"
#include "game/ui_puzzle_bar.h"
#include "platform/random.h"
#include "ui/ui_test_platform.h"

namespace {

constexpr uint32_t k_icon_texture = 21;
constexpr uint32_t k_hint_texture = 22;
constexpr uint32_t k_glow_texture = 23;
constexpr uint32_t k_circle_texture = 24;
constexpr uint16_t k_code = 40;

bool colours_are(const tw::c_quad& quad, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    for (int v = 0; v < quad.buffer.count; ++v) {
        const tw::c_rgba& c = quad.buffer.colours[v];
        if (c.r != r || c.g != g || c.b != b || c.a != a) return false;
    }
    return true;
}

// A font with the ten digits, so the count badge lays out to glyphs.
std::string digit_chars() {
    std::string chars;
    for (int d = 0; d < 10; ++d)
        chars += "<char id=\"" + std::to_string('0' + d) + "\" x=\"" + std::to_string(d * 16) +
                 "\" y=\"0\" width=\"8\" height=\"10\" xoffset=\"0\" yoffset=\"2\" "
                 "xadvance=\"10\"/>";
    return chars;
}

class puzzle_bar : public tw_test::c_ui_test {
protected:
    puzzle_bar() {
        icon_texture_.name = k_icon_texture;
        hint_texture_.name = k_hint_texture;
        glow_texture_.name = k_glow_texture;
        circle_texture_.name = k_circle_texture;
        digits_.load(tw_test::write_file(folder_, "digits.xml",
                                         tw_test::test_font_xml(digit_chars(), nullptr)),
                     &font_material_);
        tw::srand(7);
    }
    tw::c_ui_puzzle* add(uint16_t remaining, uint16_t code = k_code) {
        return bar_.add_icon(platform_, &icon_, &hint_, &glow_, &circle_, &digits_, remaining,
                             code);
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) bar_.update(context_, events_);
    }
    bool press(tw::c_ui_puzzle* icon, float dx = 0, float dy = 0,
               uint16_t kind = tw::k_mouse_press) {
        return icon->on_mouse_button(context_, kind, 0, 0, icon->icon_position.x + dx,
                                     icon->icon_position.y + dy, events_);
    }
    bool in_bar(const tw::c_ui_puzzle* icon) const {
        return std::find(bar_.order.begin(), bar_.order.end(), icon) != bar_.order.end();
    }

    tw_test::c_temp_folder folder_;
    tw::c_ui_font digits_;
    tw::c_texture icon_texture_{"icon.bmp"}, hint_texture_{"hint.bmp"},
        glow_texture_{"glow.bmp"}, circle_texture_{"circle.bmp"};
    tw::c_material icon_{&icon_texture_, 0}, hint_{&hint_texture_, 0},
        glow_{&glow_texture_, 1}, circle_{&circle_texture_, 0};
    tw::c_ui_puzzle_bar bar_;
};

TEST_F(puzzle_bar, the_column_centres_resting_icons_and_widens_for_a_peeking_one) {
    tw::c_ui_puzzle* icons[3] = {add(2), add(2), add(2)};
    EXPECT_FLOAT_EQ(icons[2]->slide_y, -252);  // placed before the first update
    tick();
    EXPECT_FLOAT_EQ(icons[0]->slide_y_target, 252);
    EXPECT_FLOAT_EQ(icons[1]->slide_y_target, 0);
    EXPECT_FLOAT_EQ(icons[2]->slide_y_target, -252);
    tick(200);
    EXPECT_NEAR(icons[0]->slide_y, 252, 0.1f);
    EXPECT_NEAR(icons[0]->slide_x, 0, 0.1f);  // slid in from -200

    ASSERT_TRUE(press(icons[0]));
    tick();
    EXPECT_FLOAT_EQ(icons[0]->slide_y_target, 252);
    EXPECT_FLOAT_EQ(icons[1]->slide_y_target, -44);
    EXPECT_FLOAT_EQ(icons[2]->slide_y_target, -296);
}

TEST_F(puzzle_bar, a_press_is_taken_only_on_the_picture_and_peeks_while_items_are_missing) {
    tw::c_ui_puzzle* icon = add(2);
    tick();
    struct {
        float dx, dy;
        uint16_t kind;
        bool taken;
    } const cases[] = {
        {0, 0, tw::k_mouse_press, true},      {96, -96, tw::k_mouse_press, true},
        {96.5f, 0, tw::k_mouse_press, false}, {0, -96.5f, tw::k_mouse_press, false},
        {0, 0, tw::k_mouse_drag, false},      {0, 0, tw::k_mouse_release, false},
    };
    for (const auto& c : cases) {
        icon->peek_timer = 0;
        EXPECT_EQ(press(icon, c.dx, c.dy, c.kind), c.taken) << c.dx << "," << c.dy;
        EXPECT_EQ(icon->peek_timer, c.taken ? 180 : 0);
    }
    EXPECT_TRUE(events_.ui_events.empty());
    EXPECT_FALSE(icon->selected);
    ASSERT_TRUE(press(icon));
    tick(180);  // out for the whole peek
    EXPECT_FLOAT_EQ(icon->slide_x_target, 350);
    EXPECT_GT(icon->slide_x, 340);
    tick();
    EXPECT_FLOAT_EQ(icon->slide_x_target, 0);
}

TEST_F(puzzle_bar, a_complete_icon_raises_its_code_per_press_and_stays_out_until_deselected) {
    add(2);
    tw::c_ui_puzzle* icon = add(0);
    tick(100);
    EXPECT_TRUE(press(icon));
    EXPECT_TRUE(press(icon));
    EXPECT_EQ(events_.ui_events, (std::deque<uint16_t>{k_code, k_code}));
    EXPECT_TRUE(icon->selected);
    EXPECT_TRUE(colours_are(icon->ring, 255, 255, 255, 255));
    tick(400);
    EXPECT_FLOAT_EQ(icon->slide_x_target, 350);
    EXPECT_FLOAT_EQ(icon->slide_y_target, 296 - 252 - 170);  // a peek slot under a resting one

    bar_.deselect_all();
    EXPECT_FALSE(icon->selected);
    EXPECT_TRUE(colours_are(icon->ring, 0, 0, 0, 255));
    tick(10);
    EXPECT_FLOAT_EQ(icon->slide_x_target, 0);
}

TEST_F(puzzle_bar, a_removed_icon_is_deleted_once_gone_and_no_collectable_targets_it) {
    tw::c_ui_puzzle* icons[3] = {add(1), add(1), add(1)};
    tick();
    tw::c_ui_collectable item(&icon_, 0, 0, 0.5f, 40, 40, icons[1], 3);
    EXPECT_EQ(icons[1]->incoming, 1);
    bar_.remove_icon(icons[0]);
    bar_.remove_icon(icons[1]);
    EXPECT_TRUE(icons[1]->leaving);
    EXPECT_TRUE(colours_are(icons[1]->glow, 0, 0, 0, 0));
    EXPECT_FALSE(press(icons[1]));

    tick(10);
    EXPECT_TRUE(in_bar(icons[0]));
    EXPECT_FLOAT_EQ(icons[0]->slide_x_target, -350);
    tick(90);
    EXPECT_FALSE(in_bar(icons[0]));
    ASSERT_TRUE(in_bar(icons[1]));
    EXPECT_TRUE(icons[1]->gone);
    EXPECT_EQ(bar_.children.size(), 2u);
    EXPECT_FLOAT_EQ(icons[2]->slide_y_target, 0);  // the only icon left in the column
    icons[1]->render(platform_);
    EXPECT_TRUE(device_.draws().empty());

    item.detach();
    item.detach();
    EXPECT_EQ(icons[1]->incoming, 0);
    EXPECT_EQ(item.target, nullptr);
    tick();
    EXPECT_EQ(bar_.order, (std::vector<tw::c_ui_puzzle*>{icons[2]}));
    EXPECT_EQ(bar_.children.size(), 1u);
}

TEST_F(puzzle_bar, a_collectable_drifts_away_homes_in_and_shrinks_into_its_icon) {
    tw::c_ui_puzzle* icon = add(2);
    tick(200);  // at rest, so only the item moves
    tw::c_ui_collectable item(&icon_, 200, 100, 0.5f, 60, 40, icon, 3);
    item.layout(context_);
    auto distance = [&] {
        return std::hypot(icon->icon_position.x - item.position.x,
                          icon->icon_position.y - item.position.y);
    };
    const float start = distance();
    int ticks = 0;
    bool finished = false;
    size_t sparks_at_arrival = 0;
    float farthest = start;
    while (!finished && ticks < 2000) {
        tick();
        const uint8_t was_arrived = item.arrived;
        finished = item.advance();
        if (item.arrived && !was_arrived) sparks_at_arrival = icon->sparks.size();
        if (ticks < 40) farthest = std::max(farthest, distance());
        ++ticks;
        // A layout in flight keeps the item where it is.
        const float x = item.position.x;
        item.layout(context_);
        ASSERT_FLOAT_EQ(item.position.x, x);
        ASSERT_FLOAT_EQ(item.transform.tx, x);
    }
    ASSERT_TRUE(finished);
    EXPECT_GT(farthest, start + 5);
    EXPECT_LT(distance(), 50);
    EXPECT_EQ(sparks_at_arrival, 16u);
    EXPECT_EQ(icon->remaining, 1);
    EXPECT_EQ(icon->count_text.text, "1");
    EXPECT_LT(item.current_half_width, 1);
    EXPECT_LT(item.alpha, 255);
    EXPECT_EQ(item.quad.buffer.colours[0].a, item.alpha);
    EXPECT_GT(icon->pulse, 0);

    item.detach();
    EXPECT_EQ(icon->incoming, 0);
    tick(300);
    EXPECT_TRUE(icon->sparks.empty());
}

TEST_F(puzzle_bar, an_icon_draws_its_badge_while_items_are_missing_and_its_glow_after) {
    struct {
        uint16_t remaining;
        std::vector<uint32_t> textures;
    } const cases[] = {
        {1, {k_circle_texture, k_circle_texture, k_circle_texture, k_icon_texture,
             k_hint_texture, tw_test::k_font_texture}},
        {0, {k_circle_texture, k_circle_texture, k_glow_texture, k_icon_texture,
             k_hint_texture}},
    };
    for (const auto& c : cases) {
        tw::c_ui_puzzle icon(&icon_, &hint_, &glow_, &circle_, &digits_, c.remaining, k_code, 0);
        icon.layout(context_);
        device_.calls.clear();
        icon.render(platform_);
        std::vector<uint32_t> textures;
        for (const auto& draw : device_.draws()) textures.push_back(draw.texture);
        EXPECT_EQ(textures, c.textures) << c.remaining;
        const auto moves = device_.calls_of(tw::e_render_call::translate);
        const float x = icon.icon_position.x;
        ASSERT_GE(moves.size(), 3u);
        EXPECT_FLOAT_EQ(moves[0].values[0], x);        // ring
        EXPECT_FLOAT_EQ(moves[1].values[0], x - 300);  // backing
        EXPECT_FLOAT_EQ(moves[2].values[0], c.remaining ? x + 180 : x);
    }

    // Sparks come first, in the circle texture at the badge.
    tw::c_ui_puzzle icon(&icon_, &hint_, &glow_, &circle_, &digits_, 2, k_code, 0);
    icon.item_arrived();
    device_.calls.clear();
    icon.render(platform_);
    const auto draws = device_.draws();
    ASSERT_EQ(draws.size(), 16u + 6u);
    EXPECT_EQ(draws[0].texture, k_circle_texture);
    EXPECT_FLOAT_EQ(device_.calls_of(tw::e_render_call::translate)[0].values[0],
                    icon.icon_position.x + 180);
}

}  // namespace
