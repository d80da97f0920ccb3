// The test chapter in a real window at a fixed moment of play. After the
// opening fade it plays a few real clicks: it discovers both spots, picks up
// an item, opens one icon's hint and selects a glowing third icon; it adds a
// pointing hand near the middle and keeps the hint charge at one half. While
// the item is still flying it holds the picture (no more ticks), prints
// "ready 1" and waits for <folder>/shot1.done; then it shows the pause screen
// over the same moment, prints "ready 2" and waits for <folder>/shot2.done.
// Usage: chapter_page <handshake folder> [frame limit]
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/frame_loop.h"
#include "game/test_chapter.h"
#include "game/ui_collectable.h"
#include "game/ui_puzzle_bar.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "support/real_window.h"

namespace {

constexpr const char* k_window_title = "Chapter page";
constexpr int k_key_escape = 257;  // the game's code for escape (see window_glfw.cpp)
constexpr long k_default_frame_limit = 60 * 120;
constexpr uint16_t k_glowing_puzzle = 1;  // no item of the sample belongs to it
constexpr const char* k_glowing_picture = "sample/mushroom.bmp";
constexpr int k_settle_ticks = 150;      // icons slid in, the hand faded in
constexpr uint16_t k_min_flight_ticks = 110;  // the item is on its way to the bar
constexpr uint16_t k_long_peek = 60000;  // ticks; the peek outlasts the page
constexpr float k_hint_charge = 0.5f;
constexpr float k_hand_dx = -1200.0f;  // scene units left of the view's middle
constexpr float k_hand_dy = 600.0f;

class c_chapter_page : public tw::i_platform_state_machine {
public:
    explicit c_chapter_page(std::filesystem::path folder) : folder_(std::move(folder)) {
        app.send_message = {};  // usage messages stay in memory
    }

    void start(tw::c_platform& platform) {
        auto state = std::make_unique<tw_test::c_test_chapter>();
        chapter_ = state.get();
        app.change_state(platform, std::move(state));
    }

    // Scripted input goes in through the platform's own callbacks and reaches
    // the state in the next frame's input delivery, as real input would.
    void frame(tw::c_platform& platform) override {
        app.frame(platform);
        if (!chapter_ || held_ || ticks_ < wait_until_) return;
        if (release_next_) {
            platform.on_mouse_button(0, tw::k_action_release);
            release_next_ = false;
            wait_until_ = ticks_ + 2;
            return;
        }
        // A step that is not done yet stays at the head and runs again next frame.
        if (!script_.empty() && script_.front()(platform)) script_.pop_front();
    }

    void tick(tw::c_platform& platform) override {
        if (held_ || !chapter_) return;
        // The fill shows the charge set before the tick; it charges a little in it.
        if (scripted_) chapter_->hint_charge = k_hint_charge;
        app.tick(platform);
        if (scripted_) ++ticks_;
        if (!scripted_ && chapter_->fade_alpha() == 0 && chapter_->events.empty()) {
            scripted_ = true;
            build_script(platform);
        }
    }

    void draw(tw::c_platform& platform) override {
        app.draw(platform);
        if (!chapter_ || !held_) return;
        if (!std::filesystem::exists(folder_ / ("shot" + std::to_string(shot_) + ".done"))) return;
        if (shot_ == 1) {
            // The home button's own code: the pause screen over the held moment.
            chapter_->on_ui_event(platform, tw::k_game_code_pause, app.data);
            announce();
        } else {
            held_ = false;
            done_ = true;
        }
    }

    void resize(tw::c_platform& platform) override { app.resize(platform); }
    void mouse(tw::c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy) override {
        app.mouse(platform, kind, dx, dy);
    }
    void draw_loading(tw::c_platform& platform, float progress) override {
        app.draw_loading(platform, progress);
    }

    void stop(tw::c_platform& platform) override { app.change_state(platform, nullptr); }

    bool finished() const { return done_ || failed; }
    int ticks() const { return ticks_; }

