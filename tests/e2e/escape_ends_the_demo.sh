# Escape pressed a second into the demo ends it promptly with status 0.
source "$(dirname "$0")/lib.sh"
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
make_workdir
start_xvfb

"$DEMO" >"$WORK/out.log" 2>&1 &
pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '' >/dev/null || fail "no window appeared"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "demo ended before Escape: $(cat "$WORK/out.log")"
xdotool key Escape
wait_for_exit "$pid" 10
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
echo "ok: Escape ended the demo with status 0"
