// The credits: which blocks exist, when each enters and leaves, and that the
// loop never loses a block.
#include <gtest/gtest.h>

#include <set>

#include "menu/credit_texts.h"
#include "menu/credits.h"
#include "menu_fixture.h"
#include "platform/random.h"
#include "ui/ui_font.h"

namespace {

using tw_test::k_credit_interval;
using tw_test::k_first_credit_tick;

constexpr float k_camera_x = 250;

class credits : public testing::Test {
protected:
    void SetUp() override { manager.create(&font, 1); }
    // Ticks until the next block enters; returns how many ticks that took.
    int ticks_until_entry() {
        for (int n = 1; n < 100000; ++n) {
            const tw::credit_node* first = manager.waiting.front().get();
            manager.tick(k_camera_x);
            if (manager.active.empty() || manager.active.back().get() != first) continue;
            return n;
        }
        return -1;
    }

    tw::c_ui_font font;  // no glyphs: the layout runs, nothing is drawn
    tw::c_credits_manager manager;
};

TEST_F(credits, twenty_three_text_blocks_then_a_long_pause_block_all_waiting) {
    ASSERT_EQ(manager.waiting.size(), 24u);
    EXPECT_TRUE(manager.active.empty());
    int i = 0;
    for (const auto& node : manager.waiting) {
        EXPECT_EQ(node->length, i < 23 ? 4000.0f : 12000.0f);
        const auto* text = dynamic_cast<const tw::credit_text*>(node.get());
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->text.scale, 5.0f);
        EXPECT_EQ(text->text.max_line_width, 2000);
        EXPECT_EQ(text->text.anchor, 0);
        EXPECT_EQ(text->text.text.empty(), i == 23);
        ++i;
    }
}

TEST(credit_texts, headings_in_order_each_followed_by_an_empty_line_and_names) {
    const std::vector<std::string> blocks = tw::credit_block_texts(true);
    ASSERT_EQ(blocks.size(), 23u);
    std::vector<std::string> expected = {"Created by:", "Music and Sound Design:", "Publishing:",
                                         "Design Consultant:", "Animation Consultant:"};
    expected.insert(expected.end(), 10, "Special Thanks:");
    expected.insert(expected.end(), 8, "Alpha Testers:");
    std::set<std::string> names;
    for (size_t i = 0; i < blocks.size(); ++i) {
        SCOPED_TRACE(blocks[i]);
        const size_t gap = blocks[i].find("\n\n");
        ASSERT_NE(gap, std::string::npos);
        EXPECT_EQ(blocks[i].substr(0, gap), expected[i]);
        const std::string rest = blocks[i].substr(gap + 2);
        EXPECT_FALSE(rest.empty());
        EXPECT_EQ(rest.find("\n\n"), std::string::npos);
        EXPECT_TRUE(names.insert(rest).second) << "the same names twice";
    }
}

TEST(credit_texts, the_first_block_names_the_same_two_creators_in_either_order) {
    const std::string a = tw::credit_block_texts(true).front();
    const std::string b = tw::credit_block_texts(false).front();
    ASSERT_NE(a, b);
    const std::string names_a = a.substr(a.find("\n\n") + 2);
    const std::string names_b = b.substr(b.find("\n\n") + 2);
    const size_t split = names_a.find('\n');
    ASSERT_NE(split, std::string::npos);
    EXPECT_EQ(names_b, names_a.substr(split + 1) + "\n" + names_a.substr(0, split));
    EXPECT_EQ(tw::credit_block_texts(true).back(), tw::credit_block_texts(false).back());
}

TEST(credit_texts, the_seed_picks_the_variant_by_the_first_random_number_being_even) {
    tw::c_ui_font font;
    std::set<std::string> seen;
    for (uint32_t seed = 0; seed < 16; ++seed) {
        tw::srand(seed);
        const bool even = tw::rand() % 2 == 0;
        tw::c_credits_manager manager;
        manager.create(&font, seed);
        const auto* first = static_cast<const tw::credit_text*>(manager.waiting.front().get());
        EXPECT_EQ(first->text.text, tw::credit_block_texts(even).front());
        seen.insert(first->text.text);
    }
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(credits, blocks_enter_after_201_then_every_401_ticks_and_the_pause_takes_801_twice) {
    EXPECT_EQ(ticks_until_entry(), k_first_credit_tick);
    const tw::credit_node* first = manager.active.back().get();
    EXPECT_EQ(first->transform.tx, k_camera_x + 5000);
    EXPECT_EQ(first->transform.ty, -1400.0f);
    EXPECT_EQ(manager.gap, 0.0f);
    for (int block = 2; block <= 23; ++block) {
        SCOPED_TRACE("block " + std::to_string(block));
        EXPECT_EQ(ticks_until_entry(), k_credit_interval);
    }
    EXPECT_EQ(ticks_until_entry(), 801);  // the empty pause block
    EXPECT_EQ(ticks_until_entry(), 801);  // the first block again: the loop goes on
    EXPECT_EQ(ticks_until_entry(), k_credit_interval);
    EXPECT_EQ(manager.waiting.size() + manager.active.size(), 24u);
}

TEST_F(credits, a_block_is_active_for_1001_ticks_with_a_fixed_camera) {
    ticks_until_entry();
    const tw::credit_node* first = manager.active.front().get();
    int active_ticks = 1;  // it entered on the last tick
    for (;;) {
        manager.tick(k_camera_x);
        if (manager.active.front().get() != first) break;
        ++active_ticks;
        ASSERT_LT(active_ticks, 5000);
    }
    EXPECT_EQ(active_ticks, 1001);
    EXPECT_EQ(manager.waiting.back().get(), first);  // back in the queue, not lost
    EXPECT_LT(first->transform.tx, k_camera_x - 5000);
}

}  // namespace
