# Escape pressed while the pictures are still loading (start-up slowed down
# by the clock shim) ends the demo before its first frame, with status 0.
source "$(dirname "$0")/lib.sh"
# sdl12-compat (SDL2) never passes on a key pressed before its window has
# seen its first events: the press is lost whatever the demo does.
! loads_sdl12_compat || { echo "SKIP: sdl12-compat loses keys pressed during start-up"; exit 77; }
# The sanitizer build loses the tap too, now and then, for a reason not yet
# understood.
! is_sanitizer_build || { echo "SKIP: a sanitizer build sees no key tapped during start-up"; exit 77; }
make_workdir
build_fast_clock
start_xvfb

export SLOW_START_MS=200 LD_PRELOAD="$FAST_CLOCK"
press_escape_after 0.3
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
[ ! -s "$WORK/out.log" ] || fail "unexpected output: $(cat "$WORK/out.log")"
echo "ok: Escape during start-up ended the demo with status 0"
