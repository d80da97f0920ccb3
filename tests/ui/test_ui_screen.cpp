// The screen set and groups: which elements are laid out, updated, drawn and
// offered input, in what order, and who destroys them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "ui/ui_element_button_push.h"
#include "ui/ui_element_group.h"
#include "ui/ui_screen.h"
#include "ui_test_platform.h"

namespace {

using tw_test::window_context;

// Logs every call it receives as "<name> <slot>" and whether it takes input.
class c_probe : public tw::i_ui_element {
public:
    c_probe(std::vector<std::string>& log, std::string name, bool takes = false)
        : log_(log), name_(std::move(name)), takes_(takes) {}
    ~c_probe() override { log_.push_back(name_ + " destroyed"); }
    void layout(const tw::c_ui_context&) override { log_.push_back(name_ + " layout"); }
    void update(const tw::c_ui_context&, tw::c_ui_callback&) override {
        log_.push_back(name_ + " update");
    }
    void render(tw::c_platform&) override { log_.push_back(name_ + " render"); }
    bool on_mouse_button(const tw::c_ui_context&, uint16_t, uint16_t, uint16_t, float x, float y,
                         tw::c_ui_callback&) override {
        log_.push_back(name_ + " mouse " + std::to_string(int(x)) + " " + std::to_string(int(y)));
        return takes_;
    }
    bool on_char(tw::c_platform&, uint16_t code, tw::c_ui_callback&) override {
        log_.push_back(name_ + " char " + std::to_string(code));
        return takes_;
    }

private:
    std::vector<std::string>& log_;
    std::string name_;
    bool takes_;
};

class screens : public tw_test::c_ui_test {
protected:
    c_probe* probe(tw::c_ui_screen* screen, const std::string& name, bool takes = false) {
        return set_.add_element(screen, std::make_unique<c_probe>(log_, name, takes));
    }
    bool mouse(uint16_t px, uint16_t py) {
        return set_.on_mouse_button(window_context(1600, 900, px, py), tw::k_mouse_press, 0, 0,
                                    events_);
    }
    std::vector<std::string> log_;
    tw::c_ui_screen_set set_;
};

TEST_F(screens, without_a_current_screen_nothing_is_drawn_updated_or_offered) {
    probe(set_.create_screen(), "a", true);
    set_.update(context_, events_);
    set_.render(platform_);
    EXPECT_FALSE(mouse(800, 450));
    EXPECT_FALSE(set_.on_char(platform_, 'x', events_));
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(device_.calls.empty());
}

TEST_F(screens, layout_reaches_every_element_of_every_screen_visible_or_not) {
    tw::c_ui_screen* first = set_.create_screen();
    probe(first, "a")->visible = false;
    probe(set_.create_screen(), "b");
    set_.layout(context_);
    EXPECT_EQ(log_, (std::vector<std::string>{"a layout", "b layout"}));
}

TEST_F(screens, the_current_screen_sets_the_ui_view_and_serves_only_visible_elements) {
    tw::c_ui_screen* shown = set_.create_screen();
    probe(set_.create_screen(), "elsewhere", true);
    probe(shown, "a");
    probe(shown, "hidden", true)->visible = false;
    probe(shown, "b");
    set_.current = shown;

    platform_.update_screen_size(1600, 900);
    set_.render(platform_);
    set_.update(context_, events_);
    EXPECT_FALSE(mouse(800, 0));
    EXPECT_FALSE(set_.on_char(platform_, 65, events_));
    EXPECT_EQ(log_, (std::vector<std::string>{"a render", "b render", "a update", "b update",
                                              "a mouse 0 1024", "b mouse 0 1024", "a char 65",
                                              "b char 65"}));
    // The view: 1024 units up and down the 900 pixels, 1600/900 times that across.
    const auto views = device_.calls_of(tw::e_render_call::load_projection);
    ASSERT_EQ(views.size(), 1u);
    EXPECT_NEAR(std::abs(views[0].matrix[0]), 2.0f / (2 * 1820), 1e-6);
    EXPECT_NEAR(std::abs(views[0].matrix[5]), 2.0f / 2048, 1e-6);
    EXPECT_FLOAT_EQ(views[0].matrix[12], 0);
    EXPECT_FLOAT_EQ(views[0].matrix[13], 0);
}

TEST_F(screens, input_stops_at_the_first_element_that_takes_it) {
    tw::c_ui_screen* shown = set_.current = set_.create_screen();
    probe(shown, "a");
    probe(shown, "b", true);
    probe(shown, "c", true);
    EXPECT_TRUE(mouse(800, 450));
    EXPECT_TRUE(set_.on_char(platform_, 8, events_));
    EXPECT_EQ(log_, (std::vector<std::string>{"a mouse 0 0", "b mouse 0 0", "a char 8",
                                              "b char 8"}));
}

TEST_F(screens, of_two_overlapping_buttons_only_the_earlier_gets_the_click) {
    tw::c_ui_screen* shown = set_.current = set_.create_screen();
    for (uint16_t code : {1, 2}) {
        set_.add_element(shown, std::make_unique<tw::c_ui_element_button_push>(
                                    code * 50.0f, 0, 4, &box_, 100, 50, &test_font_.font, "A",
                                    code));
    }
    set_.layout(window_context(1600, 900));
    // Pixel 860 is x = (860 - 350) / 900 * 2048 - 1024 = 136.5: on both buttons.
    EXPECT_TRUE(mouse(860, 450));
    EXPECT_EQ(events_.ui_events, (std::deque<uint16_t>{1}));
}

TEST_F(screens, removing_an_element_destroys_and_unlinks_it) {
    tw::c_ui_screen* shown = set_.current = set_.create_screen();
    probe(shown, "a");
    c_probe* b = probe(shown, "b");
    tw::c_ui_screen* other = set_.create_screen();
    EXPECT_FALSE(set_.remove_element(other, b));
    EXPECT_TRUE(set_.remove_element(shown, b));
    EXPECT_FALSE(set_.remove_element(shown, b));
    set_.render(platform_);
    EXPECT_EQ(log_, (std::vector<std::string>{"b destroyed", "a render"}));
}

TEST_F(screens, the_set_destroys_its_screens_elements_and_fonts) {
    {
        tw::c_ui_screen_set set;
        set.add_element(set.create_screen(), std::make_unique<c_probe>(log_, "a"));
        tw::c_ui_font* font = set.create_font(test_font_.folder.path + "/font_desc.xml", &box_);
        EXPECT_NE(font->glyph('A'), nullptr);
        EXPECT_EQ(font->material, &box_);
        EXPECT_EQ(set.fonts.size(), 1u);
        EXPECT_EQ(set.add_element(nullptr, std::make_unique<c_probe>(log_, "lost")), nullptr);
    }
    EXPECT_EQ(log_, (std::vector<std::string>{"lost destroyed", "a destroyed"}));
}

class groups : public screens {
protected:
    groups() {
        group_ = set_.add_element(set_.current = set_.create_screen(),
                                  std::make_unique<tw::c_ui_element_group>());
        group_->add(std::make_unique<c_probe>(log_, "a"));
        group_->add(std::make_unique<c_probe>(log_, "hidden", true))->visible = false;
        group_->add(std::make_unique<c_probe>(log_, "b", true));
        group_->add(std::make_unique<c_probe>(log_, "c", true));
    }
    tw::c_ui_element_group* group_ = nullptr;
};

TEST_F(groups, a_visible_group_forwards_to_its_children_by_the_rules) {
    set_.layout(context_);
    set_.update(context_, events_);
    set_.render(platform_);
    EXPECT_TRUE(mouse(800, 450));
    EXPECT_TRUE(set_.on_char(platform_, 9, events_));
    EXPECT_EQ(log_, (std::vector<std::string>{
                        "a layout", "hidden layout", "b layout", "c layout",
                        "a update", "hidden update", "b update", "c update",
                        "a render", "b render", "c render",
                        "a mouse 0 0", "b mouse 0 0",
                        "a char 9", "b char 9"}));
}

TEST_F(groups, an_invisible_group_still_lays_out_but_offers_nothing) {
    group_->visible = false;
    set_.layout(context_);
    group_->update(context_, events_);
    group_->render(platform_);
    EXPECT_FALSE(group_->on_char(platform_, 9, events_));
    EXPECT_FALSE(set_.on_char(platform_, 9, events_));
    EXPECT_FALSE(mouse(800, 450));
    EXPECT_EQ(log_, (std::vector<std::string>{"a layout", "hidden layout", "b layout",
                                              "c layout"}));
}

TEST_F(groups, the_group_destroys_its_children_with_it) {
    ASSERT_TRUE(set_.remove_element(set_.current, group_));
    EXPECT_EQ(log_, (std::vector<std::string>{"a destroyed", "hidden destroyed", "b destroyed",
                                              "c destroyed"}));
}

}  // namespace
