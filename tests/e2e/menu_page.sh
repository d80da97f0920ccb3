#!/usr/bin/env bash
# The title screen in the real game on Xvfbs of its own, once letterboxed at
# 1280x720 and once at 2560x1080 (wider than 2:1): it fades in, paints its
# scene, the credits glide through the lower band, and the quit button (a
# real click) ends the game with exit code 0 and the player's record saved.
# Set TW_MENU_PAGE_SHOTS=<folder> to keep the screenshots.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_burst_limit_s=15     # pictures are taken back to back at most this long after the window shows
k_burst_lit=4          # the burst ends after this many pictures brighter than the loading screen
k_loading_level=0.02   # mean brightness of the loading screen (black, a logo, a bar)
k_fading_share=0.85    # a fading picture is darker than this share of the settled one
k_settled_s=4          # after the scene first shows: faded in, no credits in view yet
k_credits_s=19         # after the scene first shows: two or three credit blocks in view
k_grid=6               # samples per side of the band
k_min_lit=33           # of the 36 samples in the 2:1 band, at least this many are lit
k_black_level=16       # a sample with all channels at or below this is black
k_white_level=92%      # a pixel this bright counts as credit text
k_min_text_gain=0.004  # the credits band holds this much more white at 20 s than at 5 s
k_press_s=0.2          # the button is held this long, so a frame sees the press
k_min_play_ms=15000    # play time the saved record must hold after 20 s in the menu

require_tools Xvfb xdotool import convert

keep() {
  if [ -n "${TW_MENU_PAGE_SHOTS:-}" ]; then
    mkdir -p "$TW_MENU_PAGE_SHOTS"
    cp "$1" "$TW_MENU_PAGE_SHOTS/$2"
  fi
}

# Sleeps until the shell's SECONDS reach $1 (at once if they have).
sleep_until() {
  local left=$(($1 - SECONDS))
  [ "$left" -le 0 ] || sleep "$left"
}

# Mean brightness 0..1 of a picture.
brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
# The same, roughly and quickly, from a sample of its pixels.
quick_brightness() { convert "$1" -sample 48x48! -colorspace Gray -format "%[fx:mean]" info:; }

# Share of near-white pixels in a band w h x y of picture $1.
white_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -threshold "$k_white_level" \
    -format "%[fx:mean]" info:
}

# Lit samples of the k_grid x k_grid grid over the band w h x y of picture $1.
lit_samples() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -sample "${k_grid}x${k_grid}!" -depth 8 txt:- \
    | sed -n 's/^[0-9]*,[0-9]*: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' \
    | awk -v black="$k_black_level" '$1 > black || $2 > black || $3 > black { n++ } END { print n + 0 }'
}

# The pixel of UI point (x, y) for a button anchored to the top-right corner:
# it keeps its offset from that corner, and the shorter side spans 2048 units.
quit_pixel() {
  awk -v w="$1" -v h="$2" 'BEGIN {
    s = (w < h) ? w : h; unit = s / 2048
    x = 896 + (w - s) * 1024 / s; y = 440
    printf "%d %d\n", w / 2 + x * unit, h / 2 - y * unit }'
}

