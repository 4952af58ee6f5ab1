# Without a usable sound device the demo runs silently and still ends with
# status 0 on Escape.
source "$(dirname "$0")/lib.sh"
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
[ -f "$DATA/music.mp3" ] || { echo "SKIP: no generated sounds in $DATA"; exit 77; }
make_workdir
start_xvfb
export SDL_AUDIODRIVER=no-such-driver

"$DEMO" >"$WORK/out.log" 2>&1 &
pid=$!
timeout 10 xdotool search --sync --onlyvisible --name '' >/dev/null || fail "no window appeared"
sleep 2
kill -0 "$pid" 2>/dev/null || fail "demo ended without a sound device: $(cat "$WORK/out.log")"
xdotool key Escape
wait_for_exit "$pid" 10
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS: $(cat "$WORK/out.log")"
[ ! -s "$WORK/out.log" ] || fail "unexpected output: $(cat "$WORK/out.log")"
echo "ok: silent run ended with status 0"
