#!/bin/bash
# Measures the demo's start-up to its first frame, with the dummy video
# driver and sound on SDL's dummy device: the median of several runs, from
# process start, and from the moment the system had loaded the demo and its
# libraries (the demo's own start-up).
# Usage: bench/startup.sh [runs]   (after a build in build/)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
RUNS="${1:-15}"
PROBE="$BUILD/bench/libfirst_frame_probe.so"
[ -x "$BUILD/demo" ] && [ -f "$PROBE" ] || { echo "build the demo first (scripts/setup.sh)" >&2; exit 1; }

cd "$BUILD"
whole=()
own=()
for _ in $(seq "$RUNS"); do
    start=$(date +%s%N)
    read -r _ loaded _ end < <(SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LD_PRELOAD="$PROBE" ./demo)
    whole+=($(((end - start) / 1000)))
    own+=($(((end - loaded) / 1000)))
done
# The median, fastest and slowest of microsecond figures, in milliseconds.
summary() {
    printf '%s\n' "$@" | sort -n | awk '
        { t[NR] = $1 }
        END { printf "%.1f %.1f %.1f\n", ((NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2) / 1000,
              t[1] / 1000, t[NR] / 1000 }'
}
read -r median fastest slowest < <(summary "${whole[@]}")
echo "runs $RUNS fastest_ms $fastest slowest_ms $slowest"
echo "startup_ms $median"
read -r median _ < <(summary "${own[@]}")
echo "after_loading_ms $median"
