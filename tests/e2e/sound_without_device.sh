# Without a usable sound device the demo runs silently and still ends with
# status 0 on Escape.
source "$(dirname "$0")/lib.sh"
[ -f "$DATA/music.mp3" ] || { echo "SKIP: no generated sounds in $DATA"; exit 77; }
make_workdir
start_xvfb
export SDL_AUDIODRIVER=no-such-driver

press_escape_after 2
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS: $(cat "$WORK/out.log")"
[ ! -s "$WORK/out.log" ] || fail "unexpected output: $(cat "$WORK/out.log")"
echo "ok: silent run ended with status 0"
