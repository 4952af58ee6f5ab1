# The demo as a player, on the real binary under Xvfb with xdotool: Space
# pauses and the picture holds; while paused, jumps into each scene that
# carries state from frame to frame (the fire, the noise field, the warp,
# the fountain) and a step each way show demo-capture's frame for the run's
# seed, the one the preloaded clock fixes; Space plays on; a burst of keys
# 5 ms apart lands where they add up; a jump past the end while playing
# holds the last frame, paused; and Escape still ends the demo at once.
source "$(dirname "$0")/lib.sh"
command -v xdotool >/dev/null || { echo "SKIP: xdotool is not installed"; exit 77; }
make_workdir
start_xvfb
build_fast_clock

SEED=4242
# The keys below land 5 s into the fire, the noise field, the warp and the
# fountain, then one frame on and back again.
LAST=106983  # the last frame's demoTime
"$CAPTURE" --seed "$SEED" --at 22000,36500,50600,93600,93616,100000,$LAST --out "$WORK/capture" >/dev/null
ABOVE_BAR=456

FIXED_TIME="$SEED" FIRST_FLIP_FILE="$WORK/running" LD_PRELOAD="$FAST_CLOCK" "$DEMO" >"$WORK/out.log" 2>&1 &
DEMO_PID=$!
# Keys pressed before the demo draws may be lost: sdl12-compat passes on no
# key before it is pumping events.
timeout 30 sh -c 'until [ -e "$1" ]; do sleep 0.1; done' - "$WORK/running" || fail "the demo drew nothing"
sleep 1
kill -0 "$DEMO_PID" 2>/dev/null || fail "the demo ended: $(cat "$WORK/out.log")"

shot() {
    ffmpeg -v error -y -f x11grab -video_size 640x480 -i "$DISPLAY" -frames:v 1 "$WORK/$1.png"
}
press() {
    xdotool key "$@"
    sleep 0.2
}

press space
shot held1
sleep 1
shot held2
cmp -s <(ffmpeg -v error -i "$WORK/held1.png" -f rawvideo -) <(ffmpeg -v error -i "$WORK/held2.png" -f rawvideo -) ||
    fail "the picture moved while paused"

# shows MOMENT: the screen comes to hold demo-capture's frame for it above
# the bar (a slow build's first jumps wait for the recording to get there).
shows() {
    local _
    for _ in $(seq 60); do
        shot screen
        /usr/bin/python3 "$E2E_DIR/screen_picture.py" "$WORK/screen.png" 640x480+0+0 "$WORK/capture/$1.png" \
            "$ABOVE_BAR" >"$WORK/picture.txt" && return
        sleep 0.5
    done
    fail "not demo-capture's frame for $1: $(cat "$WORK/picture.txt")"
}
press Next Right; shows 22000
press Next Right; shows 36500
press Next Right; shows 50600
press Next Next Right; shows 93600
press period; shows 93616
press comma; shows 93600

press space
shot playing1
sleep 0.5
shot playing2
! cmp -s <(ffmpeg -v error -i "$WORK/playing1.png" -f rawvideo -) \
    <(ffmpeg -v error -i "$WORK/playing2.png" -f rawvideo -) || fail "the demo did not play on after Space"

press space
xdotool key --delay 5 Home $(printf 'Right %.0s' $(seq 20))
shows 100000
press space Right Right
sleep 1
kill -0 "$DEMO_PID" 2>/dev/null || fail "a jump past the end ended the demo"
shows "$LAST"

xdotool key Escape
wait_for_exit "$DEMO_PID" 2
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS: $(cat "$WORK/out.log")"
echo "ok: pause held the picture; jumps into the fire, noise, warp and fountain, steps and a burst of keys showed demo-capture's frames; Space played on; past the end it held the last frame"
