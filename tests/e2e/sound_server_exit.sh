# Whatever buffering the sound server is asked for, Escape, SIGTERM and SIGINT
# end the demo promptly with status 0: a deep buffer that takes seconds to
# drain, or a small one that SDL 1.2's PulseAudio driver can wait on for good,
# must not hold the process.
source "$(dirname "$0")/lib.sh"
make_workdir
start_xvfb
start_pulse

# Background jobs ignore SIGINT unless job control is on.
set -m
for latency in 30 2000; do
    for ending in Escape TERM INT; do
        PULSE_LATENCY_MSEC=$latency "$DEMO" >"$WORK/out.log" 2>&1 &
        pid=$!
        timeout 10 xdotool search --sync --onlyvisible --name '' >/dev/null || fail "no window appeared"
        sleep 2
        kill -0 "$pid" 2>/dev/null || fail "demo ended early: $(cat "$WORK/out.log")"
        if [ "$ending" = Escape ]; then xdotool key Escape; else kill "-$ending" "$pid"; fi
        wait_for_exit "$pid" 2
        [ "$EXIT_STATUS" = 0 ] ||
            fail "PULSE_LATENCY_MSEC=$latency, $ending: status $EXIT_STATUS: $(cat "$WORK/out.log")"
    done
done
echo "ok: every ending within 2 s at 30 and 2000 ms of server latency"
