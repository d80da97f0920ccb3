#!/usr/bin/env bash
# An idle game must not spin: each frame sleeps out the rest of its 1/60 s when
# the swap does not wait for the retrace (as under Xvfb). Measured on a tiny
# private Xvfb so that software drawing (Mesa's llvmpipe threads) stays cheap:
# the title screen's layered scene fills the window about eight times a frame,
# which at 640x480 alone keeps llvmpipe busy on more than a core. At 320x240 the
# capped game takes about half a core in all and its own thread well under a
# tenth of one; a loop without the frame cap would keep its own thread busy.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_screen=320x240x24
k_startup_s=3          # start-up (loading, first frames) is not measured
k_measure_s=5
k_max_percent=100      # all threads, drawing included
k_max_main_percent=25  # the game's own thread

start_private_xvfb "$k_screen"

start_game
wait_for_window >/dev/null
sleep "$k_startup_s"

main_ticks() {
  local stat
  stat=$(cat "/proc/$game_pid/task/$game_pid/stat") || fail "the game is gone"
  echo "${stat##*) }" | awk '{ print $12 + $13 }'
}

ticks_per_s=$(getconf CLK_TCK)
before=$(cpu_ticks)
main_before=$(main_ticks)
uptime_before=$(cut -d' ' -f1 /proc/uptime)
sleep "$k_measure_s"
after=$(cpu_ticks)
main_after=$(main_ticks)
uptime_after=$(cut -d' ' -f1 /proc/uptime)

percent_of() {
  awk -v t="$1" -v hz="$ticks_per_s" -v a="$uptime_before" -v b="$uptime_after" \
    'BEGIN { printf "%d", 100 * t / hz / (b - a) + 0.5 }'
}
percent=$(percent_of "$((after - before))")
main_percent=$(percent_of "$((main_after - main_before))")
echo "idle cpu: ${percent}% (game thread ${main_percent}%) at ${k_screen%x*}"
[ "$percent" -le "$k_max_percent" ] || fail "idle CPU ${percent}% is above ${k_max_percent}%"
[ "$main_percent" -le "$k_max_main_percent" ] ||
  fail "game thread CPU ${main_percent}% is above ${k_max_main_percent}%"
xdotool key F10
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after F10"
