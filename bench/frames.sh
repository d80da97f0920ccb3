#!/usr/bin/env bash
# Runs the frame benchmark for every scene at 1280x720 and 1920x1080, each size
# on a private Xvfb, so the drawing is done by Mesa's software renderer.
# Usage: bench/frames.sh <bench_frames> [seconds] [content folder] [scene...]
set -euo pipefail
bench=$(readlink -f "${1:?usage: $0 <bench_frames> [seconds] [content folder] [scene...]}")
seconds=${2:-4}
content=${3:-$(dirname "$bench")/../content}
shift $(( $# < 3 ? $# : 3 ))
scenes=("$@")
[ ${#scenes[@]} -gt 0 ] || mapfile -t scenes < <("$bench" --list)
for size in 1280x720 1920x1080; do
  for scene in "${scenes[@]}"; do
    xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" "$bench" "$scene" "$seconds" "$content" \
      2>/dev/null | grep -v '^ERROR'
  done
done
