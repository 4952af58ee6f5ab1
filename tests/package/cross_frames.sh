#!/bin/bash
# The packages of another architecture that scripts/cross-package.sh built,
# installed through multiarch in its root, and their tideglow-capture run
# under qemu-user with the data the installed command gives it: frames at
# eight moments across the six scenes, with two seeds, and the cues it heard,
# the same bytes as this machine's demo-capture writes. As root.
# Usage: bash tests/package/cross_frames.sh build-cross/tideglow_<version>_<arch>.deb NATIVE_BUILD
DEB="$(realpath "$1")"
NATIVE="$(realpath "$2")"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TARGET="$(dirname "$DEB")/root"
# On the 5 fps grid: the title, the fire, the noise as it begins and later,
# the warp, the lines, the fountain and the very last frame.
TIMES=8000,24000,31600,38600,60000,81400,98000,106800
SEEDS="1 90210"

source "$ROOT/tests/e2e/lib.sh" "$NATIVE/demo" "$NATIVE/data" "$NATIVE/demo-capture"
source "$ROOT/scripts/lib.sh"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: the packages are installed in their root as root"; exit 77; }
arch="$(dpkg-deb -f "$DEB" Architecture)"
QEMU="qemu-$(dpkg-architecture -a "$arch" -qDEB_HOST_GNU_CPU 2>/dev/null)-static"
command -v "$QEMU" >/dev/null || { echo "SKIP: $QEMU is not installed"; exit 77; }
DATA_DEB="$(dirname "$DEB")/tideglow-data_$(dpkg-deb -f "$DEB" Version)_all.deb"

take_lock "$(dirname "$DEB")"
mount_root "$TARGET"
trap 'unmount_root; cleanup' EXIT
cp "$DEB" "$DATA_DEB" "$TARGET/tmp/"
in_root "$TARGET" /tmp apt-get install -q -y --no-install-recommends \
    "./$(basename "$DEB")" "./$(basename "$DATA_DEB")" >"$WORK/install.log" 2>&1 ||
    fail "installing the packages: $(tail -5 "$WORK/install.log")"
command="$TARGET/usr/games/tideglow-capture"
program="$(sed -n 's/^exec "\([^"]*\)" .*/\1/p' "$command")"
data="$(sed -n 's/^exec .* --data "\([^"]*\)" .*/\1/p' "$command")"
[ -n "$program" ] && [ -n "$data" ] || fail "$command does not start a program with its data"

unset DISPLAY
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
options=(--fps 5 --at "$TIMES" --cues)
start=$SECONDS
for seed in $SEEDS; do
    # -L: the loader and libraries are the root's; the data folder, which the
    # program enters, qemu does not look for there.
    "$QEMU" -L "$TARGET" "$TARGET$program" --data "$TARGET$data" "${options[@]}" --seed "$seed" \
        --out "$WORK/$arch-$seed" >"$WORK/capture.log" 2>&1 || fail "under qemu: $(tail -5 "$WORK/capture.log")"
done
echo "$arch's tideglow-capture under $QEMU, two seeds: $((SECONDS - start)) s"
for seed in $SEEDS; do
    "$NATIVE/demo-capture" --data "$NATIVE" "${options[@]}" --seed "$seed" --out "$WORK/native-$seed" >/dev/null ||
        fail "native demo-capture failed"
    for file in ${TIMES//,/.png }.png cues.tsv; do
        cmp -s "$WORK/$arch-$seed/$file" "$WORK/native-$seed/$file" || fail "$arch's $file differs with seed $seed"
    done
done
in_root "$TARGET" /tmp apt-get purge -q -y tideglow tideglow-data >/dev/null
echo "ok: $arch's frames at $TIMES ms with seeds $SEEDS, and its cues, as this machine's"
