# On a real sound server, recorded from its null sink: PulseAudio and, where
# it is installed, PipeWire with pipewire-pulse, through whichever SDL driver
# the demo takes there. Every cue of the first 40 s sounds within 30 ms of its
# place on the music, however late the device starts, the music has no gap
# of 2 ms or more, and Escape then ends the demo within a second. The stream
# is named after the demo where SDL2 names it.
source "$(dirname "$0")/lib.sh"
# Timing says nothing about a build that runs several times slower; the
# sound's memory use is checked there by sound_server_exit.sh.
is_sanitizer_build && { echo "SKIP: a timing test, not for a sanitizer build"; exit 77; }
make_workdir
start_xvfb

# Plays 40 s on the server of the moment ($1 names it).
check_sound() {
    start_recording "$WORK/sound.raw"
    "$DEMO" >"$WORK/out.log" 2>&1 &
    local pid=$!
    sleep 5
    ! loads_sdl12_compat || pactl list sink-inputs | grep -q 'media.name = "Tideglow"' ||
        fail "$1: no stream named Tideglow: $(pactl list sink-inputs)"
    sleep 34.5
    end_recorded_run "$1" "$pid"
    /usr/bin/python3 "$E2E_DIR/cue_sync.py" "$WORK/sound.raw" "$DATA" --until 39000 | tee "$WORK/sync.txt" ||
        fail "$1: a cue was not found in the recording"
}

start_pulse
play_in_step PulseAudio 3 "" check_sound PulseAudio
echo "ok: PulseAudio: three cues on the music, no gap, exit after Escape"
kill "$PULSE_PID"
PULSE_PID=""
command -v pipewire >/dev/null || exit 0
start_pipewire
play_in_step PipeWire 3 "" check_sound PipeWire
echo "ok: PipeWire: three cues on the music, no gap, exit after Escape"
