#!/usr/bin/env bash
# SIGTERM (a desktop logout), SIGINT (Ctrl+C) and SIGHUP (a closed terminal)
# end the real game in the orderly way: exit 0, with the session's play time
# and its events saved.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_play_s=3           # time on the title screen before the signal
k_min_play_ms=2000   # the saved play time must hold most of it

require_display
save="$work/data/Thistlewarp/data.xml"
for signal in TERM INT HUP; do
  rm -rf "$work/data"
  start_game
  wait_for_window >/dev/null
  sleep "$k_play_s"
  kill -s "$signal" "$game_pid"
  wait_for_exit
  [ "$game_status" -eq 0 ] || fail "exit code $game_status after SIG$signal, expected 0"
  [ -f "$save" ] || fail "no save file after SIG$signal"
  grep -q '"leave_menu"' "$save" || fail "the session's events were not saved after SIG$signal"
  played=$(sed -n 's/.*total_time="\([0-9]*\)".*/\1/p' "$save" | head -n1)
  [ "${played:-0}" -ge "$k_min_play_ms" ] || fail "only ${played:-0} ms of play saved after SIG$signal"
  echo "SIG$signal: exit 0, $played ms of play and the events saved"
done
echo "PASS: termination signals shut down in order"
