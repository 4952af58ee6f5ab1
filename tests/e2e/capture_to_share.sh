# --from and --to: only the frames of the range are written, each as it is
# in a whole capture, and a video's soundtrack is cut to the range. --scale
# and --size: the frame's pixels as blocks at the offset, on black.
source "$(dirname "$0")/lib.sh"
make_workdir
unset DISPLAY

"$CAPTURE" --fps 10 --all --from 14050 --to 14500 --out range 2>"$WORK/err.log" || fail "capture failed: $(cat "$WORK/err.log")"
[ "$(ls range | tr '\n' ' ')" = "000141.png 000142.png 000143.png 000144.png " ] || fail "frames written: $(ls range)"
"$CAPTURE" --fps 10 --at 14100,14400 --out single >/dev/null 2>&1 || fail "single capture failed"
cmp -s range/000141.png single/14100.png || fail "first frame of the range differs from a whole run's"
cmp -s range/000144.png single/14400.png || fail "last frame of the range differs from a whole run's"

if command -v ffprobe >/dev/null; then
    "$CAPTURE" --fps 10 --at 14100 --scale 2 --size 1920x1080 --out scaled >/dev/null 2>&1 || fail "scaled capture failed"
    ffmpeg -v error -i single/14100.png -vf scale=1280:960:flags=neighbor,pad=1920:1080:320:60 \
        -f rawvideo -pix_fmt rgb24 expected.rgb
    ffmpeg -v error -i scaled/14100.png -f rawvideo -pix_fmt rgb24 scaled.rgb
    cmp -s expected.rgb scaled.rgb || fail "the scaled picture is not the frame in 2 x 2 blocks at (320, 60) on black"

    "$CAPTURE" --fps 10 --from 14000 --to 17000 --video clip.mp4 2>"$WORK/err.log" || fail "clip failed: $(cat "$WORK/err.log")"
    probe="$(ffprobe -v error -count_frames -show_entries stream=codec_type,nb_read_frames,duration -of csv=p=0 clip.mp4 | sort | tr '\n' ' ')"
    video_frames="$(ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 clip.mp4)"
    audio_length="$(ffprobe -v error -select_streams a -show_entries stream=duration -of csv=p=0 clip.mp4)"
    [ "$video_frames" = 30 ] || fail "clip has $video_frames frames: $probe"
    awk -v d="$audio_length" 'BEGIN { exit !(d > 2.97 && d < 3.05) }' || fail "soundtrack of $audio_length s: $probe"
fi
echo "ok"
