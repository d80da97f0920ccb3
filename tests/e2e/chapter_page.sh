#!/usr/bin/env bash
# The chapter page on Xvfbs of its own, at 1920x1080 and at 1280x1024: after
# the opening fade the held moment shows the scene with the puzzle bar lit at
# the left edge and the half-charged hint button at the top right; the pause
# screen over the same moment is darker. Set TW_CHAPTER_PAGE_SHOTS=<folder>
# to keep the screenshots.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_ready_wait_tenths=900  # how long each held moment may take to come, in 0.1 s
k_settle_s=1             # let the held picture draw before the screenshot
k_black_level=16         # a pixel with all channels at or below this is black
k_min_lit=0.9            # share of lit pixels in the scene band
k_min_icon_dark=0.05     # share of dark pixels (rings, backings, badges) in the bar column
k_dark_level=20%
k_min_icon_white=0.01    # share of near-white pixels (selected ring, glow) in the bar column
k_white_level=90%
k_min_fill_warmth=0.15   # the filled lower half of the hint button is this much more yellow
k_max_pause_share=0.6    # the pause picture's brightness against the first one's

require_tools Xvfb import convert

keep() {
  if [ -n "${TW_CHAPTER_PAGE_SHOTS:-}" ]; then
    mkdir -p "$TW_CHAPTER_PAGE_SHOTS"
    cp "$1" "$TW_CHAPTER_PAGE_SHOTS/$2"
  fi
}

# Mean brightness 0..1 of a picture.
brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }

# Share of the band w h x y of picture $1 that is not black.
lit_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray \
    -threshold "$(awk -v b="$k_black_level" 'BEGIN { print b * 100 / 255 }')%" \
    -format "%[fx:mean]" info:
}

# Share of near-white pixels in the band w h x y of picture $1.
white_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -threshold "$k_white_level" \
    -format "%[fx:mean]" info:
}

# Share of dark pixels in the band w h x y of picture $1.
dark_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -negate \
    -threshold "$(awk -v d="$k_dark_level" 'BEGIN { print 100 - d }')%" -format "%[fx:mean]" info:
}

# Mean red less mean blue of the band w h x y of picture $1: high for the yellow fill.
warmth() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -format "%[fx:mean.r - mean.b]" info:
}

# Pixels of $1 UI units; the shorter side of the screen, $s pixels, spans 2048.
ui() { awk -v u="$1" -v s="$s" 'BEGIN { printf "%d\n", u * s / 2048 }'; }

at_least() { awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }'; }

wait_for_ready() {
  for _ in $(seq "$k_ready_wait_tenths"); do
    grep -qx "ready $1" "$work/stdout" && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the chapter page ended before moment $1"
    sleep 0.1
  done
  fail "moment $1 never came"
}

run_page() {
  local w=$1 h=$2 name=$1x$2 s band_h band_y col_w col_h col_y x share first paused
  start_private_xvfb "${w}x${h}x24"
  rm -f "$work"/shot*.done
  start_game "$work"
  for shot in 1 2; do
    wait_for_ready "$shot"
    sleep "$k_settle_s"
    timeout 20 import -window root "$work/$name-$shot.png" || fail "$name: screenshot $shot failed"
    touch "$work/shot$shot.done"
  done
  wait_for_exit
  [ "$game_status" -eq 0 ] || fail "$name: exit code $game_status, expected 0"
  keep "$work/$name-1.png" "chapter-$name-play.png"
  keep "$work/$name-2.png" "chapter-$name-pause.png"
  grep '^held' "$work/stdout" | sed "s/^/$name: /"

  # The scene fills a 2:1 band. The bar's icons sit 138 units in from the left
  # edge in a column of at most 960 units round the middle; the hint button's
  # middle is 128 units in from the top right corner (half size 128).
  s=$(( w < h ? w : h ))
  band_h=$(( w / 2 < h ? w / 2 : h ))
  band_y=$(( (h - band_h) / 2 ))
  col_w=$(ui 260)
  col_h=$(ui 960)
  col_y=$(( h / 2 - col_h / 2 ))

  share=$(lit_share "$work/$name-1.png" "$w" "$band_h" 0 "$band_y")
  echo "$name: $share of the scene band lit"
  at_least "$share" "$k_min_lit" || fail "$name: the scene is mostly black (fade not over?)"

  share=$(dark_share "$work/$name-1.png" "$col_w" "$col_h" 0 "$col_y")
  echo "$name: bar column $share dark (rings, backings, badges)"
  at_least "$share" "$k_min_icon_dark" || fail "$name: no icons in the bar"
  share=$(white_share "$work/$name-1.png" "$col_w" "$col_h" 0 "$col_y")
  echo "$name: bar column $share near white (selected ring, glow)"
  at_least "$share" "$k_min_icon_white" || fail "$name: no selected or glowing icon in the bar"

  # Half charged, the hint button is yellow below its middle and brown above:
  # two patches left of the question mark, 40 units above and below the middle.
  x=$(( w - $(ui 218) ))
  share=$(awk -v lo="$(warmth "$work/$name-1.png" "$(ui 45)" "$(ui 40)" "$x" "$(ui 148)")" \
              -v up="$(warmth "$work/$name-1.png" "$(ui 45)" "$(ui 40)" "$x" "$(ui 68)")" \
              'BEGIN { print lo - up }')
  echo "$name: hint button's lower half warmer by $share"
  at_least "$share" "$k_min_fill_warmth" || fail "$name: the hint button is not half filled"

  first=$(brightness "$work/$name-1.png")
  paused=$(brightness "$work/$name-2.png")
  echo "$name: brightness $first playing, $paused paused"
  awk -v a="$first" -v b="$paused" -v m="$k_max_pause_share" 'BEGIN { exit !(b <= a * m) }' \
    || fail "$name: the pause screen does not dim the scene"
  rm -rf "$work/data"
  stop_private_xvfb
}

run_page 1920 1080
run_page 1280 1024
echo "PASS: the held chapter moment and its pause screen at both sizes"
