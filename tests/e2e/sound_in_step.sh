# On a real sound server (PulseAudio, recorded from its null sink), every cue
# of the first 40 s sounds within 30 ms of its place on the music, however
# late the device starts; Escape then ends the demo promptly.
source "$(dirname "$0")/lib.sh"
# Timing says nothing about a build that runs several times slower; the
# sound's memory use is checked there by sound_server_exit.sh.
is_sanitizer_build && { echo "SKIP: a timing test, not for a sanitizer build"; exit 77; }
make_workdir
start_xvfb
start_pulse

start_recording "$WORK/sound.raw"
"$DEMO" >"$WORK/out.log" 2>&1 &
pid=$!
sleep 39.5
kill -0 "$pid" 2>/dev/null || fail "demo ended early: $(cat "$WORK/out.log")"
xdotool key Escape
wait_for_exit "$pid" 2
stop_recording
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"

/usr/bin/python3 "$(dirname "$0")/cue_sync.py" "$WORK/sound.raw" "$DATA" --until 39000 | tee "$WORK/sync.txt" ||
    fail "a cue was not found in the recording"
awk '$1 == "cue_offset_ms" { n++; if ($3 < -30 || $3 > 30) bad++ }
     END { exit !(n == 3 && !bad) }' "$WORK/sync.txt" || fail "cues off the music: $(cat "$WORK/sync.txt")"
echo "ok: three cues on the music, exit after Escape"
