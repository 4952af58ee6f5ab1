#!/bin/bash
# Makes docs/scenes.png: one frame of each of the six scenes, captured with
# demo-capture and tiled three by two at half size with ffmpeg.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TIMES=(14000 24000 40000 56000 80000 96000)
OUT="$(mktemp -d)"
trap 'rm -rf "$OUT"' EXIT

cd "$ROOT/build"
./demo-capture --at "$(IFS=,; echo "${TIMES[*]}")" --out "$OUT" 2>/dev/null
inputs=()
for t in "${TIMES[@]}"; do inputs+=(-i "$OUT/$t.png"); done
ffmpeg -loglevel error -y "${inputs[@]}" -filter_complex \
    "xstack=inputs=6:layout=0_0|w0_0|w0+w1_0|0_h0|w0_h0|w0+w1_h0,scale=960:480" \
    "$ROOT/docs/scenes.png"