run_menu() {
  local w=$1 h=$2 name=$1x$2 band_h band_y credits_y credits_h start best level settled gain px py
  start_private_xvfb "${w}x${h}x24"
  start_game
  wait_for_window >/dev/null

  # A burst from the window's first frames: the loading screen, then the fade
  # from black. Loading takes longer on a busy machine, so the burst runs until
  # a few pictures show the scene, and the later pictures are timed from the
  # moment the scene first showed.
  local shown=$SECONDS burst=0 lit=0 scene_at=""
  while [ $((SECONDS - shown)) -lt "$k_burst_limit_s" ] && [ "$lit" -lt "$k_burst_lit" ]; do
    burst=$((burst + 1))
    timeout 20 import -window root "$work/$name-burst$burst.png" || fail "$name: screenshot failed"
    if awk -v l="$(quick_brightness "$work/$name-burst$burst.png")" -v low="$k_loading_level"         'BEGIN { exit !(l > low) }'; then
      lit=$((lit + 1))
      [ -n "$scene_at" ] || scene_at=$SECONDS
    fi
  done
  [ -n "$scene_at" ] || fail "$name: the loading screen never gave way in ${k_burst_limit_s} s"
  sleep_until $((scene_at + k_settled_s))
  timeout 20 import -window root "$work/$name-5s.png" || fail "$name: screenshot failed"
  sleep_until $((scene_at + k_credits_s))
  timeout 20 import -window root "$work/$name-20s.png" || fail "$name: screenshot failed"

  # The 2:1 band the scene fills, and its credits band: the lower part, from
  # a sixth below the middle to a twentieth above the bottom.
  band_h=$(( w / 2 < h ? w / 2 : h ))
  band_y=$(( (h - band_h) / 2 ))
  credits_y=$(( band_y + band_h * 2 / 3 ))
  credits_h=$(( band_h * 3 / 10 ))

  # The fade: a picture of the burst brighter than the loading screen and
  # clearly darker than the settled menu; the one nearest half way is kept.
  settled=$(brightness "$work/$name-5s.png")
  start=""
  best=""
  for i in $(seq "$burst"); do
    level=$(brightness "$work/$name-burst$i.png")
    if awk -v l="$level" -v low="$k_loading_level" -v s="$settled" -v f="$k_fading_share" \
        -v b="${best:-none}" \
        'BEGIN { d = l - s / 2; d = d < 0 ? -d : d; e = b - s / 2; e = e < 0 ? -e : e
                 exit !(l > low && l < s * f && (b == "none" || d < e)) }'; then
      start=$level
      best=$level
      cp "$work/$name-burst$i.png" "$work/$name-start.png"
    fi
  done
  [ -n "$start" ] || fail "$name: none of $burst pictures caught the fade-in (settled $settled)"
  echo "$name: fading in at brightness $start of $settled ($burst pictures, the scene after $((scene_at - shown)) s)"
  for shot in start 5s 20s; do keep "$work/$name-$shot.png" "menu-$name-$shot.png"; done

  lit=$(lit_samples "$work/$name-5s.png" "$w" "$band_h" 0 "$band_y")
  echo "$name: $lit of $((k_grid * k_grid)) samples of the scene lit"
  [ "$lit" -ge "$k_min_lit" ] || fail "$name: the scene is mostly black"

  gain=$(awk -v a="$(white_share "$work/$name-5s.png" "$w" "$credits_h" 0 "$credits_y")" \
             -v b="$(white_share "$work/$name-20s.png" "$w" "$credits_h" 0 "$credits_y")" \
             'BEGIN { print b - a }')
  echo "$name: credits band whiter by $gain at 20 s"
  awk -v g="$gain" -v m="$k_min_text_gain" 'BEGIN { exit !(g >= m) }' \
    || fail "$name: no credit text came into the lower band"

  read -r px py <<<"$(quit_pixel "$w" "$h")"
  timeout 5 xdotool mousemove "$px" "$py" mousedown 1 || fail "xdotool could not press"
  sleep "$k_press_s"
  timeout 5 xdotool mouseup 1 2>/dev/null || true
  wait_for_exit
  [ "$game_status" -eq 0 ] || fail "$name: exit code $game_status after quit, expected 0"

  save="$work/data/Thistlewarp/data.xml"
  [ -f "$save" ] || fail "$name: quit saved no data.xml"
  grep -q '"leave_menu"' "$save" || fail "$name: the saved record holds no leave_menu event"
  played=$(sed -n 's/.*total_time="\([0-9]*\)".*/\1/p' "$save")
  [ "${played:-0}" -ge "$k_min_play_ms" ] || fail "$name: saved play time ${played:-none} ms"
  echo "$name: quit with code 0; data.xml saved with $played ms of play"
  rm -rf "$work/data"
  stop_private_xvfb
}

run_menu 1280 720
run_menu 2560 1080
echo "PASS: the title screen fades in, rolls its credits and quits in order at both sizes"
