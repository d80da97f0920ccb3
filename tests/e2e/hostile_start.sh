#!/usr/bin/env bash
# The real game against bad files: started outside its content folder it says
# how to start it; with a truncated title scene it names the file and still
# quits in order; a player file that hides deep nesting behind a document type
# is kept aside instead of crashing every start.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

save="$work/data/Thistlewarp/data.xml"

# 1. No content in the working folder: a clear message and exit code 1.
mkdir -p "$work/empty"
status=0
(cd "$work/empty" && XDG_DATA_HOME="$work/data" timeout 20 "$game") >"$work/stdout" 2>"$work/stderr" || status=$?
[ "$status" -eq 1 ] || fail "exit code $status outside the content folder, expected 1"
grep -q "no game content in $work/empty" "$work/stderr" || fail "no message naming the folder"
grep -q "scripts/play" "$work/stderr" || fail "the message does not say how to start the game"
echo "outside the content folder: $(head -n1 "$work/stderr")"

require_display

# 2. A truncated title scene: the file and folder are named, F10 still quits.
shipped=$content
content="$work/broken_content"
mkdir -p "$content"
for entry in "$shipped"/*; do
  [ "$(basename "$entry")" = c0.xml ] || ln -s "$entry" "$content/"
done
head -c 400 "$shipped/c0.xml" >"$content/c0.xml"
start_game
window=$(wait_for_window)
sleep 2
grep -q "cannot load the scene \"c0.xml\" in $content" "$work/stderr" || fail "no message naming c0.xml"
timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
timeout 5 xdotool key F10 || fail "xdotool could not send F10"
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status with a truncated scene"
echo "truncated scene: $(grep -m1 'cannot load' "$work/stderr")"
content=$shipped

# 3. A player file whose deep nesting hides behind a document type.
rm -rf "$work/data"
mkdir -p "$(dirname "$save")"
awk 'BEGIN { printf "<!DOCTYPE d ["; for (i = 0; i < 3000; i++) printf "</x>";
             printf "]>"; for (i = 0; i < 200000; i++) printf "<a>" }' >"$save"
start_game
window=$(wait_for_window)
sleep 2
timeout 5 xdotool windowfocus "$window" 2>/dev/null || true
timeout 5 xdotool key F10 || fail "xdotool could not send F10"
wait_for_exit
[ "$game_status" -eq 0 ] || fail "exit code $game_status with a hostile player file"
grep -q DOCTYPE "$save.bad" || fail "the hostile file was not kept aside"
grep -q '<persistent_data' "$save" || fail "no fresh player record was saved"
echo "hostile player file: kept as data.xml.bad, a fresh record saved"
echo "PASS: bad files give clear outcomes"
