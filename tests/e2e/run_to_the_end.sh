# The whole 107 s timeline on a fast clock, checked for invalid memory access
# and leaks (AddressSanitizer and LeakSanitizer in a sanitizer build, else
# Valgrind's memcheck); then runs interrupted by a stall (SIGSTOP, SIGCONT),
# by SIGTERM and by SIGINT, each of which must end with status 0 and no output.
source "$(dirname "$0")/lib.sh"
make_workdir
build_fast_clock
export SDL_VIDEODRIVER=dummy

# Runs the demo with the fast clock; $1 is a command to put in front of it.
run_demo() {
    local status=0
    timeout 600 env LD_PRELOAD="$FAST_CLOCK" $1 "$DEMO" >"$WORK/out.log" 2>&1 || status=$?
    [ "$status" = 0 ] || fail "status $status: $(tail -40 "$WORK/out.log")"
    [ ! -s "$WORK/out.log" ] || fail "unexpected output: $(tail -40 "$WORK/out.log")"
}

if is_sanitizer_build; then
    FAST_CLOCK_STEP=100 run_demo ""
    echo "ok: full timeline under AddressSanitizer and LeakSanitizer"
elif command -v valgrind >/dev/null && [ "${DEMO_EXPECT_SDL:-}" != compat ]; then
    # Leaks are LeakSanitizer's part; memcheck looks inside SDL's own code too.
    FAST_CLOCK_STEP=2000 run_demo "valgrind -q --error-exitcode=99 --leak-check=no --log-file=$WORK/valgrind.log"
    [ ! -s "$WORK/valgrind.log" ] || fail "memcheck: $(head -60 "$WORK/valgrind.log")"
    echo "ok: full timeline under Valgrind's memcheck"
else
    FAST_CLOCK_STEP=100 run_demo ""
    echo "ok: full timeline"
fi

# A demo running 20 times faster than real time. The demo ends by itself
# after about 5.4 s, so every signal below arrives while it runs.
start_fast() {
    FAST_CLOCK_SCALE=20 LD_PRELOAD="$FAST_CLOCK" "$DEMO" >"$WORK/out.log" 2>&1 &
    PID=$!
    sleep 1
    kill -0 "$PID" 2>/dev/null || fail "demo ended early: $(cat "$WORK/out.log")"
}
expect_clean_end() {
    wait_for_exit "$PID" 60
    [ "$EXIT_STATUS" = 0 ] || fail "$1: status $EXIT_STATUS: $(cat "$WORK/out.log")"
    [ ! -s "$WORK/out.log" ] || fail "$1: unexpected output: $(cat "$WORK/out.log")"
    echo "ok: $1 ends with status 0"
}

# Stopped for 2 s, 40 s of demo time: the clock skips scenes and runs on.
start_fast
kill -STOP "$PID"
sleep 2
kill -CONT "$PID"
expect_clean_end "a stall"

start_fast
kill -TERM "$PID"
expect_clean_end "SIGTERM"

# Background jobs ignore SIGINT unless job control is on.
set -m
start_fast
kill -INT "$PID"
expect_clean_end "SIGINT"
