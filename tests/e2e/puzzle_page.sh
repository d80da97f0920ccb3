#!/usr/bin/env bash
# Every puzzle of the catalogue (puzzle_page --list) on an Xvfb of its own at
# 1920x1080, played to its end by its scripted player: the pictures held just
# after setup, mid-way and solved must each be lit across the scene band and
# show a picture, not one flat colour; the page must end with 0. Set
# TW_PUZZLE_PAGE_SHOTS=<folder> to keep the screenshots.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_ready_wait_tenths=900  # how long each held moment may take to come, in 0.1 s
k_settle_s=1             # let the held picture draw before the screenshot
k_black_level=16         # a pixel with all channels at or below this is black
k_min_lit=0.9            # share of lit pixels in the scene band
k_min_detail=0.03        # standard deviation of the band's brightness, 0..1

require_tools Xvfb import convert

at_least() { awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }'; }

# Share of the band w h x y of picture $1 that is not black.
lit_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray \
    -threshold "$(awk -v b="$k_black_level" 'BEGIN { print b * 100 / 255 }')%" \
    -format "%[fx:mean]" info:
}

# Standard deviation of the brightness of the band w h x y of picture $1.
detail() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -format "%[fx:standard_deviation]" info:
}

wait_for_ready() {
  for _ in $(seq "$k_ready_wait_tenths"); do
    grep -q "^ready $1 " "$work/stdout" && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "$2: the page ended before moment $1"
    sleep 0.1
  done
  fail "$2: moment $1 never came"
}

w=1920
h=1080
band_h=$(( w / 2 < h ? w / 2 : h ))
band_y=$(( (h - band_h) / 2 ))
puzzles=$("$game" --list)
[ -n "$puzzles" ] || fail "the catalogue is empty"
start_private_xvfb "${w}x${h}x24"
for puzzle in $puzzles; do
  rm -f "$work"/shot*.done
  start_game "$work" "$puzzle"
  for shot in 1 2 3; do
    wait_for_ready "$shot" "$puzzle"
    sleep "$k_settle_s"
    picture="$work/$puzzle-$shot.png"
    timeout 20 import -window root "$picture" || fail "$puzzle: screenshot $shot failed"
    touch "$work/shot$shot.done"
    line=$(grep "^ready $shot " "$work/stdout")
    lit=$(lit_share "$picture" "$w" "$band_h" 0 "$band_y")
    spread=$(detail "$picture" "$w" "$band_h" 0 "$band_y")
    echo "$puzzle: $line: $lit of the band lit, detail $spread"
    if [ -n "${TW_PUZZLE_PAGE_SHOTS:-}" ]; then
      mkdir -p "$TW_PUZZLE_PAGE_SHOTS"
      cp "$picture" "$TW_PUZZLE_PAGE_SHOTS/$puzzle-$shot-$(echo "$line" | cut -d' ' -f3).png"
    fi
    at_least "$lit" "$k_min_lit" || fail "$puzzle: picture $shot is mostly black"
    at_least "$spread" "$k_min_detail" || fail "$puzzle: picture $shot is one flat colour"
  done
  wait_for_exit
  [ "$game_status" -eq 0 ] || fail "$puzzle: exit code $game_status, expected 0"
  grep "^$puzzle:" "$work/stdout" || true
done
stop_private_xvfb
echo "PASS: every catalogued puzzle set up, half done and solved in a real window"
