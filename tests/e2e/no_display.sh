#!/usr/bin/env bash
# Without any display the game says it cannot start GLFW and exits with code 1.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

status=0
(cd "$content" && XDG_DATA_HOME="$work/data" timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY "$game") \
  >"$work/stdout" 2>"$work/stderr" || status=$?
[ "$status" -ne 124 ] || fail "the game did not end within 20 s without a display"
[ "$status" -eq 1 ] || fail "exit code $status without a display, expected 1"
grep -q "Failed to initialize GLFW" "$work/stderr" || fail "stderr does not say 'Failed to initialize GLFW'"
echo "PASS: exit code 1 and the GLFW message"
