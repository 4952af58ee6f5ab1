#!/bin/bash
# The plain page's sound and start-up in headless chromium and firefox-esr,
# and in WebKitGTK (BROWSERS=webkit: in windows under a private Xvfb with
# openbox, real clicks; its page process's peak memory, page_process_peak_mb),
# each on a private PulseAudio server whose output is recorded, after
# scripts/web.sh --build-only. Per browser: one whole run, with the figures of
# tests/e2e/cue_sync.py (first_heard_ms, cue_offset_ms, dropouts, and
# latency_ms, from the frame that plays a cue to the cue heard) and the
# page's bytes on the wire; then STARTS starts (default 50) watched for a
# page that stops drawing, and XVFB_STARTS (default 10) in a real window
# under a private Xvfb. BROWSERS="chromium firefox" by default; SITE another
# built site; KEEP a folder to keep each browser's recording and frame log in;
# AT a whole second to open the page on (#t=AT) and play from.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${BUILD_DIR:-$ROOT/build}"
SITE="${SITE:-$ROOT/build-web/site}"
export NODE_PATH="$ROOT/build-web/npm/node_modules"
[ -f "$SITE/index.html" ] || { echo "build the site first (scripts/web.sh --build-only)" >&2; exit 1; }

source "$ROOT/tests/e2e/lib.sh" "$BUILD/demo" "$BUILD/data"
source "$ROOT/tests/web/serve.sh"
SERVER_PID=""
trap '[ -z "$SERVER_PID" ] || kill "$SERVER_PID"; cleanup' EXIT
start_pulse
serve_site "$SITE"
case " ${BROWSERS:-} " in *" webkit "*) start_xvfb 1280x1024 && start_openbox ;; esac

for browser in ${BROWSERS:-chromium firefox}; do
    echo "== $browser"
    start_timed_recording "$WORK/sound.raw"
    node "$ROOT/bench/web_sound.js" "$SITE_URL" "$browser" play "$WORK/frames.log"
    stop_recording
    [ -z "${KEEP:-}" ] || { mkdir -p "$KEEP/$browser" && cp "$WORK/sound.raw" "$WORK/frames.log" "$KEEP/$browser/"; }
    /usr/bin/python3 "$ROOT/tests/e2e/cue_sync.py" "$WORK/sound.raw" "$DATA" \
        --flips "$WORK/frames.log" --record-start "$RECORD_START" --from "$((${AT:-0} * 1000))" || true
    node "$ROOT/bench/web_sound.js" "$SITE_URL" "$browser" starts "${STARTS:-50}"
done

[ -n "$XVFB_PID" ] || start_xvfb 1280x1024
for browser in ${BROWSERS:-chromium firefox}; do
    echo "== $browser in a window"
    HEADLESS=0 node "$ROOT/bench/web_sound.js" "$SITE_URL" "$browser" starts "${XVFB_STARTS:-10}"
done
