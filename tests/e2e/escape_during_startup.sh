# Escape pressed while the pictures are still loading (start-up slowed down
# by the clock shim) ends the demo before its first frame, with status 0.
source "$(dirname "$0")/lib.sh"
make_workdir
build_fast_clock
start_xvfb

export SLOW_START_MS=200 LD_PRELOAD="$FAST_CLOCK"
press_escape_after 0.3
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
[ ! -s "$WORK/out.log" ] || fail "unexpected output: $(cat "$WORK/out.log")"
echo "ok: Escape during start-up ended the demo with status 0"
