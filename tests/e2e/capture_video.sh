# A capture to video holds the whole timeline with its soundtrack, mixed as
# the demo mixes it: every cue on its place on the music, nothing clipped.
source "$(dirname "$0")/lib.sh"
command -v ffprobe >/dev/null || { echo "SKIP: ffmpeg is not installed"; exit 77; }
make_workdir
unset DISPLAY

# At 10 frames per second every cue threshold falls on a frame.
"$CAPTURE" --fps 10 --video demo.mp4 2>"$WORK/err.log" || fail "capture failed: $(cat "$WORK/err.log")"
streams="$(ffprobe -v error -show_entries stream=codec_name,pix_fmt -of csv=p=0 demo.mp4 | sort | tr '\n' ' ')"
[ "$streams" = "aac h264,yuv420p " ] || fail "unexpected streams: $streams"
duration="$(ffprobe -v error -show_entries format=duration -of csv=p=0 demo.mp4)"
awk -v d="$duration" 'BEGIN { exit !(d > 106 && d < 108.5) }' || fail "duration $duration"

ffmpeg -loglevel error -i demo.mp4 -f s16le -ac 2 -ar 44100 sound.raw
/usr/bin/python3 "$(dirname "$0")/cue_sync.py" sound.raw "$DATA" >sync.txt || fail "cues missing: $(cat sync.txt)"
awk '$1 == "cue_offset_ms" { n++; if ($3 < -2 || $3 > 2) bad++ } $1 == "clipped" && $2 > 0 { bad++ }
     END { exit !(n == 11 && !bad) }' sync.txt || fail "soundtrack: $(cat sync.txt)"
echo "ok: $streams $duration s, eleven cues on the music, nothing clipped"
