// The glow-worm chime puzzle: over a small scene file, the stages shown and
// repeated by presses, a wrong press in every phase, the pauses and the glow;
// then the shipped puzzle solved through the real input path by a player who
// watches which glow-worm lights and presses it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/application_data.h"
#include "chapters/game_puzzle_c2_p1.h"
#include "scene/test_scene_fixture.h"
#include "sound/sound_device_recording.h"
#include "support/puzzle_run.h"
#include "support/sample_walk.h"

namespace {

using c_puzzle = tw::c_game_puzzle_c2_p1;

const std::vector<std::vector<int>> k_stages = {{3, 2}, {6, 3, 0, 4}, {7, 4, 2, 1, 5, 6}};

// Eight glow-worms 1000 units apart along y = 0 and the big glow-worm.
std::string chime_scene() {
    std::string graphics;
    for (int n = 0; n < 8; ++n) {
        graphics += "<graphic level_name=\"pond\" name=\"g" + std::to_string(n) +
                    "\" file_name=\"w.bmp\" half_width=\"100\" half_height=\"100\">" +
                    tw_test::transform_xml("transform", float(n * 1000 - 3500), 0, 0) + "</graphic>";
    }
    return "<levels><level name=\"pond\"/></levels><anims><anim anim_file_name=\"anims/glowbig.xml\" "
           "level_name=\"pond\" anim_position=\"0\" anim_speed=\"0\">" +
           tw_test::transform_xml("transform", 0, -1500, 0) +
           "</anim></anims><graphics>" + graphics +
           "</graphics><cameras><camera scene_width=\"4096\" name=\"camera1\"><position x=\"0\" y=\"0\" "
           "z=\"0\"/></camera></cameras>";
}

class chime_puzzle : public tw_test::c_scene_file_test {
protected:
    void SetUp() override {
        c_scene_file_test::SetUp();
        write("c2p1.xml", chime_scene());
        write("anims/glowbig.xml", tw_test::anim_file_xml("big.bmp", {"idle", "celebrate"}));
        auto recording = std::make_unique<tw::c_sound_device_recording>();
        sound = recording.get();
        platform_.sound_engine = std::move(recording);
        tw::fill_sound_table(data.sounds);
        puzzle.setup(platform_);
    }
    void press_at(float x, float y, uint16_t kind = tw::k_mouse_press) {
        int px = 0, py = 0;
        tw_test::scene_to_pixels(platform_, puzzle.scene.view, x, y, px, py);
        platform_.mouse_x = uint16_t(px);
        platform_.mouse_y = uint16_t(py);
        puzzle.on_mouse(platform_, kind, 0, 0, data);
    }
    void press_node(int n) { press_at(puzzle.nodes[size_t(n)]->x, puzzle.nodes[size_t(n)]->y + 50); }
    // Ticks until the next chime is shown or the player's turn comes; returns the
    // ticks taken and the chimed node (-1 for the player's turn).
    int next_event(int& ticks) {
        const size_t before = sound->calls.size();
        for (ticks = 1; ticks < 2000; ++ticks) {
            puzzle.on_tick(platform_, data);
            if (sound->calls.size() > before) {
                const std::string& file = sound->calls.back().file;
                return file[std::string("sounds/glowworms/").size()] - '1';
            }
            if (puzzle.phase == tw::k_chime_phase_player) return -1;
        }
        return -2;
    }
    // Ticks through one showing, checking the nodes, their sounds and the 50-tick pauses.
    void expect_showing(int stage, int first_wait) {
        int ticks = 0;
        for (size_t i = 0; i < k_stages[size_t(stage)].size(); ++i) {
            EXPECT_EQ(next_event(ticks), k_stages[size_t(stage)][i]) << "stage " << stage << " chime " << i;
            EXPECT_EQ(ticks, i == 0 ? first_wait + 1 : 51) << "stage " << stage << " chime " << i;
            EXPECT_EQ(puzzle.nodes[size_t(k_stages[size_t(stage)][i])]->glow, 200);
        }
        EXPECT_EQ(next_event(ticks), -1);
        EXPECT_EQ(ticks, 51);
        EXPECT_EQ(puzzle.position, 0);
    }
    std::string big_graph() const {
        return puzzle.big && puzzle.big->graph ? puzzle.big->graph->name : "";
    }
    uint8_t alpha(int n) const { return puzzle.nodes[size_t(n)]->graphic->quad.buffer.colours[0].a; }

