# Shared steps of the end-to-end tests, sourced by each of them. A test is
# run as: bash <test>.sh <path to demo> <generated data directory> <path to
# demo-capture>.
# Exit status 77 marks a test as skipped.
set -euo pipefail

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
DEMO="$1"
DEMO_BINARY="$1"  # the demo itself, where DEMO may be the wrapper below
CAPTURE="${3:-}"
DATA="$2"
WORK="$(mktemp -d)"
XVFB_PID=""
OPENBOX_PID=""
DISPLAY_CLAIM=""
PULSE_PID=""
RECORDER_PID=""
COMPOSITOR_PID=""
KEYBOARD_PID=""
DEMO_PID=""
PIPEWIRE_PIDS=()

cleanup() {
    [ -z "$DEMO_PID" ] || kill "$DEMO_PID" 2>/dev/null || true
    [ -z "$RECORDER_PID" ] || kill "$RECORDER_PID" 2>/dev/null || true
    [ -z "$PULSE_PID" ] || kill "$PULSE_PID" 2>/dev/null || true
    local i
    for ((i = ${#PIPEWIRE_PIDS[@]} - 1; i >= 0; i--)); do kill "${PIPEWIRE_PIDS[i]}" 2>/dev/null || true; done
    [ -z "$KEYBOARD_PID" ] || kill "$KEYBOARD_PID" 2>/dev/null || true
    [ -z "$COMPOSITOR_PID" ] || kill "$COMPOSITOR_PID" 2>/dev/null || true
    [ -z "$OPENBOX_PID" ] || kill "$OPENBOX_PID" 2>/dev/null || true
    [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
    [ -z "$DISPLAY_CLAIM" ] || rm -rf "$DISPLAY_CLAIM"
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# True when the demo loads sdl12-compat, the SDL 1.2 API over SDL2, wherever
# it lies: its library is version 1.2.50 or later, classic SDL's 0.11.4.
loads_sdl12_compat() {
    local lib
    lib="$(ldd "$DEMO_BINARY" | awk '/libSDL-1\.2\.so/ { print $3 }')"
    case "$(readlink -f "$lib")" in *libSDL-1.2.so.1.2.*) return 0 ;; esac
    return 1
}

# With DEMO_EXPECT_SDL=compat the run must really load sdl12-compat.
if [ "${DEMO_EXPECT_SDL:-}" = compat ]; then
    loads_sdl12_compat || fail "demo does not load sdl12-compat"
fi

# True when the demo is built with AddressSanitizer. grep reads to the end:
# with pipefail, grep -q could stop early and fail ldd with SIGPIPE.
is_sanitizer_build() {
    ldd "$DEMO_BINARY" | grep libasan >/dev/null
}

# A sanitizer build runs through a wrapper that keeps every library it loads
# to the end (keep_libraries.c), so that its leak check names the libraries
# whose memory SDL2's drivers keep. On classic SDL the leak checker unwinds
# each allocation's stack the slow way, through libraries built without
# frame pointers as classic SDL is, so that the suppressions find the
# demo's own functions; on sdl12-compat it keeps the fast way: the slow one
# deadlocks inside its flip, where llvmpipe's compiler registers its code
# with libgcc's unwinder, which then allocates while it holds its own lock.
if is_sanitizer_build; then
    loads_sdl12_compat || export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}fast_unwind_on_malloc=0"
    cc -shared -fPIC -O2 -o "$WORK/keep_libraries.so" "$E2E_DIR/keep_libraries.c"
    printf '#!/bin/sh\nLD_PRELOAD="%s${LD_PRELOAD:+:$LD_PRELOAD}" exec "%s" "$@"\n' \
        "$WORK/keep_libraries.so" "$DEMO_BINARY" >"$WORK/demo"
    chmod +x "$WORK/demo"
    DEMO="$WORK/demo"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
fi

# A working directory with a copy of the demo's data; tests may spoil it.
make_workdir() {
    cp -r "$DATA" "$WORK/data"
    cd "$WORK"
}

# Starts a private X server on a free display and exports DISPLAY.
# Claims display number $1 for this test; parallel tests each claim their
# own. A claim left by a test that no longer runs is taken over.
claim_display() {
    local claim="/tmp/demo-e2e-display-$1"
    if ! mkdir "$claim" 2>/dev/null; then
        kill -0 "$(cat "$claim/pid" 2>/dev/null)" 2>/dev/null && return 1
        rm -rf "$claim"
        mkdir "$claim" 2>/dev/null || return 1
    fi
    echo $$ >"$claim/pid"
    DISPLAY_CLAIM="$claim"
}

# Starts a private X server, with a screen of $1 (default 640x480), and
# exports DISPLAY. Numbers from 90 up keep clear of desktops and of X servers
# that other sandboxes may run.
start_xvfb() {
    command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed"; exit 77; }
    local n
    for n in $(seq 90 190); do
        claim_display "$n" || continue
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            # -noreset: the demo probes the display and closes it before opening
            # it for good; a reset between the two would refuse the second.
            Xvfb ":$n" -screen 0 "${1:-640x480}x24" -nolisten tcp -noreset >"$WORK/xvfb.log" 2>&1 &
            XVFB_PID=$!
            for _ in $(seq 100); do
                [ -e "/tmp/.X11-unix/X$n" ] || ! kill -0 "$XVFB_PID" 2>/dev/null && break
                sleep 0.1
            done
            kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ] && break
            XVFB_PID=""
        fi
        rm -rf "$DISPLAY_CLAIM"
        DISPLAY_CLAIM=""
    done
    [ -n "$XVFB_PID" ] || fail "Xvfb did not start: $(cat "$WORK/xvfb.log" 2>/dev/null)"
    export DISPLAY=":$n"
    export SDL_VIDEODRIVER=x11
}

# Starts openbox, a real window manager, on the test's X server, with its
# settings and cache inside the test's directory.
start_openbox() {
    command -v openbox >/dev/null && command -v wmctrl >/dev/null ||
        { echo "SKIP: openbox or wmctrl is not installed"; exit 77; }
    XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache" openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    OPENBOX_PID=$!
    for _ in $(seq 100); do
        wmctrl -m >/dev/null 2>&1 && return
        sleep 0.1
    done
    fail "openbox did not start: $(cat "$WORK/openbox.log")"
}

# Waits up to $2 seconds for process $1 and sets EXIT_STATUS to its exit
# status, or to "timeout" (and kills it).
wait_for_exit() {
    local pid="$1" limit="$2" waited=0
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$waited" -ge $((limit * 10)) ]; then
            kill -9 "$pid" 2>/dev/null || true
            EXIT_STATUS=timeout
            return
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    EXIT_STATUS=0
    wait "$pid" || EXIT_STATUS=$?
}

# Starts the demo, presses Escape $1 seconds after its window appears, and
# sets EXIT_STATUS as wait_for_exit does. The demo's output goes to out.log.
# Skips the test where start-up may outlast the wait (see above).
press_escape_after() {
    command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
    "$DEMO" >"$WORK/out.log" 2>&1 &
    local pid=$!
    timeout 10 xdotool search --sync --onlyvisible --name '' >/dev/null || fail "no window appeared"
    sleep "$1"
    kill -0 "$pid" 2>/dev/null || fail "demo ended before Escape: $(cat "$WORK/out.log")"
    xdotool key Escape
    wait_for_exit "$pid" 10
}

export SDL_AUDIODRIVER=dummy

# Starts a private PulseAudio server with one null sink, listening on a socket
# in this test's own directory, and sends the demo's sound there.
start_pulse() {
    command -v pulseaudio >/dev/null || { echo "SKIP: pulseaudio is not installed"; exit 77; }
    export PULSE_RUNTIME_PATH="$WORK/pulse" HOME="$WORK" XDG_CONFIG_HOME="$WORK/config"
    export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
    mkdir -p "$PULSE_RUNTIME_PATH" "$XDG_CONFIG_HOME"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
        -L "module-null-sink sink_name=out rate=44100 channels=2" \
        -L "module-native-protocol-unix socket=$PULSE_RUNTIME_PATH/native auth-anonymous=1" \
        >"$WORK/pulse.log" 2>&1 &
    PULSE_PID=$!
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        kill -0 "$PULSE_PID" 2>/dev/null || fail "PulseAudio did not start: $(cat "$WORK/pulse.log")"
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || fail "PulseAudio did not answer"
    export SDL_AUDIODRIVER=pulse
}

# Starts PipeWire with WirePlumber and its PulseAudio server
# (pipewire-pulse), as a desktop of today runs them, in the test's runtime
# directory, with a null sink named as start_pulse names its own, and leaves
# the demo to take the sound driver SDL chooses. Its own settings and state
# stay in the test's directory, on a session bus of its own (WirePlumber
# before 0.5 needs one).
start_pipewire() {
    command -v pipewire >/dev/null && command -v wireplumber >/dev/null && command -v pipewire-pulse >/dev/null &&
        command -v dbus-daemon >/dev/null ||
        { echo "SKIP: PipeWire, WirePlumber, pipewire-pulse or dbus-daemon is not installed"; exit 77; }
    make_runtime_dir
    export HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_STATE_HOME="$WORK/state"
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    unset PULSE_SERVER PULSE_RUNTIME_PATH SDL_AUDIODRIVER
    dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >"$WORK/dbus.log" 2>&1 &
    PIPEWIRE_PIDS+=($!)
    wait_for_file "$XDG_RUNTIME_DIR/bus" "$!"
    local daemon
    for daemon in pipewire wireplumber pipewire-pulse; do
        "$daemon" >"$WORK/$daemon.log" 2>&1 &
        PIPEWIRE_PIDS+=($!)
        [ "$daemon" != pipewire ] || wait_for_file "$XDG_RUNTIME_DIR/pipewire-0" "$!"
    done
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl load-module module-null-sink sink_name=out rate=44100 channels=2 >/dev/null ||
        fail "PipeWire did not start: $(cat "$WORK"/pipewire*.log "$WORK/wireplumber.log")"
    # PipeWire runs every stream in the shortest period any of them asks for:
    # a recorder's 10 ms would make the demo's too.
    RECORD_LATENCY_MS=100
    # WirePlumber keeps the default sink, and may still be starting.
    for _ in $(seq 100); do
        pactl set-default-sink out 2>/dev/null && return
        sleep 0.1
    done
    fail "WirePlumber did not take the default sink: $(cat "$WORK/wireplumber.log")"
}

# Records what the null sink plays, as raw 16-bit stereo at 44.1 kHz, into $1,
# in pieces of RECORD_LATENCY_MS: short ones tell when the recording started
# to within a few milliseconds.
RECORD_LATENCY_MS=10
start_recording() {
    parec -d out.monitor --format=s16le --rate=44100 --channels=2 --raw --latency-msec="$RECORD_LATENCY_MS" "$1" &
    RECORDER_PID=$!
}

# Starts recording into $1 as start_recording does and sets RECORD_START to
# the wall-clock time of its first sample: the least of "now less what has
# been recorded" over 300 polls once the first piece is in (up to 10 s: a
# new server may take seconds to send it), each of which can only be late
# by the time the last piece took to arrive.
start_timed_recording() {
    rm -f "$1"
    start_recording "$1"
    RECORD_START=""
    local line polls=0
    for _ in $(seq 1300); do
        line="$(date +%s.%N) $(stat -c %s "$1" 2>/dev/null || echo 0)"
        RECORD_START="$(echo "$line $RECORD_START" | awk '$2 > 0 { t = $1 - $2 / 176400; if ($3 == "" || t < $3) $3 = t } { printf "%s", ($3 == "" ? "" : sprintf("%.4f", $3)) }')"
        [ -n "$RECORD_START" ] || { sleep 0.01; continue; }
        polls=$((polls + 1))
        [ "$polls" -lt 300 ] || return 0
    done
    fail "nothing recorded"
}

stop_recording() {
    kill "$RECORDER_PID"
    wait "$RECORDER_PID" 2>/dev/null || true
    RECORDER_PID=""
}

# Ends a recorded run ($1 names it) of the demo with PID $2: it must still
# play, then end within a second of Escape with status 0; the recording
# stops.
end_recorded_run() {
    kill -0 "$2" 2>/dev/null || fail "$1: the demo ended early: $(cat "$WORK/out.log")"
    xdotool key Escape
    wait_for_exit "$2" 1
    stop_recording
    [ "$EXIT_STATUS" = 0 ] || fail "$1: status $EXIT_STATUS a second after Escape: $(cat "$WORK/out.log")"
}

# Whether cue_sync.py's figures in $WORK/sync.txt show $1 cues, each within
# 30 ms of its place on the music, and no gap (with $2 = gaps, gaps are let
# be: they are counted and shown, not judged).
cues_in_step() {
    awk -v want="$1" -v gaps_judged="$([ "${2:-}" = gaps ] && echo 0 || echo 1)" \
        '$1 == "cue_offset_ms" { n++; if ($3 < -30 || $3 > 30) bad++ } $1 == "dropouts" { gaps = $2 }
         END { exit !(n == want && !bad && (!gaps_judged || gaps == 0)) }' "$WORK/sync.txt"
}

# The same, or the run ($1 names it) fails.
expect_cues_in_step() {
    cues_in_step "$2" "${3:-}" || fail "$1: cues off the music, or gaps: $(cat "$WORK/sync.txt")"
}

# A busy machine wakes the sound thread late now and then, leaving a gap
# that the mix then skips over; what the demo gets wrong, it gets wrong every
# time. So a recorded run ($1 names it) found out of step, with $2 cues (and
# $3, as cues_in_step takes it), is played once more before the test fails.
# The run is the command that follows, which leaves cue_sync.py's figures in
# $WORK/sync.txt.
play_in_step() {
    local run="$1" cues="$2" gaps="$3"
    shift 3
    "$@"
    cues_in_step "$cues" "$gaps" && return
    echo "again: $run was out of step: $(tr '\n' ' ' <"$WORK/sync.txt")"
    "$@"
    expect_cues_in_step "$run" "$cues" "$gaps"
}

# The geometry openbox gives the demo's window: "WIDTHxHEIGHT+X+Y".
window_geometry() {
    wmctrl -lG | awk '$NF == "Tideglow" { print $5 "x" $6 "+" $3 "+" $4; exit }'
}

# Waits up to 3 s for what the command $1 prints to match the pattern $2;
# fails otherwise, saying what it printed and ${3:-}.
expect_output() {
    local _
    for _ in $(seq 30); do
        [[ "$($1)" == $2 ]] && return
        sleep 0.1
    done
    fail "$1 gives $($1), not $2 ${3:-}"
}

# Waits up to 3 s for the demo's window to take the geometry $1 (a pattern).
expect_window() {
    expect_output window_geometry "$1"
}

# On a 1920 x 1080 screen under openbox, with the demo ($1, a command) running
# on sdl12-compat, its picture once a scene fills the whole frame (the noise
# and the warp, on a clock 8 times fast): the rectangle and the
# nearest-neighbour sharpness as screen_picture.py measures them, and the
# switch to a window of twice the picture's size and back by F11 and by
# Alt+Enter. Leaves the demo running, its PID in DEMO_PID, its flips counted
# into $WORK/flips.txt.
check_full_screen() {
    build_fast_clock
    FAST_CLOCK_SCALE=8 FLIP_COUNT_FILE="$WORK/flips.txt" LD_PRELOAD="$FAST_CLOCK" "$1" >"$WORK/out.log" 2>&1 &
    DEMO_PID=$!
    expect_window 1920x1080+0+0
    local _ found=""
    for _ in $(seq 40); do
        sleep 0.3
        ffmpeg -v error -y -f x11grab -video_size 1920x1080 -i "$DISPLAY" -frames:v 1 "$WORK/screen.png" ||
            fail "no screenshot"
        if /usr/bin/python3 "$E2E_DIR/screen_picture.py" "$WORK/screen.png" 1440x1080+240+0 >"$WORK/picture.txt"; then
            found=1
            break
        fi
    done
    [ -n "$found" ] || fail "the picture on the screen is not as it should be: $(cat "$WORK/picture.txt")"
    cat "$WORK/picture.txt"
    local key
    for key in F11 alt+Return; do
        xdotool key "$key"
        expect_window 1280x960+*
        xdotool key "$key"
        expect_window 1920x1080+0+0
    done
}

# Ends the run check_full_screen left going with Escape: status 0, and at most
# one flip per display refresh (65 per second) all along. Sets FLIP_RATE.
end_full_screen() {
    xdotool key Escape
    wait_for_exit "$DEMO_PID" 5
    [ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
    FLIP_RATE="$(cat "$WORK/flips.txt")"
    awk -v r="$FLIP_RATE" 'BEGIN { exit !(r <= 65) }' || fail "$FLIP_RATE flips per second"
}

# Builds the clock-and-start-up shim of fast_clock.c into $WORK and sets
# FAST_CLOCK to it, for LD_PRELOAD. A demo built with AddressSanitizer
# accepts a preloaded library only when told not to check the order.
FAST_CLOCK_SOURCE="$E2E_DIR/fast_clock.c"
build_fast_clock() {
    command -v cc >/dev/null || { echo "SKIP: no C compiler for the clock shim"; exit 77; }
    cc -shared -fPIC -O2 -o "$WORK/fast_clock.so" "$FAST_CLOCK_SOURCE" -ldl
    FAST_CLOCK="$WORK/fast_clock.so"
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
}

# A runtime directory of the test's own, as a session has one, for Wayland
# and PipeWire sockets.
make_runtime_dir() {
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
}

# Waits up to 10 s for the file $1, which process $2 makes.
wait_for_file() {
    local _
    for _ in $(seq 100); do
        [ -e "$1" ] && return
        kill -0 "$2" 2>/dev/null || break
        sleep 0.1
    done
    fail "$1 did not appear"
}

# Starts sway headless (software rendering, no input devices) with XWayland
# on one 1920 x 1080 output at scale ${1:-1}, in the test's runtime
# directory: exports WAYLAND_DISPLAY and SWAYSOCK, sets XWAYLAND to
# XWayland's display, and leaves SDL_VIDEODRIVER unset, as a user's Wayland
# session does. A virtual keyboard with a keymap is held meanwhile (a long
# wtype), so that the seat keeps a keyboard and the keys later wtype calls
# send reach the demo. Start a native demo only on a fresh sway: once a
# short-lived keyboard has come and gone, a new client is told the seat's
# modifiers before its keymap, and SDL2 (2.32) then reads a virtual
# keyboard's keymap with a layout index it was never given, and crashes.
# Before 1.8 sway refuses to run as root: as root it runs as nobody, the
# runtime directory its own.
start_sway() {
    command -v sway >/dev/null && command -v grim >/dev/null && command -v wtype >/dev/null ||
        { echo "SKIP: sway, grim or wtype is not installed"; exit 77; }
    # The keyboard of an earlier sway would outlive it, asleep.
    [ -z "$KEYBOARD_PID" ] || kill "$KEYBOARD_PID" 2>/dev/null || true
    make_runtime_dir
    local run_as=()
    if [ "$(id -u)" = 0 ]; then
        chmod 711 "$WORK"
        chown nobody "$XDG_RUNTIME_DIR"
        run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    fi
    rm -f "$XDG_RUNTIME_DIR/xwayland"
    printf 'output HEADLESS-1 mode 1920x1080 scale %s\nxwayland enable\nexec echo $DISPLAY >%s\n' \
        "${1:-1}" "$XDG_RUNTIME_DIR/xwayland" >"$XDG_RUNTIME_DIR/sway.conf"
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        "${run_as[@]}" sway -c "$XDG_RUNTIME_DIR/sway.conf" >"$WORK/sway.log" 2>&1 &
    COMPOSITOR_PID=$!
    wait_for_file "$XDG_RUNTIME_DIR/xwayland" "$COMPOSITOR_PID"
    XWAYLAND="$(cat "$XDG_RUNTIME_DIR/xwayland")"
    # XWayland lets in its own user's clients only.
    [ "${#run_as[@]}" = 0 ] || DISPLAY="$XWAYLAND" "${run_as[@]}" xhost +si:localuser:root >/dev/null
    export WAYLAND_DISPLAY="$(cd "$XDG_RUNTIME_DIR" && ls wayland-? | head -1)"
    export SWAYSOCK="$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock)"
    unset SDL_VIDEODRIVER DISPLAY
    wtype -k Shift_L -s 86400000 &
    KEYBOARD_PID=$!
}

# The demo's window as sway has it: "WIDTHxHEIGHT+X+Y fullscreen|window
# SHELL APP_ID", in the output's logical pixels, the app id being the X
# window's class under XWayland.
sway_window() {
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("name") == "Tideglow" and node.get("pid"):
        # The size without the borders, the place with them.
        w, h = node["window_rect"]["width"], node["window_rect"]["height"]
        x, y = node["rect"]["x"], node["rect"]["y"]
        app = node.get("app_id") or node.get("window_properties", {}).get("class")
        print(f"{w}x{h}+{x}+{y}", "fullscreen" if node.get("fullscreen_mode") else "window", node.get("shell"), app)
        sys.exit()
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}

# Waits up to 3 s for sway's window of the demo to match the pattern $1;
# $2 says when, should it not.
expect_sway_window() {
    expect_output sway_window "$1" "${2:-}"
}

# Starts the demo ($1, a command) with its first frame drawn for demoTime
# 1000 (the logo halfway in from the right edge) and held on the screen, and
# checks with the command $2, which takes a screenshot into $WORK/screen.png,
# that the screen shows demo-capture's frame for that time full screen: 4:3,
# 1440 x 1080 in the middle of 1920 x 1080, black around it. Then lets the
# demo play on, its PID in DEMO_PID, its flips counted into $WORK/flips.txt.
check_first_frame() {
    build_fast_clock
    [ -e "$WORK/capture/1000.png" ] || "$CAPTURE" --at 1000 --out "$WORK/capture" >/dev/null
    rm -f "$WORK/go"
    FIRST_FRAME_MS=1000 HOLD_FIRST_FRAME="$WORK/go" FLIP_COUNT_FILE="$WORK/flips.txt" LD_PRELOAD="$FAST_CLOCK" \
        "$1" >"$WORK/out.log" 2>&1 &
    DEMO_PID=$!
    local _ shown=""
    for _ in $(seq 20); do
        sleep 0.5
        kill -0 "$DEMO_PID" 2>/dev/null || fail "the demo ended: $(cat "$WORK/out.log")"
        $2 || continue
        if /usr/bin/python3 "$E2E_DIR/screen_picture.py" "$WORK/screen.png" 1440x1080+240+0 \
            "$WORK/capture/1000.png" >"$WORK/picture.txt"; then
            shown=1
            break
        fi
    done
    touch "$WORK/go"
    [ -n "$shown" ] || fail "the first frame is not on the screen as it should be: $(cat "$WORK/picture.txt")"
}

# Starts weston with a seat: on its X11 backend, in a window filling the
# test's own 1920 x 1080 Xvfb, which gives it a keyboard (headless weston has
# none, and without one shows no client full screen above its panel, its own
# terminal included). With XWayland, in the test's runtime directory: exports
# WAYLAND_DISPLAY, sets XWAYLAND to XWayland's display, HOST_DISPLAY to the
# Xvfb's, and leaves SDL_VIDEODRIVER unset.
start_weston() {
    command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
    start_xvfb 1920x1080
    HOST_DISPLAY="$DISPLAY"
    make_runtime_dir
    mkdir -p -m 1777 /tmp/.X11-unix
    weston --backend=x11-backend.so --use-pixman --width=1920 --height=1080 --socket=wayland-test --xwayland \
        >"$WORK/weston.log" 2>&1 &
    COMPOSITOR_PID=$!
    local _
    for _ in $(seq 100); do
        XWAYLAND="$(grep -o 'listening on display :[0-9]*' "$WORK/weston.log" | grep -o ':[0-9]*')" && break
        kill -0 "$COMPOSITOR_PID" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$XWAYLAND" ] || fail "weston did not start: $(cat "$WORK/weston.log")"
    export WAYLAND_DISPLAY=wayland-test
    unset SDL_VIDEODRIVER DISPLAY
}
