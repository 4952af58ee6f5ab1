#!/bin/bash
# The player's figures: the jump times (player-jumps: the first jumps at
# start-up and the worst of them, then the median and worst of a jump to
# each scene's start and twenty random moments), the recording's time and
# its snapshots' memory; then the real demo on an Xvfb with its sound on a
# private PulseAudio server, paused once its recording is whole: its
# resident memory, and the processor time it takes while paused, as a share
# of one core over 5 s.
# Usage: bench/player.sh        (after a build in build/)
#        SDL=compat bench/player.sh   on sdl12-compat
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
[ -x "$BUILD/demo" ] && [ -x "$BUILD/player-jumps" ] || { echo "build the demo first (scripts/setup.sh)" >&2; exit 1; }
if [ "${SDL:-}" = compat ]; then
    export LD_LIBRARY_PATH="$(dirname "$(dpkg -L libsdl1.2-compat | grep 'libSDL-1.2.so.0$')")"
fi

(cd "$BUILD" && ./player-jumps)

source "$ROOT/tests/e2e/lib.sh" "$BUILD/demo" "$BUILD/data"
make_workdir
start_xvfb
start_pulse
"$DEMO" >"$WORK/out.log" 2>&1 &
DEMO_PID=$!
timeout 10 xdotool search --sync --onlyvisible --name '' >/dev/null || fail "no window appeared"
sleep 2
xdotool key space
sleep 1
# utime and stime, fields 14 and 15 of /proc/PID/stat, in clock ticks.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$DEMO_PID/stat"
}
before="$(cpu_ticks)"
sleep 5
after="$(cpu_ticks)"
awk '/^VmRSS:/ { printf "resident_mb %.0f\n", $2 / 1024 }' "/proc/$DEMO_PID/status"
xdotool key Escape
wait_for_exit "$DEMO_PID" 2
awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "paused_cpu_percent %.1f\n", 100 * t / hz / 5 }'
