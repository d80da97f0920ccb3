#!/usr/bin/env bash
# The game opens a full-screen window on a real X display, paints its title
# screen, quits on F10 with exit code 0 and leaves the player's progress in the
# save folder.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_settle_s=5         # let the menu load and fade in before the screenshot
k_grid=5             # samples per side of the screenshot
k_min_lit=20         # of the 25 samples, at least this many must be lit
k_black_level=16     # a sample with all channels at or below this is black

require_display
start_game
window=$(wait_for_window)

screen=$(timeout 10 xdpyinfo | awk '/dimensions:/ { print $2 }')
eval "$(timeout 5 xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x${HEIGHT}" = "$screen" ] || fail "window is ${WIDTH}x${HEIGHT}, screen is $screen"
echo "window $window covers the screen ($screen)"

sleep "$k_settle_s"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended while drawing"
timeout 20 import -window root "$work/shot.png" || fail "screenshot failed"
# The picture is a 2:1 band; on a taller screen black bars fill the rest, so
# only the band is sampled.
band_w=$WIDTH
band_h=$(( WIDTH / 2 < HEIGHT ? WIDTH / 2 : HEIGHT ))
# -sample picks single pixels (no averaging) on an even grid over the band.
lit=$(timeout 20 convert "$work/shot.png" -gravity center -crop "${band_w}x${band_h}+0+0" +repage \
  -sample "${k_grid}x${k_grid}!" -depth 8 txt:- \
  | sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
  | awk -v black="$k_black_level" '$1 > black || $2 > black || $3 > black { n++ } END { print n + 0 }')
echo "lit samples: $lit of $((k_grid * k_grid))"
[ "$lit" -ge "$k_min_lit" ] || fail "the screen is mostly black ($lit of $((k_grid * k_grid)) samples lit)"

timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
timeout 5 xdotool key F10 || fail "xdotool could not send F10"
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after F10, expected 0"

save="$work/data/Thistlewarp/data.xml"
[ -f "$save" ] || fail "no save file at \$XDG_DATA_HOME/Thistlewarp/data.xml"
grep -q persistent_data "$save" || fail "the save file holds no persistent_data"
echo "PASS: window, drawing, F10 and save file"
