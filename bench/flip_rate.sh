#!/bin/bash
# Flips per second of the demo under Xvfb: on sdl12-compat with
# SDL12COMPAT_SYNC_TO_VBLANK unset (the demo then turns it on) and set to 0
# by the user, and on classic SDL 1.2, which has no such switch.
# Usage: bench/flip_rate.sh [seconds per run]   (after a build in build/)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
RUN_SECONDS="${1:-5}"
COUNTER="$BUILD/bench/libflip_counter.so"
[ -x "$BUILD/demo" ] && [ -f "$COUNTER" ] || { echo "build the demo first (scripts/setup.sh)" >&2; exit 1; }
COMPAT_DIR="$(dirname "$(dpkg -L libsdl1.2-compat | grep 'libSDL-1.2.so.0$')")"

# The end-to-end tests' private X server and working directory.
set -- "$BUILD/demo" "$BUILD/data"
source "$ROOT/tests/e2e/lib.sh"
make_workdir
start_xvfb

# Runs the demo for RUN_SECONDS with the given environment settings, ends it
# with SIGTERM and prints the counter's figures under the label $1.
rate() {
    local label="$1" pid
    shift
    env "$@" LD_PRELOAD="$COUNTER" "$DEMO" >"$WORK/rate.log" 2>/dev/null &
    pid=$!
    sleep "$RUN_SECONDS"
    kill -TERM "$pid"
    wait "$pid" || true
    echo "$label $(cat "$WORK/rate.log")"
}

rate compat_default -u SDL12COMPAT_SYNC_TO_VBLANK LD_LIBRARY_PATH="$COMPAT_DIR"
rate compat_sync_off SDL12COMPAT_SYNC_TO_VBLANK=0 LD_LIBRARY_PATH="$COMPAT_DIR"
rate classic -u SDL12COMPAT_SYNC_TO_VBLANK
