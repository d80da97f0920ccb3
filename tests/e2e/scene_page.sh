#!/usr/bin/env bash
# The sample scene in a real window on an Xvfb of its own: the scripted walk
# reaches its end, and the three held moments (first level, after the camera
# change, mid-hop) are painted pictures that differ from each other.
# Set TW_SCENE_PAGE_SHOTS=<folder> to keep the screenshots.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_screen_w=1600
k_screen_h=900
k_shot_wait_tenths=900   # how long each held moment may take to come, in 0.1 s
k_settle_s=1             # let the held picture draw before the screenshot
k_grid=6                 # samples per side of a screenshot
k_min_lit=30             # of the 36 samples, at least this many must be lit
k_black_level=16         # a sample with all channels at or below this is black
k_min_change=0.05        # normalised RMSE between the first two pictures

require_tools Xvfb import convert compare

start_private_xvfb "${k_screen_w}x${k_screen_h}x24"

start_game "$work"

# Share of the k_grid x k_grid samples of a screenshot that are not black.
lit_samples() {
  convert "$1" -sample "${k_grid}x${k_grid}!" -depth 8 txt:- \
    | sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
    | awk -v black="$k_black_level" '$1 > black || $2 > black || $3 > black { n++ } END { print n + 0 }'
}

for shot in 1 2 3; do
  for _ in $(seq "$k_shot_wait_tenths"); do
    grep -qx "shot $shot" "$work/stdout" && break
    kill -0 "$game_pid" 2>/dev/null || fail "the scene page ended before moment $shot"
    sleep 0.1
  done
  grep -qx "shot $shot" "$work/stdout" || fail "moment $shot never came"
  sleep "$k_settle_s"
  timeout 20 import -window root "$work/shot$shot.png" || fail "screenshot $shot failed"
  lit=$(lit_samples "$work/shot$shot.png")
  echo "moment $shot: $lit of $((k_grid * k_grid)) samples lit"
  [ "$lit" -ge "$k_min_lit" ] || fail "moment $shot is mostly black"
  if [ -n "${TW_SCENE_PAGE_SHOTS:-}" ]; then
    mkdir -p "$TW_SCENE_PAGE_SHOTS"
    cp "$work/shot$shot.png" "$TW_SCENE_PAGE_SHOTS/"
  fi
  touch "$work/shot$shot.done"
done

wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status, expected 0 (walk finished)"

# compare exits 1 when the pictures differ, which is what is expected here.
change=$( (compare -metric RMSE "$work/shot1.png" "$work/shot2.png" null: 2>&1 || true) \
  | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
echo "first level against second: RMSE $change"
awk -v c="$change" -v m="$k_min_change" 'BEGIN { exit !(c >= m) }' \
  || fail "the camera change did not change the picture (RMSE $change)"

echo "PASS: the walk finished; three painted moments ($(tail -n1 "$work/stdout"))"
