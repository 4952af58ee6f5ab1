# On a real PulseAudio server, recorded from its null sink: after a jump
# from the title to the fire (Page Down), while playing and while paused,
# the music plays on from the new moment and a cue after it sounds within
# 30 ms of its place. The gaps in the music are counted and shown, not
# judged: on sdl12-compat, which keeps one 23 ms buffer at the server, a
# busy machine underruns it now and then, before a jump as after it, with
# the mix playing on unmoved; sound_in_step.sh judges them over a whole run.
source "$(dirname "$0")/lib.sh"
is_sanitizer_build && { echo "SKIP: a timing test, not for a sanitizer build"; exit 77; }
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
make_workdir
start_xvfb
start_pulse

# Plays the first seconds, then the keys $@ (xdotool's names, a second
# apart), then the fire's first 14 s: its second cue must sound on the music
# that leads up to it (6.5 s of it, which the first cue lacks after the
# jump) ($1 names the run).
check_jump() {
    local run="$1"
    shift
    start_timed_recording "$WORK/sound.raw"
    "$DEMO" >"$WORK/out.log" 2>&1 &
    DEMO_PID=$!
    timeout 10 xdotool search --sync --onlyvisible --name '' >/dev/null || fail "$run: no window appeared"
    sleep 3
    local key landed
    for key in "$@"; do
        landed="$(date +%s.%N)"
        xdotool key "$key"
        sleep 1
    done
    # Where the last key put the fire's start: the music that leads up to
    # the cue is looked for near there, since the music repeats bar for bar.
    awk -v t="$landed" 'BEGIN { printf "frame 25500 %.0f\n", (t + 8.5) * 1e9 }' >"$WORK/frames.txt"
    sleep 14
    end_recorded_run "$run" "$DEMO_PID"
    /usr/bin/python3 "$E2E_DIR/cue_sync.py" "$WORK/sound.raw" "$DATA" --from 19000 --until 30000 \
        --flips "$WORK/frames.txt" --record-start "$RECORD_START" |
        tee "$WORK/sync.txt" || fail "$run: a cue was not found in the recording"
}

play_in_step "a jump" 1 gaps check_jump "a jump" Next
play_in_step "a jump while paused" 1 gaps check_jump "a jump while paused" space Next space
echo "ok: after a jump, and a jump while paused, the fire's cue sounds on the music"
