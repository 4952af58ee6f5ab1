# Without a usable display the demo says why and exits with status 1.
source "$(dirname "$0")/lib.sh"
make_workdir
unset DISPLAY
status=0
SDL_VIDEODRIVER=x11 "$DEMO" >"$WORK/out.log" 2>&1 || status=$?
[ "$status" = 1 ] || fail "status $status, expected 1"
grep -Eq '^Cannot (init SDL|set 640x480 mode): .+' "$WORK/out.log" || fail "unexpected message: $(cat "$WORK/out.log")"
[ "$(wc -l <"$WORK/out.log")" = 1 ] || fail "expected one line: $(cat "$WORK/out.log")"
echo "ok: $(cat "$WORK/out.log")"
