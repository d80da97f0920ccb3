# Shared helpers for the real-program tests: start the game on the current
# display with a fresh save folder, find its window, and always clean up.
# Sourced by the test scripts; they are called as: <script> <game> <content folder>.

k_skip=77                 # ctest's SKIP_RETURN_CODE for these tests
k_window_wait_tenths=100  # how long the window may take to appear, in 0.1 s
k_exit_wait_tenths=100    # how long the game may take to quit after F10, in 0.1 s

game=${1:?usage: $0 <game executable> <content folder>}
content=${2:?usage: $0 <game executable> <content folder>}
game=$(readlink -f "$game")
work=$(mktemp -d)
game_pid=""

cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
    kill -9 "$game_pid" 2>/dev/null || true
    wait "$game_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() {
  echo "FAIL: $*" >&2
  if [ -s "$work/stderr" ]; then
    echo "--- game stderr ---" >&2
    tail -n 40 "$work/stderr" >&2
  fi
  exit 1
}

require_display() {
  if [ -z "${DISPLAY:-}" ]; then
    echo "SKIP: DISPLAY is not set; scripts/check runs these tests on its own Xvfb"
    exit "$k_skip"
  fi
  timeout 10 xdpyinfo >/dev/null 2>&1 || fail "cannot open DISPLAY=$DISPLAY"
}

# Skips the test unless every named program is installed.
require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit "$k_skip"
    fi
  done
}

# Starts the program under test in the background from the content folder with
# its own XDG_DATA_HOME ($work/data) and the given arguments; sets game_pid.
start_game() {
  mkdir -p "$work/data"
  (cd "$content" && XDG_DATA_HOME="$work/data" exec "$game" "$@") >"$work/stdout" 2>"$work/stderr" &
  game_pid=$!
}

# Prints the id of the program's visible window titled $1 (default: the game's
# title) once it is mapped; fails after the timeout.
wait_for_window() {
  local title=${1:-Thistlewarp} id=""
  for _ in $(seq "$k_window_wait_tenths"); do
    kill -0 "$game_pid" 2>/dev/null || fail "the program ended before showing a window"
    id=$(timeout 5 xdotool search --onlyvisible --pid "$game_pid" --name "^$title\$" 2>/dev/null \
      | head -n1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no visible window titled $title within $((k_window_wait_tenths / 10)) s"
}

# Waits for the game to end; sets game_status, fails if it does not end in time.
wait_for_exit() {
  for _ in $(seq "$k_exit_wait_tenths"); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$game_pid" 2>/dev/null && fail "the game is still running $((k_exit_wait_tenths / 10)) s later"
  game_status=0
  wait "$game_pid" || game_status=$?
  game_pid=""
}

# Prints utime + stime of the game, in clock ticks (all threads).
cpu_ticks() {
  local stat
  stat=$(cat "/proc/$game_pid/stat") || fail "the game is gone"
  # The name in brackets may hold spaces; the fields after it start at field 3,
  # so utime and stime (fields 14 and 15) are the 12th and 13th after it.
  echo "${stat##*) }" | awk '{ print $12 + $13 }'
}

k_xvfb_start_tenths=100  # how long a private Xvfb may take to accept connections, in 0.1 s
xvfb_pid=""

# Stops the private Xvfb, if one was started.
stop_private_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}

# Starts an Xvfb of the test's own with one screen WxHxD and points DISPLAY at it;
# it is stopped when the script ends. -displayfd lets Xvfb pick a free display
# and report it once it accepts connections; -noreset keeps it up when its last
# client leaves (a reset refuses the next client for a moment).
start_private_xvfb() {
  command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit "$k_skip"; }
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  trap 'cleanup; stop_private_xvfb' EXIT
  for _ in $(seq "$k_xvfb_start_tenths"); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n1 "$work/display")"
}

# Screenshot bands: each takes w h x y of a band of the screenshot $shot.
# Share of bright pixels in the band.
ink() {
  convert "$shot" -crop "$1x$2+$3+$4" +repage -colorspace Gray -threshold 50% \
    -format "%[fx:mean]" info:
}
# The brightest red, green and blue in the band, 0..255.
brightest() {
  convert "$shot" -crop "$1x$2+$3+$4" +repage \
    -format "%[fx:round(maxima.r*255)] %[fx:round(maxima.g*255)] %[fx:round(maxima.b*255)]" info:
}
# Fails unless at least k_min_ink of the band named $1 is bright (text).
expect_ink() {
  local name=$1 share
  shift
  share=$(ink "$@")
  awk -v s="$share" -v m="$k_min_ink" 'BEGIN { exit !(s >= m) }' \
    || fail "$name: only $share of the band is text"
  echo "$name: text ($share)"
}
