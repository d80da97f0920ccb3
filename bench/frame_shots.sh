#!/usr/bin/env bash
# Pictures of the title screen and chapter one's opening at fixed ticks, at
# 1280x720 and 1920x1080, drawn by the frame benchmark through the software
# renderer, for comparing the drawing before and after a change:
#   bench/frame_shots.sh <bench_frames> <folder> [content folder]
#   bench/frame_shots.sh --compare <folder before> <folder after>
set -euo pipefail
if [ "${1:-}" = "--compare" ]; then
  before=${2:?}; after=${3:?}
  for file in "$before"/*.ppm; do
    name=$(basename "$file")
    line="$name:"
    for channel in R G B; do
      # Peak absolute error of the channel, 0..1, as 0..255 levels.
      peak=$(compare -channel "$channel" -metric PAE "$file" "$after/$name" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
      line="$line $channel $(awk -v p="$peak" 'BEGIN { printf "%d", p * 255 + 0.5 }')"
    done
    differing=$(compare -metric AE "$file" "$after/$name" null: 2>&1 || true)
    echo "$line  (largest difference per channel in levels of 255; $differing pixels differ)"
  done
  exit 0
fi
bench=$(readlink -f "${1:?usage: $0 <bench_frames> <folder> [content folder]}")
folder=$(mkdir -p "${2:?}" && readlink -f "$2")
content=${3:-$(dirname "$bench")/../content}
for size in 1280x720 1920x1080; do
  for shot in menu:240 menu:900 chapter1:560 chapter1:1500 c1p2:60; do
    scene=${shot%%:*}; ticks=${shot##*:}
    xvfb-run -a -s "-screen 0 ${size}x24 -nolisten tcp" "$bench" "$scene" --shot \
      "$folder/$scene-$ticks-$size.ppm" "$ticks" "$content" >/dev/null 2>&1
  done
done
ls "$folder"
