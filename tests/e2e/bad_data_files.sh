# Every data file missing, empty or not decodable, and pictures too large for
# SDL 1.2: the demo ends during start-up with status 1 and one line on
# standard error naming the file and the reason.
source "$(dirname "$0")/lib.sh"
[ -f "$DATA/music.mp3" ] && [ -f "$DATA/la01.mp3" ] || { echo "SKIP: no generated data in $DATA"; exit 77; }
make_workdir
export SDL_VIDEODRIVER=dummy
cp -r data "$WORK/good"

PICTURES="zemblogo.jpg tx1.jpg tx2.jpg tx3.jpg tx4.jpg ftx1.tga ftx2.tga rulltx.tga pold.tga poldtx.tga
    flare.tga mosk.tga duvtx1.tga duvtx2.tga arsesmile.tga trenbix.tga"
SOUNDS="gee01.mp3 la01.mp3 a01.mp3 l04.mp3 gee09.mp3 a03.mp3 gee06.mp3 gee04.mp3 la03.mp3 music.mp3"

# A Targa header (uncompressed, 24-bit) of the given size with no pixels.
targa_header() {
    printf '\0\0\2\0\0\0\0\0\0\0\0\0'
    printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8)))"
    printf "\\x$(printf %02x $(($2 & 255)))\\x$(printf %02x $(($2 >> 8)))"
    printf '\30\0'
}

# Spoils data/$1 as $2 says, runs the demo, expects status 1 and exactly the
# line $3, then restores the file.
expect_refusal() {
    local file="data/$1" kind="$2" line="$3" status=0
    case "$kind" in
        missing) rm "$file" ;;
        empty) : >"$file" ;;
        garbage) head -c 4000 /dev/zero | tr '\0' 'x' >"$file" ;;
        truncated) head -c 100 "$WORK/good/$1" >"$file" ;;
        wide) targa_header 40000 2 >"$file" ;;
        huge) targa_header 16000 16000 >"$file" ;;
        flat) targa_header 0 10 >"$file" ;;
    esac
    timeout 60 "$DEMO" >"$WORK/out.log" 2>&1 || status=$?
    cp "$WORK/good/$1" "$file"
    [ "$status" = 1 ] || fail "$1 $kind: status $status, expected 1: $(cat "$WORK/out.log")"
    [ "$(cat "$WORK/out.log")" = "$line" ] || fail "$1 $kind: expected '$line', got: $(cat "$WORK/out.log")"
    echo "$1 $kind: $line"
}

for f in $PICTURES $SOUNDS; do
    expect_refusal "$f" missing "Cannot load data/$f: No such file or directory"
    expect_refusal "$f" empty "Cannot load data/$f: empty file"
done
for f in $PICTURES; do
    case "$f" in
        *.jpg) expect_refusal "$f" garbage "Cannot load data/$f: not a JPEG picture" ;;
        *.tga) expect_refusal "$f" garbage "Cannot load data/$f: not a Targa picture (image type 120)" ;;
    esac
done
for f in $SOUNDS; do
    expect_refusal "$f" garbage "Cannot load data/$f: no MP3 audio found"
done

too_large="pixels is too large (at most 16383 wide, 32767 high, 67108864 pixels)"
expect_refusal flare.tga wide "Cannot load data/flare.tga: picture of 40000 x 2 $too_large"
expect_refusal pold.tga huge "Cannot load data/pold.tga: picture of 16000 x 16000 $too_large"
expect_refusal mosk.tga flat "Cannot load data/mosk.tga: picture has no pixels (0 x 10)"
expect_refusal tx2.jpg truncated "Cannot load data/tx2.jpg: JPEG header cut short"
expect_refusal la01.mp3 truncated "Cannot load data/la01.mp3: no MP3 audio found"
echo "ok: every bad data file refused with its reason"
