# A capture to video holds the whole timeline with its soundtrack.
source "$(dirname "$0")/lib.sh"
command -v ffprobe >/dev/null || { echo "SKIP: ffmpeg is not installed"; exit 77; }
make_workdir
unset DISPLAY

"$CAPTURE" --fps 5 --video demo.mp4 2>"$WORK/err.log" || fail "capture failed: $(cat "$WORK/err.log")"
streams="$(ffprobe -v error -show_entries stream=codec_name,pix_fmt -of csv=p=0 demo.mp4 | sort | tr '\n' ' ')"
[ "$streams" = "aac h264,yuv420p " ] || fail "unexpected streams: $streams"
duration="$(ffprobe -v error -show_entries format=duration -of csv=p=0 demo.mp4)"
awk -v d="$duration" 'BEGIN { exit !(d > 106 && d < 108.5) }' || fail "duration $duration"
echo "ok: $streams $duration s"
