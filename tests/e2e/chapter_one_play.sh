#!/usr/bin/env bash
# Chapter one played to its end in a real window on an Xvfb of its own at
# 1920x1080, from a fresh save: a picture at each held moment (opening fade,
# walking larva with the drag hand, hanging larva, a bud opening, the seed head
# scrambled and solved, a glowing icon, the ending fade). The pictures of play
# must be lit and colourful, the fades darker; the save must say chapter one is
# complete. Set TW_CHAPTER_ONE_SHOTS=<folder> to keep the pictures.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_moments=8
k_ready_wait_tenths=1800  # how long each moment may take to come, in 0.1 s
k_settle_s=1              # let the held picture draw before the screenshot
k_min_play_brightness=0.2
k_min_play_colour=0.08    # mean saturation of a picture of play
k_max_fade_share=0.8      # a fade picture's brightness against the hanging larva's

require_tools Xvfb import convert

brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
saturation() { convert "$1" -colorspace HSL -channel G -separate -format "%[fx:mean]" info:; }
at_least() { awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }'; }

start_private_xvfb 1920x1080x24
start_game "$work"
for shot in $(seq "$k_moments"); do
  line=""
  for _ in $(seq "$k_ready_wait_tenths"); do
    line=$(grep "^ready $shot " "$work/stdout" || true)
    [ -n "$line" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the chapter ended before moment $shot"
    sleep 0.1
  done
  [ -n "$line" ] || fail "moment $shot never came"
  sleep "$k_settle_s"
  timeout 20 import -window root "$work/shot$shot.png" || fail "screenshot $shot failed"
  name=$(echo "$line" | cut -d' ' -f3- | tr ' ' '-')
  if [ -n "${TW_CHAPTER_ONE_SHOTS:-}" ]; then
    mkdir -p "$TW_CHAPTER_ONE_SHOTS"
    cp "$work/shot$shot.png" "$TW_CHAPTER_ONE_SHOTS/$shot-$name.png"
  fi
  echo "$line: brightness $(brightness "$work/shot$shot.png"), colour $(saturation "$work/shot$shot.png")"
  touch "$work/shot$shot.done"
done
k_exit_wait_tenths=600
wait_for_exit
grep '^chapter one:' "$work/stdout" || true
[ "$game_status" -eq 0 ] || fail "exit code $game_status, expected 0"
grep -q 'chapters_complete="1"' "$work/data/Thistlewarp/data.xml" \
  || fail "data.xml does not say chapter one is complete"

hanging=$(brightness "$work/shot3.png")
for shot in 2 3 4 5 6 7; do
  at_least "$(brightness "$work/shot$shot.png")" "$k_min_play_brightness" \
    || fail "picture $shot is too dark for play"
  at_least "$(saturation "$work/shot$shot.png")" "$k_min_play_colour" \
    || fail "picture $shot is grey"
done
for shot in 1 8; do
  awk -v a="$hanging" -v b="$(brightness "$work/shot$shot.png")" -v m="$k_max_fade_share" \
    'BEGIN { exit !(b <= a * m) }' || fail "picture $shot is not darkened by its fade"
done
echo "PASS: chapter one played to its end in a real window, $k_moments moments pictured"
