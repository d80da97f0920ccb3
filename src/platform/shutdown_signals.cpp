// Signal handlers that only set a flag: everything else a shutdown does
// (flushing messages, saving) is not safe inside a handler.
#include "platform/shutdown_signals.h"

#include <signal.h>

#include <initializer_list>

namespace tw {

namespace {

volatile sig_atomic_t g_shutdown_signal = 0;

void on_shutdown_signal(int) { g_shutdown_signal = 1; }

}  // namespace

void catch_shutdown_signals() {
    g_shutdown_signal = 0;
    struct sigaction action {};
    action.sa_handler = on_shutdown_signal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls resume, so a signal never turns a read or a
    // wait into a failure; the loop notices the flag at its next frame.
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) sigaction(number, &action, nullptr);
}

bool shutdown_signal_received() { return g_shutdown_signal != 0; }

}  // namespace tw
