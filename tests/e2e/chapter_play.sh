#!/usr/bin/env bash
# A later chapter played to its end in a real window on an Xvfb of its own at
# 1920x1080, from a save that has unlocked it: a picture at each held moment
# (the opening fade, the chapter's guard or creatures, each puzzle opening, the
# ending fade). The pictures between the first and the last must be lit and
# colourful, the ending darker than the brightest of them; the save must say
# the chapter is complete. Set TW_CHAPTER_SHOTS=<folder> to keep the pictures.
# Usage: chapter_play.sh <chapter_play> <content folder> <chapter>
set -euo pipefail
chapter=${3:?usage: $0 <chapter_play> <content folder> <chapter>}
set -- "$1" "$2"
. "$(dirname "$0")/lib.sh"

k_ready_wait_tenths=2400  # how long each moment may take to come, in 0.1 s
k_settle_s=1
k_min_play_brightness=0.04  # chapter two is a night scene; puzzle openings are half faded
k_min_play_colour=0.08
k_max_fade_share=0.8

require_tools Xvfb import convert

brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
saturation() { convert "$1" -colorspace HSL -channel G -separate -format "%[fx:mean]" info:; }
at_least() { awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }'; }

start_private_xvfb 1920x1080x24
start_game "$chapter" "$work"
moments=""
for _ in $(seq 300); do
  moments=$(grep '^moments ' "$work/stdout" | cut -d' ' -f2 || true)
  [ -n "$moments" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the program ended before it started the chapter"
  sleep 0.1
done
[ -n "$moments" ] || fail "the program never said how many moments to expect"
for shot in $(seq "$moments"); do
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
  if [ -n "${TW_CHAPTER_SHOTS:-}" ]; then
    mkdir -p "$TW_CHAPTER_SHOTS"
    cp "$work/shot$shot.png" "$TW_CHAPTER_SHOTS/c$chapter-$shot-$name.png"
  fi
  echo "$line: brightness $(brightness "$work/shot$shot.png"), colour $(saturation "$work/shot$shot.png")"
  touch "$work/shot$shot.done"
done
k_exit_wait_tenths=1200
wait_for_exit
grep "^chapter $chapter:" "$work/stdout" || true
[ "$game_status" -eq 0 ] || fail "exit code $game_status, expected 0: $(tail -n 3 "$work/stderr")"
grep -q "chapters_complete=\"$chapter\"" "$work/data/Thistlewarp/data.xml" \
  || fail "data.xml does not say chapter $chapter is complete"

play=0
for shot in $(seq 2 $((moments - 1))); do
  b=$(brightness "$work/shot$shot.png")
  at_least "$b" "$k_min_play_brightness" || fail "picture $shot is too dark for play"
  at_least "$(saturation "$work/shot$shot.png")" "$k_min_play_colour" || fail "picture $shot is grey"
  at_least "$play" "$b" || play=$b
done
awk -v a="$play" -v b="$(brightness "$work/shot$moments.png")" -v m="$k_max_fade_share" \
  'BEGIN { exit !(b <= a * m) }' || fail "the ending picture is not darkened by its fade"
echo "PASS: chapter $chapter played to its end in a real window, $moments moments pictured"
