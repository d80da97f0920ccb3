// The operating system's requests to end the program (SIGTERM from a desktop
// logout or kill, SIGINT from Ctrl+C, SIGHUP from a closed terminal), turned
// into a flag the frame loop reads, so they end the game in the orderly way.
#pragma once

namespace tw {

// Installs the handlers; called once by the program before its frame loop.
void catch_shutdown_signals();
// True once one of those signals has arrived since the handlers were installed.
bool shutdown_signal_received();

}  // namespace tw
