#!/usr/bin/env bash
# A designer in the level editor, in the real window at 1280x720: F2 on the
# title screen, then a level, a layer, a camera, three path nodes connected
# into a line, a graphic and an anim with a keyed track and an animation
# change, saved as "made.xml"; the game's scene loader reads the file back
# with every object, link and key. F2 returns to the title screen.
# Usage: editor_page.sh <game> <content folder> <scene_dump>
# With TW_EDITOR_SHOTS=<folder> the paths and anims tabs are kept as pictures.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
dump=$(readlink -f "${3:?usage: $0 <game> <content folder> <scene_dump>}")

require_display
require_tools xdotool import
start_private_xvfb 1280x720x24

# The editor saves into its working folder: give it one of its own, with the
# content linked in.
mkdir -p "$work/content"
for entry in "$content"/*; do
  [ "$(basename "$entry")" = autosave.xml ] || ln -s "$(readlink -f "$entry")" "$work/content/"
done
content="$work/content"

# Widget centres at 1280x720 (the editor's left column and two rows of tabs).
tab_file="65 20";   tab_layers="186 20"; tab_cameras="308 20"
tab_view="65 51";   tab_levels="186 51"; tab_anims="308 51"; tab_paths="429 51"
tab_graphics="550 51"
box_1="105 208"; box_2="105 266"   # the first two edit boxes of a list tab
add="56 148"; previous="56 114"; next="155 114"
file_box="105 141"; save="56 172"
connect="105 390"
anim_move="56 240"; route_mode="105 273"; once_name="105 334"; add_change="105 541"
timeline_start="225 620"

# The pointer settles before the press, so the press lands where it was sent.
click() {
  timeout 5 xdotool mousemove "$1" "$2"
  sleep 0.15
  timeout 5 xdotool click 1
  sleep 0.3
}
# Clicks the box at $1 $2, clears it and types $3.
fill() {
  click "$1" "$2"
  timeout 10 xdotool key --delay 30 $(printf 'BackSpace %.0s' $(seq 24))
  timeout 10 xdotool type --delay 60 "$3"
  sleep 0.3
}
# Presses at $1 $2, moves by $3 $4 in eight steps, releases.
drag() {
  timeout 5 xdotool mousemove "$1" "$2"
  sleep 0.15
  timeout 5 xdotool mousedown 1
  sleep 0.1
  for i in 1 2 3 4 5 6 7 8; do
    timeout 5 xdotool mousemove $(( $1 + $3 * i / 8 )) $(( $2 + $4 * i / 8 ))
    sleep 0.05
  done
  timeout 5 xdotool mouseup 1
  sleep 0.3
}
shot() {
  [ -n "${TW_EDITOR_SHOTS:-}" ] || return 0
  mkdir -p "$TW_EDITOR_SHOTS"
  timeout 20 import -window root "$TW_EDITOR_SHOTS/$1.png"
}

start_game
window=$(wait_for_window)
timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
sleep 4
timeout 5 xdotool key F2
sleep 3

click $tab_levels;  fill $box_1 focus_0; click $add
click $tab_layers;  fill $box_1 textures/c1/far.xml; fill $box_2 8; click $add
click $tab_cameras; fill $box_1 wide; click $add
# Three nodes, the view panned 600 units right between them: a, b, c lie at
# x 452, 546 and 640 on the screen's middle row.
for node in a b c; do
  click $tab_paths; fill $box_1 $node; click $add
  [ $node = c ] || { click $tab_view; drag 900 400 -300 0; }
done
click $previous; click $previous
click $connect; click 546 360   # a - b
click $next
click $connect; click 644 364   # b - c (off the screen centre, where xdotool moves are lost)
shot paths
click $tab_graphics; fill $box_1 dot.bmp; fill $box_2 glint; click $add
click $tab_anims; fill $box_1 anims/1hover.xml; click $add
click $anim_move; click $route_mode
drag 800 500 60 -30             # keyed at 0
drag $timeline_start 200 0      # the timeline moves on
drag 800 500 40 0               # keyed there
fill $once_name hover; click $add_change
shot anims
click $tab_file; fill $file_box made.xml; click $save
sleep 1

[ -f "$content/made.xml" ] || fail "no made.xml in the working folder"
made=$(cd "$content" && "$dump" made.xml) || fail "the scene loader could not read made.xml"
echo "$made"
expect_line() {
  grep -qx -- "$1" <<<"$made" || fail "made.xml lacks: $1"
}
expect_line "level focus_0 layers 1 anims 1 graphics 1"
grep -q "^layer focus_0 textures/c1/far.xml 8 tiles [1-9]" <<<"$made" || fail "the layer or its tiles are missing"
expect_line "camera wide"
expect_line "node a -> b"
expect_line "node b -> a c"
expect_line "node c -> b"
expect_line "graphic glint dot.bmp 64"
grep -q "^anim anims/1hover.xml keys 2 changes 1 [0-9]*:hover$" <<<"$made" \
  || fail "the anim lacks its two keys and its change"

timeout 5 xdotool key F2
sleep 3
kill -0 "$game_pid" 2>/dev/null || fail "the game ended after F2"
timeout 5 xdotool key F10
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after F10"
echo "PASS: a scene made in the editor is read back by the game"
