#!/bin/bash
# The Windows zip under Wine: it holds what a player needs and nothing else,
# tideglow-capture.exe draws every scene pixel for pixel as the native
# demo-capture does, and tideglow.exe, on a private X server with openbox and
# a private PulseAudio, opens its window, plays its music, switches to a
# window and back on F11, and ends with status 0 within a second of Escape. --video runs with a stand-in for
# ffmpeg.exe, into a path that cmd.exe or careless quoting would spoil.
# Usage: bash tests/windows/wine_test.sh ZIP NATIVE_BUILD
ZIP="$(realpath "$1")"
NATIVE="$(realpath "$2")"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# Every file the zip must hold besides data/, which must be the native build's.
# LICENSE.txt carries the fonts' licence too, THIRD-PARTY.txt where the DLLs'
# sources come from.
FILES=(tideglow.exe tideglow-capture.exe libSDL-1-2-0.dll libmpg123-0.dll
       README.txt LICENSE.txt LGPL-2.1.txt THIRD-PARTY.txt)
MAX_ZIP_BYTES=6000000
# On the 5 fps grid: one frame in each scene (title, fire, noise, warp, lines,
# fountain) and the very last, after every frame before it has been drawn.
TIMES=8000,24000,38600,60000,81400,98000,106800

# lib.sh's demo and its check for sdl12-compat belong to the Linux build.
unset DEMO_EXPECT_SDL
source "$ROOT/tests/e2e/lib.sh" tideglow.exe "$NATIVE/data"
for tool in wine unzip xdotool ffmpeg x86_64-w64-mingw32-gcc-posix; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
DEMO_PID=""
export WINEPREFIX="$WORK/wine" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
# Wine's processes go before the X server and the sound server they talk to.
stop_wine() {
    [ -z "$DEMO_PID" ] || kill -9 "$DEMO_PID" 2>/dev/null || true
    [ ! -d "$WINEPREFIX" ] || wineserver -k 2>/dev/null || true
    cleanup
}
trap stop_wine EXIT

# --- The zip's files ---
version="$(cat "$NATIVE/version.txt")"
TOP="tideglow-$version-windows-x64"
[ "$(basename "$ZIP")" = "$TOP.zip" ] || fail "$ZIP is not version $version's zip"
size="$(stat -c %s "$ZIP")"
[ "$size" -lt "$MAX_ZIP_BYTES" ] || fail "the zip is $size bytes, over $MAX_ZIP_BYTES"
unzip -Z1 "$ZIP" | grep -v '/$' | grep -v "^$TOP/data/" | sed "s|^$TOP/||" | sort >"$WORK/listed.txt"
printf '%s\n' "${FILES[@]}" | sort >"$WORK/expected.txt"
diff "$WORK/expected.txt" "$WORK/listed.txt" >"$WORK/files.diff" ||
    fail "the zip's files differ (< missing, > not expected): $(grep '^[<>]' "$WORK/files.diff" | tr '\n' ' ')"
unzip -q "$ZIP" -d "$WORK"
APP="$WORK/$TOP"
diff -r "$APP/data" "$NATIVE/data" >/dev/null || fail "data/ is not the native build's"
# Notepad before Windows 10 runs together lines that end in LF alone.
lf_only="$(cd "$APP" && { grep -l -v $'\r$' -- *.txt || true; })"
[ -z "$lf_only" ] || fail "lines without CR in $(echo "$lf_only" | tr '\n' ' ')"

# --- A desktop with sound, before Wine's first process, which would
# otherwise take the caller's DISPLAY ---
start_xvfb
start_openbox
start_pulse
# Both name drivers of the Linux SDL; the Windows one has its own, and
# Wine's winepulse finds the server through PULSE_SERVER.
unset SDL_AUDIODRIVER SDL_VIDEODRIVER

# --- tideglow-capture.exe: its version, its frames against the native ones ---
cd "$APP"
wineboot -i >"$WORK/wineboot.log" 2>&1 || fail "wineboot: $(tail -5 "$WORK/wineboot.log")"
[ "$(wine tideglow-capture.exe --version 2>/dev/null | tr -d '\r')" = "tideglow-capture (Tideglow) $version" ] ||
    fail "tideglow-capture.exe --version: $(wine tideglow-capture.exe --version 2>&1)"
