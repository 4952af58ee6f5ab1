#!/bin/bash
# tideglow.exe from the Windows zip under Wine, on the end-to-end tests'
# private Xvfb, openbox and PulseAudio: the median over several runs of
#   start_to_first_frame_ms  from starting wine to the demo's first frame
#                            reaching the X server
#   flips_per_s              frames reaching it per second, from a second
#                            after the first for RUN_SECONDS more
#   exit_ms                  from Escape to the end of the process
# Frames are counted in the X protocol, as the PutImage requests (MIT-SHM or
# plain) that carry each flip of the demo's 640 x 480 picture to its window:
# xtrace, a proxy between Wine and Xvfb, logs each with the time it passed.
# A Windows program takes no LD_PRELOAD counter, and this counts what is
# shown, after anything Wine merges or drops; the proxy costs each request a
# copy. On a screen larger than the picture, which Wine cannot switch to
# 640 x 480, the frames are told apart from Wine's clears of the whole window.
# Usage: bench/wine_figures.sh ZIP [runs] [seconds per run]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZIP="$(realpath "$1")"
RUNS="${2:-3}"
RUN_SECONDS="${3:-5}"
"$ROOT/scripts/install_packages.sh" xtrace

unset DEMO_EXPECT_SDL
source "$ROOT/tests/e2e/lib.sh" tideglow.exe data
unzip -q "$ZIP" -d "$WORK"
cd "$WORK"/tideglow-*-windows-x64
export WINEPREFIX="$WORK/wine" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
XTRACE_PID=""
PROXY_CLAIM=""
stop_all() {
    [ ! -d "$WINEPREFIX" ] || wineserver -k 2>/dev/null || true
    # xtrace leaves its socket behind, which would keep the number taken.
    [ -z "$XTRACE_PID" ] || { kill "$XTRACE_PID" 2>/dev/null || true; rm -f "/tmp/.X11-unix/X$PROXY_NUMBER"; }
    [ -z "$PROXY_CLAIM" ] || rm -rf "$PROXY_CLAIM"
    cleanup
}
trap stop_all EXIT

start_xvfb 800x600
start_openbox
start_pulse
unset SDL_AUDIODRIVER SDL_VIDEODRIVER
# A second display number, claimed as the X server's is, for the proxy.
xvfb_claim="$DISPLAY_CLAIM"
for PROXY_NUMBER in $(seq 191 290); do
    claim_display "$PROXY_NUMBER" || continue
    if [ ! -e "/tmp/.X$PROXY_NUMBER-lock" ] && [ ! -e "/tmp/.X11-unix/X$PROXY_NUMBER" ]; then
        PROXY_CLAIM="$DISPLAY_CLAIM"
        break
    fi
    rm -rf "$DISPLAY_CLAIM"
done
DISPLAY_CLAIM="$xvfb_claim"
[ -n "$PROXY_CLAIM" ] || fail "no free display for xtrace"
PROXY=":$PROXY_NUMBER"
xtrace -d "$DISPLAY" -D "$PROXY" -n -k --timestamps -o "$WORK/x.log" >/dev/null 2>&1 &
XTRACE_PID=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$PROXY_NUMBER" ] && break; sleep 0.1; done

# The prefix is made, and its wineserver kept between runs, before timing:
# the figures are those of the demo, not of a first Wine session.
mkdir -p "$WINEPREFIX"
wineserver -p
DISPLAY="$PROXY" wineboot -i >"$WORK/wineboot.log" 2>&1

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
first=()
flips=()
exits=()
for _ in $(seq "$RUNS"); do
    start="$(now_ms)"
    DISPLAY="$PROXY" wine tideglow.exe >"$WORK/demo.log" 2>&1 &
    pid=$!
    window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Tideglow$' | head -1)" ||
        fail "no Tideglow window: $(cat "$WORK/demo.log")"
    sleep $((RUN_SECONDS + 2))
    xdotool windowactivate --sync "$window"
    escape="$(now_ms)"
    xdotool key Escape
    while kill -0 "$pid" 2>/dev/null && [ $(($(now_ms) - escape)) -lt 10000 ]; do sleep 0.005; done
    exits+=($(($(now_ms) - escape)))
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" || fail "status $? after Escape"
    f=""
    read -r f r < <(awk -v w="$(printf 'drawable=0x%08x' "$window")" -v start="$start" -v s="$RUN_SECONDS" '
        /:<:.*PutImage / && index($0, w " ") && / (src-)?width=640 (src-)?height=480 / {
            t = $1 * 1000
            if (t < start) next
            if (!first) first = t
            if (t >= first + 1000 && t < first + 1000 + s * 1000) n++
        }
        END { if (first) printf "%d %.1f\n", first - start, n / s }' "$WORK/x.log") || true
    [ -n "$f" ] || fail "no picture reached the window"
    first+=("$f")
    flips+=("$r")
done
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "start_to_first_frame_ms $(median "${first[@]}")"
echo "flips_per_s $(median "${flips[@]}")"
echo "exit_ms $(median "${exits[@]}")"