    tw::c_application_data data;
    tw::c_sound_device_recording* sound = nullptr;
    c_puzzle puzzle;
};

TEST_F(chime_puzzle, three_stages_shown_and_repeated_complete_it_with_a_celebration_each) {
    ASSERT_EQ(puzzle.nodes.size(), 8u);
    for (int n = 0; n < 8; ++n) EXPECT_EQ(alpha(n), 0);
    EXPECT_EQ(big_graph(), "idle");
    EXPECT_EQ(puzzle.big->play_once_speed, 128);

    expect_showing(0, 500);
    for (int stage = 0; stage < 3; ++stage) {
        if (stage > 0) expect_showing(stage, 200);
        const std::vector<int>& nodes = k_stages[size_t(stage)];
        for (size_t i = 0; i < nodes.size(); ++i) {
            EXPECT_EQ(puzzle.complete, 0);
            press_node(nodes[i]);
            EXPECT_EQ(sound->calls.back().file, "sounds/glowworms/" + std::to_string(nodes[i] + 1) + ".wav");
        }
        EXPECT_EQ(puzzle.stage, stage + 1);
        EXPECT_EQ(puzzle.phase, tw::k_chime_phase_showing);
        EXPECT_EQ(big_graph(), "celebrate");
        EXPECT_EQ(puzzle.big->play_once_speed, 256);
        EXPECT_EQ(puzzle.big->loop_speed, 128);
    }
    // Won in the event of the last press; the last light still fades out after it.
    EXPECT_EQ(puzzle.complete, 1);
    EXPECT_TRUE(puzzle.chimes.empty());
    const int last = k_stages[2].back();
    puzzle.on_tick(platform_, data);
    EXPECT_EQ(alpha(last), uint8_t(199 * 255 / 200));
    for (int t = 0; t < 198; ++t) puzzle.on_tick(platform_, data);
    EXPECT_GT(alpha(last), 0);
    puzzle.on_tick(platform_, data);
    EXPECT_EQ(alpha(last), 0);
    EXPECT_EQ(sound->count(tw::e_sound_call::play), 2 * (2 + 4 + 6));
}

TEST_F(chime_puzzle, a_wrong_press_in_any_phase_starts_again_from_the_first_stage_after_100_ticks) {
    // Each case plays up to a moment of stage 1, then presses; the next tick restarts.
    enum class e_when { showing, wrong_node, after_wrong };
    for (e_when when : {e_when::showing, e_when::wrong_node, e_when::after_wrong}) {
        puzzle.setup(platform_);
        expect_showing(0, 500);
        press_node(3);
        press_node(2);
        ASSERT_EQ(puzzle.stage, 1);
        const int errors = int(std::count_if(sound->calls.begin(), sound->calls.end(),
                                             [](const auto& c) { return c.file == "sounds/error.wav"; }));
        if (when == e_when::showing) {
            for (int t = 0; t < 230; ++t) puzzle.on_tick(platform_, data);  // mid-showing
            press_at(3000, 1900);  // far from every glow-worm: still counts while showing
        } else {
            expect_showing(1, 200);
            press_at(0, 3000);  // too far from every node in the player's turn: ignored
            press_at(puzzle.nodes[6]->x, 0, tw::k_mouse_drag);
            press_at(puzzle.nodes[6]->x, 0, tw::k_mouse_release);
            EXPECT_EQ(puzzle.phase, tw::k_chime_phase_player);
            EXPECT_EQ(puzzle.position, 0);
            press_node(6);
            press_node(0);  // 3 was next
            if (when == e_when::after_wrong) press_node(3);
        }
        EXPECT_EQ(puzzle.phase, tw::k_chime_phase_wrong);
        puzzle.on_tick(platform_, data);
        EXPECT_EQ(puzzle.stage, 0);
        EXPECT_EQ(puzzle.pause, 100);
        EXPECT_EQ(sound->calls.back().file, "sounds/error.wav");
        EXPECT_EQ(std::count_if(sound->calls.begin(), sound->calls.end(),
                                [](const auto& c) { return c.file == "sounds/error.wav"; }),
                  errors + 1);
        // Stage 0 again, its first chime 100 ticks after the restart.
        expect_showing(0, 100);
    }
}

TEST_F(chime_puzzle, a_lit_glow_worm_fades_over_200_ticks_and_relights_at_full_glow) {
    expect_showing(0, 500);
    // Node 3 chimed 102 ticks ago and is fading.
    EXPECT_EQ(puzzle.nodes[3]->glow, 98);
    EXPECT_EQ(alpha(3), uint8_t(98 * 255 / 200));
    press_node(3);
    EXPECT_EQ(puzzle.nodes[3]->glow, 200);
    puzzle.on_tick(platform_, data);
    EXPECT_EQ(alpha(3), uint8_t(199 * 255 / 200));
    EXPECT_EQ(alpha(5), 0);
}

// The shipped puzzle, watched and answered by ear and eye: the player notes each
// glow-worm that lights up while it is not pressing, and when the glow-worms have
// been quiet for a while presses the noted ones back in order.
TEST(chime_puzzle_solver, solves_the_shipped_puzzle_by_repeating_what_lights_up) {
    c_puzzle puzzle;
    tw_test::c_puzzle_run run(TW_CONTENT_DIR, puzzle, [&](tw::c_platform& p) { puzzle.setup(p); });
    ASSERT_EQ(puzzle.nodes.size(), 8u);
    ASSERT_NE(puzzle.big, nullptr);
    ASSERT_NE(puzzle.big->graph, nullptr);

    constexpr int k_quiet_frames = 70;  // longer than the 50 ticks between two chimes
    std::vector<uint8_t> last(8, 0);
    std::vector<int> noted;
    int quiet = 0;
    int stages_won = 0;
    for (int frame = 0; frame < 60 * 120 && run.host->completed < 0; ++frame) {
        run.frame();
        for (size_t n = 0; n < 8; ++n) {
            const uint8_t a = puzzle.nodes[n]->graphic->quad.buffer.colours[0].a;
            if (a > last[n]) {
                noted.push_back(int(n));
                quiet = 0;
            }
            last[n] = a;
        }
        ++quiet;
        if (!run.host->shown() || noted.empty() || quiet < k_quiet_frames) continue;
        const uint16_t stage = puzzle.stage;
        for (int n : noted) run.click_scene(puzzle.scene, puzzle.nodes[size_t(n)]->x, puzzle.nodes[size_t(n)]->y);
        stages_won += puzzle.stage == stage + 1;
        // The lights of its own presses are not new chimes: a frame may pass without a
        // tick, so they can show up a frame late.
        for (int f = 0; f < 3; ++f) run.frame();
        for (size_t n = 0; n < 8; ++n) last[n] = puzzle.nodes[n]->graphic->quad.buffer.colours[0].a;
        noted.clear();
    }
    EXPECT_EQ(run.host->completed, 1);
    EXPECT_EQ(stages_won, 3);
    EXPECT_EQ(run.presses, 2 + 4 + 6);
    EXPECT_EQ(run.sound->count(tw::e_sound_call::play) > 0, true);
    std::printf("glow-worm chimes solved: %ld ticks, %d presses\n", run.host->completed_at, run.presses);
}

}  // namespace