    tw::c_application app;
    bool failed = false;

private:
    void click_pixel(tw::c_platform& platform, int px, int py) {
        platform.on_mouse_position(px, py);
        platform.on_mouse_button(0, tw::k_action_press);
        release_next_ = true;
        wait_until_ = ticks_ + 2;
    }
    void click_scene(tw::c_platform& platform, float x, float y) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform, chapter_->scene.view, x, y, px, py);
        click_pixel(platform, px, py);
    }
    void click_icon(tw::c_platform& platform, uint16_t id) {
        auto icon = chapter_->puzzle_icons.find(id);
        if (icon == chapter_->puzzle_icons.end()) {
            fail("icon " + std::to_string(id) + " is not in the bar");
            return;
        }
        const float unit = float(platform.short_side) / tw::k_ui_extent;
        click_pixel(platform, int(platform.width * 0.5f + icon->second->icon_position.x * unit),
                    int(platform.height * 0.5f - icon->second->icon_position.y * unit));
    }
    void wait(int ticks) {
        script_.push_back([this, ticks](tw::c_platform&) {
            wait_until_ = ticks_ + ticks;
            return true;
        });
    }
    // Adds a step that is done once it has run.
    void then(std::function<void(tw::c_platform&)> step) {
        script_.push_back([step = std::move(step)](tw::c_platform& p) {
            step(p);
            return true;
        });
    }
    void fail(const std::string& why) {
        std::fprintf(stderr, "chapter_page: %s\n", why.c_str());
        failed = true;
    }
    void announce() {
        ++shot_;
        std::printf("ready %d\n", shot_);
        std::fflush(stdout);
    }

    // The moment to look at, built from the chapter's own verbs.
    void build_script(tw::c_platform& platform) {
        using tw::c_platform;
        // The player has dragged before: the opening's drag hand goes, and a
        // pointing hand comes in left of the middle.
        if (chapter_->drag_hand) chapter_->drag_hand->finish_request = 1;
        const tw::vec2 eye = chapter_->scene.view.eye();
        chapter_->tutorial_click_scene(platform, {eye.x + k_hand_dx, eye.y + k_hand_dy, 0});
        for (const tw_test::c_test_spot& spot : tw_test::k_test_spots)
            then([this, spot](c_platform& p) { click_scene(p, spot.x, spot.y); });
        // A third puzzle without items: its icon glows as soon as it is in.
        then([this](c_platform& p) {
            tw::c_material* picture = p.get_material(k_glowing_picture, false);
            tw::append_event(chapter_->events,
                             std::make_unique<tw::c_game_event_add_puzzle>(
                                 k_glowing_puzzle, picture, picture, chapter_->glow_material,
                                 chapter_->circle_material, chapter_->font,
                                 uint16_t(tw::k_game_code_first_icon + k_glowing_puzzle)));
        });
        wait(k_settle_ticks);
        // The view's icon shows its hint picture (one item missing).
        then([this](c_platform& p) { click_icon(p, tw_test::k_view_puzzle); });
        // The dewdrop of the gathering spot: it flies to the icon whose badge says 2.
        then([this](c_platform& p) {
            const tw_test::c_test_spot& item = tw_test::k_test_items[0];
            click_scene(p, item.x, item.y);
        });
        // The glowing icon, selected.
        then([this](c_platform& p) { click_icon(p, k_glowing_puzzle); });
        // Held once the item has come part of the way, well clear of where it was.
        script_.push_back([this](c_platform&) {
            if (chapter_->collectables.size() != 1) {
                fail("no item is in flight");
                return true;
            }
            const tw::c_ui_collectable& item = *chapter_->collectables.front();
            if (item.ticks < k_min_flight_ticks) return false;
            hold();
            return true;
        });
    }

    void hold() {
        tw::c_ui_puzzle* peeking = chapter_->puzzle_icons.count(tw_test::k_view_puzzle)
                                       ? chapter_->puzzle_icons[tw_test::k_view_puzzle]
                                       : nullptr;
        tw::c_ui_puzzle* gathering = chapter_->puzzle_icons.count(tw_test::k_gather_puzzle)
                                         ? chapter_->puzzle_icons[tw_test::k_gather_puzzle]
                                         : nullptr;
        tw::c_ui_puzzle* glowing = chapter_->puzzle_icons.count(k_glowing_puzzle)
                                       ? chapter_->puzzle_icons[k_glowing_puzzle]
                                       : nullptr;
        if (!peeking || !gathering || !glowing) return fail("the bar does not hold three icons");
        if (peeking->peek_timer == 0) return fail("the view's icon is not peeking");
        peeking->peek_timer = k_long_peek;
        if (gathering->remaining != 2) return fail("the gathering icon does not count 2");
        if (glowing->remaining != 0 || !glowing->selected || !chapter_->item_selected)
            return fail("the third icon is not glowing and selected");
        if (chapter_->collectables.size() != 1) return fail("no item is in flight");
        if (chapter_->tutorials.tutorials.empty()) return fail("no hand is shown");
        held_ = true;
        const tw::c_ui_collectable& item = *chapter_->collectables.front();
        std::printf("held after %d ticks: the item flying for %d ticks at UI (%.0f, %.0f), "
                    "its icon at (%.0f, %.0f)\n",
                    ticks_, item.ticks, item.position.x, item.position.y,
                    gathering->icon_position.x, gathering->icon_position.y);
        announce();
    }

    std::filesystem::path folder_;
    tw_test::c_test_chapter* chapter_ = nullptr;
    std::deque<std::function<bool(tw::c_platform&)>> script_;
    bool scripted_ = false;
    bool release_next_ = false;
    int ticks_ = 0;       // since the opening ended
    int wait_until_ = 0;  // the script waits until ticks_ reaches this
    int shot_ = 0;
    bool held_ = false;
    bool done_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: chapter_page <handshake folder> [frame limit]\n", stderr);
        return 2;
    }
    const long frame_limit = argc > 2 ? std::strtol(argv[2], nullptr, 10) : k_default_frame_limit;
    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    tw::c_platform platform(window, device);
    if (!tw_test::open_test_window(platform, k_window_title)) {
        std::fputs("chapter_page: cannot open the window\n", stderr);
        return 1;
    }
    c_chapter_page page(argv[1]);
    tw::run_frame(platform, page);  // sets the viewport and screen size before loading
    page.start(platform);
    platform.last_ticks = platform.now_ticks();
    long frame = 0;
    for (; frame < frame_limit && !page.finished(); ++frame) {
        if (!window.is_open() || window.key_pressed(tw::k_key_f10) ||
            window.key_pressed(k_key_escape))
            break;
        tw::run_frame(platform, page);
    }
    const bool completed = page.finished() && !page.failed;
    page.stop(platform);
    platform.release_all();
    window.terminate();
    std::printf("%ld frames, %d ticks after the opening\n", frame, page.ticks());
    if (!completed && !page.failed)
        std::fprintf(stderr, "chapter_page: the moment did not come in %ld frames\n", frame);
    return completed ? 0 : 3;
}
