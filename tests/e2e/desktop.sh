#!/usr/bin/env bash
# The game as a desktop program on an Xvfb of its own (1280x720): the window is
# titled Thistlewarp; Alt+Enter turns it into a window of two thirds of the
# screen and back; F12 leaves a PNG of the frame in the pictures folder; M
# silences the mix (recorded through SDL's disk audio driver); Esc opens and
# closes chapter one's pause screen. Set TW_DESKTOP_SHOTS=<folder> to keep the
# screenshots (the title screen, the window mode, the volume text, chapter one
# and its pause screen).
set -euo pipefail
. "$(dirname "$0")/lib.sh"

k_screen_w=1280
k_screen_h=720
k_window_w=853        # two thirds of the screen
k_window_h=480
k_settle_s=5          # the title screen loads and fades in
k_chapter_s=12        # chapter one loads and its opening fade ends
k_audio_rate=176400   # bytes a second: 44.1 kHz, 16-bit stereo
k_mute_margin=1       # seconds of already mixed audio allowed after M
k_quiet_s=2           # seconds of recording that must be silent after the margin
k_pause_share=0.6     # the pause screen is at most this share of the scene's brightness

require_tools Xvfb xdotool import convert identify cmp
start_private_xvfb "${k_screen_w}x${k_screen_h}x24"

shots=${TW_DESKTOP_SHOTS:-}
keep() {
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    cp "$1" "$shots/$2"
  fi
}
brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
shot() { timeout 20 import -window root "$work/$1" || fail "screenshot $1 failed"; }
geometry() {
  eval "$(timeout 5 xdotool getwindowgeometry --shell "$window")"
  echo "${WIDTH}x${HEIGHT}"
}
key() { timeout 5 xdotool key "$@" || fail "xdotool could not send $*"; }

mkdir -p "$work/pictures"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/audio.raw" XDG_PICTURES_DIR="$work/pictures"
start_game
window=$(wait_for_window)
title=$(timeout 5 xdotool getwindowname "$window")
[ "$title" = Thistlewarp ] || fail "the window is titled '$title'"
echo "title: $title"
sleep "$k_settle_s"
timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
[ "$(geometry)" = "${k_screen_w}x${k_screen_h}" ] || fail "not full screen at start: $(geometry)"
shot title.png
keep "$work/title.png" title.png

# Alt+Enter: a window of two thirds of the screen, then full screen again.
key alt+Return
sleep 1
[ "$(geometry)" = "${k_window_w}x${k_window_h}" ] || fail "Alt+Enter gave $(geometry)"
echo "window mode: $(geometry)"
shot window.png
keep "$work/window.png" window_mode.png
grep -q 'fullscreen="0"' "$work/data/Thistlewarp/settings.xml" || fail "the window mode was not remembered"
key alt+Return
sleep 1
[ "$(geometry)" = "${k_screen_w}x${k_screen_h}" ] || fail "the second Alt+Enter gave $(geometry)"
echo "full screen again: $(geometry)"
timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true

# F12: a PNG of the frame, the size of the screen.
key F12
sleep 1
png=$(ls "$work/pictures/Thistlewarp/"thistlewarp-*.png 2>/dev/null | head -n1 || true)
[ -n "$png" ] || fail "F12 left no screenshot in \$XDG_PICTURES_DIR/Thistlewarp"
size=$(identify -format "%wx%h" "$png")
[ "$size" = "${k_screen_w}x${k_screen_h}" ] || fail "the screenshot is $size"
lit=$(brightness "$png")
awk -v b="$lit" 'BEGIN { exit !(b > 0.05) }' || fail "the screenshot is black ($lit)"
echo "screenshot: $(basename "$png") $size, brightness $lit"

# Volume: three steps down show "volume 70%" in the corner.
key minus minus minus
sleep 0.3
shot volume.png
keep "$work/volume.png" volume_text.png
grep -q 'volume="7"' "$work/data/Thistlewarp/settings.xml" || fail "the volume was not remembered"

# M: everything mixed after it (past what was already buffered) is silence.
[ -s "$work/audio.raw" ] || fail "nothing was recorded by the disk audio driver"
heard=$(tail -c "$k_audio_rate" "$work/audio.raw" | cmp -s - <(head -c "$k_audio_rate" /dev/zero) && echo silent || echo sound)
[ "$heard" = sound ] || fail "the title music was silent before M"
key m
muted_at=$(stat -c %s "$work/audio.raw")
sleep $((k_mute_margin + k_quiet_s + 1))
from=$((muted_at + k_mute_margin * k_audio_rate))
length=$((k_quiet_s * k_audio_rate))
[ "$(stat -c %s "$work/audio.raw")" -ge $((from + length)) ] || fail "the recording stopped after M"
cmp -s -n "$length" -i "$from:0" "$work/audio.raw" /dev/zero || fail "the mix is not silent after M"
echo "muted: $k_quiet_s s of silence recorded"
key m

# Esc on the title screen does nothing; in chapter one it opens and closes the pause screen.
key Escape
sleep 0.5
kill -0 "$game_pid" 2>/dev/null || fail "Esc on the title screen ended the game"
unit=$(awk -v s="$k_screen_h" 'BEGIN { print s / 2048 }')
card_x=$(awk -v w="$k_screen_w" -v u="$unit" 'BEGIN { printf "%d", w / 2 - 600 * u }')
card_y=$(awk -v h="$k_screen_h" -v u="$unit" 'BEGIN { printf "%d", h / 2 + 100 * u }')
timeout 5 xdotool mousemove --window "$window" "$card_x" "$card_y" mousedown 1 sleep 0.2 mouseup 1
sleep "$k_chapter_s"
shot chapter.png
keep "$work/chapter.png" chapter.png
key Escape
sleep 0.5
shot paused.png
keep "$work/paused.png" pause_screen.png
key Escape
sleep 0.5
shot resumed.png
scene=$(brightness "$work/chapter.png")
paused=$(brightness "$work/paused.png")
resumed=$(brightness "$work/resumed.png")
echo "brightness: chapter $scene, paused $paused, resumed $resumed"
awk -v s="$scene" -v p="$paused" -v k="$k_pause_share" 'BEGIN { exit !(s > 0.05 && p < s * k) }' \
  || fail "Esc did not dim the chapter under the pause screen"
awk -v s="$scene" -v r="$resumed" -v k="$k_pause_share" 'BEGIN { exit !(r > s * k) }' \
  || fail "the second Esc did not close the pause screen"

key F10
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after F10"
grep -q persistent_data "$work/data/Thistlewarp/data.xml" || fail "no player data saved"
grep -q '<settings' "$work/data/Thistlewarp/data.xml" && fail "settings leaked into data.xml"
echo "PASS: title, window mode, screenshot, volume, mute, pause"
