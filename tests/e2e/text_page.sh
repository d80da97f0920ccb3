#!/usr/bin/env bash
# The text page on an Xvfb of its own at 1920x1080: the title and the nine
# anchored paragraphs put glyph pixels where they belong, the gaps between them
# stay background, and escape ends the program with code 0.
# Set TW_TEXT_PAGE_SHOT=<file.png> to keep the screenshot.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_screen_w=1920
k_screen_h=1080
k_frame_limit=3600       # the page quits by itself after a minute whatever happens
k_settle_s=2             # let the first frames draw before the screenshot
k_background="46 28 22"  # the page's background colour
k_background_slack=4     # per channel, for the screenshot's rounding
k_min_ink=0.05           # share of bright pixels in a band that holds text

require_tools Xvfb xdotool import convert

start_private_xvfb "${k_screen_w}x${k_screen_h}x24"

start_game "$k_frame_limit"
window=$(wait_for_window "Text page")

sleep "$k_settle_s"
kill -0 "$game_pid" 2>/dev/null || fail "the text page ended while drawing"
shot="$work/shot.png"
timeout 20 import -window root "$shot" || fail "screenshot failed"
[ -n "${TW_TEXT_PAGE_SHOT:-}" ] && cp "$shot" "$TW_TEXT_PAGE_SHOT"

expect_background() {
  local name=$1 seen
  shift
  seen=$(brightest "$@")
  awk -v seen="$seen" -v bg="$k_background" -v slack="$k_background_slack" 'BEGIN {
    split(seen, s, " "); split(bg, b, " ")
    for (i = 1; i <= 3; ++i) if (s[i] > b[i] + slack) exit 1
  }' || fail "$name: expected background, brightest pixel is $seen"
  echo "$name: background"
}

geometry=$(convert "$shot" -format "%w %h" info:)
[ "$geometry" = "$k_screen_w $k_screen_h" ] || fail "screenshot is $geometry"
corner=$(convert "$shot" -crop 1x1+4+4 +repage -format "%[fx:round(r*255)] %[fx:round(g*255)] %[fx:round(b*255)]" info:)
[ "$corner" = "$k_background" ] || fail "background is $corner, expected $k_background"

# Bands in screen pixels: one view unit is 1080 / 2048 pixels, the view's
# origin at the screen's centre. The title hangs from y = 980, the paragraphs'
# anchor points sit at x = -1780, 0, 1780 and y = 660, 0, -980.
expect_ink title 640 90 640 40
columns=("25 275" "860 200" "1620 275")  # left x and width of each column's band
rows=(195 520 1005)                      # top y of each row's band, 40 high
for row in 0 1 2; do
  for column in 0 1 2; do
    read -r x w <<<"${columns[$column]}"
    expect_ink "anchor $((row * 3 + column))" "$w" 40 "$x" "${rows[$row]}"
  done
done
expect_background "below the title" 1920 40 0 145
expect_background "between the top and middle rows" 1920 50 0 390
expect_background "between the middle and bottom rows" 1920 150 0 655

timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
timeout 5 xdotool key Escape || fail "xdotool could not send Escape"
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after Escape, expected 0"
echo "PASS: text page drawn where expected and closed by Escape"
