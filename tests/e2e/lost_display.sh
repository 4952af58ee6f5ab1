# The X server goes away under the running demo (the session ends, the
# server restarts, a remote display drops): the demo says so in one line and
# ends within a second with status 1, leaving nothing running.
source "$(dirname "$0")/lib.sh"
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
skip_slow_start_on_sdl12_compat
make_workdir
start_xvfb
"$DEMO" >"$WORK/out.log" 2>&1 &
pid=$!
timeout 10 xdotool search --sync --onlyvisible --name Tideglow >/dev/null || fail "no window appeared"
sleep 1
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=""
wait_for_exit "$pid" 1
[ "$EXIT_STATUS" = 1 ] || fail "status $EXIT_STATUS once the display was gone: $(cat "$WORK/out.log")"
[ "$(cat "$WORK/out.log")" = "The display was lost (its X server went away): the demo ends" ] ||
    fail "unexpected output: $(cat "$WORK/out.log")"
echo "ok: the demo ended with status 1 once its display was gone"
