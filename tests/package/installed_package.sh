# The Debian package on this machine: installed with apt-get, the demo
# started by its command under Xvfb and openbox, measured full screen,
# switched to a window and back, and ended with Escape, then once more on a
# display that goes away, a capture from an
# empty folder (pixel for pixel the build's, when a build folder is given),
# then purged without a file left behind. Needs root; check.sh runs it after
# scripts/package.sh.
# Usage: bash installed_package.sh <path to tideglow's .deb> [build folder]
# (tideglow-data's .deb is taken from beside it).
DEB="$(realpath "$1")"
DATA_DEB="$(echo "$(dirname "$DEB")"/tideglow-data_*_all.deb)"
BUILD="${2:+$(realpath "$2")}"
source "$(dirname "$0")/../e2e/lib.sh" /usr/games/tideglow /usr/share/games/tideglow/data /usr/games/tideglow-capture
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }

apt() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=900 "$@" >"$WORK/apt.log" 2>&1 ||
        fail "apt-get $*: $(tail -5 "$WORK/apt.log")"
}

# A run that ended early leaves the package installed.
if dpkg-query -W -f='${Status}' tideglow 2>/dev/null | grep "ok installed" >/dev/null; then apt purge tideglow tideglow-data; fi
# Folders of the package that exist before it, which may stay after it.
cat <(dpkg-deb -c "$DEB") <(dpkg-deb -c "$DATA_DEB") | awk '{ sub("^\\.", "", $6); sub("/$", "", $6); print $6 }' | while read -r path; do
    if [ -e "$path" ]; then echo "$path"; fi
done >"$WORK/before.txt"

apt install "$DEB" "$DATA_DEB"
dpkg -L tideglow tideglow-data | grep -vx '/\.' >"$WORK/installed.txt"
version="$(dpkg-deb -f "$DEB" Version)"
[ "$(/usr/games/tideglow-capture --version)" = "tideglow-capture (Tideglow) $version" ] ||
    fail "/usr/games/tideglow-capture --version: $(/usr/games/tideglow-capture --version)"

# The command finds its data from any working directory, and shows the
# picture on sdl12-compat, filling a 1920 x 1080 screen's height sharply.
cd "$WORK"
start_xvfb 1920x1080
start_openbox
check_full_screen /usr/games/tideglow
end_full_screen
bash "$E2E_DIR/lost_display.sh" /usr/games/tideglow /usr/share/games/tideglow/data ||
    fail "tideglow on a display that went away"

mkdir "$WORK/empty"
cd "$WORK/empty"
/usr/games/tideglow-capture --fps 10 --at 14000 2>"$WORK/err.log" || fail "tideglow-capture failed: $(cat "$WORK/err.log")"
[ "$(find . | sort | tr '\n' ' ')" = ". ./capture ./capture/14000.png " ] || fail "capture wrote: $(find .)"
if [ -n "$BUILD" ]; then
    "$BUILD/demo-capture" --data "$BUILD" --fps 10 --at 14000 --out "$WORK/reference" >/dev/null 2>&1 ||
        fail "reference capture failed"
    cmp -s capture/14000.png "$WORK/reference/14000.png" || fail "the package draws other pixels than the build"
fi
cd "$WORK"

apt purge tideglow tideglow-data
left="$(while read -r path; do
    if [ -e "$path" ] && ! grep -qxF "$path" "$WORK/before.txt"; then echo "$path"; fi
done <"$WORK/installed.txt")"
[ -z "$left" ] || fail "left after purge: $left"
echo "ok: installed $(dpkg-deb -f "$DEB" Installed-Size) KiB, ran, captured and purged"
