# The display server goes away under the running demo (the session ends, the
# server restarts, a remote display drops): the demo says so in one line and
# ends within a second with status 1, leaving nothing running. An X server;
# on sdl12-compat also a Wayland compositor (sway), under which the demo runs
# natively or through XWayland, which goes with it.
source "$(dirname "$0")/lib.sh"
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
make_workdir

# Starts the demo, waits for its window ($1 a command that succeeds once it
# is there), lets it play a second, then ends the display server ($2) and
# expects the line naming what went away ($3).
expect_end_on_loss() {
    "$DEMO" >"$WORK/out.log" 2>&1 &
    local pid=$! _
    for _ in $(seq 100); do
        $1 && break
        sleep 0.1
    done
    sleep 1
    kill "$2"
    wait "$2" 2>/dev/null || true
    wait_for_exit "$pid" 1
    [ "$EXIT_STATUS" = 1 ] || fail "status $EXIT_STATUS once the $3 was gone: $(cat "$WORK/out.log")"
    [ "$(cat "$WORK/out.log")" = "The display was lost (its $3 went away): the demo ends" ] ||
        fail "unexpected output: $(cat "$WORK/out.log")"
    echo "ok: the demo ended with status 1 once its $3 was gone"
}

x_window() {
    xdotool search --onlyvisible --name Tideglow >/dev/null 2>&1
}

start_xvfb
expect_end_on_loss x_window "$XVFB_PID" "X server"
XVFB_PID=""

loads_sdl12_compat && command -v sway >/dev/null || exit 0
sway_has_window() {
    [ -n "$(sway_window)" ]
}
start_sway
expect_end_on_loss sway_has_window "$COMPOSITOR_PID" "Wayland compositor"
start_sway
SDL_VIDEODRIVER=x11 DISPLAY="$XWAYLAND" expect_end_on_loss sway_has_window "$COMPOSITOR_PID" "X server"
