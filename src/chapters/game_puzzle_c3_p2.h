// The leaf pairs puzzle of chapter three, a memory game: twelve leaves lie
// face down, each hiding one of six beetles, every beetle twice. The player
// turns two leaves; the same beetle twice takes both away, otherwise both turn
// back. Solved when no leaf is left.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "chapters/game_puzzle.h"
#include "platform/math.h"
#include "platform/vertex_buffer.h"
#include "scene/scene.h"

namespace tw {

constexpr int k_leaf_pairs = 6;
constexpr int k_leaf_count = 2 * k_leaf_pairs;
constexpr int k_leaf_shuffle_swaps = 128;
constexpr int16_t k_leaf_wait_ticks = 160;  // both chosen leaves stay face up this long
constexpr float k_leaf_turn_step = 0.03f;   // share of a whole turn per drawn frame
constexpr float k_leaf_half_width = 512.0f;   // scene units, face up or down
constexpr float k_leaf_half_height = 1024.0f;
constexpr float k_leaf_picture_half_size = 512.0f;
constexpr const char* k_leaf_scene_file = "c3p2.xml";

class c_game_puzzle_c3_p2 : public i_game_puzzle {
public:
    // One leaf on the board with the beetle under it.
    struct leaf {
        // Loads the three bitmaps; the quads get their true shape when drawn.
        leaf(c_platform& platform, uint16_t pair, char picture);
        virtual ~leaf() = default;
        // Turns the leaf one step towards the face it should show and draws it:
        // it narrows to nothing, swaps faces and widens again. Called once per
        // drawn frame, so the turn runs at the frame rate.
        virtual void draw(c_platform& platform);

        c_quad face_down;  // the leaf's upper side
        c_quad face_up;    // its pale underside, on which the beetle sits
        c_quad picture;    // the beetle
        float turn = 0;    // 0 face down .. 1 face up
        c_transform transform;
        uint16_t pair = 0;  // which beetle, 0..5
        uint8_t down = 1;   // lies or turns face down while set
    };

    // Loads "c3p2.xml", takes camera "camera1", creates the twelve leaves,
    // shuffles them with the game's generator (without reseeding it) and lays
    // them on the scene's twelve placeholder graphics, which it removes;
    // called from the chapter's on_enter.
    void setup(c_platform& platform);

    void on_tick(c_platform& platform, c_application_data& data) override;
    void on_draw(c_platform& platform, c_application_data& data) override;
    bool on_ui_event(c_platform& platform, c_application_data& data, uint16_t code) override;
    // Press, drag and release alike choose the leaf nearest the pointer.
    void on_mouse(c_platform& platform, uint16_t kind, uint16_t dx, uint16_t dy,
                  c_application_data& data) override;
    uint16_t number() const override { return 2; }

    c_scene scene;
    std::vector<std::unique_ptr<leaf>> leaves;  // on the board, in shuffled order
    leaf* first = nullptr;
    leaf* second = nullptr;
    int16_t wait = 0;  // ticks until the chosen pair is judged; 0 when none waits
};

}  // namespace tw
