# A missing cue file and a damaged music file each end the demo during
# start-up with status 1, naming the file.
source "$(dirname "$0")/lib.sh"
[ -f "$DATA/music.mp3" ] && [ -f "$DATA/la01.mp3" ] || { echo "SKIP: no generated sounds in $DATA"; exit 77; }
make_workdir
export SDL_VIDEODRIVER=dummy

# Runs the demo; it must end with status 1 and the line $1 among its output.
expect_refusal() {
    local status=0
    timeout 60 "$DEMO" >"$WORK/out.log" 2>&1 || status=$?
    [ "$status" = 1 ] || fail "status $status, expected 1: $(cat "$WORK/out.log")"
    grep -qxF "$1" "$WORK/out.log" || fail "expected '$1', got: $(cat "$WORK/out.log")"
}

mv data/la01.mp3 "$WORK/la01.mp3"
expect_refusal "Cannot load data/la01.mp3"
mv "$WORK/la01.mp3" data/la01.mp3

head -c 30000 /dev/zero | tr '\0' 'x' >data/music.mp3
expect_refusal "Cannot load data/music.mp3"
echo "ok: missing cue and damaged music both refused"
