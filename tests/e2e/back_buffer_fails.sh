# A back buffer that cannot be made ends the demo and demo-capture during
# start-up with status 1 and an out-of-memory message, not a crash.
source "$(dirname "$0")/lib.sh"
make_workdir
build_fast_clock
export SDL_VIDEODRIVER=dummy FAIL_BACK_BUFFER=1

status=0
LD_PRELOAD="$FAST_CLOCK" timeout 60 "$DEMO" >"$WORK/out.log" 2>&1 || status=$?
[ "$status" = 1 ] && [ "$(cat "$WORK/out.log")" = "Out of memory" ] ||
    fail "demo: status $status: $(cat "$WORK/out.log")"

status=0
LD_PRELOAD="$FAST_CLOCK" timeout 60 "$CAPTURE" --at 1000 --out frames >"$WORK/out.log" 2>&1 || status=$?
[ "$status" = 1 ] && [ "$(cat "$WORK/out.log")" = "demo-capture: out of memory" ] ||
    fail "demo-capture: status $status: $(cat "$WORK/out.log")"
echo "ok: out of memory, status 1"
