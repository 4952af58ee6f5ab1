# Under sway, a Wayland compositor, natively (what the demo takes in a
# Wayland session) and through XWayland: the very first frame is full screen
# at the output's size, 4:3, centred, nothing cut off; the window's app id
# (its class under X) is the desktop file's; F11 and Alt+Enter switch to a
# window, which sway floats or tiles as it sees fit, and back; the flips
# follow the output's refresh; Escape ends the demo with status 0. Natively
# also at scale 2, where the picture keeps whole pixels of the output's own.
source "$(dirname "$0")/lib.sh"
loads_sdl12_compat || { echo "SKIP: classic SDL 1.2 has no Wayland and does not scale"; exit 77; }
! is_sanitizer_build || { echo "SKIP: a sanitizer build draws too slowly to be measured"; exit 77; }
make_workdir

screenshot() {
    grim "$WORK/screen.png" 2>/dev/null
}

# A key as sway's keyboard sends it.
key() {
    case "$1" in
        alt+Return) wtype -P Alt_L -k Return -p Alt_L ;;
        *) wtype -k "$1" ;;
    esac
}

# One run of the demo under the sway of the moment: $1 the shell sway gives
# its window, $2 its size full screen, in the output's logical pixels, then
# the keys that switch it. (Through XWayland only F11: the keymaps wtype
# makes up carry no modifiers that X clients see.)
run_demo() {
    local shell="$1" size="$2" toggle
    shift 2
    check_first_frame "$DEMO" screenshot
    expect_sway_window "$size+0+0 fullscreen $shell tideglow"
    for toggle in "$@"; do
        key "$toggle"
        expect_sway_window "* window $shell tideglow" "after $toggle"
        key "$toggle"
        expect_sway_window "$size+0+0 fullscreen $shell tideglow" "after $toggle twice"
    done
    key Escape
    wait_for_exit "$DEMO_PID" 3
    [ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
    awk -v r="$(cat "$WORK/flips.txt")" 'BEGIN { exit !(r <= 65) }' || fail "$(cat "$WORK/flips.txt") flips per second"
    echo "ok: $shell, $(cat "$WORK/picture.txt"), $(cat "$WORK/flips.txt") flips per second"
}

start_sway
run_demo xdg_shell 1920x1080 F11 alt+Return
SDL_VIDEODRIVER=x11 DISPLAY="$XWAYLAND" run_demo xwayland 1920x1080 F11
kill "$KEYBOARD_PID" "$COMPOSITOR_PID"
wait "$COMPOSITOR_PID" 2>/dev/null || true

start_sway 2
run_demo xdg_shell 960x540 F11
