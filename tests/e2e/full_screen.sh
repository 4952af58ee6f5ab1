# On sdl12-compat, on a 1920 x 1080 screen under openbox: the picture fills
# the screen's height, 4:3 kept, centred and nearest-neighbour sharp; F11 and
# Alt+Enter switch to a window of twice the picture's size and back; the demo
# flips at most once per display refresh, and Escape still ends it. Classic
# SDL 1.2 neither scales nor syncs: the test is for sdl12-compat.
source "$(dirname "$0")/lib.sh"
loads_sdl12_compat || { echo "SKIP: classic SDL 1.2 shows the picture at its own size"; exit 77; }
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
# It times flips and catches scenes on the screen in passing.
! is_sanitizer_build || { echo "SKIP: a sanitizer build draws too slowly to be measured"; exit 77; }
make_workdir
start_xvfb 1920x1080
start_openbox

check_full_screen "$DEMO"
end_full_screen
echo "ok: full screen 1440x1080, sharp, F11 and Alt+Enter there and back, $FLIP_RATE flips per second"
