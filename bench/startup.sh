#!/bin/bash
# Measures the demo's start-up, from process start to its first frame, with
# the dummy video driver and silent sound: the median of several runs.
# Usage: bench/startup.sh [runs]   (after a build in build/)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
RUNS="${1:-15}"
PROBE="$BUILD/bench/libfirst_frame_probe.so"
[ -x "$BUILD/demo" ] && [ -f "$PROBE" ] || { echo "build the demo first (scripts/setup.sh)" >&2; exit 1; }

cd "$BUILD"
times=()
for _ in $(seq "$RUNS"); do
    start=$(date +%s%N)
    out="$(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LD_PRELOAD="$PROBE" ./demo)"
    end="${out#first_frame_ns }"
    times+=($(((end - start) / 1000)))
done
printf '%s\n' "${times[@]}" | sort -n | awk '
    { t[NR] = $1 }
    END {
        median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
        printf "runs %d fastest_ms %.1f slowest_ms %.1f\n", NR, t[1] / 1000, t[NR] / 1000
        printf "startup_ms %.1f\n", median / 1000
    }'
