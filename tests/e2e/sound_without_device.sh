# Without a usable sound device the demo runs silently and still ends with
# status 0 on Escape, and nothing but its own messages reaches stderr: no
# driver at all, and ALSA asked for a device it does not have (libasound
# would report that in lines of its own).
source "$(dirname "$0")/lib.sh"
[ -f "$DATA/music.mp3" ] || { echo "SKIP: no generated sounds in $DATA"; exit 77; }
make_workdir
start_xvfb

for driver in no-such-driver alsa; do
    export SDL_AUDIODRIVER="$driver" AUDIODEV=no-such-device
    press_escape_after 2
    [ "$EXIT_STATUS" = 0 ] || fail "$driver: status $EXIT_STATUS: $(cat "$WORK/out.log")"
    [ ! -s "$WORK/out.log" ] || fail "$driver: unexpected output: $(cat "$WORK/out.log")"
done
echo "ok: silent runs ended with status 0"
