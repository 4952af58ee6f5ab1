#!/bin/bash
# Plays the whole demo on a private PulseAudio server (SERVER=pipewire: a
# PipeWire one with pipewire-pulse and WirePlumber), under an Xvfb, records
# the server's output and prints, one per line: where each cue lands on the
# music (cue_offset_ms), the median time from the frame that plays a cue to
# the cue in the recording (latency_ms), silent gaps while the music plays
# (dropouts) and samples at full scale (clipped).
# Usage: bench/sound_sync.sh        (after a build in build/)
#        SDL=compat bench/sound_sync.sh   on sdl12-compat
#        SERVER=pipewire bench/sound_sync.sh   on PipeWire
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
PROBE="$BUILD/bench/libframe_probe.so"
[ -x "$BUILD/demo" ] && [ -f "$PROBE" ] || { echo "build the demo first (scripts/setup.sh)" >&2; exit 1; }
if [ "${SDL:-}" = compat ]; then
    export LD_LIBRARY_PATH="$(dirname "$(dpkg -L libsdl1.2-compat | grep 'libSDL-1.2.so.0$')")"
fi

source "$ROOT/tests/e2e/lib.sh" "$BUILD/demo" "$BUILD/data"
make_workdir
start_xvfb
if [ "${SERVER:-pulseaudio}" = pipewire ]; then start_pipewire; else start_pulse; fi

start_timed_recording "$WORK/sound.raw"

FRAME_PROBE_LOG="$WORK/frames.log" LD_PRELOAD="$PROBE" "$DEMO" >"$WORK/out.log" 2>&1 &
wait_for_exit $! 130
stop_recording
[ "$EXIT_STATUS" = 0 ] || fail "the demo ended with $EXIT_STATUS: $(cat "$WORK/out.log")"

/usr/bin/python3 "$ROOT/tests/e2e/cue_sync.py" "$WORK/sound.raw" "$DATA" \
    --flips "$WORK/frames.log" --record-start "$RECORD_START"
