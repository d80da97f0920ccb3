#!/usr/bin/env bash
# `cmake --install` into a temporary prefix, then the installed game started
# through its launcher from another folder reaches its title screen and quits
# cleanly with F10. Called as: installed.sh <game> <content folder> <build folder>.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

build=${3:?usage: $0 <game> <content folder> <build folder>}
k_settle_s=5

require_tools Xvfb xdotool
start_private_xvfb "1280x720x24"

prefix="$work/prefix"
timeout 120 cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 \
  || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
for file in bin/thistlewarp lib/thistlewarp/thistlewarp share/thistlewarp/textures/icon.bmp \
    share/thistlewarp/c0.xml share/thistlewarp/font/font_desc.xml \
    share/applications/thistlewarp.desktop share/icons/hicolor/scalable/apps/thistlewarp.svg \
    share/icons/hicolor/256x256/apps/thistlewarp.png; do
  [ -e "$prefix/$file" ] || fail "the installation has no $file"
done
grep -qx "Exec=$prefix/bin/thistlewarp" "$prefix/share/applications/thistlewarp.desktop" \
  || fail "the desktop entry does not start the launcher"
[ ! -e "$prefix/share/thistlewarp/CMakeFiles" ] || fail "build files were installed as content"
echo "installed into $prefix"

mkdir -p "$work/data" "$work/elsewhere"
(cd "$work/elsewhere" && XDG_DATA_HOME="$work/data" exec "$prefix/bin/thistlewarp") \
  >"$work/stdout" 2>"$work/stderr" &
game_pid=$!
window=$(wait_for_window)
sleep "$k_settle_s"
kill -0 "$game_pid" 2>/dev/null || fail "the installed game ended on its title screen"
timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
timeout 5 xdotool key F10 || fail "xdotool could not send F10"
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status after F10"
[ -f "$work/data/Thistlewarp/data.xml" ] || fail "no player data saved"
echo "PASS: installed, started from the menu's launcher, quit with F10"
