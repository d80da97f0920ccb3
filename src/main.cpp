// Program entry: the real window, render and sound devices, the platform and
// the game's state machine, then the frame loop.
#include <cstdio>
#include <memory>

#include "app/application.h"
#include "app/frame_loop.h"
#include "chapters/game_states.h"
#include "platform/file.h"
#include "platform/shutdown_signals.h"
#include "platform/backend/render_device_gl.h"
#include "platform/backend/window_glfw.h"
#include "sound/backend/sound_device_sdl.h"

namespace {

// Every content file is read relative to the working folder; started anywhere
// else the game would show an empty screen, so it says how to start it instead.
bool in_content_folder() {
    if (tw::is_folder("textures")) return true;
    std::fprintf(stderr,
                 "thistlewarp: no game content in %s (it has no textures folder).\n"
                 "Start the game from its content folder (cd build/content && ../thistlewarp)"
                 " or with scripts/play.\n",
                 tw::current_folder().c_str());
    return false;
}

}  // namespace

int main() {
    if (!in_content_folder()) return 1;
    tw::catch_shutdown_signals();
    tw::c_window_glfw window;
    tw::c_render_device_gl device;
    int code = 0;
    {
        tw::c_platform platform(window, device);
        auto application = std::make_unique<tw::c_application>();
        application->make_state = tw::make_game_state;
        // The window must exist first: a missing display ends the program before any sound starts.
        platform.sound_engine_factory = [] { return tw::create_sound_device(); };
        code = tw::run(platform, *application);
        application.reset();
    }
    return code;
}