timeout 300 wine tideglow-capture.exe --fps 5 --at "$TIMES" --out ../frames-wine >"$WORK/capture.log" 2>&1 ||
    fail "tideglow-capture.exe: $(tail -5 "$WORK/capture.log")"
"$NATIVE/demo-capture" --data "$NATIVE" --fps 5 --at "$TIMES" --out "$WORK/frames-native" >/dev/null ||
    fail "native demo-capture failed"
differ=""
for t in ${TIMES//,/ }; do
    cmp -s "$WORK/frames-wine/$t.png" "$WORK/frames-native/$t.png" || differ="$differ $t"
done
[ -z "$differ" ] || fail "Wine's frames differ from the native ones at (ms):$differ"

# --- --video through a stand-in ffmpeg.exe on the PATH ---
mkdir "$WORK/tools" "$WORK/video out"
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -Werror -o "$WORK/tools/ffmpeg.exe" "$ROOT/tests/windows/fake_ffmpeg.c"
video='../video out/a & b %PATH%.mp4'
FFMPEG_LOG="$WORK/ffmpeg.log" WINEPATH="$(winepath -w "$WORK/tools")" \
    wine tideglow-capture.exe --fps 5 --to 1000 --video "$video" >"$WORK/video.log" 2>&1 ||
    fail "--video: $(tail -5 "$WORK/video.log")"
# Five frames of 640 x 480 in RGB, every byte through the pipe as it was sent,
# and nothing but the video left beside it.
grep -x "input $((5 * 640 * 480 * 3)) bytes" "$WORK/ffmpeg.log" >/dev/null ||
    fail "ffmpeg.exe read: $(grep '^input' "$WORK/ffmpeg.log")"
[ "$(ls "$WORK/video out")" = "${video##*/}" ] || fail "--video wrote: $(ls "$WORK/video out")"

# --- The demo ---
wine tideglow.exe >"$WORK/demo.log" 2>&1 &
DEMO_PID=$!
window="$(timeout 30 xdotool search --sync --onlyvisible --name '^Tideglow$' | head -1)" ||
    fail "no Tideglow window: $(cat "$WORK/demo.log")"
# Full screen, as README.txt says, on a screen of the picture's size.
expect_window 640x480+0+0
start_recording "$WORK/sound.raw"
sleep 4
stop_recording
kill -0 "$DEMO_PID" 2>/dev/null || fail "the demo ended by itself: $(cat "$WORK/demo.log")"

# Seconds in, the title shows in hundreds of shades; a blank or unpainted
# window has a few.
shades="$(ffmpeg -v error -f x11grab -i "$DISPLAY" -frames:v 1 -f rawvideo -pix_fmt gray - |
    od -An -tu1 -w1 -v | sort -u | wc -l)"
[ "$shades" -gt 20 ] || fail "the screen shows $shades shades of grey"
# The music opens at some 1000 RMS: tenths of a second above 100 count as
# sound, and at least half of what parec caught must be.
audible="$(od -An -td2 -w4 -v "$WORK/sound.raw" | awk '
    { sum += $1 * $1 + $2 * $2; if (++n == 4410) { if (sum / (2 * n) > 100 * 100) loud++; sum = n = 0 } }
    END { print loud + 0, NR / 4410 }')"
read -r loud tenths <<<"$audible"
awk -v l="$loud" -v t="$tenths" 'BEGIN { exit !(l >= 10 && l >= t / 2) }' ||
    fail "sound in $loud of $tenths tenths of a second recorded"

# F11 there and back, by setting the mode anew: classic SDL's drivers on
# Windows cannot switch in place. Wine passes keys only to the window the
# window manager has focused.
xdotool windowactivate --sync "$window" key F11
expect_window '640x480+*+[1-9]*'
xdotool windowactivate --sync "$window" key F11
expect_window 640x480+0+0
xdotool windowactivate --sync "$window" key Escape
wait_for_exit "$DEMO_PID" 1
DEMO_PID=""
[ "$EXIT_STATUS" = 0 ] || fail "status $EXIT_STATUS after Escape: $(cat "$WORK/demo.log")"
echo "ok: $TOP: files, frames at $TIMES ms, window, sound and Escape under Wine"
