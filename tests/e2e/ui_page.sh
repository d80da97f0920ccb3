#!/usr/bin/env bash
# The UI page on an Xvfb of its own at 1920x1080: every element kind puts its
# colours where its anchored layout says, a click on a radio toggle moves the
# lit member, a drag on the timeline reports its code, and Quit ends the page
# with code 0. Set TW_UI_PAGE_SHOT=<file.png> to keep the first screenshot.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_screen_w=1920
k_screen_h=1080
k_frame_limit=3600       # the page quits by itself after a minute whatever happens
k_settle_s=2             # let the first frames draw before the screenshot
k_input_s=0.3            # a frame or more between pointer steps, so each one is seen
k_background="46 28 22"  # the page's background colour
k_min_ink=0.05           # share of bright pixels in a band that holds text

require_tools Xvfb xdotool import convert

start_private_xvfb "${k_screen_w}x${k_screen_h}x24"

start_game "$k_frame_limit"
window=$(wait_for_window "UI page")

sleep "$k_settle_s"
shot="$work/shot.png"
take_shot() {
  kill -0 "$game_pid" 2>/dev/null || fail "the UI page ended while drawing"
  timeout 20 import -window root "$shot" || fail "screenshot failed"
}
take_shot
[ -n "${TW_UI_PAGE_SHOT:-}" ] && cp "$shot" "$TW_UI_PAGE_SHOT"

# UI units to screen pixels: the 1080 rows span 2048 units, the origin is the
# screen's centre and y grows upwards. Prints "px py" rounded.
ui_px() {
  awk -v x="$1" -v y="$2" -v w="$k_screen_w" -v h="$k_screen_h" 'BEGIN {
    s = h / 2048; printf "%d %d\n", w / 2 + x * s + 0.5, h / 2 - y * s + 0.5 }'
}
# Where an element anchored middle-left at offset x sits: the window's extra
# width, 840 pixels or 796.44 units, moves it left.
left_x() { awk -v x="$1" 'BEGIN { print x - 840 * 1024 / 1080 }'; }

# Mean red, green and blue (0..255) of the 5x5 square around UI point (x, y).
colour_at() {
  local px py
  read -r px py <<<"$(ui_px "$1" "$2")"
  convert "$shot" -crop "5x5+$((px - 2))+$((py - 2))" +repage \
    -format "%[fx:round(mean.r*255)] %[fx:round(mean.g*255)] %[fx:round(mean.b*255)]" info:
}
# expect_colour <name> <x> <y> <r min> <r max> <g min> <g max> <b min> <b max>
expect_colour() {
  local name=$1 seen
  seen=$(colour_at "$2" "$3")
  awk -v seen="$seen" -v limits="$4 $5 $6 $7 $8 $9" 'BEGIN {
    split(seen, s, " "); split(limits, l, " ")
    for (i = 1; i <= 3; ++i) if (s[i] < l[2 * i - 1] || s[i] > l[2 * i]) exit 1
  }' || fail "$name: colour $seen at UI ($2, $3) is outside $4-$5 $6-$7 $8-$9"
  echo "$name: $seen"
}
expect_background_band() {
  local name=$1 seen
  shift
  seen=$(brightest "$@")
  [ "$seen" = "$k_background" ] || fail "$name: expected background, brightest pixel is $seen"
  echo "$name: background"
}
# Presses the left button at UI (x, y), optionally drags through more points, releases.
press_drag_release() {
  local px py
  read -r px py <<<"$(ui_px "$1" "$2")"
  timeout 5 xdotool mousemove "$px" "$py" mousedown 1 || fail "xdotool could not press"
  sleep "$k_input_s"
  shift 2
  while [ "$#" -ge 2 ]; do
    read -r px py <<<"$(ui_px "$1" "$2")"
    timeout 5 xdotool mousemove "$px" "$py" || fail "xdotool could not move"
    sleep "$k_input_s"
    shift 2
  done
  timeout 5 xdotool mouseup 1 || fail "xdotool could not release"
  sleep "$k_input_s"
}

geometry=$(convert "$shot" -format "%w %h" info:)
[ "$geometry" = "$k_screen_w $k_screen_h" ] || fail "screenshot is $geometry"
expect_colour "background" -1800 -20 46 46 28 28 22 22

# The left column (anchored middle-left at x -684): toggles read on when warm
# (the blue channel halved) and off when dark; samples sit left of the labels.
toggle_x=$(left_x -884)
expect_colour "radio Easy off" "$toggle_x" 360 70 100 40 60 20 36
expect_colour "radio Normal on" "$toggle_x" 220 150 185 85 115 20 36
expect_colour "radio Hard off" "$toggle_x" 80 70 100 40 60 20 36
expect_colour "lone Music on" "$toggle_x" -200 150 185 85 115 20 36
expect_colour "lone Hints off" "$toggle_x" -340 70 100 40 60 20 36
expect_colour "group panel" "$(left_x -970)" 90 60 90 38 58 28 45

# Centre: push buttons in warm clay, the edit box at quarter alpha, the icons.
for x in -650 -180 290; do
  expect_colour "push button at $x" "$x" 20 150 185 85 115 45 70
done
expect_colour "edit box" -400 210 88 108 70 90 60 80
expect_colour "home icon" -420 520 200 255 170 240 110 190
expect_colour "resume icon" 140 520 90 150 140 210 40 100

# The timeline (anchored middle-left at x 16, y -680): red cursor at 30000,
# orange key mark at 6000, white track between marks.
track_left=$(awk -v l="$(left_x 16)" 'BEGIN { print l - 960 }')
at_value() { awk -v l="$track_left" -v v="$1" 'BEGIN { print l + v * 1920 / 65535 }'; }
expect_colour "timeline cursor" "$(at_value 30000)" -696 230 255 0 30 0 30
expect_colour "timeline key mark" "$(at_value 6000)" -696 230 255 100 150 0 30
expect_colour "timeline track" "$(at_value 13000)" -680 230 255 230 255 230 255

# Text: the title, the value label and the paragraphs at their anchors.
expect_ink "title" 400 70 760 15
expect_ink "timeline value" 110 30 450 855
expect_ink "top-left paragraph" 380 80 18 18
expect_ink "top-right paragraph" 380 80 1520 18
expect_ink "right paragraph" 400 220 1500 350
expect_ink "bottom-left paragraph" 600 40 18 1020
expect_ink "bottom-right paragraph" 500 40 1400 1020
expect_background_band "between the title and the icons" 1000 60 460 125
expect_background_band "right of the timeline" 250 280 1080 600

# A click on Hard lights it and puts Normal out; a drag on the cursor reports
# the timeline's code; Quit ends the page.
timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
press_drag_release "$(left_x -684)" 80
cursor_x=$(at_value 30000)
press_drag_release "$cursor_x" -680 "$((${cursor_x%.*} + 100))" -680 "$((${cursor_x%.*} + 200))" -680
take_shot
expect_colour "radio Normal off after the click" "$toggle_x" 220 70 100 40 60 20 36
expect_colour "radio Hard on after the click" "$toggle_x" 80 150 185 85 115 20 36
grep -qx "ui event 13" "$work/stdout" || fail "the click on Hard reported no code 13"
[ "$(grep -cx "ui event 30" "$work/stdout")" -ge 2 ] || fail "the drag reported fewer than two code 30"
press_drag_release 370 20
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after Quit, expected 0"
grep -qx "ui event 3" "$work/stdout" || fail "Quit reported no code 3"
echo "PASS: UI page drawn where expected, clicks and drags reported, closed by Quit"
