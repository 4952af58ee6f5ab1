# Under weston, natively and through XWayland: the very first frame is full
# screen at the output's size, 4:3, centred, nothing cut off, above weston's
# panel; Escape from weston's keyboard ends the demo with status 0.
source "$(dirname "$0")/lib.sh"
loads_sdl12_compat || { echo "SKIP: classic SDL 1.2 has no Wayland and does not scale"; exit 77; }
! is_sanitizer_build || { echo "SKIP: a sanitizer build draws too slowly to be measured"; exit 77; }
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
make_workdir
start_weston

screenshot() {
    ffmpeg -v error -y -f x11grab -video_size 1920x1080 -i "$HOST_DISPLAY" -frames:v 1 "$WORK/screen.png"
}

run_demo() {
    check_first_frame "$DEMO" screenshot
    DISPLAY="$HOST_DISPLAY" xdotool key Escape
    wait_for_exit "$DEMO_PID" 3
    [ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/out.log")"
    echo "ok: $1, $(cat "$WORK/picture.txt")"
}

run_demo Wayland
SDL_VIDEODRIVER=x11 DISPLAY="$XWAYLAND" run_demo XWayland
