#!/usr/bin/env bash
# An idle game must not spin: after start-up its CPU use over a few seconds
# stays well under one core because each frame sleeps out the rest of its 1/60 s.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_startup_s=3          # start-up (loading, first frames) is not measured
k_measure_s=5
k_max_percent=50

require_display
start_game
wait_for_window >/dev/null
sleep "$k_startup_s"

ticks_per_s=$(getconf CLK_TCK)
before=$(cpu_ticks)
uptime_before=$(cut -d' ' -f1 /proc/uptime)
sleep "$k_measure_s"
after=$(cpu_ticks)
uptime_after=$(cut -d' ' -f1 /proc/uptime)

percent=$(awk -v t="$((after - before))" -v hz="$ticks_per_s" -v a="$uptime_before" -v b="$uptime_after" \
  'BEGIN { printf "%d", 100 * t / hz / (b - a) + 0.5 }')
echo "idle cpu: ${percent}%"
[ "$percent" -le "$k_max_percent" ] || fail "idle CPU ${percent}% is above ${k_max_percent}%"
