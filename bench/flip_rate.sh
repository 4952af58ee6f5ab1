#!/bin/bash
# Flips per second and processor time per second of the demo playing full
# screen on a 1920 x 1080 screen under Xvfb and openbox: on sdl12-compat as
# the demo sets it up (one flip per display refresh), on sdl12-compat with
# SDL12COMPAT_SYNC_TO_VBLANK=0 set by the user, and on classic SDL 1.2,
# which has no such wait. Xvfb has no vertical blank; SDL2 waits out the
# refresh interval itself.
# Usage: bench/flip_rate.sh [seconds per run]   (after a build in build/)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
RUN_SECONDS="${1:-5}"
COUNTER="$BUILD/bench/libflip_counter.so"
[ -x "$BUILD/demo" ] && [ -f "$COUNTER" ] || { echo "build the demo first (scripts/setup.sh)" >&2; exit 1; }
COMPAT_DIR="$(dirname "$(dpkg -L libsdl1.2-compat | grep '/sdl12-compat/libSDL-1.2.so.0$')")"
TICKS_PER_SECOND="$(getconf CLK_TCK)"

# The end-to-end tests' private X server, window manager and working directory.
set -- "$BUILD/demo" "$BUILD/data"
source "$ROOT/tests/e2e/lib.sh"
make_workdir
start_xvfb 1920x1080
start_openbox

# Runs the demo for RUN_SECONDS with the given environment settings, ends it
# with SIGTERM and prints the counter's figures and the processor time it
# took per second of the run, under the label $1.
rate() {
    local label="$1" pid ticks
    shift
    env "$@" LD_PRELOAD="$COUNTER" "$DEMO" >"$WORK/rate.log" 2>/dev/null &
    pid=$!
    sleep "$RUN_SECONDS"
    ticks="$(awk '{ print $14 + $15 }' "/proc/$pid/stat")"
    kill -TERM "$pid"
    wait "$pid" || true
    echo "$label $(cat "$WORK/rate.log") cpu_per_s $(awk -v t="$ticks" -v hz="$TICKS_PER_SECOND" -v s="$RUN_SECONDS" \
        'BEGIN { printf "%.2f", t / hz / s }')"
}

rate compat_default -u SDL12COMPAT_SYNC_TO_VBLANK LD_LIBRARY_PATH="$COMPAT_DIR"
rate compat_sync_off SDL12COMPAT_SYNC_TO_VBLANK=0 LD_LIBRARY_PATH="$COMPAT_DIR"
rate classic -u SDL12COMPAT_SYNC_TO_VBLANK
