// The game's states by identifier: the title screen, the editor and the five chapters.
#include "chapters/game_states.h"

#include "chapters/state_game_1.h"
#include "chapters/state_game_2.h"
#include "chapters/state_game_3.h"
#include "chapters/state_game_4.h"
#include "chapters/state_game_5.h"
#include "editor/state_editor.h"
#include "menu/state_menu.h"

namespace tw {

std::unique_ptr<c_state> make_game_state(uint16_t id) {
    switch (id) {
        case k_state_menu:
            return std::make_unique<c_state_menu>();
        case k_state_editor:
            return std::make_unique<c_state_editor>();
        case k_state_chapter_1:
            return std::make_unique<c_state_game_1>();
        case k_state_chapter_1 + 1:
            return std::make_unique<c_state_game_2>();
        case k_state_chapter_1 + 2:
            return std::make_unique<c_state_game_3>();
        case k_state_chapter_1 + 3:
            return std::make_unique<c_state_game_4>();
        case k_state_chapter_5:
            return std::make_unique<c_state_game_5>();
        default:
            return nullptr;
    }
}

}  // namespace tw
